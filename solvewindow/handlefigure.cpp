#include "handlefigure.h"

#include "accessibility.h"
#include "formlook.h"

#include <QAccessible>
#include <QFontInfo>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QPainterPath>
#include <QStyleOptionFocusRect>

#include <algorithm>
#include <cmath>
#include <numbers>

using handles::Handle;

namespace {

QPointF unit(QPointF v)
{
    const qreal length = std::hypot(v.x(), v.y());
    return length > 0 ? v / length : QPointF();
}

QPointF perpendicular(QPointF v)
{
    return {-v.y(), v.x()};
}

qreal distance(QPointF p, QPointF q)
{
    return std::hypot(p.x() - q.x(), p.y() - q.y());
}

qreal distanceToSegment(QPointF p, QPointF from, QPointF to)
{
    const QPointF along = to - from;
    const qreal length2 = QPointF::dotProduct(along, along);
    const qreal t = length2 > 0 ? std::clamp(QPointF::dotProduct(p - from, along) / length2, 0.0, 1.0) : 0;
    return distance(p, from + along * t);
}

QString nameOf(Handle h)
{
    switch (h) {
    case Handle::C: return QStringLiteral("Връх C, върху полуокръжността над хипотенузата");
    case Handle::A: return QStringLiteral("Връх A, върху правата CA");
    case Handle::B: return QStringLiteral("Връх B, върху правата CB");
    }
    return {};
}

// The handle's own faint blue, and the yellow that marks what stays.
const QColor pathInk(31, 95, 191, 110);
const QColor handleInk(31, 95, 191);
const QColor staysInk(240, 180, 0, 90);

// How near the pointer must be, in ems of the labels: to a vertex to take
// it, to a path to click on it, and to a nice value (in pixels along the
// path) to come to rest on it.
constexpr qreal grabReach = 0.9;
constexpr qreal pathReach = 0.5;
constexpr qreal snapPixels = 6;

} // namespace

HandleFigure::HandleFigure(QWidget *parent) : QWidget(parent)
{
    setAttribute(Qt::WA_OpaquePaintEvent);
    setFocusPolicy(Qt::StrongFocus);
    setMouseTracking(true);
    accessibility::setRole(this, QAccessible::Graphic);
    setAccessibleName(nameOf(m_handle));
    setToolTip(QStringLiteral("Плъзнете връх C, A или B или щракнете по пътя му; от клавиатурата: "
                              "Tab до върха и стрелките (Shift — по-малка стъпка). Alt — без "
                              "прилепване към кръгли стойности."));
}

void HandleFigure::setTriangle(const solver::Triangle &triangle, const handles::Legs &legs,
                               const FigureLabels &labels, const QString &description, bool fresh)
{
    m_triangle = triangle;
    m_labels = labels;
    setAccessibleDescription(description);
    if (fresh || !m_moved || !m_lastMoved) {
        m_legs = legs;
        m_moved = false;
        m_lastMoved.reset();
        m_asked.reset();
        update();
        return;
    }
    // A pair that names the longer leg a gives the legs back swapped when
    // the shorter one grows past the other: the same triangle, so A and B
    // trade places rather than the drawing jump.
    if (m_asked) {
        const qreal same = std::abs(legs.a - m_asked->a) + std::abs(legs.b - m_asked->b);
        const qreal swapped = std::abs(legs.a - m_asked->b) + std::abs(legs.b - m_asked->a);
        if (swapped < same) {
            std::swap(m_A, m_B);
            m_side = -m_side;
            const auto other = [](Handle h) {
                return h == Handle::A ? Handle::B : h == Handle::B ? Handle::A : h;
            };
            m_handle = other(m_handle);
            setAccessibleName(nameOf(m_handle));
            if (m_drag)
                m_drag = other(*m_drag);
            m_lastMoved = other(*m_lastMoved);
        }
    }
    m_legs = legs;
    follow(*m_lastMoved);
    update();
}

void HandleFigure::clear()
{
    m_triangle.reset();
    m_moved = false;
    m_drag.reset();
    m_lastMoved.reset();
    setAccessibleDescription({});
    update();
}

