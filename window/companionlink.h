#ifndef COMPANIONLINK_H
#define COMPANIONLINK_H

#include "outcome.h"

#include <QObject>

class Kovrenda;
class QAction;
class QString;
class SolutionWindow;
class WindowLink;

// The way from the main window to the companion window «Чертеж и решение»:
// F2 anywhere in the window opens it, and it shows the last calculation,
// whether it was open when that came or not. The companion is made when it
// first opens; until then the link keeps the outcome it is to show.
class CompanionLink : public QObject
{
    Q_OBJECT

public:
    explicit CompanionLink(Kovrenda *window);

    // «Чертеж и решение…», F2: opens the companion.
    QAction *openAction() const;

    // Opens (or raises) the companion on the main window's screen.
    void open();

    // What the open companion shows, in one sentence for a screen reader;
    // empty while it is not open.
    QString spokenSummary() const;

private:
    void keep(const Outcome &outcome);

    WindowLink *m_link;
    SolutionWindow *m_companion = nullptr;
    Outcome m_lastOutcome;
};

#endif // COMPANIONLINK_H
