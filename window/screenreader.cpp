#include "screenreader.h"

#include "announcer.h"
#include "companionlink.h"
#include "kovrenda.h"
#include "numbertext.h"
#include "spoken.h"
#include "variants.h"

#include <QStringList>

namespace {

// The two computed values of a calculation as the boxes write them, with
// their columns' names: «b = 4, r = 1» for «Вариант 3» (said «b = 4, малко r
// = 1», see speech::spoken).
QString resultSentence(solver::Variant variant, const solver::Triangle &triangle)
{
    QStringList parts;
    for (const solver::Column column : solver::factsOf(variant).computed)
        parts << QStringLiteral("%1 = %2").arg(QLatin1String(solver::symbol(column)),
                                               numbertext::toText(solver::value(triangle, column)));
    return parts.join(QStringLiteral(", "));
}

} // namespace

ScreenReader::ScreenReader(Kovrenda *window, const CompanionLink *companion)
    : QObject(window), m_announcer(new Announcer(window))
{
    connect(window, &Kovrenda::calculated, this,
            [this, companion](solver::Variant variant, const solver::Triangle &triangle) {
                QString sentence = speech::spoken(resultSentence(variant, triangle));
                // The companion, open beside the window, has just followed the
                // calculation: what it shows now is told in the same
                // notification, since a second one would cut the first short.
                if (const QString summary = companion->spokenSummary(); !summary.isEmpty())
                    sentence += QStringLiteral(". ") + summary;
                m_announcer->announce(sentence);
            });
    connect(window, &Kovrenda::cleared, this,
            [this] { m_announcer->announce(QStringLiteral("Полетата са изчистени.")); });
}
