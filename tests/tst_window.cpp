#include "boxdisplay.h"
#include "kovrenda.h"
#include "loneletters.h"
#include "windowdriver.h"

#include <QAccessible>
#include <QApplication>
#include <QFontInfo>
#include <QFrame>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMenu>
#include <QMessageBox>
#include <QPlainTextEdit>
#include <QProxyStyle>
#include <QPushButton>
#include <QRadioButton>
#include <QRegularExpression>
#include <QStyle>
#include <QStyleFactory>
#include <QSysInfo>
#include <QTest>
#include <QTimer>

#include <QScopeGuard>

#include <algorithm>
#include <functional>
#include <memory>

using namespace driver;

namespace {

// Where the controls stand, in pixels (the form's twips divided by 15),
// written out here apart from the program's own table; the selectors,
// headings and value boxes inside the panel stand on a grid of 72 by 24.
const QRect clearButton(336, 192, 97, 25);
const QRect calculateButton(48, 192, 97, 25);
const QRect panel(48, 40, 393, 129);
const QRect title(48, 0, 385, 25);
const QRect task(8, 232, 465, 185);

QRect selectorRect(int row)
{
    return QRect(0, 24 + 24 * row, 97, 27);
}

QRect headingRect(int column)
{
    return QRect(96 + 72 * column, 0, 73, 25);
}

QRect boxRect(int index)
{
    return QRect(96 + 72 * (index % 4), 24 + 24 * (index / 4), 73, 27);
}

const QColor red(255, 0, 0);
const QColor lightGreen(128, 255, 128);
const QColor pink(255, 192, 192);
const QColor orange(255, 192, 128);
const QColor blue(128, 128, 255);
const QColor lightBlue(192, 192, 255);

// The boxes that hold computed values, pink and bold: r and R of «Вариант 1»,
// b and R of «Вариант 2», b and r of «Вариант 3», a and b of «Вариант 4».
bool holdsResult(int index)
{
    static const QList<int> computed = {2, 3, 5, 7, 9, 10, 12, 13};
    return computed.contains(index);
}

// The colour that covers most of a rectangle of an image: a control's
// background, whatever text or frame lies on it.
QColor dominantColour(const QImage &image, const QRect &rect)
{
    QHash<QRgb, int> counts;
    for (int y = rect.top(); y <= rect.bottom(); ++y)
        for (int x = rect.left(); x <= rect.right(); ++x)
            ++counts[image.pixel(x, y)];
    QRgb most = 0;
    for (auto [colour, count] : counts.asKeyValueRange())
        if (count > counts.value(most))
            most = colour;
    return QColor::fromRgb(most);
}

// The grey level of the darkest pixel in a rectangle: below 60 where black
// text is drawn on it.
int darkest(const QImage &image, const QRect &rect)
{
    int level = 255;
    for (int y = rect.top(); y <= rect.bottom(); ++y)
        for (int x = rect.left(); x <= rect.right(); ++x)
            level = std::min(level, qGray(image.pixel(x, y)));
    return level;
}

// What a dark desktop theme hands the program: light text on dark grounds,
// for the application and, as platform themes do, for kinds of widget.
QPalette darkPalette()
{
    QPalette dark(QColor(60, 60, 60), QColor(45, 45, 45));
    for (auto role : {QPalette::WindowText, QPalette::Text, QPalette::ButtonText})
        dark.setColor(role, QColor(238, 238, 236));
    dark.setColor(QPalette::Base, QColor(30, 30, 30));
    return dark;
}

// Fusion as it is under a dark desktop theme, where its standard palette is
// the theme's.
class DarkThemeStyle : public QProxyStyle
{
public:
    DarkThemeStyle() : QProxyStyle(QStyleFactory::create(QStringLiteral("fusion"))) {}
    QPalette standardPalette() const override { return darkPalette(); }
};

// What a screen reader is told: the name of the window's notification each
// time it appears, which is when a screen reader speaks it.
class NotificationListener : public QObject
{
public:
    explicit NotificationListener(QWidget *window)
    {
        for (QWidget *widget : window->findChildren<QWidget *>()) {
            QAccessibleInterface *accessible = QAccessible::queryAccessibleInterface(widget);
            if (accessible && accessible->role() == QAccessible::Notification)
                widget->installEventFilter(this);
        }
    }

    QStringList heard;

protected:
    bool eventFilter(QObject *watched, QEvent *event) override
    {
        if (event->type() == QEvent::Show)
            heard << QAccessible::queryAccessibleInterface(watched)->text(QAccessible::Name);
        return false;
    }
};

} // namespace

class TestWindow : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();

    void controlTable_data();
    void controlTable();
    void valueBoxNames();
    void buttonFacesArePaintedInTheirColour_data();
    void buttonFacesArePaintedInTheirColour();
    void disabledBoxesKeepTheirColour();
    void startState();

    void introEndsOnlyOnPictureClick_data();
    void introEndsOnlyOnPictureClick();
    void pictureCanBePressedWithoutAMouse_data();
    void pictureCanBePressedWithoutAMouse();
    void tabOrder_data();
    void tabOrder();

    void enabledRun_data();
    void enabledRun();
    void calculation_data();
    void calculation();
    void longValuesShowWhatFits_data();
    void longValuesShowWhatFits();
    void failureShowsMessageAndKeepsBoxes_data();
    void failureShowsMessageAndKeepsBoxes();
    void quotedLimitCanBeTyped_data();
    void quotedLimitCanBeTyped();
    void solutionWindowOpensFromMenusAndF2_data();
    void solutionWindowOpensFromMenusAndF2();
    void resultBoxesTakeNoTyping();
    void clearKeepsSelectionAndRun();
};

void TestWindow::initTestCase()
{
    // Values are written with the decimal separator of the default locale;
    // pin it so that the expected texts hold on any machine.
    QLocale::setDefault(QLocale::c());
}

