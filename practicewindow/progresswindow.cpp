#include "progresswindow.h"

#include "accessibility.h"
#include "announcer.h"
#include "formlook.h"
#include "mastery.h"
#include "progressreport.h"

#include <QAction>
#include <QCheckBox>
#include <QDialog>
#include <QDialogButtonBox>
#include <QDir>
#include <QFile>
#include <QFileDialog>
#include <QFileInfo>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMessageBox>
#include <QPainter>
#include <QPushButton>
#include <QRegularExpression>
#include <QSettings>
#include <QStandardPaths>
#include <QTableWidget>
#include <QVBoxLayout>

namespace {

const QColor tried(150, 170, 215);
const QColor alone(40, 90, 180);

enum Column {
    TypeColumn,
    LevelColumn,
    StateColumn,
    ProblemsColumn,
    RightColumn,
    LastColumn,
    ReviewColumn,
    columnCount
};

QString dayText(qint64 day, const QString &format)
{
    return QDate(1970, 1, 1).addDays(day).toString(format);
}

// Where the name and class are kept, when the student asks for it: beside
// the record, never in it.
QString studentFile(const progress::RecordFile &record)
{
    return QFileInfo(record.path()).dir().filePath(QStringLiteral("report.ini"));
}

} // namespace

// The problems of the last fourteen days as bars: the light part the
// problems checked, the dark one those right at the first try alone.
class DayChart : public QWidget
{
public:
    explicit DayChart(QWidget *parent = nullptr) : QWidget(parent)
    {
        setObjectName(QStringLiteral("progressChart"));
        setMinimumHeight(110);
        setFocusPolicy(Qt::TabFocus);
        setAccessibleName(QStringLiteral("Последните 14 дни"));
    }

    void setDays(std::vector<progress::DayCount> days)
    {
        m_days = std::move(days);
        QStringList said;
        for (const progress::DayCount &d : m_days)
            if (d.problems > 0)
                said << QStringLiteral("%1: %2 задачи, %3 верни от първи опит")
                            .arg(dayText(d.day, QStringLiteral("d.MM")))
                            .arg(d.problems)
                            .arg(d.rightAlone);
        setAccessibleDescription(said.isEmpty() ? QStringLiteral("Няма задачи през последните 14 дни.")
                                                : said.join(QStringLiteral("; ")));
        setToolTip(accessibleDescription());
        update();
    }

protected:
    void paintEvent(QPaintEvent *) override
    {
        QPainter p(this);
        p.fillRect(rect(), Qt::white);
        if (hasFocus()) {
            p.setPen(QPen(palette().highlight().color(), 2));
            p.drawRect(rect().adjusted(1, 1, -2, -2));
        }
        if (m_days.empty())
            return;
        int most = 1;
        for (const progress::DayCount &d : m_days)
            most = std::max(most, d.problems);
        const QFontMetrics metrics(font());
        const int labels = metrics.height() + 4;
        const qreal slot = qreal(width() - 16) / qreal(m_days.size());
        const qreal top = metrics.height() + 6;
        const qreal bottom = height() - labels;
        for (std::size_t i = 0; i < m_days.size(); ++i) {
            const progress::DayCount &d = m_days[i];
            const qreal x = 8 + slot * qreal(i);
            const auto bar = [&](int count, const QColor &colour) {
                const qreal h = (bottom - top) * count / most;
                p.fillRect(QRectF(x + slot * 0.18, bottom - h, slot * 0.64, h), colour);
            };
            bar(d.problems, tried);
            bar(d.rightAlone, alone);
            p.setPen(Qt::black);
            if (d.problems > 0)
                p.drawText(QRectF(x, top - metrics.height() - 2, slot, metrics.height()),
                           Qt::AlignHCenter, QString::number(d.problems));
            p.setPen(QColor(90, 90, 90));
            p.drawText(QRectF(x, bottom + 2, slot, labels), Qt::AlignHCenter,
                       dayText(d.day, QStringLiteral("d.MM")));
        }
        p.setPen(QColor(170, 170, 170));
        p.drawLine(QPointF(8, bottom), QPointF(width() - 8, bottom));
    }

private:
    std::vector<progress::DayCount> m_days;
};

