#include "commandline.h"

#include "console.h"

#include <QApplication>
#include <QCommandLineParser>
#include <QCoreApplication>
#include <QStringList>

#include <cstdio>
#include <cstdlib>
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

std::optional<int> handleCommandLine(int argc, char *argv[])
{
    QStringList arguments;
    for (int i = 0; i < argc; ++i)
        arguments << QString::fromLocal8Bit(argv[i]);
    arguments = withoutToolkitOptions(arguments);
    if (arguments.size() <= 1)
        return std::nullopt;

    // The parser writes its help from the application object's arguments,
    // so one is needed; a plain core application opens no display.
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
                       "A right triangle with its inscribed and circumscribed circles: give two "
                       "of the legs a, b and the radii r, R, and the program computes the other "
                       "two.\nQt's own options (-platform, -style, -reverse, ...) are accepted "
                       "too."));
    const QCommandLineOption help({"h", "help"}, QStringLiteral("Show this help and exit."));
    const QCommandLineOption version({"v", "version"},
                                     QStringLiteral("Show the program's version and exit."));
    parser.addOption(help);
    parser.addOption(version);

    const auto fail = [](const QString &error) {
        printLine(stderr, QStringLiteral("%1: %2 See '%1 --help'.")
                              .arg(QLatin1String(programName), error));
        return 2;
    };
    if (!parser.parse(arguments))
        return fail(parser.errorText());
    if (parser.isSet(help)) {
        writeToConsole(stdout, parser.helpText());
        return 0;
    }
    if (parser.isSet(version)) {
        printLine(stdout, QStringLiteral("%1 %2").arg(QLatin1String(programName),
                                                      QCoreApplication::applicationVersion()));
        return 0;
    }
    if (!parser.positionalArguments().isEmpty())
        return fail(QStringLiteral("Unexpected argument '%1'.")
                        .arg(parser.positionalArguments().constFirst()));
    return std::nullopt;
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
