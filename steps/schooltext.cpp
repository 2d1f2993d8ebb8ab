#include "schooltext.h"

#include "numbertext.h"

namespace {

std::string pointOf(const QLocale &locale)
{
    return locale.decimalPoint().toStdString();
}

} // namespace

QString schoolText(double value, int significantDigits, const QLocale &locale)
{
    // The boxes' general format keeps its choice of where a power of ten
    // begins; only its spelling changes.
    QString text = numbertext::toText(value, significantDigits, locale);
    const qsizetype e = text.indexOf(u'e');
    if (e < 0)
        return text.replace(u'-', u'−');
    const long long exponent = text.mid(e + 1).toLongLong();
    text.truncate(e);
    text.replace(u'-', u'−');
    return text + QStringLiteral("·10") + QString::fromStdString(exact::superscript(exponent));
}

QString schoolText(const exact::Number &value, const QLocale &locale)
{
    return QString::fromStdString(exact::schoolText(value, pointOf(locale)));
}

QString schoolText(const exact::Decimal &value, const QLocale &locale)
{
    return QString::fromStdString(exact::schoolText(value, pointOf(locale)));
}
