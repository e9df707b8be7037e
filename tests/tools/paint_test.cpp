#include <gtest/gtest.h>

#include "tools/make_assets/art/lettering.h"
#include "tools/make_assets/art/paint.h"
#include "tools/make_assets/art/random.h"

namespace {

using namespace art;

constexpr BYTE KEY = TRANSPARENT_KEY;

int Count(const Picture& picture, BYTE index)
{
    return static_cast<int>(std::count(picture.pixels.begin(), picture.pixels.end(), index));
}

TEST(PaintTest, DitheredShadeAveragesToTheAskedLevel)
{
    const Ramp ramp {100, 5}; // steps 0 to 4
    for (float level : {0.0f, 0.3f, 0.55f, 1.0f}) {
        double sum = 0;
        for (int y = 0; y < 4; ++y) {
            for (int x = 0; x < 4; ++x) sum += Shade(ramp, level, x, y) - ramp.first;
        }
        EXPECT_NEAR(sum / 16.0, level * 4.0, 0.26) << level;
    }
    EXPECT_EQ(ShadeSteps(ramp, 2, 3, -5.0f, 0, 0), ramp.At(2)); // clamped to its steps
    EXPECT_EQ(ShadeSteps(ramp, 2, 3, 5.0f, 3, 3), ramp.At(3));
    EXPECT_EQ(BandSteps(ramp, 0, 4, 0.3f), ramp.At(1)); // the nearest step, 1.2
    EXPECT_EQ(BandSteps(ramp, 0, 4, 0.4f), ramp.At(2)); // 1.6
    EXPECT_EQ(BandSteps(ramp, 1, 3, 2.0f), ramp.At(3));
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

TEST(PaintTest, OutlineAddsOneRingRoundTheShapeOnly)
{
    Picture picture("p", 9, 9, 0, KEY);
    picture.Set(4, 4, 1);
    OutlineShape(picture, 2);
    EXPECT_EQ(Count(picture, 2), 4); // the four neighbours, not the corners
    EXPECT_EQ(picture.At(4, 4), 1);
    OutlineShape(picture, 3);
    EXPECT_EQ(Count(picture, 3), 8);
    EdgeShade(picture, 0, -1, 5); // opaque pixels with open sky above
    EXPECT_EQ(picture.At(4, 2), 5);
    EXPECT_EQ(picture.At(4, 4), 1);
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

TEST(PaintTest, NoiseIsRepeatableSmoothAndInRange)
{
    for (int i = 0; i < 200; ++i) {
        const float x = static_cast<float>(i) * 0.37f;
        const float v = FractalNoise(x, 1.5f, 4, 9);
        EXPECT_GE(v, 0.0f);
        EXPECT_LE(v, 1.0f);
        EXPECT_EQ(v, FractalNoise(x, 1.5f, 4, 9));
        EXPECT_LT(std::abs(ValueNoise(x + 0.01f, 2.0f, 3) - ValueNoise(x, 2.0f, 3)), 0.05f);
    }
    Random a(5);
    Random b(5);
    for (int i = 0; i < 10; ++i) EXPECT_EQ(a.Next(), b.Next());
}

TEST(LetteringTest, AStretchedMaskFillsItsBoxFromEdgeToEdge)
{
    const Picture mask = TextMask(DisplayFont(48), "HI", 60, 30);
    ASSERT_EQ(mask.width, 60);
    ASSERT_EQ(mask.height, 30);
    bool left = false, right = false, top = false, bottom = false;
    for (int i = 0; i < 30; ++i) {
        left |= mask.Opaque(0, i);
        right |= mask.Opaque(59, i);
    }
    for (int i = 0; i < 60; ++i) {
        top |= mask.Opaque(i, 0);
        bottom |= mask.Opaque(i, 29);
    }
    EXPECT_TRUE(left && right && top && bottom);
}

TEST(LetteringTest, LetteringIsRingedByItsOutlinesAndLabelsUseOneColour)
{
    Picture picture("p", 120, 60, 0, KEY);
    const LetteringStyle style {FIRE, 40, 41, 2, 0, BLACK};
    const Picture mask = TextMask(DisplayFont(48), "O", 40, 40);
    DrawLettering(picture, mask, 10, 10, style);
    EXPECT_GT(Count(picture, 40), 0);
    EXPECT_GT(Count(picture, 41), Count(picture, 40)); // two rings outside, one inside
    // Every ink pixel's outside neighbour is an outline, never transparency.
    for (int y = 0; y < picture.height; ++y) {
        for (int x = 0; x + 1 < picture.width; ++x) {
            const BYTE p = picture.At(x, y);
            if (p < FIRE.first || p > FIRE.Last()) continue;
            EXPECT_NE(picture.At(x + 1, y), KEY) << x << "," << y;
        }
    }
    Picture label("l", 100, 20, 0);
    DrawLabel(label, LabelFont(14), "KILLS", 2, 2, 6);
    EXPECT_GT(Count(label, 6), 30);
    EXPECT_EQ(Count(label, 6) + Count(label, 0), 100 * 20);
}

} // namespace
