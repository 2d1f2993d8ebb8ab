#ifndef PRACTICELINK_H
#define PRACTICELINK_H

class QWidget;
class WindowLink;

// The way from the main window to «Упражнение»: F3 anywhere in it.
WindowLink *linkPractice(QWidget *main);

#endif // PRACTICELINK_H
