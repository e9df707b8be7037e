#include <cstdlib>
#include <gtest/gtest.h>
#include <string>

#include "support/little_endian.h"
#include "tests/common/test_support.h"
#include "tests/sound/pack_bytes.h"
#include "tools/terminal_text/terminal_text.h"

namespace {
class PcktoolTest : public test::TempFolderTest {
protected:
    static int Run(const std::string& arguments)
    {
        return std::system((std::string(PCKTOOL_PATH) + " " + arguments + " 2>err.txt").c_str());
    }
};

std::string Le16(int value) { return {static_cast<char>(value), static_cast<char>(value >> 8)}; }

std::string Le32(std::uint32_t value)
{
    std::string bytes;
    test::PutLe32(bytes, value);
    return bytes;
}

// A 2 x 1 image: pixels, a colour key, the end.
const std::string qvxFile = std::string("QVx3") + std::string(4, '\0') + "QVXI" + Le32(10) + Le16(2)
                            + Le16(1) + Le16(0) + Le16(8) + "\x05\x06" + "CKEY" + Le32(8)
                            + Le32(255) + Le32(255) + "EOF!" + Le32(0);

std::string WavFile(int channels, int bits, std::uint32_t rate, const std::string& samples)
{
    const int align = channels * bits / 8;
    return "RIFF" + Le32(36 + static_cast<std::uint32_t>(samples.size())) + "WAVEfmt " + Le32(16)
           + Le16(1) + Le16(channels) + Le32(rate) + Le32(rate * align) + Le16(align) + Le16(bits)
           + "data" + Le32(static_cast<std::uint32_t>(samples.size())) + samples;
}

TEST_F(PcktoolTest, BuildsListsAndExtractsImagesAndSounds)
{
    WriteFile("body.qvx", qvxFile + "trailing bytes");
    WriteFile("shot.wav", WavFile(2, 16, 22050, "abcdefgh"));
    WriteFile("pop.wav", WavFile(1, 8, 11025, "xyz"));
    ASSERT_EQ(Run("build out.pck body.qvx shot.wav:#42 pop.wav:pop-sound"), 0)
        << ReadFile("err.txt");
    ASSERT_EQ(Run("list out.pck >list.txt"), 0);
    const std::size_t first = 40 + 3 * 28;
    const std::size_t second = first + qvxFile.size() - 8; // the trailing bytes stay out
    EXPECT_EQ(ReadFile("list.txt"), "0 QVx3 " + std::to_string(first) + " body\n1 SND0 "
                                        + std::to_string(second) + " #42\n2 SND0 "
                                        + std::to_string(second + 20) + " pop-sound\n");

    ASSERT_EQ(Run("extract out.pck 0 back.qvx"), 0);
    EXPECT_EQ(ReadFile("back.qvx"), qvxFile); // the end chunk ends it
    ASSERT_EQ(Run("extract out.pck 1 shot.snd"), 0);
    EXPECT_EQ(ReadFile("shot.snd"), Le16(3) + Le16(0) + Le32(8) + Le32(22050) + "abcdefgh");
    ASSERT_EQ(Run("extract out.pck 2 pop.snd"), 0);
    EXPECT_EQ(ReadFile("pop.snd"), Le16(0) + Le16(0) + Le32(3) + Le32(11025) + "xyz");
    EXPECT_NE(Run("extract out.pck 3 none.bin"), 0);
}

TEST_F(PcktoolTest, ReadsAPackMadeByHand)
{
    std::string pack = test::PackBytes(3, {{"DATA", 124, "#\x2A"},
                                           {std::string("\x01\x02\x03\x04", 4), 130, "end"},
                                           {"DATA", 124, "\x1B]0;\xE9t\xE9\x07"}});
    pack += "123456"
            "7890";
    WriteFile("hand.pck", pack);
    ASSERT_EQ(Run("list hand.pck >list.txt"), 0);
    EXPECT_EQ(ReadFile("list.txt"), "0 DATA 124 #42\n1 \\x01\\x02\\x03\\x04 130 end\n2 DATA 124 "
                                    "\\x1B]0;\xC3\xA9t\xC3\xA9\\x07\n");
    ASSERT_EQ(Run("extract hand.pck 0 first.bin"), 0);
    EXPECT_EQ(ReadFile("first.bin"), "123456"); // up to the next entry's data
    ASSERT_EQ(Run("extract hand.pck 1 last.bin"), 0);
    EXPECT_EQ(ReadFile("last.bin"), "7890"); // up to the end of the file
}

TEST_F(PcktoolTest, RefusesWhatCannotGoIntoAPack)
{
    WriteFile("notes.txt", "x");
    WriteFile("bad.qvx", "QVx2....EOF!");
    WriteFile("wide.wav", WavFile(1, 24, 8000, "abc"));
    EXPECT_NE(Run("build out.pck notes.txt"), 0);
    EXPECT_NE(Run("build out.pck bad.qvx"), 0);
    EXPECT_NE(Run("build out.pck wide.wav"), 0);
    EXPECT_NE(Run("build out.pck missing.wav"), 0);
    WriteFile("ok.wav", WavFile(1, 8, 8000, "abc"));
    EXPECT_NE(Run("build out.pck ok.wav:#70000"), 0);
    EXPECT_NE(Run("build out.pck ok.wav:twelve-chars"), 0);
    EXPECT_NE(Run("list missing.pck"), 0);
}

TEST(TerminalTextTest, PrintableAsciiStaysAndEveryOtherByteIsEscapedOrLatinOneInTagsToo)
{
    EXPECT_EQ(TerminalText("body-1 #42"), "body-1 #42");
    // A sequence that would clear the screen and retitle the window reaches it harmless.
    EXPECT_EQ(TerminalText("\x1B[2J\x1B]0;x\x07"), "\\x1B[2J\\x1B]0;x\\x07");
    EXPECT_EQ(TerminalText(std::string("a\0b\n\r\t\x7F", 7)), "a\\x00b\\x0A\\x0D\\x09\\x7F");
    // 0x80 to 0x9F are the second set of controls; from 0xA0 on, Latin-1 letters.
    EXPECT_EQ(TerminalText("\x80\x9B\x9F"), "\\x80\\x9B\\x9F");
    EXPECT_EQ(TerminalText("\xE9t\xE9 \xA0\xFF"), "\xC3\xA9t\xC3\xA9 \xC2\xA0\xC3\xBF");
    // The backslash is doubled, so an escape in the output always comes from a byte.
    EXPECT_EQ(TerminalText("\\x41"), "\\\\x41");
    // Tags show their four bytes in file order.
    EXPECT_EQ(TagText(FourCC("QVXI")), "QVXI");
    EXPECT_EQ(TagText(0x04030201), "\\x01\\x02\\x03\\x04");
    EXPECT_EQ(TagText(FourCC("EOF!") & 0x00FFFFFF), "EOF\\x00");
}

} // namespace
