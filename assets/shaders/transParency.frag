// Lays the light mask over the finished scene: white mask texels leave the
// scene as it is, black ones darken it toward night. The level's tint (alpha
// 0 for none) goes over the darkened scene in the same pass: the colour is
// premultiplied and blended as (one, one minus source alpha), which gives
// what drawing the tint over the masked scene would.
uniform sampler2D texture;
uniform vec4 tint;

void main()
{
    vec4 mask = texture2D(texture, gl_TexCoord[0].xy);
    float light = clamp(max(mask.r, max(mask.g, mask.b)), 0.0, 1.0);
    // Even full darkness keeps a trace of the scene so walls can be read.
    float darkness = (1.0 - light) * 0.88;
    vec3 night = vec3(0.02, 0.02, 0.06) * darkness;
    gl_FragColor = vec4(night * (1.0 - tint.a) + tint.rgb * tint.a, 1.0 - (1.0 - darkness) * (1.0 - tint.a));
}
