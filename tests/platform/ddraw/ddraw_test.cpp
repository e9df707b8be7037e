#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <vector>

#include "platform/ddraw.h"
#include "platform/fault.h"
#include "platform/gdi.h"
#include "platform/gdi/device_context.h"

namespace {

class SurfaceStoreTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_EQ(DirectDrawCreate(nullptr, &dd, nullptr), DD_OK);
        ASSERT_EQ(dd->SetCooperativeLevel(nullptr, DDSCL_FULLSCREEN | DDSCL_EXCLUSIVE), DD_OK);
        ASSERT_EQ(dd->SetDisplayMode(640, 480, 8), DD_OK);
    }
    void TearDown() override
    {
        dd->Release(); // frees whatever a test left
        platform::ClearFailures();
        platform::SetVideoMemory(platform::DEFAULT_VIDEO_MEMORY);
    }

    // A surface of the given caps; width 0 for the primary, with its back buffers.
    LPDIRECTDRAWSURFACE Make(DWORD width, DWORD height, DWORD caps, HRESULT* result = nullptr,
                             DWORD backBuffers = 0)
    {
        DDSURFACEDESC desc {};
        desc.dwSize = DDSURFACEDESC_SIZE;
        desc.dwFlags = DDSD_CAPS | (width > 0 ? DDSD_WIDTH | DDSD_HEIGHT : 0)
                       | (backBuffers > 0 ? DDSD_BACKBUFFERCOUNT : 0);
        desc.dwWidth = width;
        desc.dwHeight = height;
        desc.ddsCaps.dwCaps = caps | (backBuffers > 0 ? DDSCAPS_FLIP | DDSCAPS_COMPLEX : 0);
        desc.dwBackBufferCount = backBuffers;
        LPDIRECTDRAWSURFACE surface = nullptr;
        const HRESULT code = dd->CreateSurface(&desc, &surface, nullptr);
        if (result != nullptr) *result = code;
        return surface;
    }
    LPDIRECTDRAWSURFACE MakeSystem(DWORD width, DWORD height)
    {
        return Make(width, height, DDSCAPS_OFFSCREENPLAIN | DDSCAPS_SYSTEMMEMORY);
    }
    LPDIRECTDRAWSURFACE MakePrimary(DWORD backBuffers, HRESULT* result = nullptr)
    {
        return Make(0, 0, DDSCAPS_PRIMARYSURFACE, result, backBuffers);
    }

    // The whole pitch of every row, padding included, read through a lock.
    static std::vector<BYTE> Rows(LPDIRECTDRAWSURFACE surface, LONG* pitch = nullptr)
    {
        DDSURFACEDESC desc {};
        desc.dwSize = DDSURFACEDESC_SIZE;
        EXPECT_EQ(surface->Lock(nullptr, &desc, DDLOCK_WAIT, nullptr), DD_OK);
        const auto* bytes = static_cast<const BYTE*>(desc.lpSurface);
        std::vector<BYTE> rows(bytes, bytes + desc.lPitch * desc.dwHeight);
        if (pitch != nullptr) *pitch = desc.lPitch;
        surface->Unlock(nullptr);
        return rows;
    }
    // Writes pixel (x, y) = f(x, y) for the whole surface.
    template <typename F> static void Paint(LPDIRECTDRAWSURFACE surface, F f)
    {
        DDSURFACEDESC desc {};
        desc.dwSize = DDSURFACEDESC_SIZE;
        ASSERT_EQ(surface->Lock(nullptr, &desc, DDLOCK_WAIT, nullptr), DD_OK);
        auto* bytes = static_cast<BYTE*>(desc.lpSurface);
        for (DWORD y = 0; y < desc.dwHeight; ++y) {
            for (DWORD x = 0; x < desc.dwWidth; ++x) bytes[y * desc.lPitch + x] = f(x, y);
        }
        surface->Unlock(nullptr);
    }
    static BYTE Pixel(LPDIRECTDRAWSURFACE surface, DWORD x, DWORD y)
    {
        LONG pitch = 0;
        return Rows(surface, &pitch)[y * pitch + x];
    }
    // Shows a palette whose entry index is colour on the primary, which keeps its own reference.
    void ShowPalette(LPDIRECTDRAWSURFACE primary, int index, PALETTEENTRY colour)
    {
        PALETTEENTRY entries[256] {};
        entries[index] = colour;
        LPDIRECTDRAWPALETTE palette = nullptr;
        ASSERT_EQ(dd->CreatePalette(DDPCAPS_8BIT | DDPCAPS_ALLOW256, entries, &palette, nullptr),
                  DD_OK);
        ASSERT_EQ(primary->SetPalette(palette), DD_OK);
        palette->Release();
    }

    LPDIRECTDRAW dd = nullptr;
};

