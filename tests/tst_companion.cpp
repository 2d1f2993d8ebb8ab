#include "figurepainting.h"
#include "figureview.h"
#include "solutionsteps.h"
#include "solutionwindow.h"
#include "spoken.h"

#include <QAccessible>
#include <QApplication>
#include <QClipboard>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QTest>

using figure::Geometry;
using solver::Variant;

namespace {

// Whether a pixel within two of p has the colour a test asks for; a line's
// antialiased edge may fall on p itself.
template<typename Test>
bool inkNear(const QImage &image, QPointF p, Test test)
{
    for (int dy = -2; dy <= 2; ++dy)
        for (int dx = -2; dx <= 2; ++dx) {
            const QPoint at(int(p.x()) + dx, int(p.y()) + dy);
            if (image.rect().contains(at) && test(image.pixelColor(at)))
                return true;
        }
    return false;
}

solver::Triangle solved(Variant variant, double first, double second)
{
    const auto triangle = solver::solve(variant, first, second);
    return triangle ? *triangle : solver::Triangle{};
}

} // namespace

class TestCompanion : public QObject
{
    Q_OBJECT

private slots:
    void viewShowsBothCirclesOnPaper();
    void windowFollowsCalculations();
};

void TestCompanion::viewShowsBothCirclesOnPaper()
{
    // A dark theme's palette must not reach the figure.
    QPalette dark;
    dark.setColor(QPalette::Window, QColor(30, 30, 30));
    dark.setColor(QPalette::WindowText, Qt::white);
    FigureView view;
    view.setPalette(dark);
    view.resize(400, 400);
    // Before any calculation it describes nothing to assistive technology.
    QAccessibleInterface *accessible = QAccessible::queryAccessibleInterface(&view);
    QVERIFY(accessible);
    QCOMPARE(accessible->text(QAccessible::Description), QString());
    const solver::Triangle t = solved(Variant::Legs, 3, 4);
    view.setTriangle(t);
    const QImage image = view.grab().toImage();

    const Geometry g = figureLayout(t, view.rect(), view.labelFont());
    QVERIFY(g.toScale);
    const auto red = [](QColor c) { return c.red() > 120 && c.green() < 110 && c.blue() < 110; };
    const auto blue = [](QColor c) { return c.blue() > 150 && c.red() < 110; };
    const QPointF O = g.circumcircle.centre;
    const QPointF I = g.incircle.centre;
    // The lowest point of the circumcircle, below the longer leg, and the
    // highest point of the incircle, inside the triangle.
    QVERIFY(inkNear(image, O + QPointF(0, g.circumcircle.radius), red));
    QVERIFY(inkNear(image, I - QPointF(0, g.incircle.radius), blue));
    QCOMPARE(image.pixelColor(3, 3), QColor(Qt::white));
    QCOMPARE(image.pixelColor(view.width() - 3, view.height() - 3), QColor(Qt::white));
    const QString description = accessible->text(QAccessible::Description);
    QCOMPARE(accessible->role(), QAccessible::Graphic);
    for (const char *part : {"катети 3 и 4, хипотенуза 5", "радиус на вписаната окръжност r = 1",
                             "радиус на описаната окръжност R = "})
        QVERIFY2(description.contains(QString::fromUtf8(part)), qPrintable(description));
    // Powers of ten as a school writes them, not as a calculator does.
    const QString thin = figureDescription(solved(Variant::Legs, 1, 1e6), view.rect(),
                                           view.labelFont(), QLocale::c());
    for (const char *part : {"катети 1 и 1·10⁶, хипотенуза 1·10⁶", "r = 0.5", "R = 5·10⁵"})
        QVERIFY2(thin.contains(QString::fromUtf8(part)), qPrintable(thin));
}

