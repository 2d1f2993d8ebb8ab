#include "solvewindow.h"

#include "accessibility.h"
#include "announcer.h"
#include "figureexport.h"
#include "figurefile.h"
#include "figurepainting.h"
#include "formlook.h"
#include "handlefigure.h"
#include "numbertext.h"
#include "pairsteps.h"
#include "schooltext.h"
#include "spoken.h"
#include "stepsview.h"

#include <QApplication>
#include <QClipboard>
#include <QComboBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QMimeData>
#include <QPushButton>
#include <QSplitter>
#include <QTabBar>
#include <QTableWidget>
#include <QVBoxLayout>

#include <algorithm>
#include <charconv>
#include <limits>

using pairs::Quantity;

namespace {

// The two quantities the window opens with: the hypotenuse and the
// altitude to it, the first of the school problems it is for.
constexpr std::array<Quantity, 2> firstChoices = {Quantity::c, Quantity::h};

// What a screen reader says for a quantity: its meaning, with its symbol
// where the meaning does not name it («хипотенуза c»; «r, радиус на
// вписаната окръжност»).
QString spokenName(Quantity q)
{
    const QString meaning = pairtext::meaning(q);
    const QString symbol = pairtext::symbol(q);
    if (meaning.endsWith(u' ' + symbol) || meaning.contains(u' ' + symbol + u' '))
        return meaning;
    return QStringLiteral("%1, %2").arg(symbol, meaning);
}

// The figure's triangle: its legs and radii as doubles.
solver::Triangle figureTriangle(const pairs::Triangle &t)
{
    return {t[Quantity::a].toDouble(), t[Quantity::b].toDouble(), t[Quantity::r].toDouble(),
            t[Quantity::R].toDouble()};
}

// The decimal without the zeros that end its digits.
exact::Decimal trimmed(exact::Decimal d)
{
    while (d.digits.size() > 1 && d.digits.back() == '0')
        d.digits.pop_back();
    return d;
}

// A decimal written out in full, with no power of ten: "0,000125", "12500".
QString plainText(const exact::Decimal &value, QChar point)
{
    const exact::Decimal d = trimmed(value);
    const QString digits = QString::fromStdString(d.digits);
    QString text;
    if (d.exponent < 0) {
        text = QStringLiteral("0") + point + QString(int(-d.exponent - 1), u'0') + digits;
    } else {
        const int whole = int(d.exponent) + 1;
        text = digits.left(whole).leftJustified(whole, u'0');
        if (digits.size() > whole)
            text += point + digits.mid(whole);
    }
    return (d.negative ? QStringLiteral("-") : QString()) + text;
}

// A given's value as its box shows it: in full where that is short, else
// with an exponent the box reads back ("1,5e-9").
QString boxText(const exact::Decimal &value, const QLocale &locale)
{
    const QChar point = locale.decimalPoint().front();
    if (value.exponent >= -6 && value.exponent < 15)
        return plainText(value, point);
    exact::Decimal mantissa = trimmed(value);
    const long long exponent = mantissa.exponent;
    mantissa.exponent = 0;
    return plainText(mantissa, point) + QStringLiteral("e") + QString::number(exponent);
}

// What a move writes into a given's box: the value itself where it is a
// decimal of at most the boxes' digits, else rounded to them (true).
std::pair<exact::Decimal, bool> boxValue(const pairs::Value &v)
{
    if (v.exact)
        if (const auto d = v.exact->terminatingDecimal(); d && int(d->digits.size()) <= numbertext::boxDigits)
            return {*d, false};
    return {trimmed(v.rounded(numbertext::boxDigits)), true};
}

// A value exactly where it is rational, else to the solver's kept digits:
// what a move holds fixed.
exact::Number heldValue(const pairs::Value &v)
{
    if (v.exact && v.exact->isRational())
        return *v.exact;
    return exact::Number::fromDecimal(v.kept);
}

// The double as the shortest decimal that reads back as it, exactly.
exact::Number numberOf(double x)
{
    char buffer[64];
    const auto end = std::to_chars(buffer, buffer + sizeof buffer, x).ptr;
    return exact::Number::fromDecimal(*exact::readDecimal(std::string_view(buffer, end)));
}

exact::Number numberOf(const handles::Nice &nice)
{
    return exact::Number::fromDecimal(*exact::readDecimal(nice.text()));
}

// The value in the drawing's description: in full, with a comma, to at
// least ten significant digits, or all of them where it has fewer.
QString describedValue(const pairs::Value &v)
{
    if (v.exact)
        if (const auto d = v.exact->terminatingDecimal(); d && d->digits.size() <= 15)
            return plainText(*d, u',');
    return plainText(v.rounded(10), u',');
}

// «a = 6» where the value is that short a decimal, else «a ≈ 7,924».
QString toldValue(Quantity q, const pairs::Value &v, const QLocale &locale)
{
    const exact::Decimal four = trimmed(v.rounded(4));
    bool exactly = false;
    if (v.exact)
        if (const auto d = v.exact->terminatingDecimal())
            exactly = trimmed(*d) == four;
    return pairtext::symbol(q) + (exactly ? QStringLiteral(" = ") : QStringLiteral(" ≈ "))
        + schoolText(four, locale);
}

bool isosceles(const pairs::Triangle &t)
{
    const pairs::Value &alpha = t[Quantity::alpha];
    if (alpha.exact && alpha.exact->isRational())
        return *alpha.exact == exact::Number(45);
    return std::abs(t[Quantity::a].toDouble() - t[Quantity::b].toDouble())
        <= 1e-12 * t[Quantity::c].toDouble();
}

} // namespace

