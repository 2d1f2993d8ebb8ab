#include "commandline.h"

#include "console.h"
#include "pairsteps.h"
#include "progressreport.h"
#include "worksheet.h"

#include <QApplication>
#include <QCommandLineParser>
#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QGuiApplication>
#include <QStringList>

#include <array>
#include <charconv>
#include <cstdio>
#include <cstdlib>
#include <functional>
#include <optional>
#include <variant>
#include <vector>

namespace {

constexpr char programName[] = "kovrenda";

// Qt's own command-line options, which QApplication takes out of the
// arguments itself: those followed by a value, and those that stand alone.
// Either may be written with one dash or two; some also as -option=value.
const QStringList toolkitOptionsWithValue = {
    "platform", "platformpluginpath", "platformtheme", "plugin", "qwindowgeometry",
    "qwindowtitle", "qwindowicon", "geometry", "title", "icon", "session", "style",
    "stylesheet", "display", "name", "visual",
};
const QStringList toolkitFlags = {
    "reverse", "widgetcount", "testability", "nograb", "dograb", "sync", "qdevel", "qdebug",
};
const QStringList toolkitPrefixes = {"style=", "stylesheet=", "qmljsdebugger="};

QStringList withoutToolkitOptions(const QStringList &arguments)
{
    QStringList rest;
    for (qsizetype i = 0; i < arguments.size(); ++i) {
        const QString &argument = arguments[i];
        QStringView name(argument);
        if (!name.startsWith(u'-') || name == u"-" || name == u"--") {
            rest << argument;
            continue;
        }
        name = name.mid(name.startsWith(u"--") ? 2 : 1);
        if (toolkitOptionsWithValue.contains(name)) {
            ++i; // and its value
        } else if (!toolkitFlags.contains(name)
                   && std::none_of(toolkitPrefixes.begin(), toolkitPrefixes.end(),
                                   [&](const QString &prefix) { return name.startsWith(prefix); })) {
            rest << argument;
        }
    }
    return rest;
}

void printLine(std::FILE *stream, const QString &text)
{
    writeToConsole(stream, text + u'\n');
}

// Messages that Qt logs while the application object is being created, kept
// until it is known whether a display could be opened at all.
struct LoggedMessage
{
    QtMsgType type;
    const char *file; // the context's strings are Qt's static ones
    int line;
    const char *function;
    const char *category;
    QString text;
};
std::vector<LoggedMessage> startupMessages;

void holdStartupMessage(QtMsgType type, const QMessageLogContext &context, const QString &text)
{
    if (type == QtFatalMsg) {
        // The only fatal error while the application object is created is
        // that no platform could be opened: the display is missing or
        // unreachable, or no platform plugin works.
        printLine(stderr, QStringLiteral("%1: cannot open a window: %2")
                              .arg(QLatin1String(programName), noWindowReason()));
        std::_Exit(1);
    }
    startupMessages.push_back(
        {type, context.file, context.line, context.function, context.category, text});
}

} // namespace

