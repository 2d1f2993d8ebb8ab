#include "handles.h"

#include <QTest>

#include <cmath>
#include <numbers>

using handles::Handle;
using handles::Legs;
using handles::Place;
using pairs::Quantity;

Q_DECLARE_METATYPE(Handle)
Q_DECLARE_METATYPE(Quantity)

namespace {

Legs legs(double a, double b)
{
    return {a, b, std::hypot(a, b)};
}

double keptOf(Handle h, const Legs &l)
{
    return h == Handle::C ? l.c : h == Handle::A ? l.a : l.b;
}

// The raw value of the pointer that puts the handle at these legs.
double rawFor(Handle h, const Legs &l)
{
    return h == Handle::C ? std::atan2(l.a, l.b) : h == Handle::A ? l.b : l.a;
}

// A right triangle with positive sides that agree to rounding.
bool sound(const Legs &l)
{
    return std::isfinite(l.a) && std::isfinite(l.b) && std::isfinite(l.c) && l.a > 0 && l.b > 0
        && std::abs(std::hypot(l.a, l.b) - l.c) <= 4e-16 * l.c * 4;
}

} // namespace

class TestHandles : public QObject
{
    Q_OBJECT

private slots:
    void movesKeepTheirSide_data();
    void movesKeepTheirSide();
    void snapsToNiceValues_data();
    void snapsToNiceValues();
    void pathsNeverTrap_data();
    void pathsNeverTrap();
};

// Whatever a move does, the side its handle keeps is the same double, and
// the triangle stays a right triangle with no side zero, at the ends too.
void TestHandles::movesKeepTheirSide_data()
{
    QTest::addColumn<Handle>("handle");
    QTest::addColumn<double>("a");
    QTest::addColumn<double>("b");
    // clang-format off
    QTest::newRow("C, 6-8-10")             << Handle::C << 6.0    << 8.0;
    QTest::newRow("C, c = 3√10, thin")     << Handle::C << 9.486832980505138 << 0.31622776601683794;
    QTest::newRow("C, 1e-300")             << Handle::C << 3e-300 << 4e-300;
    QTest::newRow("C, 1e300")              << Handle::C << 3e300  << 4e300;
    QTest::newRow("A, 6-8-10")             << Handle::A << 6.0    << 8.0;
    QTest::newRow("A, a irrational")       << Handle::A << std::numbers::sqrt2 << 1.0;
    QTest::newRow("B, 5-12-13")            << Handle::B << 5.0    << 12.0;
    QTest::newRow("B, b tiny beside a")    << Handle::B << 1000.0 << 0.001;
    // clang-format on
}

void TestHandles::movesKeepTheirSide()
{
    QFETCH(Handle, handle);
    QFETCH(double, a);
    QFETCH(double, b);
    const Legs from = legs(a, b);
    const double kept = keptOf(handle, from);
    const handles::Nice step = handles::keyStep(handle, from);
    std::vector<Place> places;
    for (const Place &end : handles::ends(handle, from))
        places.push_back(end);
    for (bool forward : {true, false})
        for (int power : {-1, 0, 1})
            places.push_back(handles::stepped(handle, from, forward, step.scaled(power)));
    const double raw = rawFor(handle, from);
    for (double factor : {0.0, 0.3, 0.97, 1.03, 2.0, 50.0})
        for (double tolerance : {0.0, 0.05 * kept})
            places.push_back(handles::placed(handle, from, raw * factor, tolerance));
    for (const Place &p : places) {
        QCOMPARE(keptOf(handle, p.legs), kept); // to the last bit
        QVERIFY2(sound(p.legs), qPrintable(QStringLiteral("%1 %2 %3").arg(p.legs.a).arg(p.legs.b).arg(p.legs.c)));
        // No side shorter than a key step: the path ends before the triangle degenerates.
        QVERIFY(std::min(p.legs.a, p.legs.b) >= step.value() * (1 - 1e-9));
        QCOMPARE(p.kept, handles::keptSide(handle));
        if (p.nice)
            QCOMPARE(p.nice->value(), p.value);
    }
}

