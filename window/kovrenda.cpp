#include "kovrenda.h"

#include "announcer.h"
#include "controltable.h"
#include "drawingsurface.h"
#include "errorreport.h"
#include "failuremessage.h"
#include "introfigure.h"
#include "numbertext.h"
#include "solutionwindow.h"
#include "solver.h"
#include "standardcolours.h"
#include "toolkittranslations.h"

#include <QAccessibleWidget>
#include <QAction>
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

#include <memory>
#include <utility>

namespace {

constexpr QRgb windowBackground = qRgb(192, 192, 255);

// Palette indices of the intro's ink and of the picture's background, and the
// width in pixels of its two dots.
constexpr int black = 0;
constexpr int white = 15;
constexpr int thickDot = 5;

// The two given boxes of each variant, in the order the solver takes them.
constexpr std::pair<int, int> givenBoxes[] = {{0, 1}, {4, 6}, {8, 11}, {14, 15}};

// Whether box 4k + column of variant k holds a value the program computes.
bool isComputed(int variant, int column)
{
    const auto [first, second] = givenBoxes[variant];
    const int index = 4 * variant + column;
    return index != first && index != second;
}

// The colours of a light desktop with the window's light blue: black text on
// white boxes, grey buttons and frames, a blue selection. Set explicitly,
// role by role, since the style's own standard palette follows the desktop
// theme (dark under a dark one).
QPalette formPalette()
{
    const QColor grey(239, 239, 239);
    const QColor dark = grey.darker(150);
    const QColor disabledText(190, 190, 190);
    QPalette palette(Qt::black, grey, grey.lighter(150), dark, grey.darker(130), Qt::black,
                     Qt::white, Qt::white, QColor::fromRgb(windowBackground));
    palette.setColor(QPalette::Midlight, grey.darker(130).lighter(110));
    palette.setColor(QPalette::Shadow, dark.darker(135));
    palette.setColor(QPalette::Highlight, QColor(48, 140, 198));
    palette.setColor(QPalette::HighlightedText, Qt::white);
    palette.setColor(QPalette::Link, QColor(0, 0, 255));
    palette.setColor(QPalette::ToolTipBase, QColor(255, 255, 220));
    palette.setColor(QPalette::ToolTipText, Qt::black);
    QColor placeholder(Qt::black);
    placeholder.setAlpha(128);
    palette.setColor(QPalette::PlaceholderText, placeholder);
    for (auto role : {QPalette::Text, QPalette::WindowText, QPalette::ButtonText})
        palette.setColor(QPalette::Disabled, role, disabledText);
    palette.setColor(QPalette::Disabled, QPalette::Base, grey);
    palette.setColor(QPalette::Disabled, QPalette::Highlight, QColor(145, 145, 145));
    return palette;
}

// The two computed values of a calculation as the boxes write them, with
// their columns' names: «b = 4, r = 1» for «Вариант 3».
QString resultSentence(solver::Variant variant, const solver::Triangle &triangle)
{
    const char *names[] = {"a", "b", "r", "R"};
    const double values[] = {triangle.a, triangle.b, triangle.r, triangle.R};
    QStringList parts;
    for (int j = 0; j < 4; ++j)
        if (isComputed(int(variant), j))
            parts << QStringLiteral("%1 = %2").arg(QLatin1String(names[j]),
                                                   numbertext::toText(values[j]));
    return parts.join(QStringLiteral(", "));
}

// Assistive technology sees the window as an application's window (the role
// a main window has), not as a bare area of some window: a screen reader
// names it by its caption and follows the focus inside it while it is active.
QAccessibleInterface *accessibleWindow(const QString &, QObject *object)
{
    if (auto *window = qobject_cast<Kovrenda *>(object))
        return new QAccessibleWidget(window, QAccessible::Window);
    return nullptr;
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
    static const bool factoryInstalled = (QAccessible::installFactory(accessibleWindow), true);
    Q_UNUSED(factoryInstalled);
    // The window speaks Bulgarian, Qt's own buttons and menus included.
    useBulgarianToolkitTexts();
    setWindowTitle(QStringLiteral("www.example.org   Математика - правоъгълен триъгълник"));
    setWindowIcon(QIcon(QStringLiteral(":/kovrenda/kovrenda.png")));
    setFont(QFont(QStringLiteral("Times New Roman"), 12));
    // The window is one fixed picture of a form: every control inherits
    // fixed light colours, whatever the desktop theme gives (a dark theme
    // would otherwise put white text on the white task statement and dark
    // selector marks on the blue); the coloured ones fix their own background
    // and black text.
    setPalette(formPalette());
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

    controltable::createControls(this);

    for (int i = 0; i < int(m_text2.size()); ++i) {
        QLineEdit *box = m_text2[i] = control<QLineEdit>(this, QStringLiteral("Text2(%1)").arg(i));
        // Enter (or keypad Enter) in a value box calculates, as «Изчисли» does.
        connect(box, &QLineEdit::returnPressed, this, [this] { Command1_Click(1); });
        box->installEventFilter(this);
    }
    for (int i = 0; i < int(m_command1.size()); ++i) {
        m_command1[i] = control<QPushButton>(this, QStringLiteral("Command1(%1)").arg(i));
        connect(m_command1[i], &QPushButton::clicked, this, [this, i] { Command1_Click(i); });
    }
    for (int i = 0; i < 4; ++i) {
        // clicked, not toggled: choosing the variant that is already marked
        // runs the handler again and so empties the grid.
        auto *selector = control<QRadioButton>(this, QStringLiteral("Option1(%1)").arg(i));
        connect(selector, &QRadioButton::clicked, this, [this, i] { Option1_Click(i); });
    }
    m_frame1 = control<QFrame>(this, QStringLiteral("Frame1"));
    m_picture1 = control<DrawingSurface>(this, QStringLiteral("Picture1"));
    connect(m_picture1, &DrawingSurface::clicked, this, &Kovrenda::Picture1_Click);
    m_timer1 = control<QTimer>(this, QStringLiteral("Timer1"));
    connect(m_timer1, &QTimer::timeout, this, &Kovrenda::Timer1_Timer);

    offerSolution();

    // What a screen reader is told after Calculate and Clear.
    m_announcer = new Announcer(this);
    connect(this, &Kovrenda::calculated, m_announcer,
            [this](solver::Variant variant, const solver::Triangle &triangle) {
                m_announcer->announce(resultSentence(variant, triangle));
            });
    connect(this, &Kovrenda::cleared, m_announcer,
            [this] { m_announcer->announce(QStringLiteral("Полетата са изчистени.")); });

    if (const QScreen *screen = QGuiApplication::primaryScreen())
        move(screen->availableGeometry().center() - rect().center());

    Form_Load();
    control<QPlainTextEdit>(this, QStringLiteral("Text1(0)"))->setFocus();
}

Kovrenda::~Kovrenda() = default;

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

void Kovrenda::offerSolution()
{
    // The companion window with the drawing and the steps is an addition
    // beside the form: offered by the context menu of the panel, of the two
    // buttons and of every value box, and by F2 anywhere in the window.
    m_openSolution = new QAction(QStringLiteral("Чертеж и решение…"), this);
    m_openSolution->setShortcut(Qt::Key_F2);
    m_openSolution->setShortcutVisibleInContextMenu(true);
    connect(m_openSolution, &QAction::triggered, this, &Kovrenda::openSolution);
    addAction(m_openSolution);
    for (QWidget *panel : {static_cast<QWidget *>(m_frame1), static_cast<QWidget *>(m_command1[0]),
                           static_cast<QWidget *>(m_command1[1])}) {
        panel->setContextMenuPolicy(Qt::ActionsContextMenu);
        panel->addAction(m_openSolution);
    }
    const QString hint = QStringLiteral("Десен бутон или F2: чертеж на триъгълника с двете "
                                        "окръжности и решението стъпка по стъпка.");
    for (QLineEdit *box : m_text2) {
        box->setContextMenuPolicy(Qt::CustomContextMenu);
        connect(box, &QLineEdit::customContextMenuRequested, this,
                [this, box](const QPoint &position) { showValueBoxMenu(box, position); });
        // The whole value is in the tooltip, for a value longer than its
        // box, with the way to the drawing below it.
        box->setToolTip(hint);
        connect(box, &QLineEdit::textChanged, box, [box, hint](const QString &text) {
            box->setToolTip(text.isEmpty() ? hint : text + u'\n' + hint);
        });
    }

    // The companion follows every calculation, whether it is open or not yet.
    connect(this, &Kovrenda::calculated, this,
            [this](solver::Variant variant, const solver::Triangle &triangle) {
                m_showLastCalculation = [variant, triangle](SolutionWindow &solution) {
                    solution.showSolution(variant, triangle);
                };
                if (m_solution)
                    m_showLastCalculation(*m_solution);
            });
    connect(this, &Kovrenda::calculationFailed, this, [this](const QString &message) {
        m_showLastCalculation = [message](SolutionWindow &solution) {
            solution.showFailure(message);
        };
        if (m_solution)
            m_showLastCalculation(*m_solution);
    });
}

void Kovrenda::showValueBoxMenu(QLineEdit *box, const QPoint &position)
{
    // The box's own menu (Copy, Select All, ...) with the drawing on top.
    std::unique_ptr<QMenu> menu(box->createStandardContextMenu());
    QAction *first = menu->actions().value(0);
    menu->insertAction(first, m_openSolution);
    menu->insertSeparator(first);
    menu->exec(box->mapToGlobal(position));
}

void Kovrenda::openSolution()
{
    if (!m_solution) {
        m_solution = new SolutionWindow(this);
        if (m_showLastCalculation)
            m_showLastCalculation(*m_solution);
    }
    m_solution->show();
    m_solution->raise();
    m_solution->activateWindow();
}

void Kovrenda::Form_Load()
{
    // Frame 0 of the intro: the fixed figure (top dot and upright leg), drawn
    // once, and the first moving figure (base leg, hypotenuse, corner dot).
    const float W = m_picture1->scaleWidth();
    const float H = m_picture1->scaleHeight();
    m_introStep = 0;
    m_picture1->setDrawWidth(thickDot);
    const intro::Point A = intro::top(W, H);
    m_picture1->pset(A.x, A.y, standardColour(black));
    m_picture1->setDrawStyle(DrawingSurface::Dot);
    m_picture1->setDrawWidth(1);
    const intro::Point C = intro::corner(W, H);
    m_picture1->line(A.x, A.y, C.x, C.y, standardColour(black));
    const intro::Point B = intro::movingCorner(W, H, 0, 0);
    m_picture1->line(C.x, C.y, B.x, B.y, standardColour(black));
    m_picture1->line(A.x, A.y, B.x, B.y, standardColour(black));
    m_picture1->setDrawWidth(thickDot);
    m_picture1->pset(B.x, B.y, standardColour(black));

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
    const int k = m_introStep;
    const float W = m_picture1->scaleWidth();
    const float H = m_picture1->scaleHeight();
    const std::int16_t u = intro::stepWidth(W);
    const intro::Point A = intro::top(W, H);
    const intro::Point C = intro::corner(W, H);

    m_picture1->setDrawStyle(DrawingSurface::Dot);
    m_picture1->setDrawWidth(1);
    const intro::Point B = intro::movingCorner(W, H, k, u);
    m_picture1->line(A.x, A.y, B.x, B.y, standardColour(white));
    m_picture1->line(C.x, C.y, B.x, B.y, standardColour(white));
    m_picture1->setDrawWidth(thickDot);
    m_picture1->pset(B.x, B.y, standardColour(white));
    if (k + 1 >= intro::frameCount) {
        EndIntro();
        return;
    }

    m_introStep = std::int16_t(k + 1);
    const intro::Point next = intro::movingCorner(W, H, k + 1, u);
    m_picture1->pset(next.x, next.y, standardColour(black));
    m_picture1->setDrawStyle(DrawingSurface::Dot);
    m_picture1->setDrawWidth(1);
    m_picture1->line(A.x, A.y, next.x, next.y, standardColour(black));
    m_picture1->line(C.x, C.y, next.x, next.y, standardColour(black));
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
    const auto [firstBox, secondBox] = givenBoxes[k];
    const double first = numbertext::toNumber(m_text2[firstBox]->text());
    const double second = numbertext::toNumber(m_text2[secondBox]->text());

    const auto result = solver::solve(variant, first, second);
    if (!result) {
        // No stale result may stand beside givens it does not belong to: the
        // two computed boxes of the row are emptied, the givens stay as typed.
        for (int j = 0; j < 4; ++j)
            if (isComputed(k, j))
                m_text2[4 * k + j]->setText(QString());
        if (!m_variantChosen) {
            emit calculationFailed(noVariantMessage());
            reportError(this, noVariantTitle(), noVariantMessage());
            return;
        }
        const EmptyGivens empty{m_text2[firstBox]->text().trimmed().isEmpty(),
                                m_text2[secondBox]->text().trimmed().isEmpty()};
        const QString message =
            failureMessage(variant, result.error(), first, second, QLocale(), empty);
        emit calculationFailed(message);
        reportError(this, failureTitle(), message);
        return;
    }
    // The givens are written back too, as they were read: "04" shows as 4.
    // A value longer than its box shows its start (the integer part and the
    // first decimals), as a calculator does; the text keeps every digit.
    const double values[] = {result->a, result->b, result->r, result->R};
    for (int j = 0; j < 4; ++j) {
        QLineEdit *box = m_text2[4 * k + j];
        box->setText(numbertext::toText(values[j]));
        box->setCursorPosition(0);
    }
    emit calculated(variant, *result);
}