TEST_F(SurfaceStoreTest, RowsAreSpacedWiderThanTheyAreLongAndRecordsOfTheWrongSizeRefused)
{
    for (DWORD width : {1u, 48u, 63u, 64u, 640u}) {
        LPDIRECTDRAWSURFACE surface = MakeSystem(width, 2);
        DDSURFACEDESC desc {};
        desc.dwSize = DDSURFACEDESC_SIZE;
        ASSERT_EQ(surface->GetSurfaceDesc(&desc), DD_OK);
        EXPECT_GT(desc.lPitch, static_cast<LONG>(width));
        EXPECT_EQ(desc.lPitch % 64, 0);
        EXPECT_EQ(desc.ddpfPixelFormat.dwRGBBitCount, 8u);
        EXPECT_TRUE(desc.dwFlags & DDSD_PIXELFORMAT);
        desc.dwSize = sizeof(desc);
        EXPECT_EQ(surface->Lock(nullptr, &desc, DDLOCK_WAIT, nullptr), DDERR_INVALIDPARAMS);
        DDBLTFX fx {};
        fx.dwSize = 96;
        EXPECT_EQ(surface->Blt(nullptr, nullptr, nullptr, DDBLT_COLORFILL, &fx),
                  DDERR_INVALIDPARAMS);
    }
    DDCAPS caps {};
    caps.dwSize = 100;
    EXPECT_EQ(dd->GetCaps(&caps, nullptr), DDERR_INVALIDPARAMS);
}

TEST_F(SurfaceStoreTest, VideoMemoryRunsOutWhileSystemMemoryServes)
{
    platform::SetVideoMemory(704 * 480 + 100);
    LPDIRECTDRAWSURFACE first = Make(640, 480, DDSCAPS_OFFSCREENPLAIN);
    ASSERT_NE(first, nullptr);
    DDCAPS caps {};
    caps.dwSize = DDCAPS_SIZE;
    ASSERT_EQ(dd->GetCaps(&caps, nullptr), DD_OK);
    EXPECT_EQ(caps.dwVidMemTotal, 704u * 480 + 100);
    EXPECT_EQ(caps.dwVidMemFree, 100u);

    HRESULT result = DD_OK;
    EXPECT_EQ(Make(640, 480, DDSCAPS_OFFSCREENPLAIN, &result), nullptr);
    EXPECT_EQ(result, DDERR_OUTOFVIDEOMEMORY);
    LPDIRECTDRAWSURFACE system = MakeSystem(640, 480);
    ASSERT_NE(system, nullptr);
    DDSURFACEDESC desc {};
    desc.dwSize = DDSURFACEDESC_SIZE;
    system->GetSurfaceDesc(&desc);
    EXPECT_TRUE(desc.ddsCaps.dwCaps & DDSCAPS_SYSTEMMEMORY);

    first->Release(); // gives its memory back
    LPDIRECTDRAWSURFACE again = Make(640, 480, DDSCAPS_OFFSCREENPLAIN);
    ASSERT_NE(again, nullptr);
    again->GetSurfaceDesc(&desc);
    EXPECT_TRUE(desc.ddsCaps.dwCaps & DDSCAPS_VIDEOMEMORY);
}

