// Start-up, the loop and the exit path. Every failure during start-up leaves through the one
// exit sequence; a normal exit first writes Game.ini and then dir.txt.
#include "app/startup.h"

#include <cstdio>
#include <cstdlib>

#include "app/exit_save.h"
#include "app/frame_loop.h"
#include "app/game_shell.h"
#include "app/shutdown.h"
#include "app/window.h"
#include "app/window_procedure.h"
#include "assets/resources.h"
#include "audio/audio.h"
#include "audio/effect_prefetch.h"
#include "audio/music.h"
#include "game/game.h"
#include "game/map_scene_entity.h"
#include "game/system.h"
#include "input/input.h"
#include "persist/data_folder_file.h"
#include "persist/load_file.h"
#include "persist/save_files.h"
#include "persist/save_slots.h"
#include "platform/clock.h"
#include "platform/graphics_devices.h"
#include "platform/instance_lock.h"
#include "platform/message_box.h"
#include "platform/path16.h"
#include "platform/process_ids.h"
#include "platform/program_folder.h"
#include "platform/save_folder.h"
#include "render/render.h"
#include "render/renderer_choice.h"

namespace {

// What start-up has brought up of the window that the exit sequence takes down again.
struct StartedWindow {
    GameWindow* window = nullptr;
    bool windowSystemUp = false;
};

// Shows the cursor, closes the window, shuts down, releases the window system; exit code 0.
int ExitSequence(StartedWindow& started) {
    DestroyGameWindow(started.window);
    Shutdown();
    if (started.windowSystemUp)
        QuitWindowSystem();
    return 0;
}

int Fail(StartedWindow& started, const char16_t* text) {
    ShowMessage(u"Message", text);
    return ExitSequence(started);
}

// Folder of the executable, ending in its separator, canonical. False when its path does
// not fit the path buffers: a cut path would name some other folder.
bool FindProgramFolder(System& system) {
    char16_t path[kPathUnits] = {};
    if (!ExecutablePath(path, kPathUnits)) {
        std::fprintf(stderr, "Tessaroid: the program folder's path is too long to use.\n");
        return false;
    }
    PathKeepFolder(path, kPathUnits);
    PathCanonicalize(path, kPathUnits);
    (void)TextCopy(system.programFolder, kPathUnits, path);
    return true;
}

// The exit path on the quit message: Game.ini, then dir.txt, then the exit sequence.
int SaveAndExit(StartedWindow& started) {
    (void)SaveOnExit(*theGame->system);
    return ExitSequence(started);
}

int RunLoop(StartedWindow& started, FrameLoopState& loop, WindowProcedure& procedure) {
    GameShell shell{started.window, &procedure};
    for (;;) {
        FrameResult result = RunFrame(loop, *theGame->system, *theGame->scene, shell);
        if (result == FrameResult::Quit)
            return SaveAndExit(started);
        if (result == FrameResult::Failed)
            return ExitSequence(started);
    }
}

// Linux chooses its way to the screen before the window exists: a window for OpenGL loads
// the GL library, and the software renderer's must not. One line on stderr says the choice.
void ChooseWayToScreen(CDx_Gr& graphics) {
    if (!ChoosesRenderer())
        return;
    const char* value = std::getenv("TESSAROID_RENDERER");
    RendererChoice choice = ChooseRenderer(value, GraphicsDeviceOpenable);
    char line[320];
    if (DescribeRendererChoice(choice, value, line, sizeof line) > 0)
        std::fputs(line, stderr);
    graphics.renderer = choice.renderer;
}

}  // namespace

int RunGame() {
    if (!AcquireInstanceLock())
        return 0;  // another copy runs: leave silently
    StartedWindow started;
    theGame = new Game();
    System& system = *theGame->system;
    MapSceneEntity& scene = *theGame->scene;

    // Without its folder the game cannot find dir.txt: the same silent end as a missing one.
    if (!FindProgramFolder(system))
        return ExitSequence(started);
    // Without a save folder the game still runs, and its exit says the settings were not
    // saved.
    (void)FindSaveFolder(system.programFolder, system.saveFolder);
    char16_t path[kPathUnits];
    SettingsFileToRead(system, path);
    {
        CLoadFile loader;
        loader.LoadSettings(path);
    }
    if (!ReadDataFolderFile(system))
        return ExitSequence(started);
    {
        CLoadFile loader;
        if (!LoadSaveSlots(loader, system.saveFolder))
            return ExitSequence(started);
    }
    DisableScreenSaver();
    BuildDataPath(system);
    // The effects decode on their own thread while the window and the device are made.
    StartEffectPrefetch(system);

    if (!InitWindowSystem())
        return Fail(started, u"失敗");
    started.windowSystemUp = true;
    ChooseWayToScreen(*theGame->graphics);
    started.window =
        CreateGameWindow(system.clientWidth, system.clientHeight, theGame->graphics->renderer);
    if (started.window == nullptr)
        return Fail(started, u"ウィンドウ作成に失敗しました。");
    theWindowThreadId = CurrentThreadId();
    theWindowProcessId = CurrentProcessId();

    theGame->graphics->settings = &system;
    theGame->graphics->scene = &scene;
    theGame->graphics->window = NativeWindowHandle(started.window);
    theGame->input->system = &system;
    theGame->input->scene = &scene;
    theGame->audio->settings = &system;
    if (system.audioMode == kAudioOgg)
        ClearMusicOpenFlags();

    FrameLoopState loop;
    InitFrameLoop(loop, ClockCounterFrequency());

    if (theGame->graphics->CreateDevice() < 0) {
        return Fail(started, u"DirectGraphicsの初期化に失敗しました。");
    }
    system.inputSource = system.padInputDefault;
    if (PlaysSoundFiles(system.audioMode) && !theGame->audio->InitAudio()) {
        return Fail(started, u"XAudio2の初期化に失敗しました。");
    }
    if (!LoadResources())
        return Fail(started, u"ゲームの初期化に失敗しました。");

    WindowProcedure procedure(&system);
    return RunLoop(started, loop, procedure);
}
