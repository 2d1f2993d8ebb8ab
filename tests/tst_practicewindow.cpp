#include "practicewindow.h"
#include "record.h"
#include "windowdriver.h"

#include <QAccessible>
#include <QApplication>
#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QMessageBox>
#include <QStandardPaths>
#include <QTableWidget>
#include <QTemporaryDir>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPrintPreviewDialog>
#include <QPrintPreviewWidget>
#include <QPushButton>
#include <QSpinBox>
#include <QTest>

using namespace driver;

class TestPracticeWindow : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void answersRightWrongAndWithHints();
    void worksheetPreviewShowsItsPages();
    void practiceIsRemembered();

private:
    QTemporaryDir m_data;
};

void TestPracticeWindow::initTestCase()
{
    QLocale::setDefault(QLocale::c());
    // The record of a test's own, never the user's, and empty at first: in a
    // folder of this run's own where XDG_DATA_HOME moves it, else in Qt's
    // test folder, emptied.
#ifdef Q_OS_WIN
    QStandardPaths::setTestModeEnabled(true);
    QDir(QStandardPaths::writableLocation(QStandardPaths::AppDataLocation)).removeRecursively();
#else
    QVERIFY(m_data.isValid());
    qputenv("XDG_DATA_HOME", m_data.path().toLocal8Bit());
#endif
    QVERIFY(!QFile::exists(progress::RecordFile::defaultPath()));
}

