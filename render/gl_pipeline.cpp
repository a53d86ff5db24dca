// The fixed pipeline the device builds once per creation: the frame buffer, the six blend
// states, the two shaders read from their files, the vertex and index buffers with the
// sprite vertex layout, the point sampler and the picture an empty slot shows.
#include <cstddef>
#include <cstdio>
#include <cstring>
#include <memory>
#include <new>

#include "platform/files.h"
#include "platform/path16.h"
#include "render/gl_local.h"

namespace {

// Sprite vertex attributes: position (3 floats), colour (4), texture coordinate (2).
struct Attribute {
    GLuint location;
    GLint components;
    uintptr_t offset;
};
constexpr Attribute kAttributes[] = {{0, 3, offsetof(SpriteVertex, x)},
                                     {1, 4, offsetof(SpriteVertex, r)},
                                     {2, 2, offsetof(SpriteVertex, u)}};
constexpr GLsizei kVertexStride = sizeof(SpriteVertex);

// The whole file, zero-terminated, or null when it cannot be opened or read.
std::unique_ptr<char[]> ReadWhole(const char16_t* path) {
    int32_t file = FileOpenPath(path, FileOpen::ReadExisting);
    if (file < 0)
        return nullptr;
    int64_t size = FileSize(file);
    std::unique_ptr<char[]> text;
    if (size >= 0 && size < (int64_t{1} << 24)) {
        text.reset(new (std::nothrow) char[size + 1]);
        if (text != nullptr && FileRead(file, text.get(), size) == size) {
            text[size] = 0;
        } else {
            text.reset();
        }
    }
    FileClose(file);
    return text;
}

// Shader files are looked for in the current folder, then beside the executable.
std::unique_ptr<char[]> ReadShaderFile(const char16_t* name, const char16_t* programFolder) {
    std::unique_ptr<char[]> text = ReadWhole(name);
    if (text != nullptr)
        return text;
    char16_t path[kPathUnits];
    if (!TextCopy(path, kPathUnits, programFolder) || !TextAppend(path, kPathUnits, name)) {
        return nullptr;
    }
    return ReadWhole(path);
}

}  // namespace

GLuint CompileShader(GLenum stage, const char* source, const char* name) {
    GLuint shader = glCreateShader(stage);
    glShaderSource(shader, 1, &source, nullptr);
    glCompileShader(shader);
    GLint ok = GL_FALSE;
    glGetShaderiv(shader, GL_COMPILE_STATUS, &ok);
    if (ok == GL_TRUE)
        return shader;
    char log[1024] = {};
    glGetShaderInfoLog(shader, sizeof log, nullptr, log);
    std::fprintf(stderr, "%s: %s\n", name, log);  // for whoever edits the shader
    glDeleteShader(shader);
    return 0;
}

int32_t CreateFrameTarget(RenderDevice& d) {
    glGenTextures(1, &d.frameColor);
    glBindTexture(GL_TEXTURE_2D, d.frameColor);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAX_LEVEL, 0);
    glTexImage2D(GL_TEXTURE_2D, 0, GL_RGBA8, d.width, d.height, 0, GL_RGBA, GL_UNSIGNED_BYTE,
                 nullptr);
    glGenFramebuffers(1, &d.frameBuffer);
    glBindFramebuffer(GL_FRAMEBUFFER, d.frameBuffer);
    glFramebufferTexture2D(GL_FRAMEBUFFER, GL_COLOR_ATTACHMENT0, GL_TEXTURE_2D, d.frameColor, 0);
    if (glCheckFramebufferStatus(GL_FRAMEBUFFER) != GL_FRAMEBUFFER_COMPLETE)
        return kDeviceFrameTargetIncomplete;
    glViewport(0, 0, d.width, d.height);
    return kDeviceCreated;
}

// Every state: colour ADD with the factors below, alpha = source x 1 + destination x 0.
void CreateBlendStates(RenderDevice& d) {
    const BlendState states[kBlendStates] = {
        {GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA}, {GL_CONSTANT_COLOR, GL_ONE_MINUS_CONSTANT_COLOR},
        {GL_CONSTANT_COLOR, GL_ZERO},           {GL_SRC_ALPHA, GL_DST_COLOR},
        {GL_CONSTANT_COLOR, GL_DST_COLOR},      {GL_ONE_MINUS_CONSTANT_COLOR, GL_DST_COLOR},
    };
    for (int i = 0; i < kBlendStates; ++i) d.blendStates[i] = states[i];
    glEnable(GL_BLEND);
    glBlendEquation(GL_FUNC_ADD);
    glColorMask(GL_TRUE, GL_TRUE, GL_TRUE, GL_TRUE);
    BindBlendState(d, kBlendStateOfKind[kBlendOwnAlpha], BlendFactor{0, 0, 0, 0});
}

