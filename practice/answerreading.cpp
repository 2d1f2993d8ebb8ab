#include "answerreading.h"

#include "schooltext.h"

#include <climits>
#include <stdexcept>

using exact::Integer;
using exact::Number;
using pairs::Quantity;

namespace practice {
namespace {

// Longer answers are not answers; the bound keeps the exact arithmetic of
// anything pasted into a box small.
constexpr qsizetype longestAnswer = 200;
constexpr int deepestBrackets = 50;

struct Stop
{
    qsizetype at;
    const char16_t *trouble = nullptr;
};

// What a factor read so far was, for telling a simpler form apart.
struct Read
{
    Number value;
    bool wholeNumber = false; // written as digits alone
    bool simplest = true;
    bool hasDecimal = false; // a decimal is part of it
};

// The units an answer may end with, and what they measure: the power of
// length, as the quantities' table counts it.
struct Unit
{
    const char16_t *text;
    int dimension;
};
// Longer first, where one begins another.
constexpr Unit units[] = {
    {u"см²", 2}, {u"cm²", 2}, {u"см^2", 2}, {u"cm^2", 2}, {u"см2", 2}, {u"cm2", 2},
    {u"кв. см", 2}, {u"кв.см", 2}, {u"см", 1}, {u"cm", 1}, {u"°", 0}, {u"градуса", 0},
    {u"градус", 0},
};

// The symbols an answer may begin with, as written on paper or typed.
struct Symbol
{
    const char16_t *text;
    Quantity quantity;
};
constexpr Symbol symbols[] = {
    {u"a₁", Quantity::a1}, {u"a1", Quantity::a1}, {u"b₁", Quantity::b1}, {u"b1", Quantity::b1},
    {u"alpha", Quantity::alpha}, {u"beta", Quantity::beta}, {u"α", Quantity::alpha},
    {u"β", Quantity::beta}, {u"a", Quantity::a}, {u"b", Quantity::b}, {u"c", Quantity::c},
    {u"h", Quantity::h}, {u"m", Quantity::m}, {u"n", Quantity::n}, {u"S", Quantity::S},
    {u"P", Quantity::P}, {u"r", Quantity::r}, {u"R", Quantity::R},
};

// Where an answer begins with a symbol and «=», the symbol's quantity and
// where the value after it starts.
std::optional<std::pair<Quantity, qsizetype>> namedQuantity(QStringView text)
{
    for (const Symbol &symbol : symbols) {
        const QStringView written(symbol.text);
        if (!text.startsWith(written))
            continue;
        qsizetype at = written.size();
        while (at < text.size() && text[at].isSpace())
            ++at;
        if (at < text.size() && text[at] == u'=')
            return std::pair(symbol.quantity, at + 1);
    }
    return std::nullopt;
}

// The place of the leading digit of a non-zero number: 0 for 4,24, −1 for
// 0,5.
int leadingPlace(const Number &x)
{
    return int(x.rounded(20).exponent);
}

bool hasSquareFactor(const Integer &n)
{
    // √n is simplest when it keeps all of n under the root.
    const Number root = exact::sqrt(Number(exact::Rational(n)));
    return root.isRational() || root.rootCoefficient() != 1;
}

class Reader
{
public:
    explicit Reader(const QString &text) : m_text(text) {}

    Read answer()
    {
        Read result = sum();
        skipBlanks();
        for (const Unit &unit : units)
            if (skip(unit.text)) {
                m_unit = unit.dimension;
                skipBlanks();
                break;
            }
        if (m_at < m_text.size())
            throw Stop{m_at};
        return result;
    }

    bool singleNumber() const { return m_numbers == 1 && m_operations == 0; }
    int decimals() const { return m_decimals; }
    int coarsestPlace() const { return m_coarsestPlace; }
    bool decimalInFormula() const { return m_decimalInFormula; }
    std::optional<int> unit() const { return m_unit; }

private:
    void skipBlanks()
    {
        while (m_at < m_text.size() && m_text[m_at].isSpace())
            ++m_at;
    }

