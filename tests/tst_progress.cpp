#include "attemptcsv.h"
#include "mastery.h"
#include "record.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

using practice::Level;
using progress::Attempt;
using progress::Outcome;
using progress::Reason;
using progress::State;

Q_DECLARE_METATYPE(Level)
Q_DECLARE_METATYPE(State)
Q_DECLARE_METATYPE(Reason)

namespace {

constexpr qint64 day = 86400;
// 2026-12-01 00:00 in Sofia's winter time, as seconds since 1970 UTC.
constexpr qint64 december = 20788 * day - 2 * 3600;

// A check of a problem of a type and level on a day (of December, at 10:00
// Sofia time): every box right, or the first one wrong with a mistake.
Attempt attempt(int type, Level level, qint64 onDay, bool right, int hints = 0, int tries = 1,
                int mistake = -1)
{
    Attempt a;
    a.time = december + onDay * day + 10 * 3600;
    a.offset = 2 * 3600;
    a.type = type;
    a.level = level;
    a.number = type < practice::variantTypes ? 10000 + type : 100000 + type;
    a.hints = hints;
    a.tries = tries;
    a.boxCount = practice::typeFacts(type).soughtCount;
    for (int i = 0; i < a.boxCount; ++i)
        a.boxes[std::size_t(i)].outcome = Outcome::Right;
    if (!right)
        a.boxes[0] = {Outcome::Wrong, std::int8_t(mistake)};
    return a;
}

// A record from a line of moves of one type and level: «3r» right alone on
// day 3, «3w» wrong, «3h» right with a hint, «3s» right at a second try.
std::vector<Attempt> moves(const QString &line, int type = 0, Level level = Level::Whole)
{
    std::vector<Attempt> record;
    for (const QString &move : line.split(u' ', Qt::SkipEmptyParts)) {
        const qint64 d = move.chopped(1).toLongLong();
        const QChar kind = move.back();
        record.push_back(attempt(type, level, d, kind != u'w', kind == u'h' ? 1 : 0,
                                 kind == u's' ? 2 : 1));
    }
    return record;
}

// Every type and level mastered on day 0, but those named.
std::vector<Attempt> allMasteredBut(std::initializer_list<std::pair<int, Level>> open = {})
{
    std::vector<Attempt> record;
    for (int t = 0; t < practice::typeCount; ++t)
        for (int l = 0; l < practice::levelCount; ++l) {
            const bool left = std::ranges::find(open, std::pair(t, Level(l))) != open.end();
            if (practice::hasLevel(t, Level(l)) && !left)
                for (int i = 0; i < 3; ++i)
                    record.push_back(attempt(t, Level(l), 0, true));
        }
    return record;
}

void append(std::vector<Attempt> &record, const std::vector<Attempt> &more)
{
    record.insert(record.end(), more.begin(), more.end());
}

QByteArray fileText(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

void writeFile(const QString &path, const QByteArray &text)
{
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write(text);
}

} // namespace

class TestProgress : public QObject
{
    Q_OBJECT

private slots:
    void recordReadsBackWhatWasWritten();
    void recordLinesKeepTheirForm_data();
    void recordLinesKeepTheirForm();
    void unreadableTextsAreRefused_data();
    void unreadableTextsAreRefused();
    void recordFileKeepsEveryCheck();
    void unreadableFileIsSetAsideNotOverwritten_data();
    void unreadableFileIsSetAsideNotOverwritten();
    void recordFileThatCannotBeWrittenSaysSo();
    void masteryFollowsTheMoves_data();
    void masteryFollowsTheMoves();
    void nextProblemIsChosen_data();
    void nextProblemIsChosen();
    void recentMistakesComeMoreOften();
    void mistakesAndDaysAreCounted();
    void csvHasOneRowPerCheck();
};

void TestProgress::recordReadsBackWhatWasWritten()
{
    std::vector<Attempt> record = moves(QStringLiteral("0r 0w 1h 1s 2r"), 3, Level::Roots);
    record.push_back(attempt(5, Level::Decimals, 3, false, 2, 1, practice::mistakeNamed("m-n-swapped")));
    record.push_back(attempt(15, Level::Roots, 4, false));
    record[1].boxes[1] = {Outcome::Missing, -1};
    // A clock behind UTC, and one at UTC, across midnight.
    record[2].offset = -(9 * 3600 + 30 * 60);
    record[3].offset = 0;
    record[3].time = december - 1;
    Attempt example = attempt(7, Level::Whole, 5, true);
    example.kind = Attempt::Kind::Example;
    example.boxCount = 0;
    example.boxes = {};
    record.push_back(example);
    const auto read = progress::readRecord(progress::recordText(record));
    QVERIFY2(read.has_value(), read ? "" : qPrintable(read.error()));
    QCOMPARE(*read, record);
    QCOMPARE(read->at(3).day(), 20787); // 30 November at UTC
}

void TestProgress::recordLinesKeepTheirForm_data()
{
    QTest::addColumn<int>("which");
    QTest::addColumn<QByteArray>("line");
    QTest::newRow("variant, a mistake")
        << 0 << QByteArray("2026-12-04T10:00:00+02:00\t10000\t0\twhole\tcheck\t0\t1\twrong:r-is-R right\n");
    QTest::newRow("three boxes, second try, hints")
        << 1 << QByteArray("2026-12-02T10:00:00+02:00\t100005\t5\troots\tcheck\t2\t2\tright right right\n");
}

void TestProgress::recordLinesKeepTheirForm()
{
    QFETCH(int, which);
    QFETCH(QByteArray, line);
    const Attempt a = which == 0 ? attempt(0, Level::Whole, 3, false, 0, 1, practice::mistakeNamed("r-is-R"))
                                 : attempt(5, Level::Roots, 1, true, 2, 2);
    // A record written today reads the same in any later version.
    QCOMPARE(progress::attemptLine(a), line);
    QCOMPARE(progress::readRecord("Kovrenda practice record 1\n" + line).value().at(0), a);
}

void TestProgress::unreadableTextsAreRefused_data()
{
    QTest::addColumn<QByteArray>("text");
    QTest::addColumn<QString>("reason");
    const QByteArray head = "Kovrenda practice record 1\n";
    const QByteArray good = "2026-12-04T10:00:00+02:00\t10000\t0\twhole\tcheck\t0\t1\tright right\n";
    QTest::newRow("not ours") << QByteArray("name,score\nAna,6\n") << "не е запис";
    QTest::newRow("empty") << QByteArray() << "не е запис";
    QTest::newRow("binary") << QByteArray("\x89PNG\r\n\x1a\n", 8) << "не е запис";
    QTest::newRow("later version") << QByteArray("Kovrenda practice record 2\n") + good << "по-нова версия";
    QTest::newRow("no version") << QByteArray("Kovrenda practice record x\n") << "редът 1";
    QTest::newRow("cut short") << head + good + good.left(30) << "редът 3";
    QTest::newRow("bad date") << head + QByteArray(good).replace("12-04", "02-30") << "редът 2";
    QTest::newRow("type out of range") << head + QByteArray(good).replace("\t0\twhole", "\t16\twhole") << "редът 2";
    QTest::newRow("type not the number's")
        << head + QByteArray(good).replace("\t0\twhole", "\t4\twhole") << "редът 2";
    QTest::newRow("unknown mistake")
        << head + QByteArray(good).replace("right right", "wrong:guess right") << "редът 2";
    QTest::newRow("a mistake on a right box")
        << head + QByteArray(good).replace("right right", "right:r-is-R right") << "редът 2";
    QTest::newRow("a box short") << head + QByteArray(good).replace("right right", "right") << "редът 2";
    QTest::newRow("a box too many")
        << head + QByteArray(good).replace("right right", "right right right") << "редът 2";
    QTest::newRow("unknown level") << head + QByteArray(good).replace("whole", "easy") << "редът 2";
    QTest::newRow("an extra field") << head + QByteArray(good).replace("\n", "\tmore\n") << "редът 2";
}

void TestProgress::unreadableTextsAreRefused()
{
    QFETCH(QByteArray, text);
    QFETCH(QString, reason);
    const auto read = progress::readRecord(text);
    QVERIFY(!read.has_value());
    QVERIFY2(read.error().contains(reason), qPrintable(read.error()));
}

void TestProgress::recordFileKeepsEveryCheck()
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("new folder/record.txt"));
    progress::RecordFile file(path);
    QVERIFY(file.attempts().empty());
    QVERIFY(!QFile::exists(path));
    const std::vector<Attempt> checks = moves(QStringLiteral("0r 0w 1r"));
    QVERIFY(file.add(checks[0]));
    QVERIFY(file.add(checks[1]));
    QVERIFY(file.message().isEmpty());
    // What is checked is on disk at once, for a program killed next.
    QCOMPARE(progress::RecordFile(path).attempts(), std::vector(checks.begin(), checks.begin() + 2));

    // Another copy of the program checks in between: both are kept.
    progress::RecordFile other(path);
    QTest::qSleep(20); // a later modification time
    const Attempt theirs = attempt(4, Level::Roots, 1, true);
    QVERIFY(other.add(theirs));
    QVERIFY(file.add(checks[2]));
    const std::vector<Attempt> both = {checks[0], checks[1], theirs, checks[2]};
    QCOMPARE(progress::RecordFile(path).attempts(), both);
    QCOMPARE(file.attempts(), both);

    QVERIFY(file.remove());
    QVERIFY(!QFile::exists(path));
    QVERIFY(file.attempts().empty());
    QVERIFY(progress::RecordFile(path).attempts().empty());
}

