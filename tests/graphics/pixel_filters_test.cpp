#include "graphics/pixel_filters.h"

#include <gtest/gtest.h>

#include <memory>
#include <vector>

namespace {

struct FilterDeleter {
    void operator()(PixelFilter* filter) const { filter->operations->Destroy(filter); }
};
using Filter = std::unique_ptr<PixelFilter, FilterDeleter>;

// A 16-bit RGB layout of the given channel masks.
DDPIXELFORMAT Format(DWORD red, DWORD green, DWORD blue)
{
    return {sizeof(DDPIXELFORMAT), 0, 0, 16, red, green, blue, 0};
}

// The generic filter reads its layout from the masks: it must agree with the 565 filter.
TEST(PixelFilterTest, ColoursLandInEachLayout)
{
    Filter f565(Create565Filter());
    Filter f555(Create555Filter());
    Filter generic(CreateGenericFilter());
    const DDPIXELFORMAT format = Format(0xF800, 0x07E0, 0x001F);
    generic->operations->SetFormat(generic.get(), &format);
    EXPECT_EQ(f565->operations->MakeColor(f565.get(), 0x00FFFFFF), 0xFFFFu);
    EXPECT_EQ(f555->operations->MakeColor(f555.get(), 0x00FFFFFF), 0x7FFFu);
    EXPECT_EQ(f565->operations->MakeColor(f565.get(), 0x000000FF), 0xF800u); // red, low byte
    EXPECT_EQ(f555->operations->MakeColorRGB(f555.get(), 0, 0, 255), 0x001Fu);
    EXPECT_EQ(f565->operations->MakeColorRGB(f565.get(), 0, 255, 0), 0x07E0u);
    for (DWORD colour : {0x00FFFFFFu, 0x00123456u, 0x0000FF00u, 0x00800000u}) {
        EXPECT_EQ(generic->operations->MakeColor(generic.get(), colour),
                  f565->operations->MakeColor(f565.get(), colour))
            << colour;
    }
    EXPECT_EQ(generic->operations->MakeColorRGB(generic.get(), 1, 2, 3), 0u);
    // A channel without bits, and one whose bits lie past the 16 a pixel has.
    const DDPIXELFORMAT none = Format(0, 0x70000, 0);
    generic->operations->SetFormat(generic.get(), &none);
    EXPECT_EQ(generic->red.shift, 0u);
    EXPECT_EQ(generic->green.bits, 0u);
}

TEST(PixelFilterTest, RowsConvertFrom565To555)
{
    Filter filter(Create555Filter());
    std::vector<WORD> row = {0xFFFF, 0xF800, 0x07E0, 0x001F};
    filter->operations->ConvertRow(filter.get(), row.data(), 4);
    EXPECT_EQ(row, (std::vector<WORD> {0x7FDF, 0x7C00, 0x03C0, 0x001F}));
    filter->operations->ConvertRow(filter.get(), row.data(), 0);
    EXPECT_EQ(row[0], 0x7FDF);

    std::vector<WORD> bitmap = {0xFFFF, 0xFFFF, 0x1234, 0xF800, 0xF800, 0x5678};
    BitmapRef ref {2, 2, 6, reinterpret_cast<BYTE*>(bitmap.data())}; // pitch of three pixels
    filter->operations->ConvertBitmap(filter.get(), &ref);
    EXPECT_EQ(bitmap, (std::vector<WORD> {0x7FDF, 0x7FDF, 0x1234, 0x7C00, 0x7C00, 0x5678}));
    Filter same(Create565Filter());
    same->operations->ConvertBitmap(same.get(), &ref);
    EXPECT_EQ(bitmap[0], 0x7FDF);
}

TEST(PixelFilterTest, HalvingAndBlendingTouchOnlyTheCountPixels)
{
    Filter filter(Create565Filter());
    std::vector<WORD> row = {0xFFFF, 0xFFFF, 0xFFFF, 0xFFFF};
    filter->operations->HalveRow(filter.get(), row.data(), 3);
    EXPECT_EQ(row, (std::vector<WORD> {0x7BEF, 0x7BEF, 0x7BEF, 0xFFFF}));
    row = {0x0000, 0x0000, 0x0000, 0x1111};
    filter->operations->BlendRow(filter.get(), row.data(), 3, 0xFFFF);
    EXPECT_EQ(row, (std::vector<WORD> {0x7BEF, 0x7BEF, 0x7BEF, 0x1111}));

    Filter f555(Create555Filter());
    std::vector<WORD> column = {0x7FFF, 0x1111, 0x7FFF, 0x1111, 0x7FFF};
    f555->operations->BlendColumn(f555.get(), column.data(), 4, 2, 0x0000);
    EXPECT_EQ(column, (std::vector<WORD> {0x3DEF, 0x1111, 0x3DEF, 0x1111, 0x7FFF}));
}

TEST(PixelFilterTest, TheGenericFilterHalvesPerChannel)
{
    Filter filter(CreateGenericFilter());
    const DDPIXELFORMAT format = Format(0x7C00, 0x03E0, 0x001F);
    filter->operations->SetFormat(filter.get(), &format);
    std::vector<WORD> row = {0x7FFF, 0x7FFF, 0x8000};
    filter->operations->HalveRow(filter.get(), row.data(), 2);
    EXPECT_EQ(row, (std::vector<WORD> {0x3DEF, 0x3DEF, 0x8000}));
    filter->operations->BlendRow(filter.get(), row.data(), 1, 0x7FFF);
    EXPECT_EQ(row[0], 0x5AD6); // 15 halved, plus half of 31: 22 in every channel
    EXPECT_EQ(filter->operations->BlendColumn, nullptr);
}

} // namespace
