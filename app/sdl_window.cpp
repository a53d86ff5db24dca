// The game window on SDL: the window, its events turned into the game's window messages
// (at most one taken per frame), the accelerator keys, and the display-mode switch.
#include <SDL.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "app/window.h"
#include "app/window_procedure.h"
#include "game/system.h"
#include "render/render.h"

struct GameWindow {
    SDL_Window* window = nullptr;
    int32_t width = 0;  // the client size last seen or set, to tell which edge was dragged
    int32_t height = 0;
    int32_t shownFullScreen = 0;
    int32_t windowedWidth = 0;  // the client size to go back to when full screen ends
    int32_t windowedHeight = 0;
};

namespace {

GameWindow theWindow;

// Events the game never looks at would only fill the one-per-frame queue.
void IgnoreUnusedEvents() {
    const Uint32 unused[] = {SDL_MOUSEMOTION,   SDL_MOUSEBUTTONDOWN, SDL_MOUSEBUTTONUP,
                             SDL_MOUSEWHEEL,    SDL_TEXTINPUT,       SDL_TEXTEDITING,
                             SDL_FINGERMOTION,  SDL_FINGERDOWN,      SDL_FINGERUP,
                             SDL_KEYMAPCHANGED, SDL_DROPFILE,        SDL_DROPTEXT,
                             SDL_DROPBEGIN,     SDL_DROPCOMPLETE,    SDL_AUDIODEVICEADDED,
                             SDL_AUDIODEVICEREMOVED, SDL_JOYAXISMOTION, SDL_CONTROLLERAXISMOTION,
                             SDL_JOYBUTTONDOWN, SDL_JOYBUTTONUP, SDL_JOYHATMOTION,
                             SDL_CONTROLLERBUTTONDOWN, SDL_CONTROLLERBUTTONUP};
    for (Uint32 type : unused) SDL_EventState(type, SDL_IGNORE);
}

// Translates one SDL event into a window message; false for events the game ignores.
bool Translate(const SDL_Event& e, GameWindow& w, WindowMessage& m) {
    m = WindowMessage{kMessageNone, 0, {}};
    switch (e.type) {
        case SDL_QUIT:
            m.kind = kMessageClose;
            return true;
        case SDL_KEYDOWN:
            m.kind = kMessageKey;
            if (e.key.repeat != 0) return true;  // a held key does not repeat the commands
            if (e.key.keysym.sym == SDLK_ESCAPE) {
                m = WindowMessage{kMessageCommand, kCommandClose, {}};
            } else if (e.key.keysym.sym == SDLK_RETURN && (e.key.keysym.mod & KMOD_ALT) != 0) {
                m = WindowMessage{kMessageCommand, kCommandToggleScreenMode, {}};
            }
            return true;
        case SDL_KEYUP:
            m.kind = kMessageKey;
            return true;
        case SDL_WINDOWEVENT:
            switch (e.window.event) {
                case SDL_WINDOWEVENT_FOCUS_GAINED:
                    m = WindowMessage{kMessageActivate, 1, {}};
                    return true;
                case SDL_WINDOWEVENT_FOCUS_LOST:
                    m = WindowMessage{kMessageActivate, 0, {}};
                    return true;
                case SDL_WINDOWEVENT_CLOSE:
                    m.kind = kMessageClose;
                    return true;
                case SDL_WINDOWEVENT_SIZE_CHANGED: {
                    int32_t width = e.window.data1;
                    int32_t height = e.window.data2;
                    if (width == w.width && height == w.height) return false;  // our own
                    int32_t edge = kEdgeBottomRight;
                    if (height == w.height) edge = kEdgeRight;
                    if (width == w.width) edge = kEdgeBottom;
                    m = WindowMessage{kMessageSizing, edge, {0, 0, width, height}};
                    return true;
                }
                default:
                    return false;
            }
        default:
            return false;
    }
}

// What the procedure decided that the window itself must show.
void Apply(GameWindow& w, WindowProcedure& procedure, const WindowMessage& m) {
    if (procedure.windowDestroyed) {
        SDL_HideWindow(w.window);  // destroyed for good by the exit sequence
        return;
    }
    const System& system = *procedure.system;
    if (system.fullScreen != w.shownFullScreen) {
        w.shownFullScreen = system.fullScreen;
        if (system.fullScreen == 1) {
            w.windowedWidth = w.width;
            w.windowedHeight = w.height;
            SDL_SetWindowFullscreen(w.window, SDL_WINDOW_FULLSCREEN_DESKTOP);
        } else {
            // SDL keeps reporting the desktop's size after full screen ends unless a window
            // manager resizes the window back; the window size is set again so that the
            // window and the frame scaled into it agree in any case.
            SDL_SetWindowFullscreen(w.window, 0);
            SDL_SetWindowSize(w.window, w.windowedWidth, w.windowedHeight);
        }
        SDL_GetWindowSize(w.window, &w.width, &w.height);
        return;
    }
    if (m.kind == kMessageSizing) {
        if (w.shownFullScreen == 1) return;  // the desktop decides the size in full screen
        w.width = m.rect.right - m.rect.left;
        w.height = m.rect.bottom - m.rect.top;
        SDL_SetWindowSize(w.window, w.width, w.height);
    }
}

// Where SDL cannot open a display (none named, as over ssh, or one that refuses) it falls back
// to drivers that draw into memory and show nothing: the game would run on unseen. Such a
// driver is used only when SDL_VIDEODRIVER asks for it by name, as the headless tests do.
bool DriverUnseen() {
    const char* driver = SDL_GetCurrentVideoDriver();
    if (driver == nullptr) return true;
    const char* asked = SDL_getenv("SDL_VIDEODRIVER");
    if (asked != nullptr && SDL_strcasecmp(asked, driver) == 0) return false;
    const char* const invisible[] = {"offscreen", "dummy", "evdev"};
    for (const char* name : invisible)
        if (std::strcmp(driver, name) == 0) return true;
    return false;
}

bool DisplayNamed() {
    const char* x11 = SDL_getenv("DISPLAY");
    const char* wayland = SDL_getenv("WAYLAND_DISPLAY");
    return (x11 != nullptr && x11[0] != 0) || (wayland != nullptr && wayland[0] != 0);
}

// False, with a word on standard error, where the window could not be seen.
bool DriverShowsWindows() {
    if (!DriverUnseen()) return true;
    const char* x11 = SDL_getenv("DISPLAY");
    if (DisplayNamed())
        std::fprintf(stderr,
                     "Tessaroid: the display (DISPLAY=%s) could not be opened; the game needs an "
                     "X11 or Wayland display.\n",
                     x11 != nullptr ? x11 : "");
    else
        std::fprintf(stderr,
                     "Tessaroid: no display to show the window on; the game needs an X11 or "
                     "Wayland display (DISPLAY or WAYLAND_DISPLAY is not set).\n");
    return false;
}

// A display that is named but refused the connection may only be busy for a moment (an X
// server that is resetting refuses while it does): a few more tries over about a second.
bool InitVideo() {
    // The game reads keys, never text: the X input method SDL opens would otherwise parse the
    // locale's whole compose table (thousands of lines, about 10 ms) before the first frame.
    // A player's own XCOMPOSEFILE is kept.
    (void)setenv("XCOMPOSEFILE", "/dev/null", 0);
    for (int attempt = 0;; ++attempt) {
        if (SDL_InitSubSystem(SDL_INIT_VIDEO | SDL_INIT_EVENTS) != 0) return false;
        if (!DriverUnseen() || !DisplayNamed() || attempt == 5) return true;
        SDL_QuitSubSystem(SDL_INIT_VIDEO | SDL_INIT_EVENTS);
        SDL_Delay(200);
    }
}

// The OpenGL device draws with a 3.3 core context, which the window must be made for.
void AskForGlContext() {
    SDL_GL_SetAttribute(SDL_GL_CONTEXT_MAJOR_VERSION, 3);
    SDL_GL_SetAttribute(SDL_GL_CONTEXT_MINOR_VERSION, 3);
    SDL_GL_SetAttribute(SDL_GL_CONTEXT_PROFILE_MASK, SDL_GL_CONTEXT_PROFILE_CORE);
    SDL_GL_SetAttribute(SDL_GL_DOUBLEBUFFER, 1);
    SDL_GL_SetAttribute(SDL_GL_DEPTH_SIZE, 0);
    SDL_GL_SetAttribute(SDL_GL_STENCIL_SIZE, 0);
}

SDL_Window* MakeWindow(int32_t clientWidth, int32_t clientHeight, Uint32 flags) {
    return SDL_CreateWindow("Tessaroid", SDL_WINDOWPOS_UNDEFINED, SDL_WINDOWPOS_UNDEFINED,
                            clientWidth, clientHeight, flags | SDL_WINDOW_RESIZABLE);
}

}  // namespace

