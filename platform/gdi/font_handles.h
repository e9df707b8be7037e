#pragma once
// Inside the platform layer: FreeType's and fontconfig's handles, each with its owner. Only the
// desktop matches faces through fontconfig; its handle's release is defined there.

#include <memory>

struct FT_LibraryRec_;
struct FT_FaceRec_;
struct _FcPattern;

namespace platform::fonts {

struct Release {
    void operator()(FT_LibraryRec_* library) const;
    void operator()(FT_FaceRec_* face) const;
    void operator()(_FcPattern* pattern) const;
};

using Library = std::unique_ptr<FT_LibraryRec_, Release>;
using Face = std::unique_ptr<FT_FaceRec_, Release>;
using Pattern = std::unique_ptr<_FcPattern, Release>;

} // namespace platform::fonts
