#ifndef WINDOWLINK_H
#define WINDOWLINK_H

#include <QObject>
#include <QSize>

#include <functional>

class QAction;
class QKeySequence;
class QString;
class QWidget;

// A way from the main window to a window beside it: an action with its key,
// anywhere in the main window, that opens the window, made when it is first
// asked for, over the main window on its screen, and raises it when it is
// open already. The action's tooltip says what the window is for, as the
// value boxes' tooltips tell it.
class WindowLink : public QObject
{
    Q_OBJECT

public:
    WindowLink(QWidget *main, const QString &text, const QKeySequence &key,
               const QString &purpose, std::function<QWidget *()> make);

    QAction *openAction() const { return m_open; }
    // The window, once it has been opened; null until then.
    QWidget *window() const { return m_window; }

    void open();

private:
    QWidget *m_main;
    QAction *m_open;
    std::function<QWidget *()> m_make;
    QWidget *m_window = nullptr;
    QSize m_preferred;
};

#endif // WINDOWLINK_H
