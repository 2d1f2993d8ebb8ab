#ifndef ACCESSIBILITY_H
#define ACCESSIBILITY_H

#include <QAccessible>

class QString;
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

// The text as a screen reader is to say it, for a widget's accessible name
// or a notification: a Bulgarian voice says the letters r and R alike and
// marks no capitals, so each r and R that stands alone (in "2R = c",
// "r = 1", "R²", not inside a word) becomes «малко r» or «главно R».
// Everything else stays as written.
QString spoken(const QString &text);

} // namespace accessibility

#endif // ACCESSIBILITY_H