void TestWindow::controlTable_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("className");
    QTest::addColumn<QString>("container");
    QTest::addColumn<QRect>("geometry");
    QTest::addColumn<QColor>("background");
    QTest::addColumn<bool>("visibleAtStart");
    QTest::addColumn<bool>("bold");
    QTest::addColumn<bool>("readOnly");
    QTest::addColumn<QString>("text");

    const QColor none;
    QTest::newRow("Clear")       << "Command1(0)" << "QPushButton" << "Kovrenda" << clearButton << red << false << false << false << "Изчисти";
    QTest::newRow("Calculate")   << "Command1(1)" << "QPushButton" << "Kovrenda" << calculateButton << lightGreen << false << false << false << "Изчисли";
    QTest::newRow("panel")       << "Frame1"      << "QFrame"      << "Kovrenda" << panel << lightBlue << false << false << false << "";
    QTest::newRow("picture")     << "Picture1"    << "DrawingSurface" << "Kovrenda" << QRect(8, 32, 467, 200) << QColor(Qt::white) << true << false << false << "";
    QTest::newRow("quotation")   << "Text1(1)"    << "QPlainTextEdit" << "Kovrenda" << QRect(40, 312, 449, 121) << none << false << false << true << "";
    QTest::newRow("task")        << "Text1(0)"    << "QPlainTextEdit" << "Kovrenda" << task << none << true << false << true << "";
    QTest::newRow("title")       << "Label1(0)"   << "QLabel" << "Kovrenda" << title << orange << true << false << false
                                 << "Математика - окръжност в правоъгълен триъгълник";

    const char *headings[] = {"a", "b", "r", "R"};
    for (int k = 0; k < 4; ++k) {
        QTest::addRow("selector %d", k) << QStringLiteral("Option1(%1)").arg(k) << "QRadioButton" << "Frame1"
                                        << selectorRect(k) << blue << true << false << false
                                        << QStringLiteral("Вариант %1").arg(k + 1);
        QTest::addRow("heading %d", k) << QStringLiteral("Label2(%1)").arg(k) << "QLabel" << "Frame1"
                                       << headingRect(k) << orange << true << false << false
                                       << QString::fromLatin1(headings[k]);
        for (int j = 0; j < 4; ++j) {
            const int i = 4 * k + j;
            QTest::addRow("value box %d", i) << QStringLiteral("Text2(%1)").arg(i) << "QLineEdit" << "Frame1"
                                             << boxRect(i) << (holdsResult(i) ? pink : QColor(Qt::white))
                                             << true << holdsResult(i) << holdsResult(i) << "";
        }
    }
}

void TestWindow::controlTable()
{
    QFETCH(QString, name);
    QFETCH(QString, className);
    QFETCH(QString, container);
    QFETCH(QRect, geometry);
    QFETCH(QColor, background);
    QFETCH(bool, visibleAtStart);
    QFETCH(bool, bold);
    QFETCH(bool, readOnly);
    QFETCH(QString, text);

    Kovrenda window;
    QWidget *control = find(window, name);
    QVERIFY(control);
    QCOMPARE(control->metaObject()->className(), className);
    QCOMPARE(control->parentWidget()->metaObject()->className() == QByteArray("Kovrenda")
                 ? QStringLiteral("Kovrenda")
                 : control->parentWidget()->objectName(),
             container);
    QCOMPARE(control->geometry(), geometry);
    // Controls inside the hidden panel are not hidden themselves.
    QCOMPARE(!control->isHidden(), visibleAtStart);
    QCOMPARE(control->font().family(), QStringLiteral("Times New Roman"));
    QCOMPARE(control->font().pointSize(), 12);
    QCOMPARE(control->font().bold(), bold);

    if (auto *lineEdit = qobject_cast<QLineEdit *>(control)) {
        QCOMPARE(lineEdit->isReadOnly(), readOnly);
        QCOMPARE(lineEdit->alignment() & Qt::AlignHorizontal_Mask, Qt::AlignHCenter);
        QCOMPARE(lineEdit->palette().color(QPalette::Base), background);
    } else if (auto *edit = qobject_cast<QPlainTextEdit *>(control)) {
        QCOMPARE(edit->isReadOnly(), readOnly);
        QCOMPARE(edit->verticalScrollBarPolicy(), Qt::ScrollBarAlwaysOn);
    } else if (auto *label = qobject_cast<QLabel *>(control)) {
        QCOMPARE(label->text(), text);
        QCOMPARE(label->alignment() & Qt::AlignHorizontal_Mask, Qt::AlignHCenter);
        QCOMPARE(label->palette().color(QPalette::Window), background);
        QVERIFY(label->autoFillBackground());
    } else if (auto *button = qobject_cast<QAbstractButton *>(control)) {
        QCOMPARE(button->text(), text);
        QVERIFY(!button->isChecked());
        if (qobject_cast<QRadioButton *>(control))
            QCOMPARE(button->palette().color(button->backgroundRole()), background);
    } else if (background.isValid()) {
        QCOMPARE(control->palette().color(QPalette::Window), background);
    }
}

// The names a screen reader speaks, read as assistive technology reads
// them: each box by its row and column, and the radii's boxes by what they
// hold too, since a Bulgarian voice says r and R alike.
void TestWindow::valueBoxNames()
{
    Kovrenda window;
    const char *columns[] = {"a", "b", "r, радиус на вписаната окръжност",
                             "R, радиус на описаната окръжност"};
    for (int i = 0; i < 16; ++i) {
        QAccessibleInterface *accessible = QAccessible::queryAccessibleInterface(box(window, i));
        QVERIFY(accessible);
        QCOMPARE(accessible->text(QAccessible::Name),
                 QStringLiteral("Вариант %1, %2").arg(i / 4 + 1).arg(QString::fromUtf8(columns[i % 4])));
        // The way to the drawing is told before anything is typed, too.
        QVERIFY(box(window, i)->toolTip().contains(u"F2"));
        QVERIFY(box(window, i)->toolTip().contains(u"F3: задача"));
    }
    QCOMPARE(find(window, QStringLiteral("Command1(1)"))->accessibleName(), QStringLiteral("Изчисли"));
    QCOMPARE(find(window, QStringLiteral("Option1(2)"))->accessibleName(), QStringLiteral("Вариант 3"));
    QVERIFY(!find(window, QStringLiteral("Picture1"))->accessibleName().isEmpty());
}

void TestWindow::buttonFacesArePaintedInTheirColour_data()
{
    QTest::addColumn<QString>("style");
    QTest::addColumn<bool>("dark");
    QTest::newRow("default style")      << QString()                << false;
    QTest::newRow("fusion")             << QStringLiteral("fusion")  << false;
    QTest::newRow("windows")            << QStringLiteral("windows") << false;
    QTest::newRow("default style, dark") << QString()                << true;
    QTest::newRow("windows, dark")      << QStringLiteral("windows") << true;
    QTest::newRow("fusion of a dark theme") << QStringLiteral("dark theme") << true;
}

