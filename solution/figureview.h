#ifndef FIGUREVIEW_H
#define FIGUREVIEW_H

#include "solver.h"

#include <QWidget>

// The figure of the last solved triangle, painted anew at every size and
// scale factor (nothing is kept as a bitmap), on its own white paper.
class FigureView : public QWidget
{
    Q_OBJECT

public:
    explicit FigureView(QWidget *parent = nullptr);

    void setTriangle(const solver::Triangle &triangle);

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

    solver::Triangle m_triangle{3, 4, 1, 2.5};
};

#endif // FIGUREVIEW_H
