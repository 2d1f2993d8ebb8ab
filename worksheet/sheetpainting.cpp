#include "worksheet.h"

#include "figurepainting.h"
#include "paperpage.h"
#include "solutionsteps.h"

#include <QFont>
#include <QFontMetricsF>
#include <QPagedPaintDevice>
#include <QPainter>

using practice::Problem;

namespace worksheet {
namespace {

// The sheet's Bulgarian, decimal comma and all, whatever the desktop's.
const QLocale bulgarian(QLocale::Bulgarian, QLocale::Bulgaria);

// An A4 page in points, and what goes where on it.
constexpr qreal pageWidth = paper::a4Width;
constexpr qreal pageHeight = paper::a4Height;
constexpr qreal margin = 50;
constexpr qreal footerRoom = 24;
constexpr qreal contentWidth = pageWidth - 2 * margin;
constexpr qreal contentBottom = pageHeight - margin - footerRoom;
constexpr qreal drawingSize = 120;
constexpr qreal drawingGap = 12;
constexpr qreal workingRoom = 90; // below each problem, to work it out, beside its drawing
constexpr qreal problemGap = 14;
constexpr qreal indent = 16;

const QColor ink(20, 20, 20);
const QColor quietInk(90, 90, 90);

QFont font(int pixels, bool bold = false)
{
    return paper::serif(pixels, bold);
}

const int bodySize = 11;
const int smallSize = 9;

// Paints the sheet page by page in points, keeping where the next line goes.
class SheetPainter
{
public:
    SheetPainter(QPagedPaintDevice &device, const Sheet &sheet) : m_device(device), m_sheet(sheet)
    {
    }

    bool paint()
    {
        if (!paper::beginA4(m_painter, m_device))
            return false;
        for (std::size_t g = 0; g < m_sheet.groups.size(); ++g)
            group(int(g));
        key();
        footer();
        return m_painter.end();
    }

private:
    // Ends the page with its footer and begins another, of the part named.
    void newPage(const QString &part)
    {
        if (m_page > 0) {
            footer();
            m_device.newPage();
        }
        ++m_page;
        m_part = part;
        m_y = margin;
    }

    void footer()
    {
        m_painter.setFont(font(smallSize));
        m_painter.setPen(quietInk);
        m_painter.drawText(QRectF(margin, pageHeight - margin - footerRoom / 2, contentWidth, footerRoom),
                           Qt::AlignHCenter | Qt::AlignTop,
                           QStringLiteral("Работен лист № %1 · %2 · стр. %3")
                               .arg(m_sheet.options.seed)
                               .arg(m_part)
                               .arg(m_page));
    }

    qreal textHeight(const QString &text, const QFont &f, qreal width) const
    {
        return QFontMetricsF(f).boundingRect(QRectF(0, 0, width, 1e6), Qt::TextWordWrap, text).height();
    }

    // Writes a text block at the current place and moves below it.
    void write(const QString &text, const QFont &f, const QColor &colour, qreal left = 0,
               qreal after = 4)
    {
        const qreal width = contentWidth - left;
        const qreal height = textHeight(text, f, width);
        m_painter.setFont(f);
        m_painter.setPen(colour);
        m_painter.drawText(QRectF(margin + left, m_y, width, height), Qt::TextWordWrap, text);
        m_y += height + after;
    }

    void group(int g)
    {
        const QString name = groupName(g);
        newPage(name);
        write(name, font(18, true), ink, 0, 10);
        write(QStringLiteral("Име: ______________________________   Клас: ________   "
                             "Дата: ______________"),
              font(bodySize), ink, 0, 18);
        const auto &problems = m_sheet.groups[std::size_t(g)];
        for (std::size_t i = 0; i < problems.size(); ++i)
            problem(int(i), problems[i], name);
    }

