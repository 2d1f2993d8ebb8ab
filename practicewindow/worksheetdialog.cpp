#include "worksheetdialog.h"

#include "formlook.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QMessageBox>
#include <QPrintDialog>
#include <QPrintPreviewDialog>
#include <QPrinter>
#include <QPushButton>
#include <QRegularExpressionValidator>
#include <QGridLayout>
#include <QSpinBox>
#include <QStandardPaths>
#include <QVBoxLayout>

WorksheetDialog::WorksheetDialog(QWidget *parent) : QDialog(parent)
{
    setWindowTitle(QStringLiteral("Работен лист"));
    setPalette(look::lightPalette());
    setFont(look::formFont());

    m_problems = new QSpinBox;
    m_problems->setObjectName(QStringLiteral("worksheetProblems"));
    m_problems->setRange(1, worksheet::mostProblems);
    m_problems->setValue(worksheet::Options().problems);
    m_groups = new QSpinBox;
    m_groups->setObjectName(QStringLiteral("worksheetGroups"));
    m_groups->setRange(1, worksheet::mostGroups);
    m_groups->setValue(worksheet::Options().groups);
    m_level = new QComboBox;
    m_level->setObjectName(QStringLiteral("worksheetLevel"));
    m_level->addItems({QStringLiteral("Цели числа"), QStringLiteral("С корени"),
                       QStringLiteral("Десетични дроби")});
    auto *variants = new QHBoxLayout;
    for (int v = 0; v < solver::variantCount; ++v) {
        auto *box = new QCheckBox(QStringLiteral("Вариант %1").arg(v + 1));
        box->setObjectName(QStringLiteral("worksheetVariant(%1)").arg(v));
        box->setChecked(true);
        m_variants[std::size_t(v)] = box;
        variants->addWidget(box);
    }
    // The other types, none chosen at first: a sheet is of the four variants
    // unless the teacher adds some.
    auto *types = new QGridLayout;
    for (int t = practice::variantTypes; t < practice::typeCount; ++t) {
        const int at = t - practice::variantTypes;
        auto *box = new QCheckBox(QString::fromUtf8(practice::typeFacts(t).name));
        box->setObjectName(QStringLiteral("worksheetType(%1)").arg(t));
        m_types.push_back(box);
        types->addWidget(box, at / 3, at % 3);
    }
    m_drawn = new QCheckBox(QStringLiteral("Чертеж към всяка задача"));
    m_drawn->setObjectName(QStringLiteral("worksheetDrawn"));
    m_drawn->setChecked(true);
    m_steps = new QCheckBox(QStringLiteral("Решенията стъпка по стъпка в отговорите"));
    m_steps->setObjectName(QStringLiteral("worksheetSteps"));
    m_seed = new QLineEdit;
    m_seed->setObjectName(QStringLiteral("worksheetSeed"));
    m_seed->setValidator(
        new QRegularExpressionValidator(QRegularExpression(QStringLiteral("\\d{1,9}")), m_seed));
    m_seed->setToolTip(QStringLiteral("Същият номер със същите избори дава същия лист отново."));

    auto *form = new QFormLayout;
    form->addRow(QStringLiteral("&Задачи в група:"), m_problems);
    form->addRow(QStringLiteral("&Групи:"), m_groups);
    form->addRow(QStringLiteral("&Ниво:"), m_level);
    form->addRow(QStringLiteral("Варианти:"), variants);
    form->addRow(QStringLiteral("Други видове:"), types);
    form->addRow(QString(), m_drawn);
    form->addRow(QString(), m_steps);
    form->addRow(QStringLiteral("Номер на &листа:"), m_seed);

    auto *buttons = new QDialogButtonBox;
    const auto add = [&](const QString &caption, const QString &name, auto slot) {
        auto *button = buttons->addButton(caption, QDialogButtonBox::ActionRole);
        button->setObjectName(name);
        connect(button, &QPushButton::clicked, this, slot);
        return button;
    };
    add(QStringLiteral("Преглед"), QStringLiteral("worksheetPreview"), &WorksheetDialog::preview);
    add(QStringLiteral("Запази PDF…"), QStringLiteral("worksheetSave"), &WorksheetDialog::saveAs);
    add(QStringLiteral("Печат…"), QStringLiteral("worksheetPrint"), &WorksheetDialog::print);
    buttons->addButton(QStringLiteral("Затвори"), QDialogButtonBox::RejectRole);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);

    auto *layout = new QVBoxLayout(this);
    layout->addLayout(form);
    layout->addWidget(buttons);

    m_folder = QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
    if (m_folder.isEmpty() || !QFileInfo(m_folder).isDir())
        m_folder = QDir::homePath();
}

