#include "boxdisplay.h"

#include "numbertext.h"

#include <QEvent>
#include <QFontMetrics>
#include <QLineEdit>
#include <QPainter>
#include <QStyle>
#include <QStyleOptionFrame>

#include <algorithm>
#include <cmath>

namespace boxdisplay {
namespace {

// The room a line edit leaves on each side of its text, inside its contents.
constexpr int horizontalMargin = 2;

QStyleOptionFrame frameOption(const QLineEdit *box)
{
    QStyleOptionFrame option;
    option.initFrom(box);
    option.rect = box->contentsRect();
    option.lineWidth =
        box->hasFrame() ? box->style()->pixelMetric(QStyle::PM_DefaultFrameWidth, &option, box) : 0;
    option.midLineWidth = 0;
    option.state |= QStyle::State_Sunken;
    if (box->isReadOnly())
        option.state |= QStyle::State_ReadOnly;
    option.features = QStyleOptionFrame::None;
    return option;
}

// Where the line edit puts its text.
QRect textRect(const QLineEdit *box, const QStyleOptionFrame &option)
{
    return box->style()
        ->subElementRect(QStyle::SE_LineEditContents, &option, box)
        .marginsRemoved(box->textMargins())
        .adjusted(horizontalMargin, 0, -horizontalMargin, 0);
}

// The room that a text takes: its advance, one pixel for a cursor, and any
// part of its first or last glyph that reaches past its advance.
int widthUsed(const QLineEdit *box, const QString &text)
{
    if (text.isEmpty())
        return 1;
    const QFontMetricsF metrics(box->font());
    return qRound(metrics.horizontalAdvance(text) + 1
                  + std::max(qreal(0), -metrics.leftBearing(text.front()))
                  + std::max(qreal(0), -metrics.rightBearing(text.back())));
}

// Paints the box as the line edit does (the same frame, colours, font,
// alignment and baseline), with the text it shows in place of its own.
void paint(QLineEdit *box, const QString &shown)
{
    QPainter painter(box);
    const QStyleOptionFrame option = frameOption(box);
    box->style()->drawPrimitive(QStyle::PE_PanelLineEdit, &option, &painter, box);
    const QRect rect = textRect(box, option);
    const QFontMetrics metrics = box->fontMetrics();
    const int height = std::max(metrics.boundingRect(shown).height(), metrics.height());
    const int top = rect.y() + (rect.height() - height + 1) / 2;
    const int room = rect.width() - widthUsed(box, shown);
    int left = rect.x() + std::max(0, -metrics.leftBearing(shown.front()));
    if (box->alignment() & Qt::AlignHCenter)
        left += room / 2;
    else if (box->alignment() & Qt::AlignRight)
        left += room;
    painter.setClipRect(rect.adjusted(-horizontalMargin, 0, horizontalMargin, 0));
    painter.setPen(box->palette().color(QPalette::Text));
    painter.drawText(QPoint(left, top + metrics.ascent()), shown);
}

// The value to `digits` significant digits, trailing zeros kept, so that
// the digits shown say how far the value is known: 0.49999975 to six digits
// is "0.500000", not "0.5", which would read as exactly a half.
QString rounded(double value, int digits, const QLocale &locale)
{
    const QString text = numbertext::toText(value, digits, locale);
    const qsizetype exponentAt = text.indexOf(u'e');
    QString mantissa = exponentAt < 0 ? text : text.left(exponentAt);
    int significant = 0;
    for (const QChar c : mantissa)
        if (c.isDigit() && (significant > 0 || c != u'0'))
            ++significant;
    if (significant > 0 && significant < digits) {
        if (!mantissa.contains(locale.decimalPoint()))
            mantissa += locale.decimalPoint();
        mantissa += QString(digits - significant, u'0');
    }
    return exponentAt < 0 ? mantissa : mantissa + text.mid(exponentAt);
}

class Painter : public QObject
{
public:
    using QObject::QObject;

    bool eventFilter(QObject *watched, QEvent *event) override
    {
        if (event->type() != QEvent::Paint)
            return false;
        auto *box = static_cast<QLineEdit *>(watched);
        const QString shown = shownText(box);
        if (shown == box->text())
            return false;
        paint(box, shown);
        return true;
    }
};

} // namespace

void install(QLineEdit *box)
{
    box->installEventFilter(new Painter(box));
}

QString shownText(const QLineEdit *box)
{
    const QString text = box->text();
    if (box->hasFocus() || box->hasSelectedText())
        return text;
    const int width = textRect(box, frameOption(box)).width();
    if (widthUsed(box, text) <= width)
        return text;
    const QLocale locale;
    const double value = numbertext::toNumber(text);
    if (std::isfinite(value) && numbertext::toText(value, locale) == text) {
        for (int digits = numbertext::boxDigits - 1; digits >= 1; --digits) {
            const QString shown = rounded(value, digits, locale);
            if (widthUsed(box, shown) <= width)
                return shown;
        }
    }
    return box->fontMetrics().elidedText(text, Qt::ElideRight, width - 1);
}

} // namespace boxdisplay
