#include "drawingsurface.h"
#include "standardcolours.h"

#include <QTest>

class TestDrawingSurface : public QObject
{
    Q_OBJECT

private slots:
    void keepsItsDrawingWhileHidden();
    void wideDotIsCentredAndRound();
    void dottedLineAlternates();
    void drawingAgainInWhiteErasesExactly_data();
    void drawingAgainInWhiteErasesExactly();
    void standardColours_data();
    void standardColours();
};

void TestDrawingSurface::keepsItsDrawingWhileHidden()
{
    DrawingSurface surface;
    surface.setGeometry(0, 0, 40, 30);
    QCOMPARE(surface.scaleWidth(), 40.0f);
    QCOMPARE(surface.scaleHeight(), 30.0f);
    surface.pset(10, 10, qRgb(0, 0, 0));
    surface.show();
    QVERIFY(QTest::qWaitForWindowExposed(&surface));
    const QImage shown = surface.grab().toImage();
    QCOMPARE(shown.pixelColor(10, 10), QColor(Qt::black));
    QCOMPARE(shown.pixelColor(20, 20), QColor(Qt::white));
}

void TestDrawingSurface::wideDotIsCentredAndRound()
{
    DrawingSurface surface;
    surface.setGeometry(0, 0, 40, 30);
    surface.setDrawWidth(5);
    surface.pset(20, 15, qRgb(0, 0, 0));
    const QImage &image = surface.image();
    // Five pixels across in both directions, centred on (20, 15).
    for (int d = -2; d <= 2; ++d) {
        QCOMPARE(image.pixelColor(20 + d, 15), QColor(Qt::black));
        QCOMPARE(image.pixelColor(20, 15 + d), QColor(Qt::black));
    }
    QCOMPARE(image.pixelColor(17, 15), QColor(Qt::white));
    QCOMPARE(image.pixelColor(23, 15), QColor(Qt::white));
    QCOMPARE(image.pixelColor(20, 12), QColor(Qt::white));
    QCOMPARE(image.pixelColor(20, 18), QColor(Qt::white));
    // Round, not square: the corners of the 5 x 5 square stay white.
    QCOMPARE(image.pixelColor(18, 13), QColor(Qt::white));
    QCOMPARE(image.pixelColor(22, 17), QColor(Qt::white));
}

void TestDrawingSurface::dottedLineAlternates()
{
    DrawingSurface surface;
    surface.setGeometry(0, 0, 40, 30);
    surface.setDrawStyle(DrawingSurface::Dot);
    surface.line(2, 10, 30, 10, qRgb(0, 0, 0));
    const QImage &image = surface.image();
    int black = 0;
    for (int x = 2; x < 30; ++x) {
        const bool on = image.pixelColor(x, 10) == Qt::black;
        black += on;
        // No two neighbours alike: one pixel on, one off.
        if (x > 2)
            QVERIFY((image.pixelColor(x - 1, 10) == Qt::black) != on);
    }
    QCOMPARE(black, 14);
    QCOMPARE(image.pixelColor(10, 9), QColor(Qt::white));
    QCOMPARE(image.pixelColor(10, 11), QColor(Qt::white));
}

void TestDrawingSurface::drawingAgainInWhiteErasesExactly_data()
{
    QTest::addColumn<int>("width");
    QTest::addColumn<int>("style");
    QTest::addColumn<QLineF>("segment");

    QTest::newRow("dotted diagonal")      << 1 << int(DrawingSurface::Dot)   << QLineF(233.5, 20, 447, 180);
    QTest::newRow("dotted steep")         << 1 << int(DrawingSurface::Dot)   << QLineF(233.5, 20, 212, 180);
    QTest::newRow("dotted leftwards")     << 1 << int(DrawingSurface::Dot)   << QLineF(233.5, 180, 24, 180);
    QTest::newRow("solid")                << 1 << int(DrawingSurface::Solid) << QLineF(3.25, 7.75, 120.5, 90.5);
    QTest::newRow("wide dot")             << 5 << int(DrawingSurface::Dot)   << QLineF(100.5, 50, 100.5, 50);
}

void TestDrawingSurface::drawingAgainInWhiteErasesExactly()
{
    QFETCH(int, width);
    QFETCH(int, style);
    QFETCH(QLineF, segment);

    DrawingSurface surface;
    surface.setGeometry(0, 0, 467, 200);
    surface.setDrawStyle(style);
    surface.setDrawWidth(width);
    const QImage blank = surface.image();
    const auto draw = [&](QRgb colour) {
        if (segment.p1() == segment.p2())
            surface.pset(float(segment.x1()), float(segment.y1()), colour);
        else
            surface.line(float(segment.x1()), float(segment.y1()), float(segment.x2()),
                         float(segment.y2()), colour);
    };
    draw(standardColour(0));
    QVERIFY(surface.image() != blank);
    draw(standardColour(15));
    QCOMPARE(surface.image(), blank);
}

void TestDrawingSurface::standardColours_data()
{
    QTest::addColumn<int>("index");
    QTest::addColumn<QColor>("colour");

    QTest::newRow("black")        << 0  << QColor(0, 0, 0);
    QTest::newRow("red")          << 4  << QColor(128, 0, 0);
    QTest::newRow("light grey")   << 7  << QColor(192, 192, 192);
    QTest::newRow("dark grey")    << 8  << QColor(128, 128, 128);
    QTest::newRow("bright blue")  << 9  << QColor(0, 0, 255);
    QTest::newRow("white")        << 15 << QColor(255, 255, 255);
    QTest::newRow("out of range") << 16 << QColor(0, 0, 0);
}

void TestDrawingSurface::standardColours()
{
    QFETCH(int, index);
    QFETCH(QColor, colour);
    QCOMPARE(QColor::fromRgb(standardColour(index)), colour);
}

QTEST_MAIN(TestDrawingSurface)
#include "tst_drawingsurface.moc"
