#ifndef FIGUREGEOMETRY_H
#define FIGUREGEOMETRY_H

#include "solver.h"

#include <QPointF>
#include <QRectF>

// The figure of a solved right triangle as points and circles, apart from any
// painting, so that it can be checked without a window.
namespace figure {

struct Circle
{
    QPointF centre;
    qreal radius = 0;
};

// The right triangle ABC with its right angle at C, so that a = BC and
// b = CA are the legs and c = AB the hypotenuse; its inscribed circle and
// the points where it touches each side; and its circumscribed circle, whose
// centre is the middle of the hypotenuse.
struct Geometry
{
    QPointF A;
    QPointF B;
    QPointF C;
    Circle incircle;
    Circle circumcircle;
    QPointF touchA; // where the incircle touches BC
    QPointF touchB; // ... CA
    QPointF touchC; // ... AB
    // False for a stand-in drawn wider than the triangle really is.
    bool toScale = true;
};

// The triangle in its own units, as drawn on paper: C at the origin, the
// longer leg along the x axis, the shorter one up the y axis. It is built from
// the legs alone; the radii follow from them.
//
// A thin triangle's incircle is a speck beside its circumcircle (ρ = 10⁶
// makes it a millionth as large). When r is less than smallestInradiusShare
// of R, a stand-in is returned instead: the right triangle with the same
// hypotenuse whose incircle has that share of R, marked as not to scale.
Geometry geometry(const solver::Triangle &triangle, qreal smallestInradiusShare = 0);

// The radius the circumscribed circle gets when it is fitted into rect with
// margin on every side.
qreal fittedRadius(const QRectF &rect, qreal margin);

// The figure moved and scaled so that its circumscribed circle, which holds
// all of it, fills rect less margin and sits in its middle; y grows downwards
// as on a screen, so the longer leg lies at the bottom.
Geometry fitted(const Geometry &figure, const QRectF &rect, qreal margin);

} // namespace figure

#endif // FIGUREGEOMETRY_H
