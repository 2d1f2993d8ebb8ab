#include "drawingsurface.h"
#include "introfigure.h"
#include "kovrenda.h"
#include "windowdriver.h"

#include <QFrame>
#include <QSignalSpy>
#include <QTest>
#include <QTimer>

#include <cmath>
#include <memory>

namespace {

DrawingSurface *picture(const Kovrenda &window)
{
    return driver::find<DrawingSurface>(window, QStringLiteral("Picture1"));
}

QTimer *timer(const Kovrenda &window)
{
    return window.findChild<QTimer *>(QStringLiteral("Timer1"));
}

QFrame *panel(const Kovrenda &window)
{
    return driver::find<QFrame>(window, QStringLiteral("Frame1"));
}

// A window whose timer is held back, so that a test steps the intro itself.
std::unique_ptr<Kovrenda> steppedWindow()
{
    auto window = std::make_unique<Kovrenda>();
    timer(*window)->stop();
    return window;
}

bool isBlack(const QImage &image, int x, int y)
{
    return image.pixelColor(x, y) == Qt::black;
}

// The moving corner of frame k on the real picture, in whole pixels.
QPoint cornerPixel(const Kovrenda &window, int frame)
{
    const float W = picture(window)->scaleWidth();
    const float H = picture(window)->scaleHeight();
    const intro::Point B = intro::movingCorner(W, H, frame, intro::stepWidth(W));
    return {int(B.x), int(B.y)};
}

} // namespace

class TestIntro : public QObject
{
    Q_OBJECT

private slots:
    void workedExample_data();
    void workedExample();
    void stepWidthRounding_data();
    void stepWidthRounding();

    void firstFrameIsOnScreenWhenTheWindowShows();
    void eachTickMovesTheCorner_data();
    void eachTickMovesTheCorner();
    void tenthTickErasesTheMovingFigureAndShowsThePanel();
    void clickAfterThreeTicksKeepsFrameThree();
    void realTimerTicksTenTimesThenStops();
};

void TestIntro::workedExample_data()
{
    QTest::addColumn<int>("frame");
    QTest::addColumn<float>("x");

    for (int k = 0; k < intro::frameCount; ++k)
        QTest::addRow("frame %d", k) << k << float(980 - 100 * k);
}

void TestIntro::workedExample()
{
    QFETCH(int, frame);
    QFETCH(float, x);

    // A picture 1000 wide and 500 high.
    const std::int16_t u = intro::stepWidth(1000);
    QCOMPARE(u, 100);
    const intro::Point A = intro::top(1000, 500);
    const intro::Point C = intro::corner(1000, 500);
    QCOMPARE(A.x, 500.0f);
    QCOMPARE(A.y, 50.0f);
    QCOMPARE(C.x, 500.0f);
    QCOMPARE(C.y, 480.0f);
    const intro::Point B = intro::movingCorner(1000, 500, frame, u);
    QCOMPARE(B.x, x);
    QCOMPARE(B.y, 480.0f);
}

void TestIntro::stepWidthRounding_data()
{
    QTest::addColumn<float>("width");
    QTest::addColumn<int>("step");

    QTest::newRow("exact")                 << 1000.0f << 100;
    QTest::newRow("half goes down to even") << 1005.0f << 100;
    QTest::newRow("half goes up to even")   << 1015.0f << 102;
    QTest::newRow("above half")             << 1006.0f << 101;
    QTest::newRow("below half")             << 1004.0f << 100;
    QTest::newRow("the real picture")       << 467.0f  << 47;
}

void TestIntro::stepWidthRounding()
{
    QFETCH(float, width);
    QFETCH(int, step);
    QCOMPARE(int(intro::stepWidth(width)), step);
}

void TestIntro::firstFrameIsOnScreenWhenTheWindowShows()
{
    const auto window = steppedWindow();
    window->show();
    QVERIFY(QTest::qWaitForWindowExposed(window.get()));

    // Frame 0 was drawn before the window was shown; the picture kept it.
    const QImage shown = window->grab().toImage();
    const QPoint origin = picture(*window)->pos();
    const QPoint B = cornerPixel(*window, 0);
    QVERIFY(isBlack(shown, origin.x() + B.x(), origin.y() + B.y() - 2));
    QVERIFY(isBlack(shown, origin.x() + B.x(), origin.y() + B.y() + 2));
    // The top dot sits at (W / 2, H / 10).
    const int topX = int(picture(*window)->scaleWidth() / 2);
    const int topY = int(picture(*window)->scaleHeight() / 10);
    QVERIFY(isBlack(shown, origin.x() + topX, origin.y() + topY - 2));
    // The three dotted sides: some pixel next to the middle of each is black.
    const QPointF A(topX, topY);
    const QPointF C(topX, picture(*window)->scaleHeight() - 20);
    const QPointF sides[][2] = {{A, C}, {C, QPointF(B)}, {A, QPointF(B)}};
    for (const auto &side : sides) {
        const QPoint middle = ((side[0] + side[1]) / 2).toPoint() + origin;
        bool inked = false;
        for (int dy = -1; dy <= 1; ++dy)
            for (int dx = -1; dx <= 1; ++dx)
                inked = inked || isBlack(shown, middle.x() + dx, middle.y() + dy);
        QVERIFY2(inked, qPrintable(QStringLiteral("no side through %1, %2").arg(middle.x()).arg(middle.y())));
    }
    QCOMPARE(window->introStep(), 0);
}

