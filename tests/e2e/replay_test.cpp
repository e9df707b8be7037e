#include <fstream>

#include "platform/replay.h"
#include "tests/e2e/game_run.h"

namespace {

// Leaves the title, then clicks over the field every 10 ms from `from`: a glimbot falls early,
// the misses lose the game, and the name dialog takes "Ada".
std::string SweepRun(int from)
{
    return test::leaveTitle + test::SweepClicks(from, from + 4000)
           + "9000 key 32\n9100 text Ada\n9200 key 13\n9300 key 32\n";
}

class ReplayTest : public test::GameFolderTest {
protected:
    // The run's report.
    static std::string Recorded(const std::string& script, const char* journal)
    {
        WriteFile("run.txt", script);
        const test::GameResult run =
            test::RunGame({"--headless", "--script", "run.txt", "--report", "--record", journal});
        EXPECT_EQ(run.exitCode, 0) << run.errors;
        return run.output;
    }
};

platform::Journal Decoded(const std::string& bytes)
{
    platform::Journal journal;
    std::string error;
    EXPECT_TRUE(platform::DecodeJournal(
        {reinterpret_cast<const std::uint8_t*>(bytes.data()), bytes.size()}, journal, error))
        << error;
    return journal;
}

void WriteJournal(const char* name, const platform::Journal& journal)
{
    const std::vector<std::uint8_t> bytes = platform::EncodeJournal(journal);
    std::ofstream(name, std::ios::binary)
        .write(reinterpret_cast<const char*>(bytes.data()),
               static_cast<std::streamsize>(bytes.size()));
}

// One recording, replayed every way: verified, recorded again, watched, damaged; none of them
// touches the player's Killer List or log.
TEST_F(ReplayTest, ARecordedRunReplaysEveryWayAndLeavesThePlayersFilesAlone)
{
    const std::string report = Recorded(SweepRun(300), "a.kgr");
    EXPECT_NE(report.find("\"kills\": 1"), std::string::npos) << report;
    EXPECT_EQ(ReadFile("last-run.kgr"), ReadFile("a.kgr"));
    EXPECT_NE(ReadFile("debug.txt").find("This run is recorded to ./last-run.kgr\r\n"),
              std::string::npos);
    const std::string killerList = ReadFile("killer.dat");
    const std::string log = ReadFile("debug.txt");
    // The player's settings since then do not change the recorded run.
    std::filesystem::create_directories("home/.config/killglimbot");
    WriteFile("home/.config/killglimbot/killglimbot.ini", "sound = no\nlanguage = it\n");

    const test::GameResult verify = test::RunGame({"--verify", "a.kgr", "--record", "b.kgr"});
    EXPECT_EQ(verify.exitCode, 0) << verify.errors;
    EXPECT_EQ(verify.output, report + "verified\n");
    // Recorded again, the replay keeps its input and verifies.
    const platform::Journal a = Decoded(ReadFile("a.kgr"));
    const platform::Journal b = Decoded(ReadFile("b.kgr"));
    EXPECT_TRUE(b.clock == a.clock && b.cursor == a.cursor && b.pumps == a.pumps);
    EXPECT_EQ(b.finalDigest, a.finalDigest);
    EXPECT_EQ(test::RunGame({"--verify", "b.kgr"}).output, report + "verified\n");

    // Stopped after a second, a watched run is still at its start: the recording took seconds.
    const test::GameResult watch = test::RunGame(
        {"--play", "a.kgr", "--window", "--report"},
        {"SDL_VIDEODRIVER=offscreen", "SDL_AUDIODRIVER=dummy", "ASAN_OPTIONS=detect_leaks=0"},
        1000);
    EXPECT_EQ(watch.exitCode, 0) << watch.errors;
    const auto frames = watch.output.find("\"frames\": ");
    ASSERT_NE(frames, std::string::npos) << watch.output;
    EXPECT_LT(std::stoi(watch.output.substr(frames + 10)), 100) << report;

    std::string bytes = ReadFile("a.kgr");
    WriteFile("cut.kgr", bytes.substr(0, 40));
    bytes[bytes.size() / 2] ^= 8;
    WriteFile("flipped.kgr", bytes);
    const std::pair<std::vector<std::string>, const char*> refused[] = {
        {{"--verify", "cut.kgr"}, "cut.kgr is truncated: it ends inside its first block"},
        {{"--verify", "flipped.kgr"}, "flipped.kgr is damaged: block "},
        {{"--verify", "run.txt"}, "run.txt is not a replay journal"},
        {{"--verify", "none.kgr"}, "cannot read none.kgr"},
        {{"--verify", "/dev/zero"}, "/dev/zero is too large to be a replay journal"},
        {{"--verify", "a.kgr", "s"}, "a replay runs with the recording's words, not 's'"},
        {{"--verify", "a.kgr", "--script", "run.txt"},
         "a replay's input is the recording's, not a script"},
    };
    for (const auto& [words, reason] : refused) {
        const test::GameResult run = test::RunGame(words);
        EXPECT_EQ(run.exitCode, 2) << words[1];
        EXPECT_NE(run.errors.find(reason), std::string::npos) << run.errors;
    }
    // A replay that cannot start for want of a display leaves nothing behind.
    std::filesystem::create_directory("tmp");
    const test::GameResult blind =
        test::RunGame({"--play", "a.kgr"}, {"DISPLAY=", "WAYLAND_DISPLAY=", "SDL_VIDEODRIVER=",
                                            "TMPDIR=" + (folder / "tmp").string()});
    EXPECT_EQ(blind.exitCode, 1);
    EXPECT_NE(blind.errors.find("--headless"), std::string::npos);
    EXPECT_TRUE(std::filesystem::is_empty("tmp"));
    EXPECT_EQ(ReadFile("killer.dat"), killerList);
    EXPECT_EQ(ReadFile("debug.txt"), log);
}

TEST_F(ReplayTest, ARunInAWindowStoppedBySigtermVerifiesHeadless)
{
    const test::GameResult run = test::RunGame(
        {"--window", "--record", "w.kgr", "--report"},
        {"SDL_VIDEODRIVER=offscreen", "SDL_AUDIODRIVER=dummy", "ASAN_OPTIONS=detect_leaks=0"},
        1500);
    ASSERT_EQ(run.exitCode, 0) << run.errors;
    const test::GameResult verify = test::RunGame({"--verify", "w.kgr"});
    EXPECT_EQ(verify.exitCode, 0) << verify.errors;
    EXPECT_EQ(verify.output, run.output + "verified\n");
}

TEST_F(ReplayTest, ChangedDataIsNamedAndADivergenceNamesItsFirstFrame)
{
    Recorded(SweepRun(3500), "a.kgr");
    Recorded(SweepRun(2000), "b.kgr");
    const platform::Journal a = Decoded(ReadFile("a.kgr"));
    platform::Journal mixed = Decoded(ReadFile("b.kgr"));
    // b's input, a's world: the first frame whose digests part is where the replay diverges.
    std::size_t first = 0;
    while (first < a.frames.size() && first < mixed.frames.size()
           && a.frames[first].digest == mixed.frames[first].digest) {
        ++first;
    }
    ASSERT_GT(first, 0u);
    ASSERT_LT(first, a.frames.size());
    mixed.frames = a.frames;
    mixed.gameVersion = "0.9";
    WriteJournal("mixed.kgr", mixed);
    const test::GameResult diverged = test::RunGame({"--verify", "mixed.kgr"});
    EXPECT_EQ(diverged.exitCode, 1);
    EXPECT_NE(diverged.output.find("not verified: the replay diverges at frame "
                                   + std::to_string(a.frames[first].frame)
                                   + " (recorded by version 0.9, this is "),
              std::string::npos)
        << diverged.output;

    std::string picture = ReadFile("title.qvx");
    picture[picture.size() / 2] ^= 1;
    WriteFile("title.qvx", picture);
    const test::GameResult changed = test::RunGame({"--verify", "a.kgr"});
    EXPECT_EQ(changed.exitCode, 1);
    EXPECT_NE(changed.output.find("not verified: the data file title.qvx differs"),
              std::string::npos)
        << changed.output;
    std::filesystem::remove("SOUNDM.PCK");
    const test::GameResult missing = test::RunGame({"--verify", "a.kgr"});
    EXPECT_EQ(missing.exitCode, 1);
    EXPECT_NE(missing.output.find("not verified: the data file SOUNDM.PCK could not be read"),
              std::string::npos)
        << missing.output;
}

TEST_F(ReplayTest, ARecordingNeverReplacesAFile)
{
    WriteFile("kept.kgr", "mine");
    const test::GameResult run = test::RunGame({"--headless", "--record", "kept.kgr"});
    EXPECT_EQ(run.exitCode, 1);
    EXPECT_NE(run.errors.find("kept.kgr already exists"), std::string::npos);
    EXPECT_EQ(ReadFile("kept.kgr"), "mine");
    EXPECT_FALSE(std::filesystem::exists("debug.txt"));
}

TEST_F(ReplayTest, TheRunBeforeTheLastIsKeptAndAJournalThatCannotBeWrittenIsSaidOnce)
{
    Recorded(SweepRun(300), "first.kgr");
    const std::string second = Recorded(SweepRun(2000), "no/such/folder/a.kgr");
    EXPECT_EQ(ReadFile("previous-run.kgr"), ReadFile("first.kgr"));
    EXPECT_EQ(test::RunGame({"--verify", "last-run.kgr"}).output, second + "verified\n");
    const std::string log = ReadFile("debug.txt");
    const std::string notice = "Cannot record this run to no/such/folder/a.kgr: ";
    EXPECT_NE(log.find(notice), std::string::npos) << log;
    EXPECT_EQ(log.find(notice), log.rfind(notice));
}

} // namespace
