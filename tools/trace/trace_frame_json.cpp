// One frame of the trace as one JSON line. The keys and their order are the trace format
// other tools read; change them only together with those tools.
#include <cmath>

#include "game/game.h"
#include "game/map_scene_entity.h"
#include "game/play_state.h"
#include "game/system.h"
#include "render/render.h"
#include "tools/trace/trace_driver.h"

namespace {

struct IntField {
    const char* key;  // with its quotes and colon, and a comma before all but the first
    const int32_t* value;
};

void Fields(TraceWriter& out, const IntField* fields, int count) {
    for (int k = 0; k < count; ++k) {
        out.Text(fields[k].key);
        out.Int(*fields[k].value);
    }
}

template <class T>
void Array(TraceWriter& out, const T* values, int count) {
    out.Char('[');
    for (int k = 0; k < count; ++k) {
        if (k != 0)
            out.Char(',');
        out.Int(values[k]);
    }
    out.Char(']');
}

void WritePlay(TraceWriter& out, const PlayState& p) {
    out.Text(",\"play\":{\"grid\":\"");
    for (int32_t cell : p.grid)
        out.Char(cell >= 0 && cell <= 9 ? static_cast<char>('0' + cell) : '?');
    out.Text("\",\"queue\":");
    Array(out, p.queue, kQueueLength);
    const IntField fields[] = {
        {",\"queueReady\":", &p.queueReady},
        {",\"pieceX\":", &p.pieceX},
        {",\"pieceY\":", &p.pieceY},
        {",\"orientation\":", &p.orientation},
        {",\"repeatCounter\":", &p.repeatCounter},
        {",\"fastRepeat\":", &p.fastRepeat},
        {",\"rotateCwLatch\":", &p.rotateCwLatch},
        {",\"rotateCcwLatch\":", &p.rotateCcwLatch},
        {",\"blockedLeft\":", &p.blockedLeft},
        {",\"blockedRight\":", &p.blockedRight},
        {",\"landed\":", &p.landed},
        {",\"fallCounter\":", &p.fallCounter},
        {",\"softDropCounter\":", &p.softDropCounter},
        {",\"lockCounter\":", &p.lockCounter},
        {",\"consecutiveLocks\":", &p.consecutiveLocks},
        {",\"gameOverCounter\":", &p.gameOverCounter},
        {",\"score\":", &p.score},
        {",\"levelIndex\":", &p.levelIndex},
        {",\"linesTowardLevel\":", &p.linesTowardLevel},
    };
    Fields(out, fields, sizeof fields / sizeof fields[0]);
    out.Char('}');
}

void WriteScene(TraceWriter& out, const MapSceneEntity& m) {
    const PauseAndTitleBlock& b = m.block;
    const IntField pause[] = {
        {",\"pause\":{\"pauseState\":", &b.pauseState},
        {",\"pauseCounter\":", &b.pauseCounter},
        {",\"pauseFlag\":", &b.pauseFlag},
    };
    Fields(out, pause, 3);
    const IntField title[] = {
        {"},\"title\":{\"titlePhase\":", &b.titlePhase},
        {",\"subScreen\":", &b.subScreen},
        {",\"titleOpenCount\":", &b.titleOpenCount},
        {",\"panelOpenCount\":", &b.panelOpenCount},
        {",\"menuCursor\":", &b.menuCursor},
        {",\"settingsCursor\":", &b.settingsCursor},
        {",\"menuRepeat\":", &b.menuRepeat},
        {",\"settingsRepeat\":", &b.settingsRepeat},
        {",\"valueRepeat\":", &b.valueRepeat},
        {",\"menuCursorShown\":", &m.menuCursorShown},
        {",\"panelColor\":", &m.panelColor},
        {",\"frameShimmer\":", &m.frameShimmer},
    };
    Fields(out, title, sizeof title / sizeof title[0]);
    out.Text("},\"fade\":{\"alpha\":");
    out.Int(m.fadeAlpha);
    out.Text(",\"in\":");
    out.Int(m.fadeIn);
    out.Text(",\"out\":");
    out.Int(m.fadeOut);
    out.Char('}');
}

void WriteSettings(TraceWriter& out, const System& s) {
    const IntField fields[] = {
        {",\"settings\":{\"fullScreen\":", &s.fullScreen},
        {",\"vsync\":", &s.vsync},
        {",\"timerMethod\":", &s.timerMethod},
        {",\"frameSkip\":", &s.frameSkip},
        {",\"bgmVolume\":", &s.bgmVolume},
        {",\"seVolume\":", &s.seVolume},
        {",\"inputSource\":", &s.inputSource},
    };
    Fields(out, fields, sizeof fields / sizeof fields[0]);
    out.Text(",\"buttons\":");
    Array(out, s.buttonCodes, 4);
    out.Text(",\"edit\":");
    Array(out, s.settingsEdit, kSettingsLines);
    out.Char('}');
}

void WriteMusic(TraceWriter& out, const System& s, const MapSceneEntity& m) {
    out.Text(",\"music\":{\"bgmTrack\":");
    out.Int(s.bgmTrack);
    const IntField fields[] = {
        {",\"bgmPreviousTrack\":", &s.bgmPreviousTrack},
        {",\"bgmRestart\":", &s.bgmRestart},
        {",\"bgmFadeCounter\":", &s.bgmFadeCounter},
        {",\"bgmFadeOut\":", &s.bgmFadeOut},
        {",\"bgmFadeIn\":", &s.bgmFadeIn},
        {",\"backgroundNumber\":", &m.backgroundNumber},
        {",\"backgroundChangeRequest\":", &m.backgroundChangeRequest},
    };
    Fields(out, fields, sizeof fields / sizeof fields[0]);
    out.Char('}');
}

void WriteRanking(TraceWriter& out, const MapSceneEntity& m) {
    out.Text(",\"ranking\":[");
    for (int r = 0; r < kRankingEntries; ++r) {
        const CalendarTime& d = m.rankingDates[r];
        const int64_t entry[7] = {m.rankingScores[r],
                                  int64_t{d.year} + 1900,
                                  int64_t{d.month} + 1,
                                  d.day,
                                  d.hour,
                                  d.minute,
                                  d.second};
        if (r != 0)
            out.Char(',');
        Array(out, entry, 7);
    }
    out.Char(']');
}

void WriteDraw(TraceWriter& out, const DrawCommand& c) {
    const int32_t ints[] = {c.dstX, c.dstY, c.dstW, c.dstH, c.srcX, c.srcY, c.srcW, c.srcH};
    out.Char('[');
    for (int32_t v : ints) {
        out.Int(v);
        out.Char(',');
    }
    out.Float(c.scaleX);
    out.Char(',');
    out.Float(c.scaleY);
    out.Char(',');
    out.Int(c.flip);
    out.Char(',');
    out.Float(c.pivotX);
    out.Char(',');
    out.Float(c.pivotY);
    const int32_t tail[] = {c.pitch, c.yaw, c.roll, c.blendMode};
    for (int32_t v : tail) {
        out.Char(',');
        out.Int(v);
    }
    out.Char(',');
    out.UInt(c.color);
    out.Char(',');
    out.Int(c.sheet);
    out.Char(']');
}

void WriteEffectsAndDraws(TraceWriter& out, const TraceRun& run) {
    out.Text(",\"effects\":");
    const int kept =
        run.effects.count < EffectLog::kCapacity ? run.effects.count : EffectLog::kCapacity;
    Array(out, run.effects.effects, kept);
    if (!run.draws)
        return;
    const CDx_Gr& g = *theGame->graphics;
    out.Text(",\"draws\":[");
    for (uint32_t k = 0; k < g.count; ++k) {
        if (k != 0)
            out.Char(',');
        WriteDraw(out, g.commandLog[k]);
    }
    out.Char(']');
}

}  // namespace

void WriteTraceFrame(TraceWriter& out, const TraceRun& run) {
    const System& s = *theGame->system;
    const MapSceneEntity& m = *theGame->scene;
    out.Text("{\"f\":");
    out.Int(run.frame);
    out.Text(",\"scene\":");
    out.Int(m.sceneNumber);
    out.Text(",\"dirs\":");
    out.Int(s.inputDirections);
    out.Text(",\"btns\":");
    out.Int(s.inputButtons);
    WritePlay(out, thePlayState);
    WriteScene(out, m);
    WriteSettings(out, s);
    WriteMusic(out, s, m);
    WriteRanking(out, m);
    WriteEffectsAndDraws(out, run);
    out.Text("}\n");
}