    // A problem with its drawing beside it and room below, whole on a page.
    void problem(int place, const Problem &p, const QString &groupName)
    {
        const bool drawn = m_sheet.options.drawn;
        const QString text = QStringLiteral("%1. %2 (№ %3)")
                                 .arg(place + 1)
                                 .arg(practice::statement(p, bulgarian))
                                 .arg(p.number);
        const QFont body = font(bodySize);
        const qreal width = contentWidth - (drawn ? drawingSize + drawingGap : 0);
        const qreal textBlock = textHeight(text, body, width);
        const qreal height = std::max(textBlock + workingRoom, drawn ? drawingSize : 0.0);
        if (m_y + height > contentBottom)
            newPage(groupName);
        m_painter.setFont(body);
        m_painter.setPen(ink);
        m_painter.drawText(QRectF(margin, m_y, width, textBlock), Qt::TextWordWrap, text);
        if (drawn)
            paintFigure(m_painter,
                        QRectF(margin + contentWidth - drawingSize, m_y, drawingSize, drawingSize),
                        p.triangle(), font(smallSize), bulgarian, figureLabels(p, bulgarian));
        m_y += height + problemGap;
    }

    // The key: a section per group, a line per problem with the values of
    // the common mistakes under it, and the worked steps where asked for.
    void key()
    {
        const QString part = QStringLiteral("Отговори");
        newPage(part);
        write(part, font(18, true), ink, 0, 10);
        for (std::size_t g = 0; g < m_sheet.groups.size(); ++g) {
            const QString section = groupName(int(g));
            if (m_y + 60 > contentBottom)
                newPage(part);
            write(section, font(13, true), ink, 0, 6);
            const auto &problems = m_sheet.groups[g];
            for (std::size_t i = 0; i < problems.size(); ++i) {
                const Problem &p = problems[i];
                QStringList lines = {answerLine(int(i), p, bulgarian)};
                const QString mistakes = mistakesLine(p, bulgarian);
                QStringList below;
                if (!mistakes.isEmpty())
                    below << mistakes;
                if (m_sheet.options.workedSteps)
                    below << (p.isVariant() ? solutionSteps(p.variant, p.triangle(), bulgarian)
                                            : practice::solutionLines(p, bulgarian));
                qreal height = textHeight(lines.front(), font(bodySize), contentWidth) + 4;
                for (const QString &line : below)
                    height += textHeight(line, font(smallSize), contentWidth - indent) + 2;
                if (m_y + height > contentBottom)
                    newPage(part);
                write(lines.front(), font(bodySize), ink);
                for (const QString &line : below)
                    write(line, font(smallSize), quietInk, indent, 2);
                m_y += 4;
            }
            m_y += 8;
        }
    }

    QPagedPaintDevice &m_device;
    const Sheet &m_sheet;
    QPainter m_painter;
    int m_page = 0;
    QString m_part;
    qreal m_y = margin;
};

} // namespace

FigureLabels figureLabels(const Problem &problem, const QLocale &locale)
{
    FigureLabels labels{QString(), QString(), QString(), QString(), QString()};
    // The area and the perimeter have no place on the drawing.
    const auto label = [&](pairs::Quantity q) -> std::optional<QString> * {
        using pairs::Quantity;
        switch (q) {
        case Quantity::a: return &labels.a;
        case Quantity::b: return &labels.b;
        case Quantity::c: return &labels.c;
        case Quantity::h: return &labels.h;
        case Quantity::a1: return &labels.a1;
        case Quantity::b1: return &labels.b1;
        case Quantity::m: return &labels.m;
        case Quantity::n: return &labels.n;
        case Quantity::r: return &labels.r;
        case Quantity::R: return &labels.R;
        case Quantity::alpha: return &labels.alpha;
        case Quantity::beta: return &labels.beta;
        case Quantity::S:
        case Quantity::P:
            break;
        }
        return nullptr;
    };
    const practice::TypeFacts &facts = problem.facts();
    for (std::size_t i = 0; i < 2; ++i)
        if (auto *l = label(facts.givens[i]))
            *l = practice::numberText(problem.givens[i], locale)
                + (pairs::isAngle(facts.givens[i]) ? QStringLiteral("°") : QString());
    for (const pairs::Quantity q : facts.soughtQuantities())
        if (auto *l = label(q))
            *l = QStringLiteral("?");
    return labels;
}

bool paintSheet(QPagedPaintDevice &device, const Sheet &sheet)
{
    return SheetPainter(device, sheet).paint();
}

bool writeSheetPdf(const QString &fileName, const Sheet &sheet, QString *error)
{
    return paper::writePdf(fileName, QStringLiteral("Работен лист № %1").arg(sheet.options.seed),
                           [&](QPagedPaintDevice &pdf) { return paintSheet(pdf, sheet); }, error);
}

} // namespace worksheet
