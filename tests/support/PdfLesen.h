#pragma once
// Reads back what a test printed into a PDF, with poppler's pdftotext.

#include <QString>
#include <QStringList>

namespace kelvora::test {

// The text of every page, as pdftotext -layout lays it out; empty (with a
// test warning) when the file cannot be read.
QStringList PdfSeiten(const QString& pdf);

} // namespace kelvora::test
