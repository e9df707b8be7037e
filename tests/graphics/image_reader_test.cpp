#include "graphics/image_reader.h"
#include "support/memory.h"
#include "tests/graphics/graphics_fixture.h"

namespace {

using qvx::Bytes;

Bytes operator+(Bytes a, const Bytes& b)
{
    a.insert(a.end(), b.begin(), b.end());
    return a;
}

const Bytes fileHeader = {'Q', 'V', 'x', '3', 0, 0, 0, 0};

class ImageReaderTest : public test::GraphicsTest {
protected:
    // Reads the file into a new system surface of the given size through the game's reader.
    DWORD ReadInto(LPDIRECTDRAWSURFACE surface, const char* name)
    {
        return ReadImageFileResult(surface, name);
    }
    LPDIRECTDRAWSURFACE Blank(LONG width, LONG height, BYTE value = 0x5A)
    {
        LPDIRECTDRAWSURFACE surface = CreateSystemSurface(width, height);
        Fill(surface, value);
        return surface;
    }
    static std::vector<PALETTEENTRY> PaletteOf(LPDIRECTDRAWSURFACE surface)
    {
        LPDIRECTDRAWPALETTE palette = nullptr;
        if (surface->GetPalette(&palette) != DD_OK) return {};
        std::vector<PALETTEENTRY> entries(256);
        palette->GetEntries(0, 0, 256, entries.data());
        palette->Release();
        return entries;
    }
};

TEST_F(ImageReaderTest, TheSmallestFileFillsTwoRowsWhateverThePitch)
{
    const Bytes file = {'Q', 'V', 'x', '3', 0, 0, 0, 0, 'Q', 'V', 'X', 'I', 12,  0,   0, 0, 2, 0,
                        2,   0,   0,   0,   8, 0, 1, 2, 3,   4,   'E', 'O', 'F', '!', 0, 0, 0, 0};
    ASSERT_EQ(file.size(), 36u);
    WriteBytes("small.qvx", file);
    LPDIRECTDRAWSURFACE surface = Blank(2, 2);
    EXPECT_EQ(ReadInto(surface, "small.qvx"), 0u);
    EXPECT_EQ(Pixels(surface), (std::vector<BYTE> {1, 2, 3, 4}));
    EXPECT_EQ(LogText(), "");
}

TEST_F(ImageReaderTest, EveryMethodLoadsThePictureAndItsPalette)
{
    qvx::Picture picture {TestImage(37, 9), RampPalette(), std::nullopt};
    for (BYTE method : qvx::packingMethods) {
        WriteBytes("p.qvx", qvx::QvxFile(picture, method));
        DWORD result = 1;
        LPDIRECTDRAWSURFACE surface = LoadSurface("p.qvx", &result);
        ASSERT_NE(surface, nullptr);
        EXPECT_EQ(result, 0u); // the palette's attach result
        EXPECT_EQ(Pixels(surface), picture.image.pixels) << int(method);
        const auto palette = PaletteOf(surface);
        ASSERT_EQ(palette.size(), 256u);
        EXPECT_EQ(palette[200].peGreen, 55);
        surface->Release();
    }
}

TEST_F(ImageReaderTest, AKeyChunkMakesItsIndexTransparent)
{
    qvx::Picture picture {TestImage(8, 2), std::nullopt, 255};
    picture.image.pixels[0] = 255;
    WriteBytes("k.qvx", qvx::QvxFile(picture, 1));
    LPDIRECTDRAWSURFACE sprite = LoadSurface("k.qvx");
    LPDIRECTDRAWSURFACE screen = Blank(8, 2, 3);
    ASSERT_EQ(screen->BltFast(0, 0, sprite, nullptr, DDBLTFAST_SRCCOLORKEY), DD_OK);
    const auto pixels = Pixels(screen);
    EXPECT_EQ(pixels[0], 3);
    EXPECT_EQ(pixels[8], picture.image.pixels[8]);
}

TEST_F(ImageReaderTest, AStreamWithoutEndAppliesItsChunksAndAnswersEleven)
{
    Bytes file = qvx::QvxFile({TestImage(4, 4), std::nullopt, std::nullopt}, 0);
    file.resize(file.size() - 8); // no "EOF!"
    WriteBytes("open.qvx", file);
    LPDIRECTDRAWSURFACE surface = Blank(4, 4);
    EXPECT_EQ(ReadInto(surface, "open.qvx"), IMG_STREAM_ENDED);
    EXPECT_EQ(Pixels(surface), TestImage(4, 4).pixels);
}

TEST_F(ImageReaderTest, AnEndChunkFirstChangesNothing)
{
    WriteBytes("end.qvx", fileHeader + qvx::EndChunk() + qvx::ImageChunk(TestImage(2, 2), 0));
    LPDIRECTDRAWSURFACE surface = Blank(2, 2);
    EXPECT_EQ(ReadInto(surface, "end.qvx"), 0u);
    EXPECT_EQ(Pixels(surface), (std::vector<BYTE>(4, 0x5A)));
}

TEST_F(ImageReaderTest, AnUnknownTagIsLoggedAndTheNextHeaderFollowsIt)
{
    // The unknown header's payload is not skipped: the image chunk comes right after it.
    const Bytes unknown = {'J', 'U', 'N', 'K', 50, 0, 0, 0};
    WriteBytes("u.qvx",
               fileHeader + unknown + qvx::ImageChunk(TestImage(3, 3), 2) + qvx::EndChunk());
    LPDIRECTDRAWSURFACE surface = Blank(3, 3);
    EXPECT_EQ(ReadInto(surface, "u.qvx"), 0u);
    EXPECT_EQ(Pixels(surface), TestImage(3, 3).pixels);
    EXPECT_EQ(LogText(), "BAD QVX FORMAT or TAG unsopported\r\n");
}

TEST_F(ImageReaderTest, MethodsWithoutDecoderLeaveThePixels)
{
    for (BYTE method : {4, 5, 8, 255}) {
        Bytes chunk = qvx::ImageChunk(TestImage(2, 2), 0);
        chunk[15] = method;
        WriteBytes("m.qvx", fileHeader + chunk + qvx::EndChunk());
        LPDIRECTDRAWSURFACE surface = Blank(2, 2);
        // The pixel bytes are then read as the next chunk header, which comes up short.
        EXPECT_EQ(ReadInto(surface, "m.qvx"), IMG_STREAM_ENDED);
        EXPECT_EQ(Pixels(surface), (std::vector<BYTE>(4, 0x5A)));
        surface->Release();
    }
    EXPECT_EQ(LogText().find("No Decompressor Avaiable\r\n"), 0u);
}

TEST_F(ImageReaderTest, TheSizeQueryLooksPastOtherChunks)
{
    const Bytes stream = qvx::PaletteChunk(RampPalette()) + qvx::ColorKeyChunk(254, 254)
                         + qvx::ImageChunk(TestImage(21, 13), 3) + qvx::EndChunk();
    WriteBytes("late.qvx", fileHeader + stream);
    DWORD width = 0;
    DWORD height = 0;
    BYTE depth = 0;
    EXPECT_EQ(ReadImageInfo("late.qvx", &width, &height, &depth), 0u);
    EXPECT_EQ(width, 21u);
    EXPECT_EQ(height, 13u);
    EXPECT_EQ(depth, 8);
    EXPECT_EQ(ReadImageInfo("late.qvx", nullptr, nullptr, nullptr), 0u);

    WriteBytes("nopix.qvx", fileHeader + qvx::PaletteChunk(RampPalette()) + qvx::EndChunk());
    EXPECT_EQ(ReadImageInfo("nopix.qvx", &width, nullptr, nullptr), IMG_E_NO_CHUNK);
    WriteBytes("other.qvx", Bytes {'Q', 'V', 'x', '2', 0, 0, 0, 0} + stream);
    EXPECT_EQ(ReadImageInfo("other.qvx", &width, nullptr, nullptr), IMG_E_NOT_QVX);
    EXPECT_EQ(ReadImageInfo("none.qvx", &width, nullptr, nullptr), IMG_E_OPEN);
    EXPECT_EQ(LoadSurface("other.qvx"), nullptr);
}

TEST_F(ImageReaderTest, ANotQvxFileIsNamedInTheLog)
{
    WriteFile("x.qvx", "PNG?....");
    LPDIRECTDRAWSURFACE surface = Blank(2, 2);
    EXPECT_EQ(ReadImageFile(surface, "x.qvx"), 0u);
    EXPECT_EQ(ReadImageFile(surface, "gone.qvx"), 0u);
    EXPECT_EQ(LogText(), "ERRORE Non è un file QVX spec 3.00 valido\r\n"
                         "x.qvx non è un file QVx3\n"
                         "IMPOSSIBILE APRIRE IL FILE\r\n");
}

TEST_F(ImageReaderTest, APaletteThatCannotBeAttachedGivesTheResult)
{
    WriteBytes("pal.qvx", qvx::QvxFile({TestImage(2, 2), RampPalette(), std::nullopt}, 0));
    LPDIRECTDRAWSURFACE surface = Blank(2, 2);
    platform::FailOperation("SetPalette", DDERR_SURFACEBUSY);
    EXPECT_EQ(ReadInto(surface, "pal.qvx"), static_cast<DWORD>(DDERR_SURFACEBUSY));
    EXPECT_TRUE(PaletteOf(surface).empty());
    EXPECT_EQ(Pixels(surface), TestImage(2, 2).pixels);
    EXPECT_EQ(LogText(), "DirectDraw ERROR(:SetPalette): code 1-0x1ae \n");
}

TEST_F(ImageReaderTest, APaletteThatCannotBeMadeIsLoggedAndSkipped)
{
    const Bytes stream =
        qvx::PaletteChunk(RampPalette(), 0) + qvx::ImageChunk(TestImage(2, 2), 0) + qvx::EndChunk();
    WriteBytes("pal.qvx", fileHeader + stream);
    LPDIRECTDRAWSURFACE surface = Blank(2, 2);
    EXPECT_EQ(ReadInto(surface, "pal.qvx"), 0u);
    EXPECT_EQ(Pixels(surface), TestImage(2, 2).pixels);
    EXPECT_EQ(LogText(), "Win32 ERROR(:CreatePalette): code 1-0x57 \n"
                         "Impossibile creare la palette");
}

TEST_F(ImageReaderTest, ALockedOutSurfaceSkipsThePixels)
{
    WriteBytes("p.qvx", qvx::QvxFile({TestImage(2, 2), std::nullopt, std::nullopt}, 0));
    LPDIRECTDRAWSURFACE surface = Blank(2, 2);
    platform::FailOperation("Lock", DDERR_SURFACEBUSY);
    ReadInto(surface, "p.qvx");
    EXPECT_EQ(Pixels(surface), (std::vector<BYTE>(4, 0x5A)));
    EXPECT_EQ(LogText().find("DirectDraw ERROR(:Lock): code 1-0x1ae \n"), 0u);
}

TEST_F(ImageReaderTest, PackedDataTooLargeForMemoryIsRefused)
{
    Bytes chunk = qvx::ImageChunk(TestImage(2, 2), 1);
    chunk.resize(16 + MEM_ALLOC_LIMIT, 0); // really present, and past what one block may hold
    WriteLe32(&chunk[4], static_cast<DWORD>(chunk.size() - 8));
    // The unread payload is then taken for the next chunk header: let it be the end.
    WriteLe32(&chunk[16], TAG_END);
    WriteLe32(&chunk[20], 0);
    WriteBytes("vast.qvx", fileHeader + chunk);
    LPDIRECTDRAWSURFACE surface = Blank(2, 2);
    EXPECT_EQ(ReadInto(surface, "vast.qvx"), IMG_E_NO_MEMORY);
    EXPECT_EQ(Pixels(surface), (std::vector<BYTE>(4, 0x5A)));
    EXPECT_EQ(LogText().find("OUTRANGE: OUT OF STDALLOC MEMORY RANGE\r\n"), 0u);
}

TEST_F(ImageReaderTest, ALargerPictureIsCutToTheSurface)
{
    const qvx::Image image = TestImage(30, 20);
    for (BYTE method : qvx::packingMethods) {
        WriteBytes("big.qvx", qvx::QvxFile({image, std::nullopt, std::nullopt}, method));
        LPDIRECTDRAWSURFACE surface = Blank(7, 5);
        EXPECT_EQ(ReadInto(surface, "big.qvx"), 0u);
        std::vector<BYTE> expected;
        for (DWORD y = 0; y < 5; ++y) {
            expected.insert(expected.end(), image.pixels.begin() + y * 30,
                            image.pixels.begin() + y * 30 + 7);
        }
        EXPECT_EQ(Pixels(surface), expected) << int(method);
        surface->Release();
    }
}

} // namespace
