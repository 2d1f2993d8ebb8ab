#include "mastery.h"

#include <algorithm>

using practice::Level;

namespace progress {
namespace {

// How far back «recent» mistakes reach, in problems, and how much more
// often each makes its type and level come.
constexpr int recentProblems = 20;
constexpr int mistakeWeight = 3;

// Of cells in the order wanted, the first whose type is not the last one's,
// else the first.
std::optional<Cell> firstOtherThan(const std::vector<Cell> &cells, int lastType)
{
    if (cells.empty())
        return std::nullopt;
    const auto other = std::ranges::find_if(cells, [&](const Cell &c) { return c.type != lastType; });
    return other != cells.end() ? *other : cells.front();
}

// The mastered cells, the review due first first.
std::vector<Cell> byDueDay(const Progress &progress, bool dueBy, qint64 today)
{
    std::vector<Cell> mastered;
    for (const Cell &c : cells()) {
        const CellProgress &p = progress.cell(c.type, c.level);
        if (isMastered(p.state) && (!dueBy || p.dueDay <= today))
            mastered.push_back(c);
    }
    std::ranges::stable_sort(mastered, {}, [&](const Cell &c) { return progress.cell(c.type, c.level).dueDay; });
    return mastered;
}

} // namespace

QString stateName(State state)
{
    switch (state) {
    case State::New:
        return QStringLiteral("Нова");
    case State::Started:
        return QStringLiteral("Започната");
    case State::Mastered:
        return QStringLiteral("Усвоена");
    case State::Secured:
        return QStringLiteral("Затвърдена");
    }
    return {};
}

const std::vector<Cell> &cells()
{
    static const std::vector<Cell> all = [] {
        std::vector<Cell> c;
        for (int t = 0; t < practice::typeCount; ++t)
            for (int l = 0; l < practice::levelCount; ++l)
                if (practice::hasLevel(t, Level(l)))
                    c.push_back({t, Level(l)});
        return c;
    }();
    return all;
}

Progress progressOf(std::span<const Attempt> record)
{
    Progress progress;
    for (const Attempt &a : record) {
        progress.lastType = a.type;
        if (a.kind == Attempt::Kind::Example) {
            for (int l = 0; l < practice::levelCount; ++l)
                progress.cells[std::size_t(cellIndex(a.type, Level(l)))].sinceExample = 0;
            continue;
        }
        CellProgress &c = progress.cells[std::size_t(cellIndex(a.type, a.level))];
        c.lastTime = a.time;
        c.lastOffset = a.offset;
        // Only a problem's first check tells what the student could do alone.
        if (a.tries != 1)
            continue;
        ++c.problems;
        const bool alone = a.alone();
        c.rightAlone += alone;
        if (!isMastered(c.state)) {
            c.state = State::Started;
            c.run = alone ? c.run + 1 : 0;
            ++c.sinceExample;
            if (c.run >= masteryRun) {
                c.state = State::Mastered;
                c.box = 1;
                c.dueDay = a.day() + reviewDays[0];
                c.sinceExample = 0;
            }
        } else if (!alone) {
            c.state = State::Started;
            c.run = 0;
            c.box = 0;
            c.sinceExample = 1;
        } else if (a.day() >= c.dueDay) {
            // A review passed; before it is due, a right answer changes nothing.
            c.state = State::Secured;
            c.box = std::min(c.box + 1, int(reviewDays.size()));
            c.dueDay = a.day() + reviewDays[std::size_t(c.box - 1)];
        }
    }
    return progress;
}

Totals totalsOf(const Progress &progress)
{
    Totals totals;
    for (const Cell &c : cells()) {
        const CellProgress &p = progress.cell(c.type, c.level);
        totals.problems += p.problems;
        totals.rightAlone += p.rightAlone;
        totals.mastered += isMastered(p.state);
    }
    return totals;
}

Choice choose(std::span<const Attempt> record, std::uint64_t seed, qint64 today)
{
    return choose(progressOf(record), record, seed, today);
}

Choice choose(const Progress &progress, std::span<const Attempt> record, std::uint64_t seed,
              qint64 today)
{
    if (const auto due = firstOtherThan(byDueDay(progress, true, today), progress.lastType))
        return {due->type, due->level, Reason::Review};

    // Each type not mastered, at its lowest level not mastered.
    std::vector<Cell> open;
    for (const Cell &c : cells())
        if (!isMastered(progress.cell(c.type, c.level).state)
            && (open.empty() || open.back().type != c.type))
            open.push_back(c);
    if (open.empty()) {
        const Cell next = *firstOtherThan(byDueDay(progress, false, today), progress.lastType);
        return {next.type, next.level, Reason::Ahead};
    }
    if (std::ranges::any_of(open, [&](const Cell &c) { return c.type != progress.lastType; }))
        std::erase_if(open, [&](const Cell &c) { return c.type == progress.lastType; });

    // The mistakes among the last twenty problems, by type and level.
    std::array<int, cellCount> recent{};
    int seen = 0;
    for (auto a = record.rbegin(); a != record.rend() && seen < recentProblems; ++a)
        if (a->kind == Attempt::Kind::Check && a->tries == 1) {
            ++seen;
            recent[std::size_t(cellIndex(a->type, a->level))] += !a->right();
        }
    std::vector<int> weights;
    int total = 0;
    for (const Cell &c : open) {
        weights.push_back(1 + mistakeWeight * recent[std::size_t(cellIndex(c.type, c.level))]);
        total += weights.back();
    }
    int pick = int(practice::scrambled(seed) % std::uint64_t(total));
    std::size_t i = 0;
    while (pick >= weights[i])
        pick -= weights[i++];
    const Cell chosen = open[i];
    if (progress.cell(chosen.type, chosen.level).sinceExample >= exampleAfter) {
        const Level below = chosen.level != Level::Whole
                && practice::hasLevel(chosen.type, Level(int(chosen.level) - 1))
            ? Level(int(chosen.level) - 1)
            : chosen.level;
        return {chosen.type, below, Reason::Example};
    }
    return {chosen.type, chosen.level, Reason::Practice};
}

std::vector<MistakeCount> commonMistakes(std::span<const Attempt> record)
{
    std::vector<MistakeCount> counts(practice::knownMistakes().size());
    for (std::size_t m = 0; m < counts.size(); ++m)
        counts[m].mistake = int(m);
    for (const Attempt &a : record)
        for (const BoxResult &box : a.answers())
            if (box.mistake >= 0 && std::size_t(box.mistake) < counts.size())
                ++counts[std::size_t(box.mistake)].count;
    std::erase_if(counts, [](const MistakeCount &m) { return m.count == 0; });
    std::ranges::stable_sort(counts, std::greater{}, &MistakeCount::count);
    return counts;
}

std::vector<DayCount> lastDays(std::span<const Attempt> record, qint64 today, int days)
{
    std::vector<DayCount> counts(std::size_t(std::max(days, 0)));
    for (int i = 0; i < days; ++i)
        counts[std::size_t(i)].day = today - days + 1 + i;
    for (const Attempt &a : record) {
        const qint64 at = a.day() - (today - days + 1);
        if (a.kind != Attempt::Kind::Check || a.tries != 1 || at < 0 || at >= days)
            continue;
        ++counts[std::size_t(at)].problems;
        counts[std::size_t(at)].rightAlone += a.alone();
    }
    return counts;
}

} // namespace progress
