#include "handlefigure.h"
#include "solvewindow.h"
#include "windowdriver.h"

#include <QAccessible>
#include <QApplication>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMouseEvent>
#include <QPushButton>
#include <QTabBar>
#include <QTableWidget>
#include <QTest>

#include <cmath>

using namespace driver;

class TestSolveWindow : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void solvesTwoGivens_data();
    void solvesTwoGivens();
    void verticesMoveByMouseAndKeys();
};

namespace {

// The sentences a screen reader is told, as the notification appears.
class Listener : public QObject
{
public:
    explicit Listener(QWidget *announcer) { announcer->installEventFilter(this); }
    QStringList heard;

protected:
    bool eventFilter(QObject *object, QEvent *event) override
    {
        if (event->type() == QEvent::Show)
            heard << QAccessible::queryAccessibleInterface(object)->text(QAccessible::Name);
        return false;
    }
};

void mouse(QWidget *widget, QEvent::Type type, QPointF at, Qt::MouseButton button,
           Qt::MouseButtons buttons)
{
    QMouseEvent event(type, at, widget->mapToGlobal(at), button, buttons, Qt::NoModifier);
    QApplication::sendEvent(widget, &event);
}

} // namespace

void TestSolveWindow::initTestCase()
{
    QLocale::setDefault(QLocale(QLocale::Bulgarian, QLocale::Bulgaria));
}

// «Задача по избор» opens with F4 from the main window and solves what is
// typed into its two rows: the table's lines, the steps, the failure's
// words in place of them, and a second triangle's tab where there is one.
void TestSolveWindow::solvesTwoGivens_data()
{
    QTest::addColumn<int>("first");
    QTest::addColumn<QString>("firstValue");
    QTest::addColumn<int>("second");
    QTest::addColumn<QString>("secondValue");
    // Lines of the table that must be there; empty for a failure.
    QTest::addColumn<QStringList>("lines");
    // Words of the failure; empty for a triangle.
    QTest::addColumn<QStringList>("message");
    QTest::addColumn<bool>("twoTriangles");
    // clang-format off
    QTest::newRow("c = 10, h = 3")        << 2 << "10" << 3 << "3"     << QStringList{"a = 3√10 ≈ 9,487", "c = 10", "S = 15", "R = 5"} << QStringList{} << false;
    QTest::newRow("m = 5, n = 12")        << 6 << "5"  << 7 << "12"    << QStringList{"a = 15", "b = 8", "r = 3"}                    << QStringList{} << false;
    QTest::newRow("r = 3, R = 12,5")      << 10 << "3" << 11 << "12,5" << QStringList{"S = 84"}                                     << QStringList{} << false;
    QTest::newRow("alpha = 30°, c = 1")   << 12 << "30" << 2 << "1"    << QStringList{"α = 30°", "β = 60°", "a = 0,5"}              << QStringList{} << false;
    QTest::newRow("a1 = 3,2, n = 3")      << 4 << "3.2" << 7 << "3"    << QStringList{"a = 4", "b = 3"}                             << QStringList{} << true;
    QTest::newRow("c = 10, h = 6: h ≤ c/2") << 2 << "10" << 3 << "6"   << QStringList{} << QStringList{"h ≤ c/2", "най-много 5 при c = 10"} << false;
    QTest::newRow("c and R say one thing") << 2 << "10" << 11 << "5"   << QStringList{} << QStringList{"c = 2R"} << false;
    QTest::newRow("a word for a number")  << 0 << "три" << 1 << "4"    << QStringList{} << QStringList{"като число"} << false;
    // clang-format on
}

