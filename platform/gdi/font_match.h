#pragma once
// Which installed font file serves a family name and weight (fontconfig's best match).

#include <optional>
#include <string>

namespace platform {

struct FontFile {
    std::string path;
    int faceIndex = 0;
    std::string family;
};

// Never nothing while any font is installed: fontconfig always offers its closest face.
std::optional<FontFile> MatchFontFile(const char* family, int weight);

} // namespace platform
