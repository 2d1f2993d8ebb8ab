#ifndef SOLUTIONWINDOW_H
#define SOLUTIONWINDOW_H

#include "solver.h"

#include <QWidget>

class FigureView;
class QLabel;
class QTextEdit;
class QPushButton;
class QStackedWidget;

// The companion of the main window: the last solved triangle drawn to scale
// with both its circles, beside the solution written out step by step. It is
// given the solver's values and never reads the value boxes. «Копирай»,
// «Запази…» and «Печат…» take the drawing and the steps out of the program.
// It is a window of its own, not modal, and closing it (Esc does) only hides
// it.
class SolutionWindow : public QWidget
{
    Q_OBJECT

public:
    // A top-level window (Qt::Window) even with a parent.
    explicit SolutionWindow(QWidget *parent = nullptr);

    // The last successful calculation: the variant solved and the four values
    // the solver returned; the givens are among them.
    void showSolution(solver::Variant variant, const solver::Triangle &triangle);
    // A failed calculation: the text of the message the student read, shown
    // instead of a drawing.
    void showFailure(const QString &message);
    // Before any calculation: one line saying how to get one.
    void showNothingYet();

    // What the buttons do, past their dialogs.
    void copyToClipboard();
    bool saveTo(const QString &fileName);
    void saveAs();
    void print();

private:
    void showMessage(const QString &text);
    QFont printFont() const;

    QStackedWidget *m_pages = nullptr;
    FigureView *m_view = nullptr;
    QTextEdit *m_steps = nullptr;
    QLabel *m_message = nullptr;
    QPushButton *m_copy = nullptr;
    QPushButton *m_save = nullptr;
    QPushButton *m_print = nullptr;
    solver::Variant m_variant = solver::Variant::Legs;
    QString m_folder;
};

#endif // SOLUTIONWINDOW_H
