// The name-entry dialog of the Killer List. Its texts are the program's own, in the one-byte
// character set the dialog draws with (Latin-1).

#include "platform/resources.h"
#include "platform/user.h"
#include "resources/game_resources.h"

namespace {

using Kind = platform::DialogItem::Kind;

struct DialogTexts {
    const char* caption;
    const char* greeting;
    int greetingWidth;
    const char* killCount;
    const char* prompt;
    int promptWidth;
};

constexpr DialogTexts italian {"Inserisci il tuo nome, Killer",
                               "Complimenti. Sei riuscito ad entrare nella Killer List.",
                               158,
                               "Hai ucciso %u glimbot",
                               "Inserisci il tuo nome per l'immortalit\xE0:",
                               114};
constexpr DialogTexts english {
    "Insert your name, Killer",   "Greetings You are in the KILLER LIST",  121,
    "You have killed %u glimbot", "Insert your name for the immortality:", 111};

// The name field keeps the 31 characters a Killer List entry holds.
constexpr int nameLimit = 31;
constexpr WORD noId = 65535;
constexpr WORD okButton = IDOK;

platform::DialogTemplate KillerDialog(const DialogTexts& texts)
{
    return {texts.caption,
            "MS Sans Serif",
            8,
            171,
            90,
            nameLimit,
            {{okButton, Kind::DefaultButton, "OK", 117, 72, 50, 14},
             {noId, Kind::Static, texts.greeting, 4, 4, texts.greetingWidth, 8},
             {KILLER_COUNT_TEXT, Kind::Static, texts.killCount, 4, 15, 157, 8},
             {noId, Kind::Static, texts.prompt, 4, 39, texts.promptWidth, 8},
             {KILLER_NAME_FIELD, Kind::Edit, "", 4, 50, 163, 14}}};
}

} // namespace

void RegisterKillerDialog()
{
    platform::AddDialogResource(KILLER_DIALOG, platform::LANGUAGE_ITALIAN, KillerDialog(italian));
    platform::AddDialogResource(KILLER_DIALOG, platform::LANGUAGE_ENGLISH_UK,
                                KillerDialog(english));
}
