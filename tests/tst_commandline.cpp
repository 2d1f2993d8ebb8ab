#include <QDir>
#include <QFile>
#include <QProcess>
#include <QSysInfo>
#include <QTemporaryDir>
#include <QStandardPaths>
#include <QTest>

#include <string_view>

// The program's command line, run as a user runs it: what is printed where,
// and with which exit status, before any window is opened.
class TestCommandLine : public QObject
{
    Q_OBJECT

private slots:
    void exits_data();
    void exits();
    void reportOfTheRecord();
};

// What differs on Windows: text written to a pipe ends its lines with \r\n,
// no display variable is needed to open the window, and a platform plug-in
// that cannot be had brings Qt's own message box, which waits for the user
// before the program ends with the one-line error.
const bool onWindows = QSysInfo::productType() == u"windows";
const QString lineEnd = onWindows ? QStringLiteral("\r\n") : QStringLiteral("\n");
constexpr int keepsRunning = -1; // a window opened: the test ends the program

void TestCommandLine::exits_data()
{
    QTest::addColumn<QStringList>("arguments");
    QTest::addColumn<QString>("platform"); // QT_QPA_PLATFORM; empty: none, and no display either
    QTest::addColumn<int>("status");
    QTest::addColumn<QString>("out");
    QTest::addColumn<QString>("err");
    QTest::addColumn<bool>("written"); // the worksheet @FILE@ in a fresh folder

    QTest::newRow("--help")               << QStringList{"--help"}                   << "" << 0 << "Usage: kovrenda [options]" << "" << false;
    QTest::newRow("-h names every option") << QStringList{"-h"}                      << "" << 0 << "-v, --version" << "" << false;
    QTest::newRow("--help, the worksheet") << QStringList{"--help"}                  << "" << 0 << "--worksheet <file>" << "" << false;
    QTest::newRow("--version")            << QStringList{"--version"}                << "" << 0 << "kovrenda " KOVRENDA_VERSION + lineEnd << "" << false;
    QTest::newRow("Qt's options pass")    << QStringList{"-platform", "xcb", "--style=fusion", "-v"} << "" << 0 << "kovrenda " KOVRENDA_VERSION + lineEnd << "" << false;
    QTest::newRow("Qt's option, no value") << QStringList{"-reverse", "-v"}          << "" << 0 << "kovrenda " KOVRENDA_VERSION + lineEnd << "" << false;
    QTest::newRow("Qt's option and value") << QStringList{"-style", "fusion"}         << "" << (onWindows ? keepsRunning : 1) << "" << (onWindows ? "" : "kovrenda: cannot open a window: no usable display") << false;
    QTest::newRow("unknown option")       << QStringList{"--frobnicate"}             << "" << 2 << "" << "kovrenda: Unknown option 'frobnicate'. See 'kovrenda --help'." + lineEnd << false;
    QTest::newRow("stray argument")       << QStringList{"3", "4"}                   << "" << 2 << "" << "kovrenda: Unexpected argument '3'. See 'kovrenda --help'." + lineEnd << false;
    QTest::newRow("no display")           << QStringList{}                           << "" << (onWindows ? keepsRunning : 1) << "" << (onWindows ? "" : "kovrenda: cannot open a window: no usable display") << false;
    QTest::newRow("no display, Wayland asked") << QStringList{}                      << "wayland" << (onWindows ? keepsRunning : 1) << "" << (onWindows ? "" : "kovrenda: cannot open a window") << false;
    // The worksheet needs no display; a bad value is named in one line and
    // nothing is written; a file that cannot be written leaves nothing.
    QTest::newRow("worksheet")            << QStringList{"--worksheet", "@FILE@", "--seed", "4242"} << "" << 0 << "seed 4242" << "" << true;
    QTest::newRow("worksheet, all options") << QStringList{"--worksheet", "@FILE@", "--problems", "40", "--groups", "4", "--level", "decimals", "--variants", "2,4", "--seed", "7", "--steps"} << "" << 0 << "seed 7" << "" << true;
    QTest::newRow("--problems 0")         << QStringList{"--worksheet", "@FILE@", "--problems", "0"} << "" << 2 << "" << "kovrenda: --problems takes a whole number from 1 to 40." << false;
    QTest::newRow("--problems many")      << QStringList{"--worksheet", "@FILE@", "--problems", "many"} << "" << 2 << "" << "kovrenda: --problems takes a whole number from 1 to 40." << false;
    QTest::newRow("--groups 9")           << QStringList{"--worksheet", "@FILE@", "--groups", "9"} << "" << 2 << "" << "kovrenda: --groups takes a whole number from 1 to 4." << false;
    QTest::newRow("--level hard")         << QStringList{"--worksheet", "@FILE@", "--level", "hard"} << "" << 2 << "" << "kovrenda: --level takes whole, roots or decimals." << false;
    QTest::newRow("--variants 5")         << QStringList{"--worksheet", "@FILE@", "--variants", "5"} << "" << 2 << "" << "kovrenda: --variants takes variants from 1 to 4" << false;
    QTest::newRow("worksheet, types")     << QStringList{"--worksheet", "@FILE@", "--types", "Проекции, вариант 2,Ъгъл и r", "--variants", "4", "--level", "roots", "--seed", "9"} << "" << 0 << "seed 9" << "" << true;
    QTest::newRow("worksheet, all types") << QStringList{"--worksheet", "@FILE@", "--types", "all", "--problems", "16", "--steps", "--seed", "3"} << "" << 0 << "seed 3" << "" << true;
    QTest::newRow("--types unknown")      << QStringList{"--worksheet", "@FILE@", "--types", "Вариант 1,Квадрат"} << "" << 2 << "" << "kovrenda: --types takes type names as --list-types prints them, separated by commas, or all; 'Квадрат' is none." << false;
    QTest::newRow("--list-types")         << QStringList{"--list-types"}            << "" << 0 << "Вариант 1\ta, b -> r, R" + lineEnd + "Вариант 2\ta, r -> b, R" + lineEnd + "Вариант 3\ta, R -> b, r" + lineEnd + "Вариант 4\tr, R -> a, b" + lineEnd + "Хипотенуза и r\tc, r -> a, b" + lineEnd << "" << false;
    QTest::newRow("--list-types, the angles") << QStringList{"--list-types"}        << "" << 0 << "Проекции\ta1, b1 -> a, b, h" + lineEnd + "Ъгъл и хипотенуза\talpha, c -> a, b" << "" << false;
    QTest::newRow("--seed -1")            << QStringList{"--worksheet", "@FILE@", "--seed", "-1"} << "" << 2 << "" << "kovrenda: --seed takes a whole number" << false;
    QTest::newRow("option without --worksheet") << QStringList{"--groups", "2"}     << "" << 2 << "" << "kovrenda: --groups goes with --worksheet." << false;
    QTest::newRow("unwritable file")      << QStringList{"--worksheet", "@FILE@/missing/sheet.pdf"} << "" << 1 << "" << "kovrenda: cannot write " << false;
    // Any two quantities: the triangle on standard output, or one line on standard error.
    QTest::newRow("--solve")              << QStringList{"--solve", "c=11", "r=2"} << "" << 0 << "a = (15 + √17)/2 ≈ 9,562" + lineEnd + "b = (15 − √17)/2 ≈ 5,438" + lineEnd + "c = 11" + lineEnd << "" << false;
    QTest::newRow("--solve, point or comma") << QStringList{"--solve", "r=3", "R=12,5"} << "" << 0 << "S = 84" << "" << false;
    QTest::newRow("--solve --json")       << QStringList{"--solve", "--json", "c=10", "h=3"} << "" << 0 << R"({"givens": {"c": "10", "h": "3"}, "triangles": [{"a": {"value": 9.486832980505138, "exact": "3√10"}, )" << "" << false;
    QTest::newRow("--json, no exact angle") << QStringList{"--solve", "c=10", "h=3", "--json"} << "" << 0 << R"("alpha": {"value": 71.56505117707799, "exact": null}, )" << "" << false;
    QTest::newRow("--solve, no triangle") << QStringList{"--solve", "c=10", "h=6"} << "" << 1 << "" << "kovrenda: Няма правоъгълен триъгълник с тези стойности. При c = 10 стойността h = 6 не може да бъде. Условие: h ≤ c/2, тоест h трябва да е най-много 5 при c = 10." << false;
    QTest::newRow("--solve, one thing twice") << QStringList{"--solve", "c=10", "R=5", "--json"} << "" << 1 << "" << "kovrenda: Хипотенузата c и радиусът R" << false;
    QTest::newRow("--solve, beyond doubles") << QStringList{"--solve", "c=1e999", "r=1"} << "" << 1 << "" << "kovrenda: c is beyond the numbers" << false;
    QTest::newRow("--solve, bad name")    << QStringList{"--solve", "x=3", "c=4"} << "" << 2 << "" << "kovrenda: 'x' is no quantity" << false;
    QTest::newRow("--solve, name twice")  << QStringList{"--solve", "c=3", "c=4"} << "" << 2 << "" << "kovrenda: 'c' is given twice." << false;
    QTest::newRow("--solve, negative")    << QStringList{"--solve", "c=-3", "r=1"} << "" << 2 << "" << "kovrenda: 'c=-3': the value must be positive." << false;
    QTest::newRow("--solve, no number")   << QStringList{"--solve", "c=abc", "r=1"} << "" << 2 << "" << "kovrenda: 'c=abc' is not a number." << false;
    QTest::newRow("--solve, no equals")   << QStringList{"--solve", "c", "13"} << "" << 2 << "" << "kovrenda: 'c' is no NAME=VALUE." << false;
    QTest::newRow("--solve, one given")   << QStringList{"--solve", "c=3"} << "" << 2 << "" << "kovrenda: --solve takes two givens" << false;
    QTest::newRow("--solve, three givens") << QStringList{"--solve", "c=3", "r=1", "h=1"} << "" << 2 << "" << "kovrenda: --solve takes two givens" << false;
    QTest::newRow("--json alone")         << QStringList{"--json"} << "" << 2 << "" << "kovrenda: --json goes with --solve." << false;
    // The teacher's report needs no display either.
    QTest::newRow("--report")             << QStringList{"--report", "@FILE@", "--student", "Ана", "--class", "7 б"} << "" << 0 << "checked answers" << "" << true;
    QTest::newRow("--report, no such kind") << QStringList{"--report", "@FILE@.txt"} << "" << 2 << "" << "kovrenda: --report writes a .pdf or a .csv file." << false;
    QTest::newRow("--student alone")      << QStringList{"--student", "Ана"} << "" << 2 << "" << "kovrenda: --student goes with --report." << false;
}

