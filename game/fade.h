// The full-screen fade both scenes step once per frame.
#pragma once

class MapSceneEntity;

// fadeIn raises fadeAlpha by 5 up to 255; then fadeOut lowers it by 5, and when it is found
// at 0 both flags are cleared (one frame after it got there).
void StepFade(MapSceneEntity& scene);

// The overlay: a quad of no picture (sheet 120) over the client area, white with alpha
// fadeAlpha, which the renderer turns into darkening.
void DrawFadeOverlay(MapSceneEntity& scene);
