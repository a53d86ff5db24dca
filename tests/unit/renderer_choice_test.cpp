// The way to the screen chosen at start-up: the player's variable, else the graphics-device
// probe (asked only when the variable does not decide), and the probe's device folder.
#include "render/renderer_choice.h"

#include <gtest/gtest.h>
#include <sys/stat.h>

#include <cstring>
#include <string>

#include "platform/posix_graphics_devices.h"
#include "render/render.h"
#include "tests/unit/temp_folder.h"

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
        {"vulkan", DeviceFound, kRendererOpenGL, kChosenDeviceFound, true, 1},
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

TEST(RendererChoice, TheLineNamesTheOverrideAndShowsAnIgnoredValueSafely) {
    char text[320];
    RendererChoice none = ChooseRenderer(nullptr, NoDevice);
    ASSERT_GT(DescribeRendererChoice(none, nullptr, text, sizeof text), 0);
    EXPECT_NE(std::strstr(text, "software renderer"), nullptr);
    EXPECT_NE(std::strstr(text, "TESSAROID_RENDERER=opengl overrides"), nullptr);
    // An escape sequence and a long value: printable, cut to 40 bytes, then the choice.
    std::string value = "x\x1b[2J" + std::string(100, 'v');
    RendererChoice odd = ChooseRenderer(value.c_str(), DeviceFound);
    int32_t n = DescribeRendererChoice(odd, value.c_str(), text, sizeof text);
    EXPECT_EQ(n, static_cast<int32_t>(std::strlen(text)));
    EXPECT_EQ(std::strchr(text, '\x1b'), nullptr);
    EXPECT_NE(std::strstr(text, ("\"x?[2J" + std::string(35, 'v') + "\"").c_str()), nullptr);
    EXPECT_NE(std::strstr(text, "drawing with OpenGL"), nullptr);
    // A buffer too small for both lines still ends in its terminator.
    char small[24];
    std::memset(small, '#', sizeof small);
    EXPECT_EQ(DescribeRendererChoice(odd, value.c_str(), small, sizeof small), 23);
    EXPECT_EQ(small[23], 0);
}

TEST(GraphicsDevices, OnlyARenderNodeOrAnNvidiaNodeThatOpensCounts) {
    TempFolder dev;
    const std::string root = dev.path.substr(0, dev.path.size() - 1);
    EXPECT_FALSE(GraphicsDeviceUnder(root.c_str()));  // no dri folder at all
    ASSERT_EQ(mkdir((dev.path + "dri").c_str(), 0755), 0);
    dev.Write("dri/card0", {});  // the display's node: not the game's to draw through
    ASSERT_EQ(mkdir((dev.path + "dri/renderD128").c_str(), 0755), 0);  // does not open
    EXPECT_FALSE(GraphicsDeviceUnder(root.c_str()));
    dev.Write("dri/renderD129", {});
    EXPECT_TRUE(GraphicsDeviceUnder(root.c_str()));

    TempFolder nvidia;
    const std::string nvidiaRoot = nvidia.path.substr(0, nvidia.path.size() - 1);
    nvidia.Write("nvidia-modeset", {});
    EXPECT_FALSE(GraphicsDeviceUnder(nvidiaRoot.c_str()));
    nvidia.Write("nvidiactl", {});
    EXPECT_TRUE(GraphicsDeviceUnder(nvidiaRoot.c_str()));
}
