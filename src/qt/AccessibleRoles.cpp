#include "qt/AccessibleRoles.h"

#include <QAccessibleWidget>
#include <QVariant>

namespace dorvane {

namespace {

constexpr char kRoleProperty[] = "dorvaneAccessibleRole";

// Asked by Qt for each class of an object's chain, the most derived first.
QAccessibleInterface* RoleFactory(const QString&, QObject* object) {
  auto* widget = qobject_cast<QWidget*>(object);
  if (widget == nullptr) return nullptr;
  const QVariant role = widget->property(kRoleProperty);
  if (!role.isValid()) return nullptr;
  return new QAccessibleWidget(widget, static_cast<QAccessible::Role>(role.toInt()));
}

}  // namespace

void SetAccessibleRole(QWidget& widget, QAccessible::Role role) {
  static const bool installed = (QAccessible::installFactory(RoleFactory), true);
  static_cast<void>(installed);
  widget.setProperty(kRoleProperty, static_cast<int>(role));
}

}  // namespace dorvane
