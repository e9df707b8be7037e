#include <gtest/gtest.h>

#include "platform/replay.h"
#include "platform/replay/seam.h"
#include "platform/replay/streams.h"
#include "platform/user/window_table.h"
#include "tests/common/test_support.h"

namespace {

using namespace platform;
using namespace platform::journal;

// Ten clock answers a millisecond apart, one cursor, and on the second of four pumps a click.
Journal ShortJournal()
{
    Journal journal;
    ClockWriter clock;
    for (DWORD t = 1000; t < 1010; ++t) clock.Add(t);
    CursorWriter cursor;
    cursor.Add({100, 200});
    PumpWriter pumps;
    pumps.Add({});
    pumps.Add({{{WM_LBUTTONDOWN, 1, 0x00C80064}}, false});
    pumps.Add({});
    journal.clockCount = clock.Take(journal.clock);
    journal.cursorCount = cursor.Take(journal.cursor);
    pumps.Take(journal.pumps);
    journal.pumpCount = 4;
    return journal;
}

// Replayed messages go to the window with the focus, as the backends' do.
class ReplaySeam : public ::testing::Test {
protected:
    void SetUp() override { window = test::MakeFocusedWindow(DefWindowProcA, "replayed"); }
    void TearDown() override { DestroyWindow(window); }

    HWND window = nullptr;
};

MSG Live(UINT message, WPARAM wParam) { return MSG {nullptr, message, wParam, 1, 0, {}}; }

std::vector<MSG> Pump(std::vector<MSG> live)
{
    DeliverPump(live, platform::InputWindow());
    return live;
}

TEST_F(ReplaySeam, TheGameHearsTheRecordingAndTheWatcherOnlySteers)
{
    StartReplay(ShortJournal(), false);
    EXPECT_EQ(AnswerTime(555), 1000u);
    EXPECT_EQ(AnswerCursor({1, 2}).x, 100);
    // Live input never reaches the game; F changes the speed only.
    EXPECT_TRUE(Pump({Live(WM_KEYDOWN, 'F'), Live(WM_CHAR, 'f')}).empty());
    const std::vector<MSG> click = Pump({});
    ASSERT_EQ(click.size(), 1u);
    EXPECT_EQ(click[0].hwnd, window);
    EXPECT_EQ(click[0].message, static_cast<UINT>(WM_LBUTTONDOWN));
    EXPECT_EQ(click[0].lParam, 0x00C80064);
    EXPECT_FALSE(AnswerClose(true));

    // Escape stops watching: from then on every pump brings Escape and the program closes.
    const std::vector<MSG> stop = Pump({Live(WM_KEYDOWN, VK_ESCAPE)});
    ASSERT_EQ(stop.size(), 2u);
    EXPECT_EQ(stop[0].message, static_cast<UINT>(WM_KEYDOWN));
    EXPECT_EQ(stop[0].wParam, static_cast<WPARAM>(VK_ESCAPE));
    EXPECT_TRUE(AnswerClose(false));
    EXPECT_EQ(AnswerTime(555), 1001u); // a millisecond on from the last answer given
    EXPECT_EQ(AnswerCursor({1, 2}).y, 200);
    EXPECT_TRUE(FinishReplay({}).diverged); // it stopped with answers left
}

TEST_F(ReplaySeam, AReplayAskedForMoreThanWasRecordedHasDiverged)
{
    StartReplay(ShortJournal(), false);
    for (int pump = 0; pump < 4; ++pump) Pump({});
    for (DWORD t = 1000; t < 1010; ++t) EXPECT_EQ(AnswerTime(0), t);
    AnswerCursor({});
    EXPECT_FALSE(AnswerClose(false));
    EXPECT_EQ(Pump({}).size(), 2u); // the fifth pump: the recording has ended
    EXPECT_TRUE(AnswerClose(false));
    const ReplayOutcome outcome = FinishReplay({0, 0, 0, 7});
    EXPECT_TRUE(outcome.diverged);
    EXPECT_EQ(outcome.frame, 7u);

    // Every answer taken: the run verifies only when it ends in the world it was recorded in.
    for (const std::uint64_t finalDigest : {0, 1}) {
        Journal journal = ShortJournal();
        journal.finalDigest = finalDigest;
        StartReplay(journal, false);
        for (int pump = 0; pump < 4; ++pump) Pump({});
        for (DWORD t = 1000; t < 1010; ++t) AnswerTime(0);
        AnswerCursor({});
        EXPECT_EQ(FinishReplay({}).diverged, finalDigest != 0);
    }

    // Cut short, running out is the end: the replay holds if it stands where the cut was.
    Journal cut = ShortJournal();
    cut.cutShort = true;
    cut.lastBlockTime = 2500;
    for (DWORD framesAtCut : {0u, 1u}) {
        cut.lastBlockFrames = framesAtCut;
        StartReplay(cut, false);
        for (DWORD t = 1000; t < 1010; ++t) AnswerTime(0);
        AnswerCursor({});
        for (int pump = 0; pump < 5; ++pump) Pump({});
        const ReplayOutcome atCut = FinishReplay({0, 0, 0, 3});
        EXPECT_TRUE(atCut.cutShort);
        EXPECT_EQ(atCut.cutTime, 2500u);
        EXPECT_EQ(atCut.diverged, framesAtCut != 0);
    }
}

} // namespace
