#include "progressreport.h"

#include "mastery.h"
#include "paperpage.h"

#include <QFileInfo>
#include <QFont>
#include <QFontMetricsF>
#include <QPagedPaintDevice>
#include <QPainter>
#include <QSaveFile>

#include <algorithm>
#include <map>

namespace report {
namespace {

// An A4 page in points, and what goes where on it.
constexpr qreal pageWidth = paper::a4Width;
constexpr qreal pageHeight = paper::a4Height;
constexpr qreal margin = 42;
constexpr qreal contentWidth = pageWidth - 2 * margin;
constexpr qreal footerTop = pageHeight - margin - 12;

const QColor ink(20, 20, 20);
const QColor quietInk(90, 90, 90);
const QColor rule(170, 170, 170);
const QColor shade(236, 240, 248);

QFont font(qreal points, bool bold = false)
{
    return paper::serif(points, bold);
}

QString dateText(const QDateTime &when)
{
    return when.toString(QStringLiteral("dd.MM.yyyy"));
}

QString numberList(const std::vector<int> &numbers, const std::vector<int> &marked)
{
    QStringList items;
    for (const int n : numbers)
        items << (std::ranges::find(marked, n) != marked.end() ? QStringLiteral("%1*").arg(n)
                                                              : QString::number(n));
    return items.join(QStringLiteral(", "));
}

class ReportPainter
{
public:
    ReportPainter(QPagedPaintDevice &device, std::span<const progress::Attempt> record,
                  const progress::Student &student, const QDateTime &now)
        : m_device(device), m_record(record), m_student(student), m_now(now),
          m_progress(progress::progressOf(record))
    {
    }

    bool paint()
    {
        if (!paper::beginA4(m_painter, m_device))
            return false;
        heading();
        table();
        mistakes();
        numbers();
        footer();
        return m_painter.end();
    }

private:
    qreal textHeight(const QString &text, const QFont &f, qreal width) const
    {
        return QFontMetricsF(f).boundingRect(QRectF(0, 0, width, 1e6), Qt::TextWordWrap, text).height();
    }

    void write(const QString &text, const QFont &f, const QColor &colour, qreal after = 4)
    {
        const qreal height = textHeight(text, f, contentWidth);
        m_painter.setFont(f);
        m_painter.setPen(colour);
        m_painter.drawText(QRectF(margin, m_y, contentWidth, height), Qt::TextWordWrap, text);
        m_y += height + after;
    }

    void heading()
    {
        m_y = margin;
        write(QStringLiteral("Отчет за упражненията"), font(17, true), ink, 2);
        write(QStringLiteral("Математика - окръжност в правоъгълен триъгълник"), font(10), quietInk, 8);
        const QString name = m_student.name.simplified();
        const QString className = m_student.className.simplified();
        write(QStringLiteral("Ученик: %1    Клас: %2    Дата: %3")
                  .arg(name.isEmpty() ? QStringLiteral("—") : name,
                       className.isEmpty() ? QStringLiteral("—") : className,
                       m_now.toString(QStringLiteral("dd.MM.yyyy"))),
              font(11), ink, 6);
        const progress::Totals totals = progress::totalsOf(m_progress);
        // The first and the last problem's days.
        const auto isProblem = [](const progress::Attempt &a) {
            return a.kind == progress::Attempt::Kind::Check && a.tries == 1;
        };
        const auto first = std::ranges::find_if(m_record, isProblem);
        const auto last = std::ranges::find_if(m_record.rbegin(), m_record.rend(), isProblem);
        write(totals.problems == 0
                  ? QStringLiteral("Записът е празен: още няма проверени задачи.")
                  : QStringLiteral("Задачи: %1, от тях %2 верни от първия опит без подсказка; "
                                   "от %3 до %4. Усвоени: %5 от %6 вида и нива.")
                        .arg(totals.problems)
                        .arg(totals.rightAlone)
                        .arg(dateText(first->dateTime()), dateText(last->dateTime()))
                        .arg(totals.mastered)
                        .arg(progress::cells().size()),
              font(11), ink, 10);
    }