QPointF HandleFigure::vertex(Handle h) const
{
    const figure::Geometry g = geometry();
    return h == Handle::C ? g.C : h == Handle::A ? g.A : g.B;
}

qreal HandleFigure::em() const
{
    return labelFont().pixelSize();
}

QFont HandleFigure::labelFont() const
{
    return look::figureFont(*this);
}

QSize HandleFigure::sizeHint() const
{
    return QSize(440, 440);
}

QSize HandleFigure::minimumSizeHint() const
{
    return QSize(200, 200);
}

figure::Geometry HandleFigure::geometry() const
{
    if (!m_triangle)
        return {};
    if (!m_moved)
        return figureLayout(*m_triangle, rect(), labelFont());
    figure::Geometry g;
    g.A = m_A;
    g.B = m_B;
    g.C = m_C;
    const qreal a = m_legs.a * m_scale;
    const qreal b = m_legs.b * m_scale;
    const qreal c = m_legs.c * m_scale;
    const qreal r = m_triangle->r * m_scale;
    // The incentre weighs each vertex by the side opposite it.
    g.incircle = {(m_A * a + m_B * b + m_C * c) / (a + b + c), r};
    g.circumcircle = {(m_A + m_B) / 2, c / 2};
    g.touchA = m_C + unit(m_B - m_C) * r;
    g.touchB = m_C + unit(m_A - m_C) * r;
    g.touchC = m_A + unit(m_B - m_A) * (b - r);
    return g;
}

void HandleFigure::takeFrame()
{
    if (m_moved || !m_triangle)
        return;
    // The drawing at rest gives the hypotenuse, its scale and the side of C;
    // C itself is put where the legs say (a thin triangle at rest is drawn
    // wider than it is).
    const figure::Geometry rest = figureLayout(*m_triangle, rect(), labelFont());
    m_A = rest.A;
    m_B = rest.B;
    m_scale = distance(m_A, m_B) / m_legs.c;
    m_side = QPointF::dotProduct(rest.C - m_A, perpendicular(unit(m_B - m_A))) < 0 ? -1 : 1;
    m_moved = true;
    follow(Handle::C);
}

void HandleFigure::follow(Handle moved)
{
    switch (moved) {
    case Handle::C: {
        // On the circle over AB: AC = b at the angle α from AB.
        const QPointF u = unit(m_B - m_A);
        const QPointF n = perpendicular(u) * m_side;
        m_C = m_A + (u * (m_legs.b / m_legs.c) + n * (m_legs.a / m_legs.c)) * (m_legs.b * m_scale);
        break;
    }
    case Handle::A:
        m_A = m_C + unit(m_A - m_C) * (m_legs.b * m_scale);
        break;
    case Handle::B:
        m_B = m_C + unit(m_B - m_C) * (m_legs.a * m_scale);
        break;
    }
    if (!m_drag)
        refit();
}

void HandleFigure::refit()
{
    if (!m_moved)
        return;
    const QPointF from = (m_A + m_B) / 2;
    const qreal radius = distance(m_A, m_B) / 2;
    const qreal fitted = figure::fittedRadius(rect(), 2 * em());
    if (!(radius > 0) || !(fitted > 0))
        return;
    const qreal k = fitted / radius;
    const QPointF to = QRectF(rect()).center();
    for (QPointF *p : {&m_A, &m_B, &m_C})
        *p = to + (*p - from) * k;
    m_scale *= k;
}

void HandleFigure::choose(Handle h)
{
    m_handle = h;
    setAccessibleName(nameOf(h));
    if (hasFocus()) {
        QAccessibleEvent event(this, QAccessible::Focus);
        QAccessible::updateAccessibility(&event);
    }
    update();
}

void HandleFigure::request(Handle h, const handles::Place &place)
{
    if (place.legs.a == m_legs.a && place.legs.b == m_legs.b && place.legs.c == m_legs.c)
        return; // at an end, or snapped where it already is
    takeFrame();
    m_asked = place.legs;
    m_lastMoved = h;
    emit moveRequested(h, place);
}

