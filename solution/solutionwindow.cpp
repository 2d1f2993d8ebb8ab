#include "solutionwindow.h"

#include "figureexport.h"
#include "figureview.h"
#include "solutionsteps.h"
#include "svgdocument.h"

#include <QApplication>
#include <QClipboard>
#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QFontMetricsF>
#include <QHBoxLayout>
#include <QLabel>
#include <QMessageBox>
#include <QMimeData>
#include <QPrintDialog>
#include <QPrinter>
#include <QPushButton>
#include <QSplitter>
#include <QStackedWidget>
#include <QStandardPaths>
#include <QTextBlockFormat>
#include <QTextCursor>
#include <QTextEdit>
#include <QVBoxLayout>

#include <algorithm>
#include <span>

namespace {

const QString nothingYet =
    QStringLiteral("Изберете вариант, въведете двете дадени стойности и натиснете «Изчисли»: "
                   "тук ще се появят чертежът и решението.");

// The save dialog's choices; the first is the one offered.
struct FileType
{
    const char16_t *filter;
    const char16_t *suffix;
};
constexpr FileType fileTypes[] = {
    {u"Рисунка SVG (*.svg)", u"svg"},
    {u"Изображение PNG (*.png)", u"png"},
    {u"Документ PDF (*.pdf)", u"pdf"},
};
// All of them where the build writes SVG; else PNG and PDF.
std::span<const FileType> offeredFileTypes()
{
    return std::span(fileTypes).subspan(svgAvailable() ? 0 : 1);
}

// Black text on white whatever the desktop theme, as on the figure beside
// it; a dark theme would otherwise give white text on this white.
void putOnPaper(QWidget *widget)
{
    QPalette palette = widget->palette();
    palette.setColor(QPalette::Window, Qt::white);
    palette.setColor(QPalette::Base, Qt::white);
    palette.setColor(QPalette::WindowText, Qt::black);
    palette.setColor(QPalette::Text, Qt::black);
    palette.setColor(QPalette::Highlight, QColor(51, 103, 214));
    palette.setColor(QPalette::HighlightedText, Qt::white);
    widget->setPalette(palette);
    widget->setAutoFillBackground(true);
}

QFont textFont()
{
    QFont font(QStringLiteral("Times New Roman"), 12);
    font.setStyleHint(QFont::Serif);
    return font;
}

// One paragraph a line, a little apart; a step's wrapped lines are indented
// past its number so that the numbers stand out in the margin.
void showSteps(QTextEdit *view, const QStringList &lines)
{
    view->clear();
    QTextCursor cursor(view->document());
    const qreal hang = QFontMetricsF(view->font()).horizontalAdvance(QStringLiteral("8) "));
    for (qsizetype i = 0; i < lines.size(); ++i) {
        QTextBlockFormat block;
        block.setBottomMargin(hang / 3);
        if (!lines[i].isEmpty() && lines[i].front().isDigit()) {
            block.setLeftMargin(hang);
            block.setTextIndent(-hang);
        }
        if (i == 0)
            cursor.setBlockFormat(block);
        else
            cursor.insertBlock(block);
        cursor.insertText(lines[i]);
    }
    view->moveCursor(QTextCursor::Start);
}

QPushButton *button(const QString &caption, const QKeySequence &keys, const QString &what)
{
    auto *button = new QPushButton(caption);
    button->setShortcut(keys);
    button->setToolTip(
        QStringLiteral("%1 (%2)").arg(what, keys.toString(QKeySequence::NativeText)));
    return button;
}

} // namespace

SolutionWindow::SolutionWindow(QWidget *parent) : QWidget(parent, Qt::Window)
{
    setWindowTitle(QStringLiteral("Чертеж и решение"));
    // Open or not, this window never keeps the program running.
    setAttribute(Qt::WA_QuitOnClose, false);

    m_view = new FigureView;
    m_steps = new QTextEdit;
    m_steps->setObjectName(QStringLiteral("steps"));
    m_steps->setAccessibleName(QStringLiteral("Решение"));
    m_steps->setReadOnly(true);
    m_steps->setTextInteractionFlags(Qt::TextSelectableByMouse | Qt::TextSelectableByKeyboard);
    m_steps->setFont(textFont());
    putOnPaper(m_steps);
    auto *splitter = new QSplitter(Qt::Horizontal);
    splitter->addWidget(m_view);
    splitter->addWidget(m_steps);
    splitter->setStretchFactor(0, 1);
    splitter->setStretchFactor(1, 1);
    splitter->setSizes({520, 420});
    splitter->setChildrenCollapsible(false);

    m_message = new QLabel;
    m_message->setObjectName(QStringLiteral("message"));
    m_message->setTextFormat(Qt::PlainText);
    m_message->setWordWrap(true);
    m_message->setAlignment(Qt::AlignCenter);
    m_message->setMargin(24);
    m_message->setFont(textFont());
    m_message->setTextInteractionFlags(Qt::TextSelectableByMouse);
    putOnPaper(m_message);

    m_pages = new QStackedWidget;
    m_pages->addWidget(splitter);
    m_pages->addWidget(m_message);

    m_copy = button(QStringLiteral("Копирай"), QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_C),
                    QStringLiteral("Копира чертежа като картина и решението като текст"));
    m_save = button(QStringLiteral("Запази…"), QKeySequence::Save,
                    svgAvailable() ? QStringLiteral("Записва чертежа във файл SVG, PNG или PDF")
                                   : QStringLiteral("Записва чертежа във файл PNG или PDF"));
    m_print = button(QStringLiteral("Печат…"), QKeySequence::Print,
                     QStringLiteral("Отпечатва чертежа и решението на една страница"));
    auto *close = button(QStringLiteral("Затвори"), QKeySequence(Qt::Key_Escape),
                         QStringLiteral("Затваря този прозорец"));
    connect(m_copy, &QPushButton::clicked, this, &SolutionWindow::copyToClipboard);
    connect(m_save, &QPushButton::clicked, this, &SolutionWindow::saveAs);
    connect(m_print, &QPushButton::clicked, this, &SolutionWindow::print);
    connect(close, &QPushButton::clicked, this, &QWidget::close);

    auto *buttons = new QHBoxLayout;
    buttons->addWidget(m_copy);
    buttons->addWidget(m_save);
    buttons->addWidget(m_print);
    buttons->addStretch();
    buttons->addWidget(close);
    auto *layout = new QVBoxLayout(this);
    layout->addWidget(m_pages, 1);
    layout->addLayout(buttons);

    m_folder = QStandardPaths::writableLocation(QStandardPaths::PicturesLocation);
    if (m_folder.isEmpty() || !QFileInfo(m_folder).isDir())
        m_folder = QDir::homePath();
    resize(960, 560);
    showNothingYet();
}

