#include "drawingsurface.h"

#include "accessibility.h"

#include <QAccessibleWidget>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QStyleOptionFocusRect>

#include <algorithm>
#include <cmath>

namespace {

// How assistive technology sees the picture: as an animation rather than a
// bare panel, with a press action that does what a click or Space/Enter does.
class AccessibleDrawingSurface : public QAccessibleWidget
{
public:
    explicit AccessibleDrawingSurface(DrawingSurface *surface)
        : QAccessibleWidget(surface, QAccessible::Animation)
    {
    }

    QStringList actionNames() const override
    {
        return QStringList(pressAction()) + QAccessibleWidget::actionNames();
    }

    void doAction(const QString &name) override
    {
        if (name == pressAction())
            emit static_cast<DrawingSurface *>(widget())->clicked();
        else
            QAccessibleWidget::doAction(name);
    }
};

QAccessibleInterface *accessibleDrawingSurface(const QString &, QObject *object)
{
    if (auto *surface = qobject_cast<DrawingSurface *>(object))
        return new AccessibleDrawingSurface(surface);
    return nullptr;
}

} // namespace

DrawingSurface::DrawingSurface(QWidget *parent)
    : QWidget(parent)
{
    accessibility::installFactory(accessibleDrawingSurface);
    setAttribute(Qt::WA_OpaquePaintEvent);
    setFocusPolicy(Qt::TabFocus);
}

void DrawingSurface::setDrawWidth(int width)
{
    m_drawWidth = std::max(width, 1);
}

void DrawingSurface::setDrawStyle(int style)
{
    m_drawStyle = style;
}

int DrawingSurface::deviceWidth() const
{
    // The pen's width in the image's pixels: the same for every mark, so
    // that dots and dashes come out even at a fractional scale (at 1.25 a
    // width of 5 is 6 pixels everywhere, not 6 here and 7 there).
    return std::max(1, int(std::lround(m_drawWidth * m_image.devicePixelRatio())));
}

QPen DrawingSurface::pen(QRgb colour) const
{
    const int width = deviceWidth();
    QPen pen(QColor::fromRgb(colour), width, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin);
    // A dotted line is one pixel on, one off; it is dotted only one pixel
    // wide, as dots wider than their gaps would no longer be a pattern.
    if (m_drawStyle == Dot && m_drawWidth == 1) {
        pen.setCapStyle(Qt::FlatCap);
        pen.setDashPattern({1, 1});
    }
    return pen;
}

void DrawingSurface::pset(float x, float y, QRgb colour)
{
    // The dot is rasterised here rather than by QPainter, whose aliased
    // ellipses of a few pixels come out lopsided: a pixel belongs to the dot
    // when its centre lies within half the pen width of the dot's centre.
    // For an odd width the centre is the centre of the pixel that holds
    // (x, y), so a dot 5 wide is 5 pixels across each way with its corners
    // cut; for an even width it is the pixel corner nearest to (x, y). On a
    // scaled screen the same rule places the dot among the image's pixels,
    // so that every dot has the same shape.
    fitImage();
    const double ratio = m_image.devicePixelRatio();
    const double cx = (m_drawWidth % 2 ? std::floor(x) + 0.5 : std::floor(x + 0.5)) * ratio;
    const double cy = (m_drawWidth % 2 ? std::floor(y) + 0.5 : std::floor(y + 0.5)) * ratio;
    rasteriseDot(cx, cy, deviceWidth(), qRgb(qRed(colour), qGreen(colour), qBlue(colour)));
    update();
}

void DrawingSurface::rasteriseDot(double cx, double cy, int width, QRgb pixel)
{
    const double radius = width / 2.0;
    cx = width % 2 ? std::floor(cx) + 0.5 : std::floor(cx + 0.5);
    cy = width % 2 ? std::floor(cy) + 0.5 : std::floor(cy + 0.5);
    for (int j = int(std::floor(cy - radius)); j <= int(std::ceil(cy + radius)); ++j) {
        for (int i = int(std::floor(cx - radius)); i <= int(std::ceil(cx + radius)); ++i) {
            const double dx = i + 0.5 - cx;
            const double dy = j + 0.5 - cy;
            if (dx * dx + dy * dy <= radius * radius && m_image.valid(i, j))
                m_image.setPixel(i, j, pixel);
        }
    }
}

