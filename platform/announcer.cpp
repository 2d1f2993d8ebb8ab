#include "announcer.h"

#include "accessibility.h"

#include <QAccessibleWidget>

namespace {

class AccessibleAnnouncer : public QAccessibleWidget
{
public:
    explicit AccessibleAnnouncer(Announcer *announcer)
        : QAccessibleWidget(announcer, QAccessible::Notification)
    {
    }

    QString text(QAccessible::Text t) const override
    {
        if (t == QAccessible::Name)
            return static_cast<const QLabel *>(widget())->text();
        return QAccessibleWidget::text(t);
    }
};

QAccessibleInterface *accessibleAnnouncer(const QString &, QObject *object)
{
    if (auto *announcer = qobject_cast<Announcer *>(object))
        return new AccessibleAnnouncer(announcer);
    return nullptr;
}

} // namespace

Announcer::Announcer(QWidget *parent)
    : QLabel(parent)
{
    accessibility::installFactory(accessibleAnnouncer);
    setObjectName(QStringLiteral("announcer"));
    setGeometry(0, 0, 0, 0);
    setAttribute(Qt::WA_TransparentForMouseEvents);
    hide(); // until the first sentence
}

void Announcer::announce(const QString &sentence)
{
    setText(sentence);
    // Appearing is what a screen reader speaks.
    hide();
    show();
}