    QChar peek()
    {
        skipBlanks();
        return m_at < m_text.size() ? m_text[m_at] : QChar();
    }

    bool skip(QStringView word)
    {
        skipBlanks();
        if (QStringView(m_text).mid(m_at).startsWith(word, Qt::CaseInsensitive)) {
            m_at += word.size();
            return true;
        }
        return false;
    }

    bool atRoot()
    {
        skipBlanks();
        const QStringView rest = QStringView(m_text).mid(m_at);
        return rest.startsWith(u'√') || rest.startsWith(u"sqrt", Qt::CaseInsensitive)
            || rest.startsWith(u"корен", Qt::CaseInsensitive);
    }

    // Runs an exact operation, which throws std::domain_error where there is
    // no such number (a division by zero, a root of a negative number, two
    // different roots), as a stop at the operation.
    template<typename Operation>
    Number exactly(qsizetype at, const char16_t *trouble, Operation operation)
    {
        try {
            return operation();
        } catch (const std::domain_error &) {
            throw Stop{at, trouble};
        }
    }

    Read sum()
    {
        Read result;
        bool negative = false;
        if (const QChar c = peek(); c == u'-' || c == u'−' || c == u'+') {
            negative = c != u'+';
            ++m_at;
            ++m_operations;
        }
        result = product();
        if (negative)
            result = {-result.value, false, result.simplest, result.hasDecimal};
        for (QChar c = peek(); c == u'+' || c == u'-' || c == u'−'; c = peek()) {
            const qsizetype at = m_at++;
            ++m_operations;
            const Read next = product();
            result.value = exactly(at, u"числа с два различни корена", [&] {
                return c == u'+' ? result.value + next.value : result.value - next.value;
            });
            result.wholeNumber = false;
            result.simplest = result.simplest && next.simplest;
            result.hasDecimal = result.hasDecimal || next.hasDecimal;
        }
        return result;
    }

    Read product()
    {
        Read result = factor();
        for (;;) {
            const QChar c = peek();
            const qsizetype at = m_at;
            const bool times = c == u'·' || c == u'*' || c == u'×';
            const bool divided = c == u'/' || c == u':';
            // A number or a bracket right before a root or a bracket:
            // 3√2, 2(1 + √2).
            const bool implicit = !times && !divided && (c == u'(' || atRoot());
            if (!times && !divided && !implicit)
                return result;
            if (!implicit)
                ++m_at;
            ++m_operations;
            const Read next = factor();
            if (divided && next.wholeNumber) {
                // 6/4, 4/2, 5/1, (12 − 6√2)/2: a whole number over one that
                // has a factor in common with every part of it, or over 1.
                result.simplest = result.simplest && next.simplest && !cancels(result.value, next.value);
            } else {
                result.simplest = result.simplest && next.simplest;
            }
            // A decimal in a product is no longer rounded at one place.
            if (result.hasDecimal || next.hasDecimal)
                m_decimalInFormula = true;
            result.hasDecimal = result.hasDecimal || next.hasDecimal;
            const char16_t *trouble = !divided ? u"числа с два различни корена"
                : next.value.sign() == 0          ? u"делене на нула"
                                                  : u"числа с два различни корена";
            result.value = exactly(at, trouble, [&] {
                return divided ? result.value / next.value : result.value * next.value;
            });
            result.wholeNumber = false;
        }
    }