void BindBlendState(const RenderDevice& d, int32_t state, const BlendFactor& factor) {
    const BlendState& s = d.blendStates[state - 1];
    glBlendFuncSeparate(s.source, s.destination, GL_ONE, GL_ZERO);
    glBlendColor(factor.r, factor.g, factor.b, factor.a);
}

namespace {

// Links a sprite program and points its sheet at texture unit 0; leaves it in use.
bool LinkSpriteProgram(GLuint program, GLuint vertexShader, GLuint pixelShader) {
    glAttachShader(program, vertexShader);
    glAttachShader(program, pixelShader);
    glLinkProgram(program);
    GLint ok = GL_FALSE;
    glGetProgramiv(program, GL_LINK_STATUS, &ok);
    if (ok != GL_TRUE)
        return false;
    glUseProgram(program);
    glUniform1i(glGetUniformLocation(program, "sheet"), 0);
    return true;
}

// The pixel shader's source again with EVERY_TEXEL_OPAQUE defined after its #version line;
// the shader leaves its transparency test out then. Quietly none when the source has no
// #version line or the variant does not build: everything is then drawn with the program.
void CreateOpaqueProgram(RenderDevice& d, const char* source) {
    const char* lineEnd = std::strchr(source, '\n');
    if (std::strncmp(source, "#version", 8) != 0 || lineEnd == nullptr)
        return;
    const char* parts[3] = {source, "#define EVERY_TEXEL_OPAQUE 1\n", lineEnd + 1};
    const GLint lengths[3] = {static_cast<GLint>(lineEnd + 1 - source), -1, -1};
    d.opaquePixelShader = glCreateShader(GL_FRAGMENT_SHADER);
    glShaderSource(d.opaquePixelShader, 3, parts, lengths);
    glCompileShader(d.opaquePixelShader);
    d.opaqueProgram = glCreateProgram();
    if (LinkSpriteProgram(d.opaqueProgram, d.vertexShader, d.opaquePixelShader))
        return;
    glDeleteProgram(d.opaqueProgram);
    glDeleteShader(d.opaquePixelShader);
    d.opaqueProgram = 0;
    d.opaquePixelShader = 0;
    while (glGetError() != GL_NO_ERROR) {
    }
}

}  // namespace

// A missing file is kDeviceShaderFileMissing, as the game expects.
int32_t CreateShaders(RenderDevice& d, const char16_t* programFolder) {
    std::unique_ptr<char[]> vs = ReadShaderFile(u"SampleVS.glsl", programFolder);
    if (vs == nullptr) {
        std::fprintf(stderr, "SampleVS.glsl: cannot be read here or beside the program\n");
        return kDeviceShaderFileMissing;
    }
    d.vertexShader = CompileShader(GL_VERTEX_SHADER, vs.get(), "SampleVS.glsl");
    if (d.vertexShader == 0)
        return kDeviceShaderNotBuilt;
    std::unique_ptr<char[]> ps = ReadShaderFile(u"SamplePS.glsl", programFolder);
    if (ps == nullptr) {
        std::fprintf(stderr, "SamplePS.glsl: cannot be read here or beside the program\n");
        return kDeviceShaderFileMissing;
    }
    d.pixelShader = CompileShader(GL_FRAGMENT_SHADER, ps.get(), "SamplePS.glsl");
    if (d.pixelShader == 0)
        return kDeviceShaderNotBuilt;
    d.program = glCreateProgram();
    if (!LinkSpriteProgram(d.program, d.vertexShader, d.pixelShader))
        return kDeviceShaderNotBuilt;
    CreateOpaqueProgram(d, ps.get());
    glUseProgram(d.program);
    return kDeviceCreated;
}

