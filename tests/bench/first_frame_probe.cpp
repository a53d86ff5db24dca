// Times a program from its launch to the first frame it draws: the program is started on
// the X display in DISPLAY, and its top-level windows are looked at every two milliseconds
// until one of them is viewable and shows a pixel that is not black. Prints the milliseconds
// and the process id, then leaves the program running (the caller ends it).
//
//   first-frame-probe [--timeout SECONDS] PROGRAM [ARGS...]
#include <X11/Xlib.h>
#include <X11/Xutil.h>
#include <signal.h>
#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>

namespace {

using Clock = std::chrono::steady_clock;

// A few hundred pixels spread over the window: one that is not black means something drew.
bool ShowsSomething(Display* display, Window window, int width, int height) {
    constexpr int kSteps = 24;
    for (int sy = 0; sy < kSteps; ++sy) {
        const int y = (2 * sy + 1) * height / (2 * kSteps);
        XImage* row = XGetImage(display, window, 0, y, width, 1, AllPlanes, ZPixmap);
        if (row == nullptr)
            return false;
        bool drawn = false;
        for (int sx = 0; sx < kSteps && !drawn; ++sx)
            drawn = (XGetPixel(row, (2 * sx + 1) * width / (2 * kSteps), 0) & 0xFFFFFF) != 0;
        XDestroyImage(row);
        if (drawn)
            return true;
    }
    return false;
}

// Depth first over the window tree: any viewable window of some size that shows a pixel.
bool AnyDrawnWindow(Display* display, Window parent, int depth) {
    Window root = 0, up = 0, *children = nullptr;
    unsigned int count = 0;
    if (XQueryTree(display, parent, &root, &up, &children, &count) == 0)
        return false;
    bool found = false;
    for (unsigned int k = 0; k < count && !found; ++k) {
        XWindowAttributes a;
        if (XGetWindowAttributes(display, children[k], &a) == 0 || a.map_state != IsViewable)
            continue;
        if (a.width >= 64 && a.height >= 64)
            found = ShowsSomething(display, children[k], a.width, a.height);
        if (!found && depth < 3)
            found = AnyDrawnWindow(display, children[k], depth + 1);
    }
    if (children != nullptr)
        XFree(children);
    return found;
}

int IgnoreErrors(Display*, XErrorEvent*) {
    return 0;  // a window may vanish between the query and the look at it
}

}  // namespace

int main(int argc, char** argv) {
    int first = 1;
    double timeout = 20.0;
    if (argc > 2 && std::strcmp(argv[1], "--timeout") == 0) {
        timeout = std::atof(argv[2]);
        first = 3;
    }
    if (first >= argc) {
        std::fprintf(stderr, "usage: first-frame-probe [--timeout SECONDS] PROGRAM [ARGS...]\n");
        return 2;
    }
    Display* display = XOpenDisplay(nullptr);
    if (display == nullptr) {
        std::fprintf(stderr, "first-frame-probe: no X display\n");
        return 2;
    }
    XSetErrorHandler(IgnoreErrors);
    const Window root = DefaultRootWindow(display);
    const auto start = Clock::now();
    const pid_t child = fork();
    if (child == 0) {
        execvp(argv[first], argv + first);
        _exit(127);
    }
    while (std::chrono::duration<double>(Clock::now() - start).count() < timeout) {
        if (AnyDrawnWindow(display, root, 0)) {
            const double ms = std::chrono::duration<double, std::milli>(Clock::now() - start).count();
            std::printf("%.1f %d\n", ms, static_cast<int>(child));
            return 0;
        }
        usleep(2000);
    }
    std::fprintf(stderr, "first-frame-probe: nothing drawn within %.0f s\n", timeout);
    kill(child, SIGTERM);
    return 1;
}
