#include "sanitized.h"
#include "schooltext.h"
#include "worksheet.h"

#include <set>

#include <QProcess>
#include <QRegularExpression>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>

using practice::Level;
using solver::Variant;

Q_DECLARE_METATYPE(Level)
using Variants = std::vector<Variant>;
Q_DECLARE_METATYPE(Variants)
using Numbers = QList<QList<int>>;
Q_DECLARE_METATYPE(Numbers)
Q_DECLARE_METATYPE(std::vector<int>)

namespace {

const QLocale bulgarian(QLocale::Bulgarian, QLocale::Bulgaria);

worksheet::Options optionsOf(std::uint32_t seed, int problems, int groups, Level level,
                             const Variants &variants = {})
{
    worksheet::Options o;
    o.seed = seed;
    o.problems = problems;
    o.groups = groups;
    o.level = level;
    if (!variants.empty())
        o.variants = variants;
    return o;
}

// The text of pages of a PDF, as poppler's pdftotext reads it back.
QString pdfText(const QString &file, int first = 0, int last = 0)
{
    QStringList arguments;
    if (first > 0)
        arguments << QStringLiteral("-f") << QString::number(first) << QStringLiteral("-l")
                  << QString::number(last);
    arguments << file << QStringLiteral("-");
    QProcess pdftotext;
    pdftotext.start(QStringLiteral("pdftotext"), arguments);
    pdftotext.waitForFinished(30000);
    return QString::fromUtf8(pdftotext.readAllStandardOutput());
}

int pageCount(const QString &text)
{
    return int(text.count(u'\f'));
}

exact::Number number(QString text)
{
    return exact::Number::fromDecimal(*exact::readDecimal(text.replace(u',', u'.').toStdString()));
}

// The variant whose givens a problem states.
std::optional<Variant> variantGiving(const QString &first, const QString &second)
{
    for (int v = 0; v < solver::variantCount; ++v) {
        const auto &given = solver::factsOf(Variant(v)).given;
        if (QLatin1String(solver::symbol(given[0])) == first
            && QLatin1String(solver::symbol(given[1])) == second)
            return Variant(v);
    }
    return std::nullopt;
}

} // namespace

class TestWorksheet : public QObject
{
    Q_OBJECT

private slots:
    void sheetsKeepTheirProblems_data();
    void sheetsKeepTheirProblems();
    void keyReadBackAgreesWithTheProblems_data();
    void keyReadBackAgreesWithTheProblems();
    void sheetsBalanceTheirTypes();
    void noGroupHoldsAProblemTwice_data();
    void noGroupHoldsAProblemTwice();
    void everyTypeHasItsKey();
};

void TestWorksheet::sheetsKeepTheirProblems_data()
{
    QTest::addColumn<uint>("seed");
    QTest::addColumn<int>("problems");
    QTest::addColumn<int>("groups");
    QTest::addColumn<Level>("level");
    QTest::addColumn<Variants>("variants");
    QTest::addColumn<Numbers>("numbers"); // practice's numbers, group by group

    // A sheet printed again from its number must be the same sheet: these
    // rows must never change. (They did once, when the sheets came to hold
    // each chosen type equally often and never two alike side by side.)
    // clang-format off
    QTest::newRow("123456, roots, 2 groups") << 123456u << 5 << 2 << Level::Roots << Variants{}
        << Numbers{{75020, 78021, 83915, 90838, 57404}, {18584, 99861, 76883, 48850, 78140}};
    QTest::newRow("1, whole radii, 4 groups") << 1u << 3 << 4 << Level::Whole << Variants{Variant::Radii}
        << Numbers{{29899, 13279, 87283}, {41947, 45103, 92371}, {10603, 96403, 73891}, {43927, 81319, 93259}};
    QTest::newRow("777777, decimals, 1 group") << 777777u << 4 << 1 << Level::Decimals
        << Variants{Variant::Legs, Variant::LegAndCircumradius}
        << Numbers{{41364, 26654, 58104, 83690}};
    // clang-format on
}

