#pragma once
// Glimbots are designed in a unit square (0..1 each way, y downwards) and painted at any size:
// 48 pixels for the play sprites, larger for the title picture.

#include <vector>

#include "tools/make_assets/art/paint.h"

namespace art {

// Shaded body parts use steps 5 to 15 of a creature ramp in flat, undithered bands; step 4 is
// kept for outlines and inner lines, so a bursting pixel's darker twin (four steps down) stays
// the same hue.
inline constexpr int BODY_DARKEST_STEP = 5;
inline constexpr int BODY_LIGHTEST_STEP = 15;
inline constexpr int LINE_STEP = 4;

class CreatureCanvas {
public:
    CreatureCanvas(Picture& picture, float left, float top, float size, Ramp skin)
        : picture_(picture), left_(left), top_(top), size_(size), skin_(skin)
    {
    }

    Ramp Skin() const { return skin_; }
    BYTE LineColour() const { return skin_.At(LINE_STEP); }
    float Size() const { return size_; }

    // A rounded, lit body part: an ellipse shaded from steps first to last of the ramp.
    void Blob(Point centre, float rx, float ry, Ramp ramp, int first = BODY_DARKEST_STEP,
              int last = BODY_LIGHTEST_STEP);
    void Ellipse(Point centre, float rx, float ry, BYTE index);
    // A flat part lit from above: lighter at its top, darker at its bottom.
    void Shape(const std::vector<Point>& corners, Ramp ramp, int first = BODY_DARKEST_STEP,
               int last = BODY_LIGHTEST_STEP);
    void Polygon(const std::vector<Point>& corners, BYTE index);
    void Line(Point from, Point to, float thickness, BYTE index);
    // An eye looking at (lookU, lookV), each -1..1: white, pupil and a glint.
    void Eye(Point centre, float radius, float lookU, float lookV, float pupilShare = 0.45f);
    // The dark outline round the whole creature, `rings` pixels wide.
    void Outline(int rings = 1);

private:
    Point At(Point unit) const { return {left_ + unit.x * size_, top_ + unit.y * size_}; }
    float Length(float unit) const { return unit * size_; }
    std::vector<Point> At(const std::vector<Point>& units) const;

    Picture& picture_;
    float left_;
    float top_;
    float size_;
    Ramp skin_;
};

// The four glimbots of play, by type.
void DrawGrunt(CreatureCanvas& canvas);   // type 0: green, antennae, toothy grin
void DrawCyclops(CreatureCanvas& canvas); // type 1: purple, one eye, horns
void DrawFloater(CreatureCanvas& canvas); // type 2: orange, rotor and wings, floats high
void DrawHelmet(CreatureCanvas& canvas);  // type 3: teal, glass dome, claws

} // namespace art
