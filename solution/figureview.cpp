#include "figureview.h"

#include "figurepainting.h"
#include "formlook.h"

#include <QFontInfo>
#include <QPainter>

#include <cmath>

FigureView::FigureView(QWidget *parent) : QWidget(parent)
{
    // Painted whole on every paint, paper included.
    setAttribute(Qt::WA_OpaquePaintEvent);
    setAccessibleName(QStringLiteral("Чертеж"));
    describe();
}

void FigureView::setTriangle(const solver::Triangle &triangle)
{
    m_triangle = triangle;
    describe();
    update();
}

QFont FigureView::labelFont() const
{
    // The serif of the main window, a little larger than the text around it
    // so that the letters of the figure read as those of a textbook.
    QFont font = look::formFont();
    font.setPixelSize(int(std::lround(QFontInfo(this->font()).pixelSize() * 1.25)));
    return font;
}

QSize FigureView::sizeHint() const
{
    return QSize(440, 440);
}

QSize FigureView::minimumSizeHint() const
{
    return QSize(200, 200);
}

void FigureView::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    paintFigure(painter, rect(), m_triangle, labelFont());
}

void FigureView::resizeEvent(QResizeEvent *)
{
    // A thin triangle may be to scale in a large view and a stand-in in a
    // small one; the description says which.
    describe();
}

void FigureView::describe()
{
    setAccessibleDescription(figureDescription(m_triangle, rect(), labelFont()));
}