void SolutionWindow::showSolution(solver::Variant variant, const solver::Triangle &triangle)
{
    m_variant = variant;
    m_view->setTriangle(triangle);
    showSteps(m_steps, solutionSteps(variant, triangle));
    m_pages->setCurrentIndex(0);
    for (QPushButton *button : {m_copy, m_save, m_print})
        button->setEnabled(true);
}

void SolutionWindow::showFailure(const QString &message)
{
    showMessage(message);
}

void SolutionWindow::showNothingYet()
{
    showMessage(nothingYet);
}

void SolutionWindow::showMessage(const QString &text)
{
    m_message->setText(text);
    m_steps->clear();
    m_pages->setCurrentIndex(1);
    for (QPushButton *button : {m_copy, m_save, m_print})
        button->setEnabled(false);
}

void SolutionWindow::copyToClipboard()
{
    if (!m_copy->isEnabled())
        return;
    auto *data = new QMimeData;
    data->setImageData(figureImage(m_view->triangle(), m_view->size(),
                                   std::max(qreal(2), devicePixelRatioF()), m_view->labelFont()));
    data->setText(m_steps->toPlainText());
    QApplication::clipboard()->setMimeData(data);
}

bool SolutionWindow::saveTo(const QString &fileName)
{
    const auto format = figureFormat(fileName);
    if (!format || !m_save->isEnabled())
        return false;
    // A window never shown has no size of its own yet.
    const QSize size = m_view->isVisible() ? m_view->size() : m_view->sizeHint();
    return saveFigure(fileName, *format, m_view->triangle(), size, m_view->labelFont());
}

void SolutionWindow::saveAs()
{
    if (!m_save->isEnabled())
        return;
    const std::span<const FileType> types = offeredFileTypes();
    QStringList filters;
    for (const FileType &type : types)
        filters << QString::fromUtf16(type.filter);
    QString chosen;
    QString fileName = QFileDialog::getSaveFileName(
        this, QStringLiteral("Запази чертежа"),
        QDir(m_folder).filePath(QStringLiteral("триъгълник.") + QString::fromUtf16(types.front().suffix)),
        filters.join(u";;"), &chosen);
    if (fileName.isEmpty())
        return;
    // A name typed without a known suffix takes the one of the type chosen.
    if (!figureFormat(fileName)) {
        const auto type = std::find_if(types.begin(), types.end(),
                                       [&](const FileType &t) { return chosen == t.filter; });
        fileName += u'.' + QString::fromUtf16((type != types.end() ? *type : types.front()).suffix);
    }
    m_folder = QFileInfo(fileName).absolutePath();
    if (!saveTo(fileName))
        QMessageBox::warning(this, QStringLiteral("Чертежът не е записан"),
                             QStringLiteral("Файлът „%1“ не може да бъде записан. Проверете дали "
                                            "папката съществува и дали може да се пише в нея.")
                                 .arg(QDir::toNativeSeparators(fileName)));
}

void SolutionWindow::print()
{
    if (!m_print->isEnabled())
        return;
    QPrinter printer(QPrinter::HighResolution);
    printer.setDocName(windowTitle());
    QPrintDialog dialog(&printer, this);
    if (dialog.exec() != QDialog::Accepted)
        return;
    const QString title = QStringLiteral("Вариант %1: чертеж и решение").arg(int(m_variant) + 1);
    if (!printSolution(printer, title, m_view->triangle(), m_steps->toPlainText().split(u'\n'),
                       m_view->labelFont(), printFont()))
        QMessageBox::warning(this, QStringLiteral("Няма печат"),
                             QStringLiteral("Принтерът не можа да започне печата."));
}

QFont SolutionWindow::printFont() const
{
    // Sized in pixels of 1/96 inch, as the page is laid out: 11.25 points.
    QFont font = textFont();
    font.setPixelSize(15);
    return font;
}
