#include "kovrenda.h"

#include "accessibility.h"
#include "companionlink.h"
#include "contextmenus.h"
#include "drawingsurface.h"
#include "errorreport.h"
#include "failurereport.h"
#include "formlook.h"
#include "introfigure.h"
#include "numbertext.h"
#include "practicelink.h"
#include "solvelink.h"
#include "screenreader.h"
#include "standardcolours.h"
#include "toolkittranslations.h"
#include "variants.h"
#include "windowlink.h"

#include <QFocusEvent>
#include <QGuiApplication>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QScreen>
#include <QTimer>

namespace {

// Palette indices of the intro's ink and of the picture's background.
constexpr int black = 0;
constexpr int white = 15;

// The box of the value grid that holds a column of a variant's row.
int boxOf(solver::Variant variant, solver::Column column)
{
    return 4 * int(variant) + int(column);
}

} // namespace

Kovrenda::Kovrenda(QWidget *parent)
    : QWidget(parent, Qt::Window | Qt::WindowTitleHint | Qt::WindowSystemMenuHint
                          | Qt::WindowMinimizeButtonHint | Qt::WindowCloseButtonHint)
{
    setUpWindow();
    m_controls = controltable::createControls(this);
    wirePanel();
    attachAdditions();
    Form_Load();
    m_controls.text1[0]->setFocus();
}

Kovrenda::~Kovrenda() = default;

void Kovrenda::setUpWindow()
{
    // Assistive technology sees an application's window (the role a main
    // window has), not a bare area of some window: a screen reader names it
    // by its caption and follows the focus inside it while it is active.
    accessibility::setRole(this, QAccessible::Window);
    // The window speaks Bulgarian, Qt's own buttons and menus included.
    useBulgarianToolkitTexts();
    setWindowTitle(QStringLiteral("www.example.org   Математика - правоъгълен триъгълник"));
    setWindowIcon(QIcon(QStringLiteral(":/kovrenda/kovrenda.png")));
    setFont(look::formFont());
    // The window is one fixed picture of a form: every control inherits
    // fixed light colours, whatever the desktop theme gives (a dark theme
    // would otherwise put white text on the white task statement and dark
    // selector marks on the blue); the coloured ones fix their own background
    // and black text.
    setPalette(look::lightPalette(QColor::fromRgb(look::windowBlue)));
    setAutoFillBackground(true);
    const QSize clientSize(controltable::pixels(7215), controltable::pixels(6360));
    if (QGuiApplication::platformName().startsWith(u"wayland")) {
        // A Wayland compositor may maximise any window, and Qt's own title
        // bar offers it; an xdg-shell client must then fill the size it is
        // given, and one whose size is fixed is disconnected for not doing
        // so (and everything typed is lost). There the window may grow: the
        // controls keep their places and the rest is background.
        resize(clientSize);
        setMinimumSize(clientSize);
    } else {
        setFixedSize(clientSize);
    }
    if (const QScreen *screen = QGuiApplication::primaryScreen())
        move(screen->availableGeometry().center() - rect().center());
}

void Kovrenda::wirePanel()
{
    for (QLineEdit *box : m_controls.text2) {
        // Enter (or keypad Enter) in a value box calculates, as «Изчисли» does.
        connect(box, &QLineEdit::returnPressed, this, [this] { Command1_Click(1); });
        // Scrolls the box back to its start when the student leaves it.
        box->installEventFilter(this);
    }
    for (int i = 0; i < int(m_controls.command1.size()); ++i)
        connect(m_controls.command1[i], &QPushButton::clicked, this,
                [this, i] { Command1_Click(i); });
    // clicked, not toggled: choosing the variant that is already marked runs
    // the handler again and so empties the grid.
    for (int i = 0; i < int(m_controls.option1.size()); ++i)
        connect(m_controls.option1[i], &QRadioButton::clicked, this,
                [this, i] { Option1_Click(i); });
    connect(m_controls.picture1, &DrawingSurface::clicked, this, &Kovrenda::Picture1_Click);
    connect(m_controls.timer1, &QTimer::timeout, this, &Kovrenda::Timer1_Timer);
}

void Kovrenda::attachAdditions()
{
    // In this order: the companion follows a calculation before the screen
    // reader tells what it shows.
    m_companion = new CompanionLink(this);
    const WindowLink *practice = linkPractice(this);
    const WindowLink *solve = linkSolve(this);
    new ContextMenus(this, m_controls,
                     {m_companion->openAction(), practice->openAction(), solve->openAction()});
    new ScreenReader(this, m_companion);
}

void Kovrenda::openSolution()
{
    m_companion->open();
}

