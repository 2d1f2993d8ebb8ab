#include "answercheck.h"
#include "answerreading.h"
#include "problem.h"

#include <QLocale>
#include <QString>

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <map>
#include <vector>

// Fuzzes what practice does with a student's answer: any text typed into any
// answer box of any problem is read, shown back and judged. The input's first
// two bytes choose the problem (a five-digit number of the variants or a
// six-digit one of the other types), the third the box, the rest is the
// text as UTF-8.
//
// Besides the sanitizers' own checks (and an exception, which ends the
// process as a crash does):
// - the reading line is empty exactly for a blank text;
// - every box has a verdict, never empty, and «Вярно» exactly where it is
//   judged right; a box left empty is «Липсва отговор.»;
// - the same text read again gives the same value and verdict.
namespace {

void fail(const char *what, const QString &text)
{
    std::fprintf(stderr, "%s: «%s»\n", what, text.toUtf8().constData());
    std::abort();
}

const practice::Problem &problemOf(std::uint8_t low, std::uint8_t high)
{
    // Problems are made once each: a six-digit one takes the pair solver.
    static std::map<int, practice::Problem> made;
    const int index = (high << 8 | low) >> 1;
    const int number = (low & 1) ? practice::firstNumber + index * 179 % 90000
                                 : practice::firstTypeNumber + index * 1759 % 900000;
    auto found = made.find(number);
    if (found == made.end())
        found = made.emplace(number, *practice::problem(number)).first;
    return found->second;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    if (size < 3)
        return 0;
    static const QLocale bulgarian(QLocale::Bulgarian, QLocale::Bulgaria);
    const practice::Problem &problem = problemOf(data[0], data[1]);
    const int box = data[2] % problem.soughtCount();
    const QString text = QString::fromUtf8(reinterpret_cast<const char *>(data + 3),
                                           qsizetype(size - 3));

    const practice::AnswerReading reading = practice::readAnswer(text, problem.sought(box));
    const QString line = practice::readingLine(reading, bulgarian);
    if (line.isEmpty() != text.trimmed().isEmpty())
        fail("the reading line is empty for a text, or not for a blank one", text);

    std::vector<practice::AnswerReading> answers(std::size_t(problem.soughtCount()));
    answers[std::size_t(box)] = reading;
    const auto verdicts = practice::check(problem, answers, bulgarian);
    if (int(verdicts.size()) != problem.soughtCount())
        fail("not every box has a verdict", text);
    for (std::size_t i = 0; i < verdicts.size(); ++i) {
        const practice::Verdict &v = verdicts[i];
        if (v.text.isEmpty() || v.right != v.text.startsWith(u"Вярно"))
            fail("a verdict that is empty, or right without «Вярно»", text);
        if (answers[i].isEmpty() && v.text != QStringLiteral("Липсва отговор."))
            fail("an empty box judged otherwise than missing", text);
    }

    const practice::AnswerReading again = practice::readAnswer(text, problem.sought(box));
    if (again.value != reading.value || practice::readingLine(again, bulgarian) != line)
        fail("the same text read twice differently", text);
    return 0;
}
