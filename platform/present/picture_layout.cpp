#include "platform/present/picture_layout.h"

#include <algorithm>

namespace platform::present {
namespace {

Area Centred(Size output, int width, int height)
{
    return {(output.width - width) / 2, (output.height - height) / 2, width, height};
}

} // namespace

int WholeMultiple(Area picture, Size screen)
{
    return std::max(1, std::min(picture.width / screen.width, picture.height / screen.height));
}

Area PictureArea(Size output, Size screen, Scaling scaling)
{
    output.width = std::max(output.width, 1);
    output.height = std::max(output.height, 1);
    if (scaling == Scaling::Stretch) return {0, 0, output.width, output.height};
    const int whole = std::min(output.width / screen.width, output.height / screen.height);
    if (scaling == Scaling::Integer && whole >= 1)
        return Centred(output, screen.width * whole, screen.height * whole);
    // The widest picture of the screen's shape that the output holds.
    if (static_cast<long long>(output.width) * screen.height
        >= static_cast<long long>(output.height) * screen.width) {
        return Centred(output, std::max(1, output.height * screen.width / screen.height),
                       output.height);
    }
    return Centred(output, output.width, std::max(1, output.width * screen.height / screen.width));
}

Point HeldToScreen(Size screen, long long x, long long y)
{
    return {static_cast<int>(std::clamp<long long>(x, 0, screen.width - 1)),
            static_cast<int>(std::clamp<long long>(y, 0, screen.height - 1))};
}

Point ScreenPoint(Area picture, Size screen, Point output)
{
    return HeldToScreen(
        screen, static_cast<long long>(output.x - picture.x) * screen.width / picture.width,
        static_cast<long long>(output.y - picture.y) * screen.height / picture.height);
}

} // namespace platform::present
