#pragma once
// The smallest PCX writer that SDL_image reads: 8 bits, one plane, run-length rows, a
// 256-colour palette at the end.

#include "tools/qvx_writer/qvx_writer.h"

qvx::Bytes PcxFile(const qvx::Picture& picture);
