#include "tools/make_assets/pictures/pictures.h"

namespace art {

std::vector<Picture> GamePictures()
{
    std::vector<Picture> pictures;
    pictures.push_back(PlayBackdrop());
    return pictures;
}

} // namespace art
