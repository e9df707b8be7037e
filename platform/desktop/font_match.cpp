#include "platform/gdi/font_handles.h"
#include "platform/host.h"

#include <fontconfig/fontconfig.h>

#include <memory>

namespace platform {
namespace {

using fonts::Pattern;

// fontconfig's configuration lives as long as the process and is handed back at its end, so
// that leak checkers see a clean exit.
class FontconfigSession {
public:
    FontconfigSession() : ready_(FcInit() == FcTrue) {}
    ~FontconfigSession()
    {
        if (ready_) FcFini();
    }
    FontconfigSession(const FontconfigSession&) = delete;
    FontconfigSession& operator=(const FontconfigSession&) = delete;
    bool Ready() const { return ready_; }

private:
    bool ready_;
};

bool FontconfigReady()
{
    static const FontconfigSession session;
    return session.Ready();
}

std::string StringOf(const FcPattern* pattern, const char* object)
{
    FcChar8* value = nullptr;
    if (FcPatternGetString(pattern, object, 0, &value) != FcResultMatch) return {};
    return reinterpret_cast<const char*>(value);
}

} // namespace

void fonts::Release::operator()(_FcPattern* pattern) const { FcPatternDestroy(pattern); }

std::optional<FontFile> MatchFontFile(const char* family, int weight)
{
    if (!FontconfigReady()) return std::nullopt;
    Pattern request(FcPatternCreate());
    FcPatternAddString(request.get(), FC_FAMILY, reinterpret_cast<const FcChar8*>(family));
    FcPatternAddInteger(request.get(), FC_WEIGHT, FcWeightFromOpenType(weight));
    FcPatternAddBool(request.get(), FC_SCALABLE, FcTrue);
    FcConfigSubstitute(nullptr, request.get(), FcMatchPattern);
    FcDefaultSubstitute(request.get());

    FcResult result = FcResultNoMatch;
    Pattern match(FcFontMatch(nullptr, request.get(), &result));
    if (!match) return std::nullopt;
    FontFile file;
    file.path = StringOf(match.get(), FC_FILE);
    file.family = StringOf(match.get(), FC_FAMILY);
    FcPatternGetInteger(match.get(), FC_INDEX, 0, &file.faceIndex);
    if (file.path.empty()) return std::nullopt;
    return file;
}

} // namespace platform
