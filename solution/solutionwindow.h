#ifndef SOLUTIONWINDOW_H
#define SOLUTIONWINDOW_H

#include "outcome.h"
#include "solver.h"

#include <QStringList>
#include <QWidget>

class FigureView;
class QLabel;
class QMargins;
class QTextEdit;
class QPushButton;
class QStackedWidget;

// The companion of the main window: the last solved triangle drawn to scale
// with both its circles, beside the solution written out step by step. It is
// given the solver's values and never reads the value boxes. «Копирай»,
// «Запази…» and «Печат…» take the drawing and the steps out of the program;
// they read what the window shows from its one page value, never back from
// its widgets. It is a window of its own, not modal, and closing it (Esc
// does) only hides it.
class SolutionWindow : public QWidget
{
    Q_OBJECT

public:
    // A top-level window (Qt::Window) even with a parent.
    explicit SolutionWindow(QWidget *parent = nullptr);

    // A calculation's outcome: a solved triangle with its drawing and steps,
    // the text of the message the student read instead of a drawing, or,
    // before any calculation, one line saying how to get one.
    void showOutcome(const Outcome &outcome);
    void showSolution(solver::Variant variant, const solver::Triangle &triangle)
    {
        showOutcome(Solved{variant, triangle});
    }
    void showFailure(const QString &message) { showOutcome(Failed{message}); }
    void showNothingYet() { showOutcome(std::monostate()); }

    // Sizes and places the window, before it is shown, inside an area of
    // the screen (the available area of the main window's screen), centred
    // on a point and moved wholly into the area: its preferred size where
    // that fits, and never larger than the area, its minimum size included.
    // The frame is the room the window system's decoration takes around it.
    void fitInto(const QRect &area, const QPoint &centre, const QMargins &frame);

    // What the buttons do, past their dialogs.
    void copyToClipboard();
    bool saveTo(const QString &fileName);
    void saveAs();
    void print();

private:
    // What the window shows: the outcome, and for a solved triangle its
    // steps, worked out once when the outcome comes.
    struct Page
    {
        Outcome outcome;
        QStringList steps;
    };

    const Solved *solved() const { return std::get_if<Solved>(&m_page.outcome); }
    QFont printFont() const;

    Page m_page;
    QStackedWidget *m_pages = nullptr;
    FigureView *m_view = nullptr;
    QTextEdit *m_steps = nullptr;
    QLabel *m_message = nullptr;
    QPushButton *m_copy = nullptr;
    QPushButton *m_save = nullptr;
    QPushButton *m_print = nullptr;
    QString m_folder;
};

#endif // SOLUTIONWINDOW_H
