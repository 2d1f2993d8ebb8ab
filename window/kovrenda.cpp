#include "kovrenda.h"

#include "accessibility.h"
#include "announcer.h"
#include "controltable.h"
#include "drawingsurface.h"
#include "errorreport.h"
#include "failurereport.h"
#include "formlook.h"
#include "introfigure.h"
#include "numbertext.h"
#include "solutionwindow.h"
#include "solver.h"
#include "spoken.h"
#include "standardcolours.h"
#include "toolkittranslations.h"
#include "variants.h"

#include <QAction>
#include <QApplication>
#include <QContextMenuEvent>
#include <QFocusEvent>
#include <QFrame>
#include <QGuiApplication>
#include <QLineEdit>
#include <QMenu>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QScreen>
#include <QTimer>
#include <QWindow>

#include <chrono>
#include <memory>

namespace {

// Palette indices of the intro's ink and of the picture's background.
constexpr int black = 0;
constexpr int white = 15;

// The box of the value grid that holds a column of a variant's row.
int boxOf(solver::Variant variant, solver::Column column)
{
    return 4 * int(variant) + int(column);
}

// The two computed values of a calculation as the boxes write them, with
// their columns' names: «b = 4, r = 1» for «Вариант 3» (said «b = 4, малко r
// = 1», see speech::spoken).
QString resultSentence(solver::Variant variant, const solver::Triangle &triangle)
{
    QStringList parts;
    for (const solver::Column column : solver::factsOf(variant).computed)
        parts << QStringLiteral("%1 = %2").arg(QLatin1String(solver::symbol(column)),
                                               numbertext::toText(solver::value(triangle, column)));
    return parts.join(QStringLiteral(", "));
}

template<typename T>
T *control(const QWidget *window, const QString &name)
{
    auto *found = window->findChild<T *>(name);
    Q_ASSERT_X(found, "Kovrenda", qPrintable(name));
    return found;
}

} // namespace

