#ifndef HANDLEFIGURE_H
#define HANDLEFIGURE_H

#include "figurepainting.h"
#include "handles.h"
#include "solver.h"

#include <QWidget>

#include <optional>

// The drawing of «Задача по избор» as an instrument: its vertices C, A and
// B are handles (handles.h) that the pointer drags, a click on a path
// moves, and the keyboard steps, as on a slider. The widget only maps the
// pointer or the key to a place on a path and asks for it
// (moveRequested()); the window solves the triangle there and hands it back
// (setTriangle()), and only then does the drawing change.
//
// Until a vertex moves, the drawing is the one «Чертеж и решение» paints
// for the triangle. From the first move on it keeps what the handle keeps
// where it is on the screen (for C the hypotenuse, for A the vertices C and
// B), so that the vertex stays under the pointer; when the pointer lets go,
// and after each key, the figure is fitted to the view again, in the same
// orientation.
//
// The focus lands on handle C, by code or by Tab; Tab goes on to A and B
// and then out of the drawing, Shift+Tab back the same way. The accessible
// name says which vertex is chosen, the description the triangle.
class HandleFigure : public QWidget
{
    Q_OBJECT

public:
    explicit HandleFigure(QWidget *parent = nullptr);

    // A triangle to show: `fresh` for a new one (drawn as at rest), else
    // the one a move asked for.
    void setTriangle(const solver::Triangle &triangle, const handles::Legs &legs,
                     const FigureLabels &labels, const QString &description, bool fresh);
    void clear();
    bool hasTriangle() const { return m_triangle.has_value(); }

    handles::Handle handle() const { return m_handle; }
    // Whether a vertex is being dragged, or was moved by the keyboard while
    // the drawing has the focus: what the invariants under it are for.
    bool isMoving() const { return m_drag.has_value(); }
    std::optional<handles::Handle> lastMoved() const { return m_lastMoved; }

    // Where a vertex is drawn, in the widget's coordinates.
    QPointF vertex(handles::Handle handle) const;

    QFont labelFont() const;
    QSize sizeHint() const override;
    QSize minimumSizeHint() const override;

signals:
    void moveRequested(handles::Handle handle, const handles::Place &place);
    // A key was let go or the pointer released: a good moment to say where
    // the handle came to rest.
    void moveFinished();

protected:
    void paintEvent(QPaintEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;
    void keyReleaseEvent(QKeyEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;
    void mouseMoveEvent(QMouseEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;
    void leaveEvent(QEvent *event) override;
    void focusInEvent(QFocusEvent *event) override;
    void focusOutEvent(QFocusEvent *event) override;
    bool focusNextPrevChild(bool next) override;

private:
    figure::Geometry geometry() const;
    void takeFrame();
    void follow(handles::Handle moved);
    void refit();
    void choose(handles::Handle handle);
    void request(handles::Handle handle, const handles::Place &place);
    std::optional<handles::Handle> handleAt(QPointF point) const;
    std::optional<handles::Handle> pathAt(QPointF point) const;
    double rawAt(handles::Handle handle, QPointF point) const;
    void dragTo(handles::Handle handle, QPointF point, Qt::KeyboardModifiers modifiers);
    void updateCursor(QPointF point);
    qreal em() const;
    void paintPath(QPainter &painter, handles::Handle handle) const;
    void paintStays(QPainter &painter, handles::Handle handle) const;

    std::optional<solver::Triangle> m_triangle;
    handles::Legs m_legs;
    FigureLabels m_labels;
    // The vertices on the screen once a handle has moved; until then the
    // drawing at rest gives them.
    bool m_moved = false;
    QPointF m_A;
    QPointF m_B;
    QPointF m_C;
    // Pixels per unit of length.
    qreal m_scale = 1;
    // Which side of AB the vertex C lies on: +1 or -1.
    qreal m_side = 1;
    handles::Handle m_handle = handles::Handle::C;
    std::optional<handles::Handle> m_hover;
    std::optional<handles::Handle> m_drag;
    std::optional<handles::Handle> m_lastMoved;
    // The legs a move asked for, to tell a triangle that came back with the
    // legs' names swapped (a pair that names the longer leg a).
    std::optional<handles::Legs> m_asked;
};

#endif // HANDLEFIGURE_H
