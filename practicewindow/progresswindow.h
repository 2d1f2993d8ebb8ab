#ifndef PROGRESSWINDOW_H
#define PROGRESSWINDOW_H

#include "attemptcsv.h"
#include "record.h"

#include <QWidget>

#include <functional>

class Announcer;
class DayChart;
class QLabel;
class QListWidget;
class QPushButton;
class QTableWidget;

// «Моят напредък»: what the practice record says, for the student to look
// at. A table of every type and level with its state («Нова», «Започната»,
// «Усвоена», «Затвърдена»), the problems checked, the right first tries and
// the day last practised; the known mistakes met most often, with their
// words; the problems of the last fourteen days as bars. From here the
// student saves a report for the teacher and deletes the record.
//
// A screen reader reads each of the table's cells with its row's type and
// level and its column's name, and the chart as a list of days.
class ProgressWindow : public QWidget
{
    Q_OBJECT

public:
    // The record as the practice window has it, all its checks written.
    using Record = std::function<progress::RecordFile &()>;
    ProgressWindow(Record record, QWidget *parent = nullptr);

    // Shows the record as it is now.
    void refresh();
    // Writes the report as «Запази отчет…» does, once it knows the file and
    // the student; false, and the reason, where it could not.
    bool saveReport(const QString &fileName, const progress::Student &student, QString *error);
    // Asks, then deletes the record, as «Изтрий записа» does.
    void deleteRecord();
    void askForReport();

private:
    Record m_record;
    QLabel *m_summary = nullptr;
    QTableWidget *m_table = nullptr;
    QListWidget *m_mistakes = nullptr;
    DayChart *m_chart = nullptr;
    QPushButton *m_report = nullptr;
    QPushButton *m_delete = nullptr;
    Announcer *m_announcer = nullptr;
};

#endif // PROGRESSWINDOW_H