std::optional<Handle> HandleFigure::handleAt(QPointF point) const
{
    if (!m_triangle)
        return std::nullopt;
    const figure::Geometry g = geometry();
    std::optional<Handle> best;
    qreal nearest = std::max(qreal(10), grabReach * em());
    for (const auto &[h, at] : {std::pair{Handle::C, g.C}, {Handle::A, g.A}, {Handle::B, g.B}}) {
        const qreal d = distance(point, at);
        if (d < nearest) {
            nearest = d;
            best = h;
        }
    }
    return best;
}

std::optional<Handle> HandleFigure::pathAt(QPointF point) const
{
    if (!m_triangle)
        return std::nullopt;
    const figure::Geometry g = geometry();
    const qreal scale = distance(g.A, g.B) / m_legs.c;
    std::optional<Handle> best;
    qreal nearest = std::max(qreal(6), pathReach * em());
    const QPointF O = g.circumcircle.centre;
    const QPointF u = unit(g.B - g.A);
    const qreal side = QPointF::dotProduct(g.C - g.A, perpendicular(u)) < 0 ? -1 : 1;
    if (QPointF::dotProduct(point - O, perpendicular(u) * side) >= 0) {
        const qreal d = std::abs(distance(point, O) - g.circumcircle.radius);
        if (d < nearest) {
            nearest = d;
            best = Handle::C;
        }
    }
    for (Handle h : {Handle::A, Handle::B}) {
        const auto ends = handles::ends(h, m_legs);
        const QPointF towards = unit((h == Handle::A ? g.A : g.B) - g.C);
        const qreal d = distanceToSegment(point, g.C + towards * (handles::position(h, ends[0].legs) * scale),
                                          g.C + towards * (handles::position(h, ends[1].legs) * scale));
        if (d < nearest) {
            nearest = d;
            best = h;
        }
    }
    return best;
}

double HandleFigure::rawAt(Handle h, QPointF point) const
{
    const figure::Geometry g = geometry();
    if (h == Handle::C) {
        // The angle at the centre from B to the pointer is 2α.
        const QPointF O = g.circumcircle.centre;
        const QPointF u = unit(g.B - g.A);
        const QPointF n = perpendicular(u) * m_side;
        const QPointF p = point - O;
        double theta = std::atan2(QPointF::dotProduct(p, n), QPointF::dotProduct(p, u));
        if (theta < 0)
            theta = QPointF::dotProduct(p, u) > 0 ? 0 : std::numbers::pi;
        return theta / 2;
    }
    const QPointF moving = h == Handle::A ? g.A : g.B;
    return QPointF::dotProduct(point - g.C, unit(moving - g.C)) / m_scale;
}

void HandleFigure::dragTo(Handle h, QPointF point, Qt::KeyboardModifiers modifiers)
{
    takeFrame();
    const double tolerance = (modifiers & Qt::AltModifier) ? 0 : snapPixels / m_scale;
    request(h, handles::placed(h, m_legs, rawAt(h, point), tolerance));
}

void HandleFigure::updateCursor(QPointF point)
{
    const std::optional<Handle> over = handleAt(point);
    if (m_drag)
        setCursor(Qt::ClosedHandCursor);
    else if (over)
        setCursor(Qt::OpenHandCursor);
    else if (pathAt(point))
        setCursor(Qt::PointingHandCursor);
    else
        unsetCursor();
    if (over != m_hover) {
        m_hover = over;
        update();
    }
}

