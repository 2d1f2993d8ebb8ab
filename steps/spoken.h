#ifndef SPOKEN_H
#define SPOKEN_H

#include "variants.h"

#include <QString>

namespace speech {

// The text as a screen reader is to say it, for a widget's accessible name
// or a notification: a Bulgarian voice says the letters r and R alike and
// marks no capitals, so each r and R that stands alone (in "2R = c",
// "r = 1", "R²", not inside a word) becomes «малко r» or «главно R».
// Everything else stays as written.
QString spoken(const QString &text);

// What a column holds, in the task statement's words, where its letter alone
// does not tell it by ear: «радиус на вписаната окръжност» for r, «радиус на
// описаната окръжност» for R; empty for the legs.
QString columnMeaning(solver::Column column);

} // namespace speech

#endif // SPOKEN_H
