#include "windowlink.h"

#include "placement.h"

#include <QAction>
#include <QWidget>

WindowLink::WindowLink(QWidget *main, const QString &text, const QKeySequence &key,
                       const QString &purpose, std::function<QWidget *()> make)
    : QObject(main), m_main(main), m_open(new QAction(text, main)), m_make(std::move(make))
{
    m_open->setShortcut(key);
    m_open->setToolTip(purpose);
    connect(m_open, &QAction::triggered, this, &WindowLink::open);
    main->addAction(m_open);
}

void WindowLink::open()
{
    if (!m_window) {
        m_window = m_make();
        // The size it was made with is the one it opens at where it fits.
        m_preferred = m_window->size();
    }
    if (!m_window->isVisible())
        placeOver(m_window, m_main, m_preferred);
    m_window->show();
    m_window->raise();
    m_window->activateWindow();
}