void HandleFigure::keyPressEvent(QKeyEvent *event)
{
    if (!m_triangle) {
        QWidget::keyPressEvent(event);
        return;
    }
    const handles::Nice base = handles::keyStep(m_handle, m_legs);
    const handles::Nice step = (event->modifiers() & Qt::ShiftModifier) ? base.scaled(-1) : base;
    std::optional<handles::Place> place;
    switch (event->key()) {
    case Qt::Key_Right:
    case Qt::Key_Up: place = handles::stepped(m_handle, m_legs, true, step); break;
    case Qt::Key_Left:
    case Qt::Key_Down: place = handles::stepped(m_handle, m_legs, false, step); break;
    case Qt::Key_PageUp: place = handles::stepped(m_handle, m_legs, true, step.scaled(1)); break;
    case Qt::Key_PageDown: place = handles::stepped(m_handle, m_legs, false, step.scaled(1)); break;
    case Qt::Key_Home: place = handles::ends(m_handle, m_legs)[0]; break;
    case Qt::Key_End: place = handles::ends(m_handle, m_legs)[1]; break;
    default: QWidget::keyPressEvent(event); return;
    }
    request(m_handle, *place);
    event->accept();
}

void HandleFigure::keyReleaseEvent(QKeyEvent *event)
{
    switch (event->key()) {
    case Qt::Key_Right:
    case Qt::Key_Up:
    case Qt::Key_Left:
    case Qt::Key_Down:
    case Qt::Key_PageUp:
    case Qt::Key_PageDown:
    case Qt::Key_Home:
    case Qt::Key_End:
        if (!event->isAutoRepeat() && m_triangle)
            emit moveFinished();
        event->accept();
        return;
    default: QWidget::keyReleaseEvent(event);
    }
}

void HandleFigure::mousePressEvent(QMouseEvent *event)
{
    if (event->button() != Qt::LeftButton || !m_triangle) {
        QWidget::mousePressEvent(event);
        return;
    }
    const QPointF at = event->position();
    if (const auto h = handleAt(at)) {
        choose(*h);
        m_drag = h;
        takeFrame();
    } else if (const auto path = pathAt(at)) {
        // One click on the path puts the vertex there; holding on drags it.
        choose(*path);
        m_drag = path;
        dragTo(*path, at, event->modifiers());
    } else {
        QWidget::mousePressEvent(event);
        return;
    }
    updateCursor(at);
    update();
}

void HandleFigure::mouseMoveEvent(QMouseEvent *event)
{
    if (m_drag && (event->buttons() & Qt::LeftButton))
        dragTo(*m_drag, event->position(), event->modifiers());
    else
        updateCursor(event->position());
}

void HandleFigure::mouseReleaseEvent(QMouseEvent *event)
{
    if (!m_drag || event->button() != Qt::LeftButton) {
        QWidget::mouseReleaseEvent(event);
        return;
    }
    m_drag.reset();
    refit();
    updateCursor(event->position());
    update();
    emit moveFinished();
}

void HandleFigure::leaveEvent(QEvent *event)
{
    QWidget::leaveEvent(event);
    if (m_hover && !m_drag) {
        m_hover.reset();
        update();
    }
}

void HandleFigure::focusInEvent(QFocusEvent *event)
{
    QWidget::focusInEvent(event);
    // Tab and code start at C, Shift+Tab at the last vertex; a click has
    // chosen its own, and a window coming back keeps the one chosen.
    switch (event->reason()) {
    case Qt::TabFocusReason:
    case Qt::OtherFocusReason:
    case Qt::ShortcutFocusReason: choose(Handle::C); break;
    case Qt::BacktabFocusReason: choose(Handle::B); break;
    default: update();
    }
}

void HandleFigure::focusOutEvent(QFocusEvent *event)
{
    QWidget::focusOutEvent(event);
    update();
}

bool HandleFigure::focusNextPrevChild(bool next)
{
    if (hasFocus() && m_triangle) {
        if (next && m_handle != Handle::B) {
            choose(m_handle == Handle::C ? Handle::A : Handle::B);
            return true;
        }
        if (!next && m_handle != Handle::C) {
            choose(m_handle == Handle::B ? Handle::A : Handle::C);
            return true;
        }
    }
    return QWidget::focusNextPrevChild(next);
}

void HandleFigure::resizeEvent(QResizeEvent *)
{
    refit();
}