    void table()
    {
        std::vector<progress::Cell> rows;
        for (const progress::Cell &c : progress::cells())
            if (m_progress.cell(c.type, c.level).problems > 0)
                rows.push_back(c);
        const std::size_t untried = progress::cells().size() - rows.size();
        // The widths of the columns: type, level, state, problems, right, last.
        const std::array<qreal, 6> widths = {190, 80, 70, 48, 60, contentWidth - 448};
        const QStringList headers = {QStringLiteral("Вид задача"), QStringLiteral("Ниво"),
                                     QStringLiteral("Състояние"), QStringLiteral("Задачи"),
                                     QStringLiteral("Верни от първи опит"),
                                     QStringLiteral("Последно")};
        // All forty-three rows fit: they grow smaller as there are more.
        const qreal rowHeight = rows.size() > 30 ? 11.5 : 14;
        const QFont body = font(rows.size() > 30 ? 8.5 : 9.5);
        const QFont head = font(8.5, true);
        const auto cells = [&](const QStringList &texts, const QFont &f, qreal height) {
            qreal x = margin;
            m_painter.setFont(f);
            m_painter.setPen(ink);
            for (int i = 0; i < texts.size(); ++i) {
                const Qt::Alignment align = (i == 3 || i == 4 ? Qt::AlignHCenter : Qt::AlignLeft)
                    | Qt::AlignVCenter;
                const QRectF box(x + 3, m_y, widths[std::size_t(i)] - 6, height);
                m_painter.drawText(box, align | Qt::TextWordWrap,
                                   QFontMetricsF(f).elidedText(texts[i], Qt::ElideRight,
                                                               box.width() * (i == 4 ? 2 : 1)));
                x += widths[std::size_t(i)];
            }
            m_y += height;
            m_painter.setPen(rule);
            m_painter.drawLine(QPointF(margin, m_y), QPointF(margin + contentWidth, m_y));
        };
        write(QStringLiteral("Напредък по видове и нива"), font(12, true), ink, 3);
        m_painter.fillRect(QRectF(margin, m_y, contentWidth, 22), shade);
        cells(headers, head, 22);
        for (const progress::Cell &row : rows) {
            const progress::CellProgress &c = m_progress.cell(row.type, row.level);
            const QString state = progress::stateName(c.state);
            cells({practice::typeTitle(row.type), practice::levelName(row.level), state,
                   QString::number(c.problems), QString::number(c.rightAlone),
                   dateText(c.last())},
                  body, rowHeight);
        }
        m_y += 4;
        if (untried > 0)
            write(QStringLiteral("Неупражнявани (%1): %2 вида и нива.")
                      .arg(progress::stateName(progress::State::New))
                      .arg(untried),
                  font(9.5), quietInk, 8);
    }

    void mistakes()
    {
        const auto common = progress::commonMistakes(m_record);
        write(QStringLiteral("Най-чести грешки"), font(12, true), ink, 3);
        if (common.empty()) {
            write(QStringLiteral("Няма разпознати грешки."), font(9.5), quietInk, 8);
            return;
        }
        for (std::size_t i = 0; i < common.size() && i < 5; ++i)
            write(QStringLiteral("%1 ×  %2")
                      .arg(common[i].count)
                      .arg(QString::fromUtf8(practice::knownMistakes()[std::size_t(common[i].mistake)].words)),
                  font(9.5), ink, 2);
        m_y += 6;
    }

