#version 330 core
// The sprite pixel shader: the sheet's texel as it is. The command's colour and alpha act
// through the blend factor, so a translucent command keeps its opaque texels and only the
// picture's own transparent texels (alpha 0) are left out, as alpha-to-coverage on a single
// sample leaves out every fragment whose alpha is below one half. The renderer builds this
// once more with EVERY_TEXEL_OPAQUE defined for pictures with nothing to leave out.
in vec4 vertexColor;
in vec2 sheetCoord;

uniform sampler2D sheet;

out vec4 fragment;

void main() {
    vec4 texel = texture(sheet, sheetCoord);
#ifndef EVERY_TEXEL_OPAQUE
    if (texel.a < 0.5) discard;
#endif
    fragment = texel;
}
