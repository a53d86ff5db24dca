// Frame pacing on the real clock: for each timer method, how far each frame's period lands
// from its nominal length (median and 99th percentile) and how much CPU the loop spends per
// second of running, with a frame whose own work is small, as at the title.
#include <sys/resource.h>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <ctime>
#include <memory>
#include <vector>

#include "app/frame_loop.h"
#include "platform/clock.h"

namespace {

double NowMs() {
    timespec ts{};
    clock_gettime(CLOCK_MONOTONIC, &ts);
    return ts.tv_sec * 1e3 + ts.tv_nsec / 1e6;
}

double CpuSeconds() {
    rusage u{};
    getrusage(RUSAGE_SELF, &u);
    return u.ru_utime.tv_sec + u.ru_stime.tv_sec + (u.ru_utime.tv_usec + u.ru_stime.tv_usec) / 1e6;
}

struct BenchShell {
    double workMs = 0.3;
    std::vector<double>* starts = nullptr;

    uint32_t Milliseconds() { return ClockMilliseconds(); }
    uint32_t Counter() { return ClockCounter(); }
    void SleepMilliseconds(uint32_t milliseconds) { ::SleepMilliseconds(milliseconds); }
    void SleepBriefly() { ::SleepBriefly(); }
    void YieldTimeSlice() { ::YieldTimeSlice(); }
    void KeepAwake() {}
    bool PumpOneMessage() {
        starts->push_back(NowMs());
        return false;
    }
    void PollInput() {}
    void RunScene(int32_t) {
        double until = NowMs() + workMs;
        while (NowMs() < until) {
        }
    }
    void RenderFrame() {}
    void ServiceEffectVoices() {}
    void CheckDevice() {}
    bool RebuildDevice() { return true; }
};
static_assert(FrameShell<BenchShell>);

double Percentile(std::vector<double> v, double p) {
    std::sort(v.begin(), v.end());
    size_t k = static_cast<size_t>(std::ceil(p * v.size())) - 1;
    return v[std::min(k, v.size() - 1)];
}

void Measure(int32_t method, int32_t pattern, int frames) {
    auto system = std::make_unique<System>();
    auto scene = std::make_unique<MapSceneEntity>();
    system->timerMethod = method;
    system->framePattern = pattern;
    FrameLoopState loop;
    InitFrameLoop(loop, ClockCounterFrequency());
    std::vector<double> starts;
    std::vector<double> nominal;
    starts.reserve(frames + 1);
    BenchShell shell;
    shell.starts = &starts;
    double cpu0 = CpuSeconds();
    double wall0 = NowMs();
    for (int k = 0; k < frames; ++k) {
        nominal.push_back(method == 1 ? 1000.0 / 60 : method == 2 ? 16.0 : FramePeriod(loop));
        RunFrame(loop, *system, *scene, shell);
    }
    double wall = NowMs() - wall0;
    double cpu = CpuSeconds() - cpu0;
    std::vector<double> errors;
    for (size_t k = 2; k < starts.size(); ++k) {  // the first frame starts from nothing
        errors.push_back(std::fabs((starts[k] - starts[k - 1]) - nominal[k - 1]));
    }
    std::printf(
        "method %d pattern %d  frames %4d  period error median %.3f ms  p99 %.3f ms"
        "  max %.3f ms  CPU %.1f%% of one core  (%.1f frames/s)\n",
        method, pattern, frames, Percentile(errors, 0.5), Percentile(errors, 0.99),
        Percentile(errors, 1.0), 100.0 * cpu / (wall / 1000.0), frames / (wall / 1000.0));
}

}  // namespace

int main(int argc, char** argv) {
    int frames = argc > 1 ? std::atoi(argv[1]) : 600;
    std::printf("frame pacing, %d frames per method, 0.3 ms of scene work per frame\n", frames);
    Measure(0, 1, frames);
    Measure(0, 2, frames);
    Measure(1, 0, frames);
    Measure(2, 0, frames);
    Measure(3, 0, frames / 10);
    return 0;
}