ProgressWindow::ProgressWindow(Record record, QWidget *parent)
    : QWidget(parent, Qt::Window), m_record(std::move(record))
{
    setObjectName(QStringLiteral("progressWindow"));
    setWindowTitle(QStringLiteral("Моят напредък"));
    accessibility::setRole(this, QAccessible::Window);
    setPalette(look::lightPalette());
    setFont(look::formFont());
    setAttribute(Qt::WA_QuitOnClose, false);

    m_summary = new QLabel;
    m_summary->setObjectName(QStringLiteral("progressSummary"));
    m_summary->setWordWrap(true);
    m_summary->setTextFormat(Qt::PlainText);

    m_table = new QTableWidget(0, columnCount);
    m_table->setObjectName(QStringLiteral("progressTable"));
    m_table->setAccessibleName(QStringLiteral("Напредък по видове и нива"));
    m_table->setHorizontalHeaderLabels({QStringLiteral("Вид задача"), QStringLiteral("Ниво"),
                                        QStringLiteral("Състояние"), QStringLiteral("Задачи"),
                                        QStringLiteral("Верни от първи опит"),
                                        QStringLiteral("Последно"), QStringLiteral("Преговор")});
    m_table->horizontalHeaderItem(RightColumn)
        ->setToolTip(QStringLiteral("Верни от първата проверка, без подсказка"));
    m_table->setEditTriggers(QAbstractItemView::NoEditTriggers);
    m_table->setSelectionBehavior(QAbstractItemView::SelectItems);
    m_table->setSelectionMode(QAbstractItemView::SingleSelection);
    m_table->setTabKeyNavigation(false);
    m_table->verticalHeader()->hide();
    m_table->horizontalHeader()->setSectionResizeMode(TypeColumn, QHeaderView::Stretch);
    for (int c = LevelColumn; c < columnCount; ++c)
        m_table->horizontalHeader()->setSectionResizeMode(c, QHeaderView::ResizeToContents);
    look::putOnPaper(m_table);

    m_mistakes = new QListWidget;
    m_mistakes->setObjectName(QStringLiteral("progressMistakes"));
    m_mistakes->setAccessibleName(QStringLiteral("Най-чести грешки"));
    m_mistakes->setWordWrap(true);
    m_mistakes->setMaximumHeight(84);
    look::putOnPaper(m_mistakes);

    m_chart = new DayChart;

    m_report = new QPushButton(QStringLiteral("Запази отчет…"));
    m_report->setObjectName(QStringLiteral("progressReport"));
    m_report->setToolTip(QStringLiteral("Отчет за учителя: една страница PDF или таблица CSV"));
    m_delete = new QPushButton(QStringLiteral("Изтрий записа"));
    m_delete->setObjectName(QStringLiteral("progressDelete"));
    m_delete->setToolTip(QStringLiteral("Изтрива записа на напредъка от този компютър"));
    auto *close = new QPushButton(QStringLiteral("Затвори"));
    close->setObjectName(QStringLiteral("progressClose"));
    connect(m_report, &QPushButton::clicked, this, &ProgressWindow::askForReport);
    connect(m_delete, &QPushButton::clicked, this, &ProgressWindow::deleteRecord);
    connect(close, &QPushButton::clicked, this, &QWidget::close);
    auto *buttons = new QHBoxLayout;
    buttons->addWidget(m_report);
    buttons->addWidget(m_delete);
    buttons->addStretch();
    buttons->addWidget(close);

    const auto heading = [](const QString &text, QWidget *buddy) {
        auto *label = new QLabel(text);
        label->setBuddy(buddy);
        return label;
    };
    auto *layout = new QVBoxLayout(this);
    layout->addWidget(m_summary);
    layout->addWidget(m_table, 1);
    layout->addWidget(heading(QStringLiteral("Най-чести &грешки:"), m_mistakes));
    layout->addWidget(m_mistakes);
    layout->addWidget(heading(QStringLiteral("Последните &14 дни (тъмно: верни от първи опит):"), m_chart));
    layout->addWidget(m_chart);
    layout->addLayout(buttons);

    m_announcer = new Announcer(this);
    auto *escape = new QAction(this);
    escape->setShortcut(Qt::Key_Escape);
    connect(escape, &QAction::triggered, this, &QWidget::close);
    addAction(escape);

    resize(820, 640);
    refresh();
}

