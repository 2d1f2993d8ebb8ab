#include "record.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>
#include <QStandardPaths>

#include <algorithm>
#include <charconv>

namespace progress {
namespace {

constexpr int version = 1;
constexpr QByteArrayView signature = "Kovrenda practice record ";
constexpr QByteArrayView columns = "time\tnumber\ttype\tlevel\tkind\thints\ttry\tanswers";
constexpr std::array<QByteArrayView, practice::levelCount> levelWords = {"whole", "roots",
                                                                         "decimals"};
constexpr std::array<QByteArrayView, 2> kindWords = {"check", "example"};
constexpr std::array<QByteArrayView, 3> outcomeWords = {"right", "wrong", "missing"};
constexpr qint64 daySeconds = 86400;

// Whole days, rounded down, before and after 1970 alike.
qint64 floorDays(qint64 seconds)
{
    return seconds >= 0 ? seconds / daySeconds : -((-seconds + daySeconds - 1) / daySeconds);
}

void appendNumber(QByteArray &out, qint64 value, int width = 0)
{
    char buffer[24];
    const auto end = std::to_chars(buffer, buffer + sizeof buffer, value).ptr;
    for (int pad = width - int(end - buffer); pad > 0; --pad)
        out += '0';
    out.append(buffer, end - buffer);
}

// Days since 1970-01-01 of a civil date, and back (Howard Hinnant's
// algorithms): the record's times are read and written by hand, being the
// bulk of a long record's text.
qint64 daysFromCivil(qint64 y, unsigned m, unsigned d)
{
    y -= m <= 2;
    const qint64 era = (y >= 0 ? y : y - 399) / 400;
    const unsigned yoe = unsigned(y - era * 400);
    const unsigned doy = (153 * (m + (m > 2 ? -3 : 9)) + 2) / 5 + d - 1;
    const unsigned doe = yoe * 365 + yoe / 4 - yoe / 100 + doy;
    return era * 146097 + qint64(doe) - 719468;
}

void civilFromDays(qint64 z, qint64 &y, unsigned &m, unsigned &d)
{
    z += 719468;
    const qint64 era = (z >= 0 ? z : z - 146096) / 146097;
    const unsigned doe = unsigned(z - era * 146097);
    const unsigned yoe = (doe - doe / 1460 + doe / 36524 - doe / 146096) / 365;
    const unsigned doy = doe - (365 * yoe + yoe / 4 - yoe / 100);
    const unsigned mp = (5 * doy + 2) / 153;
    d = doy - (153 * mp + 2) / 5 + 1;
    m = mp < 10 ? mp + 3 : mp - 9;
    y = qint64(yoe) + era * 400 + (m <= 2);
}

// 2026-12-10T08:40:12+02:00
void appendTime(QByteArray &out, qint64 time, int offset)
{
    const qint64 local = time + offset;
    const qint64 days = floorDays(local);
    const qint64 seconds = local - days * daySeconds;
    qint64 y;
    unsigned m, d;
    civilFromDays(days, y, m, d);
    appendNumber(out, y, 4);
    out += '-';
    appendNumber(out, m, 2);
    out += '-';
    appendNumber(out, d, 2);
    out += 'T';
    appendNumber(out, seconds / 3600, 2);
    out += ':';
    appendNumber(out, seconds / 60 % 60, 2);
    out += ':';
    appendNumber(out, seconds % 60, 2);
    if (offset == 0) {
        out += 'Z';
        return;
    }
    out += offset < 0 ? '-' : '+';
    const int magnitude = std::abs(offset) / 60;
    appendNumber(out, magnitude / 60, 2);
    out += ':';
    appendNumber(out, magnitude % 60, 2);
}

// A field of a line read: digits only, within bounds.
bool readNumber(QByteArrayView text, qint64 low, qint64 high, qint64 &value)
{
    if (text.isEmpty() || text.size() > 18)
        return false;
    const char *end = text.data() + text.size();
    const auto [ptr, ec] = std::from_chars(text.data(), end, value);
    return ec == std::errc() && ptr == end && value >= low && value <= high;
}

bool readTime(QByteArrayView text, qint64 &time, int &offset)
{
    // YYYY-MM-DDTHH:MM:SS then Z or ±HH:MM
    if (text.size() != 20 && text.size() != 25)
        return false;
    const auto at = [&](qsizetype from, qsizetype length, qint64 low, qint64 high, qint64 &v) {
        return readNumber(text.sliced(from, length), low, high, v);
    };
    qint64 y, m, d, hh, mm, ss;
    if (!at(0, 4, 1970, 9999, y) || text[4] != '-' || !at(5, 2, 1, 12, m) || text[7] != '-'
        || !at(8, 2, 1, 31, d) || text[10] != 'T' || !at(11, 2, 0, 23, hh) || text[13] != ':'
        || !at(14, 2, 0, 59, mm) || text[16] != ':' || !at(17, 2, 0, 59, ss))
        return false;
    if (!QDate::isValid(int(y), int(m), int(d)))
        return false;
    offset = 0;
    if (text.size() == 20) {
        if (text[19] != 'Z')
            return false;
    } else {
        qint64 oh, om;
        if ((text[19] != '+' && text[19] != '-') || !at(20, 2, 0, 14, oh) || text[22] != ':'
            || !at(23, 2, 0, 59, om))
            return false;
        offset = int((oh * 60 + om) * 60) * (text[19] == '-' ? -1 : 1);
    }
    time = daysFromCivil(y, unsigned(m), unsigned(d)) * daySeconds + hh * 3600 + mm * 60 + ss
        - offset;
    return true;
}

template<std::size_t N>
int wordIndex(const std::array<QByteArrayView, N> &words, QByteArrayView word)
{
    const auto found = std::ranges::find(words, word);
    return found == words.end() ? -1 : int(found - words.begin());
}

bool readBox(QByteArrayView token, BoxResult &box)
{
    const qsizetype colon = token.indexOf(':');
    const int outcome = wordIndex(outcomeWords, colon < 0 ? token : token.first(colon));
    if (outcome < 0)
        return false;
    box.outcome = Outcome(outcome);
    box.mistake = -1;
    if (colon < 0)
        return true;
    if (box.outcome != Outcome::Wrong)
        return false;
    const QByteArrayView id = token.sliced(colon + 1);
    box.mistake = std::int8_t(practice::mistakeNamed(std::string_view(id.data(), std::size_t(id.size()))));
    return box.mistake >= 0;
}

// One line of the record, or false where it is not one.
bool readLine(QByteArrayView line, Attempt &a)
{
    std::array<QByteArrayView, 8> fields;
    qsizetype from = 0;
    for (std::size_t i = 0; i < fields.size(); ++i) {
        const qsizetype tab = i + 1 < fields.size() ? line.indexOf('\t', from) : line.size();
        if (tab < 0)
            return false;
        fields[i] = line.sliced(from, tab - from);
        from = tab + 1;
    }
    qint64 number, type, hints, tries;
    if (!readTime(fields[0], a.time, a.offset)
        || !readNumber(fields[1], practice::firstNumber, practice::lastTypeNumber, number)
        || !readNumber(fields[2], 0, practice::typeCount - 1, type)
        || !readNumber(fields[5], 0, 99, hints) || !readNumber(fields[6], 1, 9999, tries))
        return false;
    const int level = wordIndex(levelWords, fields[3]);
    const int kind = wordIndex(kindWords, fields[4]);
    if (level < 0 || kind < 0)
        return false;
    a.number = int(number);
    a.type = int(type);
    a.level = practice::Level(level);
    a.kind = Attempt::Kind(kind);
    a.hints = int(hints);
    a.tries = int(tries);
    a.boxCount = 0;
    a.boxes = {};
    // A problem's number tells its kind: five digits for a variant.
    if ((a.number <= practice::lastNumber) != (a.type < practice::variantTypes))
        return false;
    QByteArrayView answers = fields[7];
    while (!answers.isEmpty()) {
        const qsizetype space = answers.indexOf(' ');
        const QByteArrayView token = space < 0 ? answers : answers.first(space);
        if (a.boxCount == int(a.boxes.size()) || !readBox(token, a.boxes[std::size_t(a.boxCount)]))
            return false;
        ++a.boxCount;
        answers = space < 0 ? QByteArrayView() : answers.sliced(space + 1);
    }
    // A check judges every box of its problem; an example has none.
    return (a.kind == Attempt::Kind::Check)
        == (a.boxCount == practice::typeFacts(a.type).soughtCount)
        && (a.kind == Attempt::Kind::Check || a.boxCount == 0);
}

QString failedToWrite(const QString &path, const QString &why)
{
    return QStringLiteral("Напредъкът не можа да се запише в „%1“: %2").arg(QDir::toNativeSeparators(path), why);
}

} // namespace

bool Attempt::right() const
{
    return kind == Kind::Check && boxCount > 0
        && std::ranges::all_of(answers(), [](const BoxResult &b) { return b.outcome == Outcome::Right; });
}

qint64 dayOf(qint64 time, int offset)
{
    return floorDays(time + offset);
}

qint64 dayOf(const QDateTime &when)
{
    return dayOf(when.toSecsSinceEpoch(), when.offsetFromUtc());
}

QDateTime Attempt::dateTime() const
{
    return QDateTime::fromSecsSinceEpoch(time, Qt::OffsetFromUTC, offset);
}

namespace {

// An attempt at a problem at a time, with nothing judged yet.
Attempt attemptAt(const practice::Problem &problem, const QDateTime &when, Attempt::Kind kind)
{
    Attempt a;
    a.time = when.toSecsSinceEpoch();
    a.offset = when.offsetFromUtc();
    a.number = problem.number;
    a.type = problem.type;
    a.level = problem.level;
    a.kind = kind;
    return a;
}

} // namespace

Attempt attemptOf(const practice::Problem &problem, std::span<const practice::Verdict> verdicts,
                  int hints, int tries, const QDateTime &when)
{
    Attempt a = attemptAt(problem, when, Attempt::Kind::Check);
    a.hints = std::clamp(hints, 0, 99);
    a.tries = std::clamp(tries, 1, 9999);
    a.boxCount = std::min(int(verdicts.size()), int(a.boxes.size()));
    for (int i = 0; i < a.boxCount; ++i) {
        const practice::Verdict &v = verdicts[std::size_t(i)];
        BoxResult &box = a.boxes[std::size_t(i)];
        box.outcome = v.right ? Outcome::Right
            : v.text.startsWith(QStringLiteral("Липсва")) ? Outcome::Missing
                                                         : Outcome::Wrong;
        box.mistake = v.right ? -1 : std::int8_t(v.mistake);
    }
    return a;
}

Attempt exampleOf(const practice::Problem &problem, const QDateTime &when)
{
    return attemptAt(problem, when, Attempt::Kind::Example);
}

QByteArray attemptLine(const Attempt &a)
{
    QByteArray line;
    line.reserve(64);
    appendTime(line, a.time, a.offset);
    line += '\t';
    appendNumber(line, a.number);
    line += '\t';
    appendNumber(line, a.type);
    line += '\t';
    line += levelWords[std::size_t(a.level)];
    line += '\t';
    line += kindWords[std::size_t(a.kind)];
    line += '\t';
    appendNumber(line, a.hints);
    line += '\t';
    appendNumber(line, a.tries);
    line += '\t';
    for (int i = 0; i < a.boxCount; ++i) {
        const BoxResult &box = a.boxes[std::size_t(i)];
        if (i > 0)
            line += ' ';
        line += outcomeWords[std::size_t(box.outcome)];
        if (box.mistake >= 0) {
            line += ':';
            line += practice::knownMistakes()[std::size_t(box.mistake)].id;
        }
    }
    line += '\n';
    return line;
}

QByteArray recordText(std::span<const Attempt> attempts)
{
    QByteArray text;
    text.reserve(64 + qsizetype(attempts.size()) * 60);
    text += signature;
    appendNumber(text, version);
    text += '\n';
    text += columns;
    text += '\n';
    for (const Attempt &a : attempts)
        text += attemptLine(a);
    return text;
}

RecordRead readRecord(QByteArrayView text)
{
    const qsizetype firstEnd = text.indexOf('\n');
    const QByteArrayView first = text.first(firstEnd < 0 ? text.size() : firstEnd);
    if (!first.startsWith(signature))
        return std::unexpected(QStringLiteral("не е запис на упражненията"));
    qint64 written = 0;
    if (!readNumber(first.sliced(signature.size()), 1, 999999, written))
        return std::unexpected(QStringLiteral("повреден запис: редът 1"));
    if (written > version)
        return std::unexpected(QStringLiteral("записан от по-нова версия на програмата"));
    std::vector<Attempt> attempts;
    attempts.reserve(std::size_t(text.size() / 60));
    qsizetype from = firstEnd + 1;
    int lineNumber = 1;
    while (firstEnd >= 0 && from < text.size()) {
        ++lineNumber;
        qsizetype end = text.indexOf('\n', from);
        if (end < 0)
            end = text.size();
        QByteArrayView line = text.sliced(from, end - from);
        from = end + 1;
        if (line.endsWith('\r'))
            line.chop(1);
        if (lineNumber == 2 && line == columns)
            continue;
        if (line.isEmpty())
            continue;
        Attempt a;
        if (!readLine(line, a))
            return std::unexpected(QStringLiteral("повреден запис: редът %1").arg(lineNumber));
        attempts.push_back(a);
    }
    return attempts;
}

QString RecordFile::defaultPath()
{
    return QStandardPaths::writableLocation(QStandardPaths::AppDataLocation)
        + QStringLiteral("/record.txt");
}

RecordFile::RecordFile(QString path) : m_path(std::move(path))
{
    load();
}

RecordRead RecordFile::read(const QString &path, QByteArray *text)
{
    QFile file(path);
    if (!file.exists())
        return std::vector<Attempt>();
    if (!file.open(QIODevice::ReadOnly))
        return std::unexpected(QStringLiteral("не може да се отвори: %1").arg(file.errorString()));
    const QByteArray bytes = file.readAll();
    if (text)
        *text = bytes;
    return readRecord(bytes);
}

void RecordFile::load()
{
    m_attempts.clear();
    m_text.clear();
    m_message.clear();
    m_unwritten = 0;
    if (m_path.isEmpty())
        return;
    if (!QFile::exists(m_path)) {
        noteWritten();
        return;
    }
    RecordRead read = RecordFile::read(m_path, &m_text);
    if (read) {
        m_attempts = std::move(*read);
        noteWritten();
        return;
    }
    const QString error = read.error();
    // Set aside, never written over: record.unreadable-20261210-084012.txt.
    m_text.clear();
    const QFileInfo info(m_path);
    const QString stamp = QDateTime::currentDateTime().toString(QStringLiteral("yyyyMMdd-HHmmss"));
    QString aside = info.dir().filePath(QStringLiteral("%1.unreadable-%2.%3")
                                            .arg(info.completeBaseName(), stamp, info.suffix()));
    for (int n = 2; QFile::exists(aside); ++n)
        aside = info.dir().filePath(QStringLiteral("%1.unreadable-%2-%3.%4")
                                        .arg(info.completeBaseName(), stamp)
                                        .arg(n)
                                        .arg(info.suffix()));
    if (QFile::rename(m_path, aside)) {
        m_message = QStringLiteral("Записът на напредъка не можа да се прочете (%1) и е оставен "
                                   "настрана като „%2“; започва нов запис.")
                        .arg(error, QFileInfo(aside).fileName());
        noteWritten();
    } else {
        // Where it cannot be moved it stays as it is, and this session's
        // checks are kept in memory only.
        m_message = QStringLiteral("Записът на напредъка не можа да се прочете (%1); този път "
                                   "напредъкът няма да се запише.")
                        .arg(error);
        m_size = -2;
    }
}

bool RecordFile::changedOnDisk() const
{
    const QFileInfo info(m_path);
    if (!info.exists())
        return m_size >= 0;
    return info.size() != m_size || info.lastModified() != m_modified;
}

void RecordFile::noteWritten()
{
    const QFileInfo info(m_path);
    m_size = info.exists() ? info.size() : -1;
    m_modified = info.exists() ? info.lastModified() : QDateTime();
}

std::optional<QByteArray> RecordFile::addUnwritten(const Attempt &attempt)
{
    if (m_path.isEmpty() || m_size == -2) {
        m_attempts.push_back(attempt);
        return std::nullopt;
    }
    // Another copy of the program may have written since: its checks are
    // kept, and this one's not yet written are added after them.
    if (changedOnDisk()) {
        const std::vector<Attempt> mine = m_attempts;
        const std::vector<Attempt> unwritten(mine.end() - std::ptrdiff_t(m_unwritten), mine.end());
        const QString before = m_message;
        load();
        if (m_size == -2) {
            m_attempts = mine;
            m_attempts.push_back(attempt);
            return std::nullopt;
        }
        if (m_message.isEmpty())
            m_message = before;
        if (m_text.isEmpty())
            m_text = recordText({});
        for (const Attempt &a : unwritten) {
            m_attempts.push_back(a);
            m_text += attemptLine(a);
        }
        m_unwritten = unwritten.size();
    }
    if (m_text.isEmpty())
        m_text = recordText({});
    m_attempts.push_back(attempt);
    m_text += attemptLine(attempt);
    ++m_unwritten;
    return m_text;
}

QString RecordFile::writeText(const QString &path, const QByteArray &text)
{
    if (!QDir().mkpath(QFileInfo(path).absolutePath()))
        return QStringLiteral("папката не може да се създаде.");
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly) || file.write(text) != text.size() || !file.commit())
        return file.errorString();
    return {};
}

