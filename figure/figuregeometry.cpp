#include "figuregeometry.h"

#include <algorithm>
#include <cmath>
#include <numbers>

namespace figure {
namespace {

// The largest incircle a stand-in is given, as a share of R. The isosceles
// right triangle, the fattest there is, has r = (√2 − 1)·R ≈ 0.41·R; a
// request beyond this share (a figure only a few pixels across) is left to
// scale, since nothing could make it legible.
constexpr qreal widestStandIn = 0.25;

// The triangle with the longer leg along the x axis and the shorter one up
// the y axis. aIsLonger tells which of the two is a = BC.
Geometry fromLegs(qreal longer, qreal shorter, bool aIsLonger)
{
    // Lengths are taken relative to the longer leg, so that neither a product
    // of two lengths nor a sum of three can leave the range of double. The
    // inradius is ab / (a + b + c): the same as (a + b − c) / 2, without its
    // cancellation on a thin triangle.
    const qreal thinness = shorter / longer;
    const qreal hypotenuse = std::hypot(qreal(1), thinness);
    const qreal r = thinness / (1 + thinness + hypotenuse) * longer;
    const qreal R = hypotenuse / 2 * longer;

    const QPointF far(longer, 0);
    const QPointF up(0, shorter);
    Geometry g;
    g.C = QPointF(0, 0);
    g.A = aIsLonger ? up : far;
    g.B = aIsLonger ? far : up;
    g.incircle = {QPointF(r, r), r};
    g.circumcircle = {QPointF(longer / 2, shorter / 2), R};
    const QPointF onLonger(r, 0);
    const QPointF onShorter(0, r);
    g.touchA = aIsLonger ? onLonger : onShorter;
    g.touchB = aIsLonger ? onShorter : onLonger;
    // The two tangents from a vertex to the incircle are equally long; from
    // the far end of the longer leg both are longer − r.
    g.touchC = far + (up - far) * ((longer - r) / R / 2);
    return g;
}

} // namespace

Geometry geometry(const solver::Triangle &triangle, qreal smallestInradiusShare)
{
    const bool aIsLonger = triangle.a >= triangle.b;
    const qreal longer = aIsLonger ? triangle.a : triangle.b;
    const qreal shorter = aIsLonger ? triangle.b : triangle.a;
    Geometry g = fromLegs(longer, shorter, aIsLonger);

    const qreal share = std::min(smallestInradiusShare, widestStandIn);
    const qreal R = g.circumcircle.radius;
    if (!(g.incircle.radius < share * R))
        return g;
    // A right triangle with hypotenuse c and an acute angle θ has legs
    // c·cos θ and c·sin θ and 2r = c·(cos θ + sin θ − 1); the stand-in's
    // angle makes 2r / c equal to the share asked for.
    const qreal angle = std::asin((1 + share) / std::numbers::sqrt2) - std::numbers::pi / 4;
    Geometry standIn = fromLegs(2 * R * std::cos(angle), 2 * R * std::sin(angle), aIsLonger);
    standIn.toScale = false;
    return standIn;
}

qreal fittedRadius(const QRectF &rect, qreal margin)
{
    return std::max(qreal(0), (std::min(rect.width(), rect.height()) - 2 * margin) / 2);
}

Geometry fitted(const Geometry &figure, const QRectF &rect, qreal margin)
{
    // Each point is taken relative to the circumcentre and divided by R
    // before it is scaled, so that no triangle, however large or small,
    // makes the factor overflow.
    const QPointF from = figure.circumcircle.centre;
    const qreal R = figure.circumcircle.radius;
    const qreal radius = fittedRadius(rect, margin);
    const QPointF to = rect.center();
    const auto point = [&](QPointF p) {
        return QPointF(to.x() + (p.x() - from.x()) / R * radius,
                       to.y() - (p.y() - from.y()) / R * radius);
    };
    const auto circle = [&](const Circle &c) {
        return Circle{point(c.centre), c.radius / R * radius};
    };
    Geometry g;
    g.A = point(figure.A);
    g.B = point(figure.B);
    g.C = point(figure.C);
    g.incircle = circle(figure.incircle);
    g.circumcircle = circle(figure.circumcircle);
    g.touchA = point(figure.touchA);
    g.touchB = point(figure.touchB);
    g.touchC = point(figure.touchC);
    g.toScale = figure.toScale;
    return g;
}

} // namespace figure
