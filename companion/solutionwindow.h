#ifndef SOLUTIONWINDOW_H
#define SOLUTIONWINDOW_H

#include "outcome.h"
#include "solver.h"

#include <QStringList>
#include <QWidget>

class Announcer;
class FigureView;
class QLabel;
class QPushButton;
class QStackedWidget;
class StepsView;

// The companion of the main window: the last solved triangle drawn to scale
// with both its circles, beside the solution written out step by step. It is
// given the solver's values and never reads the value boxes. «Копирай»,
// «Запази…» and «Печат…» take the drawing and the steps out of the program;
// they read what the window shows from its one page value, never back from
// its widgets. It is a window of its own, not modal, and closing it (Esc
// does) only hides it.
//
// For a screen reader it is a window named by its title. Whenever it is shown
// the keyboard focus lands on what speaks its content: the drawing, described
// in one sentence with the way to the steps, or the text of the failure or of
// how to get a calculation. The steps are a list read step by step, and
// «Копирай» says what it copied.
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

    // The size the window opens at where the screen has room for it.
    static QSize preferredSize() { return {960, 560}; }

    // What the window shows, in one sentence for a screen reader: the
    // drawing described, the failure's reason and condition, or how to get a
    // calculation.
    QString spokenSummary() const;

    // What the buttons do, past their dialogs.
    void copyToClipboard();
    bool saveTo(const QString &fileName);
    void saveAs();
    void print();

protected:
    void showEvent(QShowEvent *event) override;

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
    // Gives the keyboard focus to what speaks the page shown.
    void focusPage();

    Page m_page;
    QStackedWidget *m_pages = nullptr;
    FigureView *m_view = nullptr;
    StepsView *m_steps = nullptr;
    QLabel *m_message = nullptr;
    Announcer *m_announcer = nullptr;
    QPushButton *m_copy = nullptr;
    QPushButton *m_save = nullptr;
    QPushButton *m_print = nullptr;
    QString m_folder;
};

#endif // SOLUTIONWINDOW_H
