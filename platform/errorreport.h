#ifndef ERRORREPORT_H
#define ERRORREPORT_H

class QString;
class QWidget;

// Tells the user that an action failed, in a modal message box over the
// given window, and returns when the user has dismissed it. The program goes
// on running afterwards.
void reportError(QWidget *parent, const QString &title, const QString &text);

#endif // ERRORREPORT_H
