#include "answercheck.h"

#include "schooltext.h"

#include <stdexcept>

using exact::Number;
using pairs::Quantity;
using solver::Variant;

namespace practice {
namespace {

const Number two(2);

using Value = std::optional<Number>;

Value value(const Problem &p, Quantity q)
{
    return p.value(q);
}

bool isVariant(const Problem &p, Variant variant)
{
    return p.isVariant() && p.variant == variant;
}

bool gives(const Problem &p, Quantity q)
{
    return p.facts().givens[0] == q || p.facts().givens[1] == q;
}

// c from the legs with the wrong sign in Pythagoras: c² = a² − b².
Value wrongHypotenuse(const Problem &p)
{
    const ExactTriangle &t = p.exact;
    if (!isVariant(p, Variant::Legs) || t.a == t.b)
        return std::nullopt;
    return exact::sqrt(exact::abs(t.a * t.a - t.b * t.b));
}

// b from a and c with the wrong sign: b = √(c² + a²).
Value wrongLeg(const Problem &p)
{
    if (!isVariant(p, Variant::LegAndCircumradius))
        return std::nullopt;
    const ExactTriangle &t = p.exact;
    return exact::sqrt(t.c * t.c + t.a * t.a);
}

// The value of one sought quantity where the problem has it, else nothing.
Value when(bool applies, const Value &x)
{
    return applies ? x : std::nullopt;
}

// The legs swapped, where they differ: what a student finds who mixed up
// the two ends of the hypotenuse.
Value otherLeg(const Problem &p, Quantity q)
{
    if ((q != Quantity::a && q != Quantity::b) || value(p, Quantity::a) == value(p, Quantity::b))
        return std::nullopt;
    return value(p, q == Quantity::a ? Quantity::b : Quantity::a);
}

// clang-format off
constexpr Mistake mistakes[] = {
    {[](const Problem &p, Quantity q) { return when(q == Quantity::r, value(p, Quantity::R)); },
     "това е R, радиусът на описаната окръжност; r е радиусът на вписаната.", "", "r-is-R"},
    {[](const Problem &p, Quantity q) { return when(q == Quantity::R, value(p, Quantity::r)); },
     "това е r, радиусът на вписаната окръжност; R е радиусът на описаната.", "", "R-is-r"},
    {[](const Problem &p, Quantity q) { return when(q == Quantity::R, value(p, Quantity::c)); },
     "това е хипотенузата c, а R е половината от нея: 2R = c.", "", "R-is-c"},
    // (a + b + c)/2 = c + r and (a + b)/2 = R + r, as 2r = a + b − c: the
    // same values, for the problems whose legs have two roots.
    {[](const Problem &p, Quantity q) -> Value {
         const auto c = value(p, Quantity::c), r = value(p, Quantity::r);
         return q == Quantity::r && c && r ? Value(*c + *r) : std::nullopt; },
     "2r = a + b − c: хипотенузата се изважда, а не се прибавя.", "", "r-adds-c"},
    {[](const Problem &p, Quantity q) -> Value {
         const auto R = value(p, Quantity::R), r = value(p, Quantity::r);
         return q == Quantity::r && R && r ? Value(*R + *r) : std::nullopt; },
     "2r = a + b − c: хипотенузата c е пропусната.", "", "r-leaves-c"},
    {[](const Problem &p, Quantity q) -> Value {
         const auto c = wrongHypotenuse(p);
         if (!c)
             return std::nullopt;
         if (q == Quantity::R)
             return *c / two;
         return q == Quantity::r ? Value((p.exact.a + p.exact.b - *c) / two) : std::nullopt; },
     "по Питагоровата теорема c² = a² + b², а не a² − b².", "", "c-by-difference"},
    {[](const Problem &p, Quantity q) -> Value {
         const auto b = wrongLeg(p);
         if (!b)
             return std::nullopt;
         if (q == Quantity::b)
             return *b;
         return q == Quantity::r ? Value((p.exact.a + *b - p.exact.c) / two) : std::nullopt; },
     "по Питагоровата теорема b² = c² − a², а не c² + a².", "", "b-by-sum"},
    // The other types' own: each needs a quantity that the variants never ask
    // for or give, so that a variant's problem is judged as it always was.
    {[](const Problem &p, Quantity q) -> Value {
         const auto S = value(p, Quantity::S);
         return q == Quantity::S && S ? Value(two * *S) : std::nullopt; },
     "лицето на правоъгълния триъгълник е половината от произведението на катетите: S = a·b/2.",
     "S = a·b", "S-is-ab"},
    {[](const Problem &p, Quantity q) -> Value {
         const auto r = value(p, Quantity::r);
         return q == Quantity::r && !p.isVariant() && r ? Value(*r / two) : std::nullopt; },
     "S = r·p, където p е полупериметърът, а не периметърът: r = S/p.", "r = S/P", "r-is-S-over-P"},
    {[](const Problem &p, Quantity q) -> Value {
         const auto h = value(p, Quantity::h), c = value(p, Quantity::c);
         return q == Quantity::h && h && c ? Value(*h * *c) : std::nullopt; },
     "h = a·b/c: произведението на катетите се дели на хипотенузата.", "h = a·b", "h-is-ab"},
    {[](const Problem &p, Quantity q) -> Value {
         if (!gives(p, Quantity::a1) || (q != Quantity::a && q != Quantity::b))
             return std::nullopt;
         const auto c = value(p, Quantity::c);
         const auto projection = value(p, q == Quantity::a ? Quantity::a1 : Quantity::b1);
         return c && projection ? Value(*c * *projection) : std::nullopt; },
     "a₁ = a²/c, а не a/c: a² = c·a₁ и b² = c·b₁.", "a₁ = a/c", "a1-is-a-over-c"},
    {[](const Problem &p, Quantity q) -> Value {
         const auto c = value(p, Quantity::c), r = value(p, Quantity::r);
         return q == Quantity::c && !p.isVariant() && c && r ? Value(*c + two * *r) : std::nullopt; },
     "c < a + b: хипотенузата е по-къса от сбора на катетите, a + b = c + 2r.", "c = a + b", "c-is-a-plus-b"},
    {[](const Problem &p, Quantity q) {
         return gives(p, Quantity::alpha) ? otherLeg(p, q) : std::nullopt; },
     "α и β са разменени: a е срещу ъгъла α, a = c·sin α, а b = c·cos α.", "α и β разменени", "alpha-beta-swapped"},
    {[](const Problem &p, Quantity q) {
         return gives(p, Quantity::m) ? otherLeg(p, q) : std::nullopt; },
     "m и n са разменени: m е отсечката от върха A, n — от върха B, затова a = n + r и b = m + r.",
     "m и n разменени", "m-n-swapped"},
};
// clang-format on

// The relation that leads to a sought value, as the worked steps use it.
QString relation(const Problem &problem, Quantity q)
{
    if (!problem.isVariant()) {
        const TypeFacts &facts = problem.facts();
        for (int i = 0; i < facts.soughtCount; ++i)
            if (facts.sought[std::size_t(i)] == q)
                return QString::fromUtf8(facts.relations[std::size_t(i)]);
        return {};
    }
    switch (problem.variant) {
    case Variant::Legs:
        return q == Quantity::r ? QStringLiteral("r следва от 2r = a + b − c, а c от a² + b² = c².")
                                : QStringLiteral("R следва от 2R = c, а c от a² + b² = c².");
    case Variant::LegAndInradius:
        return q == Quantity::b
            ? QStringLiteral("b следва от a² + b² = c² и 2r = a + b − c: b·(a − 2r) = 2r·(a − r).")
            : QStringLiteral("R следва от 2R = c, а c от 2r = a + b − c.");
    case Variant::LegAndCircumradius:
        return q == Quantity::b ? QStringLiteral("b следва от a² + b² = c², а c от 2R = c.")
                                : QStringLiteral("r следва от 2r = a + b − c.");
    case Variant::Radii:
        break;
    }
    return QStringLiteral("a и b са корените на x² − (a + b)·x + ab = 0, като a + b = 2R + 2r "
                          "и ab = r·(a + b + c).");
}

// A unit of the last digit a student gave.
Number unitOf(const AnswerReading::Rounding &rounding)
{
    return exact::power(Number(10), rounding.lastPlace);
}

// How far a rounded answer may be from the value: half a unit of its last
// digit, for each rounded part of a formula.
Number allowance(const AnswerReading &answer)
{
    return unitOf(*answer.rounding) * Number(std::max(1, answer.roundedParts)) / two;
}

// How far apart two numbers are: exactly, or where they have different roots
// (a formula of a root and a decimal against the answer's other root), by
// their decimals to 60 digits, far closer than any rounding judged here.
Number distance(const Number &x, const Number &y)
{
    try {
        return exact::abs(x - y);
    } catch (const std::domain_error &) {
        return exact::abs(Number::fromDecimal(x.rounded(60)) - Number::fromDecimal(y.rounded(60)));
    }
}

bool within(const AnswerReading &answer, const Number &value, const Number &limit)
{
    return distance(*answer.value, value) <= limit;
}

// The value at the place of a rounded answer's last digit: correctly
// rounded (halves away from zero), or cut.
Number atPlace(const Number &value, int place, bool cut)
{
    const Number unit = exact::power(Number(10), place);
    const Number scaled = value / unit;
    const exact::Decimal wide = scaled.rounded(40);
    // The whole part of |scaled|, from its decimal digits.
    exact::Integer whole = 0;
    for (int i = 0; i <= wide.exponent && i < int(wide.digits.size()); ++i)
        whole = whole * 10 + (wide.digits[std::size_t(i)] - '0');
    for (int i = int(wide.digits.size()); i <= wide.exponent; ++i)
        whole *= 10;
    const Number fraction = exact::abs(scaled) - Number(exact::Rational(whole));
    if (!cut && fraction >= Number(exact::Rational(1, 2)))
        whole += 1;
    const Number magnitude = Number(exact::Rational(whole)) * unit;
    return scaled.sign() < 0 ? -magnitude : magnitude;
}

// The significant digits of x down to a place: 3 for 4,24 at −2.
int leadingDigits(const Number &x, int place)
{
    return x.sign() == 0 ? 1 : std::max(1, int(x.rounded(20).exponent) - place + 1);
}

// An answer that is the value, or a known mistake's value, as a student may
// give it: exactly, or rounded correctly to at least `digits` significant
// digits.
bool standsFor(const AnswerReading &answer, const Number &value, int digits)
{
    if (!answer.value)
        return false;
    if (*answer.value == value)
        return true;
    if (!answer.rounding || answer.rounding->significantDigits < digits)
        return false;
    return within(answer, value, allowance(answer));
}

Verdict named(const Mistake &mistake)
{
    return {false, QStringLiteral("Невярно: ") + QString::fromUtf8(mistake.words),
            int(&mistake - std::data(mistakes))};
}

Verdict judge(const AnswerReading &answer, const Problem &problem, Quantity q,
              const QLocale &locale)
{
    const Number &value = *problem.value(q);
    if (answer.isEmpty())
        return {false, QStringLiteral("Липсва отговор.")};
    if (!answer.otherBox.isEmpty())
        return {false, answer.otherBox + u'.'};
    if (!answer.value)
        return {false, QStringLiteral("Невярно: не разбирам отговора (вижте реда под него).")};
    // A decimal in a product may be exact (0,5√122); where the value is not
    // the answer exactly, such a formula has no one rounding to judge.
    if (answer.decimalInFormula && *answer.value != value)
        return {false, QStringLiteral("Не мога да преценя: запишете отговора или точно (с корени "
                                      "и дроби), или като едно десетично число.")};
    const bool numberRight = stands(answer, value);
    if (!answer.wrongUnit.isEmpty())
        return {false, numberRight
                    ? QStringLiteral("Невярно: числото е вярно, но %1.").arg(answer.wrongUnit)
                    : QStringLiteral("Невярно: %1.").arg(answer.wrongUnit)};
    if (*answer.value == value)
        return answer.simplest
            ? Verdict{true, QStringLiteral("Вярно.")}
            : Verdict{true, QStringLiteral("Вярно, но може по-просто: %1.")
                                .arg(schoolText(value, locale))};
    const bool formula = answer.roundedParts > 0;
    if (answer.rounding) {
        const bool close = within(answer, value, unitOf(*answer.rounding) * Number(std::max(1, answer.roundedParts)));
        if (numberRight)
            return {true, QStringLiteral("Вярно.")};
        if (close && answer.rounding->significantDigits < 3)
            return {false, QStringLiteral("Невярно: твърде малко цифри; дайте поне 3 значещи "
                                          "цифри.")};
        // Far from the answer, a known mistake's value in two digits is the
        // mistake, not a matter of digits.
        for (const Mistake &mistake : knownMistakes())
            if (const auto wrong = mistakeValue(mistake, problem, q); wrong && standsFor(answer, *wrong, 2))
                return named(mistake);
        if (close && !formula) {
            const int place = answer.rounding->lastPlace;
            const Number rounded = atPlace(value, place, false);
            const QString right = schoolText(rounded.rounded(leadingDigits(rounded, place)), locale);
            if (*answer.value == atPlace(value, place, true))
                return {false, QStringLiteral("Невярно: отрязали сте цифрите; закръглете: %1.").arg(right)};
            return {false, QStringLiteral("Невярно: закръглено неправилно: %1.").arg(right)};
        }
    } else {
        for (const Mistake &mistake : knownMistakes())
            if (const auto wrong = mistakeValue(mistake, problem, q); wrong && standsFor(answer, *wrong, 3))
                return named(mistake);
    }
    return {false, QStringLiteral("Невярно. ") + relation(problem, q)};
}

} // namespace

std::span<const Mistake> knownMistakes()
{
    return mistakes;
}

int mistakeNamed(std::string_view id)
{
    for (std::size_t i = 0; i < std::size(mistakes); ++i)
        if (id == mistakes[i].id)
            return int(i);
    return -1;
}

std::optional<Number> mistakeValue(const Mistake &mistake, const Problem &problem, Quantity sought)
{
    try {
        return mistake.value(problem, sought);
    } catch (const std::domain_error &) {
        return std::nullopt;
    }
}

bool stands(const AnswerReading &answer, const Number &value)
{
    return standsFor(answer, value, 3);
}

std::vector<Verdict> check(const Problem &problem, std::span<const AnswerReading> answers,
                           const QLocale &locale)
{
    const int count = std::min(problem.soughtCount(), int(answers.size()));
    std::vector<Verdict> verdicts;
    for (int i = 0; i < count; ++i)
        verdicts.push_back(judge(answers[std::size_t(i)], problem, problem.sought(i), locale));
    if (problem.facts().legsEitherOrder && count >= 2) {
        // Which leg is called a is the student's choice.
        const Verdict first = judge(answers[0], problem, problem.sought(1), locale);
        const Verdict second = judge(answers[1], problem, problem.sought(0), locale);
        if (first.right + second.right > verdicts[0].right + verdicts[1].right) {
            verdicts[0] = first;
            verdicts[1] = second;
        }
    }
    return verdicts;
}

std::array<Verdict, 2> check(const Problem &problem, const std::array<AnswerReading, 2> &answers,
                             const QLocale &locale)
{
    const std::vector<Verdict> all = check(problem, std::span(answers), locale);
    std::array<Verdict, 2> two;
    for (std::size_t i = 0; i < all.size() && i < 2; ++i)
        two[i] = all[i];
    return two;
}

} // namespace practice