// Every coloured control, checked on a grab of the window after a
// calculation: its background is the table's colour, and any text on it is
// black, under several widget styles and a dark desktop palette. Under the
// dark palette the whole window looks exactly as under the light one.
void TestWindow::buttonFacesArePaintedInTheirColour()
{
    QFETCH(QString, style);
    QFETCH(bool, dark);
    const QString previous = QApplication::style()->name();
    if (style == u"dark theme")
        QApplication::setStyle(new DarkThemeStyle);
    else if (!style.isEmpty())
        QApplication::setStyle(QStyleFactory::create(style));
    const auto restore = qScopeGuard([&] {
        QApplication::setPalette(QApplication::style()->standardPalette());
        QApplication::setStyle(QStyleFactory::create(previous));
    });
    const auto calculated = [] {
        auto window = panelWindow();
        if (window) {
            chooseAndType(*window, 2, BoxTexts{{8, "3"}, {11, "2,5"}});
            window->Command1_Click(1);
        }
        return window;
    };
    const auto light = calculated();
    QVERIFY(light);
    const QImage lightImage = light->grab().toImage();
    if (dark) {
        QApplication::setPalette(darkPalette());
        for (const char *kind : {"QAbstractButton", "QLineEdit", "QLabel", "QPlainTextEdit"})
            QApplication::setPalette(darkPalette(), kind);
    }
    const auto window = calculated();
    QVERIFY(window);
    const QImage image = window->grab().toImage();
    if (dark)
        QVERIFY(image == lightImage);

    const QPoint origin = panel.topLeft();
    struct Sample
    {
        QString what;
        QRect rect;       // in the window
        QColor background;
        bool text;        // black text stands on it
    };
    QList<Sample> samples = {
        {"Clear", clearButton.adjusted(4, 4, -4, -4), red, true},
        {"Calculate", calculateButton.adjusted(4, 4, -4, -4), lightGreen, true},
        {"title", title, orange, true},
        {"window", QRect(0, 170, 40, 20), lightBlue, false},
        {"panel", QRect(origin + QPoint(100, 130), QSize(280, 5)), lightBlue, false},
        {"task statement", task.adjusted(4, 4, -25, -4), QColor(Qt::white), true}, // left of its scroll bar
    };
    for (int k = 0; k < 4; ++k) {
        // The selector's caption, right of its round indicator.
        samples.append({QStringLiteral("Вариант %1").arg(k + 1),
                        selectorRect(k).translated(origin).adjusted(22, 0, 0, 0), blue, true});
        samples.append({QStringLiteral("heading %1").arg(k), headingRect(k).translated(origin),
                        orange, true});
    }
    // The row of «Вариант 3» holds 3, 4, 1 and 2.5; the boxes of the other
    // rows are disabled and empty.
    for (int i : {8, 9, 10, 11, 1, 2}) {
        samples.append({QStringLiteral("value box %1").arg(i),
                        boxRect(i).translated(origin).adjusted(4, 4, -4, -4),
                        holdsResult(i) ? pink : QColor(Qt::white), i >= 8});
    }
    for (const Sample &sample : samples) {
        QCOMPARE(dominantColour(image, sample.rect).name(), sample.background.name());
        if (sample.text)
            QVERIFY2(darkest(image, sample.rect) < 60, qPrintable(sample.what));
    }
}

void TestWindow::disabledBoxesKeepTheirColour()
{
    const auto window = panelWindow();
    QVERIFY(window);
    // All boxes are disabled after the start; a pink box stays pink and a
    // white one white, sampled beside the centred (empty) text.
    const QImage image = window->grab().toImage();
    const QPoint beside(10, 13);
    QCOMPARE(image.pixelColor(panel.topLeft() + boxRect(2).topLeft() + beside), pink);
    QCOMPARE(image.pixelColor(panel.topLeft() + boxRect(0).topLeft() + beside), QColor(Qt::white));
}

void TestWindow::startState()
{
    Kovrenda window;
    window.show();
    QVERIFY(QTest::qWaitForWindowActive(&window));

    QCOMPARE(window.windowTitle(), QStringLiteral("www.example.org   Математика - правоъгълен триъгълник"));
    QCOMPARE(window.size(), QSize(481, 424));
    QCOMPARE(window.minimumSize(), window.maximumSize());
    QVERIFY(!window.windowIcon().isNull());
    QCOMPARE(window.palette().color(QPalette::Window), lightBlue);
    // Windows' own Times New Roman; on Linux fontconfig's metric twin.
    QCOMPARE(QFontInfo(window.font()).family(), QSysInfo::productType() == u"windows"
             ? QStringLiteral("Times New Roman") : QStringLiteral("Liberation Serif"));

    auto *timer = window.findChild<QTimer *>(QStringLiteral("Timer1"));
    QVERIFY(timer);
    QVERIFY(timer->isActive());
    QCOMPARE(timer->interval(), 500);

    QCOMPARE(boxTexts(window), QStringList(16, QString()));
    QCOMPARE(enabledBoxes(window), QList<int>());
    QCOMPARE(window.selectedVariant(), 0);
    QCOMPARE(QApplication::focusWidget(), find(window, QStringLiteral("Text1(0)")));

    auto *task = find<QPlainTextEdit>(window, QStringLiteral("Text1(0)"));
    QVERIFY(task->toPlainText().startsWith(QStringLiteral("Ако в правоъгълен триъгълник")));
    QVERIFY(task->toPlainText().contains(QStringLiteral("2*r =  a + b - c")));
    QVERIFY(!find(window, QStringLiteral("Text1(1)"))->isVisible());
}

void TestWindow::introEndsOnlyOnPictureClick_data()
{
    QTest::addColumn<QString>("target");
    QTest::addColumn<bool>("ends");

    QTest::newRow("picture")        << "Picture1" << true;
    QTest::newRow("title")          << "Label1(0)" << false;
    QTest::newRow("task statement") << "Text1(0)" << false;
    QTest::newRow("window")         << "" << false;
    QTest::newRow("picture pressed, released outside") << "Picture1 dragged out" << false;
}