void HandleFigure::paintPath(QPainter &painter, Handle h) const
{
    const figure::Geometry g = geometry();
    QPen pen(pathInk, std::max(qreal(1.5), 0.12 * em()), Qt::DashLine, Qt::RoundCap);
    painter.setPen(pen);
    painter.setBrush(Qt::NoBrush);
    if (h == Handle::C) {
        const QPointF O = g.circumcircle.centre;
        const QPointF u = unit(g.B - g.A);
        const QPointF n = perpendicular(u) * (QPointF::dotProduct(g.C - g.A, perpendicular(u)) < 0 ? -1 : 1);
        QPainterPath arc;
        constexpr int pieces = 96;
        for (int i = 0; i <= pieces; ++i) {
            const qreal theta = std::numbers::pi * i / pieces;
            const QPointF p = O + (u * std::cos(theta) + n * std::sin(theta)) * g.circumcircle.radius;
            if (i == 0)
                arc.moveTo(p);
            else
                arc.lineTo(p);
        }
        painter.drawPath(arc);
        return;
    }
    const qreal scale = distance(g.A, g.B) / m_legs.c;
    const auto ends = handles::ends(h, m_legs);
    const QPointF towards = unit((h == Handle::A ? g.A : g.B) - g.C);
    painter.drawLine(g.C + towards * (handles::position(h, ends[0].legs) * scale),
                     g.C + towards * (handles::position(h, ends[1].legs) * scale));
}

void HandleFigure::paintStays(QPainter &painter, Handle h) const
{
    const figure::Geometry g = geometry();
    painter.setPen(QPen(staysInk, 0.6 * em(), Qt::SolidLine, Qt::RoundCap));
    QString words;
    switch (h) {
    case Handle::C:
        painter.drawLine(g.A, g.B);
        words = QStringLiteral("Не се менят: c и R");
        break;
    case Handle::A:
        painter.drawLine(g.C, g.B);
        words = QStringLiteral("Не се мени: a");
        break;
    case Handle::B:
        painter.drawLine(g.C, g.A);
        words = QStringLiteral("Не се мени: b");
        break;
    }
    QFont font = labelFont();
    font.setPixelSize(std::max(1, int(std::lround(em() * 0.8))));
    painter.setFont(font);
    painter.setPen(QColor(80, 80, 80));
    painter.drawText(QRectF(rect()).adjusted(0.5 * em(), 0.3 * em(), 0, 0), Qt::AlignLeft | Qt::AlignTop,
                     words);
}

void HandleFigure::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    if (!m_triangle) {
        painter.fillRect(rect(), Qt::white);
    } else {
        if (m_moved)
            paintFigure(painter, rect(), *m_triangle, geometry(), labelFont(), QLocale(), m_labels);
        else
            paintFigure(painter, rect(), *m_triangle, labelFont(), QLocale(), m_labels);
        painter.setRenderHint(QPainter::Antialiasing);
        const std::optional<Handle> active = m_drag ? m_drag : hasFocus() ? std::optional(m_handle) : std::nullopt;
        if (active) {
            paintPath(painter, *active);
            if (m_drag || m_lastMoved == active)
                paintStays(painter, *active);
        }
        // The vertices that can be taken: the one under the pointer, the
        // one dragged and the one chosen by the keyboard.
        for (Handle h : {Handle::C, Handle::A, Handle::B}) {
            const bool lit = m_hover == h || m_drag == h;
            const bool chosen = hasFocus() && m_handle == h;
            if (!lit && !chosen)
                continue;
            const qreal radius = 0.45 * em();
            painter.setBrush(lit ? QColor(31, 95, 191, 70) : QColor(Qt::transparent));
            painter.setPen(QPen(handleInk, chosen ? std::max(qreal(2), 0.14 * em()) : 1));
            painter.drawEllipse(vertex(h), radius, radius);
        }
    }
    if (hasFocus()) {
        QStyleOptionFocusRect focus;
        focus.initFrom(this);
        focus.rect = rect().adjusted(1, 1, -1, -1);
        focus.backgroundColor = Qt::white;
        style()->drawPrimitive(QStyle::PE_FrameFocusRect, &focus, &painter, this);
    }
}