SolveWindow::SolveWindow(QWidget *parent) : QWidget(parent, Qt::Window)
{
    setWindowTitle(QStringLiteral("Задача по избор"));
    // A window named by its title to assistive technology, as the others.
    accessibility::setRole(this, QAccessible::Window);
    setPalette(look::lightPalette());
    setAttribute(Qt::WA_QuitOnClose, false);
    setFont(look::formFont());

    createGivens();
    createResults();
    createButtons();
    m_announcer = new Announcer(this);
    m_speech.setSingleShot(true);
    m_speech.setInterval(250);
    connect(&m_speech, &QTimer::timeout, this, [this] {
        if (m_toTell != m_told)
            tellMove();
    });
    m_folder = picturesFolder();
    resize(preferredSize());
    showFailure({}, {});
}

void SolveWindow::createGivens()
{
    auto *grid = new QGridLayout;
    for (int row = 0; row < 2; ++row) {
        auto *label = new QLabel(QStringLiteral("Дадено:"));
        auto *quantity = new QComboBox;
        quantity->setObjectName(QStringLiteral("solveQuantity(%1)").arg(row));
        for (int q = 0; q < pairs::quantityCount; ++q) {
            const Quantity which = Quantity(q);
            quantity->addItem(QStringLiteral("%1 — %2").arg(pairtext::symbol(which),
                                                            pairtext::meaning(which)));
            quantity->setItemData(q, pairtext::meaning(which), Qt::ToolTipRole);
            quantity->setItemData(q, speech::spoken(spokenName(which)), Qt::AccessibleTextRole);
        }
        quantity->setCurrentIndex(int(firstChoices[std::size_t(row)]));
        auto *value = new QLineEdit;
        value->setObjectName(QStringLiteral("solveValue(%1)").arg(row));
        value->setToolTip(QStringLiteral("Числото, с десетична запетая или точка; ъгъл в градуси"));
        label->setBuddy(quantity);
        m_quantity[std::size_t(row)] = quantity;
        m_value[std::size_t(row)] = value;
        connect(quantity, &QComboBox::currentIndexChanged, this, [this, row] { nameGiven(row); });
        connect(value, &QLineEdit::returnPressed, this, &SolveWindow::solve);
        nameGiven(row);
        grid->addWidget(label, row, 0);
        grid->addWidget(quantity, row, 1);
        grid->addWidget(value, row, 2);
    }
    grid->setColumnStretch(1, 2);
    grid->setColumnStretch(2, 1);
    m_solve = new QPushButton(QStringLiteral("Реши"));
    m_solve->setObjectName(QStringLiteral("solveButton"));
    m_solve->setToolTip(QStringLiteral("Решава триъгълника от двете дадени (Enter)"));
    connect(m_solve, &QPushButton::clicked, this, &SolveWindow::solve);
    grid->addWidget(m_solve, 0, 3, 2, 1);

    m_message = new QLabel;
    m_message->setObjectName(QStringLiteral("solveMessage"));
    m_message->setTextFormat(Qt::PlainText);
    m_message->setWordWrap(true);
    m_message->setTextInteractionFlags(Qt::TextSelectableByMouse);
    m_message->setFocusPolicy(Qt::NoFocus); // until it has something to say

    auto *layout = new QVBoxLayout(this);
    layout->addLayout(grid);
    layout->addWidget(m_message);
}