TEST_F(SurfaceStoreTest, ThePrimaryCarriesOneBackBufferAndIsTheDisplay)
{
    LPDIRECTDRAWSURFACE primary = MakePrimary(1);
    ASSERT_NE(primary, nullptr);
    DDSCAPS caps {DDSCAPS_BACKBUFFER};
    LPDIRECTDRAWSURFACE back = nullptr;
    ASSERT_EQ(primary->GetAttachedSurface(&caps, &back), DD_OK);
    ASSERT_NE(back, nullptr);
    EXPECT_NE(back, primary);

    platform::DisplayView view {};
    ASSERT_TRUE(platform::GetDisplayView(&view));
    EXPECT_EQ(view.width, 640u);
    EXPECT_EQ(view.height, 480u);
    EXPECT_EQ(view.palette, nullptr);

    Paint(back, [](DWORD x, DWORD y) { return static_cast<BYTE>(x + y); });
    EXPECT_EQ(primary->BltFast(0, 0, back, nullptr, DDBLTFAST_WAIT), DD_OK);
    ShowPalette(primary, 7, {1, 2, 3, 0});

    ASSERT_TRUE(platform::GetDisplayView(&view));
    EXPECT_EQ(view.pixels[479 * view.pitch + 3], static_cast<BYTE>(482));
    ASSERT_NE(view.palette, nullptr);
    EXPECT_EQ(view.palette[7].peBlue, 3);

    HRESULT result = DD_OK;
    EXPECT_EQ(MakePrimary(0, &result), nullptr); // one primary at a time
    EXPECT_EQ(result, DDERR_PRIMARYSURFACEALREADYEXISTS);
    primary->Release(); // takes the back buffer with it
    EXPECT_FALSE(platform::GetDisplayView(&view));
}

TEST_F(SurfaceStoreTest, KeyedBlitsLeaveKeyPixelsOut)
{
    LPDIRECTDRAWSURFACE dest = MakeSystem(40, 3);
    LPDIRECTDRAWSURFACE sprite = MakeSystem(37, 3); // odd width: word loop and tail both run
    Paint(dest, [](DWORD, DWORD) { return BYTE {9}; });
    Paint(sprite, [](DWORD x, DWORD) { return static_cast<BYTE>(x % 3 == 0 ? 255 : x); });
    DDCOLORKEY key {255, 255};
    ASSERT_EQ(sprite->SetColorKey(DDCKEY_SRCBLT, &key), DD_OK);
    ASSERT_EQ(dest->BltFast(1, 0, sprite, nullptr, DDBLTFAST_SRCCOLORKEY | DDBLTFAST_WAIT), DD_OK);
    for (DWORD x = 0; x < 37; ++x) {
        EXPECT_EQ(Pixel(dest, x + 1, 2), x % 3 == 0 ? 9 : x) << x;
    }
    EXPECT_EQ(Pixel(dest, 0, 0), 9);
    // Without the key flag the key index is copied like any other.
    ASSERT_EQ(dest->BltFast(0, 0, sprite, nullptr, DDBLTFAST_WAIT), DD_OK);
    EXPECT_EQ(Pixel(dest, 0, 0), 255);
    // A key range leaves out every index in it.
    DDCOLORKEY range {1, 4};
    sprite->SetColorKey(DDCKEY_SRCBLT, &range);
    Paint(dest, [](DWORD, DWORD) { return BYTE {9}; });
    RECT wide {0, 0, 37, 3};
    ASSERT_EQ(dest->Blt(&wide, sprite, nullptr, DDBLT_KEYSRC, nullptr), DD_OK);
    EXPECT_EQ(Pixel(dest, 2, 1), 9);
    EXPECT_EQ(Pixel(dest, 5, 1), 5);
}

