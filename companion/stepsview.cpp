#include "stepsview.h"

#include "accessibility.h"
#include "spoken.h"

#include <QAccessible>
#include <QApplication>
#include <QClipboard>
#include <QFontMetricsF>
#include <QKeyEvent>
#include <QPainter>
#include <QStyledItemDelegate>
#include <QTextLayout>

#include <algorithm>
#include <cmath>

namespace {

// Room around a step's text, as a text box leaves round its document.
constexpr qreal sidePadding = 4;

// How far the lines a numbered step wraps to are indented: past "8) ".
qreal hangOf(const QFont &font)
{
    return QFontMetricsF(font).horizontalAdvance(QStringLiteral("8) "));
}

bool isNumbered(const QString &step)
{
    return !step.isEmpty() && step.front().isDigit();
}

// Wraps the step to the width at word boundaries: its first line from the
// left edge, the others indented by the hang. Gives the height it takes.
qreal layOut(QTextLayout &layout, qreal width, qreal hang)
{
    QTextOption option;
    option.setWrapMode(QTextOption::WrapAtWordBoundaryOrAnywhere);
    layout.setTextOption(option);
    layout.setCacheEnabled(true);
    qreal height = 0;
    layout.beginLayout();
    for (QTextLine line = layout.createLine(); line.isValid(); line = layout.createLine()) {
        const qreal indent = layout.lineCount() > 1 ? hang : 0;
        line.setLineWidth(std::max(width - indent, qreal(1)));
        line.setPosition(QPointF(indent, height));
        height += line.height();
    }
    layout.endLayout();
    return height;
}

// Paints each step as a paragraph wrapped to the view's width, a little
// apart from the next, as the steps read on paper.
class StepDelegate : public QStyledItemDelegate
{
public:
    explicit StepDelegate(QListWidget *view) : QStyledItemDelegate(view), m_view(view) {}

    QSize sizeHint(const QStyleOptionViewItem &option, const QModelIndex &index) const override
    {
        const QString step = index.data(Qt::DisplayRole).toString();
        QTextLayout layout(step, option.font);
        const qreal hang = hangOf(option.font);
        const qreal height = layOut(layout, textWidth(), isNumbered(step) ? hang : 0);
        return QSize(m_view->viewport()->width(), int(std::ceil(height + gapBelow(hang))));
    }

    void paint(QPainter *painter, const QStyleOptionViewItem &option,
               const QModelIndex &index) const override
    {
        const QString step = index.data(Qt::DisplayRole).toString();
        const bool selected = option.state & QStyle::State_Selected;
        const QPalette::ColorGroup group =
            option.state & QStyle::State_Active ? QPalette::Active : QPalette::Inactive;
        painter->save();
        if (selected)
            painter->fillRect(option.rect, option.palette.brush(group, QPalette::Highlight));
        painter->setPen(option.palette.color(group, selected ? QPalette::HighlightedText
                                                             : QPalette::Text));
        QTextLayout layout(step, option.font);
        layOut(layout, textWidth(), isNumbered(step) ? hangOf(option.font) : 0);
        layout.draw(painter, QPointF(option.rect.left() + sidePadding, option.rect.top()));
        painter->restore();
        if (option.state & QStyle::State_HasFocus) {
            QStyleOptionFocusRect focus;
            focus.QStyleOption::operator=(option);
            focus.backgroundColor = option.palette.color(group, selected ? QPalette::Highlight
                                                                         : QPalette::Base);
            m_view->style()->drawPrimitive(QStyle::PE_FrameFocusRect, &focus, painter, m_view);
        }
    }

private:
    qreal textWidth() const { return m_view->viewport()->width() - 2 * sidePadding; }
    static qreal gapBelow(qreal hang) { return hang / 3; }

    QListWidget *m_view;
};

} // namespace

StepsView::StepsView(QWidget *parent) : QListWidget(parent)
{
    setItemDelegate(new StepDelegate(this));
    setSelectionMode(QAbstractItemView::ExtendedSelection);
    setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    setVerticalScrollMode(QAbstractItemView::ScrollPerPixel);
}

void StepsView::setSteps(const QStringList &steps)
{
    clear();
    for (const QString &step : steps) {
        auto *item = new QListWidgetItem(step, this);
        item->setFlags(Qt::ItemIsSelectable | Qt::ItemIsEnabled);
        item->setData(Qt::AccessibleTextRole, speech::spoken(step));
    }
    scrollToTop();
}

QString StepsView::text() const
{
    QStringList lines;
    for (int row = 0; row < count(); ++row)
        lines << item(row)->text();
    return lines.join(u'\n');
}

QString StepsView::selectedText() const
{
    QStringList lines;
    for (int row = 0; row < count(); ++row)
        if (item(row)->isSelected())
            lines << item(row)->text();
    return lines.join(u'\n');
}

void StepsView::keyPressEvent(QKeyEvent *event)
{
    // A list copies only its current item; the student copies what is
    // selected, as in any text, or else the step the cursor is on.
    if (event->matches(QKeySequence::Copy)) {
        QString text = selectedText();
        if (text.isEmpty() && currentItem())
            text = currentItem()->text();
        if (!text.isEmpty())
            QApplication::clipboard()->setText(text);
        event->accept();
        return;
    }
    QListWidget::keyPressEvent(event);
}

void StepsView::focusInEvent(QFocusEvent *event)
{
    QListWidget::focusInEvent(event);
    // Coming in, the list makes its first step current before assistive
    // technology is told that the list has the focus, so a screen reader
    // names the list and not the step. Told once more afterwards which step
    // is current, it reads that step too.
    QMetaObject::invokeMethod(
        this,
        [this] {
            if (!hasFocus() || currentRow() < 0)
                return;
            QAccessibleEvent current(this, QAccessible::Focus);
            current.setChild(currentRow());
            QAccessible::updateAccessibility(&current);
        },
        Qt::QueuedConnection);
}

void StepsView::resizeEvent(QResizeEvent *event)
{
    QListWidget::resizeEvent(event);
    // The steps' heights depend on the width they wrap to; a list that flows
    // from top to bottom lays its items out again only when its height
    // changes.
    scheduleDelayedItemsLayout();
}