void SolveWindow::nameGiven(int row)
{
    const Quantity q = Quantity(m_quantity[std::size_t(row)]->currentIndex());
    const QString name = QStringLiteral("Дадено %1, %2").arg(row + 1).arg(spokenName(q));
    m_quantity[std::size_t(row)]->setAccessibleName(speech::spoken(name));
    m_value[std::size_t(row)]->setAccessibleName(
        speech::spoken(QStringLiteral("Стойност на дадено %1, %2").arg(row + 1).arg(pairtext::symbol(q))));
}

void SolveWindow::createResults()
{
    m_triangles = new QTabBar;
    m_triangles->setObjectName(QStringLiteral("solveTriangle"));
    m_triangles->addTab(QStringLiteral("Първи триъгълник"));
    m_triangles->addTab(QStringLiteral("Втори триъгълник"));
    m_triangles->setVisible(false);
    connect(m_triangles, &QTabBar::currentChanged, this, [this](int index) {
        if (index >= 0 && solution() && std::size_t(index) < solution()->triangles.size()
            && std::size_t(index) != m_page.triangle)
            showTriangle(std::size_t(index));
    });

    m_table = new QTableWidget(pairs::quantityCount, 3);
    m_table->setObjectName(QStringLiteral("solveResult"));
    m_table->setAccessibleName(QStringLiteral("Стойности"));
    m_table->setHorizontalHeaderLabels({QStringLiteral("Стойност"),
                                        QStringLiteral("С 13 значещи цифри"),
                                        QStringLiteral("Какво е")});
    m_table->verticalHeader()->setVisible(false);
    m_table->horizontalHeader()->setSectionResizeMode(0, QHeaderView::ResizeToContents);
    m_table->horizontalHeader()->setSectionResizeMode(1, QHeaderView::ResizeToContents);
    m_table->horizontalHeader()->setStretchLastSection(true);
    m_table->setEditTriggers(QAbstractItemView::NoEditTriggers);
    m_table->setSelectionBehavior(QAbstractItemView::SelectRows);
    m_table->setWordWrap(false);
    look::putOnPaper(m_table);

    m_figure = new HandleFigure;
    m_figure->setObjectName(QStringLiteral("solveFigure"));
    connect(m_figure, &HandleFigure::moveRequested, this, &SolveWindow::moveHandle);
    connect(m_figure, &HandleFigure::moveFinished, this, [this] {
        if (!m_toTell.isEmpty() && m_toTell != m_told) {
            m_speech.stop();
            tellMove();
        }
    });
    // Under the drawing, once C has moved: the relation that holds wherever
    // it is, with its numbers, and the inequality between the radii.
    m_invariant = new QLabel;
    m_invariant->setObjectName(QStringLiteral("solveInvariant"));
    m_invariant->setTextFormat(Qt::PlainText);
    m_invariant->setWordWrap(true);
    // Its lines kept free, so that the drawing keeps its size when they
    // appear while a vertex is dragged.
    m_invariant->setMinimumHeight(3 * m_invariant->fontMetrics().lineSpacing() + 4);
    m_invariant->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    auto *drawing = new QWidget;
    auto *drawingLayout = new QVBoxLayout(drawing);
    drawingLayout->setContentsMargins(0, 0, 0, 0);
    drawingLayout->addWidget(m_figure, 1);
    drawingLayout->addWidget(m_invariant);
    m_steps = new StepsView;
    m_steps->setObjectName(QStringLiteral("solveSteps"));
    m_steps->setAccessibleName(QStringLiteral("Решение"));
    m_steps->setFont(look::formFont());
    look::putOnPaper(m_steps);

    auto *right = new QSplitter(Qt::Vertical);
    right->addWidget(m_table);
    right->addWidget(m_steps);
    right->setChildrenCollapsible(false);
    right->setSizes({300, 260});
    auto *splitter = new QSplitter(Qt::Horizontal);
    splitter->addWidget(drawing);
    splitter->addWidget(right);
    splitter->setStretchFactor(0, 1);
    splitter->setStretchFactor(1, 1);
    splitter->setSizes({440, 540});
    splitter->setChildrenCollapsible(false);

    auto *layout = static_cast<QVBoxLayout *>(this->layout());
    layout->addWidget(m_triangles);
    layout->addWidget(splitter, 1);
}

