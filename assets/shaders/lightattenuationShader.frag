// Point-light falloff for the light fan: full colour at the source, fading
// smoothly to nothing at the rim. The fan's vertex colours carry the
// distance: the centre is white and the rim black.
uniform vec3 lightColor;

void main()
{
    float t = gl_Color.r;
    // Smooth at the rim, and steeper than a plain smoothstep so that the
    // night closes in well before the light's radius.
    float falloff = t * t * t * (3.0 - 2.0 * t);
    gl_FragColor = vec4(lightColor * falloff, 1.0);
}
