#ifndef ANNOUNCER_H
#define ANNOUNCER_H

#include <QLabel>

// Tells assistive technology, in one short sentence, what an action did (a
// calculation's result, boxes emptied, a copy made), without moving the
// keyboard focus. A screen reader follows the focus, which stays on the
// button that was pressed, and ignores text that changes elsewhere; what it
// does speak is a notification that appears. So this is a label of no size
// (nothing on the screen) that assistive technology sees as a notification,
// and that is hidden and shown again with each new sentence.
class Announcer : public QLabel
{
    Q_OBJECT

public:
    explicit Announcer(QWidget *parent = nullptr);

    void announce(const QString &sentence);
};

#endif // ANNOUNCER_H
