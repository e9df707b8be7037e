// Every file the game reads, damaged every way: each run must end normally, say what it met in
// its log and leave a whole Killer List.

#include <cstdint>
#include <set>
#include <sstream>
#include <tuple>

#include "tests/e2e/game_run.h"

namespace {

const std::string dataFiles[] = {"body.qvx",   "glimbot.qvx", "circle.qvx",   "title.qvx",
                                 "cursor.qvx", "sfonde.qvx",  "gameover.qvx", "credits.qvx",
                                 "std.qvx",    "GLIM.PCK",    "SOUNDL.PCK",   "SOUNDM.PCK",
                                 "error.dat",  "killer.dat"};
const std::string damages[] = {"missing", "empty", "cut", "garbage", "changed"};

// Leaves the title, shoots until the first kill and then misses until the game is lost, leaves
// the game-over screen, takes the name dialog with Enter and leaves the list.
const std::string fullRoad =
    test::leaveTitle + test::SweepClicks(300, 8000) + "8100 key 32\n8200 key 13\n8300 key 32\n";

// Ten named places without kills, so that a run with one kill enters the list.
const std::string noKills = test::KillerFile(std::vector<unsigned>(10, 0));

// A small generator of our own, so the damage is the same on every machine.
struct Damage {
    std::uint32_t state;
    std::uint32_t Next(std::uint32_t bound)
    {
        state = state * 1664525u + 1013904223u;
        return (state >> 8) % bound;
    }
};

std::string Damaged(std::string bytes, const std::string& kind, std::uint32_t seed)
{
    Damage random {seed};
    if (kind == "empty") return {};
    if (kind == "cut") return bytes.substr(0, bytes.size() / 2);
    if (kind == "garbage") {
        for (char& byte : bytes) byte = static_cast<char>(random.Next(256));
    } else if (kind == "changed") {
        // A few bytes of the headers, where a change matters most, and a few anywhere.
        for (int i = 0; i < 8; ++i) {
            const auto reach = static_cast<std::uint32_t>(
                i < 4 ? std::min<std::size_t>(32, bytes.size()) : bytes.size());
            bytes[random.Next(reach)] = static_cast<char>(random.Next(256));
        }
    }
    return bytes;
}

// The log's lines, without those that show addresses (they differ from run to run).
std::set<std::string> LogLines(const std::string& log)
{
    std::set<std::string> lines;
    std::istringstream in(log);
    for (std::string line; std::getline(in, line);) {
        if (!line.starts_with("lpDDSPrimary at ") && !line.starts_with("SoundBuffer: Locked "))
            lines.insert(line);
    }
    return lines;
}

class DamagedDataTest : public test::GameFolderTest,
                        public ::testing::WithParamInterface<std::tuple<std::string, std::string>> {
protected:
    test::GameResult Run()
    {
        WriteFile("run.txt", fullRoad);
        // The data folder is named, so that a damaged file is never replaced by the build's.
        return test::RunGame({"--data", ".", "--headless", "--script", "run.txt"});
    }
};

TEST_P(DamagedDataTest, TheRunEndsNormallyAndSaysWhatItMet)
{
    const auto& [file, damage] = GetParam();
    WriteFile("killer.dat", noKills);
    static const std::set<std::string> cleanLog = LogLines((Run(), ReadFile("debug.txt")));
    WriteFile("killer.dat", noKills);
    // The low-quality pack is read only when the better one is not there.
    if (file == "SOUNDL.PCK") std::filesystem::remove("SOUNDM.PCK");
    if (damage == "missing") {
        std::filesystem::remove(file);
    } else {
        WriteFile(file, Damaged(ReadFile(file), damage,
                                static_cast<std::uint32_t>(file.size() * 31 + damage.size())));
    }

    const test::GameResult run = Run();
    // The title picture is how a data folder is known: without it the game says where it
    // looked and does not start.
    if (file == "title.qvx" && damage == "missing") {
        EXPECT_EQ(run.exitCode, 1);
        EXPECT_NE(run.errors.find("no game data (title.qvx) in "), std::string::npos) << run.errors;
        return;
    }
    EXPECT_EQ(run.exitCode, 0) << run.errors;
    const std::string log = ReadFile("debug.txt");
    EXPECT_TRUE(log.ends_with("==== END ====\r\n")) << log;
    const std::string list = ReadFile("killer.dat");
    EXPECT_EQ(list.size(), 416u);
    EXPECT_TRUE(list.starts_with("GLIM"));

    // A changed byte may fall where nothing checks it; a first start has no list yet, and the
    // better sound pack missing leaves the other one to serve.
    const bool mayBeSilent = damage == "changed" || (damage == "missing" && file == "killer.dat")
                             || (damage == "missing" && file == "SOUNDM.PCK");
    if (mayBeSilent) return;
    bool said = false;
    for (const std::string& line : LogLines(log)) said = said || !cleanLog.contains(line);
    EXPECT_TRUE(said) << log;
}

std::string CaseName(const ::testing::TestParamInfo<std::tuple<std::string, std::string>>& info)
{
    std::string name = std::get<0>(info.param) + "_" + std::get<1>(info.param);
    for (char& c : name) {
        if (c == '.') c = '_';
    }
    return name;
}

INSTANTIATE_TEST_SUITE_P(EveryFile, DamagedDataTest,
                         ::testing::Combine(::testing::ValuesIn(dataFiles),
                                            ::testing::ValuesIn(damages)),
                         CaseName);

} // namespace
