#include "formlook.h"

#include <QAbstractScrollArea>
#include <QColor>
#include <QFont>
#include <QFontInfo>
#include <QKeySequence>
#include <QLineEdit>
#include <QPushButton>
#include <QPalette>
#include <QWidget>

#include <cmath>

namespace look {

QFont figureFont(const QWidget &widget)
{
    QFont font = formFont();
    font.setPixelSize(int(std::lround(QFontInfo(widget.font()).pixelSize() * 1.25)));
    return font;
}

QFont formFont(int pointSize)
{
    QFont font(QStringLiteral("Times New Roman"), pointSize);
    // Liberation Serif stands in for the family where it is missing (as on
    // Linux), named here since a list of families skips the system's own
    // substitutes. It has no superscript digits but ¹ ² ³, which the
    // companion's powers of ten use: for those a serif that has them, before
    // whatever font the system would pick, whose ⁰ may look like an O.
    font.setFamilies({QStringLiteral("Times New Roman"), QStringLiteral("Liberation Serif"),
                      QStringLiteral("DejaVu Serif")});
    font.setStyleHint(QFont::Serif);
    return font;
}

namespace {

const QColor grey(239, 239, 239);

} // namespace

QPalette lightPalette()
{
    return lightPalette(grey);
}

QPalette lightPalette(const QColor &window)
{
    const QColor dark = grey.darker(150);
    const QColor disabledText(190, 190, 190);
    QPalette palette(Qt::black, grey, grey.lighter(150), dark, grey.darker(130), Qt::black,
                     Qt::white, Qt::white, window);
    palette.setColor(QPalette::Midlight, grey.darker(130).lighter(110));
    palette.setColor(QPalette::Shadow, dark.darker(135));
    palette.setColor(QPalette::Highlight, QColor(48, 140, 198));
    palette.setColor(QPalette::HighlightedText, Qt::white);
    palette.setColor(QPalette::Link, QColor(0, 0, 255));
    palette.setColor(QPalette::ToolTipBase, QColor(255, 255, 220));
    palette.setColor(QPalette::ToolTipText, Qt::black);
    QColor placeholder(Qt::black);
    placeholder.setAlpha(128);
    palette.setColor(QPalette::PlaceholderText, placeholder);
    for (auto role : {QPalette::Text, QPalette::WindowText, QPalette::ButtonText})
        palette.setColor(QPalette::Disabled, role, disabledText);
    palette.setColor(QPalette::Disabled, QPalette::Base, grey);
    palette.setColor(QPalette::Disabled, QPalette::Highlight, QColor(145, 145, 145));
    return palette;
}

void setBackground(QWidget *widget, const QColor &colour)
{
    // A text area fills with Base and draws its frame from Window: both
    // take the colour, so that the frame is shaded to match.
    QList<QPalette::ColorRole> roles = {widget->backgroundRole()};
    if (qobject_cast<QLineEdit *>(widget))
        roles = {QPalette::Base};
    else if (qobject_cast<QAbstractScrollArea *>(widget))
        roles = {QPalette::Base, QPalette::Window};
    QPalette palette = widget->palette();
    for (auto group : {QPalette::Active, QPalette::Inactive, QPalette::Disabled})
        for (auto role : roles)
            palette.setColor(group, role, colour);
    for (auto group : {QPalette::Active, QPalette::Inactive})
        for (auto text : {QPalette::WindowText, QPalette::Text, QPalette::ButtonText})
            palette.setColor(group, text, Qt::black);
    widget->setPalette(palette);
    widget->setAutoFillBackground(true);
}

void putOnPaper(QWidget *widget)
{
    setBackground(widget, Qt::white);
    QPalette palette = widget->palette();
    palette.setColor(QPalette::Highlight, QColor(51, 103, 214));
    widget->setPalette(palette);
}

QPushButton *shortcutButton(const QString &caption, const QKeySequence &keys, const QString &what)
{
    auto *button = new QPushButton(caption);
    button->setShortcut(keys);
    button->setToolTip(
        QStringLiteral("%1 (%2)").arg(what, keys.toString(QKeySequence::NativeText)));
    return button;
}

} // namespace look
