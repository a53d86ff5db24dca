// The engine and mastering voice on XAudio2 2.9, loaded at run time from the system's
// "xaudio2_9.dll". Before the engine is made, the system is asked for a default audio
// output: a machine with none runs silent, as it would without the library, and the engine
// is never asked for a mastering voice it cannot have. Main thread only.
#include <initguid.h>
// After initguid.h: the device enumerator's identifiers are defined here.
#include <mmdeviceapi.h>

#include "audio/voices.h"
#include "audio/xaudio2_local.h"

namespace {

using CreateWithVersion = HRESULT(WINAPI*)(IXAudio2**, UINT32, XAUDIO2_PROCESSOR, DWORD);
using CreatePlain = HRESULT(WINAPI*)(IXAudio2**, UINT32, XAUDIO2_PROCESSOR);

constexpr DWORD kWindows10Version = 0x0A00000C;  // the version the engine is asked for
constexpr auto kFirstProcessor = static_cast<XAUDIO2_PROCESSOR>(1);
constexpr AUDIO_STREAM_CATEGORY kGameEffects = static_cast<AUDIO_STREAM_CATEGORY>(6);

HMODULE theLibrary = nullptr;  // stays loaded for the whole run
IXAudio2* theEngine = nullptr;
IXAudio2MasteringVoice* theMastering = nullptr;
bool theComStarted = false;

bool HasDefaultOutput() {
    IMMDeviceEnumerator* enumerator = nullptr;
    if (FAILED(CoCreateInstance(CLSID_MMDeviceEnumerator, nullptr, CLSCTX_ALL,
                                IID_IMMDeviceEnumerator, reinterpret_cast<void**>(&enumerator)))) {
        return false;
    }
    IMMDevice* device = nullptr;
    HRESULT hr = enumerator->GetDefaultAudioEndpoint(eRender, eConsole, &device);
    if (device != nullptr)
        device->Release();
    enumerator->Release();
    return SUCCEEDED(hr);
}

IXAudio2* CreateEngine() {
    if (theLibrary == nullptr)
        theLibrary = LoadLibraryExW(L"xaudio2_9.dll", nullptr, LOAD_LIBRARY_SEARCH_SYSTEM32);
    if (theLibrary == nullptr)
        return nullptr;
    IXAudio2* engine = nullptr;
    auto withVersion = reinterpret_cast<CreateWithVersion>(
        reinterpret_cast<void*>(GetProcAddress(theLibrary, "XAudio2CreateWithVersionInfo")));
    if (withVersion != nullptr) {
        if (FAILED(withVersion(&engine, 0, kFirstProcessor, kWindows10Version)))
            return nullptr;
        return engine;
    }
    auto plain = reinterpret_cast<CreatePlain>(
        reinterpret_cast<void*>(GetProcAddress(theLibrary, "XAudio2Create")));
    if (plain == nullptr || FAILED(plain(&engine, 0, kFirstProcessor)))
        return nullptr;
    return engine;
}

}  // namespace

IXAudio2* TheAudioEngine() {
    return theEngine;
}

int32_t OpenVoiceOutput() {
    if (theMastering != nullptr)
        return kVoiceOutputReady;
    if (!theComStarted)
        theComStarted = SUCCEEDED(CoInitializeEx(nullptr, COINIT_MULTITHREADED));
    if (!HasDefaultOutput())
        return kVoiceOutputNoDevice;
    theEngine = CreateEngine();
    if (theEngine == nullptr)
        return kVoiceOutputNoDevice;
    if (FAILED(theEngine->CreateMasteringVoice(&theMastering, XAUDIO2_DEFAULT_CHANNELS,
                                               XAUDIO2_DEFAULT_SAMPLERATE, 0, nullptr, nullptr,
                                               kGameEffects))) {
        theMastering = nullptr;
        theEngine->Release();
        theEngine = nullptr;
        return kVoiceOutputNoMixer;
    }
    return kVoiceOutputReady;
}

// Shutdown, after the streaming thread has ended.
void CloseVoiceOutput() {
    DestroyAllVoices();
    if (theMastering != nullptr)
        theMastering->DestroyVoice();
    theMastering = nullptr;
    if (theEngine != nullptr)
        theEngine->Release();
    theEngine = nullptr;
    if (theComStarted)
        CoUninitialize();
    theComStarted = false;
}
