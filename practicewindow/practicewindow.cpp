#include "practicewindow.h"

#include "accessibility.h"
#include "announcer.h"
#include "answercheck.h"
#include "figureview.h"
#include "formlook.h"
#include "pairsteps.h"
#include "progresswindow.h"
#include "solutionsteps.h"
#include "spoken.h"
#include "stepsview.h"
#include "worksheet.h"
#include "worksheetdialog.h"

#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QComboBox>
#include <QDateTime>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QIntValidator>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRandomGenerator>
#include <QVBoxLayout>

using practice::Level;
using solver::Column;
using solver::Variant;

namespace {

// The problems and answers are Bulgarian, decimal comma and all, whatever
// the desktop's language.
const QLocale bulgarian(QLocale::Bulgarian, QLocale::Bulgaria);

// The chooser «Вид задача»: «По мярка» first, then the types in the table's
// order, then «Произволен».
constexpr int byMeasure = 0;
constexpr int firstType = 1;
constexpr int anyType = firstType + practice::typeCount;

const QColor rightInk(0, 110, 40);
const QColor wrongInk(170, 30, 20);
const QColor quietInk(90, 90, 90);

QString symbolOf(Column column)
{
    return QString::fromLatin1(solver::symbol(column));
}

QLabel *textLabel(const QString &name, bool wraps = true)
{
    auto *label = new QLabel;
    label->setObjectName(name);
    label->setTextFormat(Qt::PlainText);
    label->setWordWrap(wraps);
    return label;
}

void setInk(QLabel *label, const QColor &ink)
{
    QPalette palette = label->palette();
    palette.setColor(QPalette::WindowText, ink);
    label->setPalette(palette);
}

QPushButton *button(const QString &caption, const QString &name, const QString &what)
{
    auto *b = new QPushButton(caption);
    b->setObjectName(name);
    b->setToolTip(what);
    return b;
}

} // namespace

