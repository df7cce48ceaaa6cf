// Nine-tap box blur in texture space; softens the hard shadow edges of the light map.
uniform sampler2D texture;
uniform float blur_radius;

void main()
{
    vec2 uv = gl_TexCoord[0].xy;
    vec2 r = vec2(blur_radius, blur_radius * 1.7777);
    vec4 sum = vec4(0.0);
    for (int x = -1; x <= 1; ++x)
        for (int y = -1; y <= 1; ++y)
            sum += texture2D(texture, uv + vec2(float(x), float(y)) * r * 0.5);
    gl_FragColor = gl_Color * (sum / 9.0);
}
