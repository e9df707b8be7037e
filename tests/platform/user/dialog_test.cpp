#include <cstdlib>
#include <cstring>

#include "platform/backend.h"
#include "platform/resources.h"
#include "platform/user.h"
#include "tests/common/test_support.h"

namespace {

constexpr WORD nameDialog = 7;
constexpr WORD nameField = 20;
char takenName[32];

LRESULT NameDialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM)
{
    if (message == WM_INITDIALOG) return TRUE;
    if (message == WM_COMMAND && LOWORD(wParam) == IDOK) {
        GetDlgItemTextA(dialog, nameField, takenName, sizeof takenName);
        EndDialog(dialog, 1);
    }
    return FALSE;
}

platform::DialogTemplate NameTemplate(const char* caption)
{
    using Kind = platform::DialogItem::Kind;
    return {caption,
            "Sans",
            8,
            171,
            90,
            31,
            {{1, Kind::DefaultButton, "OK", 117, 72, 50, 14},
             {nameField, Kind::Edit, "", 4, 50, 163, 14}}};
}

// A name dialog over a headless game window, fed by a script.
class DialogTest : public test::TempFolderTest {
protected:
    INT_PTR Run(const char* script)
    {
        StartHeadless(script);
        platform::AddDialogResource(nameDialog, platform::LANGUAGE_ENGLISH_UK,
                                    NameTemplate("English"));
        const HWND owner = test::MakeFocusedWindow(DefWindowProcA, "owner");
        std::memset(takenName, 'x', sizeof takenName);
        const INT_PTR result =
            DialogBoxParamA(nullptr, MAKEINTRESOURCEA(nameDialog), owner, NameDialogProc, 0);
        DestroyWindow(owner);
        platform::StopBackend();
        return result;
    }
};

TEST_F(DialogTest, TheKeysAndTheMouseFillTheNameAndOnlyOkOrClosingEndsIt)
{
    const std::pair<const char*, const char*> runs[] = {
        // The OK button has the focus: typing goes nowhere, Enter takes an empty name.
        {"10 text Mario\n20 key 13\n", ""},
        {"10 key 9\n11 text Mario\n12 key 8\n13 text a\n20 key 13\n", "Maria"},
        // A click on the field (50 dialog units down) focuses it; it takes 31 characters.
        {"5 move 320 260\n6 click\n10 text 0123456789012345678901234567890123456789\n20 key 13\n",
         "0123456789012345678901234567890"},
        // Escape does not close it, but closing the program does.
        {"5 key 9\n6 text Ann\n10 key 27\n30 close\n", "Ann"},
    };
    for (const auto& [script, name] : runs) {
        EXPECT_EQ(Run(script), 1) << script;
        EXPECT_STREQ(takenName, name);
    }
}

TEST_F(DialogTest, TheUsersLanguageChoosesTheVariant)
{
    platform::AddDialogResource(nameDialog, platform::LANGUAGE_ITALIAN, NameTemplate("Italiano"));
    platform::AddDialogResource(nameDialog, platform::LANGUAGE_ENGLISH_UK, NameTemplate("English"));
    setenv("LC_ALL", "", 1);
    setenv("LC_MESSAGES", "it_IT.UTF-8", 1);
    EXPECT_EQ(platform::FindDialogResource(nameDialog)->caption, "Italiano");
    setenv("LC_ALL", "en_GB.UTF-8", 1);
    EXPECT_EQ(platform::FindDialogResource(nameDialog)->caption, "English");
    unsetenv("LC_ALL");
    unsetenv("LC_MESSAGES");
    setenv("LANG", "C", 1);
    EXPECT_EQ(platform::FindDialogResource(nameDialog)->caption, "English");
    EXPECT_EQ(platform::FindDialogResource(99), nullptr);
    // The player's own choice wins over the locale, until it goes back to following it.
    platform::SetDialogLanguage(platform::LANGUAGE_ITALIAN);
    EXPECT_EQ(platform::FindDialogResource(nameDialog)->caption, "Italiano");
    setenv("LANG", "it_IT.UTF-8", 1);
    platform::SetDialogLanguage(platform::LANGUAGE_ENGLISH_UK);
    EXPECT_EQ(platform::FindDialogResource(nameDialog)->caption, "English");
    platform::SetDialogLanguage(0);
    EXPECT_EQ(platform::FindDialogResource(nameDialog)->caption, "Italiano");
    setenv("LANG", "C", 1);
}

} // namespace
