// Lays the light mask over the finished scene: white mask texels leave the
// scene as it is, black ones darken it toward night.
uniform sampler2D texture;

void main()
{
    vec4 mask = texture2D(texture, gl_TexCoord[0].xy);
    float light = clamp(max(mask.r, max(mask.g, mask.b)), 0.0, 1.0);
    // Even full darkness keeps a trace of the scene so walls can be read.
    float darkness = (1.0 - light) * 0.88;
    gl_FragColor = vec4(0.02, 0.02, 0.06, darkness);
}