namespace {

// A worksheet to write instead of opening the window.
struct WorksheetRequest
{
    QString file;
    worksheet::Options options;
};

// One type a line, the four variants first: «Хипотенуза и r\tc, r -> a, b».
QString typeList()
{
    const auto name = [](pairs::Quantity q) { return QString::fromUtf8(pairs::factsOf(q).name); };
    QStringList lines;
    for (int t = 0; t < practice::typeCount; ++t) {
        const practice::TypeFacts &facts = practice::typeFacts(t);
        QStringList sought;
        for (const pairs::Quantity q : facts.soughtQuantities())
            sought << name(q);
        lines << QStringLiteral("%1\t%2, %3 -> %4")
                     .arg(QString::fromUtf8(facts.name), name(facts.givens[0]),
                          name(facts.givens[1]), sought.join(QStringLiteral(", ")));
    }
    return lines.join(u'\n');
}

int fail(const QString &error)
{
    printLine(stderr, QStringLiteral("%1: %2 See '%1 --help'.")
                          .arg(QLatin1String(programName), error));
    return 2;
}

// The worksheet's options, or the one-line error of the first bad one.
std::variant<int, WorksheetRequest> worksheetRequest(const QCommandLineParser &parser,
                                                     const QList<QCommandLineOption> &options)
{
    const QCommandLineOption &file = options[0];
    WorksheetRequest request{parser.value(file), {}};
    worksheet::Options &o = request.options;
    const auto whole = [&](const QCommandLineOption &option, int low, int high,
                           int &value) -> std::optional<int> {
        if (!parser.isSet(option))
            return std::nullopt;
        bool ok = false;
        value = parser.value(option).toInt(&ok);
        if (!ok || value < low || value > high)
            return fail(QStringLiteral("--%1 takes a whole number from %2 to %3.")
                            .arg(option.names().constFirst())
                            .arg(low)
                            .arg(high));
        return std::nullopt;
    };
    if (const auto bad = whole(options[1], 1, worksheet::mostProblems, o.problems))
        return *bad;
    if (const auto bad = whole(options[2], 1, worksheet::mostGroups, o.groups))
        return *bad;
    if (parser.isSet(options[3])) {
        const QStringList levels = {QStringLiteral("whole"), QStringLiteral("roots"),
                                    QStringLiteral("decimals")};
        const qsizetype level = levels.indexOf(parser.value(options[3]));
        if (level < 0)
            return fail(QStringLiteral("--level takes whole, roots or decimals."));
        o.level = practice::Level(level);
    }
    if (parser.isSet(options[4])) {
        o.variants.clear();
        for (const QString &item : parser.value(options[4]).split(u',')) {
            bool ok = false;
            const int variant = item.trimmed().toInt(&ok);
            if (!ok || variant < 1 || variant > solver::variantCount)
                return fail(QStringLiteral("--variants takes variants from 1 to 4, separated by "
                                           "commas, such as 1,3."));
            if (std::ranges::find(o.variants, solver::Variant(variant - 1)) == o.variants.end())
                o.variants.push_back(solver::Variant(variant - 1));
        }
    }
    o.seed = worksheet::randomSeed();
    if (parser.isSet(options[5])) {
        bool ok = false;
        o.seed = parser.value(options[5]).toUInt(&ok);
        if (!ok)
            return fail(QStringLiteral("--seed takes a whole number from 0 to 4294967295."));
    }
    o.workedSteps = parser.isSet(options[6]);
    if (parser.isSet(options[7])) {
        // Beside --variants, which keeps its meaning: the sheet takes both.
        if (parser.isSet(options[4]))
            for (const solver::Variant v : o.variants)
                o.types.push_back(practice::typeOf(v));
        const QString list = parser.value(options[7]).trimmed();
        if (list.compare(QStringLiteral("all"), Qt::CaseInsensitive) == 0) {
            o.types.clear();
            for (int t = 0; t < practice::typeCount; ++t)
                o.types.push_back(t);
        } else {
            for (const QString &item : list.split(u',')) {
                const auto type = practice::typeNamed(item.toStdString());
                if (!type)
                    return fail(QStringLiteral("--types takes type names as --list-types prints "
                                               "them, separated by commas, or all; '%1' is none.")
                                    .arg(item.trimmed()));
                if (std::ranges::find(o.types, *type) == o.types.end())
                    o.types.push_back(*type);
            }
        }
    }
    return request;
}

// Two givens to solve instead of opening the window.
struct SolveRequest
{
    std::array<pairs::Given, 2> givens;
    // As typed, for the JSON's givens.
    std::array<QString, 2> typed;
    bool json = false;
    // A given beyond the doubles' range, which no triangle here has.
    std::optional<pairs::Quantity> outOfRange;
};

// The givens of --solve (NAME=VALUE twice), or the one-line error of the
// first fault.
std::variant<int, SolveRequest> solveRequest(const QStringList &arguments, bool json)
{
    if (arguments.size() != 2)
        return fail(QStringLiteral("--solve takes two givens NAME=VALUE, such as c=13 r=2."));
    SolveRequest request;
    request.json = json;
    for (qsizetype i = 0; i < 2; ++i) {
        const QString &argument = arguments[i];
        const qsizetype equals = argument.indexOf(u'=');
        if (equals < 0)
            return fail(QStringLiteral("'%1' is no NAME=VALUE.").arg(argument));
        const QString name = argument.left(equals);
        const QString value = argument.mid(equals + 1);
        const auto quantity = pairs::quantityNamed(name.toStdString());
        if (!quantity)
            return fail(QStringLiteral("'%1' is no quantity: a, b, c, h, a1, b1, m, n, S, P, r, R, "
                                       "alpha or beta.")
                            .arg(name));
        if (i == 1 && *quantity == request.givens[0].quantity)
            return fail(QStringLiteral("'%1' is given twice.").arg(name));
        const pairtext::TypedValue typed = pairtext::readTyped(value);
        switch (typed.kind) {
        case pairtext::Typed::NotANumber:
            return fail(QStringLiteral("'%1' is not a number.").arg(argument));
        case pairtext::Typed::NotPositive:
            return fail(QStringLiteral("'%1': the value must be positive.").arg(argument));
        case pairtext::Typed::OutOfRange:
        case pairtext::Typed::Number:
            break;
        }
        request.givens[std::size_t(i)] = {*quantity, typed.value};
        request.typed[std::size_t(i)] = value;
        // A readable number all the same: no triangle, status 1.
        if (typed.kind == pairtext::Typed::OutOfRange && !request.outOfRange)
            request.outOfRange = *quantity;
    }
    return request;
}

// A double as the shortest text that reads back as it.
QString jsonNumber(double value)
{
    char buffer[64];
    const auto end = std::to_chars(buffer, buffer + sizeof buffer, value).ptr;
    return QString::fromLatin1(buffer, end - buffer);
}

QString jsonString(const QString &text)
{
    QString escaped = text;
    escaped.replace(u'\\', QStringLiteral("\\\\")).replace(u'"', QStringLiteral("\\\""));
    return u'"' + escaped + u'"';
}

// Solves the pair and writes the triangle, or the reason there is none.
int writeSolution(const SolveRequest &request)
{
    const QLocale bulgarian(QLocale::Bulgarian, QLocale::Bulgaria);
    if (request.outOfRange) {
        printLine(stderr, QStringLiteral("%1: %2 is beyond the numbers the program computes with "
                                         "(about 10^±308).")
                              .arg(QLatin1String(programName), pairtext::symbol(*request.outOfRange)));
        return 1;
    }
    const auto solved = pairs::solve(request.givens[0], request.givens[1]);
    if (!solved) {
        const FailureReport report =
            pairtext::failureReport(solved.error(), request.givens[0], request.givens[1], bulgarian);
        printLine(stderr, QStringLiteral("%1: %2")
                              .arg(QLatin1String(programName),
                                   report.message.split(u'\n', Qt::SkipEmptyParts).join(u' ')));
        return 1;
    }
    const std::vector<pairs::Triangle> &triangles = solved->triangles;
    if (request.json) {
        QStringList givens;
        for (int i = 0; i < 2; ++i)
            givens << QStringLiteral("%1: %2").arg(
                jsonString(QString::fromUtf8(
                    pairs::factsOf(request.givens[std::size_t(i)].quantity).name.data())),
                jsonString(request.typed[std::size_t(i)]));
        QStringList written;
        for (const pairs::Triangle &t : triangles) {
            QStringList values;
            for (int q = 0; q < pairs::quantityCount; ++q) {
                const pairs::Value &v = t.values[std::size_t(q)];
                const QString exactForm = pairtext::exactText(v, bulgarian);
                values << QStringLiteral("%1: {\"value\": %2, \"exact\": %3}")
                              .arg(jsonString(QString::fromUtf8(pairs::quantities[std::size_t(q)].name.data())),
                                   jsonNumber(v.toDouble()),
                                   exactForm.isEmpty() ? QStringLiteral("null") : jsonString(exactForm));
            }
            written << u'{' + values.join(QStringLiteral(", ")) + u'}';
        }
        printLine(stdout, QStringLiteral("{\"givens\": {%1}, \"triangles\": [%2]}")
                              .arg(givens.join(QStringLiteral(", ")),
                                   written.join(QStringLiteral(", "))));
        return 0;
    }
    QStringList lines;
    for (std::size_t i = 0; i < triangles.size(); ++i) {
        if (triangles.size() > 1)
            lines << (i == 0 ? QStringLiteral("Първи триъгълник:") : QStringLiteral("\nВтори триъгълник:"));
        for (int q = 0; q < pairs::quantityCount; ++q)
            lines << pairtext::valueLine(pairs::Quantity(q), triangles[i].values[std::size_t(q)],
                                         bulgarian);
    }
    printLine(stdout, lines.join(u'\n'));
    return 0;
}

QtMessageHandler qtMessages = nullptr;

// The teacher's report of the practice record, instead of opening the window.
struct ReportRequest
{
    QString file;
    progress::Student student;
};

using Outcome = std::variant<int, WorksheetRequest, SolveRequest, ReportRequest>;

template<typename Request>
Outcome widened(std::variant<int, Request> request)
{
    if (const int *status = std::get_if<int>(&request))
        return *status;
    return std::get<Request>(std::move(request));
}

// Qt's notes on the platform it paints on (a missing runtime folder, a DPI
// setting that wine refuses) are no business of a command line's user, who
// reads only the program's own lines; Qt's errors still go through.
void onlyQtErrors(QtMsgType type, const QMessageLogContext &context, const QString &text)
{
    if ((type == QtCriticalMsg || type == QtFatalMsg) && qtMessages)
        qtMessages(type, context, text);
}

// Writes a file that is painted (a PDF needs fonts, so a GUI application,
// on no display); false, with one line on standard error, where it cannot.
bool writePainted(const QString &file, const std::function<bool(QString *error)> &write)
{
    useNoDisplay();
    qtMessages = qInstallMessageHandler(onlyQtErrors);
    char name[] = "kovrenda";
    char *guiArgv[] = {name, nullptr};
    int guiArgc = 1;
    QGuiApplication gui(guiArgc, guiArgv);
    QString error;
    if (write(&error))
        return true;
    printLine(stderr, QStringLiteral("%1: cannot write %2: %3")
                          .arg(QLatin1String(programName), file, error));
    return false;
}

// Writes the worksheet with no display and says where, with its number.
int writeWorksheet(const WorksheetRequest &request)
{
    if (!writePainted(request.file, [&](QString *error) {
            return worksheet::writeSheetPdf(request.file, worksheet::makeSheet(request.options), error);
        }))
        return 1;
    printLine(stdout, QStringLiteral("%1: worksheet %2 written, seed %3")
                          .arg(QLatin1String(programName), request.file)
                          .arg(request.options.seed));
    return 0;
}

// Writes the report of the record as it is on disk, which it only reads: a
// record it cannot read stays as it is, for the window to set aside.
int writeReport(const ReportRequest &request)
{
    const QString suffix = QFileInfo(request.file).suffix().toLower();
    if (suffix != QStringLiteral("pdf") && suffix != QStringLiteral("csv"))
        return fail(QStringLiteral("--report writes a .pdf or a .csv file."));
    const QString path = progress::RecordFile::defaultPath();
    const progress::RecordRead attempts = progress::RecordFile::read(path);
    if (!attempts) {
        printLine(stderr, QStringLiteral("%1: cannot read the practice record %2: %3")
                              .arg(QLatin1String(programName), QDir::toNativeSeparators(path),
                                   attempts.error()));
        return 1;
    }
    if (!writePainted(request.file, [&](QString *error) {
            return report::writeReport(request.file, *attempts, request.student,
                                       QDateTime::currentDateTime(), error);
        }))
        return 1;
    const auto checks = std::ranges::count_if(*attempts, [](const progress::Attempt &a) {
        return a.kind == progress::Attempt::Kind::Check;
    });
    printLine(stdout, QStringLiteral("%1: report %2 written, %3 checked answers")
                          .arg(QLatin1String(programName), request.file)
                          .arg(checks));
    return 0;
}

} // namespace

