// Headless input scripts: one event a line, in time order, a mistake named by its line.

#include <gtest/gtest.h>

#include "platform/backend/headless/script.h"

namespace {
using platform::ParseScript;
using Kind = platform::ScriptEvent::Kind;

TEST(Script, EventsComeInTimeOrderWithTheirArguments)
{
    std::string error;
    const auto events = ParseScript("# a comment line\n"
                                    "4000 key 0x20   # space\n"
                                    "  10 move 639 479\n"
                                    "10 text Mario\n"
                                    "\n"
                                    "20 dblclick\n",
                                    error);
    ASSERT_TRUE(events.has_value()) << error;
    ASSERT_EQ(events->size(), 4u);
    EXPECT_EQ((*events)[0].kind, Kind::Move);
    EXPECT_EQ((*events)[0].x, 639);
    EXPECT_EQ((*events)[1].kind, Kind::Text); // same time: script order kept
    EXPECT_EQ((*events)[1].text, "Mario");
    EXPECT_EQ((*events)[2].kind, Kind::DoubleClick);
    EXPECT_EQ((*events)[3].time, 4000u);
    EXPECT_EQ((*events)[3].virtualKey, 0x20u);
}

TEST(Script, AMistakeNamesItsLine)
{
    const std::pair<const char*, const char*> bad[] = {
        {"1 click\n2 jump\n", "script line 2: unknown event 'jump'"},
        {"x click\n", "script line 1: a line starts with its time in milliseconds"},
        {"-5 click\n", "script line 1: a line starts with its time in milliseconds"},
        {"1 move 640 10\n", "script line 1: move needs X (0-639) and Y (0-479)"},
        {"1 key 0x1FF\n", "script line 1: key needs a virtual-key code (1-254)"},
        {"1 key 12abc\n", "script line 1: key needs a virtual-key code (1-254)"},
        {"1 key 255\n", "script line 1: key needs a virtual-key code (1-254)"},
        {"1 text\n", "script line 1: text needs a word"},
        {"1 click twice\n", "script line 1: unexpected 'twice'"},
    };
    for (const auto& [script, message] : bad) {
        std::string error;
        EXPECT_FALSE(ParseScript(script, error).has_value()) << script;
        EXPECT_EQ(error, message);
    }
}

} // namespace
