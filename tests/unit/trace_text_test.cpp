// The trace tool's own text handling: numbers that read back exactly, and script lines.
#include <gtest/gtest.h>

#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <string>

#include "tools/trace/trace_script.h"
#include "tools/trace/trace_writer.h"

namespace {

std::string Written(void (*write)(TraceWriter&)) {
    std::FILE* f = std::tmpfile();
    {
        TraceWriter w(f);
        write(w);
        w.Flush();
        EXPECT_FALSE(w.Failed());
    }
    std::rewind(f);
    std::string text;
    int c;
    while ((c = std::fgetc(f)) != EOF) text.push_back(static_cast<char>(c));
    std::fclose(f);
    return text;
}

TraceCommand Parse(const char* line) {
    TraceCommand c;
    char error[kTraceErrorBytes];
    EXPECT_TRUE(ParseTraceLine(line, c, error)) << line << ": " << error;
    return c;
}

}  // namespace

TEST(TraceText, NumbersPrintAsPrintfWouldAndFloatsReadBackExactly) {
    EXPECT_EQ(Written([](TraceWriter& w) {
                  w.Int(0);
                  w.Char(' ');
                  w.Int(-2147483648LL);
                  w.Char(' ');
                  w.Int(INT64_MIN);
                  w.Char(' ');
                  w.UInt(4294967295u);
              }),
              "0 -2147483648 -9223372036854775808 4294967295");
    EXPECT_EQ(Written([](TraceWriter& w) {
                  for (float f : {1.0f, 12.0f, -256.0f, -0.0f, 16777216.0f}) {
                      w.Float(f);
                      w.Char(' ');
                  }
              }),
              "1 12 -256 -0 16777216 ");
    const float samples[] = {0.1f, -3.4028235e38f, 1.17549435e-38f, 1e-45f, 0.5f, 123456.789f};
    for (float f : samples) {
        static float value;
        value = f;
        const std::string text = Written([](TraceWriter& w) { w.Float(value); });
        EXPECT_EQ(std::strtof(text.c_str(), nullptr), f) << text;
        char printed[32];
        std::snprintf(printed, sizeof printed, "%.9g", static_cast<double>(f));
        EXPECT_EQ(text, printed);
    }
    EXPECT_EQ(Written([](TraceWriter& w) { w.Float(std::nanf("")); }), "null");
}

TEST(TraceText, LongOutputPassesThroughTheBufferWhole) {
    const std::string text = Written([](TraceWriter& w) {
        for (int k = 0; k < 100000; ++k) w.Int(k % 10);
    });
    ASSERT_EQ(text.size(), 100000u);
    EXPECT_EQ(text.substr(99990), "0123456789");
}

TEST(TraceText, ScriptLinesTakeNamesDecimalAndHex) {
    TraceCommand keys = Parse("  keys Z UP 0x5a 38 RETURN  # Z twice, UP twice");
    ASSERT_EQ(keys.op, TraceOp::Keys);
    ASSERT_EQ(keys.keyCount, 3);
    EXPECT_EQ(keys.keys[0], 0x0D);
    EXPECT_EQ(keys.keys[1], 0x26);
    EXPECT_EQ(keys.keys[2], 0x5A);
    EXPECT_EQ(Parse("keys").keyCount, 0);
    EXPECT_EQ(Parse("pad 0xFFFF").number, 0xFFFF);
    EXPECT_EQ(Parse("pad off").op, TraceOp::PadOff);
    EXPECT_EQ(Parse("clock 0X7FFFFFFFFFFFFFFF").number, INT64_MAX);
    TraceCommand ids = Parse("ids 4294967295 0x10");
    EXPECT_EQ(ids.threadId, 4294967295u);
    EXPECT_EQ(ids.processId, 16u);
    EXPECT_EQ(Parse("run 2147483647\r").number, 2147483647);
    EXPECT_EQ(Parse("# only a comment").op, TraceOp::None);
    EXPECT_EQ(Parse("active 0").number, 0);
}

TEST(TraceText, ValuesJustOutsideTheirRangeAreRefused) {
    for (const char* line :
         {"run 2147483648", "pad 65536", "keys 0x100", "active 2", "ids 4294967296 0",
          "clock 9223372036854775808", "run 0x", "run 1 # fine", "draws", "pad"}) {
        TraceCommand c;
        char error[kTraceErrorBytes];
        const bool ok = ParseTraceLine(line, c, error);
        EXPECT_EQ(ok, std::string(line) == "run 1 # fine") << line;
        if (!ok) {
            EXPECT_NE(error[0], 0) << line;
        }
    }
}
