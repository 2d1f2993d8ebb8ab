#ifndef PROGRESSREPORT_H
#define PROGRESSREPORT_H

#include "attemptcsv.h"
#include "record.h"

#include <QDateTime>
#include <QString>

#include <span>

class QPagedPaintDevice;

namespace report {

// The numbers of the problems the record holds: those solved, marked where
// the first check was wrong or took a hint, and those never solved.
struct Numbers
{
    std::vector<int> solved; // in the order first solved
    std::vector<int> hard;   // of the solved, those not right alone at the first try
    std::vector<int> unsolved;
};
Numbers numbersOf(std::span<const progress::Attempt> record);

// Paints the report on one A4 page.
bool paintReport(QPagedPaintDevice &device, std::span<const progress::Attempt> record,
                 const progress::Student &student, const QDateTime &now);

// Writes the report to a file, as PDF or CSV by the file's suffix (.pdf,
// .csv); false, with the reason, where it cannot.
bool writeReport(const QString &fileName, std::span<const progress::Attempt> record,
                 const progress::Student &student, const QDateTime &now, QString *error);

} // namespace report

#endif // PROGRESSREPORT_H
