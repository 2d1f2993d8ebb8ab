#include "kovrenda.h"

#include <QGuiApplication>
#include <QLineEdit>
#include <QProcess>
#include <QTest>
#include <QWindow>

// The window as a Wayland client of a real compositor (weston): whatever
// asks to maximise it or make it full screen (Qt's own title bar, a double
// click on it, the compositor), the program stays connected, keeps what was
// typed and its controls' places, and goes back to its size afterwards.
// Run by run_in_weston.sh.
class TestWayland : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void growingKeepsTheWindow_data();
    void growingKeepsTheWindow();
    void programRuns();
};

void TestWayland::initTestCase()
{
    QVERIFY2(QGuiApplication::platformName().startsWith(u"wayland"),
             qPrintable(QGuiApplication::platformName()));
    QLocale::setDefault(QLocale::c());
}

void TestWayland::growingKeepsTheWindow_data()
{
    QTest::addColumn<Qt::WindowState>("state");
    QTest::newRow("maximised")   << Qt::WindowMaximized;
    QTest::newRow("full screen") << Qt::WindowFullScreen;
}

void TestWayland::growingKeepsTheWindow()
{
    QFETCH(Qt::WindowState, state);

    Kovrenda window;
    window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&window));
    const QSize normal = window.size();
    QCOMPARE(normal, QSize(481, 424));
    window.Picture1_Click();
    window.Option1_Click(2);
    auto *a = window.findChild<QLineEdit *>(QStringLiteral("Text2(8)"));
    auto *R = window.findChild<QLineEdit *>(QStringLiteral("Text2(11)"));
    // Set rather than typed: the headless compositor has no keyboard, and
    // Qt 6.4's Wayland input method crashes on key events without one.
    a->setText(QStringLiteral("3"));
    R->setText(QStringLiteral("2,5"));
    auto *panel = window.findChild<QWidget *>(QStringLiteral("Frame1"));
    const QRect panelGeometry = panel->geometry();

    window.windowHandle()->setWindowStates(state);
    QTRY_VERIFY(window.width() > normal.width() && window.height() > normal.height());
    // Let the compositor see frames at the new size: a fixed-size window
    // would have been disconnected by now, ending this process.
    for (int i = 0; i < 5; ++i) {
        window.repaint();
        QTest::qWait(100);
    }
    QCOMPARE(a->text(), QStringLiteral("3"));
    QCOMPARE(R->text(), QStringLiteral("2,5"));
    QCOMPARE(panel->geometry(), panelGeometry);
    window.Command1_Click(1);
    QCOMPARE(window.findChild<QLineEdit *>(QStringLiteral("Text2(9)"))->text(), QStringLiteral("4"));

    window.windowHandle()->setWindowStates(Qt::WindowNoState);
    QTRY_COMPARE(window.size(), normal);
}

void TestWayland::programRuns()
{
    QProcess program;
    program.setProcessChannelMode(QProcess::ForwardedChannels);
    program.start(QStringLiteral(KOVRENDA_PROGRAM), {});
    QVERIFY(program.waitForStarted());
    QVERIFY(!program.waitForFinished(3000)); // still running: its window is up
    program.terminate();
    QVERIFY(program.waitForFinished(5000));
}

QTEST_MAIN(TestWayland)
#include "tst_wayland.moc"
