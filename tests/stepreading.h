#ifndef STEPREADING_H
#define STEPREADING_H

#include "decimal.h"
#include "number.h"

#include <QRegularExpression>
#include <QString>
#include <QStringList>

#include <algorithm>
#include <optional>
#include <stdexcept>

// Reading back the worked steps as a student checks them: each side of a
// step worked out exactly from the numbers it shows. Shared by the tests of
// the variants' steps and of the steps of any pair.
namespace {

// Reads back a side of a step as the student sees it: numbers in school
// notation ("2,5", "1·10⁻⁷"), + − · /, √, squares and powers of ten,
// brackets, a factor right before √ ("5√2"); and works it out exactly.
class Reading
{
public:
    // `closely`: every value with a root is taken as its decimal to 60 digits
    // at once, so that roots of roots and sums of two roots, which no exact
    // number here holds, are worked out all the same.
    Reading(const QString &text, QChar point, bool closely = false)
        : m_text(text), m_point(point), m_closely(closely)
    {
    }

    // The value of the whole text; throws std::runtime_error where it is no
    // such expression, std::domain_error where it cannot be worked out.
    exact::Number value()
    {
        const exact::Number result = sum();
        if (peek() != QChar())
            fail();
        return result;
    }

private:
    QChar peek()
    {
        while (m_at < m_text.size() && m_text[m_at] == u' ')
            ++m_at;
        return m_at < m_text.size() ? m_text[m_at] : QChar();
    }

    [[noreturn]] void fail() const
    {
        throw std::runtime_error(qPrintable(QStringLiteral("cannot read «%1» at %2")
                                                .arg(m_text)
                                                .arg(m_at)));
    }

    exact::Number sum()
    {
        exact::Number result = product();
        for (QChar c = peek(); c == u'+' || c == u'−'; c = peek()) {
            ++m_at;
            result = close(c == u'+' ? result + product() : result - product());
        }
        return result;
    }

    exact::Number product()
    {
        exact::Number result = factor();
        for (QChar c = peek(); c == u'·' || c == u'/' || c == u'√'; c = peek()) {
            if (c != u'√')
                ++m_at;
            result = close(c == u'/' ? result / factor() : result * factor());
        }
        return result;
    }

    exact::Number factor()
    {
        if (peek() == u'−') {
            ++m_at;
            return -factor();
        }
        const exact::Number base = primary();
        static const QString superscripts = QStringLiteral("⁰¹²³⁴⁵⁶⁷⁸⁹");
        bool negative = false;
        if (peek() == u'⁻') {
            negative = true;
            ++m_at;
        }
        long long exponent = -1;
        for (qsizetype digit; m_at < m_text.size()
             && (digit = superscripts.indexOf(m_text[m_at])) >= 0;
             ++m_at)
            exponent = std::max(exponent, 0LL) * 10 + digit;
        if (exponent < 0) {
            if (negative)
                fail();
            return base;
        }
        return exact::power(base, negative ? -exponent : exponent);
    }

    exact::Number primary()
    {
        const QChar c = peek();
        if (c == u'(') {
            ++m_at;
            const exact::Number inside = sum();
            if (peek() != u')')
                fail();
            ++m_at;
            return inside;
        }
        if (c == u'√') {
            ++m_at;
            return close(exact::sqrt(close(primary())));
        }
        const qsizetype first = m_at;
        const auto digits = [&] {
            while (m_at < m_text.size() && m_text[m_at].isDigit())
                ++m_at;
        };
        digits();
        if (m_at + 1 < m_text.size() && m_text[m_at] == m_point && m_text[m_at + 1].isDigit()) {
            ++m_at;
            digits();
        }
        const auto decimal = exact::readDecimal(m_text.mid(first, m_at - first).toStdString());
        if (!decimal)
            fail();
        return exact::Number::fromDecimal(*decimal);
    }

