#ifndef LONELETTERS_H
#define LONELETTERS_H

#include <QString>

// How often the letter stands alone in the text (in "2R = c", not in a
// word): the r and R that a screen reader must tell apart.
inline qsizetype lone(const QString &text, QChar letter)
{
    qsizetype count = 0;
    for (qsizetype i = 0; i < text.size(); ++i)
        count += text[i] == letter && (i == 0 || !text[i - 1].isLetter())
                 && (i + 1 == text.size() || !text[i + 1].isLetter());
    return count;
}

#endif // LONELETTERS_H