PracticeWindow::PracticeWindow(QWidget *parent)
    : QWidget(parent, Qt::Window),
      m_drawer([] { return QRandomGenerator::global()->generate(); })
{
    setWindowTitle(QStringLiteral("Упражнение"));
    accessibility::setRole(this, QAccessible::Window);
    setPalette(look::lightPalette());
    setFont(look::formFont());
    // Open or not, this window never keeps the program running.
    setAttribute(Qt::WA_QuitOnClose, false);

    m_variant = new QComboBox;
    m_variant->setObjectName(QStringLiteral("practiceVariant"));
    m_variant->setAccessibleName(QStringLiteral("Вид задача"));
    m_variant->addItem(QStringLiteral("По мярка"));
    m_variant->setItemData(byMeasure,
                           QStringLiteral("Следващата задача според напредъка: първо преговор, "
                                          "после неусвоеното, по-често там, където има грешки"),
                           Qt::ToolTipRole);
    for (int type = 0; type < practice::typeCount; ++type)
        m_variant->addItem(practice::typeTitle(type));
    m_variant->addItem(QStringLiteral("Произволен"));
    m_variant->setCurrentIndex(anyType);
    m_level = new QComboBox;
    m_level->setObjectName(QStringLiteral("practiceLevel"));
    m_level->setAccessibleName(QStringLiteral("Ниво"));
    for (int level = 0; level < practice::levelCount; ++level)
        m_level->addItem(practice::levelName(Level(level)));
    m_number = new QLineEdit;
    m_number->setObjectName(QStringLiteral("practiceNumber"));
    m_number->setAccessibleName(QStringLiteral("Задача №"));
    m_number->setValidator(new QIntValidator(practice::firstNumber, practice::lastTypeNumber, m_number));
    m_number->setMaxLength(6);
    m_number->setMaximumWidth(90);
    m_number->setToolTip(QStringLiteral("Номерът на задачата: въведете номер от %1 до %2 и "
                                        "натиснете Enter, за да я получите отново.")
                             .arg(practice::firstNumber)
                             .arg(practice::lastTypeNumber));
    auto *choosers = new QHBoxLayout;
    const auto labelled = [&](const QString &caption, QWidget *field) {
        auto *label = new QLabel(caption);
        label->setBuddy(field);
        choosers->addWidget(label);
        choosers->addWidget(field);
    };
    labelled(QStringLiteral("&Вид задача:"), m_variant);
    labelled(QStringLiteral("&Ниво:"), m_level);
    labelled(QStringLiteral("Задача &№"), m_number);
    choosers->addStretch();

    m_statement = textLabel(QStringLiteral("practiceProblem"));
    m_statement->setTextInteractionFlags(Qt::TextSelectableByMouse | Qt::TextSelectableByKeyboard);
    // It takes the keyboard focus, so that a screen reader reads the problem.
    m_statement->setFocusPolicy(Qt::StrongFocus);
    QFont statementFont = look::formFont(13);
    m_statement->setFont(statementFont);

    auto *answers = new QGridLayout;
    for (int i = 0; i < int(m_answers.size()); ++i) {
        Answer &a = m_answers[std::size_t(i)];
        a.symbol = new QLabel;
        a.box = new QLineEdit;
        a.box->setObjectName(QStringLiteral("practiceAnswer(%1)").arg(i));
        a.box->setMaxLength(200);
        // No buddy: a screen reader would name the box by this label alone
        // («r =») rather than by the box's own name, which tells r from R.
        a.reading = textLabel(QStringLiteral("practiceReading(%1)").arg(i));
        setInk(a.reading, quietInk);
        a.verdict = textLabel(QStringLiteral("practiceVerdict(%1)").arg(i));
        answers->addWidget(a.symbol, 2 * i, 0, Qt::AlignRight);
        answers->addWidget(a.box, 2 * i, 1);
        answers->addWidget(a.verdict, 2 * i, 2);
        answers->addWidget(a.reading, 2 * i + 1, 1, 1, 2);
        connect(a.box, &QLineEdit::textChanged, this, [this, i] { readAnswer(i); });
        connect(a.box, &QLineEdit::returnPressed, this, &PracticeWindow::check);
    }
    answers->setColumnStretch(1, 2);
    answers->setColumnStretch(2, 3);

    m_check = button(QStringLiteral("Провери"), QStringLiteral("practiceCheck"),
                     QStringLiteral("Проверява отговорите (Enter в поле за отговор)"));
    m_hint = button(QStringLiteral("Подсказка"), QStringLiteral("practiceHint"),
                    QStringLiteral("Показва следващата стъпка на решението"));
    m_solution = button(QStringLiteral("Решение"), QStringLiteral("practiceSolution"),
                        QStringLiteral("Показва цялото решение"));
    m_next = button(QStringLiteral("Нова задача"), QStringLiteral("practiceNext"),
                    QStringLiteral("Поставя друга задача от избрания вид и ниво"));
    connect(m_check, &QPushButton::clicked, this, &PracticeWindow::check);
    connect(m_hint, &QPushButton::clicked, this, &PracticeWindow::hint);
    connect(m_solution, &QPushButton::clicked, this, &PracticeWindow::showSolution);
    connect(m_next, &QPushButton::clicked, this, &PracticeWindow::next);
    m_worksheet = button(QStringLiteral("Работен лист…"), QStringLiteral("practiceWorksheet"),
                         QStringLiteral("Лист със задачи за групите на един клас, с отговорите"));
    connect(m_worksheet, &QPushButton::clicked, this, &PracticeWindow::openWorksheet);
    auto *buttons = new QHBoxLayout;
    for (QPushButton *b : {m_check, m_hint, m_solution, m_next})
        buttons->addWidget(b);
    m_progress = button(QStringLiteral("Моят напредък"), QStringLiteral("practiceProgress"),
                        QStringLiteral("Какво е усвоено, по видове и нива (Ctrl+P)"));
    connect(m_progress, &QPushButton::clicked, this, &PracticeWindow::openProgress);
    buttons->addStretch();
    buttons->addWidget(m_progress);
    buttons->addWidget(m_worksheet);

    m_hintCount = textLabel(QStringLiteral("practiceHintCount"), false);
    m_steps = new StepsView;
    m_steps->setObjectName(QStringLiteral("practiceSteps"));
    m_steps->setAccessibleName(QStringLiteral("Подсказки"));
    m_steps->setFocusPolicy(Qt::ClickFocus);
    look::setBackground(m_steps, Qt::white);
    m_tally = textLabel(QStringLiteral("practiceTally"), false);

    m_advice = textLabel(QStringLiteral("practiceAdvice"));
    setInk(m_advice, quietInk);
    m_advice->hide();
    m_recordMessage = textLabel(QStringLiteral("practiceRecordMessage"));
    setInk(m_recordMessage, wrongInk);
    m_recordMessage->hide();

    auto *work = new QVBoxLayout;
    work->addWidget(m_recordMessage);
    work->addWidget(m_advice);
    work->addWidget(m_statement);
    work->addSpacing(8);
    work->addLayout(answers);
    work->addLayout(buttons);
    work->addWidget(m_hintCount);
    work->addWidget(m_steps, 1);
    work->addWidget(m_tally);

    m_figure = new FigureView;
    m_figure->setFocusPolicy(Qt::NoFocus);
    m_figure->setMinimumSize(260, 260);
    auto *middle = new QHBoxLayout;
    middle->addLayout(work, 3);
    middle->addWidget(m_figure, 2);

    auto *layout = new QVBoxLayout(this);
    layout->addLayout(choosers);
    layout->addLayout(middle, 1);

    m_announcer = new Announcer(this);

    auto *close = new QAction(this);
    close->setShortcut(Qt::Key_Escape);
    connect(close, &QAction::triggered, this, &QWidget::close);
    addAction(close);
    auto *copy = new QAction(this);
    copy->setShortcut(QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_C));
    connect(copy, &QAction::triggered, this, &PracticeWindow::copyToClipboard);
    addAction(copy);
    auto *openProgress = new QAction(this);
    openProgress->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_P));
    connect(openProgress, &QAction::triggered, this, &PracticeWindow::openProgress);
    addAction(openProgress);

    // Choosing a variant or a level poses a new problem at once.
    connect(m_variant, &QComboBox::currentIndexChanged, this, &PracticeWindow::next);
    connect(m_level, &QComboBox::currentIndexChanged, this, &PracticeWindow::next);
    connect(m_number, &QLineEdit::returnPressed, this, [this] { pose(m_number->text().toInt()); });

    m_record = std::make_unique<progress::RecordFile>();
    showRecordMessage();

    setUpTabOrder();
    resize(900, 600);
    // It opens on one of the main window's four variants, the problems the
    // student has just met there; «Произволен» draws any type after that.
    const practice::Problem first = m_drawer.next(std::nullopt, Level::Whole);
    pose(first);
}

