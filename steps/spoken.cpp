#include "spoken.h"

namespace speech {

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

QString columnMeaning(solver::Column column)
{
    switch (column) {
    case solver::Column::r:
        return QStringLiteral("радиус на вписаната окръжност");
    case solver::Column::R:
        return QStringLiteral("радиус на описаната окръжност");
    case solver::Column::a:
    case solver::Column::b:
        break;
    }
    return {};
}

} // namespace speech