void TestWindow::introEndsOnlyOnPictureClick()
{
    QFETCH(QString, target);
    QFETCH(bool, ends);

    Kovrenda window;
    window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&window));
    if (target.isEmpty()) {
        QTest::mouseClick(&window, Qt::LeftButton, {}, QPoint(3, 100)); // the margin left of the picture
    } else if (target.endsWith(u" dragged out")) {
        QWidget *picture = find(window, target.section(u' ', 0, 0));
        QTest::mousePress(picture, Qt::LeftButton, {}, picture->rect().center());
        QTest::mouseRelease(picture, Qt::LeftButton, {}, QPoint(-5, picture->height() / 2));
    } else {
        click(find(window, target));
    }

    const QStringList panel = {"Frame1", "Command1(0)", "Command1(1)"};
    for (const QString &name : panel)
        QCOMPARE(find(window, name)->isVisible(), ends);
    QCOMPARE(find(window, QStringLiteral("Picture1"))->isVisible(), !ends);
    QCOMPARE(window.findChild<QTimer *>(QStringLiteral("Timer1"))->isActive(), !ends);
    QVERIFY(find(window, QStringLiteral("Label1(0)"))->isVisible());
    QVERIFY(find(window, QStringLiteral("Text1(0)"))->isVisible());
    QVERIFY(!find(window, QStringLiteral("Text1(1)"))->isVisible());
}

void TestWindow::pictureCanBePressedWithoutAMouse_data()
{
    QTest::addColumn<QString>("way");
    QTest::newRow("Space") << "Space";
    QTest::newRow("Enter") << "Enter";
    QTest::newRow("keypad Enter") << "keypad Enter";
    QTest::newRow("screen reader") << "press action";
}

void TestWindow::pictureCanBePressedWithoutAMouse()
{
    QFETCH(QString, way);

    Kovrenda window;
    window.show();
    QVERIFY(QTest::qWaitForWindowActive(&window));
    QWidget *picture = find(window, QStringLiteral("Picture1"));
    // Tab from the task statement reaches the picture.
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
    QCOMPARE(QApplication::focusWidget(), picture);

    if (way == u"Space") {
        QTest::keyClick(picture, Qt::Key_Space);
    } else if (way == u"Enter") {
        QTest::keyClick(picture, Qt::Key_Return);
    } else if (way == u"keypad Enter") {
        QTest::keyClick(picture, Qt::Key_Enter, Qt::KeypadModifier);
    } else {
        QAccessibleInterface *accessible = QAccessible::queryAccessibleInterface(picture);
        QVERIFY(accessible);
        QCOMPARE(accessible->role(), QAccessible::Animation);
        QCOMPARE(accessible->text(QAccessible::Name), picture->accessibleName());
        QVERIFY(accessible->actionInterface());
        accessible->actionInterface()->doAction(QAccessibleActionInterface::pressAction());
    }
    QVERIFY(find(window, QStringLiteral("Frame1"))->isVisible());
    QVERIFY(!picture->isVisible());
}

void TestWindow::tabOrder_data()
{
    QTest::addColumn<int>("variant");
    QTest::addColumn<QStringList>("expected");

    // Each variant enables its run of five boxes; Tab walks the table's order
    // over the controls that can take the focus now, then wraps around.
    const QStringList tail = {"Command1(1)", "Command1(0)", "Text1(0)"};
    QTest::newRow("Вариант 1") << 0 << QStringList{"Option1(0)", "Text2(0)", "Text2(1)", "Text2(2)", "Text2(3)", "Text2(4)"} + tail;
    QTest::newRow("Вариант 2") << 1 << QStringList{"Option1(1)", "Text2(3)", "Text2(4)", "Text2(5)", "Text2(6)", "Text2(7)"} + tail;
    QTest::newRow("Вариант 3") << 2 << QStringList{"Option1(2)", "Text2(7)", "Text2(8)", "Text2(9)", "Text2(10)", "Text2(11)"} + tail;
    QTest::newRow("Вариант 4") << 3 << QStringList{"Option1(3)", "Text2(11)", "Text2(12)", "Text2(13)", "Text2(14)", "Text2(15)"} + tail;
}

void TestWindow::tabOrder()
{
    QFETCH(int, variant);
    QFETCH(QStringList, expected);

    const auto window = panelWindow();
    QVERIFY(window);
    click(find(*window, QStringLiteral("Option1(%1)").arg(variant)));
    find(*window, QStringLiteral("Text1(0)"))->setFocus();

    QStringList visited;
    for (qsizetype i = 0; i < expected.size(); ++i) {
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        visited << QApplication::focusWidget()->objectName();
    }
    QCOMPARE(visited, expected);
}

void TestWindow::enabledRun_data()
{
    QTest::addColumn<int>("variant");
    QTest::addColumn<QList<int>>("enabled");

    QTest::newRow("Вариант 1") << 0 << QList<int>{0, 1, 2, 3, 4};
    QTest::newRow("Вариант 2") << 1 << QList<int>{3, 4, 5, 6, 7};
    QTest::newRow("Вариант 3") << 2 << QList<int>{7, 8, 9, 10, 11};
    QTest::newRow("Вариант 4") << 3 << QList<int>{11, 12, 13, 14, 15};
}

void TestWindow::enabledRun()
{
    QFETCH(int, variant);
    QFETCH(QList<int>, enabled);

    const auto window = panelWindow();
    QVERIFY(window);
    // Type into a box of another row first: choosing empties the whole grid.
    click(find(*window, QStringLiteral("Option1(%1)").arg((variant + 2) % 4)));
    QTest::keyClicks(box(*window, 4 * ((variant + 2) % 4) + (variant == 1 ? 0 : 3)), "7");

    auto *selector = find<QRadioButton>(*window, QStringLiteral("Option1(%1)").arg(variant));
    click(selector);
    QVERIFY(selector->isChecked());
    QCOMPARE(window->selectedVariant(), variant);
    QCOMPARE(enabledBoxes(*window), enabled);
    QCOMPARE(boxTexts(*window), QStringList(16, QString()));
}

