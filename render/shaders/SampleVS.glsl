#version 330 core
// The sprite vertex shader: positions arrive in clip space, as the draw list made them.
layout(location = 0) in vec3 position;
layout(location = 1) in vec4 color;
layout(location = 2) in vec2 texcoord;

out vec4 vertexColor;
out vec2 sheetCoord;

void main() {
    gl_Position = vec4(position, 1.0);
    vertexColor = color;
    sheetCoord = texcoord;
}
