#ifndef ANNOUNCER_H
#define ANNOUNCER_H

#include <QLabel>

// Tells assistive technology, in one short sentence, what a calculation
// produced or that the boxes were emptied, without moving the keyboard focus.
// A screen reader follows the focus, which stays on «Изчисли» after a click,
// and ignores text that changes in boxes elsewhere; what it does speak is a
// notification that appears. So this is a label of no size (nothing on the
// screen) that assistive technology sees as a notification, and that is
// hidden and shown again with each new sentence.
class Announcer : public QLabel
{
    Q_OBJECT

public:
    explicit Announcer(QWidget *parent = nullptr);

    void announce(const QString &sentence);
};

#endif // ANNOUNCER_H
