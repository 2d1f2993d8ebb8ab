#ifndef COMMANDLINE_H
#define COMMANDLINE_H

#include <optional>

// What the program does with its command line, before any window or display
// is needed: --help and --version print and end the program, anything it
// does not know ends it with a one-line error. Qt's own options (-platform,
// -style, ...) are left for QApplication to take.
//
// Returns the exit status when the program is to end here, or nothing when
// it is to go on and open its window.
std::optional<int> handleCommandLine(int argc, char *argv[]);

// Creates the application object. Where no display can be opened, Qt's own
// reaction is a page of advice and an abort; instead this prints one plain
// line and ends the program with status 1.
class QApplication;
QApplication *createApplication(int &argc, char *argv[]);

#endif // COMMANDLINE_H
