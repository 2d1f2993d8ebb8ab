#ifndef SOLVELINK_H
#define SOLVELINK_H

class QWidget;
class WindowLink;

// The way from the main window to «Задача по избор»: F4 anywhere in it.
WindowLink *linkSolve(QWidget *main);

#endif // SOLVELINK_H