void TestWindow::calculation_data()
{
    QTest::addColumn<int>("variant");
    QTest::addColumn<BoxTexts>("typed");
    QTest::addColumn<QString>("trigger"); // how Calculate is asked for
    QTest::addColumn<QStringList>("row");

    QTest::newRow("legs 3, 4")          << 0 << BoxTexts{{0, "3"}, {1, "4"}}     << "click"           << QStringList{"3", "4", "1", "2.5"};
    QTest::newRow("a 3, r 1")           << 1 << BoxTexts{{4, "3"}, {6, "1"}}     << "Enter in box"    << QStringList{"3", "4", "1", "2.5"};
    QTest::newRow("a 3, R 2.5")         << 2 << BoxTexts{{8, "3"}, {11, "2.5"}}  << "keypad Enter in box" << QStringList{"3", "4", "1", "2.5"};
    QTest::newRow("radii 1, 2.5")       << 3 << BoxTexts{{14, "1"}, {15, "2.5"}} << "Enter on button" << QStringList{"4", "3", "1", "2.5"};
    QTest::newRow("givens as read")     << 0 << BoxTexts{{0, "04"}, {1, "4abc"}} << "click"           << QStringList{"4", "4", "1.17157287525381", "2.82842712474619"};
    QTest::newRow("decimal comma")      << 2 << BoxTexts{{8, "3"}, {11, "2,5"}}  << "click"           << QStringList{"3", "4", "1", "2.5"};
    QTest::newRow("neighbour ignored")  << 0 << BoxTexts{{0, "5"}, {1, "12"}, {4, "9"}} << "Enter in box" << QStringList{"5", "12", "2", "6.5"};
    QTest::newRow("long results")       << 0 << BoxTexts{{0, "2,5"}, {1, "2,5"}} << "click"           << QStringList{"2.5", "2.5", "0.732233047033631", "1.76776695296637"};
    QTest::newRow("long values")        << 0 << BoxTexts{{0, "12345678"}, {1, "87654321"}} << "click" << QStringList{"12345678", "87654321", "5740266.7984497", "44259732.7015503"};
    QTest::newRow("long given, Enter")  << 0 << BoxTexts{{0, "2"}, {1, "1,234567890123456"}} << "Enter in box" << QStringList{"2", "1.23456789012346", "0.442107588581148", "1.17517635648058"};
}

void TestWindow::calculation()
{
    QFETCH(int, variant);
    QFETCH(BoxTexts, typed);
    QFETCH(QString, trigger);
    QFETCH(QStringList, row);

    const auto window = panelWindow();
    QVERIFY(window);
    chooseAndType(*window, variant, typed);
    QStringList expected = boxTexts(*window);

    MessageBoxWatcher watcher;
    auto *calculate = find<QPushButton>(*window, QStringLiteral("Command1(1)"));
    QLineEdit *lastTyped = box(*window, typed.lastKey());
    if (trigger == u"click") {
        click(calculate);
    } else if (trigger == u"Enter on button") {
        calculate->setFocus();
        QTest::keyClick(calculate, Qt::Key_Return);
    } else if (trigger == u"Enter in box") {
        lastTyped->setFocus();
        QTest::keyClick(lastTyped, Qt::Key_Return);
    } else {
        lastTyped->setFocus();
        QTest::keyClick(lastTyped, Qt::Key_Enter, Qt::KeypadModifier);
    }
    QCOMPARE(watcher.seen, 0);
    for (int j = 0; j < 4; ++j)
        expected[4 * variant + j] = row[j];
    QCOMPARE(boxTexts(*window), expected);
    // Each box of the row shows the start of its value, the whole of it in
    // its tooltip, above the way to the drawing; the box the student typed
    // in and pressed Enter in keeps its cursor at the end.
    const bool typing = trigger.endsWith(u"in box");
    for (int j = 0; j < 4; ++j) {
        QLineEdit *shown = box(*window, 4 * variant + j);
        QCOMPARE(shown->cursorPosition(), typing && shown == lastTyped ? row[j].size() : 0);
        QCOMPARE(shown->toolTip().section(u'\n', 0, 0), row[j]);
        QVERIFY(shown->toolTip().contains(u"F2"));
    }
    if (typing) {
        // Typing goes on at the end, and a box that the student leaves
        // scrolls back to the start of its value.
        const QString before = lastTyped->text();
        QTest::keyClicks(lastTyped, "7");
        QCOMPARE(lastTyped->text(), before + u'7');
        QTest::keyClick(lastTyped, Qt::Key_Tab);
        QVERIFY(!lastTyped->hasFocus());
        QCOMPARE(lastTyped->cursorPosition(), 0);
    }
}

void TestWindow::longValuesShowWhatFits_data()
{
    QTest::addColumn<BoxTexts>("legs");
    QTest::addColumn<int>("index");
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("shown");
    QTest::addColumn<int>("width"); // of the box, where not as the window has it

    QTest::newRow("r = 10000000000")   << BoxTexts{{0, "30000000000"}, {1, "40000000000"}} << 2 << "10000000000" << "1.00e+10" << 0;
    QTest::newRow("R = 25000000000")   << BoxTexts{{0, "30000000000"}, {1, "40000000000"}} << 3 << "25000000000" << "2.50e+10" << 0;
    QTest::newRow("given written back") << BoxTexts{{0, "1"}, {1, "1e12"}}                 << 1 << "1000000000000" << "1.00e+12" << 0;
    QTest::newRow("R just above 5e11") << BoxTexts{{0, "1"}, {1, "1e12"}}                  << 3 << "500000000000" << "5.00e+11" << 0;
    QTest::newRow("r just below 1/2")  << BoxTexts{{0, "1"}, {1, "1e12"}}                  << 2 << "0.49999999999975" << "0.500000" << 0;
    QTest::newRow("long decimal")      << BoxTexts{{0, "2,5"}, {1, "2,5"}}                 << 2 << "0.732233047033631" << "0.732233" << 0;
    QTest::newRow("fits as it is")     << BoxTexts{{0, "3"}, {1, "4"}}                     << 3 << "2.5" << "2.5" << 0;
    QTest::newRow("inner zero")        << BoxTexts{{0, "1"}, {1, "1"}}                     << 3 << "0.707106781186548" << "0.707107" << 0;
    QTest::newRow("14 digits fit")     << BoxTexts{{0, "2,5"}, {1, "2,5"}}                 << 2 << "0.732233047033631" << "0.73223304703363" << 134;
}

// A value longer than its box shows, while the student is not in the box,
// the same number rounded to the digits that fit, never the start of a
// larger one nor a glyph cut at the edge; its text keeps every digit.
void TestWindow::longValuesShowWhatFits()
{
    QFETCH(BoxTexts, legs);
    QFETCH(int, index);
    QFETCH(QString, text);
    QFETCH(QString, shown);
    QFETCH(int, width);

    const auto window = panelWindow();
    QVERIFY(window);
    chooseAndType(*window, 0, legs);
    calculate(*window);
    QLineEdit *value = box(*window, index);
    if (width > 0)
        value->resize(width, value->height());
    QCOMPARE(value->text(), text);
    QCOMPARE(value->toolTip().section(u'\n', 0, 0), text);
    QCOMPARE(boxdisplay::shownText(value), shown);
    // The whole of every glyph is drawn: no ink touches the edges of the
    // room for the text (where a glyph cut at the edge would end).
    const QImage image = value->grab().toImage();
    const int top = 4;
    const int bottom = value->height() - 5;
    for (const int x : {2, 3, value->width() - 4, value->width() - 3})
        QVERIFY2(darkest(image, QRect(QPoint(x, top), QPoint(x, bottom))) > 128,
                 qPrintable(QStringLiteral("ink at x = %1").arg(x)));
    // In the box, the student sees and edits the text itself.
    value->setFocus();
    QCOMPARE(boxdisplay::shownText(value), text);
}