void ProgressWindow::refresh()
{
    const std::vector<progress::Attempt> &record = m_record().attempts();
    const progress::Progress p = progress::progressOf(record);
    const QDateTime now = QDateTime::currentDateTime();
    const qint64 today = progress::dayOf(now);
    const int current = m_table->currentRow();
    m_table->setRowCount(0);
    for (const auto &[t, level] : progress::cells()) {
        const progress::CellProgress &c = p.cell(t, level);
        const QString review = !progress::isMastered(c.state) ? QStringLiteral("—")
            : c.dueDay <= today                               ? QStringLiteral("сега")
                                  : dayText(c.dueDay, QStringLiteral("dd.MM.yyyy"));
        const QStringList texts = {
            practice::typeTitle(t), practice::levelName(level), progress::stateName(c.state),
            QString::number(c.problems), QString::number(c.rightAlone),
            c.problems == 0 ? QStringLiteral("—") : c.last().toString(QStringLiteral("dd.MM.yyyy")),
            review};
        const int row = m_table->rowCount();
        m_table->insertRow(row);
        const QString rowName = texts[TypeColumn] + QStringLiteral(", ") + texts[LevelColumn];
        for (int column = 0; column < texts.size(); ++column) {
            auto *item = new QTableWidgetItem(texts[column]);
            item->setFlags(Qt::ItemIsEnabled | Qt::ItemIsSelectable);
            if (column == ProblemsColumn || column == RightColumn)
                item->setTextAlignment(Qt::AlignCenter);
            // Read with its row and its column, wherever the reader lands.
            item->setData(Qt::AccessibleTextRole,
                          column == TypeColumn
                              ? rowName
                              : QStringLiteral("%1; %2: %3")
                                    .arg(rowName, m_table->horizontalHeaderItem(column)->text(),
                                         texts[column]));
            m_table->setItem(row, column, item);
        }
    }
    if (current >= 0 && current < m_table->rowCount())
        m_table->setCurrentCell(current, 0);
    const progress::Totals totals = progress::totalsOf(p);
    m_summary->setText(totals.problems == 0
                           ? QStringLiteral("Още няма проверени задачи. Всяка проверка в "
                                            "„Упражнение“ се записва тук, само на този компютър.")
                           : QStringLiteral("Проверени задачи: %1, верни от първия опит без "
                                            "подсказка: %2. Усвоени: %3 от %4 вида и нива.")
                                 .arg(totals.problems)
                                 .arg(totals.rightAlone)
                                 .arg(totals.mastered)
                                 .arg(m_table->rowCount()));
    m_mistakes->clear();
    const auto common = progress::commonMistakes(record);
    for (std::size_t i = 0; i < common.size() && i < 5; ++i)
        m_mistakes->addItem(QStringLiteral("%1 ×  %2")
                                .arg(common[i].count)
                                .arg(QString::fromUtf8(
                                    practice::knownMistakes()[std::size_t(common[i].mistake)].words)));
    if (common.empty())
        m_mistakes->addItem(QStringLiteral("Няма разпознати грешки."));
    m_chart->setDays(progress::lastDays(record, today));
    m_delete->setEnabled(!record.empty() || QFile::exists(m_record().path())
                         || !m_record().setAside().isEmpty());
}

bool ProgressWindow::saveReport(const QString &fileName, const progress::Student &student,
                                QString *error)
{
    return report::writeReport(fileName, m_record().attempts(), student,
                               QDateTime::currentDateTime(), error);
}

