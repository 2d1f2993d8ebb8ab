#include "attemptcsv.h"

#include <QLocale>

namespace progress {
namespace {

// A field as RFC 4180 has it: quoted where it holds a comma, a quote or a
// line break. What the student typed is never taken for a formula: a
// spreadsheet runs a field that begins with =, +, - or @, so such a field
// begins with an apostrophe instead.
QString field(QString text, bool typed = false)
{
    if (typed && !text.isEmpty() && QStringLiteral("=+-@\t\r").contains(text.front()))
        text.prepend(u'\'');
    if (text.contains(u',') || text.contains(u'"') || text.contains(u'\n') || text.contains(u'\r')) {
        text.replace(u'"', QStringLiteral("\"\""));
        return u'"' + text + u'"';
    }
    return text;
}

QString outcomeWord(Outcome outcome)
{
    switch (outcome) {
    case Outcome::Right:
        return QStringLiteral("вярно");
    case Outcome::Wrong:
        return QStringLiteral("невярно");
    case Outcome::Missing:
        break;
    }
    return QStringLiteral("липсва");
}

} // namespace

QStringList csvColumns()
{
    return {QStringLiteral("Ученик"),    QStringLiteral("Клас"),       QStringLiteral("Дата"),
            QStringLiteral("Час"),       QStringLiteral("Задача №"),   QStringLiteral("Вид задача"),
            QStringLiteral("Ниво"),      QStringLiteral("Опит"),       QStringLiteral("Подсказки"),
            QStringLiteral("Вярно"),     QStringLiteral("Отговор 1"),  QStringLiteral("Грешка 1"),
            QStringLiteral("Отговор 2"), QStringLiteral("Грешка 2"),   QStringLiteral("Отговор 3"),
            QStringLiteral("Грешка 3")};
}

QByteArray attemptsCsv(std::span<const Attempt> record, const Student &student)
{
    QString text = csvColumns().join(u',') + QStringLiteral("\r\n");
    const QString name = field(student.name.simplified(), true);
    const QString className = field(student.className.simplified(), true);
    for (const Attempt &a : record) {
        if (a.kind != Attempt::Kind::Check)
            continue;
        const QDateTime when = a.dateTime();
        const practice::TypeFacts &facts = practice::typeFacts(a.type);
        QStringList row = {name,
                           className,
                           when.toString(QStringLiteral("yyyy-MM-dd")),
                           when.toString(QStringLiteral("HH:mm")),
                           QString::number(a.number),
                           field(QString::fromUtf8(facts.name)),
                           practice::levelName(a.level),
                           QString::number(a.tries),
                           QString::number(a.hints),
                           a.right() ? QStringLiteral("да") : QStringLiteral("не")};
        for (int i = 0; i < 3; ++i) {
            if (i >= a.boxCount) {
                row << QString() << QString();
                continue;
            }
            const BoxResult &box = a.boxes[std::size_t(i)];
            row << QStringLiteral("%1: %2").arg(practice::symbolText(facts.sought[std::size_t(i)]),
                                                outcomeWord(box.outcome));
            row << (box.mistake >= 0
                        ? field(QString::fromUtf8(practice::knownMistakes()[std::size_t(box.mistake)].words))
                        : QString());
        }
        text += row.join(u',') + QStringLiteral("\r\n");
    }
    return text.toUtf8();
}

} // namespace progress
