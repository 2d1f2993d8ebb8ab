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

} // namespace accessibility