void TestCommandLine::exits()
{
    QFETCH(QStringList, arguments);
    QFETCH(QString, platform);
    QFETCH(int, status);
    QFETCH(QString, out);
    QFETCH(QString, err);
    QFETCH(bool, written);

    QTemporaryDir folder;
    QVERIFY(folder.isValid());
    const QString sheet = folder.filePath(QStringLiteral("sheet.pdf"));
    arguments.replaceInStrings(QStringLiteral("@FILE@"), sheet);

    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    // Windows has no display variables (and under wine, DISPLAY is wine's own).
    for (const char *name : {"DISPLAY", "WAYLAND_DISPLAY", "QT_QPA_PLATFORM"})
        if (!onWindows || name == std::string_view("QT_QPA_PLATFORM"))
            environment.remove(QString::fromLatin1(name));
    // A session's runtime folder, as a desktop login has one; without it the
    // Wayland library itself complains on standard error.
    QTemporaryDir runtime;
    QVERIFY(runtime.isValid());
    QFile::setPermissions(runtime.path(), QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner);
    environment.insert(QStringLiteral("XDG_RUNTIME_DIR"), runtime.path());
    // No practice record, rather than the user's own.
    environment.insert(QStringLiteral("XDG_DATA_HOME"), runtime.filePath(QStringLiteral("data")));
    if (!platform.isEmpty())
        environment.insert(QStringLiteral("QT_QPA_PLATFORM"), platform);
    QProcess program;
    program.setProcessEnvironment(environment);
    program.start(QStringLiteral(KOVRENDA_PROGRAM), arguments);
    if (status == keepsRunning) {
        QVERIFY2(!program.waitForFinished(5000), qPrintable(program.readAllStandardError()));
        program.kill();
        QVERIFY(program.waitForFinished(20000));
        QVERIFY(program.readAllStandardError().isEmpty());
        return;
    }
    QVERIFY(program.waitForFinished(20000));

    QCOMPARE(program.exitStatus(), QProcess::NormalExit); // no abort
    QCOMPARE(program.exitCode(), status);
    // UTF-8 on every system, into a file or a pipe.
    const QString stdOut = QString::fromUtf8(program.readAllStandardOutput());
    const QString stdErr = QString::fromUtf8(program.readAllStandardError());
    QVERIFY2(out.isEmpty() ? stdOut.isEmpty() : stdOut.contains(out), qPrintable(stdOut));
    // An error is one line, and nothing else is printed.
    QVERIFY2(err.isEmpty() ? stdErr.isEmpty() : stdErr.startsWith(err) && stdErr.count(u'\n') == 1,
             qPrintable(stdErr));
    // A worksheet whole and nothing else, or nothing at all.
    const QStringList left = QDir(folder.path()).entryList(QDir::Files | QDir::NoDotAndDotDot);
    QCOMPARE(left, written ? QStringList{"sheet.pdf"} : QStringList());
    if (written) {
        QFile pdf(sheet);
        QVERIFY(pdf.open(QIODevice::ReadOnly));
        QVERIFY(pdf.readAll().startsWith("%PDF-"));
    }
}