void SolveWindow::createButtons()
{
    m_copy = look::shortcutButton(
        QStringLiteral("Копирай"), QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_C),
        QStringLiteral("Копира стойностите и решението като текст и чертежа като "
                       "картина"));
    m_save = look::shortcutButton(QStringLiteral("Запази…"), QKeySequence::Save,
                                  QStringLiteral("Записва чертежа във файл"));
    auto *close = look::shortcutButton(QStringLiteral("Затвори"), QKeySequence(Qt::Key_Escape),
                                       QStringLiteral("Затваря този прозорец"));
    connect(m_copy, &QPushButton::clicked, this, &SolveWindow::copyToClipboard);
    connect(m_save, &QPushButton::clicked, this, &SolveWindow::saveAs);
    connect(close, &QPushButton::clicked, this, &QWidget::close);
    auto *buttons = new QHBoxLayout;
    buttons->addWidget(m_copy);
    buttons->addWidget(m_save);
    buttons->addStretch();
    buttons->addWidget(close);
    static_cast<QVBoxLayout *>(layout())->addLayout(buttons);
}

void SolveWindow::solve()
{
    std::array<pairs::Given, 2> givens;
    for (int row = 0; row < 2; ++row) {
        const Quantity q = Quantity(m_quantity[std::size_t(row)]->currentIndex());
        const pairtext::TypedValue typed = pairtext::readTyped(m_value[std::size_t(row)]->text());
        const QString name = pairtext::symbol(q);
        switch (typed.kind) {
        case pairtext::Typed::NotANumber:
            showFailure(QStringLiteral("Липсва число"),
                        QStringLiteral("Въведете стойност на %1 като число, с десетична запетая "
                                       "или точка.")
                            .arg(name));
            return;
        case pairtext::Typed::NotPositive:
            showFailure(QStringLiteral("Няма такъв триъгълник"),
                        QStringLiteral("Дължините, лицето и ъглите са положителни числа, а тук "
                                       "%1 = %2.")
                            .arg(name, m_value[std::size_t(row)]->text().trimmed()));
            return;
        case pairtext::Typed::OutOfRange:
            showFailure(QStringLiteral("Извън обхвата на програмата"),
                        QStringLiteral("Числото за %1 е твърде голямо или твърде малко, за да се "
                                       "пресметне с него.")
                            .arg(name));
            return;
        case pairtext::Typed::Number:
            break;
        }
        givens[std::size_t(row)] = {q, typed.value};
    }
    const auto solved = pairs::solve(givens[0], givens[1]);
    if (!solved) {
        const FailureReport report = pairtext::failureReport(solved.error(), givens[0], givens[1]);
        showFailure(report.title, report.message);
        return;
    }
    showSolution(*solved, 0, {}, true, false);
}

