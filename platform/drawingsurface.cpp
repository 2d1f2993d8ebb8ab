#include "drawingsurface.h"

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
    static const bool factoryInstalled =
        (QAccessible::installFactory(accessibleDrawingSurface), true);
    Q_UNUSED(factoryInstalled);
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

QPen DrawingSurface::pen(QRgb colour) const
{
    QPen pen(QColor::fromRgb(colour), m_drawWidth, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin);
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
    // cut; for an even width it is the pixel corner nearest to (x, y).
    fitImage();
    const int width = m_drawWidth;
    const double radius = width / 2.0;
    const double cx = width % 2 ? std::floor(x) + 0.5 : std::floor(x + 0.5);
    const double cy = width % 2 ? std::floor(y) + 0.5 : std::floor(y + 0.5);
    const QRgb pixel = qRgb(qRed(colour), qGreen(colour), qBlue(colour));
    for (int j = int(std::floor(cy - radius)); j <= int(std::ceil(cy + radius)); ++j) {
        for (int i = int(std::floor(cx - radius)); i <= int(std::ceil(cx + radius)); ++i) {
            const double dx = i + 0.5 - cx;
            const double dy = j + 0.5 - cy;
            if (dx * dx + dy * dy <= radius * radius && m_image.valid(i, j))
                m_image.setPixel(i, j, pixel);
        }
    }
    update();
}

void DrawingSurface::line(float x1, float y1, float x2, float y2, QRgb colour)
{
    fitImage();
    QPainter painter(&m_image);
    painter.setPen(pen(colour));
    painter.drawLine(QPointF(x1, y1), QPointF(x2, y2));
    update();
}

void DrawingSurface::paintEvent(QPaintEvent *event)
{
    fitImage();
    QPainter painter(this);
    painter.drawImage(event->rect(), m_image, event->rect());
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
    // first frame is drawn before the window appears. What has been drawn
    // is kept; new area is background.
    if (m_image.size() == size())
        return;
    QImage grown(size(), QImage::Format_RGB32);
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
