// make-assets OUTDIR              every data file the game reads, into OUTDIR
// make-assets --review DIR        every picture and screen still as PNG, every sound as WAV
// make-assets --contact-sheet FILE.png   all pictures and sprites on one sheet
// make-assets --icons DIR         the window icon in several sizes
// make-assets --icon SIZE FILE.png   the window icon at one size (the page's app icons)

#include <charconv>
#include <cstdio>
#include <cstring>
#include <optional>
#include <string>

#include "tools/make_assets/error_texts.h"
#include "tools/make_assets/output/contact_sheet.h"
#include "tools/make_assets/output/data_files.h"
#include "tools/make_assets/output/icons.h"
#include "tools/make_assets/output/png_export.h"
#include "tools/make_assets/output/screen_previews.h"
#include "tools/make_assets/output/sound_pictures.h"
#include "tools/make_assets/output/wav_export.h"
#include "tools/make_assets/pictures/pictures.h"
#include "tools/make_assets/sounds/game_sounds.h"
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
    auto write = [&](const art::Picture& picture, const std::string& name) {
        ok = art::WritePicturePng(picture, folder + "/" + name + ".png") && ok;
    };
    for (const art::Picture& picture : art::GamePictures()) write(picture, picture.name);
    for (const art::Picture& sprite : art::CreatureSprites()) write(sprite, sprite.name);
    write(art::TitlePreview(), "title screen");
    const art::Picture play = art::PlayPreview(art::PlayBackdrop(), art::CreatureSprites());
    write(play, "play screen");
    write(art::GameOverPreview(play), "game over screen");
    write(art::KillerListPreview(), "killer list screen");
    std::vector<art::Picture> soundPictures;
    for (const auto quality : {audio::LOW_QUALITY, audio::NORMAL_QUALITY}) {
        for (const audio::SoundEntry& entry : audio::SoundPackEntries(quality)) {
            if (quality.rate == audio::NORMAL_QUALITY.rate)
                soundPictures.push_back(audio::SoundPicture(entry));
            const std::string path = folder + "/" + entry.name + " " + std::to_string(quality.rate);
            ok = audio::WriteWav(entry.sound, path + ".wav") && ok;
        }
    }
    write(art::StackedPictures(soundPictures), "sounds");
    return ok;
}

bool WriteContactSheet(const std::string& path)
{
    return art::WritePicturePng(art::ContactSheet(art::GamePictures(), art::CreatureSprites()),
                                path);
}

bool WriteIcons(const std::string& folder)
{
    bool ok = true;
    for (int size : art::ICON_SIZES) {
        const art::Picture icon = art::WindowIcon(size);
        ok = art::WritePicturePng(icon, folder + "/" + icon.name + ".png") && ok;
    }
    return ok;
}

// The icon's size from the command line, when it is a size an icon can have.
std::optional<int> IconSize(const char* text)
{
    constexpr int smallest = 16;
    constexpr int largest = 1024;
    int size = 0;
    const char* end = text + std::strlen(text);
    const auto [rest, error] = std::from_chars(text, end, size);
    if (error != std::errc {} || rest != end || size < smallest || size > largest)
        return std::nullopt;
    return size;
}

int Fail(const char* what, const char* where)
{
    std::fprintf(stderr, "make-assets: cannot write %s %s\n", what, where);
    return 1;
}

} // namespace

int main(int argc, char** argv)
{
    if (argc == 3 && std::strcmp(argv[1], "--review") == 0)
        return WriteReview(argv[2]) ? 0 : Fail("the review files in", argv[2]);
    if (argc == 3 && std::strcmp(argv[1], "--contact-sheet") == 0)
        return WriteContactSheet(argv[2]) ? 0 : Fail("the contact sheet", argv[2]);
    if (argc == 3 && std::strcmp(argv[1], "--icons") == 0)
        return WriteIcons(argv[2]) ? 0 : Fail("the icons in", argv[2]);
    if (argc == 4 && std::strcmp(argv[1], "--icon") == 0 && IconSize(argv[2])) {
        const art::Picture icon = art::WindowIcon(*IconSize(argv[2]));
        return art::WritePicturePng(icon, argv[3]) ? 0 : Fail("the icon", argv[3]);
    }
    if (argc != 2 || argv[1][0] == '-') {
        std::fprintf(stderr, "usage: make-assets OUTDIR | --review DIR | --contact-sheet FILE.png"
                             " | --icons DIR | --icon SIZE FILE.png (SIZE 16 to 1024)\n");
        return 2;
    }
    if (!WriteCatalogue(argv[1])) return Fail("error.dat in", argv[1]);
    if (!art::WritePictureFiles(argv[1])) return Fail("the pictures in", argv[1]);
    if (!art::WriteCreaturePack(argv[1])) return Fail("the creature pack in", argv[1]);
    if (!audio::WriteSoundPacks(argv[1])) return Fail("the sound packs in", argv[1]);
    return 0;
}