TEST_F(SurfaceStoreTest,
       BlitsAndFillsReachingOutsideDrawOnlyTheirVisiblePartAndOverlapsReadOldPixels)
{
    LPDIRECTDRAWSURFACE dest = MakeSystem(10, 10);
    LPDIRECTDRAWSURFACE block = MakeSystem(4, 4);
    Paint(block, [](DWORD x, DWORD y) { return static_cast<BYTE>(1 + x + 4 * y); });
    EXPECT_EQ(dest->BltFast(8, 8, block, nullptr, DDBLTFAST_WAIT), DD_OK);
    EXPECT_EQ(dest->BltFast(static_cast<DWORD>(-2), static_cast<DWORD>(-3), block, nullptr, 0),
              DD_OK);
    LONG pitch = 0;
    const std::vector<BYTE> rows = Rows(dest, &pitch);
    EXPECT_EQ(rows[8 * pitch + 8], 1);
    EXPECT_EQ(rows[9 * pitch + 9], 6);
    EXPECT_EQ(rows[0], 15); // block pixel (2, 3)
    EXPECT_EQ(rows[1], 16);
    EXPECT_EQ(rows[1 * pitch], 0);
    for (LONG y = 0; y < 10; ++y) {
        for (LONG x = 10; x < pitch; ++x) ASSERT_EQ(rows[y * pitch + x], 0) << x << "," << y;
    }
    RECT outside {20, 20, 30, 30};
    EXPECT_EQ(dest->BltFast(0, 0, block, &outside, 0), DDERR_INVALIDRECT);
    // A colour fill covers its clipped rectangle.
    DDBLTFX fx {};
    fx.dwSize = DDBLTFX_SIZE;
    fx.dwFillColor = 42;
    RECT corner {3, 3, 50, 50};
    ASSERT_EQ(dest->Blt(&corner, nullptr, nullptr, DDBLT_COLORFILL, &fx), DD_OK);
    EXPECT_EQ(Pixel(dest, 9, 9), 42);
    EXPECT_EQ(Pixel(dest, 2, 9), 0);
    fx.dwFillColor = 7;
    ASSERT_EQ(dest->Blt(nullptr, nullptr, nullptr, DDBLT_COLORFILL, &fx), DD_OK);
    EXPECT_EQ(Pixel(dest, 0, 0), 7);
    // A blit onto itself reads the old pixels.
    Paint(dest, [](DWORD x, DWORD) { return static_cast<BYTE>(x); });
    RECT head {0, 0, 6, 1};
    ASSERT_EQ(dest->BltFast(2, 0, dest, &head, 0), DD_OK);
    const std::vector<BYTE> row = Rows(dest);
    EXPECT_EQ(std::vector<BYTE>(row.begin(), row.begin() + 8),
              (std::vector<BYTE> {0, 1, 0, 1, 2, 3, 4, 5}));
}

TEST_F(SurfaceStoreTest, StretchingSamplesTheNearestPixelAndClipsAtTheBottom)
{
    LPDIRECTDRAWSURFACE screen = MakeSystem(640, 480);
    LPDIRECTDRAWSURFACE picture = MakeSystem(4, 4);
    Paint(picture, [](DWORD x, DWORD y) { return static_cast<BYTE>(10 * y + x); });
    RECT doubled {0, 0, 8, 8};
    ASSERT_EQ(screen->Blt(&doubled, picture, nullptr, DDBLT_WAIT, nullptr), DD_OK);
    EXPECT_EQ(Pixel(screen, 0, 0), 0);
    EXPECT_EQ(Pixel(screen, 1, 1), 0);
    EXPECT_EQ(Pixel(screen, 2, 1), 1);
    EXPECT_EQ(Pixel(screen, 7, 7), 33);

    // A zoom rectangle that reaches below the last row still draws its upper part.
    RECT zoom {100, 440, 140, 520};
    ASSERT_EQ(screen->Blt(&zoom, picture, nullptr, DDBLT_WAIT, nullptr), DD_OK);
    EXPECT_EQ(Pixel(screen, 100, 440), 0);
    EXPECT_EQ(Pixel(screen, 139, 479), 13); // 40 rows of 80 show the picture's top half
    RECT shrink {0, 0, 2, 2};
    ASSERT_EQ(screen->Blt(&shrink, picture, nullptr, 0, nullptr), DD_OK);
    EXPECT_EQ(Pixel(screen, 1, 1), 33);
}

