#ifndef FUZZ_LOCALES_H
#define FUZZ_LOCALES_H

#include <QLocale>

// The two decimal separators every written number must survive: "." (the C
// locale) and "," (Bulgarian settings). Made once, as a fuzzer calls them
// millions of times.
inline const QLocale &pointLocale()
{
    static const QLocale locale = QLocale::c();
    return locale;
}

inline const QLocale &commaLocale()
{
    static const QLocale locale(QLocale::Bulgarian, QLocale::Bulgaria);
    return locale;
}

#endif // FUZZ_LOCALES_H
