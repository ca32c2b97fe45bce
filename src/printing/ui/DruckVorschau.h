#pragma once
// A printed document leaves the program two ways: through the print preview,
// from which the user prints on any installed printer or saves a PDF, and
// straight into a PDF file (for the command line). Both paint with the same
// function, so paper and PDF always show the same pages.

#include <QString>
#include <functional>

class QPagedPaintDevice;
class QWidget;

namespace kelvora {

// Paints the whole document on the device (A4 is already set up); false
// when it could not, after the function has said why.
using DruckFunktion = std::function<bool(QPagedPaintDevice&)>;

// Writes the document into the PDF file pfad. The file appears only when it
// is complete: it is written beside the target and renamed at the end, so a
// failed print never leaves a half-written file or destroys an older one.
// A target the program must not write (its own files, a folder, a device, an
// existing file that is no PDF; see SchreibzielPruefen) is refused before
// anything is written and once more before the rename.
struct PdfErgebnis {
    bool geschrieben = false;
    // Why the file could not be written, in German, with what to do; empty
    // when malen refused the document itself (it has said why).
    QString fehler;
};
[[nodiscard]] PdfErgebnis PdfSchreiben(const QString& pfad, bool querformat, const DruckFunktion& malen);

// Opens the print preview of the document (modal). From it the user prints
// on an installed printer, chooses a printer's "print to file", or saves a
// PDF with "Als PDF speichern"; where no printer is installed, printing
// itself saves a PDF. The folder of the last PDF is remembered in the INI
// file. pdfName is the file name offered for a PDF.
void DruckvorschauZeigen(
    QWidget* eltern, const QString& titel, const QString& pdfName, bool querformat, const DruckFunktion& malen);

// Tests put a function of their own in place of the preview dialog (for
// example one that writes the document into a file); an empty function
// restores the dialog.
using VorschauErsatz = std::function<void(const DruckFunktion& malen, bool querformat)>;
void DruckvorschauErsetzen(VorschauErsatz ersatz);

// Folder of the last saved PDF (INI section "Drucken", key "PDFOrdner");
// the user's home folder when none is stored or it is gone.
QString LetzterPdfOrdner();

} // namespace kelvora
