#include <sys/wait.h>
#include <unistd.h>

#include <cstring>
#include <vector>

#include "platform/kernel.h"
#include "support/little_endian.h"
#include "tests/common/log_session.h"
#include "world/collect_file.h"

namespace {

constexpr DWORD glim = FourCC("GLIM");

std::string Header(const char* id, DWORD count, DWORD size)
{
    std::string bytes(id, 4);
    bytes += std::string("\x00\x01\x00\x00", 4);
    for (DWORD value : {count, size}) {
        for (int i = 0; i < 4; ++i) bytes += static_cast<char>(value >> (8 * i));
    }
    return bytes;
}

// count records of size bytes, record j filled with the letter 'a' + j.
std::string Records(DWORD count, DWORD size)
{
    std::string bytes;
    for (DWORD j = 0; j < count; ++j) bytes += std::string(size, static_cast<char>('a' + j));
    return bytes;
}

class CollectTest : public test::LogSessionTest {
protected:
    DWORD Read(std::vector<char>& buffer, DWORD count = 10, DWORD size = 40)
    {
        header = {glim, 0, count, size};
        return ReadCollect("killer.dat", header, buffer.data());
    }
    CollectHeader header {};
};

TEST_F(CollectTest, AWrittenTableIs416BytesAndReadsBack)
{
    const std::string table = Records(10, 40);
    ASSERT_EQ(WriteCollect("killer.dat", {glim, 256, 10, 40}, table.data()), COLLECT_OK);
    const std::string file = ReadFile("killer.dat");
    EXPECT_EQ(file, Header("GLIM", 10, 40) + table);
    EXPECT_FALSE(std::filesystem::exists("killer.dat.new"));

    std::vector<char> buffer(400, 0);
    EXPECT_EQ(Read(buffer), COLLECT_OK);
    EXPECT_EQ(std::string(buffer.begin(), buffer.end()), table);
    EXPECT_EQ(header.version, 256u);
}

TEST_F(CollectTest, FewerOrMoreRecordsThanExpected)
{
    WriteFile("killer.dat", Header("GLIM", 3, 40) + Records(3, 40));
    std::vector<char> buffer(400, 'z');
    EXPECT_EQ(Read(buffer), COLLECT_OK);
    EXPECT_EQ(header.recordCount, 3u);
    EXPECT_EQ(std::string(buffer.begin(), buffer.end()), Records(3, 40) + std::string(280, 'z'));

    WriteFile("killer.dat", Header("GLIM", 12, 40) + Records(12, 40));
    EXPECT_EQ(Read(buffer), COLLECT_OK);
    EXPECT_EQ(header.recordCount, 10u);
    EXPECT_EQ(std::string(buffer.begin(), buffer.end()), Records(10, 40));
}

TEST_F(CollectTest, RecordsOfAnotherSizeFitTheirSlots)
{
    WriteFile("killer.dat", Header("GLIM", 2, 44) + Records(2, 44));
    std::vector<char> buffer(80, 'z');
    EXPECT_EQ(Read(buffer, 2), COLLECT_OK);
    EXPECT_EQ(header.recordSize, 44u);
    EXPECT_EQ(std::string(buffer.begin(), buffer.end()), Records(2, 40));

    WriteFile("killer.dat", Header("GLIM", 2, 36) + Records(2, 36));
    buffer.assign(80, 'z');
    EXPECT_EQ(Read(buffer, 2), COLLECT_OK);
    EXPECT_EQ(std::string(buffer.begin(), buffer.end()),
              std::string(36, 'a') + "zzzz" + std::string(36, 'b') + "zzzz");
}

TEST_F(CollectTest, AHugeRecordSizeReadsOnlyWhatTheFileHas)
{
    WriteFile("killer.dat", Header("GLIM", 10, 0xFFFFFF00) + Records(1, 40));
    std::vector<char> buffer(400, 'z');
    EXPECT_EQ(Read(buffer), COLLECT_OK);
    EXPECT_EQ(std::string(buffer.begin(), buffer.begin() + 40), Records(1, 40));
}

TEST_F(CollectTest, AWrongIdentifierOrAMissingFile)
{
    std::vector<char> buffer(400, 0);
    EXPECT_EQ(Read(buffer), COLLECT_E_OPEN);
    WriteFile("killer.dat", Header("GLOM", 10, 40) + Records(10, 40));
    EXPECT_EQ(Read(buffer), COLLECT_E_ID);
    EXPECT_EQ(buffer, std::vector<char>(400, 0));
    EXPECT_EQ(LogText(), "CollectError: Invalid Id\r\n");
}

TEST_F(CollectTest, AFailedSaveKeepsTheOldFile)
{
    const std::string old = Header("GLIM", 10, 40) + Records(10, 40);
    WriteFile("killer.dat", old);
    const std::string table(400, 'n');
    platform::SetWriteFaultHook([](DWORD bytes) { return bytes == 400; });
    EXPECT_EQ(WriteCollect("killer.dat", {glim, 256, 10, 40}, table.data()), COLLECT_E_OPEN);
    platform::SetWriteFaultHook(nullptr);
    EXPECT_EQ(ReadFile("killer.dat"), old);
    EXPECT_FALSE(std::filesystem::exists("killer.dat.new"));
    EXPECT_EQ(LogText(), "CollectError: killer.dat Not Saved, Old File Kept\r\n");
}

TEST_F(CollectTest, ACrashDuringTheSaveKeepsTheOldFile)
{
    const std::string old = Header("GLIM", 10, 40) + Records(10, 40);
    WriteFile("killer.dat", old);
    const pid_t child = fork();
    if (child == 0) {
        // The process dies between the header and the records.
        platform::SetWriteFaultHook([](DWORD bytes) -> bool {
            if (bytes == 400) _exit(0);
            return false;
        });
        const std::string table(400, 'n');
        WriteCollect("killer.dat", {glim, 256, 10, 40}, table.data());
        _exit(1);
    }
    int status = -1;
    waitpid(child, &status, 0);
    ASSERT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0);
    EXPECT_EQ(ReadFile("killer.dat"), old);
}

} // namespace