    exact::Number close(const exact::Number &x) const
    {
        return m_closely && !x.isRational() ? exact::Number::fromDecimal(x.rounded(60)) : x;
    }

    QString m_text;
    QChar m_point;
    bool m_closely = false;
    qsizetype m_at = 0;
};

// A decimal as the steps write a rounded value, "0,292893", "1,23457·10⁻⁵":
// half a unit of its last digit, or nothing if the text is no decimal.
[[maybe_unused]] std::optional<exact::Number> halfUnitOfLastDigit(const QString &text, QChar point)
{
    static const QRegularExpression decimal(
        QStringLiteral("^−?\\d+(?:[.,](\\d+))?(?:·10(⁻?)([⁰¹²³⁴⁵⁶⁷⁸⁹]+))?$"));
    const QRegularExpressionMatch m = decimal.match(text);
    if (!m.hasMatch() || (m.capturedLength(1) > 0 && !text.contains(point)))
        return std::nullopt;
    long long exponent = 0;
    for (const QChar c : m.captured(3))
        exponent = exponent * 10 + QStringLiteral("⁰¹²³⁴⁵⁶⁷⁸⁹").indexOf(c);
    if (!m.captured(2).isEmpty())
        exponent = -exponent;
    return exact::power(exact::Number(10), exponent - m.capturedLength(1)) / exact::Number(2);
}

// A chain "X = A = B ≈ C" split into its sides and the relations between
// them.
struct Chain
{
    QStringList sides;
    QString relations; // '=' or '≈' before each side but the first
};

[[maybe_unused]] Chain chainOf(const QString &text)
{
    static const QRegularExpression relation(QStringLiteral(" ([=≈]) "));
    Chain chain;
    qsizetype from = 0;
    for (const auto &m : relation.globalMatch(text)) {
        chain.sides << text.mid(from, m.capturedStart() - from);
        chain.relations += m.captured(1);
        from = m.capturedEnd();
    }
    chain.sides << text.mid(from);
    return chain;
}

bool isFormula(const QString &side)
{
    return std::any_of(side.begin(), side.end(), [](QChar c) { return c.isLetter(); });
}

// Whether what a chain shows adds up: two numeric sides joined by "=" are
// equal exactly, and the decimal after "≈" is what the side before it gives,
// rounded to the digits shown. Sides with letters are formulas and are left
// alone. Returns the number of relations checked, or throws with the first
// that fails.
[[maybe_unused]] int checkChain(const Chain &chain, QChar point)
{
    int checked = 0;
    for (qsizetype i = 1; i < chain.sides.size(); ++i) {
        const QString &left = chain.sides[i - 1];
        const QString &right = chain.sides[i];
        if (isFormula(left) || isFormula(right))
            continue;
        // Exactly where the roots allow it, else as closely as any step
        // could show: then "=" holds to 50 digits.
        bool closely = false;
        exact::Number x, y;
        try {
            x = Reading(left, point).value();
            y = Reading(right, point).value();
        } catch (const std::domain_error &) {
            closely = true;
            x = Reading(left, point, true).value();
            y = Reading(right, point, true).value();
        }
        if (chain.relations[i - 1] == u'=') {
            const bool equal = closely
                ? exact::abs(x - y) <= exact::abs(y) / exact::power(exact::Number(10), 50)
                : x == y;
            if (!equal)
                throw std::runtime_error(qPrintable(
                    QStringLiteral("«%1 = %2» does not hold").arg(left, right)));
        } else {
            const auto half = halfUnitOfLastDigit(right, point);
            if (!half)
                throw std::runtime_error(
                    qPrintable(QStringLiteral("«≈ %1» is not a decimal").arg(right)));
            if (exact::abs(x - y) > *half)
                throw std::runtime_error(qPrintable(
                    QStringLiteral("«%1 ≈ %2» is not right to the digits shown").arg(left, right)));
        }
        ++checked;
    }
    return checked;
}

} // namespace

#endif // STEPREADING_H