std::optional<int> handleCommandLine(int argc, char *argv[])
{
    QStringList arguments = withoutToolkitOptions(commandLineArguments(argc, argv));
    if (arguments.size() <= 1)
        return std::nullopt;

    Outcome outcome = 0;
    {
        // The parser writes its help from the application object's
        // arguments, so one is needed; a plain core application opens no
        // display.
        QCoreApplication::setApplicationName(QLatin1String(programName));
        QCoreApplication::setApplicationVersion(QStringLiteral(KOVRENDA_VERSION));
        // Named "kovrenda" whatever path it was started by, so that the help
        // reads the same everywhere (and in the manual page made from it).
        char name[] = "kovrenda";
        char *coreArgv[] = {name, nullptr};
        int coreArgc = 1;
        QCoreApplication core(coreArgc, coreArgv);

        QCommandLineParser parser;
        parser.setApplicationDescription(
            QStringLiteral("Математика - окръжност в правоъгълен триъгълник\n"
                           "A right triangle with its inscribed and circumscribed circles: give "
                           "two of the legs a, b and the radii r, R, and the program computes "
                           "the other two.\nQt's own options (-platform, -style, -reverse, ...) "
                           "are accepted too."));
        const QCommandLineOption help({"h", "help"}, QStringLiteral("Show this help and exit."));
        const QCommandLineOption version({"v", "version"},
                                         QStringLiteral("Show the program's version and exit."));
        const QList<QCommandLineOption> sheet = {
            {"worksheet",
             QStringLiteral("Write a worksheet with its answer key to <file> (PDF, A4), print "
                            "its number and exit; no display is needed."),
             QStringLiteral("file")},
            {"problems", QStringLiteral("The worksheet's problems per group, 1 to 40 (10)."),
             QStringLiteral("N")},
            {"groups", QStringLiteral("The worksheet's groups, 1 to 4 (2)."), QStringLiteral("K")},
            {"level", QStringLiteral("The numbers: whole, roots or decimals (whole)."),
             QStringLiteral("level")},
            {"variants", QStringLiteral("The variants the problems are of, such as 1,3 (all)."),
             QStringLiteral("list")},
            {"seed",
             QStringLiteral("The worksheet's number, which gives the same sheet again (at "
                            "random)."),
             QStringLiteral("S")},
            {"steps", QStringLiteral("The worked steps under each answer of the key.")},
            {"types",
             QStringLiteral("The types the problems are of: all, or their names as "
                            "printed by --list-types, separated by commas and quoted, such as "
                            "\"Вариант 1,Проекции\"; beside --variants."),
             QStringLiteral("list")},
        };
        const QCommandLineOption listTypes(
            "list-types",
            QStringLiteral("Print the types of problem, one a line: its name, a tab, and its "
                           "givens and sought values by the names of --solve (c, r -> a, b)."));
        const QCommandLineOption solve(
            "solve",
            QStringLiteral("Solve the right triangle from two of its quantities, given as "
                           "NAME=VALUE NAME=VALUE after the options (names a, b, c, h, a1, b1, m, "
                           "n, S, P, r, R, alpha, beta; angles in degrees), print its values and "
                           "exit; no display is needed."));
        const QCommandLineOption json("json",
                                      QStringLiteral("With --solve: print the values as JSON."));
        const QCommandLineOption reportOption(
            "report",
            QStringLiteral("Write the teacher's report of the practice record kept on this "
                           "computer to <file>: a one-page A4 PDF (.pdf) or every checked answer "
                           "as CSV (.csv); no display is needed."),
            QStringLiteral("file"));
        const QCommandLineOption studentName(
            "student",
            QStringLiteral("With --report: the student's name, written in the report only."),
            QStringLiteral("name"));
        const QCommandLineOption studentClass(
            "class", QStringLiteral("With --report: the student's class, written in the report only."),
            QStringLiteral("class"));
        parser.addOption(help);
        parser.addOption(version);
        parser.addOptions(sheet);
        parser.addOption(listTypes);
        parser.addOption(solve);
        parser.addOption(json);
        parser.addOption(reportOption);
        parser.addOption(studentName);
        parser.addOption(studentClass);

        if (!parser.parse(arguments)) {
            outcome = fail(parser.errorText());
        } else if (parser.isSet(help)) {
            writeToConsole(stdout, parser.helpText());
        } else if (parser.isSet(version)) {
            printLine(stdout, QStringLiteral("%1 %2").arg(QLatin1String(programName),
                                                          QCoreApplication::applicationVersion()));
        } else if (parser.isSet(listTypes)) {
            printLine(stdout, typeList());
        } else if (parser.isSet(solve)) {
            outcome = widened(solveRequest(parser.positionalArguments(), parser.isSet(json)));
        } else if (parser.isSet(json)) {
            outcome = fail(QStringLiteral("--json goes with --solve."));
        } else if (!parser.positionalArguments().isEmpty()) {
            outcome = fail(QStringLiteral("Unexpected argument '%1'.")
                               .arg(parser.positionalArguments().constFirst()));
        } else if (parser.isSet(reportOption)) {
            outcome = ReportRequest{parser.value(reportOption),
                                    {parser.value(studentName), parser.value(studentClass)}};
        } else if (parser.isSet(studentName) || parser.isSet(studentClass)) {
            outcome = fail(QStringLiteral("--%1 goes with --report.")
                               .arg(parser.isSet(studentName) ? "student" : "class"));
        } else if (parser.isSet(sheet[0])) {
            outcome = widened(worksheetRequest(parser, sheet));
        } else if (const auto given = std::ranges::find_if(
                       sheet, [&](const QCommandLineOption &o) { return parser.isSet(o); });
                   given != sheet.end()) {
            outcome = fail(QStringLiteral("--%1 goes with --worksheet.").arg(given->names().constFirst()));
        } else {
            return std::nullopt;
        }
    }
    if (const auto *request = std::get_if<WorksheetRequest>(&outcome))
        return writeWorksheet(*request);
    if (const auto *request = std::get_if<SolveRequest>(&outcome))
        return writeSolution(*request);
    if (const auto *request = std::get_if<ReportRequest>(&outcome))
        return writeReport(*request);
    return std::get<int>(outcome);
}

QApplication *createApplication(int &argc, char *argv[])
{
    const QtMessageHandler previous = qInstallMessageHandler(holdStartupMessage);
    auto *app = new QApplication(argc, argv);
    qInstallMessageHandler(previous);
    for (const LoggedMessage &message : startupMessages) {
        const QMessageLogContext context(message.file, message.line, message.function,
                                         message.category);
        qt_message_output(message.type, context, message.text);
    }
    startupMessages.clear();
    return app;
}
