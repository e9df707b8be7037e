#pragma once
// Drawing primitives shared by every picture: shapes, gradients, shading, outlines.

#include <functional>
#include <vector>

#include "tools/make_assets/art/palette.h"
#include "tools/make_assets/art/picture.h"

namespace art {

struct Point {
    float x;
    float y;
};

struct Box {
    int left;
    int top;
    int right;  // exclusive
    int bottom; // exclusive
};

// Ordered 4 x 4 dither threshold in [0, 1) for pixel (x, y).
float DitherThreshold(int x, int y);
// The ramp entry for a level in [0, 1], dithered between neighbouring steps.
BYTE Shade(Ramp ramp, float level, int x, int y);
// Like Shade, within steps first..last of the ramp only.
BYTE ShadeSteps(Ramp ramp, int first, int last, float level, int x, int y);
// The nearest of steps first..last, undithered: flat bands of colour, as sprites are shaded.
BYTE BandSteps(Ramp ramp, int first, int last, float level);

void FillBox(Picture& picture, Box box, BYTE index);
// Every pixel of the box takes the colour the painter chooses for it.
void PaintBox(Picture& picture, Box box, const std::function<BYTE(int x, int y)>& painter);
void FillEllipse(Picture& picture, Point centre, float rx, float ry, BYTE index);
// Paints an ellipse with the painter given the pixel and its position inside (-1..1 each way).
void PaintEllipse(Picture& picture, Point centre, float rx, float ry,
                  const std::function<BYTE(int x, int y, float u, float v)>& painter);
void FillPolygon(Picture& picture, const std::vector<Point>& corners, BYTE index);
void PaintPolygon(Picture& picture, const std::vector<Point>& corners,
                  const std::function<BYTE(int x, int y)>& painter);
void DrawLine(Picture& picture, Point from, Point to, float thickness, BYTE index);
void DrawRing(Picture& picture, Point centre, float inner, float outer, BYTE index);

// Light on a rounded surface seen at (u, v) of its outline (-1..1), lit from the upper left:
// 0 in deep shadow to 1 in the highlight.
float RoundLight(float u, float v);

// Every transparent pixel that touches an opaque one (4-neighbours) becomes the outline.
void OutlineShape(Picture& picture, BYTE outline);
// Opaque pixels whose neighbour at (dx, dy) is transparent become `to`: a rim light or
// a shadow edge along one side of a shape.
void EdgeShade(Picture& picture, int dx, int dy, BYTE to);

// Copies the opaque pixels of source with its top-left corner at (x, y).
void Stamp(Picture& target, const Picture& source, int x, int y);

// The picture enlarged by a whole factor, pixel for pixel.
Picture Enlarged(const Picture& picture, int factor);

// A raised panel: light top and left edges, dark bottom and right, face in between.
void Bevel(Picture& picture, Box box, BYTE light, BYTE face, BYTE dark, int depth = 2);

} // namespace art
