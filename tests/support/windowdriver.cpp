#include "windowdriver.h"

#include "variants.h"

#include <QAccessible>
#include <QApplication>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <QTest>

namespace driver {

QLineEdit *box(const QWidget &window, int index)
{
    return find<QLineEdit>(window, QStringLiteral("Text2(%1)").arg(index));
}

QLineEdit *box(const QWidget &window, solver::Variant variant, solver::Column column)
{
    return box(window, 4 * int(variant) + int(column));
}

QStringList boxTexts(const QWidget &window)
{
    QStringList texts;
    for (int i = 0; i < 16; ++i)
        texts << box(window, i)->text();
    return texts;
}

QList<int> enabledBoxes(const QWidget &window)
{
    QList<int> enabled;
    for (int i = 0; i < 16; ++i)
        if (box(window, i)->isEnabled())
            enabled << i;
    return enabled;
}

void click(QWidget *widget)
{
    QTest::mouseClick(widget, Qt::LeftButton, {}, widget->rect().center());
}

std::unique_ptr<Kovrenda> openWindow()
{
    auto window = std::make_unique<Kovrenda>();
    window->show();
    if (!QTest::qWaitForWindowExposed(window.get()))
        return nullptr;
    return window;
}

std::unique_ptr<Kovrenda> panelWindow()
{
    auto window = openWindow();
    if (window)
        click(find(*window, QStringLiteral("Picture1")));
    return window;
}

void chooseAndType(const QWidget &window, int variant, const BoxTexts &typed)
{
    if (variant >= 0)
        click(find(window, QStringLiteral("Option1(%1)").arg(variant)));
    for (auto [index, text] : typed.asKeyValueRange())
        QTest::keyClicks(box(window, index), text);
}

void solveFor(const QWidget &window, solver::Variant variant, const QString &first,
              const QString &second)
{
    const auto &given = solver::factsOf(variant).given;
    chooseAndType(window, int(variant),
                  {{4 * int(variant) + int(given[0]), first},
                   {4 * int(variant) + int(given[1]), second}});
}

void calculate(const QWidget &window)
{
    click(find(window, QStringLiteral("Command1(1)")));
}

QWidget *shownWindow(const QString &title)
{
    for (QWidget *top : QApplication::topLevelWidgets())
        if (top->windowTitle().startsWith(title) && top->isVisible())
            return top;
    return nullptr;
}

QWidget *openWithKey(Kovrenda &window, Qt::Key key, const QString &title)
{
    // The key is a shortcut of the active window.
    window.activateWindow();
    if (!QTest::qWaitForWindowActive(&window))
        return nullptr;
    QTest::keyClick(&window, key);
    return QTest::qWaitFor([&] { return shownWindow(title) != nullptr; }, 1000)
        ? shownWindow(title)
        : nullptr;
}

QWidget *companion()
{
    return shownWindow(QStringLiteral("Чертеж и решение"));
}

QWidget *openCompanion(Kovrenda &window)
{
    return openWithKey(window, Qt::Key_F2, QStringLiteral("Чертеж и решение"));
}

QWidget *openPractice(Kovrenda &window)
{
    return openWithKey(window, Qt::Key_F3, QStringLiteral("Упражнение"));
}

MessageBoxWatcher::MessageBoxWatcher()
    : m_watcher(&QApplication::activeModalWidget, [this](QMessageBox *box) {
          text = box->text();
          if (auto *label = box->findChild<QLabel *>(QStringLiteral("qt_msgbox_label")))
              heard = QAccessible::queryAccessibleInterface(label)->text(QAccessible::Name);
          title = box->windowTitle();
          icon = box->icon();
          okText = box->button(QMessageBox::Ok)->text();
          ++seen;
          QTest::mouseClick(box->button(QMessageBox::Ok), Qt::LeftButton);
      })
{
}

MenuWatcher::MenuWatcher()
    : m_watcher(&QApplication::activePopupWidget, [this](QMenu *menu) {
          for (QAction *action : menu->actions())
              items << action->text();
          menu->actions().constFirst()->trigger();
          menu->close();
      })
{
}

} // namespace driver
