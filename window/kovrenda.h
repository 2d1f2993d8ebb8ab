#ifndef KOVRENDA_H
#define KOVRENDA_H

#include "controltable.h"
#include "solver.h"

#include <QWidget>

#include <cstdint>

class CompanionLink;

// The program's one window: a right triangle with its inscribed and
// circumscribed circles. It opens in the intro phase, a dotted triangle
// animated on a white picture, and turns for good into the working panel
// (four variant selectors, a four-by-four grid of value boxes, Calculate and
// Clear) when the intro ends by itself or the picture is clicked.
//
// Every control is created from one table (controltable.cpp) and keeps the
// name it has there ("Text2(8)", "Option1(2)", "Command1(1)", ...) as its
// objectName. The handlers are named after the control and event that call
// them and are public so that tests can run a step directly.
//
// Beside the form stand the windows that it opens (companionlink.h), the
// context menus that lead there (contextmenus.h) and what a screen reader is
// told (screenreader.h); each is attached by one call and listens to the
// signals below.
class Kovrenda : public QWidget
{
    Q_OBJECT

public:
    explicit Kovrenda(QWidget *parent = nullptr);
    ~Kovrenda() override;

    // Runs once, from the constructor, before the window is first shown.
    void Form_Load();
    // Index 0 is Clear, index 1 Calculate.
    void Command1_Click(int index);
    // A variant was chosen: index 0..3 is the row.
    void Option1_Click(int index);
    void Picture1_Click();
    void Timer1_Timer();

    std::int16_t selectedVariant() const { return m_selectedVariant; }
    int introStep() const { return m_introStep; }

    // Opens (or raises) the companion window «Чертеж и решение» with the
    // drawing and the steps of the last calculation, as F2 and the context
    // menus do.
    void openSolution();

signals:
    // After each Calculate: the variant and the four values as the solver
    // returned them (the boxes show them as text), or the message that the
    // student read when there was no triangle.
    void calculated(solver::Variant variant, const solver::Triangle &triangle);
    void calculationFailed(const QString &message);
    // After Clear.
    void cleared();

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void EndIntro();
    void ClearBoxes();
    void SolveVariant();
    void disableAndEmptyBoxes();

    // The steps of the constructor.
    void setUpWindow();
    void wirePanel();
    void attachAdditions();

    controltable::Controls m_controls;
    CompanionLink *m_companion = nullptr;

    std::int16_t m_selectedVariant = 0;
    // Whether a selector has been chosen yet: a Calculate before that works
    // on the first row, and its failure asks for a choice.
    bool m_variantChosen = false;
    std::int16_t m_introStep = 0;
};

#endif // KOVRENDA_H