void SolveWindow::showSolution(pairs::Solution solution, std::size_t index,
                               std::array<bool, 2> rounded, bool fresh, bool fromRounding,
                               std::optional<QStringList> steps)
{
    const bool two = solution.triangles.size() > 1;
    m_page = {std::move(solution), index, {}, rounded, fromRounding};
    {
        const QSignalBlocker blocker(m_triangles);
        m_triangles->setCurrentIndex(int(index));
    }
    m_triangles->setVisible(two);
    showMessage(two ? QStringLiteral("Има два такива триъгълника: вижте двата раздела.") : QString(),
                two ? QStringLiteral("Има два такива триъгълника: вижте двата раздела.") : QString());
    showTriangle(index, fresh, std::move(steps));
}

void SolveWindow::showTriangle(std::size_t index, bool fresh, std::optional<QStringList> steps)
{
    const pairs::Solution &s = *solution();
    m_page.triangle = index;
    m_page.steps = steps ? std::move(*steps) : pairtext::steps(s, index);
    const pairs::Triangle &t = s.triangles[index];
    const bool rounded = m_page.fromRounding;
    // The columns fitted to their contents once, after all the cells.
    QHeaderView *header = m_table->horizontalHeader();
    for (int column : {0, 1})
        header->setSectionResizeMode(column, QHeaderView::Interactive);
    QStringList spoken;
    for (int q = 0; q < pairs::quantityCount; ++q) {
        const Quantity which = Quantity(q);
        const bool given = s.givens[0].quantity == which || s.givens[1].quantity == which;
        // From a given rounded by a move, a root form would be the rounding's:
        // the value alone then, unless it is a short decimal.
        const QString line = rounded && toldValue(which, t[which], QLocale()).contains(u'≈')
            ? toldValue(which, t[which], QLocale())
            : pairtext::valueLine(which, t[which]);
        QString decimal = pairtext::decimalText(t[which]);
        if (pairs::isAngle(which))
            decimal += u'°';
        const QStringList cells = {line, decimal,
                                   pairtext::meaning(which)
                                       + (given ? QStringLiteral(" (дадено)") : QString())};
        // Only what changed, so that a move of a vertex costs little.
        for (int column = 0; column < 3; ++column) {
            QTableWidgetItem *item = m_table->item(q, column);
            if (!item) {
                item = new QTableWidgetItem;
                m_table->setItem(q, column, item);
            }
            if (item->text() != cells[column]) {
                item->setText(cells[column]);
                item->setData(Qt::AccessibleTextRole, speech::spoken(cells[column]));
            }
            if (item->font().bold() != given) {
                QFont bold = font();
                bold.setBold(given);
                item->setFont(bold);
            }
        }
        if (!given && (which == Quantity::a || which == Quantity::b || which == Quantity::c
                       || which == Quantity::r || which == Quantity::R))
            spoken << line;
    }
    for (int column : {0, 1})
        header->setSectionResizeMode(column, QHeaderView::ResizeToContents);
    // The triangle in full decimals, the way a reader of the values wants
    // them; the accessible name says which vertex is chosen.
    QStringList described;
    for (Quantity q : {Quantity::a, Quantity::b, Quantity::c, Quantity::r, Quantity::R})
        described << QStringLiteral("%1 = %2").arg(pairtext::symbol(q), describedValue(t[q]));
    m_figure->setTriangle(figureTriangle(t),
                          {t[Quantity::a].toDouble(), t[Quantity::b].toDouble(), t[Quantity::c].toDouble()},
                          figureLabels(), described.join(QStringLiteral(", ")), fresh);
    m_steps->setSteps(m_page.steps);
    for (QPushButton *b : {m_copy, m_save})
        b->setEnabled(true);
    if (fresh) {
        m_invariant->clear();
        m_toTell.clear();
        m_announcer->announce(
            speech::spoken(QStringLiteral("Решено: %1.").arg(spoken.join(QStringLiteral(", ")))));
    } else {
        showInvariant();
    }
}

