#include "tools/make_assets/output/data_files.h"

#include "tools/make_assets/art/palette.h"
#include "tools/make_assets/pictures/pictures.h"
#include "tools/make_assets/sounds/game_sounds.h"
#include "tools/make_assets/sprites/creature_sprites.h"
#include "tools/pack_writer/pack_writer.h"

namespace art {
namespace {

// Full-screen pictures are read straight onto the screen, and their palette becomes its own.
bool ShownOnScreen(const Picture& picture)
{
    return picture.width == SCREEN_WIDTH && picture.height == SCREEN_HEIGHT;
}

} // namespace

qvx::Picture FilePicture(const Picture& picture)
{
    qvx::Picture file;
    file.image.width = static_cast<WORD>(picture.width);
    file.image.height = static_cast<WORD>(picture.height);
    file.image.depth = 8;
    file.image.pixels = picture.pixels;
    if (ShownOnScreen(picture)) file.palette = GamePalette();
    if (picture.key) file.key = *picture.key;
    return file;
}

bool WritePictureFiles(const std::string& folder)
{
    bool ok = true;
    for (const Picture& picture : GamePictures()) {
        const qvx::Picture file = FilePicture(picture);
        const BYTE method = qvx::SmallestMethod(file.image);
        ok = qvx::WriteBytes((folder + "/" + picture.name).c_str(), qvx::QvxFile(file, method))
             && ok;
    }
    return ok;
}

bool WriteCreaturePack(const std::string& folder)
{
    pack_writer::PackWriter pack;
    int type = 0;
    for (const Picture& sprite : CreatureSprites()) {
        const qvx::Picture file = FilePicture(sprite);
        const qvx::Bytes stream = qvx::ChunkStream(file, qvx::SmallestMethod(file.image));
        if (!pack.AddImage(stream, {"glimbot " + std::to_string(type++), std::nullopt}))
            return false;
    }
    return pack.Write(folder + "/GLIM.PCK");
}

} // namespace art

namespace audio {

bool WriteSoundPacks(const std::string& folder)
{
    struct SoundPack {
        const char* name;
        Quality quality;
    };
    bool ok = true;
    for (const SoundPack& file :
         {SoundPack {"SOUNDL.PCK", LOW_QUALITY}, SoundPack {"SOUNDM.PCK", NORMAL_QUALITY}}) {
        pack_writer::PackWriter pack;
        for (const SoundEntry& entry : SoundPackEntries(file.quality))
            ok = pack.AddSound(entry.sound, {entry.name, std::nullopt}) && ok;
        ok = ok && pack.Write(folder + "/" + file.name);
    }
    return ok;
}

} // namespace audio