void DrawingSurface::line(float x1, float y1, float x2, float y2, QRgb colour)
{
    fitImage();
    const qreal ratio = m_image.devicePixelRatio();
    const QPointF from = QPointF(x1, y1) * ratio;
    const QPointF to = QPointF(x2, y2) * ratio;
    const int width = deviceWidth();
    if (m_drawStyle == Dot && m_drawWidth == 1 && width > 1) {
        // On a scaled screen a dot of the line is a square of the pen's
        // width in image pixels, one every two widths along the line's
        // longer axis: every dot the same, which QPainter's wide dashes on a
        // slanted line are not.
        const QPointF span = to - from;
        const double steps = std::max(std::abs(span.x()), std::abs(span.y()));
        const QRgb pixel = qRgb(qRed(colour), qGreen(colour), qBlue(colour));
        for (double along = 0; along <= steps; along += 2 * width) {
            const QPointF centre = steps > 0 ? from + span * (along / steps) : from;
            const int left = int(std::floor(centre.x() - width / 2.0 + 0.5));
            const int top = int(std::floor(centre.y() - width / 2.0 + 0.5));
            for (int j = top; j < top + width; ++j)
                for (int i = left; i < left + width; ++i)
                    if (m_image.valid(i, j))
                        m_image.setPixel(i, j, pixel);
        }
    } else {
        // Drawn on the image in its own pixels, so that the pen's width is
        // whole pixels at any scale.
        const QPen inImagePixels = pen(colour);
        m_image.setDevicePixelRatio(1);
        QPainter painter(&m_image);
        painter.setPen(inImagePixels);
        painter.drawLine(from, to);
        painter.end();
        m_image.setDevicePixelRatio(ratio);
    }
    update();
}

void DrawingSurface::paintEvent(QPaintEvent *)
{
    fitImage();
    QPainter painter(this);
    // The image has the screen's pixels: drawn at the widget's size it is
    // copied pixel for pixel, sharp at any scale.
    painter.drawImage(0, 0, m_image);
    if (hasFocus()) {
        QStyleOptionFocusRect option;
        option.initFrom(this);
        option.backgroundColor = m_background;
        style()->drawPrimitive(QStyle::PE_FrameFocusRect, &option, &painter, this);
    }
}

void DrawingSurface::fitImage()
{
    // Called before every use of the image rather than from resizeEvent(),
    // which a widget that has never been shown does not receive yet: the
    // first frame is drawn before the window appears. The image has one
    // pixel for each pixel of the screen the widget is on (its size times
    // the device pixel ratio). What has been drawn is kept; new area is
    // background; should the window move to a screen of another scale, the
    // drawing is carried over to the new resolution.
    const qreal ratio = devicePixelRatio();
    const QSize pixels = (QSizeF(size()) * ratio).toSize();
    if (m_image.size() == pixels && m_image.devicePixelRatio() == ratio)
        return;
    QImage grown(pixels, QImage::Format_RGB32);
    grown.setDevicePixelRatio(ratio);
    grown.fill(m_background);
    QPainter painter(&grown);
    painter.drawImage(0, 0, m_image);
    painter.end();
    m_image = std::move(grown);
}

void DrawingSurface::mousePressEvent(QMouseEvent *event)
{
    m_pressed = event->button() == Qt::LeftButton;
}

void DrawingSurface::mouseReleaseEvent(QMouseEvent *event)
{
    const bool click = m_pressed && event->button() == Qt::LeftButton
        && rect().contains(event->position().toPoint());
    m_pressed = false;
    if (click)
        emit clicked();
}

void DrawingSurface::keyPressEvent(QKeyEvent *event)
{
    switch (event->key()) {
    case Qt::Key_Space:
    case Qt::Key_Return:
    case Qt::Key_Enter:
        emit clicked();
        break;
    default:
        QWidget::keyPressEvent(event);
    }
}

const QImage &DrawingSurface::image()
{
    fitImage();
    return m_image;
}
