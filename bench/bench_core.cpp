#include "numbertext.h"
#include "solver.h"

#include <QLocale>
#include <QString>

#include <benchmark/benchmark.h>

#include <array>
#include <cmath>
#include <cstddef>

// The cost of one calculation's parts, in ns per call: the solver per
// variant, and reading and writing a number as text.

namespace {

using solver::Variant;

// The givens of a few triangles of each variant: a worked example, a thin
// and a large one, cycled so that the branch predictor cannot learn one.
struct Givens
{
    double first;
    double second;
};

constexpr std::array<std::array<Givens, 4>, 4> givens = {{
    {{{3, 4}, {5, 12}, {1, 1000}, {123456.789, 0.000321}}},
    {{{3, 1}, {12, 2}, {1000, 0.4999}, {7.25, 1.5}}},
    {{{3, 2.5}, {5, 6.5}, {1, 500.0005}, {7.25, 4}}},
    {{{1, 2.5}, {2, 6.5}, {0.4999, 500.0005}, {1.5, 4}}},
}};

void solve(benchmark::State &state)
{
    const auto variant = Variant(state.range(0));
    const auto &row = givens[std::size_t(state.range(0))];
    std::size_t i = 0;
    for (auto _ : state) {
        const Givens g = row[i++ % row.size()];
        auto result = solver::solve(variant, g.first, g.second);
        benchmark::DoNotOptimize(result);
    }
}
BENCHMARK(solve)->DenseRange(0, 3)->ArgName("variant");

// What a student types, what the program itself writes, and texts far
// longer than a value box shows: pasted digits, blanks between every
// character, and an exponent of many digits.
const QString typical = QStringLiteral("2.5");
const QString written = QStringLiteral("0,707106781186548");
const QString exponent = QStringLiteral("1.5e-05");
const QString longDigits = QString(1000, u'7') + QStringLiteral(".5");
const QString longBlanks = QStringLiteral("1 2 3 4 5 6 7 8 9 0 ").repeated(50);
const QString longExponent = QStringLiteral("1e") + QString(1000, u'9');

void toNumber(benchmark::State &state, const QString &text)
{
    for (auto _ : state) {
        double number = numbertext::toNumber(text);
        benchmark::DoNotOptimize(number);
    }
    state.SetBytesProcessed(state.iterations() * text.size() * qsizetype(sizeof(QChar)));
}
BENCHMARK_CAPTURE(toNumber, typical, typical);
BENCHMARK_CAPTURE(toNumber, written_by_toText, written);
BENCHMARK_CAPTURE(toNumber, exponent, exponent);
BENCHMARK_CAPTURE(toNumber, long_1002_digits, longDigits);
BENCHMARK_CAPTURE(toNumber, long_1000_with_blanks, longBlanks);
BENCHMARK_CAPTURE(toNumber, long_1000_digit_exponent, longExponent);

void toText(benchmark::State &state, double number, QLocale locale)
{
    for (auto _ : state) {
        QString text = numbertext::toText(number, locale);
        benchmark::DoNotOptimize(text);
    }
}
BENCHMARK_CAPTURE(toText, point_locale, std::sqrt(0.5), QLocale::c());
BENCHMARK_CAPTURE(toText, comma_locale, std::sqrt(0.5), QLocale(QLocale::Bulgarian, QLocale::Bulgaria));

} // namespace

BENCHMARK_MAIN();