bool Kovrenda::eventFilter(QObject *watched, QEvent *event)
{
    // A value box that the student leaves scrolls back to the start of its
    // text. Not when a context menu opens over it (its Copy must still find
    // the selection) or another window is activated.
    if (event->type() == QEvent::FocusOut) {
        const auto reason = static_cast<QFocusEvent *>(event)->reason();
        if (reason != Qt::PopupFocusReason && reason != Qt::ActiveWindowFocusReason)
            if (auto *box = qobject_cast<QLineEdit *>(watched))
                box->setCursorPosition(0);
    }
    return QWidget::eventFilter(watched, event);
}

void Kovrenda::Form_Load()
{
    // Frame 0 of the intro: the fixed figure (top dot and upright leg), drawn
    // once, and the first moving figure (base leg, hypotenuse, corner dot).
    using enum intro::Mark;
    m_introStep = 0;
    intro::draw(*m_controls.picture1, 0, standardColour(black),
                {TopDot, UprightLeg, BaseLeg, Hypotenuse, MovingDot});

    // The panel starts with every value box disabled and empty.
    disableAndEmptyBoxes();
}

void Kovrenda::Command1_Click(int index)
{
    if (index == 0)
        ClearBoxes();
    else if (index == 1)
        SolveVariant();
}

void Kovrenda::Option1_Click(int index)
{
    m_selectedVariant = std::int16_t(index);
    m_variantChosen = true;
    disableAndEmptyBoxes();
    // The enabled run is five boxes: the chosen row and the box before it
    // (after it for the first row). A given box of a neighbouring row can
    // thus take typing that the calculation does not read.
    int first = 4 * index - 1;
    if (first == -1)
        first = 0;
    for (int i = first; i <= first + 4; ++i)
        m_controls.text2[i]->setEnabled(true);
}

void Kovrenda::Picture1_Click()
{
    EndIntro();
}

void Kovrenda::Timer1_Timer()
{
    // Each tick erases the moving figure of frame k by drawing it again in
    // white, then draws frame k + 1 (its dot first, then its two legs), or
    // ends the intro after the last frame. The fixed figure is never redrawn.
    using enum intro::Mark;
    const int k = m_introStep;
    intro::draw(*m_controls.picture1, k, standardColour(white), {Hypotenuse, BaseLeg, MovingDot});
    if (k + 1 >= intro::frameCount) {
        EndIntro();
        return;
    }
    m_introStep = std::int16_t(k + 1);
    intro::draw(*m_controls.picture1, k + 1, standardColour(black), {MovingDot, Hypotenuse, BaseLeg});
}

void Kovrenda::EndIntro()
{
    m_controls.timer1->stop();
    m_controls.picture1->setVisible(false);
    m_controls.frame1->setVisible(true);
    m_controls.command1[0]->setVisible(true);
    m_controls.command1[1]->setVisible(true);
}

void Kovrenda::disableAndEmptyBoxes()
{
    for (QLineEdit *box : m_controls.text2) {
        box->setEnabled(false);
        box->setText(QString());
    }
}

void Kovrenda::ClearBoxes()
{
    for (QLineEdit *box : m_controls.text2)
        box->setText(QString());
    emit cleared();
}

void Kovrenda::SolveVariant()
{
    const int k = m_selectedVariant;
    const auto variant = solver::Variant(k);
    const auto &columns = solver::factsOf(variant);
    QLineEdit *firstBox = m_controls.text2[boxOf(variant, columns.given[0])];
    QLineEdit *secondBox = m_controls.text2[boxOf(variant, columns.given[1])];
    const double first = numbertext::toNumber(firstBox->text());
    const double second = numbertext::toNumber(secondBox->text());

    const auto result = solver::solve(variant, first, second);
    if (!result) {
        // No stale result may stand beside givens it does not belong to: the
        // two computed boxes of the row are emptied, the givens stay as typed.
        for (const solver::Column column : columns.computed)
            m_controls.text2[boxOf(variant, column)]->setText(QString());
        const FailureReport report = !m_variantChosen
            ? noVariantReport()
            : failureReport(variant, result.error(), first, second, QLocale(),
                            {!numbertext::readNumber(firstBox->text()),
                             !numbertext::readNumber(secondBox->text())});
        emit calculationFailed(report.message);
        reportError(this, report.title, report.message);
        return;
    }
    // The givens are written back too, as they were read: "04" shows as 4.
    // A value longer than its box shows its start (the integer part and the
    // first decimals), as a calculator does; the text keeps every digit. The
    // box the student is typing in (Enter calculates there) keeps its cursor,
    // or has it at the end where its text changed, so that typing goes on
    // where it would in any text box.
    const double values[] = {result->a, result->b, result->r, result->R};
    for (int j = 0; j < 4; ++j) {
        QLineEdit *box = m_controls.text2[4 * k + j];
        const QString text = numbertext::toText(values[j]);
        if (box == focusWidget()) {
            if (box->text() != text)
                box->setText(text);
        } else {
            box->setText(text);
            box->setCursorPosition(0);
        }
    }
    emit calculated(variant, *result);
}