bool InitWindowSystem() {
    SDL_SetHint(SDL_HINT_VIDEO_ALLOW_SCREENSAVER, "0");
    if (!InitVideo()) return false;
    // Pad 0 is the first game controller; without the subsystem the game is keyboard-only.
    (void)SDL_InitSubSystem(SDL_INIT_GAMECONTROLLER);
    IgnoreUnusedEvents();
    return true;
}

// The window itself goes last, after the device that draws on it has been released.
void QuitWindowSystem() {
    if (theWindow.window != nullptr) SDL_DestroyWindow(theWindow.window);
    theWindow.window = nullptr;
    SDL_Quit();
}

// A window for OpenGL loads the GL library (SDL does so for it); the software renderer's
// window must not, so it is made without SDL_WINDOW_OPENGL. Where the GL library or a GL
// visual cannot be had, the game draws its frames itself in a plain window instead.
GameWindow* CreateGameWindow(int32_t clientWidth, int32_t clientHeight, int32_t& renderer) {
    if (!DriverShowsWindows()) return nullptr;
    SDL_Window* window = nullptr;
    if (renderer == kRendererOpenGL) {
        AskForGlContext();
        window = MakeWindow(clientWidth, clientHeight, SDL_WINDOW_OPENGL);
        if (window == nullptr) {
            std::fprintf(stderr,
                         "Tessaroid: no window for OpenGL could be made (%s); drawing with the "
                         "software renderer instead.\n",
                         SDL_GetError());
            renderer = kRendererSoftware;
        }
    }
    if (window == nullptr) window = MakeWindow(clientWidth, clientHeight, 0);
    if (window == nullptr) return nullptr;
    theWindow = GameWindow{window, clientWidth, clientHeight, 0, clientWidth, clientHeight};
    SDL_ShowWindow(window);
    return &theWindow;
}

// The window disappears at once; SDL's window object stays until QuitWindowSystem.
void DestroyGameWindow(GameWindow* w) {
    if (w == nullptr || w->window == nullptr) return;
    SDL_ShowCursor(SDL_ENABLE);
    SDL_HideWindow(w->window);
}

void* NativeWindowHandle(GameWindow* w) { return w != nullptr ? w->window : nullptr; }

bool PumpOneMessage(GameWindow* w, WindowProcedure& procedure) {
    WindowMessage m;
    if (!procedure.TakePosted(m)) {
        // One event per frame; one the game does not react to is simply used up.
        SDL_Event e;
        if (SDL_PollEvent(&e) == 0 || !Translate(e, *w, m)) return false;
    }
    if (m.kind == kMessageQuit) return true;
    procedure.Dispatch(m);
    Apply(*w, procedure, m);
    return false;
}

void DisableScreenSaver() { SDL_DisableScreenSaver(); }
void EnableScreenSaver() { SDL_EnableScreenSaver(); }
// SDL_DisableScreenSaver already keeps the display awake for the whole run.
void KeepAwake() {}
