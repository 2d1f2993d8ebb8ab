#include "controltable.h"

#include "drawingsurface.h"

#include <QAccessible>
#include <QAccessibleWidget>

#include <QFrame>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTimer>

#include <algorithm>
#include <map>
#include <vector>

namespace controltable {
namespace {

constexpr QRgb red = qRgb(255, 0, 0);
constexpr QRgb lightGreen = qRgb(128, 255, 128);
constexpr QRgb lightBlue = qRgb(192, 192, 255);
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
constexpr unsigned result = Centred | ReadOnly | Bold;
constexpr unsigned given = Centred;
constexpr const char *window = nullptr;
constexpr const char *frame = "Frame1";

// clang-format off
constexpr Row table[] = {
 // name           kind           in      text                 left   top  width height colour       tab settings
    {"Command1(0)", CommandButton, window, "Изчисти",            5040, 2880, 1455,  375, red,         30, Hidden | Graphical},
    {"Command1(1)", CommandButton, window, "Изчисли",             720, 2880, 1455,  375, lightGreen,  29, Hidden | Graphical},
    {"Frame1",      Frame,         window, "Frame1",              720,  600, 5895, 1935, lightBlue,    4, Hidden},
    {"Text2(15)",   TextBox,       frame,  "",                   4680, 1440, 1095,  405, none,        24, given},
    {"Text2(14)",   TextBox,       frame,  "",                   3600, 1440, 1095,  405, none,        23, given},
    {"Text2(13)",   TextBox,       frame,  "",                   2520, 1440, 1095,  405, pink,        22, result},
    {"Text2(12)",   TextBox,       frame,  "",                   1440, 1440, 1095,  405, pink,        21, result},
    {"Text2(11)",   TextBox,       frame,  "",                   4680, 1080, 1095,  405, none,        20, given},
    {"Text2(10)",   TextBox,       frame,  "",                   3600, 1080, 1095,  405, pink,        19, result},
    {"Text2(9)",    TextBox,       frame,  "",                   2520, 1080, 1095,  405, pink,        18, result},
    {"Text2(8)",    TextBox,       frame,  "",                   1440, 1080, 1095,  405, none,        17, given},
    {"Text2(7)",    TextBox,       frame,  "",                   4680,  720, 1095,  405, pink,        16, result},
    {"Text2(6)",    TextBox,       frame,  "",                   3600,  720, 1095,  405, none,        15, given},
    {"Text2(5)",    TextBox,       frame,  "",                   2520,  720, 1095,  405, pink,        14, result},
    {"Text2(4)",    TextBox,       frame,  "",                   1440,  720, 1095,  405, none,        13, given},
    {"Text2(3)",    TextBox,       frame,  "",                   4680,  360, 1095,  405, pink,        12, result},
    {"Text2(2)",    TextBox,       frame,  "",                   3600,  360, 1095,  405, pink,        11, result},
    {"Text2(1)",    TextBox,       frame,  "",                   2520,  360, 1095,  405, none,        10, given},
    {"Text2(0)",    TextBox,       frame,  "",                   1440,  360, 1095,  405, none,         9, given},
    {"Option1(3)",  OptionButton,  frame,  "Вариант 4",             0, 1440, 1455,  405, blue,         8, 0},
    {"Option1(2)",  OptionButton,  frame,  "Вариант 3",             0, 1080, 1455,  405, blue,         7, 0},
    {"Option1(1)",  OptionButton,  frame,  "Вариант 2",             0,  720, 1455,  405, blue,         6, 0},
    {"Option1(0)",  OptionButton,  frame,  "Вариант 1",             0,  360, 1455,  405, blue,         5, 0},
    {"Label2(3)",   Label,         frame,  "R",                  4680,    0, 1095,  375, lightOrange, 28, Centred},
    {"Label2(2)",   Label,         frame,  "r",                  3600,    0, 1095,  375, lightOrange, 27, Centred},
    {"Label2(1)",   Label,         frame,  "b",                  2520,    0, 1095,  375, lightOrange, 26, Centred},
    {"Label2(0)",   Label,         frame,  "a",                  1440,    0, 1095,  375, lightOrange, 25, Centred},
    {"Timer1",      Timer,         window, "",                      0,    0,    0,    0, none,        notInTabOrder, 0},
    {"Picture1",    PictureBox,    window, "",                    120,  480, 7000, 3000, white,        3, 0},
    {"Text1(1)",    TextBox,       window, quotation,                  600, 4680, 6735, 1815, none,         1, Hidden | MultiLine | ReadOnly},
    {"Text1(0)",    TextBox,       window, taskStatement,                  120, 3480, 6975, 2775, none,         0, MultiLine | ReadOnly},
    {"Label1(0)",   Label,         window, "Математика - окръжност в правоъгълен триъгълник",
                                                                  720,    0, 5775,  375, lightOrange,  2, Centred},
};
// clang-format on

// Paints the control's own background in its colour, in every state and
// whatever role the widget fills its background with (a selector fills with
// Button, a label with Window, a text box with Base); a disabled value box
// keeps its pink or white and only its text greys. The text on it is black,
// so that a dark desktop theme cannot put white text on a light colour.
void setBackground(QWidget *widget, QRgb colour)
{
    QPalette palette = widget->palette();
    const QPalette::ColorRole role =
        qobject_cast<QLineEdit *>(widget) || qobject_cast<QPlainTextEdit *>(widget)
        ? QPalette::Base
        : widget->backgroundRole();
    for (auto group : {QPalette::Active, QPalette::Inactive, QPalette::Disabled})
        palette.setColor(group, role, QColor::fromRgb(colour));
    for (auto group : {QPalette::Active, QPalette::Inactive})
        for (auto text : {QPalette::WindowText, QPalette::Text, QPalette::ButtonText})
            palette.setColor(group, text, Qt::black);
    widget->setPalette(palette);
    widget->setAutoFillBackground(true);
}

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

// Marks the frames that hold controls, for accessiblePanel().
constexpr char panelProperty[] = "kovrenda-panel";

// Assistive technology sees the panel as a grouping of the controls in it.
// Qt exposes a plain QFrame as a frame, the role of a top-level window, and
// a screen reader then takes no notice of the focus moving inside it, as if
// it were a window in the background: neither the selectors nor the boxes
// would be spoken.
QAccessibleInterface *accessiblePanel(const QString &className, QObject *object)
{
    auto *frame = qobject_cast<QFrame *>(object);
    if (frame && className == u"QFrame" && frame->property(panelProperty).toBool())
        return new QAccessibleWidget(frame, QAccessible::Grouping);
    return nullptr;
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
        static const bool factoryInstalled = (QAccessible::installFactory(accessiblePanel), true);
        Q_UNUSED(factoryInstalled);
        auto *panel = new QFrame(container);
        panel->setFrameShape(QFrame::NoFrame);
        panel->setProperty(panelProperty, true);
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
        setBackground(widget, row.background);
    else if (qobject_cast<QLineEdit *>(widget))
        // Keep the default white of a value box when it is disabled, too.
        setBackground(widget, white);
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
// say what they are: each value box by its row and column ("Вариант 3, a").
void nameForAssistiveTechnology(QWidget *window)
{
    for (int row = 0; row < 4; ++row) {
        const auto *selector = window->findChild<QRadioButton *>(QStringLiteral("Option1(%1)").arg(row));
        for (int column = 0; column < 4; ++column) {
            const auto *heading = window->findChild<QLabel *>(QStringLiteral("Label2(%1)").arg(column));
            auto *box = window->findChild<QLineEdit *>(QStringLiteral("Text2(%1)").arg(4 * row + column));
            box->setAccessibleName(selector->text() + QStringLiteral(", ") + heading->text());
        }
    }
    auto *picture = window->findChild<QWidget *>(QStringLiteral("Picture1"));
    picture->setAccessibleName(QStringLiteral("Анимация: правоъгълен триъгълник"));
    picture->setAccessibleDescription(
        QStringLiteral("Щракнете или натиснете интервал, за да продължите"));
    window->findChild<QWidget *>(QStringLiteral("Frame1"))
        ->setAccessibleName(QStringLiteral("Варианти"));
    window->findChild<QWidget *>(QStringLiteral("Text1(0)"))
        ->setAccessibleName(QStringLiteral("Задача"));
    window->findChild<QWidget *>(QStringLiteral("Text1(1)"))
        ->setAccessibleName(QStringLiteral("Цитат"));
}

} // namespace

void createControls(QWidget *window)
{
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
            QWidget *container = row.container
                ? window->findChild<QWidget *>(QString::fromLatin1(row.container))
                : window;
            QWidget *widget = createWidget(row, container);
            applySettings(widget, row);
            if (row.tab != notInTabOrder && widget->focusPolicy() != Qt::NoFocus)
                tabOrder.emplace_back(row.tab, widget);
            if (auto *button = qobject_cast<QAbstractButton *>(widget))
                button->setAccessibleName(text(row));
            control = widget;
        }
        control->setObjectName(QString::fromLatin1(row.name));
    }
    nameForAssistiveTechnology(window);
    std::ranges::sort(tabOrder, {}, &std::pair<int, QWidget *>::first);
    for (std::size_t i = 1; i < tabOrder.size(); ++i)
        QWidget::setTabOrder(tabOrder[i - 1].second, tabOrder[i].second);
}

} // namespace controltable
