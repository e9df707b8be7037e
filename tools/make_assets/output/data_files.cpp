#include "tools/make_assets/output/data_files.h"

#include "tools/make_assets/art/palette.h"
#include "tools/make_assets/pictures/pictures.h"

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

} // namespace art
