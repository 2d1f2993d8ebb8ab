#ifndef WINDOWDRIVER_H
#define WINDOWDRIVER_H

#include "kovrenda.h"
#include "variants.h"

#include <QMap>
#include <QMessageBox>
#include <QMetaType>
#include <QObject>
#include <QStringList>
#include <QTimer>

#include <functional>
#include <memory>

class QLineEdit;
class QMenu;

// Texts typed into value boxes, by box index.
using BoxTexts = QMap<int, QString>;
Q_DECLARE_METATYPE(BoxTexts)

// The main window driven as a user drives it: the mouse on the controls,
// the keys in the boxes, found by the names they have in the control table.
namespace driver {

template<typename T = QWidget>
T *find(const QWidget &window, const QString &name)
{
    return window.findChild<T *>(name);
}

QLineEdit *box(const QWidget &window, int index);
QLineEdit *box(const QWidget &window, solver::Variant variant, solver::Column column);

// The texts of the sixteen boxes, and the indices of the enabled ones.
QStringList boxTexts(const QWidget &window);
QList<int> enabledBoxes(const QWidget &window);

// A left click in the middle of the widget.
void click(QWidget *widget);

// A shown window, its intro still running; null if it never showed.
std::unique_ptr<Kovrenda> openWindow();
// A shown window whose intro has been ended by a click on the picture.
std::unique_ptr<Kovrenda> panelWindow();

// Chooses a variant (none for -1) by its selector and types into the boxes.
void chooseAndType(const QWidget &window, int variant, const BoxTexts &typed);
// Chooses the variant and types the two givens into its row.
void solveFor(const QWidget &window, solver::Variant variant, const QString &first,
              const QString &second);
// Clicks «Изчисли».
void calculate(const QWidget &window);

// A window beside the main one whose title begins so, while it is shown;
// else null.
QWidget *shownWindow(const QString &title);
// Presses a key of the main window that opens such a window, and returns it
// once it is shown.
QWidget *openWithKey(Kovrenda &window, Qt::Key key, const QString &title);

// The companion window «Чертеж и решение», and it opened with F2.
QWidget *companion();
QWidget *openCompanion(Kovrenda &window);
// «Упражнение», and it opened with F3.
QWidget *openPractice(Kovrenda &window);

// Waits up to a second for a window of type T to pop up (found by
// `current`), then lets `answer` look at it and answer it as a user would.
template<typename T>
class PopupWatcher : public QObject
{
public:
    PopupWatcher(QWidget *(*current)(), std::function<void(T *)> answer)
    {
        connect(&m_poll, &QTimer::timeout, this, [this, current, answer] {
            auto *popup = qobject_cast<T *>(current());
            if (popup)
                answer(popup);
            if (popup || ++m_polls > 100)
                m_poll.stop();
        });
        m_poll.start(10);
    }

private:
    QTimer m_poll;
    int m_polls = 0;
};

// Answers the next modal message box with its OK button, keeping its texts
// and what a screen reader reads of its message.
struct MessageBoxWatcher
{
    MessageBoxWatcher();

    QString text;
    QString heard;
    QString title;
    QMessageBox::Icon icon = QMessageBox::NoIcon;
    QString okText;
    int seen = 0;

private:
    PopupWatcher<QMessageBox> m_watcher;
};

// Keeps the items of the next context menu and chooses its first one.
struct MenuWatcher
{
    MenuWatcher();

    QStringList items;

private:
    PopupWatcher<QMenu> m_watcher;
};

} // namespace driver

#endif // WINDOWDRIVER_H