void TestWindow::failureShowsMessageAndKeepsBoxes_data()
{
    QTest::addColumn<int>("variant");
    QTest::addColumn<BoxTexts>("solved");  // a good calculation in the row first
    QTest::addColumn<BoxTexts>("typed");
    QTest::addColumn<QStringList>("phrases"); // "!..." must not be in the message
    QTest::addColumn<QString>("title");

    const QString none = QStringLiteral("Няма такъв триъгълник");
    const QString missing = QStringLiteral("Липсва число");
    const QString range = QStringLiteral("Извън обхвата на програмата");
    QTest::newRow("no choice yet: first row") << -1 << BoxTexts{} << BoxTexts{}  << QStringList{"изберете вариант", "!Няма правоъгълен"} << "Няма избран вариант";
    QTest::newRow("empty boxes")  << 0 << BoxTexts{} << BoxTexts{}                      << QStringList{"a = 0", "(празно поле или поле без число се чете като 0)", "Условие: a > 0 и b > 0."} << missing;
    QTest::newRow("no number")    << 0 << BoxTexts{} << BoxTexts{{0, "abc"}, {1, "4"}}  << QStringList{"a = 0", "поле без число се чете като 0"} << missing;
    QTest::newRow("second empty") << 3 << BoxTexts{} << BoxTexts{{14, "1"}}            << QStringList{"R = 0", "празно поле или поле без число"} << missing;
    QTest::newRow("zero radius")  << 3 << BoxTexts{} << BoxTexts{{14, "0"}, {15, "2"}}  << QStringList{"Няма правоъгълен", "r = 0", "Условие: r > 0 и R > 0.", "!празно"} << none;
    QTest::newRow("negative leg") << 0 << BoxTexts{} << BoxTexts{{0, "3"}, {1, "-4"}}  << QStringList{"b = -4", "!празно"} << none;
    QTest::newRow("a = 2r")       << 1 << BoxTexts{} << BoxTexts{{4, "4"}, {6, "2"}}    << QStringList{"безкрайно", "повече от 4 при r = 2"} << none;
    QTest::newRow("a < 2r")       << 1 << BoxTexts{} << BoxTexts{{4, "3"}, {6, "2"}}    << QStringList{"2·r = 4", "катета a = 3", "повече от 4 при r = 2"} << none;
    QTest::newRow("a > 2R")       << 2 << BoxTexts{} << BoxTexts{{8, "6"}, {11, "2.5"}} << QStringList{"c = 2·R = 5", "катета a = 6", "по-малко от 5 при R = 2.5"} << none;
    QTest::newRow("R < 2.414 r")  << 3 << BoxTexts{} << BoxTexts{{14, "1"}, {15, "2"}}  << QStringList{"твърде голяма", "R трябва да е поне 2.415 при r = 1"} << none;
    QTest::newRow("r far above R") << 3 << BoxTexts{} << BoxTexts{{14, "1e200"}, {15, "1e10"}} << QStringList{"твърде голяма", "поне 2.415e+200 при r = 1e+200"} << none;
    QTest::newRow("R tiny beside r") << 3 << BoxTexts{} << BoxTexts{{14, "1"}, {15, "1e-160"}} << QStringList{"твърде голяма", "поне 2.415 при r = 1"} << none;
    QTest::newRow("stale results") << 2 << BoxTexts{{8, "3"}, {11, "2,5"}} << BoxTexts{{11, "1"}} << QStringList{"c = 2·R = 2", "катета a = 3"} << none;
    QTest::newRow("too large")    << 0 << BoxTexts{} << BoxTexts{{0, "1e400"}, {1, "1"}} << QStringList{"твърде голямо"} << range;
    QTest::newRow("overflow")     << 3 << BoxTexts{} << BoxTexts{{14, "1"}, {15, "1e308"}} << QStringList{"твърде големи", "!Условие"} << range;
    QTest::newRow("underflow")    << 0 << BoxTexts{} << BoxTexts{{0, "3e-308"}, {1, "3e-308"}} << QStringList{"твърде малки", "!Условие"} << range;
    QTest::newRow("subnormal beside normal") << 3 << BoxTexts{} << BoxTexts{{14, "1"}, {15, "1e-310"}} << QStringList{"твърде малки", "!Условие"} << range;
    QTest::newRow("huge radius")  << 1 << BoxTexts{} << BoxTexts{{4, "1"}, {6, "1e308"}} << QStringList{"не се побира", "Условие: a > 2·r."} << none;
    QTest::newRow("infinite R")   << 3 << BoxTexts{} << BoxTexts{{14, "1"}, {15, "1e400"}} << QStringList{"твърде голямо", "!Условие"} << range;
    QTest::newRow("infinite r")   << 3 << BoxTexts{} << BoxTexts{{14, "1e400"}, {15, "1"}} << QStringList{"твърде голямо", "!Условие"} << range;
}

