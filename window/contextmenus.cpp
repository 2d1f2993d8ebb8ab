#include "contextmenus.h"

#include "controltable.h"

#include <QAction>
#include <QApplication>
#include <QContextMenuEvent>
#include <QFrame>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <QTimer>
#include <QWindow>

#include <chrono>
#include <memory>

ContextMenus::ContextMenus(QWidget *window, const controltable::Controls &controls,
                           const QList<QAction *> &items)
    : QObject(window), m_window(window), m_items(items)
{
    // «Десен бутон или F2: чертеж на триъгълника …», one line an item.
    QStringList lines;
    for (const QAction *item : items)
        lines << QStringLiteral("Десен бутон или %1: %2.")
                     .arg(item->shortcut().toString(QKeySequence::NativeText), item->toolTip());
    const QString hint = lines.join(u'\n');
    for (QLineEdit *box : controls.text2) {
        box->installEventFilter(this);
        // The whole value is in the tooltip, for a value longer than its box,
        // with the way to the windows below it.
        box->setToolTip(hint);
        connect(box, &QLineEdit::textChanged, box, [box, hint](const QString &text) {
            box->setToolTip(text.isEmpty() ? hint : text + u'\n' + hint);
        });
    }
    for (QWidget *panel : {static_cast<QWidget *>(controls.frame1),
                           static_cast<QWidget *>(controls.command1[0]),
                           static_cast<QWidget *>(controls.command1[1])})
        panel->installEventFilter(this);
    // Shift+F10 opens the focused control's menu, as the Menu key does: the
    // key that desktop programs and screen reader users know, which Qt turns
    // into a menu only on Windows.
    auto *menuKey = new QAction(window);
    menuKey->setShortcut(QKeySequence(Qt::SHIFT | Qt::Key_F10));
    connect(menuKey, &QAction::triggered, this, &ContextMenus::openFromKeyboard);
    window->addAction(menuKey);
}

bool ContextMenus::eventFilter(QObject *watched, QEvent *event)
{
    // A disabled box has no menu of its own: its menu is the panel's.
    if (event->type() == QEvent::ContextMenu) {
        auto *widget = static_cast<QWidget *>(watched);
        if (!widget->isEnabled())
            return false;
        show(widget, *static_cast<QContextMenuEvent *>(event));
        return true;
    }
    return false;
}

void ContextMenus::show(QWidget *widget, const QContextMenuEvent &event)
{
    std::unique_ptr<QMenu> menu;
    QAction *first = nullptr;
    if (auto *box = qobject_cast<QLineEdit *>(widget)) {
        // The box's own menu (Copy, Select All, ...) with the items on top.
        menu.reset(box->createStandardContextMenu());
        first = menu->actions().value(0);
    } else {
        menu = std::make_unique<QMenu>(widget);
    }
    // Items of this menu's own, not the window's actions: Qt's accessibility
    // keeps one interface per action, tied to the first menu that showed it,
    // and a screen reader would hear nothing of the same action in a later
    // menu. Like Qt's own items («Копиране», ...) each carries its key after
    // a tab, which the menu shows on the right and a screen reader reads
    // with the item.
    QAction *top = nullptr;
    for (QAction *action : m_items) {
        auto *item = new QAction(action->text() + u'\t'
                                     + action->shortcut().toString(QKeySequence::NativeText),
                                 menu.get());
        connect(item, &QAction::triggered, action, &QAction::trigger);
        menu->insertAction(first, item);
        top = top ? top : item;
    }
    if (first)
        menu->insertSeparator(first);
    // Opened from the keyboard, the menu starts on its first item, as menus
    // of other desktop programs do, and a screen reader reads that item at
    // once. Only once the menu has the keyboard: then assistive technology
    // is told that the window under it is active, and a screen reader that
    // had already begun the item would break off to name the window. Where
    // a menu never becomes the focus window, a moment after it opens.
    if (event.reason() == QContextMenuEvent::Keyboard && top) {
        QMenu *shown = menu.get();
        const auto highlight = [shown, top] {
            if (!shown->activeAction())
                shown->setActiveAction(top);
        };
        connect(qApp, &QGuiApplication::focusWindowChanged, shown,
                [shown, highlight](QWindow *window) {
                    if (window && window == shown->windowHandle())
                        QMetaObject::invokeMethod(shown, highlight, Qt::QueuedConnection);
                });
        QTimer::singleShot(std::chrono::milliseconds(200), shown, highlight);
    }
    menu->exec(event.globalPos());
}

void ContextMenus::openFromKeyboard()
{
    // What Qt does for the Menu key: a context menu event from the keyboard
    // at the focused control's text cursor (or its middle), which goes up to
    // the panel when the control has no menu of its own.
    QWidget *focus = QApplication::focusWidget();
    if (!focus || focus->window() != m_window)
        return;
    const QPoint position = focus->inputMethodQuery(Qt::ImCursorRectangle).toRect().center();
    QContextMenuEvent event(QContextMenuEvent::Keyboard, position, focus->mapToGlobal(position));
    QApplication::sendEvent(focus, &event);
}
