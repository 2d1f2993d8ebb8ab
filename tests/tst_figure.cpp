#include "figureexport.h"
#include "figuregeometry.h"
#include "solutionsteps.h"
#include "svgdocument.h"

#include <QFile>
#include <QFont>
#include <QImage>
#include <QPdfWriter>
#include <QRegularExpression>
#if __has_include(<QSvgRenderer>) // Debian's Qt for Windows has no Qt Svg
#include <QSvgRenderer>
#endif
#include <QTemporaryDir>
#include <QTest>

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

solver::Triangle solved(Variant variant, double first, double second)
{
    const auto triangle = solver::solve(variant, first, second);
    return triangle ? *triangle : solver::Triangle{};
}

} // namespace

class TestFigure : public QObject
{
    Q_OBJECT

private slots:
    void geometry_data();
    void geometry();
    void savedFilesReadBack_data();
    void savedFilesReadBack();
};

void TestFigure::geometry_data()
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

void TestFigure::geometry()
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

void TestFigure::savedFilesReadBack_data()
{
    QTest::addColumn<QString>("fileName");
    QTest::addColumn<bool>("printed");
    QTest::addColumn<bool>("written");
    QTest::newRow("SVG")                 << "figure.svg"         << false << svgAvailable(); // Linux: yes; Windows with Debian's Qt: no
    QTest::newRow("PNG")                 << "figure.png"         << false << true;
    QTest::newRow("PDF")                 << "figure.pdf"         << false << true;
    QTest::newRow("suffix in capitals")  << "FIGURE.PNG"         << false << true;
    QTest::newRow("dots in the name")    << "my.figure.png"      << false << true;
    QTest::newRow("unknown suffix")      << "figure.txt"         << false << false;
    QTest::newRow("missing folder")      << "missing/figure.svg" << false << false;
    QTest::newRow("printed page")        << "page.pdf"           << true  << true;
}

void TestFigure::savedFilesReadBack()
{
    QFETCH(QString, fileName);
    QFETCH(bool, printed);
    QFETCH(bool, written);
    QTemporaryDir folder;
    QVERIFY(folder.isValid());
    const QString path = folder.filePath(fileName);
    const solver::Triangle t = solved(Variant::Radii, 1, 2.5);
    // The companion's drawing at the size it opens with, and its fonts.
    const QSize size(440, 440);
    QFont text(QStringLiteral("Times New Roman"));
    text.setPixelSize(16);
    QFont labels = text;
    labels.setPixelSize(20);

    if (printed) {
        QPdfWriter page(path);
        QVERIFY(printSolution(page, QStringLiteral("Вариант 4"), t,
                              solutionSteps(Variant::Radii, t), labels, text));
    } else {
        const auto format = figureFormat(path);
        QCOMPARE(format && saveFigure(path, *format, t, size, labels), written);
    }
    QCOMPARE(QFile::exists(path), written);
    if (!written)
        return;
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
        const QByteArray content = pdf.readAll();
        QVERIFY(content.startsWith("%PDF-"));
        if (!printed) {
            // A page the size of the drawing: pixels of 1/96 inch in points.
            static const QRegularExpression mediaBox(QStringLiteral("/MediaBox \\[0 0 ([0-9.]+) ([0-9.]+)\\]"));
            const QRegularExpressionMatch page = mediaBox.match(QString::fromLatin1(content));
            QVERIFY(page.hasMatch());
            QCOMPARE(page.captured(1).toDouble(), size.width() * 72.0 / 96);
            QCOMPARE(page.captured(2).toDouble(), size.height() * 72.0 / 96);
        }
    }
}

QTEST_MAIN(TestFigure)
#include "tst_figure.moc"