// The same number and options give the same problems, with practice's
// numbers; every group has the same variants in the same order and numbers
// of the level, no problem twice, and none in the place of another group's.
void TestWorksheet::sheetsKeepTheirProblems()
{
    QFETCH(uint, seed);
    QFETCH(int, problems);
    QFETCH(int, groups);
    QFETCH(Level, level);
    QFETCH(Variants, variants);
    QFETCH(Numbers, numbers);

    const worksheet::Sheet sheet = worksheet::makeSheet(optionsOf(seed, problems, groups, level, variants));
    Numbers made;
    for (const auto &group : sheet.groups) {
        made.append(QList<int>());
        for (const practice::Problem &p : group)
            made.back() << p.number;
    }
    QCOMPARE(made, numbers);
    for (std::size_t g = 0; g < sheet.groups.size(); ++g)
        for (std::size_t i = 0; i < sheet.groups[g].size(); ++i) {
            const practice::Problem &p = sheet.groups[g][i];
            QCOMPARE(p.variant, sheet.groups[0][i].variant);
            QCOMPARE(p.level, level);
            QVERIFY(variants.empty() || std::ranges::find(variants, p.variant) != variants.end());
            for (std::size_t j = 0; j < i; ++j)
                QVERIFY(!(sheet.groups[g][j].givens == p.givens && sheet.groups[g][j].variant == p.variant));
            if (g > 0)
                QVERIFY(!(sheet.groups[0][i].givens == p.givens));
        }
    // Another number, another sheet.
    const worksheet::Sheet other = worksheet::makeSheet(optionsOf(seed + 1, problems, groups, level, variants));
    QVERIFY(other.groups[0][0].number != sheet.groups[0][0].number
            || other.groups[0].back().number != sheet.groups[0].back().number);
}

void TestWorksheet::keyReadBackAgreesWithTheProblems_data()
{
    QTest::addColumn<uint>("seed");
    QTest::addColumn<int>("problems");
    QTest::addColumn<int>("groups");
    QTest::addColumn<Level>("level");
    QTest::addColumn<bool>("steps");
    QTest::newRow("whole, 1 group")       << 31u     << 12 << 1 << Level::Whole    << false;
    QTest::newRow("roots, 2 groups")      << 123456u << 10 << 2 << Level::Roots    << false;
    QTest::newRow("decimals, 4 groups")   << 98765u  << 7  << 4 << Level::Decimals << false;
    QTest::newRow("roots, worked steps")  << 2024u   << 6  << 3 << Level::Roots    << true;
}

