// The player's input as the platform takes it: headless scripts, SDL's keys, the dialog's edit
// field.

#include <gtest/gtest.h>

#include "platform/backend/script.h"
#include "platform/backend/sdl_keys.h"
#include "platform/user.h"
#include "platform/user/edit_field.h"

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

TEST(SdlKeys, KeysBecomeThePlatformsVirtualKeyCodes)
{
    using platform::VirtualKeyFromSdl;
    EXPECT_EQ(VirtualKeyFromSdl(SDLK_a), static_cast<DWORD>('A'));
    EXPECT_EQ(VirtualKeyFromSdl(SDLK_z), static_cast<DWORD>('Z'));
    EXPECT_EQ(VirtualKeyFromSdl(SDLK_7), static_cast<DWORD>('7'));
    EXPECT_EQ(VirtualKeyFromSdl(SDLK_F10), VK_F10);
    EXPECT_EQ(VirtualKeyFromSdl(SDLK_KP_0), VK_NUMPAD0);
    EXPECT_EQ(VirtualKeyFromSdl(SDLK_KP_9), VK_NUMPAD0 + 9);
    EXPECT_EQ(VirtualKeyFromSdl(SDLK_RSHIFT), VK_SHIFT);
    EXPECT_EQ(VirtualKeyFromSdl(SDLK_LALT), VK_MENU);
    EXPECT_EQ(VirtualKeyFromSdl(SDLK_KP_ENTER), VK_RETURN);
    EXPECT_EQ(VirtualKeyFromSdl(SDLK_ESCAPE), VK_ESCAPE);
    EXPECT_EQ(VirtualKeyFromSdl(SDLK_PRINTSCREEN), 0u); // no key to the game
}

using platform::EditField;

TEST(EditField, EditsAtTheCaretAndScrollsToKeepItInView)
{
    EditField field;
    field.SetText("Mrio");
    field.Home();
    field.Right();
    field.Type('a');
    EXPECT_EQ(field.Text(), "Mario");
    field.End();
    field.Backspace();
    field.Left();
    field.Delete();
    EXPECT_EQ(field.Text(), "Mar");
    field.Home();
    field.Backspace(); // nothing before the caret
    field.End();
    field.Delete(); // nothing after it
    EXPECT_EQ(field.Text(), "Mar");
    // The limit holds for typing and setting.
    EditField limited(3);
    limited.SetText("abcdef");
    EXPECT_EQ(limited.Text(), "abc");
    limited.Type('d');
    EXPECT_EQ(limited.Text(), "abc");

    // It scrolls so the caret stays in view.
    field.SetText("abcdefghij");
    const auto measure = [](std::string_view text) { return static_cast<int>(text.size()) * 10; };
    field.KeepCaretInView(measure, 40); // four characters fit before the caret at the end
    EXPECT_EQ(field.FirstShown(), 6u);
    field.Home();
    field.KeepCaretInView(measure, 40);
    EXPECT_EQ(field.FirstShown(), 0u);
}

} // namespace
