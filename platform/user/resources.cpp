#include "platform/resources.h"

#include "platform/replay/seam.h"

#include <cstdlib>
#include <map>
#include <string_view>
#include <utility>

namespace platform {
namespace {

std::map<std::pair<WORD, WORD>, DialogTemplate> dialogs;
std::map<WORD, std::vector<std::vector<BYTE>>> icons;
WORD chosenLanguage = 0;

} // namespace

WORD UserLanguage()
{
    if (chosenLanguage != 0) return chosenLanguage;
    for (const char* variable : {"LC_ALL", "LC_MESSAGES", "LANG"}) {
        const char* value = std::getenv(variable);
        if (value != nullptr && value[0] != '\0')
            return std::string_view(value).starts_with("it") ? LANGUAGE_ITALIAN
                                                             : LANGUAGE_ENGLISH_UK;
    }
    return LANGUAGE_ENGLISH_UK;
}

void AddDialogResource(WORD id, WORD language, DialogTemplate dialog)
{
    dialogs[{id, language}] = std::move(dialog);
}

const DialogTemplate* FindDialogResource(WORD id)
{
    const WORD preferred = journal::AnswerLanguage(UserLanguage());
    if (const auto found = dialogs.find({id, preferred}); found != dialogs.end())
        return &found->second;
    for (const auto& [key, dialog] : dialogs) {
        if (key.first == id) return &dialog;
    }
    return nullptr;
}

void SetDialogLanguage(WORD language) { chosenLanguage = language; }

void AddIconResource(WORD id, std::vector<std::vector<BYTE>> pngFiles)
{
    icons[id] = std::move(pngFiles);
}

const std::vector<std::vector<BYTE>>* FindIconResource(WORD id)
{
    const auto found = icons.find(id);
    return found != icons.end() ? &found->second : nullptr;
}

} // namespace platform
