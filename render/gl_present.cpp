// Presenting the kept frame: one full-window quad samples the frame buffer's picture onto the
// window, point-sampled at the frame's own size and filtered when stretched. (A framebuffer
// blit does the same, but a software rasteriser spends many times longer on it.)
#include "render/gl_local.h"

namespace {

constexpr const char* kPresentVertexShader = R"(#version 330 core
void main() {
    vec2 corner = vec2(float(gl_VertexID & 1), float(gl_VertexID >> 1));
    gl_Position = vec4(corner * 2.0 - 1.0, 0.0, 1.0);
}
)";

constexpr const char* kPresentPixelShader = R"(#version 330 core
uniform sampler2D frame;
uniform vec2 pixelToFrame;
out vec4 color;
void main() {
    color = texture(frame, gl_FragCoord.xy * pixelToFrame);
}
)";

GLuint PresentSampler(GLenum filter) {
    GLuint sampler = 0;
    glGenSamplers(1, &sampler);
    glSamplerParameteri(sampler, GL_TEXTURE_MIN_FILTER, filter);
    glSamplerParameteri(sampler, GL_TEXTURE_MAG_FILTER, filter);
    glSamplerParameteri(sampler, GL_TEXTURE_WRAP_S, GL_CLAMP_TO_EDGE);
    glSamplerParameteri(sampler, GL_TEXTURE_WRAP_T, GL_CLAMP_TO_EDGE);
    return sampler;
}

}  // namespace

int32_t CreatePresenter(RenderDevice& d) {
    const GLuint vs = CompileShader(GL_VERTEX_SHADER, kPresentVertexShader, "present");
    const GLuint ps = CompileShader(GL_FRAGMENT_SHADER, kPresentPixelShader, "present");
    if (vs == 0 || ps == 0)
        return kDevicePresenterNotBuilt;
    d.presentProgram = glCreateProgram();
    glAttachShader(d.presentProgram, vs);
    glAttachShader(d.presentProgram, ps);
    glLinkProgram(d.presentProgram);
    glDeleteShader(vs);
    glDeleteShader(ps);
    GLint ok = GL_FALSE;
    glGetProgramiv(d.presentProgram, GL_LINK_STATUS, &ok);
    if (ok != GL_TRUE)
        return kDevicePresenterNotBuilt;
    glUseProgram(d.presentProgram);
    glUniform1i(glGetUniformLocation(d.presentProgram, "frame"), 0);
    d.presentScale = glGetUniformLocation(d.presentProgram, "pixelToFrame");
    d.presentSamplers[0] = PresentSampler(GL_NEAREST);
    d.presentSamplers[1] = PresentSampler(GL_LINEAR);
    return glGetError() == GL_NO_ERROR ? kDeviceCreated : kDevicePresenterNotBuilt;
}

void ReleasePresenter(RenderDevice& d) {
    if (d.presentProgram != 0)
        glDeleteProgram(d.presentProgram);
    for (GLuint& sampler : d.presentSamplers) {
        if (sampler != 0)
            glDeleteSamplers(1, &sampler);
        sampler = 0;
    }
    d.presentProgram = 0;
}

void DrawFrameOntoWindow(const RenderDevice& d, int32_t windowWidth, int32_t windowHeight) {
    const bool same = windowWidth == d.width && windowHeight == d.height;
    glBindFramebuffer(GL_FRAMEBUFFER, 0);
    glViewport(0, 0, windowWidth, windowHeight);
    glDisable(GL_BLEND);  // enabled again before the next frame draws
    glUseProgram(d.presentProgram);
    glUniform2f(d.presentScale, 1.0f / static_cast<float>(windowWidth),
                1.0f / static_cast<float>(windowHeight));
    glActiveTexture(GL_TEXTURE0);
    glBindTexture(GL_TEXTURE_2D, d.frameColor);
    glBindSampler(0, d.presentSamplers[same ? 0 : 1]);
    glDrawArrays(GL_TRIANGLE_STRIP, 0, 4);
    glBindSampler(0, d.sampler);  // the sprites' point sampler again
}
