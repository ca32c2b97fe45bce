#pragma once
// Reads back what a test printed into a PDF, with poppler's pdftotext.

#include <QList>
#include <QRectF>
#include <QString>
#include <QStringList>

namespace kelvora::test {

// The text of every page, as pdftotext -layout lays it out; empty (with a
// test warning) when the file cannot be read.
QStringList PdfSeiten(const QString& pdf);

// One printed word and its box in points from the page's top left corner.
struct PdfWort {
    int seite; // from 1
    QRectF box;
    QString text;
};
QList<PdfWort> PdfWoerter(const QString& pdf);

} // namespace kelvora::test
