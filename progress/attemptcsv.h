#ifndef ATTEMPTCSV_H
#define ATTEMPTCSV_H

#include "record.h"

#include <QByteArray>
#include <QString>

#include <span>

// The record as a teacher takes it into a spreadsheet: CSV in UTF-8, one
// header line, then one row per checked answer, the student's name and class
// on every row, so that the files of a class can be put one under another.
namespace progress {

struct Student
{
    QString name;
    QString className;
};

// The header line's columns, in order.
QStringList csvColumns();
QByteArray attemptsCsv(std::span<const Attempt> record, const Student &student);

} // namespace progress

#endif // ATTEMPTCSV_H
