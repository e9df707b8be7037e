#include "tools/make_assets/pictures/pictures.h"

namespace art {

std::vector<Picture> GamePictures()
{
    std::vector<Picture> pictures;
    pictures.push_back(TitleBackdrop());
    pictures.push_back(TitleGlimbot());
    pictures.push_back(TitleCircle());
    pictures.push_back(TitleLettering());
    pictures.push_back(CursorPicture());
    pictures.push_back(PlayBackdrop());
    pictures.push_back(GameOverPicture());
    pictures.push_back(KillerListBackdrop());
    pictures.push_back(NameEntryBackdrop());
    return pictures;
}

} // namespace art