// `--report` reads the record where the window keeps it and writes it as it
// is: the PDF's one page with the student, the states, the mistakes and the
// numbers, the CSV's rows; a record it cannot read it leaves alone.
void TestCommandLine::reportOfTheRecord()
{
    if (onWindows)
        QSKIP("the record's folder is moved by XDG_DATA_HOME, which Windows has not");
    if (QStandardPaths::findExecutable(QStringLiteral("pdftotext")).isEmpty())
        QSKIP("pdftotext (Debian poppler-utils) is not installed");
    QTemporaryDir folder;
    QVERIFY(folder.isValid());
    QVERIFY(QDir(folder.path()).mkpath(QStringLiteral("data/kovrenda")));
    const QString recordPath = folder.filePath(QStringLiteral("data/kovrenda/record.txt"));
    QByteArray record = "Kovrenda practice record 1\n";
    for (const char *line : {"2026-12-04T10:00:00+02:00\t10000\t0\twhole\tcheck\t0\t1\twrong:r-is-R right",
                             "2026-12-04T10:01:00+02:00\t10000\t0\twhole\tcheck\t0\t2\tright right",
                             "2026-12-04T10:05:00+02:00\t10001\t0\twhole\tcheck\t0\t1\tright right",
                             "2026-12-05T10:00:00+02:00\t100003\t5\twhole\tcheck\t1\t1\tright wrong:m-n-swapped right"})
        record += QByteArray(line) + '\n';
    const auto run = [&](const QStringList &arguments) {
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        environment.remove(QStringLiteral("DISPLAY"));
        environment.remove(QStringLiteral("WAYLAND_DISPLAY"));
        environment.insert(QStringLiteral("XDG_DATA_HOME"), folder.filePath(QStringLiteral("data")));
        QProcess program;
        program.setProcessEnvironment(environment);
        program.start(QStringLiteral(KOVRENDA_PROGRAM), arguments);
        program.waitForFinished(20000);
        return std::pair(program.exitCode(), QString::fromUtf8(program.readAllStandardError()));
    };
    QFile file(recordPath);
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write(record);
    file.close();

    const QString pdf = folder.filePath(QStringLiteral("отчет.pdf"));
    QCOMPARE(run({"--report", pdf, "--student", "Ана Петрова", "--class", "7 б"}).first, 0);
    QProcess pdftotext;
    pdftotext.start(QStringLiteral("pdftotext"), {pdf, QStringLiteral("-")});
    QVERIFY(pdftotext.waitForFinished(30000));
    const QString pages = QString::fromUtf8(pdftotext.readAllStandardOutput());
    QCOMPARE(pages.count(u'\f'), 1); // one page
    const QString text = pages.simplified();
    for (const QString &expected :
         {QStringLiteral("Ученик: Ана Петрова"), QStringLiteral("Клас: 7 б"),
          QStringLiteral("Задачи: 3, от тях 1 верни"), QStringLiteral("Вариант 1: дадени a и b"),
          QStringLiteral("Започната"), QStringLiteral("Неупражнявани (Нова): 41"),
          QStringLiteral("1 × това е R"), QStringLiteral("1 × m и n са разменени"),
          QStringLiteral("Решени (2): 10000*, 10001"), QStringLiteral("Нерешени (1): 100003")})
        QVERIFY2(text.contains(expected), qPrintable(expected + QStringLiteral(" in: ") + text));

    const QString csv = folder.filePath(QStringLiteral("отчет.csv"));
    QCOMPARE(run({"--report", csv, "--class", "7 б"}).first, 0);
    QFile csvFile(csv);
    QVERIFY(csvFile.open(QIODevice::ReadOnly));
    const QStringList rows = QString::fromUtf8(csvFile.readAll()).split(QStringLiteral("\r\n"), Qt::SkipEmptyParts);
    QCOMPARE(rows.size(), 5);
    QVERIFY(rows[0].startsWith(QStringLiteral("Ученик,Клас,Дата,Час,Задача №")));
    QVERIFY2(rows[4].startsWith(QStringLiteral(",7 б,2026-12-05,10:00,100003,Отсечки m и n,Цели числа,1,1,не,a: вярно,,b: невярно,")),
             qPrintable(rows[4]));

    // A damaged record: one line of error, and the file as it was.
    QVERIFY(file.open(QIODevice::Append));
    file.write("2026-12-05T10:00:00+02:00\tgarbage\n");
    file.close();
    const auto [status, error] = run({"--report", csv});
    QCOMPARE(status, 1);
    QVERIFY2(error.startsWith(QStringLiteral("kovrenda: cannot read the practice record ")) && error.count(u'\n') == 1,
             qPrintable(error));
    QVERIFY(file.open(QIODevice::ReadOnly));
    QCOMPARE(file.readAll(), record + "2026-12-05T10:00:00+02:00\tgarbage\n");
}

QTEST_GUILESS_MAIN(TestCommandLine)
#include "tst_commandline.moc"