Kovrenda::Kovrenda(QWidget *parent)
    : QWidget(parent, Qt::Window | Qt::WindowTitleHint | Qt::WindowSystemMenuHint
                          | Qt::WindowMinimizeButtonHint | Qt::WindowCloseButtonHint)
{
    setUpWindow();
    createControls();
    wirePanel();
    wireCompanion();
    wireScreenReader();
    Form_Load();
    m_task->setFocus();
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

void Kovrenda::createControls()
{
    controltable::createControls(this);
    for (int i = 0; i < int(m_text2.size()); ++i)
        m_text2[i] = control<QLineEdit>(this, QStringLiteral("Text2(%1)").arg(i));
    for (int i = 0; i < int(m_command1.size()); ++i)
        m_command1[i] = control<QPushButton>(this, QStringLiteral("Command1(%1)").arg(i));
    for (int i = 0; i < int(m_option1.size()); ++i)
        m_option1[i] = control<QRadioButton>(this, QStringLiteral("Option1(%1)").arg(i));
    m_task = control<QPlainTextEdit>(this, QStringLiteral("Text1(0)"));
    m_frame1 = control<QFrame>(this, QStringLiteral("Frame1"));
    m_picture1 = control<DrawingSurface>(this, QStringLiteral("Picture1"));
    m_timer1 = control<QTimer>(this, QStringLiteral("Timer1"));
}

void Kovrenda::wirePanel()
{
    for (QLineEdit *box : m_text2)
        setUpValueBox(box);
    for (int i = 0; i < int(m_command1.size()); ++i)
        connect(m_command1[i], &QPushButton::clicked, this, [this, i] { Command1_Click(i); });
    // clicked, not toggled: choosing the variant that is already marked runs
    // the handler again and so empties the grid.
    for (int i = 0; i < int(m_option1.size()); ++i)
        connect(m_option1[i], &QRadioButton::clicked, this, [this, i] { Option1_Click(i); });
    connect(m_picture1, &DrawingSurface::clicked, this, &Kovrenda::Picture1_Click);
    connect(m_timer1, &QTimer::timeout, this, &Kovrenda::Timer1_Timer);
}

void Kovrenda::setUpValueBox(QLineEdit *box)
{
    // Enter (or keypad Enter) in a value box calculates, as «Изчисли» does.
    connect(box, &QLineEdit::returnPressed, this, [this] { Command1_Click(1); });
    // Scrolls the box back to its start when the student leaves it.
    box->installEventFilter(this);
    // The whole value is in the tooltip, for a value longer than its box,
    // with the way to the drawing below it.
    const QString hint = QStringLiteral("Десен бутон или F2: чертеж на триъгълника с двете "
                                        "окръжности и решението стъпка по стъпка.");
    box->setToolTip(hint);
    connect(box, &QLineEdit::textChanged, box, [box, hint](const QString &text) {
        box->setToolTip(text.isEmpty() ? hint : text + u'\n' + hint);
    });
}

void Kovrenda::wireCompanion()
{
    // The companion window with the drawing and the steps is an addition
    // beside the form: offered by the context menu of the panel, of the two
    // buttons and of every value box, and by F2 anywhere in the window.
    m_openSolution = new QAction(QStringLiteral("Чертеж и решение…"), this);
    m_openSolution->setShortcut(Qt::Key_F2);
    connect(m_openSolution, &QAction::triggered, this, &Kovrenda::openSolution);
    addAction(m_openSolution);
    // The menus are opened in eventFilter(), from the mouse, the Menu key
    // or Shift+F10.
    for (QWidget *panel : {static_cast<QWidget *>(m_frame1), static_cast<QWidget *>(m_command1[0]),
                           static_cast<QWidget *>(m_command1[1])})
        panel->installEventFilter(this);
    // Shift+F10 opens the focused control's menu, as the Menu key does: the
    // key that desktop programs and screen reader users know, which Qt turns
    // into a menu only on Windows.
    auto *menuKey = new QAction(this);
    menuKey->setShortcut(QKeySequence(Qt::SHIFT | Qt::Key_F10));
    connect(menuKey, &QAction::triggered, this, &Kovrenda::openMenuFromKeyboard);
    addAction(menuKey);
    // The companion follows every calculation, whether it is open or not yet.
    connect(this, &Kovrenda::calculated, this,
            [this](solver::Variant variant, const solver::Triangle &triangle) {
                keepOutcome(Solved{variant, triangle});
            });
    connect(this, &Kovrenda::calculationFailed, this,
            [this](const QString &message) { keepOutcome(Failed{message}); });
}

void Kovrenda::wireScreenReader()
{
    // What a screen reader is told after Calculate and Clear.
    m_announcer = new Announcer(this);
    connect(this, &Kovrenda::calculated, m_announcer,
            [this](solver::Variant variant, const solver::Triangle &triangle) {
                QString sentence = speech::spoken(resultSentence(variant, triangle));
                // The companion, open beside the window, has just followed the
                // calculation: what it shows now is told in the same
                // notification, since a second one would cut the first short.
                if (m_solution && m_solution->isVisible())
                    sentence += QStringLiteral(". ") + m_solution->spokenSummary();
                m_announcer->announce(sentence);
            });
    connect(this, &Kovrenda::cleared, m_announcer,
            [this] { m_announcer->announce(QStringLiteral("Полетата са изчистени.")); });
}

bool Kovrenda::eventFilter(QObject *watched, QEvent *event)
{
    // The context menus of the value boxes, the panel (a selector's or a
    // heading's comes here from the panel) and the two buttons. A disabled
    // box has none of its own: its menu is the panel's.
    if (event->type() == QEvent::ContextMenu) {
        auto *widget = static_cast<QWidget *>(watched);
        if (!widget->isEnabled())
            return false;
        showContextMenu(widget, *static_cast<QContextMenuEvent *>(event));
        return true;
    }
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

void Kovrenda::showContextMenu(QWidget *widget, const QContextMenuEvent &event)
{
    std::unique_ptr<QMenu> menu;
    QAction *first = nullptr;
    if (auto *box = qobject_cast<QLineEdit *>(widget)) {
        // The box's own menu (Copy, Select All, ...) with the drawing on top.
        menu.reset(box->createStandardContextMenu());
        first = menu->actions().value(0);
    } else {
        menu = std::make_unique<QMenu>(widget);
    }
    // An item of this menu's own, not the window's F2 action: Qt's
    // accessibility keeps one interface per action, tied to the first menu
    // that showed it, and a screen reader would hear nothing of the same
    // action in a later menu. Like Qt's own items («Копиране», ...) it
    // carries its key after a tab, which the menu shows on the right and a
    // screen reader reads with the item.
    auto *item = new QAction(m_openSolution->text() + u'\t'
                                 + m_openSolution->shortcut().toString(QKeySequence::NativeText),
                             menu.get());
    connect(item, &QAction::triggered, this, &Kovrenda::openSolution);
    menu->insertAction(first, item);
    if (first)
        menu->insertSeparator(first);
    // Opened from the keyboard, the menu starts on its first item, as menus
    // of other desktop programs do, and a screen reader reads that item at
    // once. Only once the menu has the keyboard: then assistive technology
    // is told that the window under it is active, and a screen reader that
    // had already begun the item would break off to name the window. Where
    // a menu never becomes the focus window, a moment after it opens.
    if (event.reason() == QContextMenuEvent::Keyboard) {
        QMenu *shown = menu.get();
        const auto highlight = [shown, item] {
            if (!shown->activeAction())
                shown->setActiveAction(item);
        };
        connect(qApp, &QGuiApplication::focusWindowChanged, shown,
                [shown, highlight](QWindow *window) {
                    if (window && window == shown->windowHandle())
                        QMetaObject::invokeMethod(shown, highlight, Qt::QueuedConnection);
                });
        QTimer::singleShot(std::chrono::milliseconds(200), shown, highlight);
    }
    menu->exec(event.globalPos());
}

void Kovrenda::openMenuFromKeyboard()
{
    // What Qt does for the Menu key: a context menu event from the keyboard
    // at the focused control's text cursor (or its middle), which goes up to
    // the panel when the control has no menu of its own.
    QWidget *focus = QApplication::focusWidget();
    if (!focus || focus->window() != this)
        return;
    const QPoint position = focus->inputMethodQuery(Qt::ImCursorRectangle).toRect().center();
    QContextMenuEvent event(QContextMenuEvent::Keyboard, position, focus->mapToGlobal(position));
    QApplication::sendEvent(focus, &event);
}

void Kovrenda::keepOutcome(const Outcome &outcome)
{
    m_lastOutcome = outcome;
    if (m_solution)
        m_solution->showOutcome(m_lastOutcome);
}

void Kovrenda::openSolution()
{
    if (!m_solution) {
        m_solution = new SolutionWindow(this);
        m_solution->showOutcome(m_lastOutcome);
    }
    if (!m_solution->isVisible()) {
        // On the main window's screen, wholly, at any scale factor; its
        // decoration is taken to be as large as the main window's.
        const QRect frame = frameGeometry();
        const QMargins decoration(geometry().left() - frame.left(), geometry().top() - frame.top(),
                                  frame.right() - geometry().right(),
                                  frame.bottom() - geometry().bottom());
        m_solution->fitInto(screen()->availableGeometry(), frame.center(), decoration);
    }
    m_solution->show();
    m_solution->raise();
    m_solution->activateWindow();
}

void Kovrenda::Form_Load()
{
    // Frame 0 of the intro: the fixed figure (top dot and upright leg), drawn
    // once, and the first moving figure (base leg, hypotenuse, corner dot).
    using enum intro::Mark;
    m_introStep = 0;
    intro::draw(*m_picture1, 0, standardColour(black),
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
        m_text2[i]->setEnabled(true);
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
    intro::draw(*m_picture1, k, standardColour(white), {Hypotenuse, BaseLeg, MovingDot});
    if (k + 1 >= intro::frameCount) {
        EndIntro();
        return;
    }
    m_introStep = std::int16_t(k + 1);
    intro::draw(*m_picture1, k + 1, standardColour(black), {MovingDot, Hypotenuse, BaseLeg});
}

void Kovrenda::EndIntro()
{
    m_timer1->stop();
    m_picture1->setVisible(false);
    m_frame1->setVisible(true);
    m_command1[0]->setVisible(true);
    m_command1[1]->setVisible(true);
}

void Kovrenda::disableAndEmptyBoxes()
{
    for (QLineEdit *box : m_text2) {
        box->setEnabled(false);
        box->setText(QString());
    }
}

void Kovrenda::ClearBoxes()
{
    for (QLineEdit *box : m_text2)
        box->setText(QString());
    emit cleared();
}

void Kovrenda::SolveVariant()
{
    const int k = m_selectedVariant;
    const auto variant = solver::Variant(k);
    const auto &columns = solver::factsOf(variant);
    QLineEdit *firstBox = m_text2[boxOf(variant, columns.given[0])];
    QLineEdit *secondBox = m_text2[boxOf(variant, columns.given[1])];
    const double first = numbertext::toNumber(firstBox->text());
    const double second = numbertext::toNumber(secondBox->text());

    const auto result = solver::solve(variant, first, second);
    if (!result) {
        // No stale result may stand beside givens it does not belong to: the
        // two computed boxes of the row are emptied, the givens stay as typed.
        for (const solver::Column column : columns.computed)
            m_text2[boxOf(variant, column)]->setText(QString());
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
        QLineEdit *box = m_text2[4 * k + j];
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