// What the window shows, and what assistive technology is told of it: a
// window named by its title; opened, the focus on what speaks its content;
// the steps a list of one item a step, each read with r and R told apart;
// a notification after «Копирай».
void TestCompanion::windowFollowsCalculations()
{
    SolutionWindow window;
    window.show();
    window.activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(&window));
    QVERIFY(window.isWindow());
    QAccessibleInterface *accessible = QAccessible::queryAccessibleInterface(&window);
    QCOMPARE(accessible->role(), QAccessible::Window);
    QCOMPARE(accessible->text(QAccessible::Name), QStringLiteral("Чертеж и решение"));
    auto *message = window.findChild<QLabel *>(QStringLiteral("message"));
    auto *steps = window.findChild<QListWidget *>(QStringLiteral("steps"));
    QPushButton *copy = nullptr;
    for (auto *button : window.findChildren<QPushButton *>())
        if (button->text() == u"Копирай")
            copy = button;
    QVERIFY(message && steps && copy);
    QVERIFY(message->isVisible());
    QVERIFY(!copy->isEnabled());
    // Before any calculation the focus is on the line that says how to get one.
    QCOMPARE(QApplication::focusWidget(), message);
    QVERIFY(QAccessible::queryAccessibleInterface(message)->text(QAccessible::Name)
                .contains(u"«Изчисли»"));

    const QString failure = QStringLiteral("Няма правоъгълен триъгълник с тези стойности.");
    window.showFailure(failure);
    QCOMPARE(message->text(), failure);
    QCOMPARE(QAccessible::queryAccessibleInterface(message)->text(QAccessible::Name), failure);
    QVERIFY(!copy->isEnabled());

    const solver::Triangle t = solved(Variant::Radii, 1, 2.5);
    window.showSolution(Variant::Radii, t);
    QVERIFY(steps->isVisible());
    QVERIFY(!message->isVisible());
    const QStringList lines = solutionSteps(Variant::Radii, t);
    QAccessibleInterface *list = QAccessible::queryAccessibleInterface(steps);
    QCOMPARE(list->role(), QAccessible::List);
    QCOMPARE(list->childCount(), lines.size());
    for (int i = 0; i < lines.size(); ++i) {
        QCOMPARE(steps->item(i)->text(), lines[i]);
        QCOMPARE(list->child(i)->text(QAccessible::Name), speech::spoken(lines[i]));
    }
    QVERIFY(copy->isEnabled());
    // The focus went to the drawing, which the page replaced the message with.
    QAccessibleInterface *focus =
        QAccessible::queryAccessibleInterface(QApplication::focusWidget());
    QCOMPARE(focus->role(), QAccessible::Graphic);
    QVERIFY2(focus->text(QAccessible::Description).startsWith(u"правоъгълен триъгълник"),
             qPrintable(focus->text(QAccessible::Description)));

    // Selected steps copy as text, one line a step.
    steps->setFocus();
    QTest::keyClick(steps, Qt::Key_A, Qt::ControlModifier);
    QTest::keyClick(steps, Qt::Key_C, Qt::ControlModifier);
    QCOMPARE(QApplication::clipboard()->text(), lines.join(u'\n'));

    // The keys work while the student reads the steps.
    QApplication::clipboard()->clear();
    QTest::keyClick(steps, Qt::Key_C, Qt::ControlModifier | Qt::ShiftModifier);
    // A button's shortcut clicks it a moment later, as a user would see.
    QTRY_COMPARE(QApplication::clipboard()->text(), lines.join(u'\n'));
    QVERIFY(!QApplication::clipboard()->image().isNull());
    auto *announcer = window.findChild<QWidget *>(QStringLiteral("announcer"));
    QVERIFY(announcer && announcer->isVisible());
    QAccessibleInterface *notification = QAccessible::queryAccessibleInterface(announcer);
    QCOMPARE(notification->role(), QAccessible::Notification);
    QCOMPARE(notification->text(QAccessible::Name), QStringLiteral("Чертежът и решението са копирани."));
    QTest::keyClick(steps, Qt::Key_Escape);
    QTRY_VERIFY(!window.isVisible());
}

QTEST_MAIN(TestCompanion)
#include "tst_companion.moc"