void TestProgress::unreadableFileIsSetAsideNotOverwritten_data()
{
    QTest::addColumn<QByteArray>("text");
    QTest::newRow("damaged") << QByteArray("Kovrenda practice record 1\n2026-12-04T10:00\n");
    QTest::newRow("later version") << QByteArray("Kovrenda practice record 7\nwhatever comes\n");
    QTest::newRow("not ours") << QByteArray("<html>не е запис</html>");
}

void TestProgress::unreadableFileIsSetAsideNotOverwritten()
{
    QFETCH(QByteArray, text);
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("record.txt"));
    writeFile(path, text);
    progress::RecordFile file(path);
    QVERIFY(file.attempts().empty());
    QVERIFY2(file.message().contains(QStringLiteral("оставен настрана")), qPrintable(file.message()));
    QVERIFY(!file.message().contains(u'\n'));
    const QStringList aside = file.setAside();
    QCOMPARE(aside.size(), 1);
    QCOMPARE(fileText(aside[0]), text);
    QVERIFY(file.message().contains(QFileInfo(aside[0]).fileName()));
    // Practice goes on with a new record beside it.
    const Attempt a = attempt(0, Level::Whole, 0, true);
    QVERIFY(file.add(a));
    QCOMPARE(progress::RecordFile(path).attempts(), std::vector{a});
    QCOMPARE(fileText(aside[0]), text);
    // A second unreadable file is set aside under another name.
    writeFile(path, text);
    progress::RecordFile again(path);
    QCOMPARE(again.setAside().size(), 2);
    // Deleting the record deletes what was set aside too.
    QVERIFY(again.remove());
    QVERIFY(QDir(dir.path()).isEmpty());
}

