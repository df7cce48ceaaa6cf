// Draws a texture tinted by "tint" and pulled toward grey by "factor":
// 0 leaves colours as they are, 1 is fully grey.
uniform sampler2D Sampler;
uniform float factor;
uniform vec4 tint;
// 1 takes the tint from each vertex's colour instead, so that pictures of
// many tints go out in one draw.
uniform float vertexTint;

void main()
{
    vec4 texel = texture2D(Sampler, gl_TexCoord[0].xy) * gl_Color;
    float luma = dot(texel.rgb, vec3(0.299, 0.587, 0.114));
    vec3 grey = mix(texel.rgb, vec3(luma), clamp(factor, 0.0, 1.0));
    // An unset tint reads as zero; treat that as "no tint" rather than black.
    vec4 given = vertexTint > 0.5 ? gl_Color : tint;
    vec4 t = (given == vec4(0.0)) ? vec4(1.0) : given;
    gl_FragColor = vec4(grey * t.rgb, texel.a * t.a);
}
