#include "printing/ui/DruckVorschau.h"

#include "database/Schreibziel.h"
#include "frame/FunktionenFuerINI.h"
#include "frame/Oberflaeche.h"
#include "frame/Programm.h"
#include "frame/Protokoll.h"
#include "frame/Statuszeile.h"
#include "printing/ui/FunktionenDrucker.h"

#include <QAction>
#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QPaintEngine>
#include <QPdfWriter>
#include <QPrintPreviewDialog>
#include <QPrinter>
#include <QPrinterInfo>
#include <QSaveFile>
#include <QToolBar>

namespace kelvora {

namespace {

VorschauErsatz& Ersatz()
{
    static VorschauErsatz ersatz;
    return ersatz;
}

const QString IniAbschnitt = QStringLiteral("Drucken");
const QString IniSchluessel = QStringLiteral("PDFOrdner");

void PdfOrdnerMerken(const QString& datei)
{
    INISpeichern(IniAbschnitt, IniSchluessel, QDir::toNativeSeparators(QFileInfo(datei).absolutePath()));
}

QString MitEndung(QString datei)
{
    if (!datei.endsWith(QLatin1String(".pdf"), Qt::CaseInsensitive))
        datei += QStringLiteral(".pdf");
    return datei;
}

void PdfFehlerZeigen(const QString& text)
{
    MsgBox(text, Knoepfe::OK, Symbol::Kritisch, Antwort::OK, QStringLiteral("PDF nicht gespeichert"));
}

// A printer's "print to file" (and printing without any printer) writes
// straight into the file it was given: that file passes the same check as
// "Als PDF speichern" before the first byte. The preview's own pages are
// painted by another engine and write nothing.
bool DruckdateiErlaubt(QPrinter& drucker)
{
    const QPaintEngine* maschine = drucker.paintEngine();
    if (drucker.outputFileName().isEmpty() || !maschine || maschine->type() != QPaintEngine::Pdf)
        return true;
    const Schreibziel ziel = SchreibzielPruefen(drucker.outputFileName());
    if (!ziel.erlaubt)
        PdfFehlerZeigen(ziel.meldung);
    return ziel.erlaubt;
}

// "Als PDF speichern" of the preview: asks for the file and writes it.
bool PdfSpeichernFragen(QWidget* eltern, const QString& pdfName, bool querformat, const DruckFunktion& malen)
{
    const QString vorschlag = QDir(LetzterPdfOrdner()).filePath(pdfName);
    QString datei = QFileDialog::getSaveFileName(
        eltern, QStringLiteral("Als PDF speichern"), vorschlag, QStringLiteral("PDF-Dateien (*.pdf)"));
    if (datei.isEmpty())
        return false;
    datei = MitEndung(datei);
    const PdfErgebnis ergebnis = PdfSchreiben(datei, querformat, malen);
    if (!ergebnis.geschrieben) {
        if (!ergebnis.fehler.isEmpty())
            PdfFehlerZeigen(ergebnis.fehler);
        return false;
    }
    PdfOrdnerMerken(datei);
    HauptFensterMeldungAusgeben(
        Farbe::Gruen, QStringLiteral("Als PDF gespeichert: ") + QDir::toNativeSeparators(datei), 5);
    return true;
}

} // namespace

QString LetzterPdfOrdner()
{
    const QString ordner = INILesen(IniAbschnitt, IniSchluessel, QString());
    if (!ordner.isEmpty() && QFileInfo(ordner).isDir())
        return ordner;
    return QDir::homePath();
}

PdfErgebnis PdfSchreiben(const QString& pfad, bool querformat, const DruckFunktion& malen)
{
    PdfErgebnis ergebnis;
    const QString anzeige = QDir::toNativeSeparators(pfad);
    const Schreibziel ziel = SchreibzielPruefen(pfad);
    if (!ziel.erlaubt) {
        ergebnis.fehler = ziel.meldung;
        return ergebnis;
    }
    // Written beside the target under a new, unique name (QSaveFile never
    // opens an existing file for it) and renamed into place when complete.
    QSaveFile datei(ziel.datei);
    if (!datei.open(QIODevice::WriteOnly)) {
        ProtokollSchreiben(
            QStringLiteral("PdfSchreiben: ") + anzeige + QStringLiteral(" nicht beschreibbar: ") + datei.errorString());
        ergebnis.fehler = QStringLiteral("Die PDF-Datei „") + anzeige + QStringLiteral("“ kann nicht angelegt werden (")
            + datei.errorString() + QStringLiteral("). Bitte wählen Sie einen Ordner, in dem Sie schreiben dürfen.");
        return ergebnis;
    }
    bool gemalt = false;
    {
        QPdfWriter pdf(&datei);
        pdf.setCreator(Programmname());
        pdf.setTitle(Programmname());
        SeiteEinrichten(pdf, querformat);
        gemalt = malen(pdf);
    }
    if (!gemalt) {
        datei.cancelWriting();
        return ergebnis;
    }
    // Painting takes a while; whatever took the target's place meanwhile (a
    // link, a folder swapped for a link to the data folder) is seen before
    // the rename, which follows links in the folders of the path.
    const Schreibziel nochmals = SchreibzielPruefen(pfad);
    if (!nochmals.erlaubt || nochmals.datei != ziel.datei) {
        datei.cancelWriting();
        ergebnis.fehler = !nochmals.erlaubt ? nochmals.meldung
                                            : QStringLiteral("Die PDF-Datei wird nicht unter „") + anzeige
                + QStringLiteral("“ gespeichert: der Name verweist seit dem Beginn des Schreibens auf „")
                + QDir::toNativeSeparators(nochmals.datei) + QStringLiteral("“. Bitte speichern Sie noch einmal.");
        return ergebnis;
    }
    if (!datei.commit()) {
        ProtokollSchreiben(
            QStringLiteral("PdfSchreiben: ") + anzeige + QStringLiteral(" nicht geschrieben: ") + datei.errorString());
        ergebnis.fehler = QStringLiteral("Die PDF-Datei „") + anzeige
            + QStringLiteral("“ konnte nicht geschrieben werden (") + datei.errorString()
            + QStringLiteral("). Bitte prüfen Sie, ob auf dem Datenträger Platz ist, und speichern Sie noch einmal.");
        return ergebnis;
    }
    ProtokollSchreiben(QStringLiteral("PdfSchreiben: ") + anzeige + QStringLiteral(" geschrieben"));
    ergebnis.geschrieben = true;
    return ergebnis;
}

void DruckvorschauErsetzen(VorschauErsatz ersatz)
{
    Ersatz() = std::move(ersatz);
}

void DruckvorschauZeigen(
    QWidget* eltern, const QString& titel, const QString& pdfName, bool querformat, const DruckFunktion& malen)
{
    if (Ersatz()) {
        Ersatz()(malen, querformat);
        return;
    }

    QPrinter drucker(QPrinter::HighResolution);
    drucker.setDocName(titel);
    drucker.setCreator(Programmname());
    SeiteEinrichten(drucker, querformat);
    // Without any printer, printing from the preview saves a PDF.
    const bool ohneDrucker = QPrinterInfo::availablePrinters().isEmpty();
    if (ohneDrucker) {
        drucker.setOutputFormat(QPrinter::PdfFormat);
        drucker.setOutputFileName(QDir(LetzterPdfOrdner()).filePath(pdfName));
    }

    QPrintPreviewDialog vorschau(&drucker, eltern);
    bool eigenesPdf = false;
    vorschau.setWindowTitle(titel);
    bool dateiAbgelehnt = false;
    QObject::connect(&vorschau, &QPrintPreviewDialog::paintRequested, &vorschau, [&](QPrinter* p) {
        if (!DruckdateiErlaubt(*p)) {
            dateiAbgelehnt = true;
            return;
        }
        malen(*p);
    });
    if (auto* leiste = vorschau.findChild<QToolBar*>()) {
        leiste->addSeparator();
        QAction* pdf = leiste->addAction(QStringLiteral("Als PDF speichern …"));
        pdf->setObjectName(QStringLiteral("PdfSpeichern"));
        pdf->setToolTip(QStringLiteral("Den Bericht als PDF-Datei speichern, zum Beispiel für eine E-Mail"));
        QObject::connect(pdf, &QAction::triggered, &vorschau, [&] {
            eigenesPdf = PdfSpeichernFragen(
                &vorschau, pdfName, drucker.pageLayout().orientation() == QPageLayout::Landscape, malen);
            if (eigenesPdf)
                vorschau.accept();
        });
    }
    // Large enough to read a landscape page without zooming first, and never
    // narrower than its toolbar with "Als PDF speichern".
    if (eltern)
        vorschau.resize(vorschau.sizeHint().expandedTo(eltern->window()->size() * 0.9));
    const int ergebnis = vorschau.exec();
    // A PDF that the printer's own "print to file" wrote.
    if (ergebnis == QDialog::Accepted && !eigenesPdf && !dateiAbgelehnt && drucker.outputFormat() == QPrinter::PdfFormat
        && !drucker.outputFileName().isEmpty() && QFileInfo::exists(drucker.outputFileName()))
        PdfOrdnerMerken(drucker.outputFileName());
}

} // namespace kelvora
