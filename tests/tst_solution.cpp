#include "figureexport.h"
#include "figuregeometry.h"
#include "figurepainting.h"
#include "figureview.h"
#include "numbertext.h"
#include "solutionsteps.h"
#include "solutionwindow.h"
#include "svgdocument.h"

#include <QApplication>
#include <QClipboard>
#include <QFile>
#include <QLabel>
#include <QPdfWriter>
#include <QPushButton>
#if __has_include(<QSvgRenderer>) // Debian's Qt for Windows has no Qt Svg
#include <QSvgRenderer>
#endif
#include <QTemporaryDir>
#include <QTest>
#include <QTextEdit>

#include <cmath>

using figure::Geometry;
using solver::Variant;

namespace {

qreal distance(QPointF p, QPointF q)
{
    return std::hypot(p.x() - q.x(), p.y() - q.y());
}

// Distance of p from the line through x and y.
qreal distanceFromLine(QPointF p, QPointF x, QPointF y)
{
    const QPointF d = y - x;
    const QPointF v = p - x;
    return std::abs(d.x() * v.y() - d.y() * v.x()) / std::hypot(d.x(), d.y());
}

// The properties that make the figure right, whatever its scale: the angle
// at C is right; every vertex lies on the circumcircle, whose centre is the
// middle of AB; every side is tangent to the incircle at its touch point.
// Empty when all hold, else the first that failed.
QString brokenProperty(const Geometry &g, double tolerance)
{
    const qreal R = g.circumcircle.radius;
    const qreal r = g.incircle.radius;
    const QPointF O = g.circumcircle.centre;
    const QPointF I = g.incircle.centre;
    const QPointF CA = g.A - g.C;
    const QPointF CB = g.B - g.C;
    if (std::abs(QPointF::dotProduct(CA, CB)) > tolerance * distance(g.A, g.C) * distance(g.B, g.C))
        return QStringLiteral("the angle at C is not right");
    if (distance(O, (g.A + g.B) / 2) > tolerance * R)
        return QStringLiteral("the circumcentre is not the middle of AB");
    for (QPointF vertex : {g.A, g.B, g.C})
        if (std::abs(distance(vertex, O) - R) > tolerance * R)
            return QStringLiteral("a vertex is off the circumcircle");
    const struct
    {
        QPointF x, y, touch;
        const char *name;
    } sides[] = {
        {g.B, g.C, g.touchA, "BC"}, {g.C, g.A, g.touchB, "CA"}, {g.A, g.B, g.touchC, "AB"}};
    for (const auto &side : sides) {
        if (std::abs(distanceFromLine(I, side.x, side.y) - r) > tolerance * r)
            return QStringLiteral("%1 is not at distance r from the incentre").arg(side.name);
        if (distanceFromLine(side.touch, side.x, side.y) > tolerance * R
            || std::abs(distance(side.touch, I) - r) > tolerance * r)
            return QStringLiteral("the touch point of %1 is not where the incircle meets it")
                .arg(side.name);
    }
    return {};
}

bool near(double value, double expected, double relative)
{
    return std::abs(value - expected) <= relative * std::abs(expected);
}

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

class TestSolution : public QObject
{
    Q_OBJECT

private slots:
    void geometry_data();
    void geometry();
    void stepsEndInBoxTexts_data();
    void stepsEndInBoxTexts();
    void viewShowsBothCirclesOnPaper();
    void savedFilesReadBack_data();
    void savedFilesReadBack();
    void windowFollowsCalculations();
};

void TestSolution::geometry_data()
{
    QTest::addColumn<double>("a");
    QTest::addColumn<double>("b");
    QTest::newRow("3-4-5")                  << 3.0   << 4.0;
    QTest::newRow("4-3, a the longer leg")  << 4.0   << 3.0;
    QTest::newRow("isosceles")              << 1.0   << 1.0;
    QTest::newRow("5-12-13 in millions")    << 5e6   << 12e6;
    QTest::newRow("3-4-5 in billionths")    << 3e-9  << 4e-9;
    QTest::newRow("rho 10")                 << 1.0   << 10.0;
    QTest::newRow("rho 1e3")                << 1.0   << 1e3;
    QTest::newRow("rho 1e6")                << 1.0   << 1e6;
    QTest::newRow("rho 1e6, a the longer")  << 1e6   << 1.0;
}

void TestSolution::geometry()
{
    QFETCH(double, a);
    QFETCH(double, b);
    const auto t = solver::solve(Variant::Legs, a, b);
    QVERIFY(t);

    const Geometry model = figure::geometry(*t);
    QVERIFY(model.toScale);
    QVERIFY2(brokenProperty(model, 1e-9).isEmpty(), qPrintable(brokenProperty(model, 1e-9)));
    QVERIFY(near(model.incircle.radius, t->r, 1e-9));
    QVERIFY(near(model.circumcircle.radius, t->R, 1e-12));
    QVERIFY(near(distance(model.B, model.C), t->a, 1e-15));

    // A triangle too thin for an incircle of a tenth of R is drawn as a
    // stand-in with that incircle on the same hypotenuse.
    constexpr double share = 0.1;
    const Geometry drawn = figure::geometry(*t, share);
    QCOMPARE(drawn.toScale, t->r >= share * t->R);
    QVERIFY2(brokenProperty(drawn, 1e-9).isEmpty(), qPrintable(brokenProperty(drawn, 1e-9)));
    QVERIFY(near(drawn.circumcircle.radius, t->R, 1e-12));
    if (!drawn.toScale)
        QVERIFY(near(drawn.incircle.radius, share * t->R, 1e-9));

    // Fitted into a wide rectangle: the circumcircle fills its height less
    // the margin, in its middle, with C below and left of the centre.
    const QRectF rect(10, 20, 300, 200);
    const Geometry shown = figure::fitted(drawn, rect, 15);
    QVERIFY2(brokenProperty(shown, 1e-9).isEmpty(), qPrintable(brokenProperty(shown, 1e-9)));
    QVERIFY(distance(shown.circumcircle.centre, rect.center()) < 1e-9);
    QVERIFY(near(shown.circumcircle.radius, 85, 1e-12));
    QVERIFY(shown.C.x() < shown.circumcircle.centre.x());
    QVERIFY(shown.C.y() > shown.circumcircle.centre.y());
}

void TestSolution::stepsEndInBoxTexts_data()
{
    QTest::addColumn<Variant>("variant");
    QTest::addColumn<double>("first");
    QTest::addColumn<double>("second");
    QTest::addColumn<QString>("computed");
    QTest::addColumn<QLocale>("locale");
    const QLocale point = QLocale::c();
    const QLocale comma(QLocale::Bulgarian, QLocale::Bulgaria);
    QTest::newRow("a, b: 3-4-5")             << Variant::Legs               << 3.0   << 4.0    << "rR" << point;
    QTest::newRow("a, b: rho 1e6, comma")    << Variant::Legs               << 1.0   << 1e6    << "rR" << comma;
    QTest::newRow("a, r: 3-4-5, comma")      << Variant::LegAndInradius     << 3.0   << 1.0    << "bR" << comma;
    QTest::newRow("a, r: rho 500")           << Variant::LegAndInradius     << 1.0   << 0.4995 << "bR" << point;
    QTest::newRow("a, R: 3-4-5")             << Variant::LegAndCircumradius << 3.0   << 2.5    << "br" << point;
    QTest::newRow("a, R: exponent form")     << Variant::LegAndCircumradius << 3e-7  << 2.5e-7 << "br" << comma;
    QTest::newRow("r, R: 3-4-5, comma")      << Variant::Radii              << 1.0   << 2.5    << "ab" << comma;
    QTest::newRow("r, R: rho 2.5e5")         << Variant::Radii              << 1.0   << 5e5    << "ab" << point;
}

void TestSolution::stepsEndInBoxTexts()
{
    QFETCH(Variant, variant);
    QFETCH(double, first);
    QFETCH(double, second);
    QFETCH(QString, computed);
    QFETCH(QLocale, locale);
    const auto t = solver::solve(variant, first, second);
    QVERIFY(t);
    const auto box = [&](QChar name) {
        const double value = name == u'a' ? t->a : name == u'b' ? t->b : name == u'r' ? t->r : t->R;
        return numbertext::toText(value, locale);
    };

    const QStringList lines = solutionSteps(variant, *t, locale);
    QVERIFY(lines.size() > 3);
    QVERIFY2(lines.first().contains(numbertext::toText(first, locale))
                 && lines.first().contains(numbertext::toText(second, locale)),
             qPrintable(lines.first()));
    QCOMPARE(lines.last(), QStringLiteral("Отговор: %1 = %2; %3 = %4.")
                               .arg(computed[0]).arg(box(computed[0]))
                               .arg(computed[1]).arg(box(computed[1])));

    // The last step that works out a quantity ("5) b = ab / a = 12 / 4 = 3",
    // "2) От 2R = c: R = c / 2 = 5 / 2 = 2,5") ends in the box's text.
    for (QChar name : computed) {
        QString last;
        for (const QString &line : lines) {
            QString statement = line.section(QStringLiteral(") "), 1);
            if (statement.startsWith(u"От "))
                statement = statement.section(QStringLiteral(": "), 1);
            if (statement.startsWith(name + QStringLiteral(" = ")))
                last = line;
        }
        QVERIFY2(last.endsWith(QStringLiteral(" = ") + box(name)),
                 qPrintable(QStringLiteral("%1: %2").arg(name).arg(last)));
    }
    for (const QString &line : lines)
        QVERIFY2(!line.contains(u"inf") && !line.contains(u"nan"), qPrintable(line));
}

void TestSolution::viewShowsBothCirclesOnPaper()
{
    // A dark theme's palette must not reach the figure.
    QPalette dark;
    dark.setColor(QPalette::Window, QColor(30, 30, 30));
    dark.setColor(QPalette::WindowText, Qt::white);
    FigureView view;
    view.setPalette(dark);
    view.resize(400, 400);
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
    QVERIFY(view.accessibleDescription().contains(u"катети 3 и 4, хипотенуза 5"));
}

void TestSolution::savedFilesReadBack_data()
{
    QTest::addColumn<QString>("fileName");
    QTest::addColumn<bool>("printed");
    QTest::addColumn<bool>("written");
    QTest::newRow("SVG")                 << "figure.svg"         << false << svgAvailable(); // Linux: yes; Windows with Debian's Qt: no
    QTest::newRow("PNG")                 << "figure.png"         << false << true;
    QTest::newRow("PDF")                 << "figure.pdf"         << false << true;
    QTest::newRow("suffix in capitals")  << "FIGURE.PNG"         << false << true;
    QTest::newRow("unknown suffix")      << "figure.txt"         << false << false;
    QTest::newRow("missing folder")      << "missing/figure.svg" << false << false;
    QTest::newRow("printed page")        << "page.pdf"           << true  << true;
}

void TestSolution::savedFilesReadBack()
{
    QFETCH(QString, fileName);
    QFETCH(bool, printed);
    QFETCH(bool, written);
    QTemporaryDir folder;
    QVERIFY(folder.isValid());
    const QString path = folder.filePath(fileName);
    const solver::Triangle t = solved(Variant::Radii, 1, 2.5);
    SolutionWindow window;
    window.showSolution(Variant::Radii, t);

    if (printed) {
        QPdfWriter page(path);
        const FigureView view;
        QVERIFY(printSolution(page, QStringLiteral("Вариант 4"), t,
                              solutionSteps(Variant::Radii, t), view.labelFont(), view.font()));
    } else {
        QCOMPARE(window.saveTo(path), written);
    }
    QCOMPARE(QFile::exists(path), written);
    if (!written)
        return;
    const QSize size = FigureView().sizeHint();
    const QString suffix = fileName.section(u'.', -1).toLower();
    if (suffix == u"svg") {
#if __has_include(<QSvgRenderer>)
        QSvgRenderer svg(path);
        QVERIFY(svg.isValid());
        QCOMPARE(svg.viewBoxF(), QRectF(QPointF(0, 0), size));
#else
        QFAIL("an SVG was written, but this build has no Qt Svg to read it back");
#endif
    } else if (suffix == u"png") {
        const QImage png(path);
        QCOMPARE(png.size(), size * 2);
        QCOMPARE(png.pixelColor(2, 2), QColor(Qt::white));
    } else {
        QFile pdf(path);
        QVERIFY(pdf.open(QIODevice::ReadOnly));
        QVERIFY(pdf.read(5) == "%PDF-");
    }
}

void TestSolution::windowFollowsCalculations()
{
    SolutionWindow window;
    window.show();
    window.activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(&window));
    QVERIFY(window.isWindow());
    auto *message = window.findChild<QLabel *>(QStringLiteral("message"));
    auto *steps = window.findChild<QTextEdit *>(QStringLiteral("steps"));
    QPushButton *copy = nullptr;
    for (auto *button : window.findChildren<QPushButton *>())
        if (button->text() == u"Копирай")
            copy = button;
    QVERIFY(message && steps && copy);
    QVERIFY(message->isVisible());
    QVERIFY(!copy->isEnabled());

    const QString failure = QStringLiteral("Няма правоъгълен триъгълник с тези стойности.");
    window.showFailure(failure);
    QCOMPARE(message->text(), failure);
    QVERIFY(!copy->isEnabled());

    const solver::Triangle t = solved(Variant::Radii, 1, 2.5);
    window.showSolution(Variant::Radii, t);
    QVERIFY(steps->isVisible());
    QVERIFY(!message->isVisible());
    QCOMPARE(steps->toPlainText(), solutionSteps(Variant::Radii, t).join(u'\n'));
    QVERIFY(copy->isEnabled());

    // The keys work while the student reads the steps.
    steps->setFocus();
    QApplication::clipboard()->clear();
    QTest::keyClick(steps, Qt::Key_C, Qt::ControlModifier | Qt::ShiftModifier);
    // A button's shortcut clicks it a moment later, as a user would see.
    QTRY_COMPARE(QApplication::clipboard()->text(), steps->toPlainText());
    QVERIFY(!QApplication::clipboard()->image().isNull());
    QTest::keyClick(steps, Qt::Key_Escape);
    QTRY_VERIFY(!window.isVisible());
}

QTEST_MAIN(TestSolution)
#include "tst_solution.moc"
