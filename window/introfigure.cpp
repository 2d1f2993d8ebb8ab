#include "introfigure.h"

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

} // namespace intro
