#include "worksheet.h"

#include "answercheck.h"
#include "schooltext.h"

#include <QRandomGenerator>

#include <algorithm>
#include <numeric>

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
    return x.type == y.type && x.givens == y.givens;
}

// Where each choice of a sheet comes from: its seed, the group, the place.
std::uint64_t choice(std::uint32_t seed, int group, int place, int attempt)
{
    return practice::scrambled(practice::scrambled(seed) ^ (std::uint64_t(group) << 56)
                               ^ (std::uint64_t(place) << 40) ^ std::uint64_t(attempt));
}

} // namespace

std::vector<int> typeOrder(const std::vector<int> &types, int problems, std::uint32_t seed)
{
    // Place by place, one of the types with the most places still to fill,
    // never the one just placed where another is left, the ties broken from
    // the seed: the counts stay within one of each other, and since no type
    // has more than half the places left, no two neighbours can be alike.
    const int k = int(types.size());
    std::vector<int> left(std::size_t(k), problems / k);
    std::vector<int> extra(static_cast<std::size_t>(k));
    std::iota(extra.begin(), extra.end(), 0);
    for (int i = k - 1; i > 0; --i)
        std::swap(extra[std::size_t(i)], extra[choice(seed, mostGroups, i, 1) % std::uint64_t(i + 1)]);
    for (int i = 0; i < problems % k; ++i)
        ++left[std::size_t(extra[std::size_t(i)])];
    std::vector<int> order;
    int previous = -1;
    for (int place = 0; place < problems; ++place) {
        int most = 0;
        for (int t = 0; t < k; ++t)
            if (t != previous || k == 1)
                most = std::max(most, left[std::size_t(t)]);
        std::vector<int> candidates;
        for (int t = 0; t < k; ++t)
            if ((t != previous || k == 1) && left[std::size_t(t)] == most && most > 0)
                candidates.push_back(t);
        const int chosen =
            candidates[choice(seed, mostGroups, place, 2) % std::uint64_t(candidates.size())];
        --left[std::size_t(chosen)];
        order.push_back(types[std::size_t(chosen)]);
        previous = chosen;
    }
    return order;
}

Sheet makeSheet(const Options &options)
{
    Sheet sheet{options, {}};
    std::vector<int> types = options.types;
    if (types.empty())
        for (const solver::Variant v : options.variants.empty() ? Options().variants : options.variants)
            types.push_back(practice::typeOf(v));
    std::sort(types.begin(), types.end());
    types.erase(std::unique(types.begin(), types.end()), types.end());
    std::erase_if(types, [](int t) { return t < 0 || t >= practice::typeCount; });
    if (types.empty())
        types = {0, 1, 2, 3};
    const int problems = std::clamp(options.problems, 1, mostProblems);
    const int groups = std::clamp(options.groups, 1, mostGroups);
    // The types in order, the same for every group.
    const std::vector<int> order = typeOrder(types, problems, options.seed);
    sheet.groups.resize(std::size_t(groups));
    for (int g = 0; g < groups; ++g) {
        std::vector<Problem> &group = sheet.groups[std::size_t(g)];
        for (int place = 0; place < problems; ++place) {
            const int type = order[std::size_t(place)];
            const practice::Level level = practice::levelFor(type, options.level);
            Problem drawn;
            // Every type and level has more problems than a sheet asks
            // for: the bound only keeps the loop finite.
            for (int attempt = 0; attempt < 10000; ++attempt) {
                const int index = int(choice(options.seed, g, place, attempt)
                                      % std::uint64_t(practice::indexCount(type)));
                drawn = *practice::problem(practice::numberOf(type, level, index));
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
    QStringList parts;
    for (int i = 0; i < problem.soughtCount(); ++i)
        parts << QStringLiteral("%1 = %2").arg(practice::symbolText(problem.sought(i)),
                                               valueText(problem.answer(i), locale));
    return QStringLiteral("%1. %2").arg(place + 1).arg(parts.join(QStringLiteral("; ")));
}

namespace {

// The mistakes of a new type's problem, by the checker's table: «S = a·b →
// 48», «α и β разменени → a = 5, b = 5√3».
QString typeMistakesLine(const Problem &problem, const QLocale &locale)
{
    QStringList parts;
    for (const practice::Mistake &mistake : practice::knownMistakes()) {
        QStringList values;
        for (int i = 0; i < problem.soughtCount(); ++i)
            if (const auto wrong = practice::mistakeValue(mistake, problem, problem.sought(i));
                wrong && *wrong != problem.answer(i))
                values << QStringLiteral("%1 = %2").arg(practice::symbolText(problem.sought(i)),
                                                        valueText(*wrong, locale));
        if (values.isEmpty())
            continue;
        const QString name = *mistake.key ? QString::fromUtf8(mistake.key)
                                          : QString::fromUtf8(mistake.words).section(u':', 0, 0);
        parts << QStringLiteral("%1 → %2").arg(name, values.join(QStringLiteral(", ")));
    }
    if (parts.isEmpty())
        return {};
    return QStringLiteral("Грешки: ") + parts.join(QStringLiteral("; "));
}

} // namespace

QString mistakesLine(const Problem &problem, const QLocale &locale)
{
    if (!problem.isVariant())
        return typeMistakesLine(problem, locale);
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
