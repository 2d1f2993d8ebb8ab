#ifndef SOLVEWINDOW_H
#define SOLVEWINDOW_H

#include "pairs.h"

#include <QStringList>
#include <QWidget>

#include <array>
#include <variant>

struct FigureLabels;
class Announcer;
class FigureView;
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
    };

    void createGivens();
    void createResults();
    void createButtons();
    const pairs::Solution *solution() const { return std::get_if<pairs::Solution>(&m_page.outcome); }
    void showTriangle(std::size_t index);
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
    FigureView *m_figure = nullptr;
    StepsView *m_steps = nullptr;
    QPushButton *m_copy = nullptr;
    QPushButton *m_save = nullptr;
    Announcer *m_announcer = nullptr;
    QString m_folder;
};

#endif // SOLVEWINDOW_H
