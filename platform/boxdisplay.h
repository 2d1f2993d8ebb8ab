#ifndef BOXDISPLAY_H
#define BOXDISPLAY_H

class QLineEdit;
class QString;

// A number longer than its box must not read as a smaller one: the start of
// "10000000000" at the edge of a box reads as a hundred million, and the
// last digit of a long decimal is cut in half. A box set up here, whenever
// the student is not working in it (it has no keyboard focus and no
// selection) and its text does not fit, shows instead what a calculator's
// display would: the same number with as many significant digits as fit,
// correctly rounded, trailing zeros kept, in the same form ("4.247352",
// "0.500000" for 0.49999975, "1.00e+10" for 10000000000). Text
// that is not a number as the program writes it shows as much of itself as
// fits in whole characters, then "…". The box's text stays as it is:
// copying it gives every digit.
namespace boxdisplay {

void install(QLineEdit *box);

// What the box shows now.
QString shownText(const QLineEdit *box);

} // namespace boxdisplay

#endif // BOXDISPLAY_H
