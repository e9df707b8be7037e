#include <gtest/gtest.h>

#include <algorithm>
#include <map>
#include <optional>

#include "platform/png.h"
#include "tests/tools/colour_checks.h"
#include "tools/make_assets/art/paint.h"
#include "tools/make_assets/output/icons.h"
#include "tools/make_assets/pictures/pictures.h"

namespace {

using namespace art;

const std::map<std::string, Picture>& Pictures()
{
    static const std::map<std::string, Picture> pictures = [] {
        std::map<std::string, Picture> byName;
        for (Picture& picture : GamePictures()) byName.emplace(picture.name, std::move(picture));
        return byName;
    }();
    return pictures;
}

const Picture& Get(const std::string& name) { return Pictures().at(name); }

// The least and the largest luminance in a box: white text needs a dark ground, navy a light one.
std::pair<double, double> Luminances(const Picture& picture, Box box)
{
    double darkest = 255, brightest = 0;
    for (int y = box.top; y < box.bottom; ++y) {
        for (int x = box.left; x < box.right; ++x) {
            darkest = std::min(darkest, test::Luminance(picture.At(x, y)));
            brightest = std::max(brightest, test::Luminance(picture.At(x, y)));
        }
    }
    return {darkest, brightest};
}

TEST(GamePicturesTest, EveryPictureHasTheSizeAndKeyTheGameUsesItWith)
{
    struct Expected {
        const char* name;
        int width, height;
        std::optional<BYTE> key;
    };
    const Expected expected[] = {
        {"body.qvx", 640, 480, std::nullopt},        {"glimbot.qvx", 166, 140, TITLE_PICTURE_KEY},
        {"circle.qvx", 200, 200, TITLE_PICTURE_KEY}, {"title.qvx", 340, 60, TITLE_LETTERING_KEY},
        {"cursor.qvx", 24, 24, TRANSPARENT_KEY},     {"sfonde.qvx", 640, 480, std::nullopt},
        {"credits.qvx", 640, 480, std::nullopt},     {"std.qvx", 640, 480, std::nullopt},
    };
    ASSERT_EQ(Pictures().size(), std::size(expected) + 1);
    for (const Expected& e : expected) {
        const Picture& picture = Get(e.name);
        EXPECT_EQ(picture.width, e.width) << e.name;
        EXPECT_EQ(picture.height, e.height) << e.name;
        EXPECT_EQ(picture.key, e.key) << e.name;
    }
    // The game-over picture is dropped at (208, 220) and must stay on the screen, centred.
    const Picture& gameOver = Get("gameover.qvx");
    EXPECT_EQ(gameOver.key, TRANSPARENT_KEY);
    EXPECT_LE(GAME_OVER_TOP + gameOver.height, SCREEN_HEIGHT);
    EXPECT_EQ(GAME_OVER_LEFT + gameOver.width / 2, SCREEN_WIDTH / 2);
}

TEST(GamePicturesTest, KeyIndicesAppearOnlyAsTheirOwnPicturesTransparency)
{
    for (const auto& [name, picture] : Pictures()) {
        bool transparent = false;
        bool opaque = false;
        for (BYTE p : picture.pixels) {
            if (picture.key && p == *picture.key) {
                transparent = true;
                continue;
            }
            opaque = true;
            EXPECT_LT(p, TITLE_LETTERING_KEY) << name;
            if (p >= TITLE_LETTERING_KEY) break;
        }
        EXPECT_TRUE(opaque) << name;
        EXPECT_EQ(transparent, picture.key.has_value()) << name;
    }
}

TEST(GamePicturesTest, TheGamesTextsFallOnGroundsTheyReadOn)
{
    // White kill count and score in the play screen's bottom strip.
    const Picture& play = Get("sfonde.qvx");
    const int hudBottom = HUD_TEXT_TOP + HUD_TEXT_HEIGHT + HUD_SHADOW_OFFSET;
    EXPECT_LT(
        Luminances(play, {KILLS_TEXT_LEFT, HUD_TEXT_TOP, KILLS_TEXT_LEFT + 100, hudBottom}).second,
        90);
    EXPECT_LT(
        Luminances(play, {SCORE_TEXT_LEFT, HUD_TEXT_TOP, SCORE_TEXT_LEFT + 100, hudBottom}).second,
        90);
    // White names and scores in the Killer List's rows.
    const Picture& list = Get("credits.qvx");
    const int listBottom = KILLER_FIRST_ROW + KILLER_ROW_STEP * (KILLER_ROWS - 1) + HUD_TEXT_HEIGHT;
    EXPECT_LT(Luminances(list, {KILLER_NAME_LEFT, KILLER_FIRST_ROW, 340, listBottom}).second, 90);
    EXPECT_LT(Luminances(list, {KILLER_SCORE_LEFT, KILLER_FIRST_ROW, 560, listBottom}).second, 90);
    // Dark navy version texts on the title backdrop.
    const Picture& title = Get("body.qvx");
    EXPECT_GT(
        Luminances(title, {VERSION_TEXT_LEFT, VERSION_TEXT_TOP, 630, SOUND_TEXT_TOP + 12}).first,
        150);
}

// The title's sight leaves its glimbot visible, the cursor aims at its middle and hides its
// corners, and lettering fills most of its picture.
TEST(GamePicturesTest, SightCursorAndLetteringKeepTheirShapes)
{
    const Picture& circle = Get("circle.qvx");
    for (int y = 0; y < circle.height; ++y) {
        for (int x = 0; x < circle.width; ++x) {
            const int dx = x - circle.width / 2;
            const int dy = y - circle.height / 2;
            EXPECT_TRUE(dx * dx + dy * dy >= 60 * 60 || !circle.Opaque(x, y)) << x << "," << y;
        }
    }
    const Picture& glimbot = Get("glimbot.qvx");
    EXPECT_TRUE(glimbot.Opaque(glimbot.width / 2, glimbot.height / 2));
    const Picture& cursor = Get("cursor.qvx");
    EXPECT_TRUE(cursor.Opaque(12, 12));
    for (auto [x, y] : {std::pair {0, 0}, {23, 0}, {0, 23}, {23, 23}})
        EXPECT_FALSE(cursor.Opaque(x, y)) << x << "," << y;
    for (const char* name : {"title.qvx", "gameover.qvx"}) {
        const Picture& picture = Get(name);
        int left = picture.width;
        int right = 0;
        for (int y = 0; y < picture.height; ++y) {
            for (int x = 0; x < picture.width; ++x) {
                if (!picture.Opaque(x, y)) continue;
                left = std::min(left, x);
                right = std::max(right, x);
            }
        }
        EXPECT_GT(right - left, picture.width * 9 / 10) << name;
    }
}

TEST(GamePicturesTest, TheCommittedIconsAreWhatTheGeneratorDrawsNow)
{
    for (int size : ICON_SIZES) {
        const std::string path =
            std::string(KG_SOURCE_DIR) + "/resources/icons/icon-" + std::to_string(size) + ".png";
        const auto committed = platform::ReadIndexedPng(path.c_str());
        ASSERT_TRUE(committed.has_value()) << path << ": run make-assets --icons resources/icons";
        EXPECT_EQ(committed->pixels, WindowIcon(size).pixels) << path;
        EXPECT_EQ(committed->transparentIndex, std::optional<BYTE>(TRANSPARENT_KEY)) << path;
    }
}

} // namespace