// «Упражнение» opens with F3 beside the main window, poses a problem by its
// number, judges a right answer and a wrong one with their reasons, gives
// hints one at a time, keeps the tally, and closes with Esc without changing
// the main window.
void TestPracticeWindow::answersRightWrongAndWithHints()
{
    const auto window = panelWindow();
    QVERIFY(window);
    solveFor(*window, solver::Variant::Legs, QStringLiteral("3"), QStringLiteral("4"));
    calculate(*window);
    const QStringList boxes = boxTexts(*window);

    QWidget *practice = openPractice(*window);
    QVERIFY(practice);
    QVERIFY(window->screen()->availableGeometry().contains(practice->frameGeometry()));
    QCOMPARE(QAccessible::queryAccessibleInterface(practice)->role(), QAccessible::Window);
    auto *problem = find<QLabel>(*practice, QStringLiteral("practiceProblem"));
    auto *number = find<QLineEdit>(*practice, QStringLiteral("practiceNumber"));
    QLineEdit *answers[] = {find<QLineEdit>(*practice, QStringLiteral("practiceAnswer(0)")),
                            find<QLineEdit>(*practice, QStringLiteral("practiceAnswer(1)"))};
    QLabel *verdicts[] = {find<QLabel>(*practice, QStringLiteral("practiceVerdict(0)")),
                          find<QLabel>(*practice, QStringLiteral("practiceVerdict(1)"))};
    auto *steps = find<QListWidget>(*practice, QStringLiteral("practiceSteps"));
    QVERIFY(problem && number && answers[0] && answers[1] && verdicts[0] && verdicts[1] && steps);
    // The problem is what the screen reader reads first.
    QTRY_COMPARE(QApplication::focusWidget(), problem);

    // Tab goes through the window in this order.
    const QStringList order = {"practiceAnswer(0)", "practiceAnswer(1)", "practiceCheck",
                               "practiceHint", "practiceSolution", "practiceNext",
                               "practiceVariant", "practiceLevel", "practiceNumber",
                               "practiceProgress", "practiceWorksheet", "practiceProblem"};
    QStringList visited;
    for (qsizetype i = 0; i < order.size(); ++i) {
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        visited << QApplication::focusWidget()->objectName();
    }
    QCOMPARE(visited, order);

    // 10000: legs 135 and 72, so r = 27 and R = 76,5.
    number->setFocus();
    number->selectAll();
    QTest::keyClicks(number, "10000");
    QTest::keyClick(number, Qt::Key_Return);
    QVERIFY2(problem->text().contains(u"a = 135 см и b = 72 см"), qPrintable(problem->text()));
    QCOMPARE(QAccessible::queryAccessibleInterface(answers[0])->text(QAccessible::Name),
             QStringLiteral("Отговор, r, радиус на вписаната окръжност"));
    QTest::keyClicks(answers[0], "27");
    QTest::keyClicks(answers[1], "76.5 cm");
    QCOMPARE(find<QLabel>(*practice, QStringLiteral("practiceReading(1)"))->text(),
             QStringLiteral("Разбрах: 76,5"));
    QTest::keyClick(answers[1], Qt::Key_Return);
    QCOMPARE(verdicts[0]->text(), QStringLiteral("Вярно."));
    QCOMPARE(verdicts[1]->text(), QStringLiteral("Вярно."));
    auto *announcer = practice->findChild<QWidget *>(QStringLiteral("announcer"));
    QVERIFY(announcer && announcer->isVisible());
    QCOMPARE(QAccessible::queryAccessibleInterface(announcer)->text(QAccessible::Name),
             QStringLiteral("малко r: Вярно. главно R: Вярно."));

    // 10004: legs 11 and 1; (a + b)/2 for r and c for R are known mistakes.
    number->setText(QStringLiteral("10004"));
    QTest::keyClick(number, Qt::Key_Return);
    QCOMPARE(answers[0]->text(), QString());
    QTest::keyClicks(answers[0], "6");
    QTest::keyClicks(answers[1], "sqrt(122)");
    click(find<QPushButton>(*practice, QStringLiteral("practiceCheck")));
    QVERIFY2(verdicts[0]->text().startsWith(u"Невярно: 2r = a + b − c: хипотенузата c е пропусната"),
             qPrintable(verdicts[0]->text()));
    QVERIFY2(verdicts[1]->text().startsWith(u"Невярно: това е хипотенузата c"),
             qPrintable(verdicts[1]->text()));

    // Hints are the companion's steps, one at a time, the last the answer.
    auto *hint = find<QPushButton>(*practice, QStringLiteral("practiceHint"));
    click(hint);
    click(hint);
    QCOMPARE(steps->count(), 2);
    QVERIFY(steps->item(0)->text().startsWith(u"1) От a² + b² = c²"));
    QVERIFY(steps->item(1)->text().startsWith(u"2) "));
    QCOMPARE(find<QLabel>(*practice, QStringLiteral("practiceHintCount"))->text(),
             QStringLiteral("Подсказка 2 от 4"));
    click(find<QPushButton>(*practice, QStringLiteral("practiceSolution")));
    QCOMPARE(steps->count(), 4);
    QVERIFY(steps->item(3)->text().startsWith(u"Отговор: r = (12 − √122)/2"));
    QVERIFY(!hint->isEnabled());
    answers[0]->setText(QStringLiteral("(12 - sqrt(122))/2"));
    answers[1]->setText(QStringLiteral("√122/2"));
    QTest::keyClick(answers[0], Qt::Key_Return);
    QCOMPARE(verdicts[0]->text(), QStringLiteral("Вярно."));
    QCOMPARE(find<QLabel>(*practice, QStringLiteral("practiceTally"))->text(),
             QStringLiteral("Решени: 2 от 2, от тях 1 без подсказка"));

    // A type of three answers (100003: m = 102, n = 55: a = 85, b = 132,
    // r = 30), written as on paper, and one of one (100019: h = 408,
    // r = 170: c = 850): as many boxes as it seeks, Tab through those alone.
    auto *third = find<QLineEdit>(*practice, QStringLiteral("practiceAnswer(2)"));
    QVERIFY(third);
    number->setText(QStringLiteral("100003"));
    QTest::keyClick(number, Qt::Key_Return);
    QVERIFY2(problem->text().contains(u"m = 102 см"), qPrintable(problem->text()));
    QVERIFY(answers[1]->isVisible() && third->isVisible());
    QCOMPARE(QAccessible::queryAccessibleInterface(third)->text(QAccessible::Name),
             QStringLiteral("Отговор, r, радиус на вписаната окръжност"));
    QTest::keyClicks(answers[0], "a = 85");
    QTest::keyClicks(answers[1], "85");
    QTest::keyClicks(third, "R = 30");
    QTest::keyClick(third, Qt::Key_Return);
    QCOMPARE(verdicts[0]->text(), QStringLiteral("Вярно."));
    QVERIFY2(verdicts[1]->text().startsWith(u"Невярно: m и n са разменени"), qPrintable(verdicts[1]->text()));
    QCOMPARE(find<QLabel>(*practice, QStringLiteral("practiceVerdict(2)"))->text(),
             QStringLiteral("Това поле е за r, радиуса на вписаната окръжност."));
    click(find<QPushButton>(*practice, QStringLiteral("practiceSolution")));
    QVERIFY2(steps->item(steps->count() - 1)->text() == u"Отговор: a = 85; b = 132; r = 30.",
             qPrintable(steps->item(steps->count() - 1)->text()));
    number->setText(QStringLiteral("100019"));
    QTest::keyClick(number, Qt::Key_Return);
    QVERIFY(answers[0]->isVisible() && !answers[1]->isVisible() && !third->isVisible());
    answers[0]->setFocus();
    QTest::keyClick(answers[0], Qt::Key_Tab);
    QCOMPARE(QApplication::focusWidget()->objectName(), QStringLiteral("practiceCheck"));
    QTest::keyClicks(answers[0], "850 cm");
    QTest::keyClick(answers[0], Qt::Key_Return);
    QCOMPARE(verdicts[0]->text(), QStringLiteral("Вярно."));

    // Esc closes it; the main window is as it was.
    QTest::keyClick(practice, Qt::Key_Escape);
    QTRY_VERIFY(!practice->isVisible());
    QCOMPARE(boxTexts(*window), boxes);
}

