#include "graphics/display_device.h"

#include <cstdio>

#include "platform/fault.h"
#include "platform/user.h"
#include "tests/common/log_session.h"

namespace {

// The pointer's display counter, read by showing and hiding it once.
int CursorCount()
{
    ShowCursor(TRUE);
    return ShowCursor(FALSE);
}

class DisplayDeviceTest : public test::LogSessionTest {
protected:
    void SetUp() override
    {
        LogSessionTest::SetUp();
        device = DisplayDevice {};
        InitDisplayDevice(device);
        device.width = 640;
        device.height = 480;
        device.bitsPerPixel = 8;
        device.backBufferCount = 1;
    }
    void TearDown() override
    {
        ReleaseDisplay(device);
        platform::ClearFailures();
        LogSessionTest::TearDown();
    }

    DisplayDevice device;
};

TEST_F(DisplayDeviceTest, AStartedDisplayHasItsPrimaryAndBackBuffer)
{
    const int shown = CursorCount();
    ASSERT_TRUE(StartDisplay(device));
    EXPECT_EQ(CursorCount(), shown - 1);
    ASSERT_NE(device.lpDDSPrimary, nullptr);
    ASSERT_NE(device.lpDDSBack, nullptr);
    DDSCAPS caps {DDSCAPS_BACKBUFFER};
    LPDIRECTDRAWSURFACE attached = nullptr;
    ASSERT_EQ(device.lpDDSPrimary->GetAttachedSurface(&caps, &attached), DD_OK);
    EXPECT_EQ(attached, device.lpDDSBack);
    platform::DisplayView view {};
    ASSERT_TRUE(platform::GetDisplayView(&view));
    EXPECT_EQ(view.width, 640u);

    char line[64];
    std::snprintf(line, sizeof line, "lpDDSPrimary at %8x\r\n",
                  static_cast<unsigned>(reinterpret_cast<std::uintptr_t>(device.lpDDSPrimary)));
    ReleaseDisplay(device);
    EXPECT_EQ(directDraw, nullptr);
    EXPECT_EQ(device.lpDDSPrimary, nullptr);
    EXPECT_FALSE(platform::GetDisplayView(&view));
    ReleaseDisplay(device); // a second time does nothing
    EXPECT_EQ(LogText(), std::string(line) + "DirectDraw Release\r\n");
}

TEST_F(DisplayDeviceTest, EachFailingStepIsReportedAndStopsTheStart)
{
    const char* steps[] = {"DirectDrawCreate", "SetCooperativeLevel", "SetDisplayMode",
                           "CreateSurface", "GetAttachedSurface"};
    for (const char* step : steps) {
        debugger.Clear();
        platform::FailOperation(step, DDERR_INVALIDMODE);
        const int shown = CursorCount();
        EXPECT_FALSE(StartDisplay(device)) << step;
        EXPECT_EQ(CursorCount(), shown - 1) << step;
        EXPECT_EQ(debugger.Text(), std::string("DirectDraw ERROR(:") + step + "): code 1-0x78 \n");
        EXPECT_EQ(device.lpDDSPrimary, nullptr);
        ReleaseDisplay(device); // what the failed start made is still released in full
        platform::ClearFailures();
    }
}

TEST_F(DisplayDeviceTest, AModeTheDisplayLacksIsRefusedAndNoBackBufferIsNone)
{
    ReleaseDisplay(device); // without a started display: nothing
    device.bitsPerPixel = 16;
    EXPECT_FALSE(StartDisplay(device));
    EXPECT_NE(directDraw, nullptr); // kept for ReleaseDisplay
    ReleaseDisplay(device);
    device.bitsPerPixel = 8;
    device.backBufferCount = 0;
    ASSERT_TRUE(StartDisplay(device));
    EXPECT_EQ(device.lpDDSBack, nullptr);
    DDSURFACEDESC desc {};
    desc.dwSize = DDSURFACEDESC_SIZE;
    device.lpDDSPrimary->GetSurfaceDesc(&desc);
    EXPECT_FALSE(desc.ddsCaps.dwCaps & DDSCAPS_FLIP);
    EXPECT_TRUE(LogText().starts_with("DirectDraw ERROR(:SetDisplayMode): code 1-0x78 \n"
                                      "DirectDraw Release\r\nlpDDSPrimary at "));
}

} // namespace
