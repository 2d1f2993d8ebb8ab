#ifndef RECORD_H
#define RECORD_H

#include "answercheck.h"
#include "problem.h"

#include <QByteArray>
#include <QByteArrayView>
#include <QDateTime>
#include <QString>

#include <array>
#include <cstdint>
#include <expected>
#include <optional>
#include <span>
#include <variant>
#include <vector>

// The practice record: every answer the student has checked in «Упражнение»,
// kept on this computer alone, in one text file that a person can read:
//
//   Kovrenda practice record 1
//   time<TAB>number<TAB>type<TAB>level<TAB>kind<TAB>hints<TAB>try<TAB>answers
//   2026-12-10T08:40:12+02:00  10004  0  whole  check  0  1  right wrong:r-is-R
//
// one line a check, in the order they were made. The time keeps the clock's
// offset from UTC, so that the day of a check is the student's own day
// wherever the record is read later. The answers are each box's outcome,
// with the id of the known mistake it named. The record holds no name.
namespace progress {

enum class Outcome : std::uint8_t { Right, Wrong, Missing };

struct BoxResult
{
    Outcome outcome = Outcome::Missing;
    // The place of the mistake in practice::knownMistakes(), or -1.
    std::int8_t mistake = -1;

    bool operator==(const BoxResult &) const = default;
};

// The student's day of a moment: whole days since 1970-01-01 on the clock
// it was read from, `offset` seconds ahead of UTC.
qint64 dayOf(qint64 time, int offset);
// The same of a QDateTime, on its own clock.
qint64 dayOf(const QDateTime &when);

struct Attempt
{
    // A check of the answers, or a worked example shown instead of a problem.
    enum class Kind : std::uint8_t { Check, Example };

    qint64 time = 0; // seconds since 1970-01-01 UTC
    int offset = 0;  // the clock's offset from UTC then, in seconds
    int number = 0;
    int type = 0;
    practice::Level level = practice::Level::Whole;
    Kind kind = Kind::Check;
    int hints = 0;  // the hints shown before the check
    int tries = 1;  // the how-manyth check of this problem it is
    int boxCount = 0;
    std::array<BoxResult, 3> boxes{};

    bool operator==(const Attempt &) const = default;

    std::span<const BoxResult> answers() const { return std::span(boxes).first(std::size_t(boxCount)); }
    bool right() const;
    // Right at the first check, with no hint: what mastery counts.
    bool alone() const { return kind == Kind::Check && tries == 1 && hints == 0 && right(); }
    // The student's day: whole days since 1970-01-01 on their own clock.
    qint64 day() const { return dayOf(time, offset); }
    QDateTime dateTime() const;
};

// The attempt of one check of a problem's answers at a time.
Attempt attemptOf(const practice::Problem &problem, std::span<const practice::Verdict> verdicts,
                  int hints, int tries, const QDateTime &when);
// A worked example of a type and level shown at a time.
Attempt exampleOf(const practice::Problem &problem, const QDateTime &when);

// The attempts of a record read, or the reason it cannot be read, with the
// members of std::expected that callers use. Not std::expected itself:
// clang 14, which builds the sanitizer and fuzzing checks, cannot destroy
// one whose value has a destructor of its own.
class RecordRead
{
public:
    RecordRead(std::vector<Attempt> attempts) : m_outcome(std::move(attempts)) {}
    RecordRead(std::unexpected<QString> why) : m_outcome(std::move(why.error())) {}

    bool has_value() const { return m_outcome.index() == 0; }
    explicit operator bool() const { return has_value(); }
    std::vector<Attempt> &operator*() { return std::get<0>(m_outcome); }
    const std::vector<Attempt> &operator*() const { return std::get<0>(m_outcome); }
    const std::vector<Attempt> *operator->() const { return &**this; }
    const std::vector<Attempt> &value() const { return **this; }
    const QString &error() const { return std::get<1>(m_outcome); }

private:
    std::variant<std::vector<Attempt>, QString> m_outcome;
};

// The record's text, and the record of a text: nothing but the reason, in a
// few words, where the text is not a record this program can read (damaged,
// written by a later version, or no record at all).
QByteArray recordText(std::span<const Attempt> attempts);
QByteArray attemptLine(const Attempt &attempt);
RecordRead readRecord(QByteArrayView text);

// The record's file, written whole at each check through QSaveFile, so that
// a program killed at any moment leaves either the old record or the new
// one, never half of one. A file it cannot read is moved aside, never
// written over, and a new record begins.
class RecordFile
{
public:
    // Where the program keeps it: record.txt in the application's data
    // folder (QStandardPaths::AppDataLocation).
    static QString defaultPath();

    // A record with no path is kept in memory alone.
    explicit RecordFile(QString path = defaultPath());

    // A record's file read and left as it is, for a reader that must not
    // move it (the command line): no attempts where there is no file; its
    // bytes as well, where asked for.
    static RecordRead read(const QString &path, QByteArray *text = nullptr);

    const QString &path() const { return m_path; }
    const std::vector<Attempt> &attempts() const { return m_attempts; }
    // What the window says in one line: that a file was set aside, or that
    // the record could not be written; empty where all is well.
    const QString &message() const { return m_message; }

    // Reads the file again, as another copy of the program may have written it.
    void load();
    // Adds an attempt and writes the record; false (and message() says why)
    // where the file could not be written, the attempt being kept in memory.
    bool add(const Attempt &attempt);
    // The same in two halves, for a window that writes on another thread so
    // as never to wait for the disk: the attempt added, and the record's
    // whole text to write, nothing where it is kept in memory alone; the
    // text written (on any thread); and what came of it, back on this
    // object's thread, before anything else is added.
    std::optional<QByteArray> addUnwritten(const Attempt &attempt);
    static QString writeText(const QString &path, const QByteArray &text);
    void written(const QString &error);
    // Deletes the record and the files set aside beside it; false where one
    // of them could not be deleted.
    bool remove();
    // The files set aside, full paths.
    QStringList setAside() const;

private:
    bool changedOnDisk() const;
    void noteWritten();

    QString m_path;
    std::vector<Attempt> m_attempts;
    QByteArray m_text; // the record's text as last read or written
    QString m_message;
    std::size_t m_unwritten = 0; // the last attempts, not yet on disk
    qint64 m_size = -1;
    QDateTime m_modified;
};

} // namespace progress

#endif // RECORD_H
