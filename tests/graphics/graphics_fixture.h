#pragma once
// A test with the log open and a DirectDraw object in `directDraw`, as the display leaves it.

#include <string>
#include <vector>

#include "graphics/display_device.h"
#include "graphics/surfaces.h"
#include "platform/fault.h"
#include "tests/common/log_session.h"
#include "tools/qvx_writer/qvx_writer.h"

namespace test {

class GraphicsTest : public LogSessionTest {
protected:
    void SetUp() override
    {
        LogSessionTest::SetUp();
        ASSERT_EQ(DirectDrawCreate(nullptr, &directDraw, nullptr), DD_OK);
    }
    void TearDown() override
    {
        if (directDraw != nullptr) directDraw->Release();
        directDraw = nullptr;
        platform::ClearFailures();
        platform::SetVideoMemory(platform::DEFAULT_VIDEO_MEMORY);
        LogSessionTest::TearDown();
    }

    static void WriteBytes(const char* name, const qvx::Bytes& bytes)
    {
        WriteFile(name, std::string(bytes.begin(), bytes.end()));
    }
    static std::vector<BYTE> Pixels(LPDIRECTDRAWSURFACE surface) { return SurfacePixels(surface); }
    // A width x height picture with a little of everything: runs, literals, marker-range values.
    static qvx::Image TestImage(WORD width, WORD height)
    {
        qvx::Image image {width, height, 8, {}};
        for (DWORD y = 0; y < height; ++y) {
            for (DWORD x = 0; x < width; ++x) {
                image.pixels.push_back(static_cast<BYTE>(x < width / 2 ? 250 - y : x * 7 + y));
            }
        }
        return image;
    }
    static qvx::Palette RampPalette()
    {
        qvx::Palette palette {};
        for (int i = 0; i < 256; ++i) {
            palette[i] = {static_cast<BYTE>(i), static_cast<BYTE>(255 - i),
                          static_cast<BYTE>(i / 2), 0};
        }
        return palette;
    }
};

} // namespace test