TEST_F(SurfaceStoreTest, ADeviceContextOrALockHoldsTheSurfaceAlone)
{
    LPDIRECTDRAWSURFACE primary = MakePrimary(0);
    ShowPalette(primary, 1, {200, 100, 50, 0});

    LPDIRECTDRAWSURFACE surface = MakeSystem(30, 20);
    HDC dc = nullptr;
    ASSERT_EQ(surface->GetDC(&dc), DD_OK);
    EXPECT_EQ(dc->width, 30u);
    EXPECT_EQ(dc->height, 20u);
    ASSERT_NE(dc->palette, nullptr);
    EXPECT_EQ(dc->palette[1].peRed, 200);
    dc->pixels[2 * dc->pitch + 5] = 77;
    HDC again = nullptr;
    EXPECT_EQ(surface->GetDC(&again), DDERR_DCALREADYCREATED);
    DDSURFACEDESC desc {};
    desc.dwSize = DDSURFACEDESC_SIZE;
    EXPECT_EQ(surface->Lock(nullptr, &desc, DDLOCK_WAIT, nullptr), DDERR_SURFACEBUSY);
    EXPECT_EQ(surface->ReleaseDC(dc), DD_OK);
    EXPECT_EQ(surface->ReleaseDC(dc), DDERR_NODC);
    EXPECT_EQ(Pixel(surface, 5, 2), 77);
    // A locked surface refuses a second lock, blits and a device context.
    ASSERT_EQ(surface->Lock(nullptr, &desc, DDLOCK_WAIT, nullptr), DD_OK);
    EXPECT_TRUE(desc.dwFlags & DDSD_LPSURFACE);
    EXPECT_EQ(surface->Lock(nullptr, &desc, DDLOCK_WAIT, nullptr), DDERR_SURFACEBUSY);
    EXPECT_EQ(primary->BltFast(0, 0, surface, nullptr, 0), DDERR_SURFACEBUSY);
    EXPECT_EQ(surface->GetDC(&dc), DDERR_SURFACEBUSY);
    EXPECT_EQ(surface->Unlock(nullptr), DD_OK);
    EXPECT_EQ(surface->Unlock(nullptr), DDERR_NOTLOCKED);
}

TEST_F(SurfaceStoreTest, ArmedFailuresHitTheNamedOperationOnly)
{
    LPDIRECTDRAWSURFACE surface = MakeSystem(2, 2);
    DDSURFACEDESC desc {};
    desc.dwSize = DDSURFACEDESC_SIZE;
    platform::FailOperation("Lock", DDERR_SURFACEBUSY, 1, 1);
    platform::FailOperation("CreateSurface", DDERR_OUTOFMEMORY);
    ASSERT_EQ(surface->Lock(nullptr, &desc, 0, nullptr), DD_OK); // skipped once
    ASSERT_EQ(surface->Unlock(nullptr), DD_OK);
    EXPECT_EQ(surface->Lock(nullptr, &desc, 0, nullptr), DDERR_SURFACEBUSY);
    EXPECT_EQ(surface->Lock(nullptr, &desc, 0, nullptr), DD_OK); // used up
    surface->Unlock(nullptr);
    HRESULT result = DD_OK;
    EXPECT_EQ(Make(2, 2, DDSCAPS_OFFSCREENPLAIN, &result), nullptr);
    EXPECT_EQ(result, DDERR_OUTOFMEMORY);
}