void TestProgress::recordFileThatCannotBeWrittenSaysSo()
{
    QTemporaryDir dir;
    // Its folder cannot be made: a file stands where it would be.
    writeFile(dir.filePath(QStringLiteral("taken")), "x");
    progress::RecordFile file(dir.filePath(QStringLiteral("taken/record.txt")));
    const Attempt a = attempt(0, Level::Whole, 0, true);
    QVERIFY(!file.add(a));
    QVERIFY2(file.message().startsWith(QStringLiteral("Напредъкът не можа да се запише")),
             qPrintable(file.message()));
    // The session's checks are still counted.
    QCOMPARE(file.attempts(), std::vector{a});
}

void TestProgress::masteryFollowsTheMoves_data()
{
    QTest::addColumn<QString>("line");
    QTest::addColumn<State>("state");
    QTest::addColumn<int>("box");
    QTest::addColumn<int>("dueDay"); // of December, from the first
    QTest::addColumn<int>("problems");
    QTest::addColumn<int>("rightAlone");
    QTest::newRow("not tried") << "" << State::New << 0 << 0 << 0 << 0;
    QTest::newRow("one wrong") << "0w" << State::Started << 0 << 0 << 1 << 0;
    QTest::newRow("two right") << "0r 0r" << State::Started << 0 << 0 << 2 << 2;
    QTest::newRow("three right") << "0r 0r 0r" << State::Mastered << 1 << 1 << 3 << 3;
    QTest::newRow("a wrong breaks the run") << "0r 0w 0r 0r" << State::Started << 0 << 0 << 4 << 3;
    QTest::newRow("a hint breaks the run") << "0r 0h 0r 0r" << State::Started << 0 << 0 << 4 << 3;
    QTest::newRow("second tries do not count") << "0r 0w 0s 0r" << State::Started << 0 << 0 << 3 << 2;
    QTest::newRow("the same day is no review") << "0r 0r 0r 0r" << State::Mastered << 1 << 1 << 4 << 4;
    QTest::newRow("review a day later") << "0r 0r 0r 1r" << State::Secured << 2 << 4 << 4 << 4;
    QTest::newRow("late review passes") << "0r 0r 0r 5r" << State::Secured << 2 << 8 << 4 << 4;
    QTest::newRow("second review, 3 days") << "0r 0r 0r 1r 4r" << State::Secured << 3 << 11 << 5 << 5;
    QTest::newRow("early second review") << "0r 0r 0r 1r 3r" << State::Secured << 2 << 4 << 5 << 5;
    QTest::newRow("7 days, then 7 again")
        << "0r 0r 0r 1r 4r 11r" << State::Secured << 3 << 18 << 6 << 6;
    QTest::newRow("wrong review") << "0r 0r 0r 1w" << State::Started << 0 << 1 << 4 << 3;
    QTest::newRow("review with a hint") << "0r 0r 0r 1h" << State::Started << 0 << 1 << 4 << 3;
    QTest::newRow("wrong when secured") << "0r 0r 0r 1r 2w" << State::Started << 0 << 4 << 5 << 4;
    QTest::newRow("mastered again") << "0r 0r 0r 1w 1r 1r 1r" << State::Mastered << 1 << 2 << 7 << 6;
}