// The sheet read back from its PDF as text, as a teacher's search would
// find it: each group from a new page under its name with the line for the
// student, every problem numbered with its practice number, every page with
// its footer; and the key, every answer in it worked out again here from the
// givens as the problems print them.
void TestWorksheet::keyReadBackAgreesWithTheProblems()
{
    if (QStandardPaths::findExecutable(QStringLiteral("pdftotext")).isEmpty())
        QSKIP("pdftotext (Debian poppler-utils) is not installed");
    QFETCH(uint, seed);
    QFETCH(int, problems);
    QFETCH(int, groups);
    QFETCH(Level, level);
    QFETCH(bool, steps);

    QTemporaryDir folder;
    QVERIFY(folder.isValid());
    worksheet::Options options = optionsOf(seed, problems, groups, level);
    options.workedSteps = steps;
    const QString file = folder.filePath(QStringLiteral("sheet.pdf"));
    QString error;
    QVERIFY2(worksheet::writeSheetPdf(file, worksheet::makeSheet(options), &error), qPrintable(error));
    const QString text = pdfText(file);
    // The same number, the same sheet.
    const QString again = folder.filePath(QStringLiteral("again.pdf"));
    QVERIFY(worksheet::writeSheetPdf(again, worksheet::makeSheet(options)));
    QCOMPARE(pdfText(again), text);

    const int pages = pageCount(text);
    QStringList groupNames;
    for (int g = 0; g < groups; ++g)
        groupNames << worksheet::groupName(g);
    QString part;
    QMap<QString, QString> groupText;
    QString key;
    for (int page = 1; page <= pages; ++page) {
        const QString onPage = pdfText(file, page, page);
        const QString first = onPage.section(u'\n', 0, 0);
        // The key comes last; a page of it may begin with a group's section.
        if (part != u"Отговори" && (groupNames.contains(first) || first == u"Отговори")) {
            part = first;
            if (part != u"Отговори")
                QVERIFY2(onPage.contains(u"Име:") && onPage.contains(u"Клас:") && onPage.contains(u"Дата:"), qPrintable(onPage));
        }
        QVERIFY2(onPage.contains(QStringLiteral("Работен лист № %1 · %2 · стр. %3").arg(seed).arg(part).arg(page)),
                 qPrintable(onPage));
        (part == u"Отговори" ? key : groupText[part]) += onPage;
    }
    QCOMPARE(groupText.size(), groups);

    // The problems as printed: «3. … a = 19 см … R = 12 см … (№ 83914)».
    static const QRegularExpression problem(QStringLiteral("(?:^|\\s)(\\d+)\\. (.+?)\\(№ (\\d{5})\\)"),
                                            QRegularExpression::DotMatchesEverythingOption);
    static const QRegularExpression given(QStringLiteral("\\b([abrR]) = (\\d+(?:,\\d+)?) см"));
    int checked = 0;
    for (const QString &name : groupNames) {
        const QString printed = QString(groupText[name]).replace(u'\n', u' ');
        const QString section = key.section(name, 1, 1).section(QStringLiteral("Група "), 0, 0).replace(u'\n', u' ');
        int place = 0;
        for (const auto &m : problem.globalMatch(printed)) {
            ++place;
            QCOMPARE(m.captured(1).toInt(), place);
            QStringList symbols;
            QList<exact::Number> values;
            for (const auto &g : given.globalMatch(m.captured(2))) {
                symbols << g.captured(1);
                values << number(g.captured(2));
            }
            QCOMPARE(symbols.size(), 2);
            const auto variant = variantGiving(symbols[0], symbols[1]);
            QVERIFY2(variant, qPrintable(m.captured(2)));
            // The practice number poses this very problem.
            const auto posed = practice::problem(m.captured(3).toInt());
            QVERIFY(posed && posed->variant == *variant && posed->givens[0] == values[0]
                    && posed->givens[1] == values[1]);
            const auto t = practice::exactTriangle(*variant, values[0], values[1]);
            QVERIFY(t);
            QStringList parts;
            for (const solver::Column column : solver::factsOf(*variant).computed) {
                const exact::Number &value = practice::valueOf(*t, column);
                QString part = QStringLiteral("%1 = %2").arg(QLatin1String(solver::symbol(column)),
                                                            schoolText(value, bulgarian));
                if (!value.terminatingDecimal())
                    part += QStringLiteral(" ≈ ") + schoolText(value.rounded(4), bulgarian);
                parts << part;
            }
            const QString answer = QStringLiteral("%1. %2").arg(place).arg(parts.join(QStringLiteral("; ")));
            QVERIFY2(section.contains(answer), qPrintable(answer + u'\n' + section));
            ++checked;
        }
        QCOMPARE(place, problems);
    }
    QCOMPARE(checked, problems * groups);
    // The values of the common mistakes beside the answers, and the worked
    // steps where asked for.
    QVERIFY(key.contains(u"Грешки: "));
    QCOMPARE(key.contains(u"Дадени са "), steps);
}

// Every choice of the sixteen types, for every count from 1 to 12: each
// chosen type ⌊N/k⌋ or ⌈N/k⌉ times, no two neighbours alike, and the order
// not the same for every seed.
void TestWorksheet::sheetsBalanceTheirTypes()
{
    const int choices = 1 << practice::typeCount;
    const int step = sanitized ? 37 : 1;
    for (int mask = 1; mask < choices; mask += step) {
        std::vector<int> types;
        for (int t = 0; t < practice::typeCount; ++t)
            if (mask & (1 << t))
                types.push_back(t);
        const int k = int(types.size());
        for (int n = 1; n <= 12; ++n) {
            const std::uint32_t seed = std::uint32_t(mask * 13 + n);
            const std::vector<int> order = worksheet::typeOrder(types, n, seed);
            QCOMPARE(int(order.size()), n);
            for (const int t : types) {
                const auto times = std::ranges::count(order, t);
                if (times < n / k || times > (n + k - 1) / k)
                    QFAIL(qPrintable(QStringLiteral("types %1, %2 problems: type %3 %4 times")
                                         .arg(mask).arg(n).arg(t).arg(times)));
            }
            for (int i = 1; i < n && k > 1; ++i)
                if (order[std::size_t(i)] == order[std::size_t(i - 1)])
                    QFAIL(qPrintable(QStringLiteral("types %1, %2 problems: two alike at %3")
                                         .arg(mask).arg(n).arg(i)));
            for (const int t : order)
                QVERIFY(std::ranges::find(types, t) != types.end());
        }
    }
    // Mixed from the seed: four variants on four places come in more than
    // one order.
    std::set<std::vector<int>> orders;
    for (std::uint32_t seed = 1; seed <= 10; ++seed)
        orders.insert(worksheet::typeOrder({0, 1, 2, 3}, 4, seed));
    QVERIFY(orders.size() > 3);
}

