#ifndef MASTERY_H
#define MASTERY_H

#include "record.h"

#include <QString>

#include <array>
#include <cstdint>
#include <optional>
#include <span>
#include <vector>

// What the record says the student can do, type by type and level by level,
// and which problem comes next «По мярка». Both are plain functions of the
// record (and of a seed and the day), replayed from its first line, so that
// the same record gives the same answers anywhere.
namespace progress {

// «Нова» (not tried), «Започната», «Усвоена» (three problems in a row right
// at the first check with no hint), «Затвърдена» (a review passed at least
// a day after that). A wrong answer to a mastered one starts it again.
enum class State : std::uint8_t { New, Started, Mastered, Secured };
QString stateName(State state);
constexpr bool isMastered(State state)
{
    return state == State::Mastered || state == State::Secured;
}

// Reviews come due 1, 3 and 7 days after a type and level was mastered and
// after each review passed (Leitner's boxes).
inline constexpr std::array<int, 3> reviewDays = {1, 3, 7};
// Three right in a row at the first try master it.
inline constexpr int masteryRun = 3;
// This many problems of one type and level without mastery, and the next
// is a worked example one level lower.
inline constexpr int exampleAfter = 10;

struct CellProgress
{
    State state = State::New;
    int problems = 0;   // problems checked
    int rightAlone = 0; // of them right at the first check with no hint
    int run = 0;        // right at the first try in a row now
    int box = 0;        // Leitner's box, 1 to 3 once mastered
    qint64 dueDay = 0;  // the day the next review is due, once mastered
    qint64 lastTime = 0; // the last check, seconds since 1970 UTC
    int lastOffset = 0;
    int sinceExample = 0; // problems without mastery since it began or since the last example

    // The last check on the student's clock.
    QDateTime last() const { return QDateTime::fromSecsSinceEpoch(lastTime, Qt::OffsetFromUTC, lastOffset); }
};

inline constexpr int cellCount = practice::typeCount * practice::levelCount;

// A type at a level.
struct Cell
{
    int type = 0;
    practice::Level level = practice::Level::Whole;
};
// The types at each level they have problems at, in the table's order, each
// type's levels from the lowest: the rows of «Моят напредък».
const std::vector<Cell> &cells();
inline constexpr int cellIndex(int type, practice::Level level)
{
    return type * practice::levelCount + int(level);
}

struct Progress
{
    std::array<CellProgress, cellCount> cells{};
    int lastType = -1; // the type of the last problem checked or shown
    const CellProgress &cell(int type, practice::Level level) const
    {
        return cells[std::size_t(cellIndex(type, level))];
    }
};

Progress progressOf(std::span<const Attempt> record);

// The record in three numbers, over every type and level.
struct Totals
{
    int problems = 0;   // checked
    int rightAlone = 0; // right at the first check with no hint
    int mastered = 0;   // types and levels «Усвоена» or «Затвърдена»
};
Totals totalsOf(const Progress &progress);

// Why a problem was chosen.
enum class Reason : std::uint8_t {
    Review,   // a mastered type and level whose review is due
    Practice, // not mastered yet
    Example,  // ten problems without mastery: a worked example, a level lower
    Ahead,    // all mastered and none due: the review that comes due first
};

struct Choice
{
    int type = 0;
    practice::Level level = practice::Level::Whole;
    Reason reason = Reason::Practice;
    bool operator==(const Choice &) const = default;
};

// The next problem's type and level: a review that is due first (the one due
// longest); else of the types not mastered, each at its lowest level not
// mastered, drawn with the seed, the ones with mistakes among the last
// twenty problems more often; never the type of the last problem while
// another is open. `today` is the student's day, as Attempt::day() counts.
Choice choose(std::span<const Attempt> record, std::uint64_t seed, qint64 today);
// The same from a progress already replayed, with the record for its recent mistakes.
Choice choose(const Progress &progress, std::span<const Attempt> record, std::uint64_t seed,
              qint64 today);

// The known mistakes the record names most often, most often first (ties in
// the table's order), with how many times each.
struct MistakeCount
{
    int mistake = 0; // its place in practice::knownMistakes()
    int count = 0;
};
std::vector<MistakeCount> commonMistakes(std::span<const Attempt> record);

// The problems checked and the right ones at the first try, on each of the
// last `days` days up to today, oldest first.
struct DayCount
{
    qint64 day = 0;
    int problems = 0;
    int rightAlone = 0;
};
std::vector<DayCount> lastDays(std::span<const Attempt> record, qint64 today, int days = 14);

} // namespace progress

#endif // MASTERY_H
