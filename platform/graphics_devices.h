// Whether the machine has graphics hardware the game can draw through, asked once at start-up
// before the window exists, to choose the way to the screen.
#pragma once

// True where the game chooses its way to the screen at start-up (Linux: OpenGL, or the frame
// drawn in memory); Windows draws only through Direct3D 11, which finds its own adapter.
[[nodiscard]] bool ChoosesRenderer();

// True when the machine has a graphics device that this process can open. Opens and closes
// device nodes, so it is asked only when the choice depends on it.
[[nodiscard]] bool GraphicsDeviceOpenable();