void TestIntro::eachTickMovesTheCorner_data()
{
    QTest::addColumn<int>("frame");
    for (int k = 1; k < intro::frameCount; ++k)
        QTest::addRow("frame %d", k) << k;
}

void TestIntro::eachTickMovesTheCorner()
{
    QFETCH(int, frame);

    const auto window = steppedWindow();
    for (int k = 0; k < frame; ++k)
        window->Timer1_Timer();
    QCOMPARE(window->introStep(), frame);

    // Looked at two pixels above and below the centre of each dot, off the
    // base line and its dotted pattern.
    const QImage &image = picture(*window)->image();
    const QPoint now = cornerPixel(*window, frame);
    const QPoint before = cornerPixel(*window, frame - 1);
    QVERIFY(isBlack(image, now.x(), now.y() - 2));
    QVERIFY(isBlack(image, now.x(), now.y() + 2));
    QVERIFY(!isBlack(image, before.x(), before.y() - 2));
    QVERIFY(!isBlack(image, before.x(), before.y() + 2));
    QVERIFY(!panel(*window)->isVisibleTo(window.get()));
}

void TestIntro::tenthTickErasesTheMovingFigureAndShowsThePanel()
{
    const auto window = steppedWindow();
    for (int k = 0; k < intro::frameCount; ++k)
        window->Timer1_Timer();

    QCOMPARE(window->introStep(), 9);
    QVERIFY(panel(*window)->isVisibleTo(window.get()));
    QVERIFY(!picture(*window)->isVisibleTo(window.get()));
    QVERIFY(!timer(*window)->isActive());

    // Only the fixed figure may be left: the top dot around A and the upright
    // leg below it. Every other black pixel would belong to a moving figure.
    const QImage &image = picture(*window)->image();
    const double topX = picture(*window)->scaleWidth() / 2;
    const double topY = picture(*window)->scaleHeight() / 10;
    const double cornerY = picture(*window)->scaleHeight() - 20;
    int blackPixels = 0;
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x) {
            if (!isBlack(image, x, y))
                continue;
            ++blackPixels;
            const bool onTopDot = std::abs(x - topX) <= 3 && std::abs(y - topY) <= 3;
            const bool onUprightLeg = std::abs(x - topX) <= 1 && y >= topY && y <= cornerY;
            QVERIFY2(onTopDot || onUprightLeg, qPrintable(QStringLiteral("black at %1, %2").arg(x).arg(y)));
        }
    }
    // The upright leg is still there.
    QVERIFY(blackPixels > 50);
}

void TestIntro::clickAfterThreeTicksKeepsFrameThree()
{
    const auto window = steppedWindow();
    window->show();
    QVERIFY(QTest::qWaitForWindowExposed(window.get()));
    for (int k = 0; k < 3; ++k)
        window->Timer1_Timer();
    QTest::mouseClick(picture(*window), Qt::LeftButton, {}, QPoint(5, 5));

    QCOMPARE(window->introStep(), 3);
    QVERIFY(!timer(*window)->isActive());
    QVERIFY(!picture(*window)->isVisible());
    const QImage &image = picture(*window)->image();
    const QPoint B = cornerPixel(*window, 3);
    QVERIFY(isBlack(image, B.x(), B.y() - 2));

    // Nothing starts the timer again: not even a new interval.
    timer(*window)->setInterval(1);
    QTest::qWait(20);
    QCOMPARE(window->introStep(), 3);
    QVERIFY(!timer(*window)->isActive());
}

void TestIntro::realTimerTicksTenTimesThenStops()
{
    Kovrenda window;
    QCOMPARE(timer(window)->interval(), 500);
    // A coarse timer may drift 5 % a tick: ten ticks would miss 5 s by 0.25 s.
    QCOMPARE(timer(window)->timerType(), Qt::PreciseTimer);
    QVERIFY(timer(window)->isActive());
    // The same ticks, twenty-five times as fast.
    timer(window)->setInterval(20);
    QSignalSpy ticks(timer(window), &QTimer::timeout);
    window.show();

    QTRY_VERIFY_WITH_TIMEOUT(panel(window)->isVisible(), 5000);
    QCOMPARE(ticks.count(), 10);
    QTest::qWait(100);
    QCOMPARE(ticks.count(), 10);
    QCOMPARE(window.introStep(), 9);
}

QTEST_MAIN(TestIntro)
#include "tst_intro.moc"
