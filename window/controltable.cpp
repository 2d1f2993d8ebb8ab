#include "controltable.h"

#include "accessibility.h"
#include "drawingsurface.h"
#include "boxdisplay.h"
#include "formlook.h"
#include "spoken.h"
#include "variants.h"

#include <QFrame>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTimer>

#include <algorithm>
#include <vector>

namespace controltable {
namespace {

constexpr QRgb red = qRgb(255, 0, 0);
constexpr QRgb lightGreen = qRgb(128, 255, 128);
using look::windowBlue;
constexpr QRgb pink = qRgb(255, 192, 192);
constexpr QRgb blue = qRgb(128, 128, 255);
constexpr QRgb lightOrange = qRgb(255, 192, 128);
constexpr QRgb white = qRgb(255, 255, 255);
constexpr QRgb none = defaultColour;

constexpr const char taskStatement[] =
    "Ако в правоъгълен триъгълник означим дължините на катетите с a, b и c за хипотенуза, "
    "r - радиус на вписана окръжност, а с R - радиус на описана окръжност, можем да изведем "
    "следните зависимости:\r\n"
    "от теорема на Питагор за катети и хипотенуза: a*a + b*b = c*c\r\n"
    "радиус на вписана окръжност: 2*r =  a + b - c\r\n"
    "радиус на описана окръжност 2*R = c\r\n"
    "Да се реализира проект представящ междупредметни връзки между Математика и "
    "Информатика.\r\n"
    "Тема на проекта: Математика - окръжност в правоъгълен триъгълник.\r\n"
    "Входни данни са две от посочените 4 параметъра: дължина на катет a, b,  r - радиус на "
    "вписана окръжност, и R - радиус на описана окръжност. Останалите два стойности да се "
    "изчисляват.\r\n";

// Hristo Botev, "Hadzhi Dimitar" (1873).
constexpr const char quotation[] =
    "Тоз, който падне в бой за свобода,\r\n"
    "той не умира: него жалеят\r\n"
    "земя и небе, звяр и природа\r\n";

constexpr int timerInterval = 500; // milliseconds

using enum Kind;
using enum Name;

// A value box is pink, bold and read-only where its row's variant computes
// the value, and white where the student types a given.
constexpr bool holdsResult(int box)
{
    return solver::isComputed(solver::Variant(box / 4), solver::Column(box % 4));
}

constexpr QRgb boxColour(int box)
{
    return holdsResult(box) ? pink : none;
}

constexpr unsigned boxSettings(int box)
{
    return Centred | (holdsResult(box) ? ReadOnly | Bold : 0);
}
constexpr bool window = false;
constexpr bool frame = true;

// clang-format off
constexpr Row table[] = {
 // name     index   kind           in      text                 left   top  width height colour          tab settings
    {Command1, 0,      CommandButton, window, "Изчисти",           5040, 2880, 1455,  375, red,             30, Hidden | Graphical},
    {Command1, 1,      CommandButton, window, "Изчисли",            720, 2880, 1455,  375, lightGreen,      29, Hidden | Graphical},
    {Frame1,   single, Frame,         window, "Frame1",             720,  600, 5895, 1935, windowBlue,       4, Hidden},
    {Text2,    15,     TextBox,       frame,  "",                  4680, 1440, 1095,  405, boxColour(15),   24, boxSettings(15)},
    {Text2,    14,     TextBox,       frame,  "",                  3600, 1440, 1095,  405, boxColour(14),   23, boxSettings(14)},
    {Text2,    13,     TextBox,       frame,  "",                  2520, 1440, 1095,  405, boxColour(13),   22, boxSettings(13)},
    {Text2,    12,     TextBox,       frame,  "",                  1440, 1440, 1095,  405, boxColour(12),   21, boxSettings(12)},
    {Text2,    11,     TextBox,       frame,  "",                  4680, 1080, 1095,  405, boxColour(11),   20, boxSettings(11)},
    {Text2,    10,     TextBox,       frame,  "",                  3600, 1080, 1095,  405, boxColour(10),   19, boxSettings(10)},
    {Text2,    9,      TextBox,       frame,  "",                  2520, 1080, 1095,  405, boxColour(9),    18, boxSettings(9)},
    {Text2,    8,      TextBox,       frame,  "",                  1440, 1080, 1095,  405, boxColour(8),    17, boxSettings(8)},
    {Text2,    7,      TextBox,       frame,  "",                  4680,  720, 1095,  405, boxColour(7),    16, boxSettings(7)},
    {Text2,    6,      TextBox,       frame,  "",                  3600,  720, 1095,  405, boxColour(6),    15, boxSettings(6)},
    {Text2,    5,      TextBox,       frame,  "",                  2520,  720, 1095,  405, boxColour(5),    14, boxSettings(5)},
    {Text2,    4,      TextBox,       frame,  "",                  1440,  720, 1095,  405, boxColour(4),    13, boxSettings(4)},
    {Text2,    3,      TextBox,       frame,  "",                  4680,  360, 1095,  405, boxColour(3),    12, boxSettings(3)},
    {Text2,    2,      TextBox,       frame,  "",                  3600,  360, 1095,  405, boxColour(2),    11, boxSettings(2)},
    {Text2,    1,      TextBox,       frame,  "",                  2520,  360, 1095,  405, boxColour(1),    10, boxSettings(1)},
    {Text2,    0,      TextBox,       frame,  "",                  1440,  360, 1095,  405, boxColour(0),     9, boxSettings(0)},
    {Option1,  3,      OptionButton,  frame,  "Вариант 4",            0, 1440, 1455,  405, blue,             8, 0},
    {Option1,  2,      OptionButton,  frame,  "Вариант 3",            0, 1080, 1455,  405, blue,             7, 0},
    {Option1,  1,      OptionButton,  frame,  "Вариант 2",            0,  720, 1455,  405, blue,             6, 0},
    {Option1,  0,      OptionButton,  frame,  "Вариант 1",            0,  360, 1455,  405, blue,             5, 0},
    {Label2,   3,      Label,         frame,  "R",                 4680,    0, 1095,  375, lightOrange,     28, Centred},
    {Label2,   2,      Label,         frame,  "r",                 3600,    0, 1095,  375, lightOrange,     27, Centred},
    {Label2,   1,      Label,         frame,  "b",                 2520,    0, 1095,  375, lightOrange,     26, Centred},
    {Label2,   0,      Label,         frame,  "a",                 1440,    0, 1095,  375, lightOrange,     25, Centred},
    {Timer1,   single, Timer,         window, "",                     0,    0,    0,    0, none,           notInTabOrder, 0},
    {Picture1, single, PictureBox,    window, "",                   120,  480, 7000, 3000, white,            3, 0},
    {Text1,    1,      TextBox,       window, quotation,            600, 4680, 6735, 1815, none,             1, Hidden | MultiLine | ReadOnly},
    {Text1,    0,      TextBox,       window, taskStatement,        120, 3480, 6975, 2775, none,             0, MultiLine | ReadOnly},
    {Label1,   0,      Label,         window, "Математика - окръжност в правоъгълен триъгълник",
                                                                720,    0, 5775,  375, lightOrange,      2, Centred},
};
// clang-format on

// A style sheet that sets only a background leaves a push button's face to
// the style, which paints over it; giving the button a border of its own makes
// the style sheet paint the whole face, in every widget style.
QString graphicalButtonStyle(QRgb colour)
{
    const QColor face = QColor::fromRgb(colour);
    return QStringLiteral("QPushButton { background-color: %1; color: black; border: 2px outset %2; }"
                          "QPushButton:pressed { border-style: inset; }"
                          "QPushButton:focus { border-color: %3; }")
        .arg(face.name(), face.name(), face.darker(160).name());
}

QString text(const Row &row)
{
    return QString::fromUtf8(row.text);
}

QWidget *createWidget(const Row &row, QWidget *container)
{
    const QString text = controltable::text(row);
    switch (row.kind) {
    case CommandButton: {
        auto *button = new QPushButton(text, container);
        // Enter presses a focused button as Space does.
        button->setAutoDefault(true);
        if (row.settings & Graphical)
            button->setStyleSheet(graphicalButtonStyle(row.background));
        return button;
    }
    case Frame: {
        // The panel is a plain container: no border and no caption.
        auto *panel = new QFrame(container);
        // Assistive technology sees it as a grouping of the controls in it.
        // Qt exposes a plain QFrame as a frame, the role of a top-level
        // window, and a screen reader then takes no notice of the focus
        // moving inside it, as if it were a window in the background:
        // neither the selectors nor the boxes would be spoken.
        accessibility::setRole(panel, QAccessible::Grouping);
        panel->setFrameShape(QFrame::NoFrame);
        return panel;
    }
    case TextBox: {
        if (row.settings & MultiLine) {
            auto *box = new QPlainTextEdit(text, container);
            box->setReadOnly(row.settings & ReadOnly);
            box->setTextInteractionFlags(Qt::TextSelectableByMouse | Qt::TextSelectableByKeyboard);
            box->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
            box->setLineWrapMode(QPlainTextEdit::WidgetWidth);
            box->setTabChangesFocus(true);
            return box;
        }
        auto *box = new QLineEdit(text, container);
        box->setReadOnly(row.settings & ReadOnly);
        boxdisplay::install(box);
        return box;
    }
    case OptionButton:
        return new QRadioButton(text, container);
    case Label:
        return new QLabel(text, container);
    case PictureBox:
        return new DrawingSurface(container);
    case Timer:
        break;
    }
    return nullptr;
}

void applySettings(QWidget *widget, const Row &row)
{
    widget->setGeometry(pixels(row.left), pixels(row.top), pixels(row.width), pixels(row.height));
    if (row.background != none && !(row.settings & Graphical))
        look::setBackground(widget, QColor::fromRgb(row.background));
    else if (qobject_cast<QLineEdit *>(widget))
        // Keep the default white of a value box when it is disabled, too.
        look::setBackground(widget, QColor::fromRgb(white));
    if (row.settings & Bold) {
        QFont font = widget->font();
        font.setBold(true);
        widget->setFont(font);
    }
    const Qt::Alignment horizontal = (row.settings & Centred) ? Qt::AlignHCenter : Qt::AlignLeft;
    if (auto *box = qobject_cast<QLineEdit *>(widget))
        box->setAlignment(horizontal | Qt::AlignVCenter);
    else if (auto *label = qobject_cast<QLabel *>(widget))
        label->setAlignment(horizontal | Qt::AlignTop);
    if (row.settings & Hidden)
        widget->hide();
}

// Names that a screen reader speaks for the controls whose own text does not
// say what they are: each value box by its row and column ("Вариант 3, a"),
// the radii's boxes with what they hold ("Вариант 3, r, радиус на вписаната
// окръжност").
void nameForAssistiveTechnology(const Controls &c)
{
    for (int row = 0; row < 4; ++row) {
        for (int column = 0; column < solver::columnCount; ++column) {
            QStringList name = {c.option1[row]->text(), c.label2[column]->text()};
            if (const QString meaning = speech::columnMeaning(solver::Column(column)); !meaning.isEmpty())
                name << meaning;
            c.text2[4 * row + column]->setAccessibleName(name.join(QStringLiteral(", ")));
        }
    }
    c.picture1->setAccessibleName(QStringLiteral("Анимация: правоъгълен триъгълник"));
    c.picture1->setAccessibleDescription(
        QStringLiteral("Щракнете или натиснете интервал, за да продължите"));
    c.frame1->setAccessibleName(QStringLiteral("Варианти"));
    c.text1[0]->setAccessibleName(QStringLiteral("Задача"));
    c.text1[1]->setAccessibleName(QStringLiteral("Цитат"));
}

// Keeps a control that the table made where its row names it.
void store(Controls &c, const Row &row, QObject *control)
{
    switch (row.name) {
    case Name::Command1:
        c.command1.at(row.index) = static_cast<QPushButton *>(control);
        break;
    case Name::Frame1:
        c.frame1 = static_cast<QFrame *>(control);
        break;
    case Name::Text2:
        c.text2.at(row.index) = static_cast<QLineEdit *>(control);
        break;
    case Name::Option1:
        c.option1.at(row.index) = static_cast<QRadioButton *>(control);
        break;
    case Name::Label2:
        c.label2.at(row.index) = static_cast<QLabel *>(control);
        break;
    case Name::Timer1:
        c.timer1 = static_cast<QTimer *>(control);
        break;
    case Name::Picture1:
        c.picture1 = static_cast<DrawingSurface *>(control);
        break;
    case Name::Text1:
        c.text1.at(row.index) = static_cast<QPlainTextEdit *>(control);
        break;
    case Name::Label1:
        c.label1 = static_cast<QLabel *>(control);
        break;
    }
}

} // namespace

QString objectName(const Row &row)
{
    static constexpr const char *names[] = {"Command1", "Frame1", "Text2",  "Option1", "Label2",
                                            "Timer1",   "Picture1", "Text1", "Label1"};
    const QString name = QString::fromLatin1(names[int(row.name)]);
    return row.index == single ? name : QStringLiteral("%1(%2)").arg(name).arg(row.index);
}

Controls createControls(QWidget *window)
{
    Controls controls;
    std::vector<std::pair<int, QWidget *>> tabOrder;
    for (const Row &row : table) {
        QObject *control = nullptr;
        if (row.kind == Timer) {
            auto *timer = new QTimer(window);
            // A coarse timer may fire up to 5 % early or late on each tick;
            // the intro's ten ticks must add up to its five seconds.
            timer->setTimerType(Qt::PreciseTimer);
            timer->setInterval(timerInterval);
            timer->start();
            control = timer;
        } else {
            // The panel comes before the controls in it.
            QWidget *widget = createWidget(row, row.inPanel ? controls.frame1 : window);
            applySettings(widget, row);
            if (row.tab != notInTabOrder && widget->focusPolicy() != Qt::NoFocus)
                tabOrder.emplace_back(row.tab, widget);
            if (auto *button = qobject_cast<QAbstractButton *>(widget))
                button->setAccessibleName(text(row));
            control = widget;
        }
        control->setObjectName(objectName(row));
        store(controls, row, control);
    }
    nameForAssistiveTechnology(controls);
    std::ranges::sort(tabOrder, {}, &std::pair<int, QWidget *>::first);
    for (std::size_t i = 1; i < tabOrder.size(); ++i)
        QWidget::setTabOrder(tabOrder[i - 1].second, tabOrder[i].second);
    return controls;
}

} // namespace controltable
