// The browser has no fontconfig: the page carries the faces fontconfig picks on a Debian
// desktop for the names the game asks, and this table gives the same answers.

#include <strings.h>

#include "platform/browser/page_names.h"
#include "platform/host.h"

namespace platform {
namespace {

constexpr int boldWeight = 600;

struct Face {
    const char* asked;   // the family the game names
    const char* family;  // the face that serves it
    const char* regular; // the files, in the page's font folder
    const char* bold;
};

// Verdana's and every other name's substitute is DejaVu Sans; Arial's is Liberation Sans, which
// the game only asks at normal weight.
constexpr Face faces[] = {
    {"Arial", "Liberation Sans", "LiberationSans-Regular.ttf", "LiberationSans-Regular.ttf"},
    {nullptr, "DejaVu Sans", "DejaVuSans.ttf", "DejaVuSans-Bold.ttf"},
};

} // namespace

std::optional<FontFile> MatchFontFile(const char* family, int weight)
{
    const Face* face = faces;
    while (face->asked != nullptr && strcasecmp(face->asked, family) != 0) ++face;
    FontFile file;
    file.path =
        std::string(page::PAGE_FONT_FOLDER) + (weight >= boldWeight ? face->bold : face->regular);
    file.family = face->family;
    return file;
}

} // namespace platform
