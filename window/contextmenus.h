#ifndef CONTEXTMENUS_H
#define CONTEXTMENUS_H

#include <QList>
#include <QObject>

class QAction;
class QContextMenuEvent;
class QWidget;

namespace controltable {
struct Controls;
}

// The context menus that lead from the form to the windows beside it: those
// of the value boxes, of the panel (a selector's or a heading's goes up to
// it) and of the two buttons, opened by the mouse, the Menu key or
// Shift+F10, each with the given items on top (a box keeps its own items
// below them). The value boxes' tooltips name the way there, below the
// box's whole value.
class ContextMenus : public QObject
{
    Q_OBJECT

public:
    ContextMenus(QWidget *window, const controltable::Controls &controls,
                 const QList<QAction *> &items);

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void show(QWidget *widget, const QContextMenuEvent &event);
    void openFromKeyboard();

    QWidget *m_window;
    QList<QAction *> m_items;
};

#endif // CONTEXTMENUS_H