void TestProgress::masteryFollowsTheMoves()
{
    QFETCH(QString, line);
    QFETCH(State, state);
    QFETCH(int, box);
    QFETCH(int, dueDay);
    QFETCH(int, problems);
    QFETCH(int, rightAlone);
    const progress::Progress p = progress::progressOf(moves(line, 6, Level::Roots));
    const progress::CellProgress &cell = p.cell(6, Level::Roots);
    QCOMPARE(cell.state, state);
    QCOMPARE(cell.box, box);
    if (box > 0)
        QCOMPARE(cell.dueDay - 20788, qint64(dueDay));
    QCOMPARE(cell.problems, problems);
    QCOMPARE(cell.rightAlone, rightAlone);
    // Nothing else moved.
    QCOMPARE(p.cell(6, Level::Whole).state, State::New);
    QCOMPARE(p.cell(7, Level::Roots).state, State::New);
}

void TestProgress::nextProblemIsChosen_data()
{
    QTest::addColumn<std::vector<Attempt>>("record");
    QTest::addColumn<int>("today"); // of December
    QTest::addColumn<int>("type");
    QTest::addColumn<Level>("level");
    QTest::addColumn<Reason>("reason");

    std::vector<Attempt> record = allMasteredBut({{2, Level::Roots}});
    QTest::newRow("the one open") << record << 0 << 2 << Level::Roots << Reason::Practice;
    QTest::newRow("a due review first") << record << 1 << 0 << Level::Whole << Reason::Review;

    record = allMasteredBut({{2, Level::Roots}});
    append(record, moves(QStringLiteral("0w"), 2, Level::Roots));
    QTest::newRow("the last type again, none other open")
        << record << 0 << 2 << Level::Roots << Reason::Practice;

    record = allMasteredBut({{2, Level::Roots}, {9, Level::Roots}});
    append(record, moves(QStringLiteral("0w"), 2, Level::Roots));
    QTest::newRow("never the last type twice") << record << 0 << 9 << Level::Roots << Reason::Practice;

    // A review due of the last type waits for one of another.
    record = allMasteredBut();
    append(record, moves(QStringLiteral("5r"), 0, Level::Whole));
    QTest::newRow("review of another type") << record << 5 << 1 << Level::Whole << Reason::Review;

    record = allMasteredBut({{1, Level::Whole}, {1, Level::Roots}, {1, Level::Decimals}});
    QTest::newRow("the lowest level first") << record << 0 << 1 << Level::Whole << Reason::Practice;

    // Ten problems without mastery: a worked example, a level lower.
    record = allMasteredBut({{1, Level::Roots}, {1, Level::Decimals}});
    append(record, moves(QStringLiteral("0w 0r 0r 0w 0r 0w 0h 0r 0w 0r"), 1, Level::Roots));
    QTest::newRow("ten without mastery") << record << 0 << 1 << Level::Whole << Reason::Example;
    record.pop_back();
    QTest::newRow("nine without mastery") << record << 0 << 1 << Level::Roots << Reason::Practice;
    record = allMasteredBut({{1, Level::Whole}});
    append(record, moves(QStringLiteral("0w 0w 0w 0w 0w 0w 0w 0w 0w 0w"), 1, Level::Whole));
    QTest::newRow("ten at whole numbers") << record << 0 << 1 << Level::Whole << Reason::Example;
    Attempt shown = attempt(1, Level::Whole, 0, true);
    shown.kind = Attempt::Kind::Example;
    shown.boxCount = 0;
    record.push_back(shown);
    QTest::newRow("after the example") << record << 0 << 1 << Level::Whole << Reason::Practice;
    // The angles have no whole numbers: the example stays at roots.
    record = allMasteredBut({{13, Level::Roots}});
    append(record, moves(QStringLiteral("0w 0w 0w 0w 0w 0w 0w 0w 0w 0w"), 13, Level::Roots));
    QTest::newRow("no level below") << record << 0 << 13 << Level::Roots << Reason::Example;

    record = allMasteredBut();
    append(record, moves(QStringLiteral("0r"), 0, Level::Whole));
    QTest::newRow("all mastered, none due") << record << 0 << 1 << Level::Whole << Reason::Ahead;
}

