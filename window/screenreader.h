#ifndef SCREENREADER_H
#define SCREENREADER_H

#include <QObject>

class Announcer;
class CompanionLink;
class Kovrenda;

// What a screen reader is told of the main window's work, in one short
// notification each time, while the keyboard focus stays where it was: the
// computed values after Calculate («b = 4, малко r = 1»), with what the
// open companion now shows, and that the boxes were emptied after Clear.
class ScreenReader : public QObject
{
    Q_OBJECT

public:
    ScreenReader(Kovrenda *window, const CompanionLink *companion);

private:
    Announcer *m_announcer;
};

#endif // SCREENREADER_H