void TestSolveWindow::solvesTwoGivens()
{
    QFETCH(int, first);
    QFETCH(QString, firstValue);
    QFETCH(int, second);
    QFETCH(QString, secondValue);
    QFETCH(QStringList, lines);
    QFETCH(QStringList, message);
    QFETCH(bool, twoTriangles);
    const auto window = panelWindow();
    QVERIFY(window);
    QWidget *solve = openWithKey(*window, Qt::Key_F4, QStringLiteral("Задача по избор"));
    QVERIFY(solve);
    QVERIFY(solve->windowTitle().startsWith(QStringLiteral("Задача по избор")));
    QCOMPARE(QAccessible::queryAccessibleInterface(solve)->role(), QAccessible::Window);
    QComboBox *quantities[] = {find<QComboBox>(*solve, QStringLiteral("solveQuantity(0)")),
                               find<QComboBox>(*solve, QStringLiteral("solveQuantity(1)"))};
    QLineEdit *values[] = {find<QLineEdit>(*solve, QStringLiteral("solveValue(0)")),
                           find<QLineEdit>(*solve, QStringLiteral("solveValue(1)"))};
    auto *result = find<QTableWidget>(*solve, QStringLiteral("solveResult"));
    auto *steps = find<QListWidget>(*solve, QStringLiteral("solveSteps"));
    auto *words = find<QLabel>(*solve, QStringLiteral("solveMessage"));
    auto *button = find<QPushButton>(*solve, QStringLiteral("solveButton"));
    QVERIFY(quantities[0] && quantities[1] && values[0] && values[1] && result && steps && words
            && button && find<QWidget>(*solve, QStringLiteral("solveFigure")));
    // The choosers list the fourteen by their names, in order.
    QCOMPARE(quantities[0]->count(), 14);
    QVERIFY(quantities[0]->itemText(4).startsWith(QStringLiteral("a₁")));
    QVERIFY(quantities[1]->itemText(13).startsWith(QStringLiteral("β")));

    quantities[0]->setCurrentIndex(first);
    quantities[1]->setCurrentIndex(second);
    QVERIFY(quantities[0]->accessibleName().startsWith(QStringLiteral("Дадено 1, ")));
    values[0]->setText(firstValue);
    values[1]->setText(secondValue);
    QTest::keyClick(values[1], Qt::Key_Return);
    if (lines.isEmpty()) {
        for (const QString &w : message)
            QVERIFY2(words->text().contains(w), qPrintable(words->text()));
        QCOMPARE(steps->count(), 0);
        QVERIFY(!result->item(0, 0) || result->item(0, 0)->text().isEmpty());
        return;
    }
    QCOMPARE(words->text().isEmpty(), !twoTriangles);
    QStringList shown;
    for (int row = 0; row < result->rowCount(); ++row)
        shown << result->item(row, 0)->text();
    for (const QString &line : lines)
        QVERIFY2(shown.contains(line), qPrintable(shown.join(u'\n')));
    QVERIFY(steps->count() > 5);
    QVERIFY(steps->item(0)->text().startsWith(QStringLiteral("Дадени са")));
    QVERIFY(steps->item(1)->text().startsWith(QStringLiteral("1) ")));
    QCOMPARE(find<QTabBar>(*solve, QStringLiteral("solveTriangle"))->isVisible(), twoTriangles);
    solve->close();
}

