#ifndef CONSOLE_H
#define CONSOLE_H

#include <QStringList>

#include <cstdio>

class QString;

// The few lines the program writes before it has a window: --help,
// --version and the one-line errors. Their texts are the same on every
// platform; how they reach the user is not.

// Writes a text to standard output or standard error (stdout or stderr) and
// flushes it. Into a file or a pipe it goes as UTF-8, whatever the system's
// code page. On Windows, where a program with a window has no console of its
// own, it goes to the console it was started from, if any, and there as
// wide characters, which any console shows whatever its code page.
void writeToConsole(std::FILE *stream, const QString &text);

// The program's arguments as typed, Cyrillic ones too (a type's name for
// --types): on Linux decoded from main()'s UTF-8; on Windows, whose main()
// gets them in the system's code page, which may lack the letters, taken
// from the wide command line instead.
QStringList commandLineArguments(int argc, char *argv[]);

// Why no window could be opened, in English and Bulgarian, for the one-line
// error that follows "cannot open a window: ": a display missing on Linux,
// the window system's plug-in missing on Windows.
QString noWindowReason();

// Lets a program that paints but shows no window (the worksheet from the
// command line) start without a display: on Linux on Qt's offscreen
// platform; Windows needs none. Call it before the application object.
void useNoDisplay();

#endif // CONSOLE_H