    void numbers()
    {
        const Numbers n = numbersOf(m_record);
        write(QStringLiteral("Задачи по номер"), font(12, true), ink, 3);
        write(QStringLiteral("Всеки номер поставя същата задача в „Упражнение“ на всеки компютър "
                             "(поле „Задача №“); * — решена след грешка или с подсказка."),
              font(9), quietInk, 3);
        // What does not fit above the footer is counted, not cut off mid-line.
        const auto fitted = [&](const QString &label, const std::vector<int> &numbers,
                                const std::vector<int> &marked) {
            const QFont f = font(9.5);
            std::vector<int> shown = numbers;
            QString text = label + (shown.empty() ? QStringLiteral("няма") : numberList(shown, marked));
            while (!shown.empty() && m_y + textHeight(text, f, contentWidth) > footerTop - 40) {
                shown.resize(shown.size() * 9 / 10);
                text = label + numberList(shown, marked)
                    + QStringLiteral(" … и още %1").arg(numbers.size() - shown.size());
            }
            write(text, f, ink, 4);
        };
        fitted(QStringLiteral("Решени (%1): ").arg(n.solved.size()), n.solved, n.hard);
        fitted(QStringLiteral("Нерешени (%1): ").arg(n.unsolved.size()), n.unsolved, {});
    }

    void footer()
    {
        m_painter.setFont(font(8.5));
        m_painter.setPen(quietInk);
        m_painter.drawText(QRectF(margin, footerTop, contentWidth, 14), Qt::AlignHCenter | Qt::AlignTop,
                           QStringLiteral("Kovrenda · записът на напредъка се пази само на "
                                          "компютъра на ученика"));
    }

    QPagedPaintDevice &m_device;
    std::span<const progress::Attempt> m_record;
    const progress::Student &m_student;
    QDateTime m_now;
    progress::Progress m_progress;
    QPainter m_painter;
    qreal m_y = 0;
};

} // namespace

Numbers numbersOf(std::span<const progress::Attempt> record)
{
    Numbers n;
    // Each problem's first check and whether it was ever right, in the
    // order the problems were first met.
    std::map<int, std::pair<bool, bool>> seen; // number -> (right alone at first, solved)
    std::vector<int> order;
    for (const progress::Attempt &a : record) {
        if (a.kind != progress::Attempt::Kind::Check)
            continue;
        auto [at, fresh] = seen.try_emplace(a.number, a.alone(), false);
        if (fresh)
            order.push_back(a.number);
        // A number posed again later is another try at the same problem:
        // its first check is what counts.
        if (a.tries == 1 && !fresh && !a.alone())
            at->second.first = false;
        if (a.right() && !at->second.second) {
            at->second.second = true;
            n.solved.push_back(a.number);
        }
    }
    for (const int number : n.solved)
        if (!seen[number].first)
            n.hard.push_back(number);
    for (const int number : order)
        if (!seen[number].second)
            n.unsolved.push_back(number);
    return n;
}

bool paintReport(QPagedPaintDevice &device, std::span<const progress::Attempt> record,
                 const progress::Student &student, const QDateTime &now)
{
    return ReportPainter(device, record, student, now).paint();
}

bool writeReport(const QString &fileName, std::span<const progress::Attempt> record,
                 const progress::Student &student, const QDateTime &now, QString *error)
{
    const QString suffix = QFileInfo(fileName).suffix().toLower();
    if (suffix != QStringLiteral("pdf") && suffix != QStringLiteral("csv")) {
        if (error)
            *error = QStringLiteral("the report is written as .pdf or .csv");
        return false;
    }
    if (suffix == QStringLiteral("pdf"))
        return paper::writePdf(fileName, QStringLiteral("Отчет за упражненията"),
                               [&](QPagedPaintDevice &pdf) { return paintReport(pdf, record, student, now); },
                               error);
    QSaveFile file(fileName);
    const QByteArray csv = progress::attemptsCsv(record, student);
    if (!file.open(QIODevice::WriteOnly) || file.write(csv) != csv.size() || !file.commit()) {
        if (error)
            *error = file.errorString();
        return false;
    }
    return true;
}

} // namespace report