// The drawing's vertex C moved along its semicircle over c = 10 (given
// with h): by a click on its path, by a drag, and by the arrow keys, which
// reach the same triangle as the drag; the boxes, the table and what a
// screen reader hears follow, and Tab walks the vertices and leaves.
void TestSolveWindow::verticesMoveByMouseAndKeys()
{
    SolveWindow window;
    window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&window));
    auto *quantity = find<QComboBox>(window, QStringLiteral("solveQuantity(1)"));
    QLineEdit *values[] = {find<QLineEdit>(window, QStringLiteral("solveValue(0)")),
                           find<QLineEdit>(window, QStringLiteral("solveValue(1)"))};
    auto *figure = find<HandleFigure>(window, QStringLiteral("solveFigure"));
    auto *table = find<QTableWidget>(window, QStringLiteral("solveResult"));
    auto *steps = find<QListWidget>(window, QStringLiteral("solveSteps"));
    auto *invariant = find<QLabel>(window, QStringLiteral("solveInvariant"));
    QVERIFY(quantity && values[0] && values[1] && figure && table && steps && invariant);
    const auto solveFresh = [&] {
        values[0]->setText(QStringLiteral("10"));
        values[1]->setText(QStringLiteral("4,8"));
        window.solve();
    };
    solveFresh();
    QCOMPARE(figure->accessibleDescription(), QStringLiteral("a = 8, b = 6, c = 10, r = 2, R = 5"));
    QVERIFY(invariant->text().isEmpty());

    // One click on the semicircle's top, where C is isosceles.
    const QPointF A = figure->vertex(handles::Handle::A);
    const QPointF B = figure->vertex(handles::Handle::B);
    const QPointF C = figure->vertex(handles::Handle::C);
    const QPointF O = (A + B) / 2;
    const qreal scale = std::hypot(B.x() - A.x(), B.y() - A.y()) / 10;
    const QPointF u = (B - A) / (10 * scale);
    QPointF n(-u.y(), u.x());
    if (QPointF::dotProduct(C - O, n) < 0)
        n = -n;
    mouse(figure, QEvent::MouseButtonPress, O + n * 5 * scale, Qt::LeftButton, Qt::LeftButton);
    mouse(figure, QEvent::MouseButtonRelease, O + n * 5 * scale, Qt::LeftButton, Qt::NoButton);
    QCOMPARE(figure->accessibleDescription(),
             QStringLiteral("a = 7,071067812, b = 7,071067812, c = 10, r = 2,071067812, R = 5"));
    QCOMPARE(values[0]->text(), QStringLiteral("10"));
    QCOMPARE(values[1]->text(), QStringLiteral("5"));
    QCOMPARE(quantity->currentIndex(), int(pairs::Quantity::h)); // the pair chosen stays
    QCOMPARE(table->item(0, 0)->text(), QStringLiteral("a = 5√2 ≈ 7,071"));
    QVERIFY2(invariant->text().contains(QStringLiteral("a + b = 2(r + R)"))
                 && invariant->text().contains(QStringLiteral("само тук")),
             qPrintable(invariant->text()));

    // Dragged from where it was to where b = 6,5 ...
    solveFresh();
    const QPointF at65 = A + (u * 0.65 + n * (std::sqrt(57.75) / 10)) * 6.5 * scale;
    mouse(figure, QEvent::MouseButtonPress, C, Qt::LeftButton, Qt::LeftButton);
    for (double t : {0.25, 0.5, 0.75, 1.0})
        mouse(figure, QEvent::MouseMove, C + (at65 - C) * t, Qt::NoButton, Qt::LeftButton);
    mouse(figure, QEvent::MouseButtonRelease, at65, Qt::LeftButton, Qt::NoButton);
    const QString dragged = figure->accessibleDescription();
    QVERIFY2(dragged.startsWith(QStringLiteral("a = 7,599342077, b = 6,5, c = 10, r = 2,049671038, R = 5")),
             qPrintable(dragged));
    QVERIFY(!invariant->text().contains(QStringLiteral("само тук")));

    // ... and by keys: from b = 6 five steps of 0,1 back (a, the longer
    // leg, shrinks), after the focus went to the drawing by code.
    solveFresh();
    Listener listener(window.findChild<QWidget *>(QStringLiteral("announcer")));
    figure->setFocus();
    QTRY_VERIFY(figure->hasFocus());
    QCOMPARE(figure->accessibleName(), QStringLiteral("Връх C, върху полуокръжността над хипотенузата"));
    for (int i = 0; i < 5; ++i) {
        QTest::keyClick(figure, Qt::Key_Left);
        QCOMPARE(listener.heard.size(), i + 1); // each press told as its key comes up
    }
    QCOMPARE(figure->accessibleDescription(), dragged);
    QCOMPARE(listener.heard.mid(0, 3),
             (QStringList{QStringLiteral("a ≈ 7,924, b = 6,1, малко r ≈ 2,012, главно R = 5"),
                          QStringLiteral("a ≈ 7,846, b = 6,2, малко r ≈ 2,023, главно R = 5"),
                          QStringLiteral("a ≈ 7,766, b = 6,3, малко r ≈ 2,033, главно R = 5")}));
    // The table exact, the box and the steps from it to its 15 digits.
    QCOMPARE(table->item(3, 0)->text(), QStringLiteral("h = 13√231/40 ≈ 4,94"));
    QCOMPARE(values[1]->text(), QStringLiteral("4,93957234991047"));
    QVERIFY(steps->item(0)->text().startsWith(QStringLiteral("Дадени са c = 10 и h = 4,93957234991047.")));

    // Held down, the key is told at most four times a second, and where it
    // stops once more: none of the twelve steps at once, then the last.
    QCOMPARE(listener.heard.last(), QStringLiteral("a ≈ 7,599, b = 6,5, малко r ≈ 2,05, главно R = 5"));
    for (int i = 0; i < 12; ++i) {
        QKeyEvent press(QEvent::KeyPress, Qt::Key_Right, Qt::NoModifier, QString(), true);
        QApplication::sendEvent(figure, &press);
    }
    QKeyEvent release(QEvent::KeyRelease, Qt::Key_Right, Qt::NoModifier);
    QApplication::sendEvent(figure, &release);
    QCOMPARE(listener.heard.size(), 6);
    QCOMPARE(listener.heard.last(), QStringLiteral("a ≈ 8,48, b = 5,3, малко r ≈ 1,89, главно R = 5"));

    // Tab goes from C to A and B, then on out of the drawing; Shift+Tab
    // goes back to C and out before it, and Tab from there comes in at C.
    QTest::keyClick(figure, Qt::Key_Tab);
    QCOMPARE(figure->accessibleName(), QStringLiteral("Връх A, върху правата CA"));
    QTest::keyClick(figure, Qt::Key_Tab);
    QCOMPARE(figure->accessibleName(), QStringLiteral("Връх B, върху правата CB"));
    QTest::keyClick(figure, Qt::Key_Tab);
    QVERIFY(QApplication::focusWidget() != figure);
    figure->setFocus();
    QCOMPARE(figure->accessibleName(), QStringLiteral("Връх C, върху полуокръжността над хипотенузата"));
    QTest::keyClick(figure, Qt::Key_Tab);
    QTest::keyClick(figure, Qt::Key_Tab, Qt::ShiftModifier);
    QCOMPARE(figure->accessibleName(), QStringLiteral("Връх C, върху полуокръжността над хипотенузата"));
    QTest::keyClick(figure, Qt::Key_Tab, Qt::ShiftModifier);
    QWidget *before = QApplication::focusWidget();
    // «Реши»: the message line, empty with one triangle, is no stop of its own.
    QCOMPARE(before->objectName(), QStringLiteral("solveButton"));
    QTest::keyClick(before, Qt::Key_Tab);
    QCOMPARE(QApplication::focusWidget(), figure);
    QCOMPARE(figure->accessibleName(), QStringLiteral("Връх C, върху полуокръжността над хипотенузата"));
}

QTEST_MAIN(TestSolveWindow)
#include "tst_solvewindow.moc"