void TestWorksheet::noGroupHoldsAProblemTwice_data()
{
    QTest::addColumn<uint>("seed");
    QTest::addColumn<int>("problems");
    QTest::addColumn<int>("groups");
    QTest::addColumn<Level>("level");
    QTest::addColumn<std::vector<int>>("types");
    QTest::newRow("40 of variant 4, roots")  << 123456u << 40 << 4 << Level::Roots << std::vector<int>{3};
    QTest::newRow("40 of c and h, whole")    << 5u      << 40 << 4 << Level::Whole << std::vector<int>{9};
    QTest::newRow("40 of h and r, whole")    << 77u     << 40 << 2 << Level::Whole << std::vector<int>{11};
    QTest::newRow("40 of projections, whole") << 8u     << 40 << 3 << Level::Whole << std::vector<int>{12};
}

// The fewest problems there are, on the longest sheets: none twice in a
// group nor in one place of two groups.
void TestWorksheet::noGroupHoldsAProblemTwice()
{
    QFETCH(uint, seed);
    QFETCH(int, problems);
    QFETCH(int, groups);
    QFETCH(Level, level);
    QFETCH(std::vector<int>, types);

    worksheet::Options options = optionsOf(seed, problems, groups, level);
    options.types = types;
    const worksheet::Sheet sheet = worksheet::makeSheet(options);
    QCOMPARE(int(sheet.groups.size()), groups);
    for (std::size_t g = 0; g < sheet.groups.size(); ++g) {
        std::set<int> numbers;
        QCOMPARE(int(sheet.groups[g].size()), problems);
        for (std::size_t i = 0; i < sheet.groups[g].size(); ++i) {
            const practice::Problem &p = sheet.groups[g][i];
            QCOMPARE(p.type, types.front());
            for (std::size_t j = 0; j < i; ++j)
                QVERIFY2(sheet.groups[g][j].givens != p.givens, qPrintable(QString::number(p.number)));
            for (std::size_t other = 0; other < g; ++other)
                QVERIFY(sheet.groups[other][i].givens != p.givens);
        }
    }
}

// A sheet of every type, read back: each problem with its number, each
// answer of the key as answerLine() writes it, the mistakes of the new
// types named.
void TestWorksheet::everyTypeHasItsKey()
{
    if (QStandardPaths::findExecutable(QStringLiteral("pdftotext")).isEmpty())
        QSKIP("pdftotext (Debian poppler-utils) is not installed");
    worksheet::Options options = optionsOf(4242, practice::typeCount, 1, Level::Roots);
    for (int t = 0; t < practice::typeCount; ++t)
        options.types.push_back(t);
    const worksheet::Sheet sheet = worksheet::makeSheet(options);
    std::set<int> types;
    for (const practice::Problem &p : sheet.groups[0])
        types.insert(p.type);
    QCOMPARE(int(types.size()), practice::typeCount);
    QTemporaryDir folder;
    const QString file = folder.filePath(QStringLiteral("sheet.pdf"));
    QVERIFY(worksheet::writeSheetPdf(file, sheet));
    const QString text = pdfText(file).replace(u'\n', u' ');
    const QString key = text.section(QStringLiteral("Отговори"), 1);
    for (std::size_t i = 0; i < sheet.groups[0].size(); ++i) {
        const practice::Problem &p = sheet.groups[0][i];
        QVERIFY2(text.contains(QStringLiteral("(№ %1)").arg(p.number)), qPrintable(QString::number(p.number)));
        const QString answer = worksheet::answerLine(int(i), p, bulgarian);
        QVERIFY2(key.contains(answer), qPrintable(answer));
    }
    for (const char *mistake : {"S = a·b →", "α и β разменени →", "m и n разменени →"})
        QVERIFY2(key.contains(QString::fromUtf8(mistake)), mistake);
}

QTEST_MAIN(TestWorksheet)
#include "tst_worksheet.moc"
