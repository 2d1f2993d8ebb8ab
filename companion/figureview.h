#ifndef FIGUREVIEW_H
#define FIGUREVIEW_H

#include "figurepainting.h"
#include "solver.h"

#include <QWidget>

#include <optional>

// The figure of the last solved triangle, painted anew at every size and
// scale factor (nothing is kept as a bitmap), on its own white paper; blank
// paper until there is a triangle. It takes the keyboard focus, and
// assistive technology sees an image named «Чертеж» whose description says
// what it shows.
class FigureView : public QWidget
{
    Q_OBJECT

public:
    explicit FigureView(QWidget *parent = nullptr);

    void setTriangle(const solver::Triangle &triangle);
    // A problem's figure: the labels it poses the problem with, and in words
    // what it shows, which its values would give away.
    void setProblem(const solver::Triangle &triangle, const FigureLabels &labels,
                    const QString &description);
    // Back to blank paper, with no description.
    void clear();

    // What the figure shows, in words, as painted at the view's size; empty
    // without a triangle.
    QString description() const;
    // A sentence a screen reader hears after the description: where to go
    // from the figure.
    void setNote(const QString &note);

    // The font of the labels, sized in pixels, for painting the same figure
    // elsewhere (a file, the clipboard, paper).
    QFont labelFont() const;

    QSize sizeHint() const override;
    QSize minimumSizeHint() const override;

protected:
    void paintEvent(QPaintEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;

private:
    void describe();

    std::optional<solver::Triangle> m_triangle;
    FigureLabels m_labels;
    std::optional<QString> m_problemDescription;
    QString m_note;
};

#endif // FIGUREVIEW_H
