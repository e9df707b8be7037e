#include <cstring>

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

constexpr BYTE sentinel = 0xA5;

class ImageReaderTest : public test::GraphicsTest {
protected:
    LPDIRECTDRAWSURFACE Blank(LONG width, LONG height, BYTE value = 0x5A)
    {
        LPDIRECTDRAWSURFACE surface = CreateSystemSurface(width, height);
        FillSurface(surface, value);
        return surface;
    }
    // A 48 x 48 surface (as the packs' sprites use) whose every byte, row padding included,
    // holds the sentinel.
    static LPDIRECTDRAWSURFACE Sentinels()
    {
        LPDIRECTDRAWSURFACE surface = CreateSystemSurface(48, 48);
        DDSURFACEDESC desc {};
        desc.dwSize = DDSURFACEDESC_SIZE;
        surface->Lock(nullptr, &desc, DDLOCK_WAIT, nullptr);
        std::memset(desc.lpSurface, sentinel,
                    static_cast<std::size_t>(desc.lPitch) * desc.dwHeight);
        surface->Unlock(nullptr);
        return surface;
    }
    // True when no byte past the end of any row was written.
    static bool PaddingIntact(LPDIRECTDRAWSURFACE surface)
    {
        DDSURFACEDESC desc {};
        desc.dwSize = DDSURFACEDESC_SIZE;
        surface->Lock(nullptr, &desc, DDLOCK_WAIT, nullptr);
        const auto* bytes = static_cast<const BYTE*>(desc.lpSurface);
        bool intact = true;
        for (DWORD y = 0; y < desc.dwHeight; ++y) {
            for (LONG x = static_cast<LONG>(desc.dwWidth); x < desc.lPitch; ++x) {
                intact = intact && bytes[y * desc.lPitch + x] == sentinel;
            }
        }
        surface->Unlock(nullptr);
        return intact;
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

Bytes WithMethod(BYTE method)
{
    Bytes chunk = qvx::ImageChunk(qvx::Image {2, 2, 8, {1, 2, 3, 4}}, 0);
    chunk[15] = method;
    return fileHeader + chunk + qvx::EndChunk();
}

// Packed data really present and past what one block may hold; its unread payload is then
// taken for the next chunk header: let it be the end.
Bytes Vast()
{
    Bytes chunk = qvx::ImageChunk(qvx::Image {2, 2, 8, {1, 2, 3, 4}}, 1);
    chunk.resize(16 + MEM_ALLOC_LIMIT, 0);
    WriteLe32(&chunk[4], static_cast<DWORD>(chunk.size() - 8));
    WriteLe32(&chunk[16], TAG_END);
    WriteLe32(&chunk[20], 0);
    return fileHeader + chunk;
}

// Streams read into a 2 x 2 (or 3 x 3, 4 x 4) surface of 0x5A: what the reader answers, what
// the surface then holds (empty: untouched) and what the log says.
TEST_F(ImageReaderTest, EachStreamGivesItsResultPixelsAndLog)
{
    const auto image = [](WORD size) { return TestImage(size, size); };
    Bytes open = qvx::QvxFile({image(4), std::nullopt, std::nullopt}, 0);
    open.resize(open.size() - 8); // no "EOF!": the chunks still apply
    const Bytes plain = qvx::QvxFile({image(2), std::nullopt, std::nullopt}, 0);
    const struct {
        const char* name;
        Bytes file;
        const char* fail; // an operation made to fail, or none
        DWORD result;
        std::vector<BYTE> pixels;
        std::string log;
    } cases[] = {
        {"smallest",
         {'Q', 'V', 'x', '3', 0, 0, 0, 0, 'Q', 'V', 'X', 'I', 12,  0,   0, 0, 2, 0,
          2,   0,   0,   0,   8, 0, 1, 2, 3,   4,   'E', 'O', 'F', '!', 0, 0, 0, 0},
         nullptr,
         0,
         {1, 2, 3, 4},
         ""},
        {"open", open, nullptr, IMG_STREAM_ENDED, image(4).pixels,
         "open.qvx finisce prima di EOF!\n"},
        {"end", fileHeader + qvx::EndChunk() + qvx::ImageChunk(image(2), 0), nullptr, 0, {}, ""},
        // An unknown header's payload is not skipped: the image chunk comes right after it.
        {"unknown",
         fileHeader + Bytes {'J', 'U', 'N', 'K', 50, 0, 0, 0} + qvx::ImageChunk(image(3), 2)
             + qvx::EndChunk(),
         nullptr, 0, image(3).pixels, "BAD QVX FORMAT or TAG unsopported\r\n"},
        // Without a decoder the pixel bytes are read as the next chunk header, which is short.
        {"method4",
         WithMethod(4),
         nullptr,
         IMG_STREAM_ENDED,
         {},
         "No Decompressor Avaiable\r\nBAD QVX FORMAT or TAG unsopported\r\n"
         "method4.qvx finisce prima di EOF!\n"},
        {"method255",
         WithMethod(255),
         nullptr,
         IMG_STREAM_ENDED,
         {},
         "No Decompressor Avaiable\r\nBAD QVX FORMAT or TAG unsopported\r\n"
         "method255.qvx finisce prima di EOF!\n"},
        {"unmade",
         fileHeader + qvx::PaletteChunk(RampPalette(), 0) + qvx::ImageChunk(image(2), 0)
             + qvx::EndChunk(),
         nullptr, 0, image(2).pixels,
         "Win32 ERROR(:CreatePalette): code 1-0x57 \nImpossibile creare la palette"},
        {"unattached", qvx::QvxFile({image(2), RampPalette(), std::nullopt}, 0), "SetPalette",
         static_cast<DWORD>(DDERR_SURFACEBUSY), image(2).pixels,
         "DirectDraw ERROR(:SetPalette): code 1-0x1ae \n"},
        // A locked-out surface skips the pixels, which are then read as chunk headers.
        {"locked",
         plain,
         "Lock",
         IMG_STREAM_ENDED,
         {},
         "DirectDraw ERROR(:Lock): code 1-0x1ae \nBAD QVX FORMAT or TAG unsopported\r\n"
         "BAD QVX FORMAT or TAG unsopported\r\nlocked.qvx finisce prima di EOF!\n"},
        {"vast",
         Vast(),
         nullptr,
         IMG_E_NO_MEMORY,
         {},
         "OUTRANGE: OUT OF STDALLOC MEMORY RANGE\r\n"},
    };
    for (const auto& c : cases) {
        const std::string name = std::string(c.name) + ".qvx";
        WriteBytes(name.c_str(), c.file);
        const LONG size = c.pixels.size() == 16 ? 4 : c.pixels.size() == 9 ? 3 : 2;
        LPDIRECTDRAWSURFACE surface = Blank(size, size);
        const std::size_t logged = ReadFile("log.txt").size();
        if (c.fail != nullptr) platform::FailOperation(c.fail, DDERR_SURFACEBUSY);
        EXPECT_EQ(ReadImageFileResult(surface, name.c_str()), c.result) << c.name;
        platform::ClearFailures();
        const std::vector<BYTE> blank(static_cast<std::size_t>(size * size), 0x5A);
        EXPECT_EQ(Pixels(surface), c.pixels.empty() ? blank : c.pixels) << c.name;
        EXPECT_EQ(ReadFile("log.txt").substr(logged), c.log) << c.name;
        EXPECT_TRUE(std::string(c.name) != "unattached" || PaletteOf(surface).empty());
        surface->Release();
    }
}

// Every packing loads the picture with its palette; into a smaller surface it is cut to fit
// (wide enough to hold the columns that vary along the row).
TEST_F(ImageReaderTest, EveryMethodLoadsThePictureAndItsPaletteOrTheCutThatFits)
{
    const qvx::Picture picture {TestImage(37, 9), RampPalette(), std::nullopt};
    std::vector<BYTE> cut;
    for (DWORD y = 0; y < 5; ++y) {
        const auto row = picture.image.pixels.begin() + y * 37;
        cut.insert(cut.end(), row, row + 25);
    }
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
        LPDIRECTDRAWSURFACE small = Blank(25, 5);
        EXPECT_EQ(ReadImageFileResult(small, "p.qvx"), 0u);
        EXPECT_EQ(Pixels(small), cut) << int(method);
        small->Release();
    }
}

// Every cut through the headers and the first rows, then one in seven, ends the stream, into
// the fixed surface and by LoadSurface, without a byte written past a row's end.
TEST_F(ImageReaderTest, EveryTruncationEndsTheStreamHarmlessly)
{
    for (BYTE method : qvx::packingMethods) {
        const Bytes file = qvx::QvxFile({TestImage(64, 40), RampPalette(), 254}, method);
        for (std::size_t cut = 0; cut < file.size(); cut += cut < 200 ? 1 : 7) {
            WriteBytes("d.qvx", Bytes(file.begin(), file.begin() + cut));
            LPDIRECTDRAWSURFACE target = Sentinels();
            const DWORD fixed = ReadImageFileResult(target, "d.qvx");
            if (cut >= 16) {
                EXPECT_EQ(fixed, IMG_STREAM_ENDED) << int(method) << " cut " << cut;
            }
            EXPECT_TRUE(PaddingIntact(target));
            target->Release();
            DWORD load = 0;
            if (LPDIRECTDRAWSURFACE surface = LoadSurface("d.qvx", &load)) {
                EXPECT_EQ(load, IMG_STREAM_ENDED) << int(method) << " cut " << cut;
                surface->Release();
            }
        }
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

} // namespace
