#include "introfigure.h"

#include "drawingsurface.h"

#include <algorithm>
#include <cmath>
#include <limits>

namespace intro {

std::int16_t stepWidth(float width)
{
    // std::nearbyint rounds in the current mode, which is to nearest with
    // ties to even unless someone changed it; the picture's fixed width keeps
    // the result far inside 16 bits, the clamp only guards against a
    // resized picture.
    const double step = std::nearbyint(double(width) / 10);
    constexpr double lowest = std::numeric_limits<std::int16_t>::min();
    constexpr double highest = std::numeric_limits<std::int16_t>::max();
    return std::int16_t(std::clamp(step, lowest, highest));
}

Point top(float width, float height)
{
    return {float(double(width) / 2), float(double(height) / 10)};
}

Point corner(float width, float height)
{
    return {float(double(width) / 2), float(double(height) - 20)};
}

Point movingCorner(float width, float height, int frame, std::int16_t step)
{
    const int offset = frame * step;
    return {float((double(width) - 20) - offset), float(double(height) - 20)};
}

void draw(DrawingSurface &surface, int frame, QRgb colour, std::initializer_list<Mark> marks)
{
    constexpr int thickDot = 5;
    const float W = surface.scaleWidth();
    const float H = surface.scaleHeight();
    const Point A = top(W, H);
    const Point C = corner(W, H);
    const Point B = movingCorner(W, H, frame, stepWidth(W));
    const auto dot = [&](Point p) {
        surface.setDrawWidth(thickDot);
        surface.pset(p.x, p.y, colour);
    };
    const auto line = [&](Point from, Point to) {
        surface.setDrawStyle(DrawingSurface::Dot);
        surface.setDrawWidth(1);
        surface.line(from.x, from.y, to.x, to.y, colour);
    };
    for (const Mark mark : marks) {
        switch (mark) {
        case Mark::TopDot:
            dot(A);
            break;
        case Mark::UprightLeg:
            line(A, C);
            break;
        case Mark::BaseLeg:
            line(C, B);
            break;
        case Mark::Hypotenuse:
            line(A, B);
            break;
        case Mark::MovingDot:
            dot(B);
            break;
        }
    }
}

} // namespace intro