// What the presenter is told: each write to the primary as its rectangle, clipped to it.
TEST_F(SurfaceStoreTest, EachWriteToTheScreenIsNotedAsItsClippedRectangle)
{
    LPDIRECTDRAWSURFACE primary = MakePrimary(0);
    LPDIRECTDRAWSURFACE sprite = MakeSystem(20, 20);
    platform::DisplayChanges changes;
    platform::TakeDisplayChanges(changes);
    EXPECT_TRUE(changes.everything); // a new primary is shown whole
    using Corners = std::array<LONG, 4>;
    // The one rectangle noted since the last call.
    const auto noted = [&changes] {
        platform::TakeDisplayChanges(changes);
        EXPECT_FALSE(changes.everything);
        if (changes.rects.size() != 1) return Corners {-1, -1, -1, -1};
        const RECT& r = changes.rects[0];
        return Corners {r.left, r.top, r.right, r.bottom};
    };

    ASSERT_EQ(primary->BltFast(630, 470, sprite, nullptr, DDBLTFAST_WAIT), DD_OK);
    EXPECT_EQ(noted(), (Corners {630, 470, 640, 480}));
    RECT stretched {600, -40, 700, 60};
    ASSERT_EQ(primary->Blt(&stretched, sprite, nullptr, DDBLT_WAIT, nullptr), DD_OK);
    EXPECT_EQ(noted(), (Corners {600, 0, 640, 60}));
    DDBLTFX fx {};
    fx.dwSize = DDBLTFX_SIZE;
    RECT fill {-5, -5, 10, 12};
    ASSERT_EQ(primary->Blt(&fill, nullptr, nullptr, DDBLT_COLORFILL | DDBLT_WAIT, &fx), DD_OK);
    EXPECT_EQ(noted(), (Corners {0, 0, 10, 12}));

    DDSURFACEDESC desc {};
    desc.dwSize = DDSURFACEDESC_SIZE;
    RECT locked {10, 20, 31, 45};
    ASSERT_EQ(primary->Lock(&locked, &desc, DDLOCK_WAIT, nullptr), DD_OK);
    primary->Unlock(nullptr);
    EXPECT_EQ(noted(), (Corners {10, 20, 31, 45}));
    ASSERT_EQ(primary->Lock(nullptr, &desc, DDLOCK_WAIT, nullptr), DD_OK);
    primary->Unlock(nullptr);
    EXPECT_EQ(noted(), (Corners {0, 0, 640, 480}));

    HDC dc = nullptr;
    ASSERT_EQ(primary->GetDC(&dc), DD_OK);
    const HBRUSH brush = CreateSolidBrush(RGB(255, 0, 0));
    RECT box {630, 5, 660, 15};
    FillRect(dc, &box, brush);
    DeleteObject(brush);
    primary->ReleaseDC(dc);
    EXPECT_EQ(noted(), (Corners {630, 5, 640, 15}));
    ASSERT_EQ(primary->GetDC(&dc), DD_OK);
    SetBkMode(dc, TRANSPARENT);
    TextOutA(dc, 100, 200, "W", 1);
    primary->ReleaseDC(dc);
    const auto [left, top, right, bottom] = noted();
    EXPECT_GE(left, 100);
    EXPECT_GE(top, 200);
    EXPECT_LT(left, right);
    EXPECT_LT(bottom, 240);

    // Writes elsewhere, and writes that fail, leave the screen as it was.
    ASSERT_EQ(sprite->BltFast(0, 0, primary, nullptr, DDBLTFAST_WAIT), DD_OK);
    ASSERT_EQ(primary->GetDC(&dc), DD_OK);
    EXPECT_EQ(primary->BltFast(0, 0, sprite, nullptr, DDBLTFAST_WAIT), DDERR_SURFACEBUSY);
    primary->ReleaseDC(dc);
    platform::TakeDisplayChanges(changes);
    EXPECT_FALSE(changes.everything);
    EXPECT_TRUE(changes.rects.empty());
    EXPECT_FALSE(platform::DisplayHasChanges());
}

TEST_F(SurfaceStoreTest, APaletteChangesEverythingAndManyWritesFoldIntoTheirBounds)
{
    LPDIRECTDRAWSURFACE primary = MakePrimary(0);
    platform::DisplayChanges changes;
    platform::TakeDisplayChanges(changes);
    DDBLTFX fx {};
    fx.dwSize = DDBLTFX_SIZE;
    for (LONG i = 0; i < 40; ++i) {
        RECT dot {10 * i, 2 * i, 10 * i + 1, 2 * i + 1};
        primary->Blt(&dot, nullptr, nullptr, DDBLT_COLORFILL, &fx);
        primary->Blt(&dot, nullptr, nullptr, DDBLT_COLORFILL, &fx); // already noted
    }
    platform::TakeDisplayChanges(changes);
    ASSERT_FALSE(changes.rects.empty());
    EXPECT_LE(changes.rects.size(), 32u);
    RECT bounds = changes.rects[0];
    for (const RECT& rect : changes.rects) {
        bounds = {std::min(bounds.left, rect.left), std::min(bounds.top, rect.top),
                  std::max(bounds.right, rect.right), std::max(bounds.bottom, rect.bottom)};
    }
    EXPECT_EQ(bounds.left, 0);
    EXPECT_EQ(bounds.right, 391);
    EXPECT_EQ(bounds.bottom, 79);

    RECT dot {1, 1, 2, 2};
    primary->Blt(&dot, nullptr, nullptr, DDBLT_COLORFILL, &fx);
    ShowPalette(primary, 0, {});
    primary->Blt(&dot, nullptr, nullptr, DDBLT_COLORFILL, &fx);
    platform::TakeDisplayChanges(changes);
    EXPECT_TRUE(changes.everything);
    EXPECT_TRUE(changes.rects.empty());
}

} // namespace
