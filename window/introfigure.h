#ifndef INTROFIGURE_H
#define INTROFIGURE_H

#include <QRgb>

#include <cstdint>
#include <initializer_list>

class DrawingSurface;

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

// The parts of the figure. The top dot and the upright leg are fixed; the
// base leg, the hypotenuse and the dot at B(k) move from frame to frame.
enum class Mark { TopDot, UprightLeg, BaseLeg, Hypotenuse, MovingDot };

// Draws the marks of frame k in the colour, in the order given, on a surface
// whose size gives W and H; drawing them again in the background colour
// erases them. Each mark sets the pen it needs (a dot 5 pixels wide, a line
// dotted and 1 pixel wide), and the pen stays as the last mark left it.
void draw(DrawingSurface &surface, int frame, QRgb colour, std::initializer_list<Mark> marks);

} // namespace intro

#endif // INTROFIGURE_H
