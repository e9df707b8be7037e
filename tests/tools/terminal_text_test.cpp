#include <gtest/gtest.h>

#include "support/little_endian.h"
#include "tools/terminal_text/terminal_text.h"

namespace {

TEST(TerminalTextTest, PrintableAsciiStaysAndEveryOtherByteIsEscapedOrLatinOne)
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
}

TEST(TerminalTextTest, TagsShowTheirFourBytesInFileOrder)
{
    EXPECT_EQ(TagText(FourCC("QVXI")), "QVXI");
    EXPECT_EQ(TagText(0x04030201), "\\x01\\x02\\x03\\x04");
    EXPECT_EQ(TagText(FourCC("EOF!") & 0x00FFFFFF), "EOF\\x00");
}

} // namespace