int32_t CreateBuffers(RenderDevice& d, const SpriteVertex* vertices) {
    glGenVertexArrays(1, &d.vertexArray);
    glBindVertexArray(d.vertexArray);
    glGenBuffers(1, &d.vertexBuffer);
    glBindBuffer(GL_ARRAY_BUFFER, d.vertexBuffer);
    glBufferData(GL_ARRAY_BUFFER, kVertexBufferBytes, vertices, GL_STREAM_DRAW);
    for (const Attribute& a : kAttributes) {
        glEnableVertexAttribArray(a.location);
        glVertexAttribPointer(a.location, a.components, GL_FLOAT, GL_FALSE, kVertexStride,
                              reinterpret_cast<const void*>(a.offset));
    }
    // Quad q: vertices 4q..4q+3 as one strip.
    static uint32_t indices[kDrawListVertices];
    for (uint32_t v = 0; v < kDrawListVertices; ++v) indices[v] = v;
    glGenBuffers(1, &d.indexBuffer);
    glBindBuffer(GL_ELEMENT_ARRAY_BUFFER, d.indexBuffer);
    glBufferData(GL_ELEMENT_ARRAY_BUFFER, sizeof indices, indices, GL_STATIC_DRAW);
    return glGetError() == GL_NO_ERROR ? kDeviceCreated : kDeviceBuffersNotMade;
}

// Point sampling, wrapping in every direction, the whole mip range.
int32_t CreateSampler(RenderDevice& d) {
    glGenSamplers(1, &d.sampler);
    glSamplerParameteri(d.sampler, GL_TEXTURE_MIN_FILTER, GL_NEAREST_MIPMAP_NEAREST);
    glSamplerParameteri(d.sampler, GL_TEXTURE_MAG_FILTER, GL_NEAREST);
    glSamplerParameteri(d.sampler, GL_TEXTURE_WRAP_S, GL_REPEAT);
    glSamplerParameteri(d.sampler, GL_TEXTURE_WRAP_T, GL_REPEAT);
    glSamplerParameteri(d.sampler, GL_TEXTURE_WRAP_R, GL_REPEAT);
    glSamplerParameterf(d.sampler, GL_TEXTURE_LOD_BIAS, 0.0f);
    glSamplerParameterf(d.sampler, GL_TEXTURE_MIN_LOD, 0.0f);
    glSamplerParameterf(d.sampler, GL_TEXTURE_MAX_LOD, 3.402823466e+38f);
    if (glGetError() != GL_NO_ERROR) {
        std::printf("Error : CreateSamplerState() Failed.\n");
        return kDeviceSamplerNotMade;
    }
    glBindSampler(0, d.sampler);
    return kDeviceCreated;
}

int32_t CreateNoPicture(RenderDevice& d) {
    const uint8_t black[4] = {0, 0, 0, 255};
    glGenTextures(1, &d.noPicture);
    glActiveTexture(GL_TEXTURE0);
    glBindTexture(GL_TEXTURE_2D, d.noPicture);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAX_LEVEL, 0);
    glTexImage2D(GL_TEXTURE_2D, 0, GL_RGBA8, 1, 1, 0, GL_RGBA, GL_UNSIGNED_BYTE, black);
    return glGetError() == GL_NO_ERROR ? kDeviceCreated : kDeviceNoPictureNotMade;
}

void ReleasePictureTexture(RenderDevice& d, int32_t slot) {
    if (d.textures[slot] != 0) {
        glDeleteTextures(1, &d.textures[slot]);
        ForgetSheet(*d.sheets, slot);
        d.history->valid = false;  // the slot samples as black from now on
    }
    d.textures[slot] = 0;
}

// In the game's order: shaders, states, layout and buffers, pictures (63 down to 0), the
// sampler, the frame target.
void ReleasePipeline(RenderDevice& d) {
    if (d.opaqueProgram != 0)
        glDeleteProgram(d.opaqueProgram);
    if (d.opaquePixelShader != 0)
        glDeleteShader(d.opaquePixelShader);
    if (d.program != 0)
        glDeleteProgram(d.program);
    if (d.vertexShader != 0)
        glDeleteShader(d.vertexShader);
    if (d.pixelShader != 0)
        glDeleteShader(d.pixelShader);
    if (d.vertexArray != 0)
        glDeleteVertexArrays(1, &d.vertexArray);
    if (d.vertexBuffer != 0)
        glDeleteBuffers(1, &d.vertexBuffer);
    if (d.indexBuffer != 0)
        glDeleteBuffers(1, &d.indexBuffer);
    for (int32_t slot = kPictureSlots - 1; slot >= 0; --slot) ReleasePictureTexture(d, slot);
    if (d.noPicture != 0)
        glDeleteTextures(1, &d.noPicture);
    if (d.sampler != 0)
        glDeleteSamplers(1, &d.sampler);
    if (d.frameBuffer != 0)
        glDeleteFramebuffers(1, &d.frameBuffer);
    if (d.frameColor != 0)
        glDeleteTextures(1, &d.frameColor);
    ReleasePresenter(d);
}
