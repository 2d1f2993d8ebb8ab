#ifndef SOLVEWINDOW_H
#define SOLVEWINDOW_H

#include "handles.h"
#include "pairs.h"

#include <QStringList>
#include <QTimer>
#include <QWidget>

#include <array>
#include <optional>
#include <variant>

struct FigureLabels;
class Announcer;
class HandleFigure;
class QComboBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QTabBar;
class QTableWidget;
class StepsView;

// «Задача по избор»: a right triangle from any two of its fourteen
// quantities, as a school problem gives them. Two rows «Дадено:», each a
// quantity and its value; «Реши» (or Enter) shows the table of all fourteen
// with their exact forms and decimals, the drawing with the givens
// labelled, and the steps from the givens to every other value; or, when
// the givens make no triangle, why, with the condition and its limit.
// Where the pair allows two triangles, a tab for each.
//
// Its drawing is an instrument as well: the vertices move along their
// paths (handlefigure.h), and each move solves the triangle anew from the
// same two givens, whose boxes follow, with the table, the steps and, under
// the drawing, what stays while C moves.
//
// A window of its own, not modal, placed and styled as «Чертеж и решение»;
// closing it (Esc does) only hides it. What it shows is one value (the
// page), which copying, saving and the screen reader read.
class SolveWindow : public QWidget
{
    Q_OBJECT

public:
    // A top-level window (Qt::Window) even with a parent.
    explicit SolveWindow(QWidget *parent = nullptr);

    static QSize preferredSize() { return {1000, 640}; }

    // Reads the two rows and shows what they give.
    void solve();
    // The table's lines and the steps, as «Копирай» copies them.
    QString text() const;
    void copyToClipboard();
    bool saveTo(const QString &fileName);
    void saveAs();

protected:
    void showEvent(QShowEvent *event) override;

private:
    struct Failed
    {
        QString title;
        QString message;
    };
    struct Page
    {
        std::variant<std::monostate, pairs::Solution, Failed> outcome;
        std::size_t triangle = 0;
        QStringList steps;
        // Which givens a move left rounded in their boxes (labelled to four
        // digits), and whether the triangle was solved from those roundings,
        // whose exact forms are then not the triangle's and not shown.
        std::array<bool, 2> rounded{};
        bool fromRounding = false;
    };

    void createGivens();
    void createResults();
    void createButtons();
    const pairs::Solution *solution() const { return std::get_if<pairs::Solution>(&m_page.outcome); }
    // `fresh` for a triangle solved from what was typed, else one a move of
    // the drawing's vertices gave; steps already worked out, if they are.
    void showSolution(pairs::Solution solution, std::size_t index, std::array<bool, 2> rounded,
                      bool fresh, bool fromRounding,
                      std::optional<QStringList> steps = std::nullopt);
    void showTriangle(std::size_t index, bool fresh = true,
                      std::optional<QStringList> steps = std::nullopt);
    void moveHandle(handles::Handle handle, const handles::Place &place);
    void showInvariant();
    void tellPlace();
    void tellMove();
    void showMessage(const QString &text, const QString &spoken);
    void showFailure(const QString &title, const QString &message);
    void nameGiven(int row);
    FigureLabels figureLabels() const;

    Page m_page;
    std::array<QComboBox *, 2> m_quantity{};
    std::array<QLineEdit *, 2> m_value{};
    QPushButton *m_solve = nullptr;
    QLabel *m_message = nullptr;
    QTabBar *m_triangles = nullptr;
    QTableWidget *m_table = nullptr;
    HandleFigure *m_figure = nullptr;
    QLabel *m_invariant = nullptr;
    StepsView *m_steps = nullptr;
    QPushButton *m_copy = nullptr;
    QPushButton *m_save = nullptr;
    Announcer *m_announcer = nullptr;
    // What a move tells a screen reader, at most four times a second while
    // a key is held, and once more where it comes to rest.
    QTimer m_speech;
    QString m_toTell;
    QString m_told;
    QString m_folder;
};

#endif // SOLVEWINDOW_H
