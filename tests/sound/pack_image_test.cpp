#include "sound/pack_image.h"
#include "tests/graphics/graphics_fixture.h"
#include "tools/pack_writer/pack_writer.h"

namespace {

class PackImageTest : public test::GraphicsTest {
protected:
    // Two 3 x 2 images, then the second one's stream again under another tag.
    void WritePack()
    {
        pack_writer::PackWriter writer;
        writer.AddImage(qvx::ChunkStream({Image(10), std::nullopt, 255}, 1));
        writer.AddImage(qvx::ChunkStream({Image(20), std::nullopt, std::nullopt}, 0));
        writer.AddEntry(FourCC("QVx2"), qvx::ChunkStream({Image(30), std::nullopt, 255}, 0));
        ASSERT_TRUE(writer.Write("glim.pck"));
    }
    static qvx::Image Image(BYTE first)
    {
        qvx::Image image {3, 2, 8, {}};
        for (BYTE i = 0; i < 6; ++i) image.pixels.push_back(static_cast<BYTE>(first + i));
        return image;
    }
    static std::vector<BYTE> Expected(BYTE first)
    {
        return {first,
                static_cast<BYTE>(first + 1),
                static_cast<BYTE>(first + 2),
                static_cast<BYTE>(first + 3),
                static_cast<BYTE>(first + 4),
                static_cast<BYTE>(first + 5)};
    }
};

TEST_F(PackImageTest, ImageEntriesLoadInTurnIntoOneSurface)
{
    WritePack();
    PackArchive* pack = OpenPack("glim.pck", 0);
    ASSERT_NE(pack, nullptr);
    LPDIRECTDRAWSURFACE surface = CreateSystemSurface(3, 2);
    LoadPackImage(surface, pack, 1);
    EXPECT_EQ(Pixels(surface), Expected(20));
    LoadPackImage(surface, pack, 0);
    EXPECT_EQ(Pixels(surface), Expected(10));
    DDCOLORKEY key {};
    EXPECT_EQ(surface->GetColorKey(DDCKEY_SRCBLT, &key), DD_OK);
    EXPECT_EQ(key.dwColorSpaceLowValue, 255u);
    EXPECT_NE(pack->fileHandle, nullptr); // opened without flags: kept open
    surface->Release();
    ClosePack(pack);
    EXPECT_EQ(LogText(), "");
}

TEST_F(PackImageTest, AnEntryOfAnotherTypeLeavesTheSurfaceAlone)
{
    WritePack();
    PackArchive* pack = OpenPack("glim.pck", PACK_CLOSE_AFTER_USE);
    LPDIRECTDRAWSURFACE surface = CreateSystemSurface(3, 2);
    Fill(surface, 7);
    LoadPackImage(surface, pack, 2);
    LoadPackImage(surface, pack, 3); // beyond the directory: no type either
    EXPECT_EQ(Pixels(surface), std::vector<BYTE>(6, 7));
    LoadPackImage(surface, pack, 1);
    EXPECT_EQ(Pixels(surface), Expected(20));
    EXPECT_EQ(pack->fileHandle, nullptr); // closed again after each load
    surface->Release();
    ClosePack(pack);
    EXPECT_EQ(LogText(), "Non è un QVX3 Valido...Non è un QVX3 Valido...");
}

} // namespace
