#include "drawingsurface.h"
#include "standardcolours.h"

#include <QTest>

#include <algorithm>

class TestDrawingSurface : public QObject
{
    Q_OBJECT

private slots:
    void keepsItsDrawingWhileHidden();
    void wideDotIsCentredAndRound();
    void dottedLineAlternates();
    void drawingAgainInWhiteErasesExactly_data();
    void drawingAgainInWhiteErasesExactly();
    void marksComeOutEven_data();
    void marksComeOutEven();
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

// Run at several scale factors too (QT_SCALE_FACTOR, see CMakeLists.txt):
// the image has the screen's pixels, and every dot of a dotted line, and
// every wide dot wherever it is put, has the same shape in them.
void TestDrawingSurface::marksComeOutEven_data()
{
    QTest::addColumn<int>("width");
    QTest::addColumn<QList<QLineF>>("marks"); // a point where p1 == p2

    QTest::newRow("dotted diagonal") << 1 << QList<QLineF>{QLineF(233.5, 20, 447, 180)};
    QTest::newRow("dotted steep")    << 1 << QList<QLineF>{QLineF(233.5, 20, 212, 180)};
    QTest::newRow("dotted base")     << 1 << QList<QLineF>{QLineF(233.5, 180, 24, 180)};
    QTest::newRow("wide dots")       << 5 << QList<QLineF>{QLineF(20, 20, 20, 20), QLineF(40.3, 20.6, 40.3, 20.6),
                                                           QLineF(60.5, 21.5, 60.5, 21.5), QLineF(80.9, 22.2, 80.9, 22.2),
                                                           QLineF(100.25, 40.75, 100.25, 40.75)};
}

void TestDrawingSurface::marksComeOutEven()
{
    QFETCH(int, width);
    QFETCH(QList<QLineF>, marks);

    DrawingSurface surface;
    surface.setGeometry(0, 0, 467, 200);
    surface.setDrawStyle(DrawingSurface::Dot);
    surface.setDrawWidth(width);
    for (const QLineF &mark : marks) {
        if (mark.p1() == mark.p2())
            surface.pset(float(mark.x1()), float(mark.y1()), qRgb(0, 0, 0));
        else
            surface.line(float(mark.x1()), float(mark.y1()), float(mark.x2()), float(mark.y2()), qRgb(0, 0, 0));
    }
    const QImage &image = surface.image();
    QCOMPARE(image.size(), (QSizeF(surface.size()) * surface.devicePixelRatioF()).toSize());

    // Every black blob (4-connected), as a set of offsets from its top left
    // pixel, must be the same as the first.
    QImage seen(image.size(), QImage::Format_Mono);
    seen.fill(0);
    QList<QPoint> first;
    int blobs = 0;
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x) {
            if (seen.pixelIndex(x, y) || image.pixelColor(x, y) != Qt::black)
                continue;
            QList<QPoint> blob;
            QList<QPoint> todo{{x, y}};
            seen.setPixel(x, y, 1);
            while (!todo.isEmpty()) {
                const QPoint p = todo.takeLast();
                blob << p;
                for (QPoint d : {QPoint(1, 0), QPoint(-1, 0), QPoint(0, 1), QPoint(0, -1)}) {
                    const QPoint q = p + d;
                    if (image.valid(q) && !seen.pixelIndex(q) && image.pixelColor(q) == Qt::black) {
                        seen.setPixel(q, 1);
                        todo << q;
                    }
                }
            }
            QPoint corner(image.width(), image.height());
            for (QPoint p : blob)
                corner = QPoint(std::min(corner.x(), p.x()), std::min(corner.y(), p.y()));
            for (QPoint &p : blob)
                p -= corner;
            std::ranges::sort(blob, {}, [](QPoint p) { return std::pair(p.y(), p.x()); });
            if (blobs++ == 0)
                first = blob;
            else
                QVERIFY2(blob == first, qPrintable(QStringLiteral("blob %1 at %2, %3 differs").arg(blobs).arg(x).arg(y)));
        }
    }
    QVERIFY(blobs >= marks.size());
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
