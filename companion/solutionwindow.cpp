#include "solutionwindow.h"

#include "accessibility.h"
#include "announcer.h"
#include "figureexport.h"
#include "figurefile.h"
#include "figureview.h"
#include "formlook.h"
#include "solutionsteps.h"
#include "spoken.h"
#include "stepsview.h"
#include "svgdocument.h"

#include <QApplication>
#include <QClipboard>
#include <QHBoxLayout>
#include <QLabel>
#include <QMessageBox>
#include <QMimeData>
#include <QPrintDialog>
#include <QPrinter>
#include <QPushButton>
#include <QSplitter>
#include <QStackedWidget>
#include <QVBoxLayout>

#include <algorithm>

namespace {

const QString nothingYet =
    QStringLiteral("Изберете вариант, въведете двете дадени стойности и натиснете «Изчисли»: "
                   "тук ще се появят чертежът и решението.");

} // namespace

SolutionWindow::SolutionWindow(QWidget *parent) : QWidget(parent, Qt::Window)
{
    setWindowTitle(QStringLiteral("Чертеж и решение"));
    // Assistive technology sees a window, named by its title, as it sees the
    // main window; not a bare area that a screen reader cannot name.
    accessibility::setRole(this, QAccessible::Window);
    // Light whatever the desktop theme, as the main window is; the drawing
    // and the steps on white paper, as the figure paints itself.
    setPalette(look::lightPalette());
    // Open or not, this window never keeps the program running.
    setAttribute(Qt::WA_QuitOnClose, false);

    m_view = new FigureView;
    // Heard after the drawing's description when the focus lands on it.
    m_view->setNote(QStringLiteral("Решението стъпка по стъпка: клавиш Tab, после стрелките "
                                   "надолу и нагоре."));
    m_steps = new StepsView;
    m_steps->setObjectName(QStringLiteral("steps"));
    m_steps->setAccessibleName(QStringLiteral("Решение"));
    m_steps->setFont(look::formFont());
    look::putOnPaper(m_steps);
    auto *splitter = new QSplitter(Qt::Horizontal);
    splitter->addWidget(m_view);
    splitter->addWidget(m_steps);
    splitter->setStretchFactor(0, 1);
    splitter->setStretchFactor(1, 1);
    splitter->setSizes({520, 420});
    splitter->setChildrenCollapsible(false);

    m_message = new QLabel;
    m_message->setObjectName(QStringLiteral("message"));
    m_message->setTextFormat(Qt::PlainText);
    m_message->setWordWrap(true);
    m_message->setAlignment(Qt::AlignCenter);
    m_message->setMargin(24);
    m_message->setFont(look::formFont());
    m_message->setTextInteractionFlags(Qt::TextSelectableByMouse);
    // It takes the keyboard focus, so that a screen reader reads it when the
    // window opens on it.
    m_message->setFocusPolicy(Qt::StrongFocus);
    look::putOnPaper(m_message);

    m_pages = new QStackedWidget;
    // A bare container to assistive technology, as the splitter is: a
    // screen reader would otherwise name its role each time the focus comes
    // into it ("layered pane"), which tells the student nothing.
    accessibility::setRole(m_pages, QAccessible::Client);
    m_pages->addWidget(splitter);
    m_pages->addWidget(m_message);

    m_copy = look::shortcutButton(
        QStringLiteral("Копирай"), QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_C),
        QStringLiteral("Копира чертежа като картина и решението като текст"));
    m_save = look::shortcutButton(QStringLiteral("Запази…"), QKeySequence::Save,
                                  svgAvailable()
                                      ? QStringLiteral("Записва чертежа във файл SVG, PNG или PDF")
                                      : QStringLiteral("Записва чертежа във файл PNG или PDF"));
    m_print =
        look::shortcutButton(QStringLiteral("Печат…"), QKeySequence::Print,
                             QStringLiteral("Отпечатва чертежа и решението на една страница"));
    auto *close = look::shortcutButton(QStringLiteral("Затвори"), QKeySequence(Qt::Key_Escape),
                                       QStringLiteral("Затваря този прозорец"));
    connect(m_copy, &QPushButton::clicked, this, &SolutionWindow::copyToClipboard);
    connect(m_save, &QPushButton::clicked, this, &SolutionWindow::saveAs);
    connect(m_print, &QPushButton::clicked, this, &SolutionWindow::print);
    connect(close, &QPushButton::clicked, this, &QWidget::close);

    auto *buttons = new QHBoxLayout;
    buttons->addWidget(m_copy);
    buttons->addWidget(m_save);
    buttons->addWidget(m_print);
    buttons->addStretch();
    buttons->addWidget(close);
    auto *layout = new QVBoxLayout(this);
    layout->addWidget(m_pages, 1);
    layout->addLayout(buttons);

    m_announcer = new Announcer(this);

    m_folder = picturesFolder();
    resize(preferredSize());
    showNothingYet();
}

