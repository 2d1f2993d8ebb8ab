#ifndef STEPNOTATION_H
#define STEPNOTATION_H

#include "number.h"

#include <QLocale>
#include <QString>

#include <optional>
#include <utility>

// The significant digits of a value that a step writes as a decimal: enough
// to check a step with a calculator and to see how the values compare, few
// enough to read at a glance; the exact forms and the answer carry the rest.
// A value that a later step puts in gets more where that step needs them to
// be redone (see WorkedSolution).
inline constexpr int stepDigits = 6;

// An exact form longer than this ("√100685861985147730031934615828376/…") is
// harder to read than its decimal and tells a student nothing more: about
// half a line of the steps. Such a value is written as a decimal alone.
inline constexpr qsizetype longestExactForm = 40;

// A value of a worked solution, a given or the result of a step, and how the
// steps show it: its exact form where that is short, else its decimal with
// `digits` significant digits.
struct Quantity
{
    QString symbol;
    exact::Number value;
    std::optional<QString> exactForm;
    int digits = stepDigits;
    // Known only approximately (found numerically, or a value that needs
    // more than one root): never shown exactly, and neither is anything
    // worked out from it.
    bool approximate = false;
    // The decimal last worked out, and for how many digits.
    mutable std::optional<std::pair<int, exact::Decimal>> decimal;
};

// How the steps write numbers, in the locale's notation, and what a number
// they show stands for.
class StepNotation
{
public:
    explicit StepNotation(const QLocale &locale) : m_locale(locale) {}

    const QLocale &locale() const { return m_locale; }

    // The exact form, where it is no longer than longestExactForm.
    std::optional<QString> shortForm(const exact::Number &value) const;

    // The value correctly rounded to at least `digits` significant digits,
    // and to all of its integer part where that is written out.
    exact::Decimal decimal(const exact::Number &value, int digits) const;
    // The quantity's decimal with its digits, worked out once for them.
    const exact::Decimal &decimal(const Quantity &q) const;

    QString text(const exact::Decimal &decimal) const;

    // The quantity as the steps show it, and the value that stands for.
    QString shown(const Quantity &q) const;
    exact::Number shownValue(const Quantity &q) const;

private:
    QLocale m_locale;
};

#endif // STEPNOTATION_H