void TestProgress::nextProblemIsChosen()
{
    QFETCH(std::vector<Attempt>, record);
    QFETCH(int, today);
    QFETCH(int, type);
    QFETCH(Level, level);
    QFETCH(Reason, reason);
    for (std::uint64_t seed : {0u, 1u, 77u, 123456u}) {
        const progress::Choice choice = progress::choose(record, seed, 20788 + today);
        QCOMPARE(choice, (progress::Choice{type, level, reason}));
    }
}

void TestProgress::recentMistakesComeMoreOften()
{
    // Three mistakes in «Вариант 2», then a right answer of another type.
    std::vector<Attempt> record = moves(QStringLiteral("0w 0w 0w"), 1, Level::Whole);
    append(record, moves(QStringLiteral("0r"), 6, Level::Whole));
    std::array<int, practice::typeCount> chosen{};
    for (std::uint64_t seed = 0; seed < 2000; ++seed) {
        const progress::Choice c = progress::choose(record, seed, 20788);
        QCOMPARE(c.reason, Reason::Practice);
        QVERIFY(practice::hasLevel(c.type, c.level));
        QCOMPARE(c.level, practice::levelFor(c.type, Level::Whole));
        ++chosen[std::size_t(c.type)];
    }
    QCOMPARE(chosen[6], 0); // the last type
    // Weight 1 + 3·3 = 10 against 1 for each of the 14 others: 10/24 of the draws.
    QVERIFY2(chosen[1] > 700 && chosen[1] < 970, qPrintable(QString::number(chosen[1])));
    for (int t = 0; t < practice::typeCount; ++t)
        if (t != 1 && t != 6)
            QVERIFY2(chosen[std::size_t(t)] > 40 && chosen[std::size_t(t)] < 140,
                     qPrintable(QStringLiteral("type %1: %2").arg(t).arg(chosen[std::size_t(t)])));
}