// «Работен лист…» opens the worksheet's dialog; its preview shows the
// sheet's pages, white paper with the problems' ink on it.
void TestPracticeWindow::worksheetPreviewShowsItsPages()
{
    const auto window = panelWindow();
    QVERIFY(window);
    QWidget *practice = openPractice(*window);
    QVERIFY(practice);
    click(find<QPushButton>(*practice, QStringLiteral("practiceWorksheet")));
    QWidget *dialog = nullptr;
    QTRY_VERIFY((dialog = shownWindow(QStringLiteral("Работен лист"))));
    auto *seed = find<QLineEdit>(*dialog, QStringLiteral("worksheetSeed"));
    QVERIFY(seed && seed->text().toUInt() >= 100000); // a new number, at random
    seed->setText(QStringLiteral("123456"));
    find<QSpinBox>(*dialog, QStringLiteral("worksheetProblems"))->setValue(3);

    QImage page;
    int pages = 0;
    PopupWatcher<QPrintPreviewDialog> watcher(&QApplication::activeModalWidget,
                                              [&](QPrintPreviewDialog *preview) {
        auto *view = preview->findChild<QPrintPreviewWidget *>();
        view->setCurrentPage(1);
        view->fitInView();
        pages = view->pageCount();
        page = view->grab().toImage();
        preview->reject();
    });
    click(find<QPushButton>(*dialog, QStringLiteral("worksheetPreview")));
    QTRY_VERIFY(!page.isNull());
    // Two groups of three problems, a page each, and the key's page.
    QCOMPARE(pages, 3);
    int white = 0;
    int dark = 0;
    for (int y = 0; y < page.height(); y += 2)
        for (int x = 0; x < page.width(); x += 2) {
            const int grey = qGray(page.pixel(x, y));
            white += grey > 250;
            dark += grey < 80;
        }
    const int sampled = (page.width() / 2) * (page.height() / 2);
    QVERIFY2(white > sampled / 5, qPrintable(QStringLiteral("%1 of %2 white").arg(white).arg(sampled)));
    QVERIFY2(dark > 50, qPrintable(QStringLiteral("%1 dark").arg(dark)));
}