void RecordFile::written(const QString &error)
{
    if (!error.isEmpty()) {
        // Kept in memory, and in the text that the next write writes whole.
        m_message = failedToWrite(m_path, error);
        return;
    }
    m_unwritten = 0;
    if (m_message.startsWith(QStringLiteral("Напредъкът не можа")))
        m_message.clear();
    noteWritten();
}

bool RecordFile::add(const Attempt &attempt)
{
    const std::optional<QByteArray> text = addUnwritten(attempt);
    if (!text)
        return m_path.isEmpty();
    const QString error = writeText(m_path, *text);
    written(error);
    return error.isEmpty();
}

QStringList RecordFile::setAside() const
{
    if (m_path.isEmpty())
        return {};
    const QFileInfo info(m_path);
    QStringList found;
    for (const QFileInfo &f : info.dir().entryInfoList(
             {QStringLiteral("%1.unreadable-*").arg(info.completeBaseName())}, QDir::Files))
        found << f.absoluteFilePath();
    return found;
}

bool RecordFile::remove()
{
    bool removed = true;
    QStringList files = setAside();
    files << m_path;
    for (const QString &path : std::as_const(files))
        if (QFile::exists(path) && !QFile::remove(path))
            removed = false;
    m_attempts.clear();
    m_text.clear();
    m_message.clear();
    m_unwritten = 0;
    noteWritten();
    return removed;
}

} // namespace progress
