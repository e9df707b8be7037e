#include "platform/folders.h"

#include <unistd.h>

#include <cstdlib>
#include <optional>

#include "platform/kernel.h"
#include "platform/notice.h"
#include "tests/common/test_support.h"

namespace {

namespace fs = std::filesystem;
using platform::UserFolder;

constexpr const char* xdgVariables[] = {"HOME", "XDG_DATA_HOME", "XDG_STATE_HOME",
                                        "XDG_CONFIG_HOME"};

class FoldersTest : public test::TempFolderTest {
protected:
    void SetUp() override
    {
        TempFolderTest::SetUp();
        for (const char* name : xdgVariables) {
            const char* value = std::getenv(name);
            saved.emplace_back(value ? std::optional<std::string>(value) : std::nullopt);
            unsetenv(name);
        }
        setenv("HOME", (folder / "home").c_str(), 1);
        fs::create_directory("data");
        WriteFile("data/title.qvx", "picture");
    }

    void TearDown() override
    {
        platform::ForgetFolders();
        for (std::size_t i = 0; i < saved.size(); ++i) {
            if (saved[i]) setenv(xdgVariables[i], saved[i]->c_str(), 1);
            else unsetenv(xdgVariables[i]);
        }
        TempFolderTest::TearDown();
    }

    platform::FolderOptions Options() const
    {
        platform::FolderOptions options;
        options.dataMarker = "title.qvx";
        options.stateFiles = {"debug.txt"};
        return options;
    }

    bool Choose(const platform::FolderOptions& options)
    {
        std::string error;
        return platform::ChooseFolders(options, error);
    }

