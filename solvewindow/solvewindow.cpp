#include "solvewindow.h"

#include "accessibility.h"
#include "announcer.h"
#include "figureexport.h"
#include "figurefile.h"
#include "figurepainting.h"
#include "figureview.h"
#include "formlook.h"
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
    m_message->setFocusPolicy(Qt::StrongFocus);

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

    m_figure = new FigureView;
    m_figure->setObjectName(QStringLiteral("solveFigure"));
    m_figure->setNote(QStringLiteral("Стойностите и решението: клавиш Tab."));
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
    splitter->addWidget(m_figure);
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
    m_page = {*solved, 0, {}};
    const bool two = solved->triangles.size() > 1;
    {
        const QSignalBlocker blocker(m_triangles);
        m_triangles->setCurrentIndex(0);
    }
    m_triangles->setVisible(two);
    m_message->setText(two ? QStringLiteral("Има два такива триъгълника: вижте двата раздела.")
                           : QString());
    m_message->setAccessibleName(m_message->text());
    showTriangle(0);
}

void SolveWindow::showTriangle(std::size_t index)
{
    const pairs::Solution &s = *solution();
    m_page.triangle = index;
    m_page.steps = pairtext::steps(s, index);
    const pairs::Triangle &t = s.triangles[index];
    QStringList spoken;
    for (int q = 0; q < pairs::quantityCount; ++q) {
        const Quantity which = Quantity(q);
        const bool given = s.givens[0].quantity == which || s.givens[1].quantity == which;
        const QString line = pairtext::valueLine(which, t[which]);
        QString decimal = pairtext::decimalText(t[which]);
        if (pairs::isAngle(which))
            decimal += u'°';
        const QStringList cells = {line, decimal,
                                   pairtext::meaning(which)
                                       + (given ? QStringLiteral(" (дадено)") : QString())};
        for (int column = 0; column < 3; ++column) {
            auto *item = new QTableWidgetItem(cells[column]);
            item->setData(Qt::AccessibleTextRole, speech::spoken(cells[column]));
            if (given) {
                QFont bold = font();
                bold.setBold(true);
                item->setFont(bold);
            }
            m_table->setItem(q, column, item);
        }
        if (!given && (which == Quantity::a || which == Quantity::b || which == Quantity::c
                       || which == Quantity::r || which == Quantity::R))
            spoken << line;
    }
    m_figure->setProblem(figureTriangle(t), figureLabels(),
                         QStringLiteral("Чертеж на триъгълника: %1.")
                             .arg(speech::spoken(QStringList{pairtext::valueLine(Quantity::a, t[Quantity::a]),
                                                             pairtext::valueLine(Quantity::b, t[Quantity::b]),
                                                             pairtext::valueLine(Quantity::c, t[Quantity::c]),
                                                             pairtext::valueLine(Quantity::r, t[Quantity::r]),
                                                             pairtext::valueLine(Quantity::R, t[Quantity::R])}
                                                     .join(QStringLiteral(", ")))));
    m_steps->setSteps(m_page.steps);
    for (QPushButton *b : {m_copy, m_save})
        b->setEnabled(true);
    m_announcer->announce(speech::spoken(QStringLiteral("Решено: %1.").arg(spoken.join(QStringLiteral(", ")))));
}

void SolveWindow::showFailure(const QString &title, const QString &message)
{
    m_page = {title.isEmpty() ? decltype(Page::outcome)() : Failed{title, message}, 0, {}};
    const QString text = title.isEmpty() ? QString() : QStringLiteral("%1. %2").arg(title, message);
    m_message->setText(message);
    m_message->setAccessibleName(speech::spoken(text));
    m_triangles->setVisible(false);
    m_table->clearContents();
    m_figure->clear();
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
    for (const pairs::Given &g : s.givens) {
        QString text = schoolText(g.value);
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
