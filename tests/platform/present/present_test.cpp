#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdint>
#include <string>
#include <tuple>
#include <vector>

#include "platform/present/frame_expand.h"
#include "platform/present/picture_layout.h"
#include "platform/present/present_path.h"
#include "platform/present/screen_shadow.h"
#include "platform/present/sharp_fit.h"

namespace {

using namespace platform::present;

// A small screen of distinct indices and a colour table that tells them apart.
struct Screen {
    static constexpr LONG width = 13;
    static constexpr LONG height = 7;
    static constexpr std::size_t pitch = 16;
    std::vector<BYTE> pixels;
    std::vector<std::uint32_t> colours;
    Screen() : pixels(pitch * height), colours(256)
    {
        for (std::size_t i = 0; i < pixels.size(); ++i) pixels[i] = static_cast<BYTE>(i * 37 + 5);
        for (std::uint32_t i = 0; i < 256; ++i)
            colours[i] = 0xFF000000u | ((i * 0x010101u) ^ 0x5Au);
    }
    std::uint32_t Colour(LONG x, LONG y) const
    {
        return colours[pixels[static_cast<std::size_t>(y) * pitch + static_cast<std::size_t>(x)]];
    }
};

// The screen pixel an output position shows under nearest-neighbour scaling of size pixels
// onto length pixels from offset; -1 outside.
int SourceOf(int position, int size, int offset, int length)
{
    if (position < offset || position >= offset + length) return -1;
    return static_cast<int>((static_cast<long long>(position - offset) * size + size - 1) / length);
}

TEST(FrameExpandTest, OnePassEqualsExpansionThenNearestNeighbourScaling)
{
    const Screen screen;
    const RECT areas[] = {{0, 0, 13, 7}, {3, 2, 4, 3}, {1, 1, 12, 6}, {12, 0, 13, 7}};
    // Whole multiples 1 to 4, then a wider and a narrower picture between them.
    const std::pair<int, int> lengths[] = {{13, 7}, {26, 14}, {39, 21}, {52, 28}, {30, 17}, {9, 5}};
    for (const auto& [across, down] : lengths) {
        const Axis x = SpreadAxis(Screen::width, 2, across);
        const Axis y = SpreadAxis(Screen::height, 1, down);
        for (const RECT& area : areas) {
            const std::size_t pitch = static_cast<std::size_t>(across) + 5;
            std::vector<std::uint32_t> window(pitch * static_cast<std::size_t>(down + 3), 7);
            ExpandArea({screen.pixels.data(), Screen::pitch}, area, screen.colours.data(), x, y,
                       {window.data(), pitch});
            for (int row = 0; row < down + 3; ++row) {
                for (int column = 0; column < static_cast<int>(pitch); ++column) {
                    const int sx = SourceOf(column, Screen::width, 2, across);
                    const int sy = SourceOf(row, Screen::height, 1, down);
                    const bool inside =
                        sx >= area.left && sx < area.right && sy >= area.top && sy < area.bottom;
                    const std::uint32_t expected = inside ? screen.Colour(sx, sy) : 7u;
                    ASSERT_EQ(window[static_cast<std::size_t>(row) * pitch + column], expected)
                        << across << "x" << down << " at " << column << "," << row;
                }
            }
        }
    }
}

TEST(FrameExpandTest, AxesCoverTheirLengthWithPixelsOfEvenSize)
{
    const Axis whole = SpreadAxis(640, 10, 1920);
    EXPECT_EQ(whole.scale, 3);
    EXPECT_EQ(whole.start.back(), 1930);
    const Axis spread = SpreadAxis(640, 240, 1440);
    EXPECT_EQ(spread.scale, 0);
    EXPECT_EQ(spread.start.front(), 240);
    EXPECT_EQ(spread.start.back(), 1680);
    for (std::size_t i = 0; i + 1 < spread.start.size(); ++i) {
        const int size = spread.start[i + 1] - spread.start[i];
        ASSERT_TRUE(size == 2 || size == 3) << i;
    }
}

TEST(SharpFitTest, MixingWeighsEachByteAndLeavesEqualColoursAlone)
{
    EXPECT_EQ(Mix(0x12345678u, 0x9ABCDEF0u, 0), 0x12345678u);
    EXPECT_EQ(Mix(0x12345678u, 0x9ABCDEF0u, 256), 0x9ABCDEF0u);
    EXPECT_EQ(Mix(0x00FF00FFu, 0xFF00FF00u, 128), 0x7F7F7F7Fu);
    EXPECT_EQ(Mix(0xFF102030u, 0xFF102030u, 77), 0xFF102030u);
}

// The reference: the screen scaled by whole pixels into a picture of its own, then sampled
// bilinearly at each window pixel's centre.
std::uint32_t SharpReference(const Screen& screen, int x, int y, int across, int down)
{
    const auto sample = [](int position, int size, int length, int& near, int& far) {
        const int whole = std::max(1, length / size);
        const int scaled = whole * size;
        const double at = std::clamp((position + 0.5) * scaled / length - 0.5, 0.0, scaled - 1.0);
        near = static_cast<int>(at) / whole;
        far = std::min(static_cast<int>(at) + 1, scaled - 1) / whole;
        return static_cast<std::uint32_t>(std::lround((at - static_cast<int>(at)) * 256));
    };
    int left = 0, right = 0, top = 0, bottom = 0;
    const std::uint32_t wx = sample(x, Screen::width, across, left, right);
    const std::uint32_t wy = sample(y, Screen::height, down, top, bottom);
    return Mix(Mix(screen.Colour(left, top), screen.Colour(right, top), wx),
               Mix(screen.Colour(left, bottom), screen.Colour(right, bottom), wx), wy);
}

TEST(SharpFitTest, WholePixelsThenSmoothSeamsForEveryPixelThatReadsTheArea)
{
    const Screen screen;
    const RECT areas[] = {{0, 0, 13, 7}, {4, 2, 5, 3}, {12, 6, 13, 7}, {2, 1, 9, 6}};
    for (const auto& [across, down] : {std::pair {30, 17}, std::pair {16, 9}, std::pair {26, 14}}) {
        const BlendAxis x = SharpAxis(Screen::width, 3, across);
        const BlendAxis y = SharpAxis(Screen::height, 1, down);
        for (const RECT& area : areas) {
            const std::size_t pitch = static_cast<std::size_t>(across) + 6;
            std::vector<std::uint32_t> window(pitch * static_cast<std::size_t>(down + 2), 7);
            ExpandAreaSharp({screen.pixels.data(), Screen::pitch}, area, screen.colours.data(), x,
                            y, {window.data(), pitch});
            const Span columns = WindowSpan(x, area.left, area.right);
            const Span rows = WindowSpan(y, area.top, area.bottom);
            for (int row = 0; row < down + 2; ++row) {
                for (int column = 0; column < static_cast<int>(pitch); ++column) {
                    const bool inside = column >= columns.begin && column < columns.end
                                        && row >= rows.begin && row < rows.end;
                    const std::uint32_t expected =
                        inside ? SharpReference(screen, column - 3, row - 1, across, down) : 7u;
                    ASSERT_EQ(window[static_cast<std::size_t>(row) * pitch + column], expected)
                        << across << "x" << down << " at " << column << "," << row;
                }
            }
            // The span holds every window pixel that reads the area, and no other.
            for (int column = 0; column < across; ++column) {
                const auto i = static_cast<std::size_t>(column);
                const bool reads = x.second[i] >= area.left && x.first[i] < area.right;
                EXPECT_EQ(reads, column + 3 >= columns.begin && column + 3 < columns.end);
            }
        }
    }
    // At a whole multiple nothing mixes: the sharp fit is the nearest neighbour's.
    const BlendAxis whole = SharpAxis(640, 0, 1280);
    EXPECT_TRUE(
        std::all_of(whole.weight.begin(), whole.weight.end(), [](int w) { return w == 0; }));
    EXPECT_EQ(whole.first[1279], 639);
}

TEST(PictureLayoutTest, EachScalingPlacesThePictureAsNamedAndWindowPointsFallOnTheScreen)
{
    const Size screen {640, 480};
    const auto expect = [](Area area, Area wanted) {
        EXPECT_EQ(std::tie(area.x, area.y, area.width, area.height),
                  std::tie(wanted.x, wanted.y, wanted.width, wanted.height));
    };
    expect(PictureArea({1920, 1080}, screen, Scaling::Integer), {320, 60, 1280, 960});
    expect(PictureArea({1000, 700}, screen, Scaling::Integer), {180, 110, 640, 480});
    expect(PictureArea({1920, 1080}, screen, Scaling::Fit), {240, 0, 1440, 1080});
    expect(PictureArea({1920, 1080}, screen, Scaling::Stretch), {0, 0, 1920, 1080});
    expect(PictureArea({1280, 1200}, screen, Scaling::Fit), {0, 120, 1280, 960});
    expect(PictureArea({1280, 960}, screen, Scaling::Fit), {0, 0, 1280, 960});
    // Too small for the screen's own size: the integer scaling shrinks as the fit does.
    expect(PictureArea({400, 300}, screen, Scaling::Integer), {0, 0, 400, 300});
    const Area picture {240, 0, 1440, 1080};
    EXPECT_EQ(WholeMultiple(picture, screen), 2);
    const auto point = [&](int x, int y) {
        const Point at = ScreenPoint(picture, screen, {x, y});
        return std::pair {at.x, at.y};
    };
    EXPECT_EQ(point(240, 0), std::pair(0, 0));
    EXPECT_EQ(point(1679, 1079), std::pair(639, 479));
    EXPECT_EQ(point(960, 540), std::pair(320, 240));
    EXPECT_EQ(point(10, 5), std::pair(0, 2));          // the left border
    EXPECT_EQ(point(1900, 2000), std::pair(639, 479)); // beyond the corner
}

TEST(PresentPathTest, SoftwareRasterisersAndRefusalsTakeTheWindowSurface)
{
    struct Case {
        RendererChoice choice;
        bool created;
        const char* name;
        const char* gl;
        bool forced;
        PresentPath path;
    };
    const Case cases[] = {
        {RendererChoice::Auto, true, "opengl", "llvmpipe (LLVM 15.0.6, 256 bits)", false,
         PresentPath::Surface},
        {RendererChoice::Auto, true, "opengl", "Gallium 0.4 on softpipe", false,
         PresentPath::Surface},
        {RendererChoice::Auto, true, "opengles2", "Mesa SWRAST", false, PresentPath::Surface},
        {RendererChoice::Auto, true, "opengl", "Software Rasterizer", false, PresentPath::Surface},
        {RendererChoice::Auto, true, "opengl", "AMD Radeon RX 6600 (radeonsi)", false,
         PresentPath::Accelerated},
        {RendererChoice::Auto, true, "opengl", "Mesa Intel(R) UHD Graphics 620", true,
         PresentPath::Surface},
        {RendererChoice::Auto, true, "software", "", false, PresentPath::Surface},
        {RendererChoice::Auto, false, "", "", false, PresentPath::Surface},
        {RendererChoice::Accelerated, true, "opengl", "llvmpipe", false, PresentPath::Accelerated},
        {RendererChoice::Accelerated, true, "opengl", "llvmpipe", true, PresentPath::Accelerated},
        {RendererChoice::Accelerated, false, "", "", false, PresentPath::Surface},
        {RendererChoice::Software, true, "opengl", "NVIDIA GeForce GTX 1080", false,
         PresentPath::Surface},
    };
    for (const Case& c : cases) {
        const RendererFacts facts {c.created, c.name, c.gl, c.forced};
        const PathDecision decision = ChoosePresentPath(c.choice, facts);
        EXPECT_EQ(decision.path, c.path) << c.gl << " " << decision.reason;
        EXPECT_FALSE(decision.reason.empty());
    }
    EXPECT_NE(DescribeDecision(
                  ChoosePresentPath(RendererChoice::Auto, {true, "opengl", "llvmpipe", false}))
                  .find("llvmpipe"),
              std::string::npos);
    EXPECT_TRUE(DecidedWithoutRenderer(RendererChoice::Software, false));
    EXPECT_TRUE(DecidedWithoutRenderer(RendererChoice::Auto, true));
    EXPECT_FALSE(DecidedWithoutRenderer(RendererChoice::Accelerated, true));
    EXPECT_FALSE(DecidedWithoutRenderer(RendererChoice::Auto, false));
}

// A 100 x 20 screen: four tile columns (the last one narrow), three tile rows (the last short).
TEST(ScreenShadowTest, OnlyTilesThatReallyDifferAreSent)
{
    constexpr LONG pitch = 128;
    std::vector<BYTE> pixels(pitch * 20, 3);
    ScreenShadow shadow;
    std::vector<RECT> sent; // kept between frames, as the presenter keeps it
    using Rects = std::vector<std::array<LONG, 4>>;
    const auto refine = [&](std::vector<RECT> written, bool everything = false) {
        platform::DisplayChanges changes {everything, std::move(written)};
        shadow.Refine({pixels.data(), pitch, 100, 20, nullptr}, changes, sent);
        Rects corners;
        for (const RECT& r : sent) corners.push_back({r.left, r.top, r.right, r.bottom});
        return corners;
    };
    EXPECT_EQ(refine({}, true), (Rects {{0, 0, 100, 20}}));
    // The whole screen written again with the same pixels.
    EXPECT_EQ(refine({{0, 0, 100, 20}}), Rects {});

    pixels[5 * pitch + 40] = 9;  // tile column 1, row 0
    pixels[5 * pitch + 70] = 9;  // tile column 2, row 0: joins the run across
    pixels[12 * pitch + 99] = 9; // the narrow last column, row 1
    EXPECT_EQ(refine({{0, 0, 100, 20}}), (Rects {{32, 0, 96, 8}, {96, 8, 100, 16}}));

    // A change outside every written rectangle is not looked for.
    pixels[18 * pitch + 1] = 9;
    EXPECT_EQ(refine({{50, 0, 60, 8}}), Rects {});

    // Runs of the same columns in successive tile rows become one rectangle.
    pixels[2 * pitch + 1] = 1;
    pixels[10 * pitch + 1] = 1;
    EXPECT_EQ(refine({{0, 0, 10, 20}}), (Rects {{0, 0, 32, 20}}));
    // A palette change: everything again.
    EXPECT_EQ(refine({{0, 0, 1, 1}}, true), (Rects {{0, 0, 100, 20}}));
}

} // namespace
