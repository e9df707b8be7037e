#include "tools/make_assets/output/contact_sheet.h"

#include <algorithm>

#include "tools/make_assets/art/lettering.h"

namespace art {
namespace {

constexpr int SHEET_WIDTH = 2 * 640 + 3 * 16;
constexpr int GAP = 16;
constexpr int NAME_HEIGHT = 20;
constexpr int SPRITE_ZOOM = 3;
constexpr BYTE BACKGROUND = GREYS.At(2);

struct Placed {
    const Picture* picture;
    int x;
    int y;
};

// Rows of pictures left to right, each row as tall as its tallest picture.
std::vector<Placed> Layout(const std::vector<const Picture*>& pictures, int& height)
{
    std::vector<Placed> placed;
    int x = GAP;
    int y = GAP;
    int rowHeight = 0;
    for (const Picture* picture : pictures) {
        const int width = std::max(picture->width, LabelFont(14).Advance(picture->name));
        if (x + width + GAP > SHEET_WIDTH && x > GAP) {
            x = GAP;
            y += rowHeight + GAP;
            rowHeight = 0;
        }
        placed.push_back({picture, x, y + NAME_HEIGHT});
        x += width + GAP;
        rowHeight = std::max(rowHeight, picture->height + NAME_HEIGHT);
    }
    height = y + rowHeight + GAP;
    return placed;
}

void Show(Picture& sheet, const Placed& item)
{
    const Picture& picture = *item.picture;
    for (int y = 0; y < picture.height; ++y) {
        for (int x = 0; x < picture.width; ++x) {
            const bool light = ((x / 8) + (y / 8)) % 2 == 0;
            const BYTE under = light ? GREYS.At(9) : GREYS.At(7);
            sheet.Set(item.x + x, item.y + y, picture.Opaque(x, y) ? picture.At(x, y) : under);
        }
    }
    DrawLabel(sheet, LabelFont(14), picture.name, item.x, item.y - NAME_HEIGHT + 2, WHITE);
}

} // namespace

Picture ContactSheet(const std::vector<Picture>& pictures, const std::vector<Picture>& sprites)
{
    std::vector<Picture> enlarged;
    for (const Picture& sprite : sprites) {
        enlarged.push_back(Enlarged(sprite, SPRITE_ZOOM));
        enlarged.back().name += " x3";
    }
    // Full screens first, two to a row, then the small pictures, then the sprites.
    std::vector<const Picture*> order;
    for (const Picture& picture : pictures) {
        if (picture.width == 640) order.push_back(&picture);
    }
    for (const Picture& picture : pictures) {
        if (picture.width != 640) order.push_back(&picture);
    }
    for (const Picture& sprite : sprites) order.push_back(&sprite);
    for (const Picture& sprite : enlarged) order.push_back(&sprite);

    int height = 0;
    const std::vector<Placed> placed = Layout(order, height);
    Picture sheet("contact sheet", SHEET_WIDTH, height, BACKGROUND);
    for (const Placed& item : placed) Show(sheet, item);
    return sheet;
}

Picture StackedPictures(const std::vector<Picture>& pictures)
{
    int width = 0;
    int height = 0;
    for (const Picture& picture : pictures) {
        width = std::max(width, picture.width);
        height += picture.height + GAP;
    }
    Picture stack("stack", width + 2 * GAP, height + GAP, BACKGROUND);
    int y = GAP;
    for (const Picture& picture : pictures) {
        Stamp(stack, picture, GAP, y);
        y += picture.height + GAP;
    }
    return stack;
}

} // namespace art