void PracticeWindow::setUpTabOrder()
{
    const QList<QWidget *> order = {m_statement, m_answers[0].box, m_answers[1].box,
                                    m_answers[2].box, m_check,
                                    m_hint, m_solution, m_next, m_variant, m_level, m_number,
                                    m_progress, m_worksheet};
    for (qsizetype i = 1; i < order.size(); ++i)
        setTabOrder(order[i - 1], order[i]);
}

void PracticeWindow::showEvent(QShowEvent *event)
{
    QWidget::showEvent(event);
    m_statement->setFocus(Qt::OtherFocusReason);
}

void PracticeWindow::next()
{
    const int chosen = m_variant->currentIndex();
    // The level is the record's choice under «По мярка», the student's otherwise.
    m_level->setEnabled(chosen != byMeasure);
    m_advice->setVisible(chosen == byMeasure);
    if (chosen == byMeasure) {
        nextByMeasure();
        return;
    }
    const auto type = chosen == anyType ? std::nullopt : std::optional(chosen - firstType);
    const practice::Problem drawn = m_drawer.nextOfType(type, Level(m_level->currentIndex()));
    // A type without the level chosen is posed at the next one up, and the
    // chooser says so.
    const QSignalBlocker levelBlocker(m_level);
    m_level->setCurrentIndex(int(drawn.level));
    pose(drawn);
}

bool PracticeWindow::pose(int number)
{
    const auto found = practice::problem(number);
    if (!found)
        return false;
    m_drawer.posed(*found);
    // The choosers show what the number poses, without posing another.
    const QSignalBlocker variantBlocker(m_variant);
    const QSignalBlocker levelBlocker(m_level);
    m_level->setCurrentIndex(int(found->level));
    if (m_variant->currentIndex() == byMeasure)
        m_advice->setText(QStringLiteral("Задачата е поставена по номер; „Нова задача“ избира "
                                         "следващата по мярка."));
    else if (m_variant->currentIndex() != anyType)
        m_variant->setCurrentIndex(firstType + found->type);
    pose(*found);
    return true;
}

