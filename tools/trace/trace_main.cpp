// tessaroid-trace: runs the game's frames headless from a script on standard input and
// prints one JSON line per frame. The whole script is checked before the first frame runs,
// so a bad script prints no frames and writes no settings file.
#include <cstdio>
#include <cstring>
#include <string>
#include <string_view>

#include "input/scripted_keys.h"
#include "platform/scripted_clock.h"
#include "tools/trace/trace_driver.h"
#include "tools/trace/trace_script.h"

namespace {

constexpr int kScriptError = 2;
constexpr int kFileError = 1;

struct Options {
    const char* ini = nullptr;
    const char* save = nullptr;
    bool draws = false;
};

int Usage(const char* problem) {
    std::fprintf(stderr, "tessaroid-trace: %s\n", problem);
    std::fputs("usage: tessaroid-trace [--ini FILE] [--save FILE] [--draws] < SCRIPT\n", stderr);
    return kScriptError;
}

bool ParseOptions(int argc, char** argv, Options& o) {
    for (int k = 1; k < argc; ++k) {
        const std::string_view a = argv[k];
        if (a == "--draws") {
            o.draws = true;
        } else if ((a == "--ini" || a == "--save") && k + 1 < argc) {
            (a == "--ini" ? o.ini : o.save) = argv[++k];
        } else {
            return false;
        }
    }
    return true;
}

bool ReadAll(std::FILE* in, std::string& text) {
    char chunk[1 << 14];
    size_t n;
    while ((n = std::fread(chunk, 1, sizeof chunk, in)) > 0) text.append(chunk, n);
    return std::ferror(in) == 0;
}

// Calls visit(lineNumber, line) for each line; stops at the first false.
template <class Visit>
bool ForEachLine(std::string_view text, Visit visit) {
    int64_t number = 0;
    while (!text.empty()) {
        const size_t end = text.find('\n');
        const std::string_view line = text.substr(0, end);
        if (!visit(++number, line))
            return false;
        if (end == std::string_view::npos)
            break;
        text.remove_prefix(end + 1);
    }
    return true;
}

bool CheckScript(std::string_view text) {
    return ForEachLine(text, [](int64_t number, std::string_view line) {
        TraceCommand command;
        char error[kTraceErrorBytes];
        if (ParseTraceLine(line, command, error))
            return true;
        std::fprintf(stderr, "line %lld: %s\n", static_cast<long long>(number), error);
        return false;
    });
}

void Execute(const TraceCommand& c, TraceRun& run, TraceWriter& out) {
    switch (c.op) {
        case TraceOp::Clock:
            SetScriptedCalendarSeconds(c.number);
            break;
        case TraceOp::Ids:
            SetTraceIds(c.threadId, c.processId);
            break;
        case TraceOp::Keys:
            SetScriptedKeys(c.keys, c.keyCount);
            break;
        case TraceOp::Pad:
            SetScriptedPad(true, static_cast<uint16_t>(c.number));
            break;
        case TraceOp::PadOff:
            SetScriptedPad(false, 0);
            break;
        case TraceOp::Active:
            SetTraceActive(static_cast<int32_t>(c.number));
            break;
        case TraceOp::DrawsOn:
            run.draws = true;
            break;
        case TraceOp::DrawsOff:
            run.draws = false;
            break;
        case TraceOp::Run:
            for (int64_t k = 0; k < c.number; ++k) {
                RunTraceFrame(run);
                WriteTraceFrame(out, run);
            }
            break;
        case TraceOp::None:
            break;
    }
}

TraceWriter theOutput(stdout);

}  // namespace

int main(int argc, char** argv) {
    Options options;
    if (!ParseOptions(argc, argv, options))
        return Usage("unknown or incomplete option");
    std::string script;
    if (!ReadAll(stdin, script))
        return Usage("cannot read the script");
    if (!CheckScript(script))
        return kScriptError;

    TraceRun run;
    run.draws = options.draws;
    SetScriptedCalendarSeconds(1700000000);
    SetTraceIds(0, 0);
    if (!StartTraceGame(options.ini, run)) {
        std::fprintf(stderr, "tessaroid-trace: cannot read the settings file '%s'\n", options.ini);
        return kFileError;
    }
    (void)ForEachLine(script, [&run](int64_t, std::string_view line) {
        TraceCommand command;
        char error[kTraceErrorBytes];
        if (ParseTraceLine(line, command, error))
            Execute(command, run, theOutput);
        return true;
    });
    theOutput.Flush();
    int status = 0;
    if (theOutput.Failed()) {
        std::fputs("tessaroid-trace: writing the trace failed\n", stderr);
        status = kFileError;
    }
    if (options.save != nullptr && !SaveTraceSettings(options.save)) {
        std::fprintf(stderr, "tessaroid-trace: cannot write the settings file '%s'\n",
                     options.save);
        status = kFileError;
    }
    EndTraceGame();
    return status;
}