    std::vector<std::optional<std::string>> saved;
};

std::string Home(const fs::path& folder, const char* under)
{
    return (folder / "home" / under).string();
}

TEST_F(FoldersTest, EachUserFolderFollowsItsVariableOrItsDefaultAndSaveTakesDataAndState)
{
    EXPECT_EQ(platform::UserFolderPath(UserFolder::Data), Home(folder, ".local/share/killglimbot"));
    EXPECT_EQ(platform::UserFolderPath(UserFolder::State),
              Home(folder, ".local/state/killglimbot"));
    EXPECT_EQ(platform::UserFolderPath(UserFolder::Config), Home(folder, ".config/killglimbot"));

    setenv("XDG_DATA_HOME", "/srv/data", 1);
    setenv("XDG_STATE_HOME", "relative/is/ignored", 1);
    setenv("XDG_CONFIG_HOME", "/srv/config", 1);
    EXPECT_EQ(platform::UserFolderPath(UserFolder::Data), "/srv/data/killglimbot");
    EXPECT_EQ(platform::UserFolderPath(UserFolder::State),
              Home(folder, ".local/state/killglimbot"));
    EXPECT_EQ(platform::UserFolderPath(UserFolder::Config), "/srv/config/killglimbot");

    platform::FolderOptions options = Options();
    options.dataFolder = "data";
    options.saveFolder = "/srv/mine";
    ASSERT_TRUE(Choose(options));
    EXPECT_EQ(platform::UserFolderPath(UserFolder::Data), "/srv/mine");
    EXPECT_EQ(platform::UserFolderPath(UserFolder::State), "/srv/mine");
    EXPECT_EQ(platform::UserFolderPath(UserFolder::Config), "/srv/config/killglimbot");
}

TEST_F(FoldersTest, TheDataIsLookedForInTurnAndItsAbsenceNamesEveryFolder)
{
    // Beside the executable, as a moved install finds it.
    char executable[4096] = {};
    ASSERT_GT(readlink("/proc/self/exe", executable, sizeof executable - 1), 0);
    const fs::path beside = fs::relative(folder / "data", fs::path(executable).parent_path());
    platform::FolderOptions options = Options();
    options.dataCandidates = {"no/such/folder", beside.string()};
    ASSERT_TRUE(Choose(options));
    EXPECT_EQ(platform::DataFolder(), (folder / "data").string());

    // The current folder comes first when it holds the pictures.
    WriteFile("title.qvx", "picture");
    ASSERT_TRUE(Choose(options));
    EXPECT_EQ(platform::DataFolder(), folder.string());

    // --data is the only place looked in.
    fs::create_directory("empty");
    options.dataFolder = "empty";
    std::string error;
    EXPECT_FALSE(platform::ChooseFolders(options, error));
    EXPECT_EQ(error, "no game data (title.qvx) in empty, the folder given with --data");

    fs::remove("title.qvx");
    options.dataFolder.clear();
    options.dataCandidates = {"no/such/folder"};
    EXPECT_FALSE(platform::ChooseFolders(options, error));
    EXPECT_NE(error.find(folder.string() + ", "), std::string::npos) << error;
    EXPECT_NE(error.find("no/such/folder; name the data folder with --data DIR"), std::string::npos)
        << error;
}

TEST_F(FoldersTest, APlainNameIsReadFromThePlayersFolderFirstAndNeverWrittenIntoTheData)
{
    platform::FolderOptions options = Options();
    options.dataFolder = "data";
    options.saveFolder = (folder / "mine").string();
    WriteFile("data/killer.dat", "old list");
    ASSERT_TRUE(Choose(options));
    EXPECT_EQ(platform::PathForReading("killer.dat"), (folder / "data/killer.dat").string());
    EXPECT_FALSE(fs::exists("mine")) << "reading makes no folder";

    HANDLE file = CreateFileA("killer.dat", GENERIC_READ | GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                              FILE_ATTRIBUTE_ARCHIVE, nullptr);
    ASSERT_NE(file, INVALID_HANDLE_VALUE);
    DWORD written = 0;
    ::WriteFile(file, "new list", 8, &written, nullptr);
    CloseHandle(file);
    EXPECT_EQ(ReadFile("mine/killer.dat"), "new list");
    EXPECT_EQ(platform::PathForReading("killer.dat"), (folder / "mine/killer.dat").string());
    EXPECT_EQ(fs::status("mine").permissions(), fs::perms::owner_all);

    // Moving and deleting touch the player's copy only.
    EXPECT_TRUE(MoveFileExA("killer.dat", "killer.dat.bad", MOVEFILE_REPLACE_EXISTING));
    EXPECT_FALSE(MoveFileExA("killer.dat", "killer.dat.bad", MOVEFILE_REPLACE_EXISTING));
    EXPECT_TRUE(DeleteFileA("killer.dat.bad"));
    EXPECT_FALSE(DeleteFileA("title.qvx"));
    EXPECT_EQ(ReadFile("data/killer.dat"), "old list");
    EXPECT_TRUE(fs::exists("data/title.qvx"));

    // A path of the player's own choosing is taken as it stands.
    EXPECT_EQ(platform::PathForWriting("/tmp/x.txt"), "/tmp/x.txt");
    EXPECT_EQ(platform::PathForReading("sub/x.txt"), "sub/x.txt");
}

std::vector<std::string> notices;
void Hear(const char* text) { notices.emplace_back(text); }

TEST_F(FoldersTest, TheLogLivesInTheStateFolderAndAFolderThatCannotBeMadeIsSaidOnce)
{
    setenv("XDG_STATE_HOME", (folder / "blocked").c_str(), 1);
    WriteFile("blocked", "a file, not a folder");
    platform::FolderOptions options = Options();
    options.dataFolder = "data";
    ASSERT_TRUE(Choose(options));
    EXPECT_EQ(platform::PathForWriting("killer.dat"),
              Home(folder, ".local/share/killglimbot/killer.dat"));

    notices.clear();
    EXPECT_FALSE(platform::MakeUserFolder(UserFolder::State));
    platform::SetNoticeHook(Hear); // hears what was said before it listened
    EXPECT_EQ(CreateFileA("debug.txt", GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr),
              INVALID_HANDLE_VALUE);
    platform::SetNoticeHook(nullptr);
    ASSERT_EQ(notices.size(), 1u);
    EXPECT_NE(notices[0].find((folder / "blocked/killglimbot").string() + " (Not a directory)"),
              std::string::npos)
        << notices[0];
}

} // namespace
