// The game window on Win32: the "KvKv" window class, the window, the Esc and Alt+Enter
// accelerators, the one-message-per-frame pump and the window procedure, which hands the
// messages the game reacts to to WindowProcedure and carries out what it decides.
// Main thread only.
#include <windows.h>
// After windows.h: the MCI notification message.
#include <mmsystem.h>

#include "app/window.h"
#include "app/window_procedure.h"
#include "game/system.h"

struct GameWindow {
    HWND handle = nullptr;
    HACCEL accelerators = nullptr;
};

namespace {

constexpr wchar_t kClassName[] = L"KvKv";
constexpr DWORD kStyle = WS_OVERLAPPEDWINDOW;
constexpr DWORD kExtendedStyle = WS_EX_APPWINDOW;
constexpr WORD kIconResource = 107;

GameWindow theWindow;
bool theClassRegistered = false;
// The procedure of the frame being pumped; messages sent while there is none (during
// CreateWindowExW, for instance) get the default handling.
WindowProcedure* theProcedure = nullptr;

// What the window's frame adds to the client size, as this system draws it. The game's
// own sum of frame and caption metrics comes out smaller than the real frame on current
// Windows versions, which would leave the client area short of its 1280 × 720.
void FrameSize(int32_t& width, int32_t& height) {
    RECT r{0, 0, 0, 0};
    AdjustWindowRectEx(&r, kStyle, FALSE, kExtendedStyle);
    width = r.right - r.left;
    height = r.bottom - r.top;
}

// Carries out a close the procedure decided: the window goes for good.
void DestroyIfClosed(WindowProcedure& procedure) {
    if (!procedure.windowDestroyed || theWindow.handle == nullptr)
        return;
    HWND handle = theWindow.handle;
    theWindow.handle = nullptr;
    ShowCursor(TRUE);
    CloseWindow(handle);
    DestroyWindow(handle);
}

LRESULT Forward(WindowMessage message) {
    theProcedure->Dispatch(message);
    return 0;
}

LRESULT CALLBACK GameWindowProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (theProcedure == nullptr)
        return DefWindowProcW(window, message, wParam, lParam);
    switch (message) {
        case WM_ACTIVATE:
        case WM_ACTIVATEAPP:
            return Forward({kMessageActivate, wParam != 0 ? 1 : 0, {}});
        case WM_COMMAND:
            return Forward({kMessageCommand, static_cast<int32_t>(LOWORD(wParam)), {}});
        case WM_CLOSE:
            return Forward({kMessageClose, 0, {}});
        case WM_DESTROY:
            // The procedure already posted its quit when it decided the close itself.
            if (!theProcedure->windowDestroyed)
                return Forward({kMessageDestroy, 0, {}});
            return 0;
        case WM_KEYDOWN:
        case WM_KEYUP:
        case MM_MCINOTIFY:
            return 0;  // keys are polled
        case WM_SYSCOMMAND: {
            WPARAM command = wParam & 0xFFF0;
            if (command == SC_SCREENSAVE || command == SC_MONITORPOWER)
                return 0;  // neither the screen saver nor power-off while the game runs
            return DefWindowProcW(window, message, wParam, lParam);
        }
        case WM_SIZING: {
            auto* rect = reinterpret_cast<RECT*>(lParam);
            WindowMessage sizing{kMessageSizing,
                                 static_cast<int32_t>(wParam),
                                 {rect->left, rect->top, rect->right, rect->bottom}};
            theProcedure->Dispatch(sizing);
            *rect = RECT{sizing.rect.left, sizing.rect.top, sizing.rect.right, sizing.rect.bottom};
            return TRUE;
        }
        default:
            return DefWindowProcW(window, message, wParam, lParam);
    }
}

// System keys that would open the window menu, and clicks, are taken from the queue unseen.
bool DroppedUnseen(const MSG& m) {
    if (m.message == WM_SYSKEYDOWN)
        return m.wParam == VK_MENU || m.wParam == VK_F10;
    return m.message == WM_LBUTTONDOWN;
}

}  // namespace

