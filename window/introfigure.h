#ifndef INTROFIGURE_H
#define INTROFIGURE_H

#include <cstdint>

// The figure of the intro animation on a picture W wide and H high: a right
// triangle with its top point A = (W / 2, H / 10), its right angle at
// C = (W / 2, H - 20) and its third corner B(k) = ((W - 20) - k*u, H - 20)
// stepping left by u = W / 10 (rounded) in frame k. Every point is computed
// afresh from W, H and the frame number and handed out in single precision,
// as the drawing calls take it.
namespace intro {

inline constexpr int frameCount = 10;

struct Point
{
    float x;
    float y;
};

// W / 10 rounded to the nearest integer, an exact half to the even one.
std::int16_t stepWidth(float width);

Point top(float width, float height);
Point corner(float width, float height);
Point movingCorner(float width, float height, int frame, std::int16_t step);

} // namespace intro

#endif // INTROFIGURE_H
