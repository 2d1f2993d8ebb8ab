#include "accessibility.h"

#include <QAccessibleWidget>
#include <QString>
#include <QWidget>

#include <algorithm>
#include <vector>

namespace accessibility {
namespace {

constexpr char roleProperty[] = "kovrenda-accessible-role";

QAccessibleInterface *widgetWithRole(const QString &, QObject *object)
{
    auto *widget = qobject_cast<QWidget *>(object);
    const QVariant role = widget ? widget->property(roleProperty) : QVariant();
    if (!role.isValid())
        return nullptr;
    return new QAccessibleWidget(widget, QAccessible::Role(role.toInt()));
}

} // namespace

void installFactory(QAccessible::InterfaceFactory factory)
{
    // Only the user-interface thread creates widgets.
    static std::vector<QAccessible::InterfaceFactory> installed;
    if (std::ranges::find(installed, factory) == installed.end()) {
        installed.push_back(factory);
        QAccessible::installFactory(factory);
    }
}

void setRole(QWidget *widget, QAccessible::Role role)
{
    installFactory(widgetWithRole);
    widget->setProperty(roleProperty, int(role));
}

QString spoken(const QString &text)
{
    QString said;
    said.reserve(text.size() + 32);
    for (qsizetype i = 0; i < text.size();) {
        qsizetype end = i;
        while (end < text.size() && text[end].isLetter())
            ++end;
        if (end == i) {
            said += text[i++];
            continue;
        }
        const QStringView word = QStringView(text).sliced(i, end - i);
        if (word == u"r" || word == u"R") {
            // "2R" is said "2 главно R", not run together.
            if (!said.isEmpty() && said.back().isLetterOrNumber())
                said += u' ';
            said += word == u"r" ? u"малко r" : u"главно R";
        } else {
            said += word;
        }
        i = end;
    }
    return said;
}

} // namespace accessibility