void SolveWindow::moveHandle(handles::Handle, const handles::Place &place)
{
    const pairs::Solution *s = solution();
    if (!s)
        return;
    const pairs::Triangle &t = s->triangles[m_page.triangle];
    // The triangle where the handle is put, from the side it keeps (as the
    // box has it where it is a given) and the quantity it set, exactly.
    const int keptRow = s->givens[0].quantity == place.kept ? 0
        : s->givens[1].quantity == place.kept             ? 1
                                                          : -1;
    const pairs::Given kept{place.kept, keptRow >= 0 ? s->givens[std::size_t(keptRow)].value
                                                     : heldValue(t[place.kept])};
    const pairs::Given set{place.set, place.nice ? numberOf(*place.nice) : numberOf(place.value)};
    const auto moved = pairs::solve(kept, set);
    if (!moved)
        return;
    const pairs::Triangle &there = moved->triangles.front();

    // The chosen givens there, as their boxes will show them: the value
    // itself where it is a short decimal, else rounded to the boxes' digits.
    std::array<exact::Decimal, 2> boxed;
    std::array<bool, 2> rounded{};
    for (std::size_t row = 0; row < 2; ++row) {
        if (int(row) == keptRow)
            rounded[row] = m_page.rounded[row];
        else
            std::tie(boxed[row], rounded[row]) = boxValue(there[s->givens[row].quantity]);
    }
    // The givens as the boxes hold them, solved as «Реши» would solve them.
    // A value rounded to the boxes' digits may fall just outside the pair's
    // condition where the triangle is at its limit (r and R of the
    // isosceles one): then the neighbouring roundings are tried.
    std::optional<pairs::Solved> typed;
    std::array<pairs::Given, 2> givens;
    const auto tryNudged = [&](std::array<int, 2> by) {
        for (std::size_t row = 0; row < 2; ++row) {
            givens[row].quantity = s->givens[row].quantity;
            if (int(row) == keptRow) {
                givens[row].value = s->givens[row].value;
                continue;
            }
            if (by[row] != 0 && !rounded[row])
                return;
            givens[row].value = exact::Number::fromDecimal(boxed[row]);
            if (by[row] != 0)
                givens[row].value = givens[row].value
                    + exact::Number::fromDecimal({false, "1", boxed[row].lastExponent()})
                        * exact::Number(by[row]);
        }
        typed = pairs::solve(givens[0], givens[1]);
    };
    const auto solveTyped = [&] {
        for (int nudge = 0; nudge < 9 && !(typed && *typed); ++nudge) {
            constexpr int by[] = {0, -1, 1};
            tryNudged({by[nudge % 3], by[nudge / 3]});
        }
        return typed && *typed;
    };
    // Of two triangles, the one the handle is at.
    const auto nearestOf = [&](const pairs::Solution &solution) {
        std::size_t index = 0;
        double nearest = std::numeric_limits<double>::infinity();
        const double ta = there[Quantity::a].toDouble(), tb = there[Quantity::b].toDouble();
        for (std::size_t i = 0; i < solution.triangles.size(); ++i) {
            const double da = solution.triangles[i][Quantity::a].toDouble();
            const double db = solution.triangles[i][Quantity::b].toDouble();
            const double d = std::min(std::abs(da - ta) + std::abs(db - tb),
                                      std::abs(da - tb) + std::abs(db - ta));
            if (d < nearest) {
                nearest = d;
                index = i;
            }
        }
        return index;
    };
    const auto fillBoxes = [&] {
        for (std::size_t row = 0; row < 2; ++row)
            if (int(row) != keptRow)
                m_value[row]->setText(boxText(*givens[row].value.terminatingDecimal(), QLocale()));
    };

    // Where the givens there have exact values of one root each (c = 10
    // and h = 61·√6279/1000), the page is that triangle with those givens,
    // exact, and the table shows its exact forms. Its steps are worked from
    // the givens themselves where they can be, else from the givens as the
    // boxes show them, which are what «Реши» would work from.
    std::array<pairs::Given, 2> exactGivens;
    bool exactly = true;
    for (std::size_t row = 0; row < 2; ++row) {
        const Quantity q = s->givens[row].quantity;
        if (int(row) == keptRow)
            exactGivens[row] = s->givens[row];
        else if (there[q].exact)
            exactGivens[row] = {q, *there[q].exact};
        else
            exactly = false;
    }
    if (exactly) {
        pairs::Solution page{exactGivens, pairs::rowOf(exactGivens[0].quantity, exactGivens[1].quantity),
                             {there}};
        // A pair that cannot tell the legs apart names the longer one a, as
        // the solver does.
        if (pairs::mirrorOf(exactGivens[0].quantity) == exactGivens[0].quantity
            && pairs::mirrorOf(exactGivens[1].quantity) == exactGivens[1].quantity
            && there[Quantity::a].toDouble() < there[Quantity::b].toDouble())
            for (Quantity q : {Quantity::a, Quantity::a1, Quantity::m, Quantity::alpha})
                std::swap(page.triangles[0][q], page.triangles[0][pairs::mirrorOf(q)]);
        QStringList steps = pairtext::steps(page, 0);
        if (steps.size() <= 1 && solveTyped())
            steps = pairtext::steps(**typed, nearestOf(**typed));
        else if (steps.size() <= 1)
            return;
        if (!typed)
            for (std::size_t row = 0; row < 2; ++row)
                givens[row] = {s->givens[row].quantity, int(row) == keptRow
                                   ? s->givens[row].value
                                   : exact::Number::fromDecimal(boxed[row])};
        fillBoxes();
        // A place left free of the nice values has a set value of some
        // seventeen digits, whose root forms say nothing: values alone then.
        showSolution(std::move(page), 0, rounded, false, !place.nice, std::move(steps));
        tellPlace();
        return;
    }
    if (!solveTyped())
        return; // the triangle stays where it was, whole
    fillBoxes();
    showSolution(**typed, nearestOf(**typed), rounded, false, true);
    tellPlace();
}

