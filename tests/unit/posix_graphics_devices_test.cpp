// The graphics-device probe on POSIX systems, over a device folder laid out by the test: which
// nodes count as a device the game can draw through.
#include "platform/posix_graphics_devices.h"

#include <gtest/gtest.h>
#include <sys/stat.h>

#include <cstdio>
#include <string>

#include "tests/unit/temp_folder.h"

TEST(GraphicsDevices, OnlyARenderNodeOrAnNvidiaNodeThatOpensCounts) {
    TempFolder dev;
    const std::string root = dev.path.substr(0, dev.path.size() - 1);
    EXPECT_FALSE(GraphicsDeviceUnder(root.c_str()));  // no dri folder at all
    ASSERT_EQ(mkdir((dev.path + "dri").c_str(), 0755), 0);
    dev.Write("dri/card0", {});  // the display's node: not the game's to draw through
    ASSERT_EQ(mkdir((dev.path + "dri/renderD128").c_str(), 0755), 0);  // does not open
    dev.Write("nvidia-modeset", {});
    EXPECT_FALSE(GraphicsDeviceUnder(root.c_str()));
    dev.Write("nvidiactl", {});
    EXPECT_TRUE(GraphicsDeviceUnder(root.c_str()));
    ASSERT_EQ(std::remove((dev.path + "nvidiactl").c_str()), 0);
    dev.Write("dri/renderD129", {});
    EXPECT_TRUE(GraphicsDeviceUnder(root.c_str()));
}