// Each check is kept in the record at once; «Моят напредък» (Ctrl+P) shows
// it type by type, its cells read with their row and column; «По мярка»
// chooses another type than the last; «Изтрий записа» deletes it after
// asking; a record that cannot be read is set aside with one line said.
void TestPracticeWindow::practiceIsRemembered()
{
    const QString path = progress::RecordFile::defaultPath();
    QDir(QFileInfo(path).absolutePath()).removeRecursively();
    const auto window = panelWindow();
    QVERIFY(window);
    auto *practice = qobject_cast<PracticeWindow *>(openPractice(*window));
    QVERIFY(practice);
    auto *number = find<QLineEdit>(*practice, QStringLiteral("practiceNumber"));
    QLineEdit *answers[] = {find<QLineEdit>(*practice, QStringLiteral("practiceAnswer(0)")),
                            find<QLineEdit>(*practice, QStringLiteral("practiceAnswer(1)"))};
    // 10000: r = 27, R = 76,5; c = 153 for R is a known mistake.
    number->setText(QStringLiteral("10000"));
    QTest::keyClick(number, Qt::Key_Return);
    answers[0]->setText(QStringLiteral("27"));
    answers[1]->setText(QStringLiteral("153"));
    QTest::keyClick(answers[1], Qt::Key_Return);
    answers[1]->setText(QStringLiteral("76,5"));
    QTest::keyClick(answers[1], Qt::Key_Return);
    practice->record(); // the record is written in the background
    const std::vector<progress::Attempt> kept = progress::RecordFile(path).attempts();
    QCOMPARE(kept.size(), std::size_t(2));
    QCOMPARE(kept[0].number, 10000);
    QCOMPARE(kept[0].tries, 1);
    QCOMPARE(kept[0].boxes[1].mistake, practice::mistakeNamed("R-is-c"));
    QCOMPARE(kept[1].tries, 2);
    QVERIFY(kept[1].right());

    auto *chooser = find<QComboBox>(*practice, QStringLiteral("practiceVariant"));
    QCOMPARE(chooser->itemText(0), QStringLiteral("По мярка"));
    QCOMPARE(chooser->itemText(1), practice::typeTitle(0));
    for (int i = 0; i < 5; ++i) {
        chooser->setCurrentIndex(0);
        click(find<QPushButton>(*practice, QStringLiteral("practiceNext")));
        QVERIFY(practice->problem().type != 0); // the last one's type waits
        QVERIFY(!practice->advice().isEmpty());
        QVERIFY(!find<QComboBox>(*practice, QStringLiteral("practiceLevel"))->isEnabled());
        number->setText(QStringLiteral("10000"));
        QTest::keyClick(number, Qt::Key_Return);
        QCOMPARE(practice->problem().number, 10000);
        QCOMPARE(chooser->currentIndex(), 0);
    }

    practice->activateWindow();
    QTRY_COMPARE(QApplication::activeWindow(), practice);
    QTest::keyClick(practice, Qt::Key_P, Qt::ControlModifier);
    QWidget *progressWindow = nullptr;
    QTRY_VERIFY((progressWindow = shownWindow(QStringLiteral("Моят напредък"))));
    auto *table = find<QTableWidget>(*progressWindow, QStringLiteral("progressTable"));
    QVERIFY(table);
    QCOMPARE(table->rowCount(), 43); // 16 types at 3 levels, but 5 that have no such numbers
    QCOMPARE(table->item(0, 0)->text(), chooser->itemText(1));
    QCOMPARE(table->item(0, 2)->text(), QStringLiteral("Започната"));
    QCOMPARE(table->item(0, 3)->text(), QStringLiteral("1"));
    QCOMPARE(table->item(0, 4)->text(), QStringLiteral("0"));
    QCOMPARE(table->item(1, 2)->text(), QStringLiteral("Нова"));
    QAccessibleInterface *cells = QAccessible::queryAccessibleInterface(table);
    QVERIFY(cells && cells->tableInterface());
    QCOMPARE(cells->tableInterface()->cellAt(0, 2)->text(QAccessible::Name),
             QStringLiteral("Вариант 1: дадени a и b, Цели числа; Състояние: Започната"));
    auto *mistakes = find<QListWidget>(*progressWindow, QStringLiteral("progressMistakes"));
    QVERIFY(mistakes->item(0)->text().startsWith(QStringLiteral("1 ×  това е хипотенузата c")));

    // No: nothing deleted. Yes: the record and its file are gone.
    for (const auto button : {QMessageBox::No, QMessageBox::Yes}) {
        PopupWatcher<QMessageBox> answer(&QApplication::activeModalWidget,
                                         [button](QMessageBox *box) { box->button(button)->click(); });
        click(find<QPushButton>(*progressWindow, QStringLiteral("progressDelete")));
        QCOMPARE(QFile::exists(path), button == QMessageBox::No);
    }
    QVERIFY(practice->record().attempts().empty());
    QCOMPARE(table->item(0, 2)->text(), QStringLiteral("Нова"));

    // A record this program cannot read: set aside, said, and a new one begun.
    QFile damaged(path);
    QVERIFY(damaged.open(QIODevice::WriteOnly));
    damaged.write("Kovrenda practice record 1\nnot a line\n");
    damaged.close();
    PracticeWindow again;
    auto *message = find<QLabel>(again, QStringLiteral("practiceRecordMessage"));
    QVERIFY(message && message->isVisibleTo(&again));
    QVERIFY2(message->text().contains(QStringLiteral("оставен настрана")), qPrintable(message->text()));
    QCOMPARE(again.record().setAside().size(), 1);
    QVERIFY(!QFile::exists(path));
}

QTEST_MAIN(TestPracticeWindow)
#include "tst_practicewindow.moc"
