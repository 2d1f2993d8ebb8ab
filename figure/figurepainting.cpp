#include "figurepainting.h"

#include "schooltext.h"

#include <QFont>
#include <QFontInfo>
#include <QFontMetricsF>
#include <QPainter>
#include <QPolygonF>

#include <algorithm>
#include <cmath>
#include <numbers>

using figure::Geometry;

namespace {

const QColor paper(255, 255, 255);
const QColor ink(26, 26, 26);
const QColor triangleFill(253, 246, 220);
const QColor incircleInk(31, 95, 191);
const QColor circumcircleInk(176, 48, 38);
const QColor noteInk(80, 80, 80);

const QString notToScale =
    QStringLiteral("Не е в мащаб: триъгълникът е твърде тесен, затова по-късият катет и "
                   "вписаната окръжност са начертани по-големи, отколкото са.");

// Sizes in ems of the label font, so that a figure on paper keeps the
// proportions it has on the screen.
constexpr qreal labelRoom = 2.0;        // around the circumcircle, for the labels outside it
constexpr qreal smallestInradius = 0.75; // a thinner triangle gets a stand-in ...
constexpr qreal standInInradius = 1.2;   // ... with this incircle, room for the labels
constexpr qreal gap = 0.3;              // between a label and what it labels
constexpr qreal sideWidth = 0.13;
constexpr qreal circleWidth = 0.1;
constexpr qreal thinWidth = 0.07;
constexpr qreal dotRadius = 0.2;

qreal emOf(const QFont &font)
{
    return font.pixelSize() > 0 ? font.pixelSize() : QFontInfo(font).pixelSize();
}

QFont noteFont(const QFont &font)
{
    QFont note = font;
    note.setPixelSize(std::max(1, int(std::lround(emOf(font) * 0.85))));
    return note;
}

// The note's text block, as wide as the figure less an em on each side.
QRectF noteBlock(const QRectF &rect, const QFont &font)
{
    const qreal em = emOf(font);
    const QRectF width(rect.left() + em, 0, std::max(qreal(1), rect.width() - 2 * em), 1e6);
    const QRectF block = QFontMetricsF(noteFont(font))
                             .boundingRect(width, Qt::TextWordWrap | Qt::AlignHCenter, notToScale);
    return QRectF(width.left(), rect.bottom() - block.height() - 0.4 * em, width.width(),
                  block.height());
}

QPointF unit(QPointF v)
{
    const qreal length = std::hypot(v.x(), v.y());
    return length > 0 ? v / length : QPointF();
}

// The normal of the side from `from` to `to` that points away from `inside`.
QPointF outwardNormal(QPointF from, QPointF to, QPointF inside)
{
    const QPointF along = to - from;
    QPointF normal = unit(QPointF(along.y(), -along.x()));
    if (QPointF::dotProduct(normal, (from + to) / 2 - inside) < 0)
        normal = -normal;
    return normal;
}

// A name in italics, as letters of a formula are printed, with its value in
// upright type: "a = 3". Vertex names stand alone and upright.
struct Label
{
    QString name;
    QString value;
    QColor colour;
};

class Labeller
{
public:
    Labeller(QPainter &painter, const QFont &font, const QRectF &bounds)
        : m_painter(painter), m_upright(font), m_italic(font), m_bounds(bounds),
          m_em(emOf(font))
    {
        m_italic.setItalic(true);
    }

    qreal em() const { return m_em; }

    QSizeF size(const Label &label) const
    {
        const QFontMetricsF upright(m_upright);
        return QSizeF(nameWidth(label) + upright.horizontalAdvance(rest(label)) + 0.3 * m_em,
                      upright.height());
    }

    // The label set off from anchor in a unit direction: its box lies wholly
    // beyond the line through anchor across that direction, gap ems from
    // it, so that it clears a side the direction is normal to. slide moves
    // it along that line, in widths of the label.
    void beside(QPointF anchor, QPointF direction, const Label &label, qreal slide = 0) const
    {
        const QSizeF box = size(label);
        const qreal reach = box.width() / 2 * std::abs(direction.x())
            + box.height() / 2 * std::abs(direction.y());
        const QPointF across(-direction.y(), direction.x());
        centred(anchor + direction * (gap * m_em + reach) + across * (slide * box.width()), label);
    }