// The pointer near a nice place brings the handle to rest on it exactly.
void TestHandles::snapsToNiceValues_data()
{
    QTest::addColumn<Handle>("handle");
    QTest::addColumn<double>("a");
    QTest::addColumn<double>("b");
    // Where the pointer is: the legs it would give unsnapped.
    QTest::addColumn<double>("pointerA");
    QTest::addColumn<double>("pointerB");
    QTest::addColumn<double>("tolerance");
    // What it rests on: the quantity set and its exact text; empty for none.
    QTest::addColumn<Quantity>("set");
    QTest::addColumn<QString>("nice");
    QTest::addColumn<double>("restA");
    QTest::addColumn<double>("restB");
    const double c10 = 10;
    const auto onC = [](double c, double a) { return std::sqrt(c * c - a * a); };
    // clang-format off
    QTest::newRow("C near 6-8-10: the triple")   << Handle::C << 8.0 << 6.0 << 6.12 << onC(c10, 6.12) << 0.2  << Quantity::a << "6e0"   << 6.0 << 8.0;
    QTest::newRow("C near 5-12-13: the triple")  << Handle::C << 12.0 << 5.0 << 5.1 << onC(13, 5.1)   << 0.15 << Quantity::a << "5e0"   << 5.0 << 12.0;
    QTest::newRow("C near the middle")           << Handle::C << 8.0 << 6.0 << 7.03 << onC(c10, 7.03) << 0.2  << Quantity::alpha << "45e0" << 5 * std::numbers::sqrt2 << 5 * std::numbers::sqrt2;
    QTest::newRow("C: a whole number first")     << Handle::C << 8.0 << 6.0 << 3.04 << onC(c10, 3.04) << 0.1  << Quantity::a << "3e0"   << 3.0 << onC(c10, 3);
    QTest::newRow("C: then a half")              << Handle::C << 8.0 << 6.0 << 3.46 << onC(c10, 3.46) << 0.1  << Quantity::a << "35e-1" << 3.5 << onC(c10, 3.5);
    QTest::newRow("C: tenths where they fit")    << Handle::C << 8.0 << 6.0 << 3.31 << onC(c10, 3.31) << 0.02 << Quantity::a << "33e-1" << 3.3 << onC(c10, 3.3);
    QTest::newRow("C: no tenths when too close") << Handle::C << 8.0 << 6.0 << 3.31 << onC(c10, 3.31) << 0.05 << Quantity::a << ""      << 3.31 << onC(c10, 3.31);
    QTest::newRow("C: the longer leg nice")      << Handle::C << 8.0 << 6.0 << onC(c10, 8.96) << 8.96 << 0.1 << Quantity::b << "9e0"   << onC(c10, 9) << 9.0;
    QTest::newRow("A near 3-4-5")                << Handle::A << 3.0 << 1.0 << 3.0 << 4.1   << 0.15 << Quantity::b << "4e0"   << 3.0 << 4.0;
    QTest::newRow("A near 2,25-3-3,75")          << Handle::A << 3.0 << 1.0 << 3.0 << 2.28  << 0.05 << Quantity::b << "225e-2" << 3.0 << 2.25;
    QTest::newRow("A: the hypotenuse nice")      << Handle::A << 1.0 << 1.0 << 1.0 << 1.725 << 0.04 << Quantity::c << "2e0"   << 1.0 << std::sqrt(3.0);
    QTest::newRow("B near 5-12-13")              << Handle::B << 1.0 << 12.0 << 5.2 << 12.0 << 0.3  << Quantity::a << "5e0"   << 5.0 << 12.0;
    QTest::newRow("B, Alt: free")                << Handle::B << 1.0 << 12.0 << 5.02 << 12.0 << 0.0 << Quantity::a << ""      << 5.02 << 12.0;
    // clang-format on
}

void TestHandles::snapsToNiceValues()
{
    QFETCH(Handle, handle);
    QFETCH(double, a);
    QFETCH(double, b);
    QFETCH(double, pointerA);
    QFETCH(double, pointerB);
    QFETCH(double, tolerance);
    QFETCH(Quantity, set);
    QFETCH(QString, nice);
    QFETCH(double, restA);
    QFETCH(double, restB);
    const Legs from = handle == Handle::C ? Legs{a, b, std::hypot(pointerA, pointerB)} : legs(a, b);
    const Place p = handles::placed(handle, from, rawFor(handle, legs(pointerA, pointerB)), tolerance);
    QCOMPARE(p.nice ? QString::fromStdString(p.nice->text()) : QString(), nice);
    if (!nice.isEmpty())
        QCOMPARE(p.set, set);
    QVERIFY(std::abs(p.legs.a - restA) <= 1e-14 * restA);
    QVERIFY(std::abs(p.legs.b - restB) <= 1e-14 * restB);
}

// From either end, the keys walk the whole path to the other end, always
// on, and C stops at the isosceles triangle on the way; and a pointer that
// moves on never stays stuck: snapping holds a handle no further from the
// pointer than twice its tolerance, along the path.
void TestHandles::pathsNeverTrap_data()
{
    QTest::addColumn<Handle>("handle");
    QTest::addColumn<double>("a");
    QTest::addColumn<double>("b");
    // clang-format off
    QTest::newRow("C, c = 10")        << Handle::C << 6.0 << 8.0;
    QTest::newRow("C, c = 3√10")      << Handle::C << 9.486832980505138 << 0.31622776601683794;
    QTest::newRow("C, c = 0,05")      << Handle::C << 0.03 << 0.04;
    QTest::newRow("A, a = 3")         << Handle::A << 3.0 << 4.0;
    QTest::newRow("B, b = 7,3")       << Handle::B << 1.0 << 7.3;
    // clang-format on
}

void TestHandles::pathsNeverTrap()
{
    QFETCH(Handle, handle);
    QFETCH(double, a);
    QFETCH(double, b);
    const Legs start = legs(a, b);
    const handles::Nice step = handles::keyStep(handle, start);
    const auto ends = handles::ends(handle, start);
    for (bool forward : {true, false}) {
        Legs at = ends[forward ? 0 : 1].legs;
        bool middle = false;
        int count = 0;
        for (;; ++count) {
            QVERIFY(count < 5000);
            const Place next = handles::stepped(handle, at, forward, step);
            const double was = handles::position(handle, at);
            const double now = handles::position(handle, next.legs);
            if (now == was)
                break;
            QVERIFY(forward ? now > was : now < was);
            middle = middle || next.set == Quantity::alpha;
            at = next.legs;
        }
        QCOMPARE(handles::position(handle, at), handles::position(handle, ends[forward ? 1 : 0].legs));
        QVERIFY(count > 20);
        QCOMPARE(middle, handle == Handle::C);
    }

    const double kept = keptOf(handle, start);
    const double tolerance = kept / 60;
    const double low = handles::position(handle, ends[0].legs);
    const double high = handles::position(handle, ends[1].legs);
    for (int i = 1; i < 2000; ++i) {
        const double along = low + (high - low) * i / 2000;
        const double raw = handle == Handle::C ? along / kept : along;
        const Place p = handles::placed(handle, start, raw, tolerance);
        QVERIFY2(std::abs(handles::position(handle, p.legs) - along) <= 2 * tolerance,
                 qPrintable(QString::number(along)));
    }
}

QTEST_GUILESS_MAIN(TestHandles)
#include "tst_handles.moc"
