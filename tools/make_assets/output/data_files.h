#pragma once
// The game's data files, written into the folder the game runs in.

#include <string>
#include <vector>

#include "tools/make_assets/art/picture.h"
#include "tools/qvx_writer/qvx_writer.h"

namespace art {

// The picture as its file holds it: the palette when the game reads it onto the screen, the
// colour key when it has one.
qvx::Picture FilePicture(const Picture& picture);
// Every ".qvx" picture, each packed with the method that makes it smallest.
bool WritePictureFiles(const std::string& folder);
// "GLIM.PCK": the four creature sprites, entries 0 to 3 by type.
bool WriteCreaturePack(const std::string& folder);

} // namespace art

namespace audio {

// "SOUNDL.PCK" and "SOUNDM.PCK": the same entries in low and normal quality.
bool WriteSoundPacks(const std::string& folder);

} // namespace audio