    // The label on a paper-coloured box, so that a line it crosses does not
    // cut through its letters; kept within the figure.
    void centred(QPointF centre, const Label &label) const
    {
        const QSizeF box = size(label);
        centre.setX(std::clamp(centre.x(), m_bounds.left() + box.width() / 2,
                               std::max(m_bounds.left(), m_bounds.right() - box.width() / 2)));
        centre.setY(std::clamp(centre.y(), m_bounds.top() + box.height() / 2,
                               std::max(m_bounds.top(), m_bounds.bottom() - box.height() / 2)));
        const QRectF area(centre - QPointF(box.width(), box.height()) / 2, box);
        m_painter.setPen(Qt::NoPen);
        m_painter.setBrush(paper);
        m_painter.drawRoundedRect(area, 0.2 * m_em, 0.2 * m_em);

        const qreal baseline = area.top() + QFontMetricsF(m_upright).ascent();
        qreal x = area.left() + 0.15 * m_em;
        m_painter.setPen(label.colour);
        m_painter.setFont(label.value.isEmpty() ? m_upright : m_italic);
        m_painter.drawText(QPointF(x, baseline), label.name);
        x += nameWidth(label);
        m_painter.setFont(m_upright);
        m_painter.drawText(QPointF(x, baseline), rest(label));
    }

private:
    static QString rest(const Label &label)
    {
        return label.value.isEmpty() ? QString() : QStringLiteral(" = ") + label.value;
    }

    qreal nameWidth(const Label &label) const
    {
        return QFontMetricsF(label.value.isEmpty() ? m_upright : m_italic)
            .horizontalAdvance(label.name);
    }

    QPainter &m_painter;
    QFont m_upright;
    QFont m_italic;
    QRectF m_bounds;
    qreal m_em;
};

QPen pen(const QColor &colour, qreal width)
{
    return QPen(colour, width, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin);
}

void dot(QPainter &painter, QPointF centre, qreal radius, const QColor &colour)
{
    painter.setPen(Qt::NoPen);
    painter.setBrush(colour);
    painter.drawEllipse(centre, radius, radius);
}

void circle(QPainter &painter, const figure::Circle &c, const QColor &colour, qreal width)
{
    painter.setPen(pen(colour, width));
    painter.setBrush(Qt::NoBrush);
    painter.drawEllipse(c.centre, c.radius, c.radius);
}

const QColor extraInk(0, 110, 60);

// A dashed thin line.
void dashed(QPainter &painter, QPointF from, QPointF to, qreal width)
{
    QPen p = pen(extraInk, width);
    p.setStyle(Qt::DashLine);
    painter.setPen(p);
    painter.drawLine(from, to);
}

// A short bar across a side at a point: where a segment of it ends.
void tick(QPainter &painter, QPointF at, QPointF normal, qreal length, qreal width)
{
    painter.setPen(pen(extraInk, width));
    painter.drawLine(at - normal * length / 2, at + normal * length / 2);
}

// What only some figures show: the altitude with its foot, the segments of
// the hypotenuse and the acute angles, each with its label.
void paintExtras(QPainter &painter, const Labeller &labels, const Geometry &g,
                 QPointF awayFromC, const FigureLabels &texts)
{
    const qreal em = labels.em();
    const QPointF along = unit(g.B - g.A);
    // D, the foot of the altitude from C.
    const QPointF D = g.A + along * QPointF::dotProduct(g.C - g.A, along);
    if (texts.h || texts.a1 || texts.b1) {
        dashed(painter, g.C, D, thinWidth * em);
        const qreal corner = std::min(0.5 * em, 0.3 * std::hypot(g.C.x() - D.x(), g.C.y() - D.y()));
        const QPointF up = unit(g.C - D) * corner;
        const QPointF side = along * corner;
        painter.setPen(pen(extraInk, thinWidth * em));
        painter.setBrush(Qt::NoBrush);
        painter.drawPolyline(QPolygonF({D + up, D + up + side, D + side}));
        labels.beside(D, awayFromC, {QStringLiteral("D"), {}, extraInk});
    }
    if (texts.h)
        labels.beside((g.C + D) / 2, along, {QStringLiteral("h"), *texts.h, extraInk});
    // The projections inside the triangle, just above the hypotenuse.
    const QPointF inward = -awayFromC;
    if (texts.a1)
        labels.beside((D + g.B) / 2, inward, {QStringLiteral("a₁"), *texts.a1, extraInk});
    if (texts.b1)
        labels.beside((g.A + D) / 2, inward, {QStringLiteral("b₁"), *texts.b1, extraInk});
    // The touch point's segments outside it.
    if (texts.m || texts.n)
        tick(painter, g.touchC, awayFromC, 0.8 * em, thinWidth * em);
    if (texts.m)
        labels.beside((g.A + g.touchC) / 2, awayFromC, {QStringLiteral("m"), *texts.m, extraInk});
    if (texts.n)
        labels.beside((g.touchC + g.B) / 2, awayFromC, {QStringLiteral("n"), *texts.n, extraInk});
    // An arc at a vertex between its two sides, and its label inside it.
    const auto angle = [&](QPointF vertex, QPointF first, QPointF second, const QString &name,
                           const QString &text) {
        const qreal radius = 1.6 * em;
        const QPointF u = unit(first - vertex);
        const QPointF v = unit(second - vertex);
        const qreal start = std::atan2(-u.y(), u.x()) * 180 / std::numbers::pi;
        qreal span = (std::atan2(-v.y(), v.x()) - std::atan2(-u.y(), u.x())) * 180 / std::numbers::pi;
        if (span > 180)
            span -= 360;
        if (span < -180)
            span += 360;
        painter.setPen(pen(extraInk, thinWidth * em));
        painter.setBrush(Qt::NoBrush);
        painter.drawArc(QRectF(vertex - QPointF(radius, radius), QSizeF(2 * radius, 2 * radius)),
                        int(std::lround(start * 16)), int(std::lround(span * 16)));
        labels.beside(vertex + unit(u + v) * radius, unit(u + v), {name, text, extraInk});
    };
    if (texts.alpha)
        angle(g.A, g.B, g.C, QStringLiteral("α"), *texts.alpha);
    if (texts.beta)
        angle(g.B, g.C, g.A, QStringLiteral("β"), *texts.beta);
}

} // namespace

