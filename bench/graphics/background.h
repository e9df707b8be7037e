#pragma once
// 640 x 480 pictures with the look of a game background: a sky of flat gradient rows, hills in a
// horizontal gradient, earth in flat bands with specks, and a strip of gravel noise. The
// speckled variant sprinkles one earth pixel in eight with noise everywhere below the sky: the
// hardest kind of picture for run-length packing.

#include "tools/qvx_writer/qvx_writer.h"

qvx::Picture BackgroundPicture(bool speckled = false);
