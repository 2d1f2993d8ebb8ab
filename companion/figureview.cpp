#include "figureview.h"

#include "accessibility.h"
#include "formlook.h"

#include <QFontInfo>
#include <QPainter>
#include <QStyleOptionFocusRect>

#include <cmath>

FigureView::FigureView(QWidget *parent) : QWidget(parent)
{
    // Painted whole on every paint, paper included.
    setAttribute(Qt::WA_OpaquePaintEvent);
    // The focus lands here when the companion window opens, so that a screen
    // reader reads the description; Tab goes on to the steps.
    setFocusPolicy(Qt::StrongFocus);
    accessibility::setRole(this, QAccessible::Graphic);
    setAccessibleName(QStringLiteral("Чертеж"));
}

void FigureView::setTriangle(const solver::Triangle &triangle)
{
    m_triangle = triangle;
    m_labels = {};
    m_problemDescription.reset();
    describe();
    update();
}

void FigureView::setProblem(const solver::Triangle &triangle, const FigureLabels &labels,
                            const QString &description)
{
    m_triangle = triangle;
    m_labels = labels;
    m_problemDescription = description;
    describe();
    update();
}

void FigureView::clear()
{
    m_triangle.reset();
    m_problemDescription.reset();
    describe();
    update();
}

QString FigureView::description() const
{
    if (m_problemDescription)
        return *m_problemDescription;
    return m_triangle ? figureDescription(*m_triangle, rect(), labelFont()) : QString();
}

void FigureView::setNote(const QString &note)
{
    m_note = note;
    describe();
}

QFont FigureView::labelFont() const
{
    return look::figureFont(*this);
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
    if (m_triangle)
        paintFigure(painter, rect(), *m_triangle, labelFont(), QLocale(), m_labels);
    else
        painter.fillRect(rect(), Qt::white);
    if (hasFocus()) {
        QStyleOptionFocusRect focus;
        focus.initFrom(this);
        focus.rect = rect().adjusted(1, 1, -1, -1);
        focus.backgroundColor = Qt::white;
        style()->drawPrimitive(QStyle::PE_FrameFocusRect, &focus, &painter, this);
    }
}

void FigureView::resizeEvent(QResizeEvent *)
{
    // A thin triangle may be to scale in a large view and a stand-in in a
    // small one; the description says which.
    describe();
}

void FigureView::describe()
{
    QString text = description();
    if (!text.isEmpty() && !m_note.isEmpty())
        text += QStringLiteral(". ") + m_note;
    setAccessibleDescription(text);
}
