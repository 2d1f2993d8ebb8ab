#ifndef STEPSVIEW_H
#define STEPSVIEW_H

#include <QListWidget>
#include <QStringList>

// The solution's steps, one item a step. For the eye a column of paragraphs
// on white paper, each wrapped to the width with its lines indented past its
// number; for a screen reader a list, in which the arrow keys go from step to
// step and each step is read whole, however it wraps, with r and R told apart
// (speech::spoken). The student selects steps with the mouse or with
// Shift and the arrow keys (Ctrl+A all of them), and Ctrl+C copies them as
// text, one line a step (the current step when none is selected).
class StepsView : public QListWidget
{
    Q_OBJECT

public:
    explicit StepsView(QWidget *parent = nullptr);

    void setSteps(const QStringList &steps);
    // The steps as shown, one line each.
    QString text() const;
    // The selected steps in their order, one line each.
    QString selectedText() const;

protected:
    void keyPressEvent(QKeyEvent *event) override;
    void focusInEvent(QFocusEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;
};

#endif // STEPSVIEW_H
