// The name dialog's edit field: editing at the caret, scrolling to keep it in view.

#include <gtest/gtest.h>

#include "platform/user/edit_field.h"

namespace {

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