// A failed calculation shows a warning that says why, empties the two
// computed boxes of the row (no result of earlier givens stays beside the
// new ones), keeps the givens as typed, and the program goes on.
void TestWindow::failureShowsMessageAndKeepsBoxes()
{
    QFETCH(int, variant);
    QFETCH(BoxTexts, solved);
    QFETCH(BoxTexts, typed);
    QFETCH(QStringList, phrases);
    QFETCH(QString, title);

    const auto window = panelWindow();
    QVERIFY(window);
    chooseAndType(*window, variant, solved);
    if (!solved.isEmpty()) {
        MessageBoxWatcher watcher;
        calculate(*window);
        QCOMPARE(watcher.seen, 0);
    }
    for (auto [index, text] : typed.asKeyValueRange()) {
        box(*window, index)->clear();
        QTest::keyClicks(box(*window, index), text);
    }
    QStringList expected = boxTexts(*window);
    const int row = std::max(variant, 0);
    for (int j = 0; j < 4; ++j)
        if (!typed.contains(4 * row + j) && !solved.contains(4 * row + j))
            expected[4 * row + j] = QString();

    {
        MessageBoxWatcher watcher;
        calculate(*window);
        QCOMPARE(watcher.seen, 1);
        QCOMPARE(watcher.icon, QMessageBox::Warning);
        QCOMPARE(watcher.okText, QStringLiteral("Добре")); // Qt's own texts are Bulgarian too
        for (const QString &phrase : phrases) {
            if (phrase.startsWith(u'!'))
                QVERIFY2(!watcher.text.contains(phrase.mid(1), Qt::CaseInsensitive), qPrintable(watcher.text));
            else
                QVERIFY2(watcher.text.contains(phrase, Qt::CaseInsensitive), qPrintable(watcher.text));
        }
        // Never a number the student cannot read.
        QVERIFY2(!watcher.text.contains(u"inf") && !watcher.text.contains(u"nan"), qPrintable(watcher.text));
        QCOMPARE(watcher.title, title);
        // «Чертеж и решение» says the same.
        window->openSolution();
        auto *message = window->findChild<QLabel *>(QStringLiteral("message"));
        QVERIFY(message);
        QCOMPARE(message->text(), watcher.text);
        // A screen reader reads the whole message, each R said «главно R»
        // and each r «малко r» (with a blank after a digit before them).
        QString heard = watcher.heard;
        QCOMPARE(heard.count(u"главно R"), lone(watcher.text, u'R'));
        QCOMPARE(heard.count(u"малко r"), lone(watcher.text, u'r'));
        heard.replace(QStringLiteral("главно R"), QStringLiteral("R"));
        heard.replace(QStringLiteral("малко r"), QStringLiteral("r"));
        QCOMPARE(heard.remove(u' '), QString(watcher.text).remove(u' '));
    }
    QCOMPARE(boxTexts(*window), expected);
    QVERIFY(window->isVisible());

    // The program goes on: a good calculation right after works.
    click(find(*window, QStringLiteral("Option1(0)")));
    QTest::keyClicks(box(*window, 0), "3");
    QTest::keyClicks(box(*window, 1), "4");
    MessageBoxWatcher watcher;
    calculate(*window);
    QCOMPARE(watcher.seen, 0);
    QCOMPARE(boxTexts(*window).mid(0, 4), (QStringList{"3", "4", "1", "2.5"}));
}

void TestWindow::quotedLimitCanBeTyped_data()
{
    QTest::addColumn<int>("variant");
    QTest::addColumn<BoxTexts>("typed");
    QTest::addColumn<int>("retyped"); // the box the limit is for

    // Limits whose nearest four-digit number lies on the wrong side.
    QTest::newRow("a > 2r = 2.46912")      << 1 << BoxTexts{{4, "2"}, {6, "1,23456"}}   << 4;
    QTest::newRow("a < 2R = 2.46962")      << 2 << BoxTexts{{8, "3"}, {11, "1,23481"}}  << 8;
    QTest::newRow("R >= (1 + √2)·1")       << 3 << BoxTexts{{14, "1"}, {15, "2"}}       << 15;
    QTest::newRow("R >= (1 + √2)·5")       << 3 << BoxTexts{{14, "5"}, {15, "11"}}      << 15;
}

// The limit that a failure's message quotes, typed back as shown, gives a
// triangle.
void TestWindow::quotedLimitCanBeTyped()
{
    QFETCH(int, variant);
    QFETCH(BoxTexts, typed);
    QFETCH(int, retyped);

    const auto window = panelWindow();
    QVERIFY(window);
    chooseAndType(*window, variant, typed);
    QString quoted;
    {
        MessageBoxWatcher watcher;
        window->Command1_Click(1);
        QCOMPARE(watcher.seen, 1);
        static const QRegularExpression limit(QStringLiteral("(?:повече от|по-малко от|поне) (\\S+) при"));
        quoted = limit.match(watcher.text).captured(1);
        QVERIFY2(!quoted.isEmpty(), qPrintable(watcher.text));
    }
    box(*window, retyped)->setText(quoted);
    MessageBoxWatcher watcher;
    window->Command1_Click(1);
    QVERIFY2(watcher.seen == 0, qPrintable(quoted + u' ' + watcher.text));
    QCOMPARE(box(*window, retyped)->text(), quoted);
}

void TestWindow::solutionWindowOpensFromMenusAndF2_data()
{
    QTest::addColumn<QString>("where"); // the control under the mouse or with the focus
    QTest::addColumn<QString>("how");   // "right click", or the keys pressed

    QTest::newRow("value box menu")         << "Text2(9)"    << "right click";
    QTest::newRow("disabled box")           << "Text2(0)"    << "right click";
    QTest::newRow("selector")               << "Option1(1)"  << "right click";
    QTest::newRow("heading")                << "Label2(3)"   << "right click";
    QTest::newRow("Calculate")              << "Command1(1)" << "right click";
    QTest::newRow("F2")                     << "Text2(8)"    << "F2";
    QTest::newRow("Shift+F10 in a box")     << "Text2(11)"   << "Shift+F10";
    QTest::newRow("Shift+F10 on a selector") << "Option1(2)" << "Shift+F10";
}

