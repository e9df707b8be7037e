#include "tools/make_assets/sprites/creature_canvas.h"

#include <algorithm>

namespace art {

std::vector<Point> CreatureCanvas::At(const std::vector<Point>& units) const
{
    std::vector<Point> points;
    for (const Point& unit : units) points.push_back(At(unit));
    return points;
}

void CreatureCanvas::Blob(Point centre, float rx, float ry, Ramp ramp, int first, int last)
{
    PaintEllipse(picture_, At(centre), Length(rx), Length(ry), [&](int, int, float u, float v) {
        return BandSteps(ramp, first, last, RoundLight(u, v));
    });
}

void CreatureCanvas::Ellipse(Point centre, float rx, float ry, BYTE index)
{
    FillEllipse(picture_, At(centre), Length(rx), Length(ry), index);
}

void CreatureCanvas::Shape(const std::vector<Point>& corners, Ramp ramp, int first, int last)
{
    const std::vector<Point> points = At(corners);
    float top = points[0].y;
    float bottom = points[0].y;
    for (const Point& p : points) {
        top = std::min(top, p.y);
        bottom = std::max(bottom, p.y);
    }
    PaintPolygon(picture_, points, [&](int, int y) {
        const float level =
            1.0f - (static_cast<float>(y) + 0.5f - top) / std::max(1.0f, bottom - top);
        return BandSteps(ramp, first, last, 0.25f + 0.7f * level);
    });
}

void CreatureCanvas::Polygon(const std::vector<Point>& corners, BYTE index)
{
    FillPolygon(picture_, At(corners), index);
}

void CreatureCanvas::Line(Point from, Point to, float thickness, BYTE index)
{
    DrawLine(picture_, At(from), At(to), std::max(1.0f, Length(thickness)), index);
}

void CreatureCanvas::Eye(Point centre, float radius, float lookU, float lookV, float pupilShare)
{
    Ellipse(centre, radius + 1.0f / size_, radius + 1.0f / size_, LineColour());
    Blob(centre, radius, radius, CREATURE_PALE, 11, 15);
    const float reach = radius * (1.0f - pupilShare) * 0.8f;
    const Point pupil {centre.x + lookU * reach, centre.y + lookV * reach};
    const float pupilRadius = std::max(radius * pupilShare, 1.0f / size_);
    Ellipse(pupil, pupilRadius, pupilRadius, CREATURE_PALE.At(LINE_STEP));
    const float glint = std::max(pupilRadius * 0.35f, 0.6f / size_);
    Ellipse({pupil.x - pupilRadius * 0.35f, pupil.y - pupilRadius * 0.35f}, glint, glint,
            CREATURE_PALE.Last());
}

void CreatureCanvas::Outline(int rings)
{
    for (int ring = 0; ring < rings; ++ring) OutlineShape(picture_, LineColour());
}

} // namespace art