void SolutionWindow::showOutcome(const Outcome &outcome)
{
    m_page = {outcome, {}};
    const int shown = m_pages->currentIndex();
    if (const Solved *solution = solved()) {
        m_page.steps = solutionSteps(solution->variant, solution->triangle);
        m_view->setTriangle(solution->triangle);
        m_steps->setSteps(m_page.steps);
        m_pages->setCurrentIndex(0);
    } else {
        const auto *failed = std::get_if<Failed>(&outcome);
        m_message->setText(failed ? failed->message : nothingYet);
        m_message->setAccessibleName(speech::spoken(m_message->text()));
        m_view->clear();
        m_steps->clear();
        m_pages->setCurrentIndex(1);
    }
    for (QPushButton *button : {m_copy, m_save, m_print})
        button->setEnabled(solved());
    // The focus may have been on the page that went out of sight.
    if (isVisible() && m_pages->currentIndex() != shown)
        focusPage();
}

QString SolutionWindow::spokenSummary() const
{
    if (solved())
        return QStringLiteral("Чертеж: %1.").arg(m_view->description());
    return m_message->accessibleName();
}

void SolutionWindow::showEvent(QShowEvent *event)
{
    QWidget::showEvent(event);
    focusPage();
}

void SolutionWindow::focusPage()
{
    (solved() ? static_cast<QWidget *>(m_view) : m_message)->setFocus(Qt::OtherFocusReason);
}

void SolutionWindow::copyToClipboard()
{
    const Solved *solution = solved();
    if (!solution)
        return;
    auto *data = new QMimeData;
    data->setImageData(figureImage(solution->triangle, m_view->size(),
                                   std::max(qreal(2), devicePixelRatioF()), m_view->labelFont()));
    data->setText(m_page.steps.join(u'\n'));
    QApplication::clipboard()->setMimeData(data);
    m_announcer->announce(QStringLiteral("Чертежът и решението са копирани."));
}

bool SolutionWindow::saveTo(const QString &fileName)
{
    const auto format = figureFormat(fileName);
    const Solved *solution = solved();
    if (!format || !solution)
        return false;
    // A window never shown has no size of its own yet.
    const QSize size = m_view->isVisible() ? m_view->size() : m_view->sizeHint();
    return saveFigure(fileName, *format, solution->triangle, size, m_view->labelFont());
}

void SolutionWindow::saveAs()
{
    if (!solved())
        return;
    const QString fileName = askFigureFile(this, QStringLiteral("Запази чертежа"), m_folder);
    if (!fileName.isEmpty() && !saveTo(fileName))
        figureNotSaved(this, fileName);
}

void SolutionWindow::print()
{
    const Solved *solution = solved();
    if (!solution)
        return;
    QPrinter printer(QPrinter::HighResolution);
    printer.setDocName(windowTitle());
    QPrintDialog dialog(&printer, this);
    if (dialog.exec() != QDialog::Accepted)
        return;
    const QString title =
        QStringLiteral("Вариант %1: чертеж и решение").arg(int(solution->variant) + 1);
    if (!printSolution(printer, title, solution->triangle, m_page.steps, m_view->labelFont(),
                       printFont()))
        QMessageBox::warning(this, QStringLiteral("Няма печат"),
                             QStringLiteral("Принтерът не можа да започне печата."));
}

QFont SolutionWindow::printFont() const
{
    // Sized in pixels of 1/96 inch, as the page is laid out: 11.25 points.
    QFont font = look::formFont();
    font.setPixelSize(15);
    return font;
}
