// The engine and mastering voice on OpenAL Soft: a device and its context, made current for
// the whole process. The default device in the game; a loopback device for the tests.
#include <AL/al.h>
#include <AL/alc.h>
#include <AL/alext.h>

#include "audio/openal_loopback.h"
#include "audio/voices.h"

namespace {

ALCdevice* theDevice = nullptr;
ALCcontext* theContext = nullptr;
bool theLoopbackWanted = false;
ALCint theLoopbackRate = 44100;
LPALCRENDERSAMPLESSOFT theRenderSamples = nullptr;

ALCdevice* OpenLoopbackDevice() {
    auto open = reinterpret_cast<LPALCLOOPBACKOPENDEVICESOFT>(
        alcGetProcAddress(nullptr, "alcLoopbackOpenDeviceSOFT"));
    theRenderSamples = reinterpret_cast<LPALCRENDERSAMPLESSOFT>(
        alcGetProcAddress(nullptr, "alcRenderSamplesSOFT"));
    if (open == nullptr || theRenderSamples == nullptr)
        return nullptr;
    return open(nullptr);
}

}  // namespace

VoiceOutputFaults theVoiceOutputFaults;

bool UseLoopbackOutput(int32_t sampleRate) {
    if (alcIsExtensionPresent(nullptr, "ALC_SOFT_loopback") == ALC_FALSE)
        return false;
    theLoopbackWanted = true;
    theLoopbackRate = sampleRate;
    return true;
}

// Main thread (start-up).
int32_t OpenVoiceOutput() {
    if (theContext != nullptr)
        return kVoiceOutputReady;
    if (theVoiceOutputFaults.noDevice)
        return kVoiceOutputNoDevice;
    theDevice = theLoopbackWanted ? OpenLoopbackDevice() : alcOpenDevice(nullptr);
    if (theDevice == nullptr)
        return kVoiceOutputNoDevice;
    // The loopback output renders exactly what the voices play: no limiter, no HRTF.
    const ALCint loopback[] = {ALC_FREQUENCY,
                               theLoopbackRate,
                               ALC_FORMAT_CHANNELS_SOFT,
                               ALC_STEREO_SOFT,
                               ALC_FORMAT_TYPE_SOFT,
                               ALC_SHORT_SOFT,
                               ALC_OUTPUT_LIMITER_SOFT,
                               ALC_FALSE,
                               ALC_HRTF_SOFT,
                               ALC_FALSE,
                               0};
    theContext = theVoiceOutputFaults.failContext
                     ? nullptr
                     : alcCreateContext(theDevice, theLoopbackWanted ? loopback : nullptr);
    if (theContext == nullptr || alcMakeContextCurrent(theContext) == ALC_FALSE) {
        if (theContext != nullptr)
            alcDestroyContext(theContext);
        theContext = nullptr;
        alcCloseDevice(theDevice);
        theDevice = nullptr;
        return kVoiceOutputNoMixer;
    }
    return kVoiceOutputReady;
}

// Main thread (shutdown), after the streaming thread has ended.
void CloseVoiceOutput() {
    for (int32_t voice = 0; voice <= kMusicVoice; ++voice) DestroyVoice(voice);
    if (theContext != nullptr) {
        alcMakeContextCurrent(nullptr);
        alcDestroyContext(theContext);
        theContext = nullptr;
    }
    if (theDevice != nullptr) {
        alcCloseDevice(theDevice);
        theDevice = nullptr;
    }
}

bool RenderLoopback(int16_t* frames, int32_t count) {
    if (!theLoopbackWanted || theContext == nullptr || theRenderSamples == nullptr)
        return false;
    theRenderSamples(theDevice, frames, count);
    return true;
}
