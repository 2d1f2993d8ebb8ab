#include "companionlink.h"

#include "kovrenda.h"
#include "solutionwindow.h"
#include "windowlink.h"

CompanionLink::CompanionLink(Kovrenda *window) : QObject(window)
{
    m_link = new WindowLink(window, QStringLiteral("Чертеж и решение…"), Qt::Key_F2,
                            QStringLiteral("чертеж на триъгълника с двете окръжности и "
                                           "решението стъпка по стъпка"),
                            [this, window] {
                                m_companion = new SolutionWindow(window);
                                m_companion->showOutcome(m_lastOutcome);
                                return m_companion;
                            });
    // The companion follows every calculation, whether it is open or not yet.
    connect(window, &Kovrenda::calculated, this,
            [this](solver::Variant variant, const solver::Triangle &triangle) {
                keep(Solved{variant, triangle});
            });
    connect(window, &Kovrenda::calculationFailed, this,
            [this](const QString &message) { keep(Failed{message}); });
}

QAction *CompanionLink::openAction() const
{
    return m_link->openAction();
}

void CompanionLink::open()
{
    m_link->open();
}

void CompanionLink::keep(const Outcome &outcome)
{
    m_lastOutcome = outcome;
    if (m_companion)
        m_companion->showOutcome(m_lastOutcome);
}

QString CompanionLink::spokenSummary() const
{
    return m_companion && m_companion->isVisible() ? m_companion->spokenSummary() : QString();
}
