#include "graphics/image_reader.h"
#include "tests/graphics/graphics_fixture.h"

namespace {

using SurfacesTest = test::GraphicsTest;

DWORD CapsOf(LPDIRECTDRAWSURFACE surface)
{
    DDSURFACEDESC desc {};
    desc.dwSize = DDSURFACEDESC_SIZE;
    surface->GetSurfaceDesc(&desc);
    return desc.ddsCaps.dwCaps;
}

TEST_F(SurfacesTest, VideoSurfacesFallBackToSystemMemoryWithTheirSizeLogged)
{
    LPDIRECTDRAWSURFACE small = CreateVideoSurface(24, 24);
    ASSERT_NE(small, nullptr);
    EXPECT_TRUE(CapsOf(small) & DDSCAPS_VIDEOMEMORY);
    small->Release();
    platform::SetVideoMemory(100000);
    LPDIRECTDRAWSURFACE surface = CreateVideoSurface(640, 480);
    ASSERT_NE(surface, nullptr);
    EXPECT_TRUE(CapsOf(surface) & DDSCAPS_SYSTEMMEMORY);
    // When system memory fails too there is no surface.
    platform::SetVideoMemory(0);
    platform::FailOperation("CreateSurface", DDERR_OUTOFMEMORY, 1, 1);
    EXPECT_EQ(CreateVideoSurface(8, 8), nullptr);
    EXPECT_EQ(LogText(), "DirectDraw ERROR: code 1-0x17c \n"
                         "Video Memory 100000/100000 : Impossibile creare 640 x 480 Video Surface: "
                         "DirectDraw ERROR: code 1-0x17c \n"
                         "Video Memory 0/0 : Impossibile creare 8 x 8 Video Surface: "
                         "Win32 ERROR(:CreateSurface): code 1-0xe \n");
}

TEST_F(SurfacesTest, AMissingPictureOrNullSurfaceIsNamedNotTouched)
{
    EXPECT_EQ(LoadSurface("missing.qvx"), nullptr);
    debugger.Clear();
    DDSURFACEDESC desc {};
    desc.dwSize = 77;
    EXPECT_NE(LockSurface(nullptr, &desc), 0);
    EXPECT_EQ(desc.dwSize, 77u);
    EXPECT_EQ(UnlockSurface(nullptr), 0);
    EXPECT_EQ(debugger.Text(), "Surface not initialized\r\n"); // the second line is the file's
    EXPECT_EQ(LogText(), "LoadSurface[missing.qvx]::impossibile creare la superficie\n"
                         "Surface not initialized\r\nERRORE: Surface non inizializzata\r\n");
}

TEST_F(SurfacesTest, LockingGivesThePixelFormatAndUnlockingIsReported)
{
    LPDIRECTDRAWSURFACE surface = CreateSystemSurface(10, 3);
    DDSURFACEDESC desc {};
    ASSERT_EQ(LockSurface(surface, &desc), 0);
    EXPECT_EQ(SurfaceBitDepth(desc), 8);
    EXPECT_GT(desc.lPitch, 10);
    EXPECT_EQ(UnlockSurface(surface), 0);
    EXPECT_EQ(UnlockSurface(surface), DDERR_NOTLOCKED);
    desc.dwFlags &= ~DDSD_PIXELFORMAT;
    EXPECT_EQ(SurfaceBitDepth(desc), -1);
    EXPECT_EQ(LogText(), "DirectDraw ERROR(:Unlock): code 1-0x248 \n");
}

TEST_F(SurfacesTest, DuplicatesKeepSizePixelsAndMemoryButNoKey)
{
    LPDIRECTDRAWSURFACE cursor = CreateVideoSurface(24, 24);
    FillSurface(cursor, 9);
    EXPECT_EQ(SetSurfaceColorKey(cursor, 255), 0u);
    DDCOLORKEY key {};
    ASSERT_EQ(cursor->GetColorKey(DDCKEY_SRCBLT, &key), DD_OK);
    EXPECT_EQ(key.dwColorSpaceLowValue, 255u);
    EXPECT_EQ(key.dwColorSpaceHighValue, 255u);

    LPDIRECTDRAWSURFACE copy = DuplicateSurface(cursor);
    ASSERT_NE(copy, nullptr);
    EXPECT_EQ(Pixels(copy), Pixels(cursor));
    EXPECT_EQ(Pixels(copy).size(), 24u * 24);
    EXPECT_TRUE(CapsOf(copy) & DDSCAPS_VIDEOMEMORY);
    EXPECT_EQ(copy->GetColorKey(DDCKEY_SRCBLT, &key), DDERR_NOCOLORKEY);

    platform::FailOperation("GetSurfaceDesc", DDERR_SURFACEBUSY);
    EXPECT_EQ(DuplicateSurface(cursor), nullptr);
    platform::SetVideoMemory(0); // a video surface's copy must be in video memory too
    EXPECT_EQ(DuplicateSurface(cursor), nullptr);
    EXPECT_EQ(LogText(), "");
}

TEST_F(SurfacesTest, FillingReportsABusyBlitterToItsCaller)
{
    LPDIRECTDRAWSURFACE surface = CreateSystemSurface(4, 4);
    EXPECT_EQ(FillSurface(surface, 7), DD_OK);
    EXPECT_EQ(Pixels(surface), (std::vector<BYTE>(16, 7)));
    platform::FailOperation("Blt", DDERR_WASSTILLDRAWING);
    EXPECT_EQ(FillSurface(surface, 0), DDERR_WASSTILLDRAWING);
    EXPECT_EQ(Pixels(surface), (std::vector<BYTE>(16, 7)));
}

// A size no pixel data could fill makes no surface: a 40-byte file of 4 pixel bytes may unpack
// to 2048 bytes, no more; 60000 x 60000 is refused before any allocation.
TEST_F(SurfacesTest, ASizeNoDataCouldFillMakesNoSurface)
{
    for (const auto& [width, height] : {std::pair {2048, 1}, {2049, 1}, {60000, 60000}}) {
        qvx::Bytes file = qvx::QvxFile({TestImage(2, 2), std::nullopt, std::nullopt}, 0);
        WriteLe16(&file[16], static_cast<WORD>(width));
        WriteLe16(&file[18], static_cast<WORD>(height));
        WriteBytes("sized.qvx", file);
        LPDIRECTDRAWSURFACE surface = CreateSurfaceForImage("sized.qvx");
        EXPECT_EQ(surface != nullptr, width == 2048) << width;
        if (surface != nullptr) surface->Release();
    }
    EXPECT_EQ(LoadSurface("sized.qvx"), nullptr);
}

} // namespace
