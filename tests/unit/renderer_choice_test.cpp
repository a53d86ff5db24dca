// The way to the screen chosen at start-up: the player's variable, else the graphics-device
// probe (asked only when the variable does not decide), and the line that says it.
#include "render/renderer_choice.h"

#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "render/render.h"

namespace {

int theProbes = 0;
bool DeviceFound() {
    ++theProbes;
    return true;
}
bool NoDevice() {
    ++theProbes;
    return false;
}

}  // namespace

TEST(RendererChoice, TheVariableDecidesElseTheProbe) {
    struct Case {
        const char* value;
        bool (*probe)();
        int32_t renderer;
        int32_t reason;
        bool ignored;
        int probes;
    };
    const Case cases[] = {
        {nullptr, NoDevice, kRendererSoftware, kChosenNoDevice, false, 1},
        {nullptr, DeviceFound, kRendererOpenGL, kChosenDeviceFound, false, 1},
        {"", NoDevice, kRendererSoftware, kChosenNoDevice, false, 1},  // set empty: unset
        {"software", DeviceFound, kRendererSoftware, kChosenByPlayer, false, 0},
        {"opengl", NoDevice, kRendererOpenGL, kChosenByPlayer, false, 0},
        // Anything else, near misses included, is ignored and the probe decides.
        {"OpenGL", NoDevice, kRendererSoftware, kChosenNoDevice, true, 1},
        {"software ", DeviceFound, kRendererOpenGL, kChosenDeviceFound, true, 1},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.value != nullptr ? c.value : "(unset)");
        theProbes = 0;
        RendererChoice choice = ChooseRenderer(c.value, c.probe);
        EXPECT_EQ(choice.renderer, c.renderer);
        EXPECT_EQ(choice.reason, c.reason);
        EXPECT_EQ(choice.valueIgnored, c.ignored);
        EXPECT_EQ(theProbes, c.probes);
    }
}

// A value from the environment reaches the player's terminal: printable only, cut short, and
// the line ends in its terminator whatever the buffer.
TEST(RendererChoice, AnIgnoredValueIsShownSafely) {
    std::string value = "x\x1b[2J" + std::string(100, 'v');
    RendererChoice odd = ChooseRenderer(value.c_str(), DeviceFound);
    char text[320];
    const int32_t n = DescribeRendererChoice(odd, value.c_str(), text, sizeof text);
    EXPECT_EQ(n, static_cast<int32_t>(std::strlen(text)));
    EXPECT_NE(std::strstr(text, ("\"x?[2J" + std::string(35, 'v') + "\"").c_str()), nullptr);
    EXPECT_NE(std::strstr(text, "drawing with OpenGL"), nullptr);
    char small[24];
    std::memset(small, '#', sizeof small);
    EXPECT_EQ(DescribeRendererChoice(odd, value.c_str(), small, sizeof small), 23);
    EXPECT_EQ(small[23], 0);
}
