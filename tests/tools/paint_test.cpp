#include <gtest/gtest.h>

#include "tools/make_assets/art/paint.h"

namespace {

using namespace art;

constexpr BYTE KEY = TRANSPARENT_KEY;

int Count(const Picture& picture, BYTE index)
{
    return static_cast<int>(std::count(picture.pixels.begin(), picture.pixels.end(), index));
}

TEST(PaintTest, ShapesFillTheirPixelsAndNothingOutsideThePicture)
{
    Picture picture("p", 20, 20, 0);
    FillPolygon(picture, {{2, 2}, {12, 2}, {12, 7}, {2, 7}}, 9);
    EXPECT_EQ(Count(picture, 9), 10 * 5);
    EXPECT_EQ(picture.At(2, 2), 9);
    EXPECT_EQ(picture.At(12, 2), 0);         // right and bottom edges are exclusive
    FillEllipse(picture, {0, 0}, 30, 30, 4); // reaches far past every edge without harm
    EXPECT_EQ(Count(picture, 4) + Count(picture, 9), 20 * 20 - Count(picture, 0));
    EXPECT_EQ(picture.At(0, 0), 4);
}

TEST(PaintTest, StampKeepsWhatLiesUnderTransparentPixels)
{
    Picture target("t", 4, 4, 7);
    Picture source("s", 2, 2, 0, KEY);
    source.Set(1, 1, 3);
    Stamp(target, source, 2, 2);
    EXPECT_EQ(Count(target, 3), 1);
    EXPECT_EQ(target.At(3, 3), 3);
    EXPECT_EQ(target.At(2, 2), 7);
    const Picture large = Enlarged(source, 3);
    EXPECT_EQ(large.width, 6);
    EXPECT_EQ(Count(large, 3), 9);
    EXPECT_EQ(large.key, source.key);
}

} // namespace
