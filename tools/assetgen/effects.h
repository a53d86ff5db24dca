// The 32 sound effects. Effect 0 accepts a choice and opens or closes the pause, effect 14
// clears one to three rows and effect 11 clears four; the rest are short sounds of their
// own for the game to use. Every one is shorter than a second, the most a WAVE effect
// keeps.
#pragma once

#include "tools/assetgen/synth.h"

inline constexpr int kEffects = 32;
inline constexpr float kLongestEffect = 0.9f;  // seconds

StereoBuffer RenderEffect(int n);
