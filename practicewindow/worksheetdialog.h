#ifndef WORKSHEETDIALOG_H
#define WORKSHEETDIALOG_H

#include "worksheet.h"

#include <QDialog>

#include <array>
#include <vector>

class QCheckBox;
class QComboBox;
class QLineEdit;
class QSpinBox;

// «Работен лист»: a teacher chooses the problems, groups, level and
// variants of a worksheet, whether each problem is drawn and whether the key
// gives the worked steps, and its number (new at random each time the dialog
// opens, editable); then previews, saves or prints it with its answer key.
class WorksheetDialog : public QDialog
{
    Q_OBJECT

public:
    explicit WorksheetDialog(QWidget *parent = nullptr);

    // The sheet as the dialog's fields describe it now.
    worksheet::Options options() const;

    // What the buttons do, past their dialogs.
    void preview();
    bool saveTo(const QString &fileName);
    void saveAs();
    void print();

protected:
    void showEvent(QShowEvent *event) override;

private:
    QSpinBox *m_problems = nullptr;
    QSpinBox *m_groups = nullptr;
    QComboBox *m_level = nullptr;
    std::array<QCheckBox *, 4> m_variants{};
    // `worksheetType(t)` for the types after the variants.
    std::vector<QCheckBox *> m_types;
    QCheckBox *m_drawn = nullptr;
    QCheckBox *m_steps = nullptr;
    QLineEdit *m_seed = nullptr;
    QString m_folder;
};

#endif // WORKSHEETDIALOG_H