void PracticeWindow::pose(const practice::Problem &problem)
{
    m_problem = problem;
    m_solved = false;
    m_helped = false;
    m_tried = false;
    m_checks = 0;
    const QString heading = QStringLiteral("Задача № %1").arg(problem.number);
    const QString statement = practice::statement(problem, bulgarian);
    m_statement->setText(heading + u'\n' + statement);
    m_statement->setAccessibleName(speech::spoken(heading + QStringLiteral(". ") + statement));
    m_number->setText(QString::number(problem.number));

    m_figure->setProblem(problem.triangle(), worksheet::figureLabels(problem, bulgarian),
                         QStringLiteral("чертеж на задачата: търсените стойности са означени "
                                        "с въпросителен знак"));

    for (int i = 0; i < int(m_answers.size()); ++i) {
        Answer &a = m_answers[std::size_t(i)];
        const bool shown = i < problem.soughtCount();
        for (QWidget *w : {static_cast<QWidget *>(a.symbol), static_cast<QWidget *>(a.box),
                           static_cast<QWidget *>(a.reading), static_cast<QWidget *>(a.verdict)})
            w->setVisible(shown);
        a.box->clear();
        a.verdict->clear();
        if (!shown)
            continue;
        const pairs::Quantity q = problem.sought(i);
        a.symbol->setText(QStringLiteral("%1 =").arg(practice::symbolText(q)));
        QStringList name = {QStringLiteral("Отговор"), practice::symbolText(q)};
        // r and R as a screen reader tells them apart elsewhere.
        const QString meaning = q == pairs::Quantity::r || q == pairs::Quantity::R
            ? speech::columnMeaning(q == pairs::Quantity::r ? Column::r : Column::R)
            : pairtext::meaning(q);
        if (!meaning.isEmpty())
            name << meaning;
        a.box->setAccessibleName(name.join(QStringLiteral(", ")));
    }

    // The hints are the numbered steps of the worked solution and its answer.
    m_hints = practice::solutionLines(problem, bulgarian);
    showHints(0);
    updateTally();
    if (isVisible())
        m_announcer->announce(m_statement->accessibleName());
}

void PracticeWindow::openWorksheet()
{
    if (!m_worksheetDialog)
        m_worksheetDialog = new WorksheetDialog(this);
    m_worksheetDialog->show();
    m_worksheetDialog->raise();
    m_worksheetDialog->activateWindow();
}

void PracticeWindow::nextByMeasure()
{
    finishWriting(); // the choice reads the record
    const QDateTime now = QDateTime::currentDateTime();
    const progress::Choice choice = progress::choose(
        m_record->attempts(), QRandomGenerator::global()->generate64(), progress::dayOf(now));
    const practice::Problem drawn = m_drawer.nextOfType(choice.type, choice.level);
    const QSignalBlocker levelBlocker(m_level);
    m_level->setCurrentIndex(int(drawn.level));
    const QString type = QString::fromUtf8(practice::typeFacts(drawn.type).name);
    const QString level = practice::levelName(drawn.level).toLower();
    switch (choice.reason) {
    case progress::Reason::Review:
        m_advice->setText(QStringLiteral("По мярка: преговор. „%1“ (%2) е усвоена; време е да "
                                         "проверите дали я помните.")
                              .arg(type, level));
        break;
    case progress::Reason::Practice:
        m_advice->setText(QStringLiteral("По мярка: „%1“ (%2) още не е усвоена: три верни "
                                         "отговора подред от първия опит, без подсказка, я усвояват.")
                              .arg(type, level));
        break;
    case progress::Reason::Ahead:
        m_advice->setText(QStringLiteral("По мярка: всичко е усвоено и нищо не чака преговор; ето "
                                         "„%1“ (%2) преди срока.")
                              .arg(type, level));
        break;
    case progress::Reason::Example:
        m_advice->setText(QStringLiteral("По мярка: %1 задачи от „%2“ без усвояване. Ето една "
                                         "решена задача от същия вид, на по-лесно ниво (%3): "
                                         "разгледайте решението, после продължете с „Нова задача“.")
                              .arg(progress::exampleAfter)
                              .arg(type, level));
        break;
    }
    pose(drawn);
    if (choice.reason == progress::Reason::Example) {
        // A worked example, kept in the record so that the count starts again.
        keep(progress::exampleOf(drawn, QDateTime::currentDateTime()));
        showSolution();
    }
    if (isVisible())
        m_announcer->announce(m_advice->text());
}

void PracticeWindow::keep(const progress::Attempt &attempt)
{
    finishWriting();
    // Written whole on a thread of its own: the disk's flush may take longer
    // than judging the answers, and the student should not wait for it. One
    // write at a time, each waited for before the next attempt is added.
    if (const auto text = m_record->addUnwritten(attempt))
        m_writing = std::async(std::launch::async, [path = m_record->path(), text = *text] {
            return progress::RecordFile::writeText(path, text);
        });
    showRecordMessage();
    if (m_progressWindow && m_progressWindow->isVisible())
        m_progressWindow->refresh();
}

void PracticeWindow::finishWriting()
{
    if (!m_writing.valid())
        return;
    m_record->written(m_writing.get());
    showRecordMessage();
}

progress::RecordFile &PracticeWindow::record()
{
    finishWriting();
    return *m_record;
}

PracticeWindow::~PracticeWindow()
{
    finishWriting();
}