    Read factor()
    {
        const QChar c = peek();
        const qsizetype at = m_at;
        if (c == u'(') {
            if (++m_depth > deepestBrackets)
                throw Stop{at};
            ++m_at;
            Read inside = sum();
            if (peek() != u')')
                throw Stop{m_at};
            ++m_at;
            --m_depth;
            return inside; // (8) is as whole as 8: √(8) is √8

        }
        if (skip(u"√") || skip(u"sqrt") || skip(u"корен")) {
            ++m_operations;
            if (++m_depth > deepestBrackets)
                throw Stop{at};
            const Read under = factor();
            --m_depth;
            const Number root = exactly(at,
                                        under.value.sign() < 0 ? u"корен от отрицателно число"
                                                               : u"корен от число с корен",
                                        [&] { return exact::sqrt(under.value); });
            const bool keepsAll = !under.wholeNumber
                || !hasSquareFactor(boost::multiprecision::numerator(under.value.rationalPart()));
            if (under.hasDecimal)
                m_decimalInFormula = true;
            return {root, false, under.simplest && keepsAll, under.hasDecimal};
        }
        return number();
    }

    Read number()
    {
        skipBlanks();
        const qsizetype first = m_at;
        const auto digits = [&] {
            const qsizetype from = m_at;
            while (m_at < m_text.size() && m_text[m_at] >= u'0' && m_text[m_at] <= u'9')
                ++m_at;
            return m_at - from;
        };
        if (digits() == 0)
            throw Stop{first};
        bool whole = true;
        qsizetype fraction = 0;
        if (m_at + 1 < m_text.size() && (m_text[m_at] == u',' || m_text[m_at] == u'.')
            && m_text[m_at + 1] >= u'0' && m_text[m_at + 1] <= u'9') {
            ++m_at;
            fraction = digits();
            whole = false;
        }
        QString written = m_text.mid(first, m_at - first);
        if (!whole) {
            // Digits from the first that is not zero, trailing zeros too.
            QString significant = written;
            significant.remove(u'.').remove(u',');
            qsizetype firstDigit = 0;
            while (firstDigit < significant.size() && significant[firstDigit] == u'0')
                ++firstDigit;
            m_rounding =
                AnswerReading::Rounding{int(significant.size() - firstDigit), -int(fraction)};
            ++m_decimals;
            m_coarsestPlace = std::max(m_coarsestPlace, -int(fraction));
        } else {
            m_rounding.reset();
        }
        written.replace(u',', u'.');
        const auto decimal = exact::readDecimal(written.toStdString());
        if (!decimal)
            throw Stop{first};
        ++m_numbers;
        return {Number::fromDecimal(*decimal), whole, true, !whole};
    }

