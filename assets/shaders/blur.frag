// One pass of a separable three-tap box blur in texture space; a pass across
// and then one down soften the hard shadow edges of the light map as a
// three-by-three box would, at a third of its reads. The taps lie half a
// blur radius apart, the radius stretched by the screen's shape so that
// both directions reach as far on screen. direction is (1, 0) or (0, 1).
uniform sampler2D texture;
uniform float blur_radius;
uniform vec2 direction;

void main()
{
    vec2 uv = gl_TexCoord[0].xy;
    vec2 offset = direction * vec2(blur_radius, blur_radius * 1.7777) * 0.5;
    vec4 sum = texture2D(texture, uv - offset) + texture2D(texture, uv) + texture2D(texture, uv + offset);
    gl_FragColor = gl_Color * (sum / 3.0);
}
