#include "companionlink.h"

#include "kovrenda.h"
#include "solutionwindow.h"

#include <QAction>
#include <QScreen>

CompanionLink::CompanionLink(Kovrenda *window)
    : QObject(window), m_window(window),
      m_open(new QAction(QStringLiteral("Чертеж и решение…"), window))
{
    m_open->setShortcut(Qt::Key_F2);
    // The way there as the value boxes' tooltips tell it.
    m_open->setToolTip(QStringLiteral("чертеж на триъгълника с двете окръжности и решението "
                                      "стъпка по стъпка"));
    connect(m_open, &QAction::triggered, this, &CompanionLink::open);
    window->addAction(m_open);
    // The companion follows every calculation, whether it is open or not yet.
    connect(window, &Kovrenda::calculated, this,
            [this](solver::Variant variant, const solver::Triangle &triangle) {
                keep(Solved{variant, triangle});
            });
    connect(window, &Kovrenda::calculationFailed, this,
            [this](const QString &message) { keep(Failed{message}); });
}

void CompanionLink::keep(const Outcome &outcome)
{
    m_lastOutcome = outcome;
    if (m_companion)
        m_companion->showOutcome(m_lastOutcome);
}

void CompanionLink::open()
{
    if (!m_companion) {
        m_companion = new SolutionWindow(m_window);
        m_companion->showOutcome(m_lastOutcome);
    }
    if (!m_companion->isVisible()) {
        // On the main window's screen, wholly, at any scale factor; its
        // decoration is taken to be as large as the main window's.
        const QRect frame = m_window->frameGeometry();
        const QRect inside = m_window->geometry();
        const QMargins decoration(inside.left() - frame.left(), inside.top() - frame.top(),
                                  frame.right() - inside.right(), frame.bottom() - inside.bottom());
        m_companion->fitInto(m_window->screen()->availableGeometry(), frame.center(), decoration);
    }
    m_companion->show();
    m_companion->raise();
    m_companion->activateWindow();
}

QString CompanionLink::spokenSummary() const
{
    return m_companion && m_companion->isVisible() ? m_companion->spokenSummary() : QString();
}