// The companion window «Чертеж и решение» opens from the first item of the
// panel's and the boxes' context menus, which F2 is shown in and Shift+F10
// opens too, and by F2; it shows the last calculation, follows the next one
// at once (which the window's notification then tells as well), and Esc
// closes it. Opened after a failure, the focus is on the failure's message,
// which a screen reader then reads with r and R told apart.
void TestWindow::solutionWindowOpensFromMenusAndF2()
{
    QFETCH(QString, where);
    QFETCH(QString, how);

    const auto window = panelWindow();
    QVERIFY(window);
    chooseAndType(*window, 2, BoxTexts{{8, "3"}, {11, "2.5"}});
    window->Command1_Click(1);
    QVERIFY(!companion());

    QWidget *control = find(*window, where);
    if (how == u"F2") {
        QTest::keyClick(control, Qt::Key_F2);
    } else {
        MenuWatcher watcher;
        if (how == u"Shift+F10") {
            QVERIFY(QTest::qWaitForWindowActive(window.get()));
            control->setFocus();
            QTest::keyClick(control, Qt::Key_F10, Qt::ShiftModifier);
        } else {
            QContextMenuEvent event(QContextMenuEvent::Mouse, control->rect().center(),
                                    control->mapToGlobal(control->rect().center()));
            QApplication::sendEvent(control, &event);
        }
        QTRY_VERIFY(!watcher.items.isEmpty());
        QCOMPARE(watcher.items.constFirst(), QStringLiteral("Чертеж и решение…\tF2"));
        QCOMPARE(watcher.items.value(1), QStringLiteral("Упражнение…\tF3"));
        // A value box keeps its own items below, in Bulgarian.
        if (qobject_cast<QLineEdit *>(control) && control->isEnabled())
            QVERIFY2(watcher.items.join(u' ').contains(u"Копиране"), qPrintable(watcher.items.join(u'|')));
    }
    QWidget *solution = nullptr;
    QTRY_VERIFY((solution = companion()));
    // Wholly on the main window's screen, whatever its size and scale.
    const QRect area = window->screen()->availableGeometry();
    QVERIFY2(area.contains(solution->frameGeometry()),
             qPrintable(QStringLiteral("%1 x %2 at %3, %4").arg(solution->width()).arg(solution->height())
                            .arg(solution->x()).arg(solution->y())));
    QVERIFY(solution->minimumWidth() <= area.width() && solution->minimumHeight() <= area.height());
    auto *steps = solution->findChild<QListWidget *>(QStringLiteral("steps"));
    QVERIFY(steps);
    const auto stepsText = [steps] {
        QStringList lines;
        for (int row = 0; row < steps->count(); ++row)
            lines << steps->item(row)->text();
        return lines.join(u'\n');
    };
    QVERIFY2(stepsText().contains(u"b = 4"), qPrintable(stepsText()));

    // The next calculation shows at once, and the notification tells the
    // new drawing after the result; a failure shows its message.
    box(*window, 11)->setText(QStringLiteral("2.6"));
    window->Command1_Click(1);
    QVERIFY2(stepsText().contains(box(*window, 9)->text()), qPrintable(stepsText()));
    auto *announcer =
        window->findChild<QWidget *>(QStringLiteral("announcer"), Qt::FindDirectChildrenOnly);
    QVERIFY(announcer);
    const QString heard = QAccessible::queryAccessibleInterface(announcer)->text(QAccessible::Name);
    QVERIFY2(heard.startsWith(QStringLiteral("b = %1, малко r = %2. Чертеж: правоъгълен триъгълник")
                                  .arg(box(*window, 9)->text(), box(*window, 10)->text())),
             qPrintable(heard));
    QString failure;
    {
        MessageBoxWatcher watcher;
        box(*window, 11)->setText(QStringLiteral("1"));
        window->Command1_Click(1);
        QCOMPARE(watcher.seen, 1);
        QVERIFY(solution->findChild<QLabel *>(QStringLiteral("message"))->text() == watcher.text);
        failure = watcher.text;
    }

    const QStringList before = boxTexts(*window);
    solution->activateWindow(); // the student clicks into it
    QVERIFY(QTest::qWaitForWindowActive(solution));
    QTest::keyClick(solution, Qt::Key_Escape);
    QTRY_VERIFY(!companion());
    QCOMPARE(boxTexts(*window), before);

    // Opened again, the focus is on what the window shows: the failure's
    // reason and condition, its R said «главно R».
    window->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(window.get()));
    QTest::keyClick(box(*window, 8), Qt::Key_F2);
    QTRY_VERIFY(companion() && companion()->isActiveWindow());
    QAccessibleInterface *focus =
        QAccessible::queryAccessibleInterface(QApplication::focusWidget());
    QVERIFY(focus);
    QString said = focus->text(QAccessible::Name);
    QCOMPARE(said.count(u"главно R"), lone(failure, u'R'));
    QVERIFY(said.contains(u"главно R"));
    // The whole message, but for the words before r and R (and a blank
    // between "2" and "главно R").
    said.replace(QStringLiteral("главно R"), QStringLiteral("R"));
    said.replace(QStringLiteral("малко r"), QStringLiteral("r"));
    QCOMPARE(said.remove(u' '), failure.remove(u' '));
}

void TestWindow::resultBoxesTakeNoTyping()
{
    const auto window = panelWindow();
    QVERIFY(window);
    click(find(*window, QStringLiteral("Option1(1)")));
    // Box 3, the R of the first row, is enabled beside the second row but is
    // read-only; box 5 is a result of the chosen row; box 4 is a given.
    for (int index : {3, 5, 4}) {
        box(*window, index)->setFocus();
        QTest::keyClicks(box(*window, index), "12");
    }
    QCOMPARE(box(*window, 3)->text(), QString());
    QCOMPARE(box(*window, 5)->text(), QString());
    QCOMPARE(box(*window, 4)->text(), QStringLiteral("12"));
}

void TestWindow::clearKeepsSelectionAndRun()
{
    const auto window = panelWindow();
    QVERIFY(window);
    NotificationListener listener(window.get());
    const QStringList &heard = listener.heard;
    click(find(*window, QStringLiteral("Option1(2)")));
    QTest::keyClicks(box(*window, 8), "3");
    QTest::keyClicks(box(*window, 11), "2.5");
    const auto calculateWithoutMessage = [&] {
        MessageBoxWatcher watcher;
        calculate(*window);
        QCOMPARE(watcher.seen, 0);
    };
    calculateWithoutMessage();
    QCOMPARE(box(*window, 9)->text(), QStringLiteral("4"));
    // A screen reader is told each result, the computed values alone.
    QCOMPARE(heard, QStringList{"b = 4, малко r = 1"});
    box(*window, 11)->setText(QStringLiteral("2.6"));
    calculateWithoutMessage();
    QCOMPARE(heard.value(1), QStringLiteral("b = 4.24735211631906, малко r = 1.02367605815953"));

    click(find(*window, QStringLiteral("Command1(0)")));
    QCOMPARE(boxTexts(*window), QStringList(16, QString()));
    QCOMPARE(enabledBoxes(*window), (QList<int>{7, 8, 9, 10, 11}));
    QCOMPARE(window->selectedVariant(), 2);
    QVERIFY(find<QRadioButton>(*window, QStringLiteral("Option1(2)"))->isChecked());
    click(find(*window, QStringLiteral("Command1(0)")));
    QCOMPARE(heard.mid(2), QStringList(2, QStringLiteral("Полетата са изчистени.")));

    // Choosing the marked variant again empties the grid again.
    QTest::keyClicks(box(*window, 8), "3");
    click(find(*window, QStringLiteral("Option1(2)")));
    QCOMPARE(box(*window, 8)->text(), QString());
}

QTEST_MAIN(TestWindow)
#include "tst_window.moc"
