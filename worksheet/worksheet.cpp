#include "worksheet.h"

#include "schooltext.h"

#include <QRandomGenerator>

#include <algorithm>

using practice::Problem;
using solver::Column;

namespace worksheet {
namespace {

QString symbolOf(Column column)
{
    return QString::fromLatin1(solver::symbol(column));
}

// A value as the key writes it: exact, then its decimal where it is no
// terminating one.
QString valueText(const exact::Number &value, const QLocale &locale)
{
    QString text = schoolText(value, locale);
    if (!value.terminatingDecimal())
        text += QStringLiteral(" ≈ ") + schoolText(value.rounded(4), locale);
    return text;
}

bool sameProblem(const Problem &x, const Problem &y)
{
    return x.variant == y.variant && x.givens == y.givens;
}

// Where each choice of a sheet comes from: its seed, the group, the place.
std::uint64_t choice(std::uint32_t seed, int group, int place, int attempt)
{
    return practice::scrambled(practice::scrambled(seed) ^ (std::uint64_t(group) << 56)
                               ^ (std::uint64_t(place) << 40) ^ std::uint64_t(attempt));
}

} // namespace

Sheet makeSheet(const Options &options)
{
    Sheet sheet{options, {}};
    std::vector<solver::Variant> variants = options.variants;
    if (variants.empty())
        variants = Options().variants;
    const int problems = std::clamp(options.problems, 1, mostProblems);
    const int groups = std::clamp(options.groups, 1, mostGroups);
    // The variants in order, the same for every group.
    std::vector<solver::Variant> order;
    for (int place = 0; place < problems; ++place)
        order.push_back(variants[choice(options.seed, mostGroups, place, 0) % variants.size()]);
    sheet.groups.resize(std::size_t(groups));
    for (int g = 0; g < groups; ++g) {
        std::vector<Problem> &group = sheet.groups[std::size_t(g)];
        for (int place = 0; place < problems; ++place) {
            Problem drawn;
            // Every variant and level has more problems than a sheet asks
            // for: the bound only keeps the loop finite.
            for (int attempt = 0; attempt < 10000; ++attempt) {
                const int index =
                    int(choice(options.seed, g, place, attempt) % std::uint64_t(practice::indexCount()));
                drawn = *practice::problem(
                    practice::numberOf(order[std::size_t(place)], options.level, index));
                const bool inGroup = std::ranges::any_of(
                    group, [&](const Problem &p) { return sameProblem(p, drawn); });
                const bool inPlace = std::ranges::any_of(
                    sheet.groups.begin(), sheet.groups.begin() + g,
                    [&](const std::vector<Problem> &other) { return sameProblem(other[std::size_t(place)], drawn); });
                if (!inGroup && !inPlace)
                    break;
            }
            group.push_back(drawn);
        }
    }
    return sheet;
}

std::uint32_t randomSeed()
{
    return QRandomGenerator::global()->bounded(100000u, 1000000u);
}

QString groupName(int group)
{
    static const QString letters = QStringLiteral("АБВГ");
    return QStringLiteral("Група %1").arg(letters.at(std::clamp(group, 0, mostGroups - 1)));
}

QString answerLine(int place, const Problem &problem, const QLocale &locale)
{
    const auto &sought = solver::factsOf(problem.variant).computed;
    QStringList parts;
    for (int i = 0; i < 2; ++i)
        parts << QStringLiteral("%1 = %2").arg(symbolOf(sought[std::size_t(i)]),
                                               valueText(problem.answer(i), locale));
    return QStringLiteral("%1. %2").arg(place + 1).arg(parts.join(QStringLiteral("; ")));
}

QString mistakesLine(const Problem &problem, const QLocale &locale)
{
    const practice::ExactTriangle &t = problem.exact;
    const auto value = [&](const exact::Number &x) { return valueText(x, locale); };
    const bool r = solver::isComputed(problem.variant, Column::r);
    const bool R = solver::isComputed(problem.variant, Column::R);
    QStringList parts;
    if (R)
        parts << QStringLiteral("R = c → %1").arg(value(t.c));
    if (r && R)
        parts << QStringLiteral("r и R разменени → r = %1, R = %2").arg(value(t.R), value(t.r));
    else if (r)
        parts << QStringLiteral("r и R разменени → r = %1").arg(value(t.R));
    else if (R)
        parts << QStringLiteral("r и R разменени → R = %1").arg(value(t.r));
    if (r)
        parts << QStringLiteral("r = (a + b + c)/2 → %1").arg(value((t.a + t.b + t.c) / exact::Number(2)));
    if (parts.isEmpty())
        return {};
    return QStringLiteral("Грешки: ") + parts.join(QStringLiteral("; "));
}

} // namespace worksheet
