#include "windowdriver.h"

#include <QAccessible>
#include <QApplication>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QTabBar>
#include <QTableWidget>
#include <QTest>

using namespace driver;

class TestSolveWindow : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void solvesTwoGivens_data();
    void solvesTwoGivens();
};

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

QTEST_MAIN(TestSolveWindow)
#include "tst_solvewindow.moc"
