#version 330 core
// The sprite pixel shader: the sheet's texel as it is. The command's colour and alpha act
// through the blend factor, so a translucent command keeps its opaque texels and only the
// picture's own transparent texels (alpha 0) are left out, as alpha-to-coverage on a single
// sample leaves out every fragment whose alpha is below one half.
in vec4 vertexColor;
in vec2 sheetCoord;

uniform sampler2D sheet;

out vec4 fragment;

void main() {
    vec4 texel = texture(sheet, sheetCoord);
    if (texel.a < 0.5) discard;
    fragment = texel;
}
