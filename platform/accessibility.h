#ifndef ACCESSIBILITY_H
#define ACCESSIBILITY_H

#include <QAccessible>

class QWidget;

// How assistive technology sees the program's widgets where Qt's guess from
// a widget's class is wrong.
namespace accessibility {

// Installs a factory of accessible interfaces for the whole process, once
// however often it is asked for: each kind of widget that needs its own
// interface asks for its factory when one is created.
void installFactory(QAccessible::InterfaceFactory factory);

// Gives the widget a role of its own, such as Window for a top-level widget
// that Qt would show as a bare client area, or Grouping for a frame that Qt
// would show as a window. Call it before the widget is first shown: an
// interface, once made, keeps its role.
void setRole(QWidget *widget, QAccessible::Role role);

} // namespace accessibility

#endif // ACCESSIBILITY_H
