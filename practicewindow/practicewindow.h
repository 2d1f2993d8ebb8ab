#ifndef PRACTICEWINDOW_H
#define PRACTICEWINDOW_H

#include "answerreading.h"
#include "mastery.h"
#include "problem.h"
#include "record.h"

#include <QStringList>
#include <QWidget>

#include <array>
#include <future>
#include <memory>
#include <vector>

class Announcer;
class FigureView;
class QComboBox;
class QLabel;
class QLineEdit;
class QPushButton;
class ProgressWindow;
class StepsView;
class WorksheetDialog;

// «Упражнение»: the program poses a problem, the student works it out and
// types the answers, and the program says of each what is right and why.
// One problem at a time, of a type and a level the student chooses, with
// its triangle drawn beside it; its number poses it again anywhere. Hints
// are the steps of the worked solution, one at a time. Every check is kept
// in the practice record on this computer (progress/record.h), from which
// «Моят напредък» shows what the student has mastered and «По мярка»
// chooses the next problem; nothing in it changes the main window. Esc
// closes it (it only hides).
//
// For a screen reader it is a window named by its title; the problem is
// read when it is posed, and each verdict and hint is told as a
// notification.
class PracticeWindow : public QWidget
{
    Q_OBJECT

public:
    explicit PracticeWindow(QWidget *parent = nullptr);
    ~PracticeWindow() override;

    const practice::Problem &problem() const { return m_problem; }
    // Poses the problem of a number; false where there is none.
    bool pose(int number);
    // Poses another problem of the variant and level chosen.
    void next();
    // Checks the answers, as «Провери» does.
    void check();
    // Shows the next hint, as «Подсказка» does; then all, as «Решение».
    void hint();
    void showSolution();
    // Opens «Работен лист» for a sheet of such problems.
    void openWorksheet();
    // Opens «Моят напредък», as the button and Ctrl+P do.
    void openProgress();

    // The practice record this window adds to; tests give their own.
    progress::RecordFile &record();
    void useRecord(std::unique_ptr<progress::RecordFile> record);
    // What «По мярка» chose last, and why, in a line; empty under the other choices.
    QString advice() const;

    // The session's tally: «Решени: 3 от 4, от тях 2 без подсказка».
    QString tally() const;

protected:
    void showEvent(QShowEvent *event) override;
    void hideEvent(QHideEvent *event) override;

private:
    struct Answer
    {
        QLabel *symbol = nullptr;
        QLineEdit *box = nullptr;
        QLabel *reading = nullptr;
        QLabel *verdict = nullptr;
        practice::AnswerReading read;
    };

    void pose(const practice::Problem &problem);
    void readAnswer(int which);
    void showHints(int count);
    void updateTally();
    void tried();
    void copyToClipboard();
    void setUpTabOrder();
    void nextByMeasure();
    // Adds an attempt to the record, which is written in the background;
    // and waits for that write, before the record is read or added to.
    void keep(const progress::Attempt &attempt);
    void finishWriting();
    void showRecordMessage();

    practice::ProblemDrawer m_drawer;
    practice::Problem m_problem;
    QStringList m_hints;
    int m_hintsShown = 0;
    bool m_solved = false;
    bool m_helped = false;
    bool m_tried = false; // checked or asked for a hint
    int m_checks = 0;     // of this problem
    int m_triedCount = 0;
    int m_solvedCount = 0;
    int m_solvedAlone = 0;

    std::unique_ptr<progress::RecordFile> m_record;
    std::future<QString> m_writing;

    QComboBox *m_variant = nullptr;
    QComboBox *m_level = nullptr;
    QLineEdit *m_number = nullptr;
    QLabel *m_statement = nullptr;
    FigureView *m_figure = nullptr;
    // As many shown as the problem seeks.
    std::array<Answer, 3> m_answers;
    QPushButton *m_check = nullptr;
    QPushButton *m_hint = nullptr;
    QPushButton *m_solution = nullptr;
    QPushButton *m_next = nullptr;
    QPushButton *m_worksheet = nullptr;
    WorksheetDialog *m_worksheetDialog = nullptr;
    QPushButton *m_progress = nullptr;
    ProgressWindow *m_progressWindow = nullptr;
    QLabel *m_advice = nullptr;
    QLabel *m_recordMessage = nullptr;
    QLabel *m_hintCount = nullptr;
    StepsView *m_steps = nullptr;
    QLabel *m_tally = nullptr;
    Announcer *m_announcer = nullptr;
};

#endif // PRACTICEWINDOW_H