Geometry figureLayout(const solver::Triangle &triangle, const QRectF &rect, const QFont &font)
{
    const qreal em = emOf(font);
    const qreal margin = labelRoom * em;
    Geometry g = figure::geometry(triangle);
    QRectF area = rect;
    qreal radius = figure::fittedRadius(area, margin);
    if (radius > 0 && g.incircle.radius < smallestInradius * em / radius * g.circumcircle.radius) {
        area.setBottom(noteBlock(rect, font).top() - 0.4 * em);
        radius = figure::fittedRadius(area, margin);
        if (radius > 0)
            g = figure::geometry(triangle, standInInradius * em / radius);
    }
    return figure::fitted(g, area, margin);
}

void paintFigure(QPainter &painter, const QRectF &rect, const solver::Triangle &triangle,
                 const QFont &font, const QLocale &locale, const FigureLabels &texts)
{
    paintFigure(painter, rect, triangle, figureLayout(triangle, rect, font), font, locale, texts);
}

void paintFigure(QPainter &painter, const QRectF &rect, const solver::Triangle &triangle,
                 const Geometry &g, const QFont &font, const QLocale &locale,
                 const FigureLabels &texts)
{
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setRenderHint(QPainter::TextAntialiasing);
    painter.setClipRect(rect);
    painter.fillRect(rect, paper);

    if (!(g.circumcircle.radius > 0)) {
        painter.restore();
        return;
    }
    const Labeller labels(painter, font, rect);
    const qreal em = labels.em();
    const auto value = [&](const std::optional<QString> &text, double v) {
        return text ? *text : schoolText(v, 4, locale);
    };

    // The longer leg lies at the bottom from C to Q, the shorter one rises
    // from C to P; the incircle touches the longer leg at the lower point.
    const bool aIsBottom = g.B.y() > g.A.y();
    const QPointF Q = aIsBottom ? g.B : g.A;
    const QPointF P = aIsBottom ? g.A : g.B;
    const QPointF touchBottom = aIsBottom ? g.touchA : g.touchB;
    const QPointF O = g.circumcircle.centre;
    const QPointF I = g.incircle.centre;
    const qreal R = g.circumcircle.radius;
    const qreal r = g.incircle.radius;
    const QPointF awayFromC = outwardNormal(g.A, g.B, I);

    circle(painter, g.circumcircle, circumcircleInk, circleWidth * em);

    painter.setPen(pen(ink, sideWidth * em));
    painter.setBrush(triangleFill);
    painter.drawPolygon(QPolygonF({g.A, g.B, g.C}));
    // The right angle's mark stays clear of the incircle, which comes within
    // (√2 − 1)·r of C.
    const qreal corner = std::min(0.7 * em, 0.28 * r);
    const QPointF up = unit(P - g.C) * corner;
    const QPointF along = unit(Q - g.C) * corner;
    painter.setPen(pen(ink, thinWidth * em));
    painter.setBrush(Qt::NoBrush);
    painter.drawPolyline(QPolygonF({g.C + up, g.C + up + along, g.C + along}));

    circle(painter, g.incircle, incircleInk, circleWidth * em);

    // One radius of each circle: R away from the triangle, across the empty
    // half of the circumcircle; r down to the longer leg when its label fits
    // inside the incircle, else out to the hypotenuse with the label beyond.
    const Label rLabel{QStringLiteral("r"), value(texts.r, triangle.r), incircleInk};
    const QSizeF rBox = labels.size(rLabel);
    const bool rInside =
        std::hypot(gap * em + rBox.width(), (r + rBox.height()) / 2) < r - 0.1 * em;
    const QPointF rEnd = rInside ? touchBottom : g.touchC;
    painter.setPen(pen(circumcircleInk, thinWidth * em));
    painter.drawLine(O, O + awayFromC * R);
    painter.setPen(pen(incircleInk, thinWidth * em));
    painter.drawLine(I, rEnd);

    dot(painter, O, dotRadius * em, circumcircleInk);
    dot(painter, I, dotRadius * em, incircleInk);
    for (QPointF touch : {g.touchA, g.touchB, g.touchC})
        dot(painter, touch, 0.6 * dotRadius * em, incircleInk);

    for (const auto &[vertex, name] : {std::pair{g.A, u"A"}, {g.B, u"B"}, {g.C, u"C"}})
        labels.beside(vertex, unit(vertex - I), {QString::fromUtf16(name), {}, ink});
    // A label whose text is empty is left out.
    const auto side = [&](QPointF anchor, QPointF direction, const Label &label) {
        if (!label.value.isEmpty())
            labels.beside(anchor, direction, label);
    };
    side((g.B + g.C) / 2, outwardNormal(g.B, g.C, I),
         {QStringLiteral("a"), value(texts.a, triangle.a), ink});
    side((g.C + g.A) / 2, outwardNormal(g.C, g.A, I),
         {QStringLiteral("b"), value(texts.b, triangle.b), ink});
    // Beyond the segments' labels where those stand outside the hypotenuse:
    // past the deeper of the two boxes, measured along the way out.
    qreal cOut = 0;
    for (const auto &[name, text] : {std::pair{u"m", texts.m}, {u"n", texts.n}}) {
        if (!text)
            continue;
        const QSizeF box = labels.size({QString::fromUtf16(name), *text, extraInk});
        cOut = std::max(cOut, box.width() * std::abs(awayFromC.x())
                                  + box.height() * std::abs(awayFromC.y()) + gap * em);
    }
    side((O + Q) / 2 + awayFromC * cOut, awayFromC,
         {QStringLiteral("c"), value(texts.c, 2 * triangle.R), ink});
    side(O + awayFromC * (R / 2), unit(P - O),
         {QStringLiteral("R"), value(texts.R, triangle.R), circumcircleInk});
    if (rLabel.value.isEmpty()) {
        // no label for r
    } else if (rInside) {
        labels.centred(QPointF(I.x() + gap * em + rBox.width() / 2, I.y() + r / 2), rLabel);
    } else { // beyond the hypotenuse, its near end over the touch point, away from P
        labels.beside(g.touchC, awayFromC, rLabel,
                      QPointF::dotProduct(QPointF(-awayFromC.y(), awayFromC.x()), Q - P) > 0
                          ? 0.5
                          : -0.5);
    }

    paintExtras(painter, labels, g, awayFromC, texts);

    if (!g.toScale) {
        painter.setPen(noteInk);
        painter.setFont(noteFont(font));
        painter.drawText(noteBlock(rect, font), Qt::TextWordWrap | Qt::AlignHCenter, notToScale);
    }
    painter.restore();
}

QString figureDescription(const solver::Triangle &triangle, const QRectF &rect, const QFont &font,
                          const QLocale &locale)
{
    const auto value = [&](double v) { return schoolText(v, 4, locale); };
    // The radii by what they are, too: a Bulgarian voice says r and R alike.
    QString text = QStringLiteral("правоъгълен триъгълник с катети %1 и %2, хипотенуза %3, "
                                  "радиус на вписаната окръжност r = %4, "
                                  "радиус на описаната окръжност R = %5")
                       .arg(value(triangle.a), value(triangle.b), value(2 * triangle.R),
                            value(triangle.r), value(triangle.R));
    if (!figureLayout(triangle, rect, font).toScale)
        text += QStringLiteral("; чертежът не е в мащаб");
    return text;
}
