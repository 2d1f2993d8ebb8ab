#include "console.h"

#include <QString>
#include <QStringList>

#include <io.h>
#include <windows.h>

#include <shellapi.h>

namespace {

bool hasHandle(DWORD which)
{
    const HANDLE handle = GetStdHandle(which);
    return handle != nullptr && handle != INVALID_HANDLE_VALUE;
}

// A program with a window starts without standard output and error unless
// they were redirected for it. Started from a console (cmd.exe, PowerShell),
// it borrows that console for the streams it lacks, once.
void borrowParentConsole()
{
    static const bool done = [] {
        const bool out = hasHandle(STD_OUTPUT_HANDLE);
        const bool err = hasHandle(STD_ERROR_HANDLE);
        if ((!out || !err) && AttachConsole(ATTACH_PARENT_PROCESS)) {
            if (!out)
                std::freopen("CONOUT$", "w", stdout);
            if (!err)
                std::freopen("CONOUT$", "w", stderr);
        }
        return true;
    }();
    (void)done;
}

} // namespace

void writeToConsole(std::FILE *stream, const QString &text)
{
    borrowParentConsole();
    std::fflush(stream);
    const auto handle = reinterpret_cast<HANDLE>(_get_osfhandle(_fileno(stream)));
    DWORD mode = 0;
    if (handle != INVALID_HANDLE_VALUE && GetConsoleMode(handle, &mode)) {
        DWORD written = 0;
        WriteConsoleW(handle, reinterpret_cast<const wchar_t *>(text.utf16()), DWORD(text.size()),
                      &written, nullptr);
        return;
    }
    // A file or a pipe: UTF-8, with the line ends of Windows text files.
    std::fputs(text.toUtf8().constData(), stream);
    std::fflush(stream);
}

QString noWindowReason()
{
    return QStringLiteral("Qt's window system plug-in did not load (platforms\\qwindows.dll beside "
                          "kovrenda.exe) / не може да се отвори прозорец: липсва "
                          "platforms\\qwindows.dll");
}

void useNoDisplay()
{
    // Windows' own platform plug-in, which the folder ships, needs no window
    // to be shown to paint a PDF.
}

QStringList commandLineArguments(int argc, char *argv[])
{
    QStringList arguments;
    int count = 0;
    if (LPWSTR *wide = CommandLineToArgvW(GetCommandLineW(), &count)) {
        for (int i = 0; i < count; ++i)
            arguments << QString::fromWCharArray(wide[i]);
        LocalFree(wide);
    }
    // Should the wide command line be unreadable, main()'s own.
    if (arguments.size() != argc)
        for (arguments.clear(); arguments.size() < argc;)
            arguments << QString::fromLocal8Bit(argv[arguments.size()]);
    return arguments;
}
