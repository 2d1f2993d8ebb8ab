#include "stepnotation.h"

#include "schooltext.h"

std::optional<QString> StepNotation::shortForm(const exact::Number &value) const
{
    QString text = schoolText(value, m_locale);
    if (text.size() > longestExactForm)
        return std::nullopt;
    return text;
}

exact::Decimal StepNotation::decimal(const exact::Number &value, int digits) const
{
    exact::Decimal d = value.rounded(digits);
    // Zero has its one digit however many are asked for (a − b = 0 for the
    // isosceles triangle).
    if (value.sign() == 0)
        return d;
    for (int needed = exact::schoolDigits(d.exponent, digits); needed > int(d.digits.size());
         needed = exact::schoolDigits(d.exponent, needed))
        d = value.rounded(needed);
    return d;
}

const exact::Decimal &StepNotation::decimal(const Quantity &q) const
{
    if (!q.decimal || q.decimal->first != q.digits)
        q.decimal.emplace(q.digits, decimal(q.value, q.digits));
    return q.decimal->second;
}

QString StepNotation::text(const exact::Decimal &decimal) const
{
    return schoolText(decimal, m_locale);
}

QString StepNotation::shown(const Quantity &q) const
{
    return q.exactForm ? *q.exactForm : text(decimal(q));
}

exact::Number StepNotation::shownValue(const Quantity &q) const
{
    return q.exactForm ? q.value : exact::Number::fromDecimal(decimal(q));
}