bool InitWindowSystem() {
    HINSTANCE instance = GetModuleHandleW(nullptr);
    WNDCLASSEXW windowClass{};
    windowClass.cbSize = sizeof windowClass;
    windowClass.style = CS_HREDRAW | CS_VREDRAW | CS_OWNDC;
    windowClass.lpfnWndProc = GameWindowProcedure;
    windowClass.hInstance = instance;
    windowClass.hIcon = LoadIconW(instance, MAKEINTRESOURCEW(kIconResource));
    windowClass.hCursor = LoadCursorW(nullptr, IDC_ARROW);
    windowClass.hbrBackground = static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH));
    windowClass.lpszClassName = kClassName;
    theClassRegistered = RegisterClassExW(&windowClass) != 0;
    return theClassRegistered;
}

void QuitWindowSystem() {
    if (theWindow.handle != nullptr)
        DestroyWindow(theWindow.handle);
    theWindow.handle = nullptr;
    if (theWindow.accelerators != nullptr)
        DestroyAcceleratorTable(theWindow.accelerators);
    theWindow.accelerators = nullptr;
    if (theClassRegistered)
        UnregisterClassW(kClassName, GetModuleHandleW(nullptr));
    theClassRegistered = false;
}

GameWindow* CreateGameWindow(int32_t clientWidth, int32_t clientHeight, int32_t& renderer) {
    int32_t frameWidth = 0;
    int32_t frameHeight = 0;
    FrameSize(frameWidth, frameHeight);
    HWND handle =
        CreateWindowExW(kExtendedStyle, kClassName, L"Tessaroid", kStyle, CW_USEDEFAULT,
                        CW_USEDEFAULT, clientWidth + frameWidth, clientHeight + frameHeight,
                        nullptr, nullptr, GetModuleHandleW(nullptr), nullptr);
    if (handle == nullptr)
        return nullptr;
    ACCEL keys[2] = {{FVIRTKEY, VK_ESCAPE, kCommandClose},
                     {FVIRTKEY | FALT, VK_RETURN, kCommandToggleScreenMode}};
    theWindow.handle = handle;
    theWindow.accelerators = CreateAcceleratorTableW(keys, 2);
    ShowWindow(handle, SW_SHOWDEFAULT);
    UpdateWindow(handle);
    return &theWindow;
}

void DestroyGameWindow(GameWindow* window) {
    ShowCursor(TRUE);
    if (window == nullptr || window->handle == nullptr)
        return;
    CloseWindow(window->handle);
    DestroyWindow(window->handle);
    window->handle = nullptr;
}

void* NativeWindowHandle(GameWindow* window) {
    return window != nullptr ? window->handle : nullptr;
}

bool PumpOneMessage(GameWindow* window, WindowProcedure& procedure) {
    theProcedure = &procedure;
    FrameSize(procedure.frameWidth, procedure.frameHeight);
    WindowMessage posted;
    if (procedure.TakePosted(posted)) {
        // The game's own messages (close, quit) come first, one per frame like any other.
        if (posted.kind == kMessageQuit)
            return true;
        procedure.Dispatch(posted);
        DestroyIfClosed(procedure);
        return false;
    }
    MSG m;
    if (!PeekMessageW(&m, nullptr, 0, 0, PM_NOREMOVE))
        return false;
    BOOL got = GetMessageW(&m, nullptr, 0, 0);
    if (got == 0)
        return true;  // WM_QUIT
    if (got < 0)
        return false;
    if (DroppedUnseen(m))
        return false;
    HWND handle = window != nullptr ? window->handle : nullptr;
    if (handle == nullptr || window->accelerators == nullptr ||
        TranslateAcceleratorW(handle, window->accelerators, &m) == 0) {
        TranslateMessage(&m);
        DispatchMessageW(&m);
    }
    DestroyIfClosed(procedure);
    return false;
}

void DisableScreenSaver() {
    SystemParametersInfoW(SPI_SETSCREENSAVEACTIVE, FALSE, nullptr, SPIF_SENDWININICHANGE);
}

void EnableScreenSaver() {
    SystemParametersInfoW(SPI_SETSCREENSAVEACTIVE, TRUE, nullptr, SPIF_SENDWININICHANGE);
}

// The display stays on, and a mouse move of nothing counts as the user's input, so no idle
// timer runs out while a game is watched rather than played.
void KeepAwake() {
    SetThreadExecutionState(ES_DISPLAY_REQUIRED);
    INPUT input{};
    input.type = INPUT_MOUSE;
    input.mi.dwFlags = MOUSEEVENTF_MOVE;
    (void)SendInput(1, &input, sizeof input);
}
