#ifndef FIGUREFILE_H
#define FIGUREFILE_H

#include <QString>

class QWidget;

// Asks for the file to save a drawing in, as every window with a drawing
// does: SVG (where the build writes it), PNG or PDF, starting in `folder`
// with a name that has the suffix of the type chosen; a name typed without
// a known suffix takes the chosen type's. Empty where the student cancels;
// else `folder` becomes the file's.
QString askFigureFile(QWidget *parent, const QString &title, QString &folder);

// Tells the student that a file could not be written.
void figureNotSaved(QWidget *parent, const QString &fileName);

// The folder a save dialog starts in: the pictures folder, else home.
QString picturesFolder();

#endif // FIGUREFILE_H
