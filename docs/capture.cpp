// Takes the documentation's pictures from the real windows on a real screen: the
// intro's ten frames and the window after a calculation, or, given
// "solution" after the folder, the companion window with the drawing and the
// steps, or, given "solve", «Задача по избор» with m = 5 and n = 12 solved,
// or, given "progress", «Моят напредък» after twenty problems answered in
// «Упражнение», some wrongly (with the report of them, PDF and CSV, and the
// types «По мярка» then chooses printed). Run by make-images.sh under Xvfb;
// the images stay true when the drawing changes.

#include "answercheck.h"
#include "kovrenda.h"
#include "practicewindow.h"
#include "progresswindow.h"
#include "solutionwindow.h"
#include "solvewindow.h"
#include "solver.h"
#include "windowdriver.h"

#include <QApplication>
#include <QComboBox>
#include <QDir>
#include <QLineEdit>
#include <QLocale>
#include <QScreen>
#include <QTest>
#include <QTimer>

#include <cstdio>
#include <set>

namespace {

QPixmap grabFromScreen(QWidget *widget)
{
    QApplication::processEvents();
    QTest::qWait(100); // let the X server show the last paint
    const QPoint onScreen = widget->mapToGlobal(QPoint(0, 0));
    return widget->screen()->grabWindow(0, onScreen.x(), onScreen.y(), widget->width(),
                                        widget->height());
}

bool save(const QPixmap &pixmap, const QString &path)
{
    if (pixmap.save(path))
        return true;
    std::fprintf(stderr, "cannot write %s\n", qPrintable(path));
    return false;
}

bool captureIntro(const QDir &out)
{
    Kovrenda window;
    window.findChild<QTimer *>(QStringLiteral("Timer1"))->stop(); // stepped here, one grab a frame
    window.show();
    if (!QTest::qWaitForWindowExposed(&window))
        return false;
    auto *picture = driver::find(window, QStringLiteral("Picture1"));
    for (int frame = 0; frame < 10; ++frame) {
        if (!save(grabFromScreen(picture), out.filePath(QStringLiteral("intro-%1.png").arg(frame))))
            return false;
        window.Timer1_Timer();
    }
    return true;
}

bool captureCalculation(const QDir &out)
{
    const auto window = driver::panelWindow();
    if (!window)
        return false;
    driver::solveFor(*window, solver::Variant::LegAndCircumradius, QStringLiteral("3"),
                     QStringLiteral("2.6"));
    driver::calculate(*window);
    return save(grabFromScreen(window.get()), out.filePath(QStringLiteral("screenshot.png")));
}

// The companion window as a Bulgarian student sees it, decimal comma and
// all: «Вариант 1» with legs 1 and 1, whose answers are roots, and a
// triangle so thin (legs 1 and 1000) that its drawing is a stand-in.
bool captureSolution(const QDir &out)
{
    QLocale::setDefault(QLocale(QLocale::Bulgarian, QLocale::Bulgaria));
    SolutionWindow window;
    window.resize(900, 520);
    const struct
    {
        solver::Variant variant;
        double first;
        double second;
        const char *file;
    } shots[] = {
        {solver::Variant::Legs, 1, 1, "solution.png"},
        {solver::Variant::Legs, 1, 1000, "solution-thin.png"},
    };
    window.show();
    if (!QTest::qWaitForWindowExposed(&window))
        return false;
    for (const auto &shot : shots) {
        const auto triangle = solver::solve(shot.variant, shot.first, shot.second);
        if (!triangle)
            return false;
        window.showSolution(shot.variant, *triangle);
        if (!save(grabFromScreen(&window), out.filePath(QString::fromLatin1(shot.file))))
            return false;
    }
    return true;
}

// «Задача по избор» after m = 5 and n = 12 typed and «Реши» pressed.
bool captureSolve(const QDir &out)
{
    QLocale::setDefault(QLocale(QLocale::Bulgarian, QLocale::Bulgaria));
    SolveWindow window;
    window.show();
    if (!QTest::qWaitForWindowExposed(&window))
        return false;
    const char *values[] = {"5", "12"};
    for (int row = 0; row < 2; ++row) {
        auto *quantity = window.findChild<QComboBox *>(QStringLiteral("solveQuantity(%1)").arg(row));
        auto *value = window.findChild<QLineEdit *>(QStringLiteral("solveValue(%1)").arg(row));
        if (!quantity || !value)
            return false;
        quantity->setCurrentIndex(int(row == 0 ? pairs::Quantity::m : pairs::Quantity::n));
        value->setText(QString::fromLatin1(values[row]));
    }
    auto *solve = window.findChild<QWidget *>(QStringLiteral("solveButton"));
    if (!solve)
        return false;
    QTest::mouseClick(solve, Qt::LeftButton);
    return save(grabFromScreen(&window), out.filePath(QStringLiteral("solve.png")));
}

// Types the answers of «Упражнение»'s problem and checks them: right, or
// the first box wrong (r given R's value where the problem seeks r, else one
// more than the answer).
void answer(PracticeWindow &practice, bool right)
{
    const QLocale bulgarian(QLocale::Bulgarian, QLocale::Bulgaria);
    const practice::Problem &p = practice.problem();
    for (int i = 0; i < p.soughtCount(); ++i) {
        exact::Number value = p.answer(i);
        if (!right && i == 0)
            value = p.sought(0) == pairs::Quantity::r && p.value(pairs::Quantity::R)
                ? *p.value(pairs::Quantity::R)
                : value + exact::Number(1);
        practice.findChild<QLineEdit *>(QStringLiteral("practiceAnswer(%1)").arg(i))
            ->setText(practice::numberText(value, bulgarian));
    }
    practice.check();
}

// «Моят напредък» after twenty problems, six of them wrong at the first
// check and then put right; the report of them; then, on a new record,
// three mistakes of one kind and the ten types «По мярка» chooses next,
// each answered right.
bool captureProgress(const QDir &out)
{
    QLocale::setDefault(QLocale(QLocale::Bulgarian, QLocale::Bulgaria));
    auto practice = std::make_unique<PracticeWindow>();
    practice->useRecord(std::make_unique<progress::RecordFile>(out.filePath(QStringLiteral("record.txt"))));
    practice->show();
    if (!QTest::qWaitForWindowExposed(practice.get()))
        return false;
    const std::pair<int, practice::Level> problems[] = {
        {0, practice::Level::Whole}, {0, practice::Level::Whole}, {0, practice::Level::Whole},
        {1, practice::Level::Whole}, {2, practice::Level::Whole}, {1, practice::Level::Whole},
        {4, practice::Level::Whole}, {0, practice::Level::Roots}, {5, practice::Level::Whole},
        {1, practice::Level::Whole}, {2, practice::Level::Whole}, {8, practice::Level::Whole},
        {12, practice::Level::Roots}, {0, practice::Level::Roots}, {2, practice::Level::Whole},
        {3, practice::Level::Whole}, {1, practice::Level::Whole}, {0, practice::Level::Roots},
        {9, practice::Level::Whole}, {3, practice::Level::Whole}};
    const std::set<int> wrongFirst = {2, 4, 7, 10, 12, 15};
    for (int i = 0; i < 20; ++i) {
        const auto [type, level] = problems[i];
        practice->pose(practice::numberOf(type, level, 7 * i + 3));
        if (wrongFirst.contains(i))
            answer(*practice, false);
        answer(*practice, true);
    }
    practice->openProgress();
    QWidget *progress = practice->findChild<ProgressWindow *>();
    if (!progress || !QTest::qWaitForWindowExposed(progress))
        return false;
    progress->resize(880, 700);
    auto *window = static_cast<ProgressWindow *>(progress);
    QString error;
    const progress::Student student{QStringLiteral("Ана Петрова"), QStringLiteral("7 б")};
    if (!window->saveReport(out.filePath(QStringLiteral("report.pdf")), student, &error)
        || !window->saveReport(out.filePath(QStringLiteral("report.csv")), student, &error))
        return false;
    if (!save(grabFromScreen(progress), out.filePath(QStringLiteral("progress.png"))))
        return false;

    // Three times r taken for R in «Вариант 1», then «По мярка».
    practice->useRecord(std::make_unique<progress::RecordFile>(out.filePath(QStringLiteral("record-2.txt"))));
    for (int i = 0; i < 3; ++i) {
        practice->pose(practice::numberOf(0, practice::Level::Whole, 11 + i));
        answer(*practice, false);
    }
    practice->findChild<QComboBox *>(QStringLiteral("practiceVariant"))->setCurrentIndex(0);
    std::printf("«По мярка» after three mistakes «това е R» in «Вариант 1»:\n");
    for (int i = 0; i < 10; ++i) {
        if (i > 0)
            practice->next();
        const practice::Problem &p = practice->problem();
        std::printf("%2d. %s, %s (№ %d)\n", i + 1, practice::typeFacts(p.type).name.data(),
                    qPrintable(practice::levelName(p.level)), p.number);
        answer(*practice, true);
    }
    return true;
}

} // namespace

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    const QDir out(argc > 1 ? QString::fromLocal8Bit(argv[1]) : QStringLiteral("."));
    if (argc > 2 && qstrcmp(argv[2], "solution") == 0)
        return captureSolution(out) ? 0 : 1;
    if (argc > 2 && qstrcmp(argv[2], "solve") == 0)
        return captureSolve(out) ? 0 : 1;
    if (argc > 2 && qstrcmp(argv[2], "progress") == 0)
        return captureProgress(out) ? 0 : 1;
    return captureIntro(out) && captureCalculation(out) ? 0 : 1;
}