void WorksheetDialog::showEvent(QShowEvent *event)
{
    // A new sheet each time the dialog opens.
    m_seed->setText(QString::number(worksheet::randomSeed()));
    QDialog::showEvent(event);
}

worksheet::Options WorksheetDialog::options() const
{
    worksheet::Options o;
    o.problems = m_problems->value();
    o.groups = m_groups->value();
    o.level = practice::Level(m_level->currentIndex());
    o.variants.clear();
    for (int v = 0; v < solver::variantCount; ++v)
        if (m_variants[std::size_t(v)]->isChecked())
            o.variants.push_back(solver::Variant(v));
    for (int t = practice::variantTypes; t < practice::typeCount; ++t)
        if (m_types[std::size_t(t - practice::variantTypes)]->isChecked())
            o.types.push_back(t);
    if (!o.types.empty())
        for (const solver::Variant v : o.variants)
            o.types.push_back(practice::typeOf(v));
    o.drawn = m_drawn->isChecked();
    o.workedSteps = m_steps->isChecked();
    o.seed = m_seed->text().toUInt();
    return o;
}

void WorksheetDialog::preview()
{
    QPrinter printer(QPrinter::HighResolution);
    QPrintPreviewDialog dialog(&printer, this);
    dialog.setWindowTitle(QStringLiteral("Работен лист № %1").arg(options().seed));
    const worksheet::Sheet sheet = worksheet::makeSheet(options());
    connect(&dialog, &QPrintPreviewDialog::paintRequested, this,
            [&sheet](QPrinter *device) { worksheet::paintSheet(*device, sheet); });
    dialog.exec();
}

bool WorksheetDialog::saveTo(const QString &fileName)
{
    return worksheet::writeSheetPdf(fileName, worksheet::makeSheet(options()));
}

void WorksheetDialog::saveAs()
{
    QString fileName = QFileDialog::getSaveFileName(
        this, QStringLiteral("Запази работния лист"),
        QDir(m_folder).filePath(QStringLiteral("работен-лист-%1.pdf").arg(options().seed)),
        QStringLiteral("Документ PDF (*.pdf)"));
    if (fileName.isEmpty())
        return;
    if (QFileInfo(fileName).suffix().isEmpty())
        fileName += QStringLiteral(".pdf");
    m_folder = QFileInfo(fileName).absolutePath();
    QString error;
    if (!worksheet::writeSheetPdf(fileName, worksheet::makeSheet(options()), &error))
        QMessageBox::warning(this, QStringLiteral("Листът не е записан"),
                             QStringLiteral("Файлът „%1“ не може да бъде записан: %2")
                                 .arg(QDir::toNativeSeparators(fileName), error));
}

void WorksheetDialog::print()
{
    QPrinter printer(QPrinter::HighResolution);
    printer.setDocName(QStringLiteral("Работен лист № %1").arg(options().seed));
    QPrintDialog dialog(&printer, this);
    if (dialog.exec() != QDialog::Accepted)
        return;
    if (!worksheet::paintSheet(printer, worksheet::makeSheet(options())))
        QMessageBox::warning(this, QStringLiteral("Няма печат"),
                             QStringLiteral("Принтерът не можа да започне печата."));
}