void PracticeWindow::hideEvent(QHideEvent *event)
{
    finishWriting();
    QWidget::hideEvent(event);
}

QString PracticeWindow::advice() const
{
    return m_variant->currentIndex() == byMeasure ? m_advice->text() : QString();
}

void PracticeWindow::showRecordMessage()
{
    m_recordMessage->setText(m_record->message());
    m_recordMessage->setVisible(!m_record->message().isEmpty());
}

void PracticeWindow::useRecord(std::unique_ptr<progress::RecordFile> record)
{
    finishWriting();
    m_record = std::move(record);
    showRecordMessage();
    if (m_progressWindow)
        m_progressWindow->refresh();
}

void PracticeWindow::openProgress()
{
    if (!m_progressWindow)
        m_progressWindow = new ProgressWindow([this]() -> progress::RecordFile & { return record(); }, this);
    m_progressWindow->refresh();
    m_progressWindow->show();
    m_progressWindow->raise();
    m_progressWindow->activateWindow();
}

void PracticeWindow::readAnswer(int which)
{
    Answer &a = m_answers[std::size_t(which)];
    a.read = which < m_problem.soughtCount()
        ? practice::readAnswer(a.box->text(), m_problem.sought(which))
        : practice::readAnswer(a.box->text());
    a.reading->setText(practice::readingLine(a.read, bulgarian));
    a.verdict->clear();
}

void PracticeWindow::check()
{
    const int count = m_problem.soughtCount();
    std::vector<practice::AnswerReading> readings;
    for (int i = 0; i < count; ++i)
        readings.push_back(m_answers[std::size_t(i)].read);
    const auto verdicts = practice::check(m_problem, readings, bulgarian);
    QStringList said;
    bool allRight = true;
    for (int i = 0; i < count; ++i) {
        const Answer &a = m_answers[std::size_t(i)];
        const practice::Verdict &v = verdicts[std::size_t(i)];
        a.verdict->setText(v.text);
        setInk(a.verdict, v.right ? rightInk : wrongInk);
        said << QStringLiteral("%1: %2").arg(practice::symbolText(m_problem.sought(i)), v.text);
        allRight = allRight && v.right;
    }
    tried();
    keep(progress::attemptOf(m_problem, verdicts, m_hintsShown, ++m_checks,
                             QDateTime::currentDateTime()));
    if (allRight && !m_solved) {
        m_solved = true;
        ++m_solvedCount;
        m_solvedAlone += !m_helped;
        updateTally();
    }
    m_announcer->announce(speech::spoken(said.join(u' ')));
}

void PracticeWindow::hint()
{
    if (m_hintsShown < m_hints.size()) {
        showHints(m_hintsShown + 1);
        m_announcer->announce(speech::spoken(m_hintCount->text() + QStringLiteral(". ")
                                             + m_hints[m_hintsShown - 1]));
    }
}

void PracticeWindow::showSolution()
{
    showHints(int(m_hints.size()));
    m_announcer->announce(speech::spoken(m_hints.join(u' ')));
}

void PracticeWindow::tried()
{
    // A problem counts in the tally once the student has worked on it.
    if (!m_tried) {
        m_tried = true;
        ++m_triedCount;
        updateTally();
    }
}

void PracticeWindow::showHints(int count)
{
    m_hintsShown = count;
    m_helped = m_helped || count > 0;
    if (count > 0)
        tried();
    m_steps->setSteps(m_hints.mid(0, count));
    m_hintCount->setText(count == 0 ? QString()
                                    : QStringLiteral("Подсказка %1 от %2").arg(count).arg(m_hints.size()));
    m_hint->setEnabled(count < m_hints.size());
    m_solution->setEnabled(count < m_hints.size());
}

QString PracticeWindow::tally() const
{
    return QStringLiteral("Решени: %1 от %2, от тях %3 без подсказка")
        .arg(m_solvedCount)
        .arg(m_triedCount)
        .arg(m_solvedAlone);
}

void PracticeWindow::updateTally()
{
    m_tally->setText(tally());
}

void PracticeWindow::copyToClipboard()
{
    QStringList lines = {m_statement->text()};
    for (int i = 0; i < m_problem.soughtCount(); ++i) {
        const Answer &a = m_answers[std::size_t(i)];
        lines << QStringLiteral("%1 %2 %3").arg(a.symbol->text(), a.box->text(),
                                                a.verdict->text());
    }
    lines << m_steps->text() << tally();
    QApplication::clipboard()->setText(lines.join(u'\n'));
    m_announcer->announce(QStringLiteral("Задачата и отговорите са копирани."));
}
