// Parsing of the trace script's lines. Every token is checked against the command's
// range, so no input can reach the game as a value it does not expect.
#include "tools/trace/trace_script.h"

#include <cstdio>

namespace {

constexpr int kMaxTokens = 300;  // more than any command takes: "keys" with every key

struct Tokens {
    int count = 0;
    std::string_view items[kMaxTokens];
    bool tooMany = false;
};

bool IsSpace(char c) {
    return c == ' ' || c == '\t' || c == '\r' || c == '\v' || c == '\f';
}

Tokens Split(std::string_view line) {
    Tokens t;
    size_t i = 0;
    while (i < line.size()) {
        if (IsSpace(line[i])) {
            ++i;
            continue;
        }
        if (line[i] == '#')
            break;
        size_t start = i;
        while (i < line.size() && !IsSpace(line[i]) && line[i] != '#') ++i;
        if (t.count == kMaxTokens) {
            t.tooMany = true;
            break;
        }
        t.items[t.count++] = line.substr(start, i - start);
    }
    return t;
}

// The token as it may be quoted in a message: at most 24 characters, unprintable ones as '?'.
void Quote(std::string_view token, char (&out)[32]) {
    size_t n = token.size() < 24 ? token.size() : 24;
    for (size_t k = 0; k < n; ++k) {
        const unsigned char c = static_cast<unsigned char>(token[k]);
        out[k] = c >= 0x20 && c < 0x7F ? static_cast<char>(c) : '?';
    }
    out[n] = 0;
    if (token.size() > 24) {
        out[n] = '.';
        out[n + 1] = '.';
        out[n + 2] = '.';
        out[n + 3] = 0;
    }
}

// Decimal or 0x hexadecimal, no sign, at most max.
bool ParseNumber(std::string_view token, uint64_t max, uint64_t& value) {
    int base = 10;
    if (token.size() > 2 && token[0] == '0' && (token[1] == 'x' || token[1] == 'X')) {
        base = 16;
        token.remove_prefix(2);
    }
    if (token.empty())
        return false;
    uint64_t v = 0;
    for (char c : token) {
        int digit;
        if (c >= '0' && c <= '9') {
            digit = c - '0';
        } else if (base == 16 && c >= 'a' && c <= 'f') {
            digit = c - 'a' + 10;
        } else if (base == 16 && c >= 'A' && c <= 'F') {
            digit = c - 'A' + 10;
        } else {
            return false;
        }
        const uint64_t d = static_cast<uint64_t>(digit);
        if (d > max || v > (max - d) / static_cast<uint64_t>(base))
            return false;
        v = v * static_cast<uint64_t>(base) + d;
    }
    value = v;
    return true;
}

struct KeyName {
    const char* name;
    uint8_t code;
};
constexpr KeyName kKeyNames[] = {{"UP", 0x26}, {"DOWN", 0x28}, {"LEFT", 0x25},  {"RIGHT", 0x27},
                                 {"Z", 0x5A},  {"X", 0x58},    {"C", 0x43},     {"A", 0x41},
                                 {"S", 0x53},  {"ESC", 0x1B},  {"RETURN", 0x0D}};

bool ParseKey(std::string_view token, uint8_t& code) {
    for (const KeyName& k : kKeyNames) {
        if (token == k.name) {
            code = k.code;
            return true;
        }
    }
    uint64_t v = 0;
    if (!ParseNumber(token, 255, v))
        return false;
    code = static_cast<uint8_t>(v);
    return true;
}

class LineParser {
public:
    LineParser(const Tokens& t, TraceCommand& c, char (&e)[kTraceErrorBytes])
        : tokens(t), command(c), error(e) {}

    bool Parse();

private:
    bool Fail(const char* what) {
        std::snprintf(error, sizeof error, "%s", what);
        return false;
    }
    bool FailToken(const char* what, std::string_view token) {
        char quoted[32];
        Quote(token, quoted);
        std::snprintf(error, sizeof error, "%s '%s'", what, quoted);
        return false;
    }
    bool Arguments(int n, const char* usage) {
        if (tokens.count - 1 == n)
            return true;
        return Fail(usage);
    }
    bool Number(int at, uint64_t max, int64_t& out) {
        uint64_t v = 0;
        if (!ParseNumber(tokens.items[at], max, v)) {
            return FailToken("not a number in range", tokens.items[at]);
        }
        out = static_cast<int64_t>(v);
        return true;
    }
    bool ParseIds();
    bool ParseKeys();
    bool ParsePad();
    bool ParseDraws();

    const Tokens& tokens;
    TraceCommand& command;
    char (&error)[kTraceErrorBytes];
};

bool LineParser::Parse() {
    if (tokens.tooMany)
        return Fail("too many words on the line");
    if (tokens.count == 0)
        return true;
    const std::string_view name = tokens.items[0];
    if (name == "clock") {
        command.op = TraceOp::Clock;
        return Arguments(1, "usage: clock SECONDS") && Number(1, INT64_MAX, command.number);
    }
    if (name == "ids")
        return ParseIds();
    if (name == "keys")
        return ParseKeys();
    if (name == "pad")
        return ParsePad();
    if (name == "active") {
        command.op = TraceOp::Active;
        return Arguments(1, "usage: active 0|1") && Number(1, 1, command.number);
    }
    if (name == "draws")
        return ParseDraws();
    if (name == "run") {
        command.op = TraceOp::Run;
        return Arguments(1, "usage: run FRAMES") && Number(1, INT32_MAX, command.number);
    }
    return FailToken("unknown command", name);
}

bool LineParser::ParseIds() {
    command.op = TraceOp::Ids;
    int64_t thread = 0, process = 0;
    if (!Arguments(2, "usage: ids THREAD PROCESS") || !Number(1, UINT32_MAX, thread) ||
        !Number(2, UINT32_MAX, process)) {
        return false;
    }
    command.threadId = static_cast<uint32_t>(thread);
    command.processId = static_cast<uint32_t>(process);
    return true;
}

bool LineParser::ParseKeys() {
    command.op = TraceOp::Keys;
    bool held[256] = {};
    for (int k = 1; k < tokens.count; ++k) {
        uint8_t code = 0;
        if (!ParseKey(tokens.items[k], code))
            return FailToken("unknown key", tokens.items[k]);
        held[code] = true;
    }
    command.keyCount = 0;
    for (int code = 0; code < 256; ++code) {
        if (held[code])
            command.keys[command.keyCount++] = static_cast<uint8_t>(code);
    }
    return true;
}

bool LineParser::ParsePad() {
    if (tokens.count == 2 && tokens.items[1] == "off") {
        command.op = TraceOp::PadOff;
        return true;
    }
    command.op = TraceOp::Pad;
    return Arguments(1, "usage: pad BUTTONS | pad off") && Number(1, 0xFFFF, command.number);
}

bool LineParser::ParseDraws() {
    if (tokens.count == 2 && tokens.items[1] == "on") {
        command.op = TraceOp::DrawsOn;
        return true;
    }
    if (tokens.count == 2 && tokens.items[1] == "off") {
        command.op = TraceOp::DrawsOff;
        return true;
    }
    return Fail("usage: draws on|off");
}

}  // namespace

bool ParseTraceLine(std::string_view line, TraceCommand& command, char (&error)[kTraceErrorBytes]) {
    command = TraceCommand{};
    error[0] = 0;
    const Tokens tokens = Split(line);
    LineParser parser(tokens, command, error);
    return parser.Parse();
}