void SolveWindow::tellPlace()
{
    const pairs::Triangle &shown = solution()->triangles[m_page.triangle];
    QStringList told;
    for (Quantity q : {Quantity::a, Quantity::b, Quantity::r, Quantity::R})
        told << toldValue(q, shown[q], QLocale());
    m_toTell = speech::spoken(told.join(QStringLiteral(", ")));
    if (!m_speech.isActive())
        tellMove();
}

void SolveWindow::tellMove()
{
    m_announcer->announce(m_toTell);
    m_told = m_toTell;
    m_speech.start();
}

void SolveWindow::showInvariant()
{
    const pairs::Triangle &t = solution()->triangles[m_page.triangle];
    const QLocale locale;
    const auto four = [&](Quantity q) { return schoolText(trimmed(t[q].rounded(4)), locale); };
    const double a = t[Quantity::a].toDouble(), b = t[Quantity::b].toDouble();
    const double r = t[Quantity::r].toDouble(), R = t[Quantity::R].toDouble();
    QString text = QStringLiteral("a + b = 2(r + R): %1 + %2 ≈ 2·(%3 + %4) ≈ %5")
                       .arg(four(Quantity::a), four(Quantity::b), four(Quantity::r), four(Quantity::R),
                            schoolText(a + b, 4, locale));
    if (isosceles(t))
        text += QStringLiteral("\nРавнобедрен: R = (1 + √2)·r, с равенство само тук.");
    else
        text += QStringLiteral("\nR > (1 + √2)·r: R/r ≈ %1; равенство — само при равнобедрения.")
                    .arg(schoolText(R / r, 4, locale));
    if (m_figure->lastMoved() != handles::Handle::C)
        text.clear();
    m_invariant->setText(text);
    m_invariant->setAccessibleName(speech::spoken(text));
}

