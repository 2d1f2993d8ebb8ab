#include "attemptcsv.h"
#include "mastery.h"
#include "record.h"

#include <cstdint>
#include <cstdio>
#include <cstdlib>

// Fuzzes the reading of a practice record, a file that anything may have
// written or damaged. Besides the sanitizers' own checks:
// - a text that reads as a record is written back as a record that reads
//   the same;
// - what it holds is replayed, a next problem chosen from it and its CSV
//   made, all without failing, and the choice is of a type and level that
//   have problems.
namespace {

void fail(const char *what)
{
    std::fprintf(stderr, "%s\n", what);
    std::abort();
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    const QByteArrayView text(reinterpret_cast<const char *>(data), qsizetype(size));
    const auto read = progress::readRecord(text);
    if (!read) {
        if (read.error().isEmpty())
            fail("a refusal without a reason");
        return 0;
    }
    const auto again = progress::readRecord(progress::recordText(*read));
    if (!again || *again != *read)
        fail("the record written back reads otherwise");
    const qint64 today = read->empty() ? 20000 : read->back().day();
    const progress::Choice choice = progress::choose(*read, size, today);
    if (choice.type < 0 || choice.type >= practice::typeCount
        || !practice::hasLevel(choice.type, choice.level))
        fail("a choice of no problems");
    progress::commonMistakes(*read);
    progress::lastDays(*read, today);
    progress::attemptsCsv(*read, {});
    return 0;
}
