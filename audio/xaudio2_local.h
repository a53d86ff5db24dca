// The XAudio2 backend's own objects, private to audio/xaudio2_*.cpp: the engine and
// mastering voice (xaudio2_output.cpp) and the source voices (xaudio2_voices.cpp).
#pragma once

#include <windows.h>
// After windows.h: the engine's interfaces.
#include <xaudio2.h>

// The engine while the output is open, else null.
IXAudio2* TheAudioEngine();

// Destroys every source voice (the output closes after them).
void DestroyAllVoices();
