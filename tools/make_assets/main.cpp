// make-assets OUTDIR: writes every data file the game reads into OUTDIR.
// make-assets --review DIR: every picture as a PNG file and every sound as a WAV file.

#include <cstdio>
#include <cstring>
#include <string>

#include "tools/make_assets/art/paint.h"
#include "tools/make_assets/error_texts.h"
#include "tools/make_assets/output/play_preview.h"
#include "tools/make_assets/output/png_export.h"
#include "tools/make_assets/pictures/pictures.h"
#include "tools/make_assets/sprites/creature_sprites.h"

namespace {

constexpr BYTE catalogueMajor = 1;
constexpr BYTE catalogueMinor = 0;

bool WriteCatalogue(const std::string& folder)
{
    const std::string path = folder + "/error.dat";
    const auto records = GameErrorTexts();
    return WriteErrorCatalogue(path.c_str(), catalogueMajor, catalogueMinor, records.data(),
                               records.size(), UNLISTED_ERROR_TEXT);
}

bool WriteReview(const std::string& folder)
{
    bool ok = true;
    const auto sprites = art::CreatureSprites();
    art::Picture strip("sprites", 4 * 300, 300, art::SKY.At(8));
    for (std::size_t i = 0; i < sprites.size(); ++i) {
        ok = art::WritePicturePng(sprites[i], folder + "/" + sprites[i].name + ".png") && ok;
        art::Stamp(strip, art::Enlarged(sprites[i], 6), static_cast<int>(i) * 300 + 6, 6);
    }
    const auto pictures = art::GamePictures();
    for (const art::Picture& picture : pictures)
        ok = art::WritePicturePng(picture, folder + "/" + picture.name + ".png") && ok;
    ok = art::WritePicturePng(art::PlayPreview(pictures[0], sprites), folder + "/play.png") && ok;
    return art::WritePicturePng(strip, folder + "/sprites x6.png") && ok;
}

} // namespace

int main(int argc, char** argv)
{
    if (argc == 3 && std::strcmp(argv[1], "--review") == 0) return WriteReview(argv[2]) ? 0 : 1;
    if (argc != 2) {
        std::fprintf(stderr, "usage: make-assets OUTDIR | --review DIR\n");
        return 2;
    }
    if (!WriteCatalogue(argv[1])) {
        std::fprintf(stderr, "make-assets: cannot write %s/error.dat\n", argv[1]);
        return 1;
    }
    return 0;
}
