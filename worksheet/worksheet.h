#ifndef WORKSHEET_H
#define WORKSHEET_H

#include "figurepainting.h"
#include "problem.h"

#include <QLocale>
#include <QString>
#include <QStringList>

#include <cstdint>
#include <vector>

class QPagedPaintDevice;

// A teacher's worksheet: problems for each group of a class, every one a
// practice problem with its number, and the answer key after them. The
// sheet's number (its seed) and options alone decide it: the same number
// prints the same sheet again, with the key that belongs to it.
namespace worksheet {

inline constexpr int mostProblems = 40;
inline constexpr int mostGroups = 4;

struct Options
{
    int problems = 10;
    int groups = 2;
    practice::Level level = practice::Level::Whole;
    // Those a problem may be of; none is taken as all four.
    std::vector<solver::Variant> variants = {solver::Variant::Legs,
                                             solver::Variant::LegAndInradius,
                                             solver::Variant::LegAndCircumradius,
                                             solver::Variant::Radii};
    // The types a problem may be of (rows of the types' table), variants
    // included; where there are any, they are taken instead of `variants`.
    // A type without the level is posed at the next one up (levelFor()).
    std::vector<int> types;
    bool drawn = true;
    // The worked steps under each answer of the key.
    bool workedSteps = false;
    std::uint32_t seed = 0;
};

struct Sheet
{
    Options options;
    // Each group's problems, in order: the same types in the same order in
    // every group, each of the k chosen ⌊N/k⌋ or ⌈N/k⌉ times among N, no
    // two neighbours of one type, and no problem twice in a group nor twice
    // in a place.
    std::vector<std::vector<practice::Problem>> groups;
};

Sheet makeSheet(const Options &options);

// The types of a sheet's places, in order: each of the chosen types ⌊N/k⌋
// or ⌈N/k⌉ times, mixed from the seed, no two neighbours alike for k > 1.
std::vector<int> typeOrder(const std::vector<int> &types, int problems, std::uint32_t seed);

// A new sheet number, at random.
std::uint32_t randomSeed();

// «Група А», «Група Б», «Група В», «Група Г».
QString groupName(int group);

// «1. r = (7 − √13)/2 ≈ 1,697; R = √13/2 ≈ 1,803»: each value exact, and
// where that is neither whole nor a terminating decimal, its decimal to four
// significant digits.
QString answerLine(int place, const practice::Problem &problem,
                   const QLocale &locale = QLocale());

// What the most common mistakes give, for telling them from a slip when
// marking: «Грешки: R = c → 153; r и R разменени → r = 76,5, R = 27;
// r = (a + b + c)/2 → 180». Empty where none of them applies.
QString mistakesLine(const practice::Problem &problem, const QLocale &locale = QLocale());

// A problem's drawing's labels: its givens as it states them, «?» for the
// values sought, nothing else (practice and the sheet draw it so).
FigureLabels figureLabels(const practice::Problem &problem, const QLocale &locale = QLocale());

// Paints the whole sheet on a paged device (a PDF writer, a printer, the
// print preview), A4: each group from a new page headed with its name and a
// line for the student's name, class and date, its problems numbered, each
// with room to work below it and never split across pages, then the key from
// a new page; every page with a footer of the sheet's number, the group and
// the page. False where the device could not be painted on.
bool paintSheet(QPagedPaintDevice &device, const Sheet &sheet);

// Writes the sheet as a PDF (text as text, fonts embedded): whole or not at
// all. False with the reason where it could not be written.
bool writeSheetPdf(const QString &fileName, const Sheet &sheet, QString *error = nullptr);

} // namespace worksheet

#endif // WORKSHEET_H