    // Whether x/d has a simpler form: d is 1, or x = p + q√k with whole p
    // and q that d shares a factor with.
    static bool cancels(const Number &x, const Number &d)
    {
        if (d == Number(1))
            return true;
        using boost::multiprecision::denominator;
        using boost::multiprecision::numerator;
        if (d.sign() <= 0 || denominator(x.rationalPart()) != 1
            || denominator(x.rootCoefficient()) != 1)
            return false;
        const Integer divisor = numerator(d.rationalPart());
        const Integer common = boost::multiprecision::gcd(
            boost::multiprecision::gcd(Integer(numerator(x.rationalPart())),
                                       Integer(numerator(x.rootCoefficient()))),
            divisor);
        return common > 1;
    }

public:
    std::optional<AnswerReading::Rounding> rounding() const { return m_rounding; }

private:
    const QString &m_text;
    qsizetype m_at = 0;
    int m_depth = 0;
    int m_numbers = 0;
    int m_operations = 0;
    int m_decimals = 0;
    int m_coarsestPlace = INT_MIN;
    bool m_decimalInFormula = false;
    std::optional<int> m_unit;
    std::optional<AnswerReading::Rounding> m_rounding;
};

QString unitWords(int dimension)
{
    switch (dimension) {
    case 0:
        return QStringLiteral("ъгълът се мери в градуси (°)");
    case 2:
        return QStringLiteral("лицето се мери в см²");
    default:
        return QStringLiteral("дължината се мери в см");
    }
}

} // namespace

QString boxName(Quantity q)
{
    switch (q) {
    case Quantity::a:
        return QStringLiteral("a, катета BC");
    case Quantity::b:
        return QStringLiteral("b, катета CA");
    case Quantity::c:
        return QStringLiteral("c, хипотенузата");
    case Quantity::h:
        return QStringLiteral("h, височината към хипотенузата");
    case Quantity::a1:
        return QStringLiteral("a₁, проекцията на катета a върху хипотенузата");
    case Quantity::b1:
        return QStringLiteral("b₁, проекцията на катета b върху хипотенузата");
    case Quantity::m:
        return QStringLiteral("m, отсечката от върха A до допирната точка");
    case Quantity::n:
        return QStringLiteral("n, отсечката от върха B до допирната точка");
    case Quantity::S:
        return QStringLiteral("S, лицето");
    case Quantity::P:
        return QStringLiteral("P, периметъра");
    case Quantity::r:
        return QStringLiteral("r, радиуса на вписаната окръжност");
    case Quantity::R:
        return QStringLiteral("R, радиуса на описаната окръжност");
    case Quantity::alpha:
        return QStringLiteral("α, ъгъла при върха A");
    case Quantity::beta:
        break;
    }
    return QStringLiteral("β, ъгъла при върха B");
}

AnswerReading readAnswer(const QString &typed, std::optional<Quantity> box)
{
    AnswerReading reading;
    reading.text = typed.trimmed();
    if (reading.text.isEmpty())
        return reading;
    if (reading.text.size() > longestAnswer) {
        reading.stoppedAt = longestAnswer;
        reading.trouble = QStringLiteral("отговорът е твърде дълъг");
        return reading;
    }
    // «r = 6 − 3√2», as on paper: the value after the box's own symbol.
    qsizetype start = 0;
    if (box) {
        if (const auto named = namedQuantity(reading.text)) {
            if (named->first != *box) {
                reading.otherBox = QStringLiteral("Това поле е за ") + boxName(*box);
                return reading;
            }
            start = named->second;
        }
    }
    const QString value = reading.text.mid(start);
    Reader reader(value);
    try {
        const Read read = reader.answer();
        reading.value = read.value;
        reading.simplest = read.simplest;
        if (reader.singleNumber()) {
            reading.rounding = reader.rounding();
        } else if (reader.decimalInFormula()) {
            reading.decimalInFormula = true;
        } else if (reader.decimals() > 0 && read.value.sign() != 0) {
            const int place = reader.coarsestPlace();
            reading.rounding = AnswerReading::Rounding{
                std::max(1, leadingPlace(read.value) - place + 1), place};
            reading.roundedParts = reader.decimals();
        }
        if (box && reader.unit() && *reader.unit() != pairs::factsOf(*box).dimension)
            reading.wrongUnit = unitWords(pairs::factsOf(*box).dimension);
    } catch (const Stop &stop) {
        reading.stoppedAt = start + stop.at;
        if (stop.trouble)
            reading.trouble = QString::fromUtf16(stop.trouble);
    }
    return reading;
}

QString readingLine(const AnswerReading &reading, const QLocale &locale)
{
    if (reading.isEmpty())
        return {};
    if (!reading.otherBox.isEmpty())
        return reading.otherBox;
    if (!reading.value) {
        if (!reading.trouble.isEmpty())
            return QStringLiteral("Не мога да пресметна: %1").arg(reading.trouble);
        const QString before = reading.text.left(reading.stoppedAt).trimmed();
        if (before.isEmpty())
            return QStringLiteral("Не разбирам „%1“").arg(reading.text);
        return QStringLiteral("Не разбирам след „%1“").arg(before);
    }
    const Number &value = *reading.value;
    QString line = QStringLiteral("Разбрах: ") + schoolText(value, locale);
    if (!value.terminatingDecimal())
        line += QStringLiteral(" ≈ ") + schoolText(value.rounded(4), locale);
    if (!reading.wrongUnit.isEmpty())
        line += QStringLiteral("; ") + reading.wrongUnit;
    return line;
}

} // namespace practice
