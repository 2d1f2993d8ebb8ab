#include "answerreading.h"

#include "schooltext.h"

#include <stdexcept>

using exact::Integer;
using exact::Number;

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
};

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
        if (skip(u"см") || skip(u"cm"))
            skipBlanks();
        if (m_at < m_text.size())
            throw Stop{m_at};
        return result;
    }

    bool singleNumber() const { return m_numbers == 1 && m_operations == 0; }

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
            result = {-result.value, false, result.simplest};
        for (QChar c = peek(); c == u'+' || c == u'-' || c == u'−'; c = peek()) {
            const qsizetype at = m_at++;
            ++m_operations;
            const Read next = product();
            result.value = exactly(at, u"числа с два различни корена", [&] {
                return c == u'+' ? result.value + next.value : result.value - next.value;
            });
            result.wholeNumber = false;
            result.simplest = result.simplest && next.simplest;
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
            if (divided && result.wholeNumber && next.wholeNumber) {
                // 6/4, 4/2, 5/1: a fraction that cancels, or a whole number.
                const Number quotient =
                    exactly(at, u"делене на нула", [&] { return result.value / next.value; });
                const bool reduced =
                    boost::multiprecision::denominator(quotient.rationalPart()) == next.value.rationalPart();
                result.simplest = result.simplest && next.simplest && reduced
                    && next.value != Number(1);
            } else {
                result.simplest = result.simplest && next.simplest;
            }
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
            return {root, false, under.simplest && keepsAll};
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
        } else {
            m_rounding.reset();
        }
        written.replace(u',', u'.');
        const auto decimal = exact::readDecimal(written.toStdString());
        if (!decimal)
            throw Stop{first};
        ++m_numbers;
        return {Number::fromDecimal(*decimal), whole, true};
    }

public:
    std::optional<AnswerReading::Rounding> rounding() const { return m_rounding; }

private:
    const QString &m_text;
    qsizetype m_at = 0;
    int m_depth = 0;
    int m_numbers = 0;
    int m_operations = 0;
    std::optional<AnswerReading::Rounding> m_rounding;
};

} // namespace

AnswerReading readAnswer(const QString &typed)
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
    Reader reader(reading.text);
    try {
        const Read read = reader.answer();
        reading.value = read.value;
        reading.simplest = read.simplest;
        if (reader.singleNumber())
            reading.rounding = reader.rounding();
    } catch (const Stop &stop) {
        reading.stoppedAt = stop.at;
        if (stop.trouble)
            reading.trouble = QString::fromUtf16(stop.trouble);
    }
    return reading;
}

QString readingLine(const AnswerReading &reading, const QLocale &locale)
{
    if (reading.isEmpty())
        return {};
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
    return line;
}

} // namespace practice