void SolveWindow::showMessage(const QString &text, const QString &spoken)
{
    m_message->setText(text);
    m_message->setAccessibleName(spoken);
    // A line to read when there is one; no silent stop for Tab when there is none.
    m_message->setFocusPolicy(text.isEmpty() ? Qt::NoFocus : Qt::StrongFocus);
}

void SolveWindow::showFailure(const QString &title, const QString &message)
{
    m_page = {title.isEmpty() ? decltype(Page::outcome)() : Failed{title, message}, 0, {}};
    const QString text = title.isEmpty() ? QString() : QStringLiteral("%1. %2").arg(title, message);
    showMessage(message, speech::spoken(text));
    m_triangles->setVisible(false);
    m_table->clearContents();
    m_figure->clear();
    m_invariant->clear();
    m_toTell.clear();
    m_steps->clear();
    for (QPushButton *b : {m_copy, m_save})
        b->setEnabled(false);
    if (!title.isEmpty()) {
        m_announcer->announce(speech::spoken(text));
        if (isVisible())
            m_message->setFocus(Qt::OtherFocusReason);
    }
}

FigureLabels SolveWindow::figureLabels() const
{
    FigureLabels labels;
    const pairs::Solution &s = *solution();
    for (std::size_t row = 0; row < 2; ++row) {
        const pairs::Given &g = s.givens[row];
        // A given a move rounded is labelled as the others, to four digits.
        QString text = m_page.rounded[row] ? schoolText(trimmed(g.value.rounded(4)), QLocale())
                                           : schoolText(g.value);
        if (pairs::isAngle(g.quantity))
            text += u'°';
        switch (g.quantity) {
        case Quantity::a: labels.a = text; break;
        case Quantity::b: labels.b = text; break;
        case Quantity::c: labels.c = text; break;
        case Quantity::h: labels.h = text; break;
        case Quantity::a1: labels.a1 = text; break;
        case Quantity::b1: labels.b1 = text; break;
        case Quantity::m: labels.m = text; break;
        case Quantity::n: labels.n = text; break;
        case Quantity::r: labels.r = text; break;
        case Quantity::R: labels.R = text; break;
        case Quantity::alpha: labels.alpha = text; break;
        case Quantity::beta: labels.beta = text; break;
        case Quantity::S:
        case Quantity::P:
            break;
        }
    }
    return labels;
}

QString SolveWindow::text() const
{
    if (!solution())
        return m_message->text();
    QStringList lines;
    for (int q = 0; q < pairs::quantityCount; ++q)
        lines << m_table->item(q, 0)->text();
    return lines.join(u'\n') + QStringLiteral("\n\n") + m_page.steps.join(u'\n');
}

void SolveWindow::copyToClipboard()
{
    const pairs::Solution *s = solution();
    if (!s)
        return;
    auto *data = new QMimeData;
    data->setImageData(figureImage(figureTriangle(s->triangles[m_page.triangle]), m_figure->size(),
                                   std::max(qreal(2), devicePixelRatioF()), m_figure->labelFont(),
                                   QLocale(), figureLabels()));
    data->setText(text());
    QApplication::clipboard()->setMimeData(data);
    m_announcer->announce(QStringLiteral("Стойностите, решението и чертежът са копирани."));
}

bool SolveWindow::saveTo(const QString &fileName)
{
    const auto format = figureFormat(fileName);
    const pairs::Solution *s = solution();
    if (!format || !s)
        return false;
    const QSize size = m_figure->isVisible() ? m_figure->size() : m_figure->sizeHint();
    return saveFigure(fileName, *format, figureTriangle(s->triangles[m_page.triangle]), size,
                      m_figure->labelFont(), QLocale(), figureLabels());
}

void SolveWindow::saveAs()
{
    if (!solution())
        return;
    const QString fileName = askFigureFile(this, QStringLiteral("Запази чертежа"), m_folder);
    if (!fileName.isEmpty() && !saveTo(fileName))
        figureNotSaved(this, fileName);
}

void SolveWindow::showEvent(QShowEvent *event)
{
    QWidget::showEvent(event);
    m_value[0]->setFocus(Qt::OtherFocusReason);
}
