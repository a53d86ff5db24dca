// tessaroid-shaderc: compiles one HLSL file to the shader bytecode the Direct3D 11 device
// loads ("SampleVS.cso", "SamplePS.cso"), with the system's D3DCompile. The build runs it
// under Wine, whose compiler writes bytecode with a valid checksum.
// usage: tessaroid-shaderc SOURCE PROFILE OUTPUT   (entry point "main")
#include <windows.h>
// After windows.h: the compiler's interface.
#include <d3dcompiler.h>

#include <cstdio>
#include <vector>

namespace {

bool ReadWhole(const char* path, std::vector<char>& bytes) {
    std::FILE* f = std::fopen(path, "rb");
    if (f == nullptr)
        return false;
    char chunk[4096];
    size_t n;
    while ((n = std::fread(chunk, 1, sizeof chunk, f)) > 0)
        bytes.insert(bytes.end(), chunk, chunk + n);
    bool ok = std::ferror(f) == 0;
    std::fclose(f);
    return ok;
}

bool WriteWhole(const char* path, const void* data, size_t size) {
    std::FILE* f = std::fopen(path, "wb");
    if (f == nullptr)
        return false;
    bool ok = std::fwrite(data, 1, size, f) == size;
    return std::fclose(f) == 0 && ok;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 4) {
        std::fputs("usage: tessaroid-shaderc SOURCE PROFILE OUTPUT\n", stderr);
        return 2;
    }
    std::vector<char> source;
    if (!ReadWhole(argv[1], source)) {
        std::fprintf(stderr, "tessaroid-shaderc: cannot read %s\n", argv[1]);
        return 1;
    }
    ID3DBlob* code = nullptr;
    ID3DBlob* errors = nullptr;
    HRESULT hr = D3DCompile(source.data(), source.size(), argv[1], nullptr, nullptr, "main",
                            argv[2], D3DCOMPILE_OPTIMIZATION_LEVEL3, 0, &code, &errors);
    if (errors != nullptr) {
        std::fwrite(errors->GetBufferPointer(), 1, errors->GetBufferSize(), stderr);
        errors->Release();
    }
    if (FAILED(hr) || code == nullptr) {
        std::fprintf(stderr, "tessaroid-shaderc: %s did not compile (0x%08lx)\n", argv[1],
                     static_cast<unsigned long>(hr));
        return 1;
    }
    bool written = WriteWhole(argv[3], code->GetBufferPointer(), code->GetBufferSize());
    code->Release();
    if (!written) {
        std::fprintf(stderr, "tessaroid-shaderc: cannot write %s\n", argv[3]);
        return 1;
    }
    return 0;
}
