// "kelvora bericht --pdf DATEI": the printed ration report as a PDF, for
// advisers who mail it and for checking the report without a screen. The
// stored ration is evaluated with the same code as the ration window and
// printed by the same function as its "Drucken": the list, then the
// overview page.

#include "app/befehle/RationsBefehl.h"
#include "database/Schreibziel.h"
#include "frame/Hauptmenue.h"
#include "grundlagen/Formate.h"
#include "printing/ui/DruckVorschau.h"
#include "ration/RationAuswerten.h"
#include "ration/RationBericht.h"
#include "ration/RationMengen.h"
#include "ration/RationTiereingaben.h"
#include "ration/ui/RationBerichtDrucken.h"

#include <QDir>
#include <QFileInfo>

namespace kelvora {

class BerichtBefehl final : public RationsBefehl {
public:
    BerichtBefehl()
        : RationsBefehl(QStringLiteral("bericht"),
            QStringLiteral("Schreibt den Rationsbericht (Rationsliste und Übersicht) als PDF-Datei."))
        , pdfOption(QStringLiteral("pdf"), QStringLiteral("Die PDF-Datei, in die der Bericht geschrieben wird."),
              QStringLiteral("DATEI"))
    {
        OptionHinzufuegen(pdfOption);
        GespeicherteRationAnbieten();
    }

    Anwendung BrauchtAnwendung() const override { return Anwendung::Grafik; }

protected:
    QString Pruefen() override
    {
        ziel = Parser().value(pdfOption).trimmed();
        if (ziel.isEmpty())
            return QStringLiteral("Geben Sie mit --pdf an, in welche Datei der Bericht geschrieben werden soll, "
                                  "zum Beispiel --pdf ration.pdf.");
        ziel = QFileInfo(ziel).absoluteFilePath();
        return QString();
    }

    // The target is checked against the data folder's files before anything
    // else runs (the data folder is set only now), so that a refused target
    // costs nothing; PdfSchreiben checks it again when it writes.
    int Lauf(QTextStream& aus) override
    {
        const Schreibziel pruefung = SchreibzielPruefen(ziel);
        if (!pruefung.erlaubt) {
            Melden(pruefung.meldung);
            return NichtVerfuegbar;
        }
        return RationsBefehl::Lauf(aus);
    }

    int NachDerAuswertung(const Auswertung& a, const TierEingaben& tier, QTextStream& aus) override
    {
        // An evaluation stopped by an error has said so; half a report is no report.
        if (a.abgebrochen)
            return NichtVerfuegbar;
        IdentitaetLesen();
        const BerichtTier texte { Gewichtsklassen()[GewichtsklasseIndex(tier.gewicht)].text,
            Formatieren(tier.milch, MilchMaske()), Formatieren(tier.fett, QStringLiteral("#0.00")),
            BerichtMilchpreis(tier.milchpreis) };
        RationBericht bericht = RationBerichtErstellen(RationListeZumDruck(a.zeilen), texte, a.anzeigen, std::nullopt);
        bericht.balken = VersorgungsbalkenAus(a);
        const PdfErgebnis ergebnis = PdfSchreiben(
            ziel, true, [&bericht](QPagedPaintDevice& geraet) { return RationBerichtDrucken(geraet, bericht); });
        if (!ergebnis.geschrieben) {
            Melden(
                ergebnis.fehler.isEmpty() ? QStringLiteral("Der Bericht wurde nicht geschrieben.") : ergebnis.fehler);
            return NichtVerfuegbar;
        }
        aus << QDir::toNativeSeparators(ziel) << '\n';
        aus.flush();
        return Erfolg;
    }

private:
    QCommandLineOption pdfOption;
    QString ziel;
};

KELVORA_BEFEHL(BerichtBefehl)

} // namespace kelvora