void ProgressWindow::askForReport()
{
    QDialog dialog(this);
    dialog.setObjectName(QStringLiteral("reportDialog"));
    dialog.setWindowTitle(QStringLiteral("Отчет за учителя"));
    QSettings kept(studentFile(m_record()), QSettings::IniFormat);
    auto *name = new QLineEdit(kept.value(QStringLiteral("name")).toString());
    name->setObjectName(QStringLiteral("reportName"));
    name->setMaxLength(80);
    auto *className = new QLineEdit(kept.value(QStringLiteral("class")).toString());
    className->setObjectName(QStringLiteral("reportClass"));
    className->setMaxLength(20);
    auto *remember = new QCheckBox(QStringLiteral("&Запомни името и класа на този компютър"));
    remember->setObjectName(QStringLiteral("reportRemember"));
    remember->setChecked(kept.contains(QStringLiteral("name")));
    auto *note = new QLabel(QStringLiteral("Името и класът се пишат само в отчета; записът на "
                                           "напредъка не ги пази."));
    note->setWordWrap(true);
    auto *form = new QFormLayout;
    form->addRow(QStringLiteral("&Име:"), name);
    form->addRow(QStringLiteral("&Клас:"), className);
    auto *buttons = new QDialogButtonBox(QDialogButtonBox::Save | QDialogButtonBox::Cancel);
    connect(buttons, &QDialogButtonBox::accepted, &dialog, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, &dialog, &QDialog::reject);
    auto *layout = new QVBoxLayout(&dialog);
    layout->addLayout(form);
    layout->addWidget(remember);
    layout->addWidget(note);
    layout->addWidget(buttons);
    if (dialog.exec() != QDialog::Accepted)
        return;
    if (remember->isChecked()) {
        kept.setValue(QStringLiteral("name"), name->text());
        kept.setValue(QStringLiteral("class"), className->text());
    } else {
        kept.clear();
        kept.sync();
        QFile::remove(studentFile(m_record()));
    }
    const progress::Student student{name->text(), className->text()};
    QString suggested = QStringLiteral("Отчет %1 %2").arg(student.name, student.className).simplified();
    suggested.replace(QRegularExpression(QStringLiteral("[\\\\/:*?\"<>|]")), QStringLiteral("_"));
    QString chosenFilter;
    const QString pdfFilter = QStringLiteral("PDF, една страница A4 (*.pdf)");
    const QString csvFilter = QStringLiteral("CSV за електронна таблица (*.csv)");
    QString file = QFileDialog::getSaveFileName(
        this, QStringLiteral("Запази отчет"),
        QDir(QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation)).filePath(suggested + QStringLiteral(".pdf")),
        pdfFilter + QStringLiteral(";;") + csvFilter, &chosenFilter);
    if (file.isEmpty())
        return;
    const QString suffix = QFileInfo(file).suffix().toLower();
    if (suffix != QStringLiteral("pdf") && suffix != QStringLiteral("csv"))
        file += chosenFilter == csvFilter ? QStringLiteral(".csv") : QStringLiteral(".pdf");
    QString error;
    if (!saveReport(file, student, &error)) {
        QMessageBox::warning(this, QStringLiteral("Запази отчет"),
                             QStringLiteral("Отчетът не можа да се запише в „%1“: %2")
                                 .arg(QDir::toNativeSeparators(file), error));
        return;
    }
    m_announcer->announce(QStringLiteral("Отчетът е записан в %1.").arg(QFileInfo(file).fileName()));
}

void ProgressWindow::deleteRecord()
{
    const auto answer = QMessageBox::question(
        this, QStringLiteral("Изтрий записа"),
        QStringLiteral("Да се изтрие ли записът на напредъка от този компютър? Изтриват се всички "
                       "проверени задачи, състоянието на всеки вид и запомнените име и клас. "
                       "Това не може да се върне."),
        QMessageBox::Yes | QMessageBox::No, QMessageBox::No);
    if (answer != QMessageBox::Yes)
        return;
    const bool removed = m_record().remove();
    QFile::remove(studentFile(m_record()));
    refresh();
    if (!removed)
        QMessageBox::warning(this, QStringLiteral("Изтрий записа"),
                             QStringLiteral("Записът не можа да се изтрие целият: проверете "
                                            "папката „%1“.")
                                 .arg(QDir::toNativeSeparators(QFileInfo(m_record().path()).absolutePath())));
    else
        m_announcer->announce(QStringLiteral("Записът на напредъка е изтрит."));
}