void TestProgress::mistakesAndDaysAreCounted()
{
    const int rIsR = practice::mistakeNamed("r-is-R");
    const int swapped = practice::mistakeNamed("alpha-beta-swapped");
    QVERIFY(rIsR >= 0 && swapped > rIsR);
    std::vector<Attempt> record = {attempt(12, Level::Roots, 0, false, 0, 1, swapped),
                                   attempt(0, Level::Whole, 0, false, 0, 1, rIsR),
                                   attempt(0, Level::Whole, 13, false, 0, 2, swapped),
                                   attempt(0, Level::Whole, 13, true),
                                   attempt(1, Level::Whole, 13, true, 1)};
    const auto mistakes = progress::commonMistakes(record);
    QCOMPARE(mistakes.size(), std::size_t(2));
    QCOMPARE(mistakes[0].mistake, swapped);
    QCOMPARE(mistakes[0].count, 2);
    QCOMPARE(mistakes[1].mistake, rIsR);

    const auto days = progress::lastDays(record, 20788 + 13);
    QCOMPARE(days.size(), std::size_t(14));
    QCOMPARE(days.front().day, 20788);
    QCOMPARE(days.front().problems, 2);
    QCOMPARE(days.back().problems, 2); // a second try is no new problem
    QCOMPARE(days.back().rightAlone, 1);
    QCOMPARE(progress::lastDays(record, 20788 + 14).front().problems, 0);
}

void TestProgress::csvHasOneRowPerCheck()
{
    std::vector<Attempt> record = {attempt(0, Level::Whole, 3, false, 1, 1, practice::mistakeNamed("r-is-R")),
                                   attempt(5, Level::Roots, 3, true, 0, 2)};
    Attempt example = attempt(1, Level::Whole, 3, true);
    example.kind = Attempt::Kind::Example;
    example.boxCount = 0;
    record.push_back(example);
    const QStringList lines = QString::fromUtf8(progress::attemptsCsv(
        record, {QStringLiteral("=cmd|' /C calc'!A0"), QStringLiteral("7 \"б\"")})).split(QStringLiteral("\r\n"));
    QCOMPARE(lines.size(), 4); // the header, two checks, and the end of the last line
    QCOMPARE(lines[0], progress::csvColumns().join(u','));
    QCOMPARE(lines[3], QString());
    // A name that would be a formula is kept as text; quotes are doubled.
    QCOMPARE(lines[1],
             QStringLiteral("'=cmd|' /C calc'!A0,\"7 \"\"б\"\"\",2026-12-04,10:00,10000,Вариант 1,Цели числа,1,1,не,"
                            "r: невярно,\"това е R, радиусът на описаната окръжност; r е радиусът на вписаната.\","
                            "R: вярно,,,"));
    QCOMPARE(lines[2],
             QStringLiteral("'=cmd|' /C calc'!A0,\"7 \"\"б\"\"\",2026-12-04,10:00,100005,Отсечки m и n,С корени,2,0,да,"
                            "a: вярно,,b: вярно,,r: вярно,"));
}

QTEST_GUILESS_MAIN(TestProgress)
#include "tst_progress.moc"
