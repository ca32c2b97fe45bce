// "kelvora ladeliste" prints (or writes as a PDF) the mixer wagon's loading
// list of a stored ration; "kelvora geladen" evaluates what was really
// loaded, by the same evaluation as "auswerten". The same figures as the
// window "Ladeliste".

#include "app/befehle/RationsBefehl.h"
#include "database/Datenbankholen.h"
#include "database/Schreibziel.h"
#include "frame/Hauptmenue.h"
#include "frame/Oberflaeche.h"
#include "grundlagen/Formate.h"
#include "grundlagen/Textbereinigung.h"
#include "grundlagen/ZahlText.h"
#include "herde/Ladeliste.h"
#include "herde/ui/LadelisteDrucken.h"
#include "printing/ui/DruckVorschau.h"

#include <QDir>
#include <QFileInfo>

namespace kelvora {

namespace {

const QChar Tab = QLatin1Char('\t');

QString EinDezimal(double wert)
{
    return Formatieren(wert, QStringLiteral("#,##0.0"));
}

} // namespace

// The options both commands share: the ration's name, head count, reserve
// and loads.
class MischwagenBefehl : public Befehl {
protected:
    MischwagenBefehl(QString name, QString beschreibung)
        : Befehl(std::move(name), std::move(beschreibung))
        , tiereOption(QStringLiteral("tiere"),
              QStringLiteral("Zahl der Kühe, 1 bis 9999 (sonst die der gespeicherten Ration)."), QStringLiteral("N"))
        , reserveOption(QStringLiteral("reserve"),
              QStringLiteral("Reserve in %, 0 bis 50 (sonst die der gespeicherten Ration)."), QStringLiteral("P"))
        , ladungenOption(
              QStringLiteral("ladungen"), QStringLiteral("Zahl der Ladungen, 1 bis 99 (sonst 1)."), QStringLiteral("K"))
    {
        ArgumentHinzufuegen(QStringLiteral("NAME"), QStringLiteral("Name der gespeicherten Ration."));
        OptionHinzufuegen(tiereOption);
        OptionHinzufuegen(reserveOption);
        OptionHinzufuegen(ladungenOption);
    }

    // Checks a number option against its limit into wert; the message, or
    // empty when it is right or not given.
    QString ZahlOption(const QCommandLineOption& o, const Eingabegrenze& grenze, bool ganz, std::optional<double>& wert)
    {
        if (!Parser().isSet(o))
            return QString();
        const QString text = Parser().value(o);
        const QString bei = QStringLiteral("Falsche Angabe bei --") + o.names().first() + QStringLiteral(": ");
        const GepruefteZahl z = ZahlPruefen(grenze, text);
        if (!z.wert)
            return bei + z.meldung;
        if (ganz && *z.wert != std::floor(*z.wert))
            return bei + QStringLiteral("Geben Sie eine ganze Zahl an, nicht \"") + OhneSteuerzeichen(text)
                + QStringLiteral("\".");
        wert = z.wert;
        return QString();
    }

    QString Pruefen() override
    {
        if (Argumente().isEmpty())
            return QStringLiteral("Geben Sie den Namen der Ration an.");
        if (const QString fehler = RationsNameFehler(Argumente().first()); !fehler.isEmpty())
            return fehler;
        std::optional<double> tiere, ladungen;
        for (const QString& m : { ZahlOption(tiereOption, TiereGrenze(), true, tiere),
                 ZahlOption(reserveOption, ReserveGrenze(), false, lauf.angaben.reserve),
                 ZahlOption(ladungenOption, LadungenGrenze(), true, ladungen) })
            if (!m.isEmpty())
                return m;
        if (tiere)
            lauf.angaben.tiere = static_cast<long>(*tiere);
        if (ladungen)
            lauf.angaben.ladungen = static_cast<long>(*ladungen);
        lauf.name = Argumente().first();
        return QString();
    }

    // Reads the step, the ration and builds the list (and with geladen the
    // loaded evaluation). The exit code; Erfolg when e holds the result.
    int Lesen(LadelisteErgebnis& e)
    {
        QString meldung;
        const std::optional<double> schritt = SchrittLesen(meldung);
        if (!schritt) {
            Melden(meldung);
            return FalscheAngaben;
        }
        lauf.angaben.schritt = *schritt;
        QString pfad;
        if (!Datenbankholen(QStringLiteral("Futter"), pfad))
            return EndeCode(NichtVerfuegbar);
        if (!LadelisteLesen(pfad, lauf, e))
            return e.falscheNummern ? FalscheAngaben : e.abgelehnt ? Abgelehnt : NichtVerfuegbar;
        if (!e.liste.nichtAusgeglichen.isEmpty())
            Melden(QStringLiteral("Hinweis: nicht ausgeglichen (0 kg, wird mit 0 kg geladen): ")
                + OhneSteuerzeichen(e.liste.nichtAusgeglichen.join(QStringLiteral(", "))) + QLatin1Char('.'));
        return Erfolg;
    }

    QCommandLineOption tiereOption;
    QCommandLineOption reserveOption;
    QCommandLineOption ladungenOption;
    LadelisteLauf lauf;
};

class LadelisteBefehl final : public MischwagenBefehl {
public:
    LadelisteBefehl()
        : MischwagenBefehl(QStringLiteral("ladeliste"),
            QStringLiteral("Gibt die Ladeliste des Mischwagens für eine gespeicherte Ration aus: je Futtermittel kg "
                           "je Ladung und Stand der Waage."))
        , fassungOption(QStringLiteral("fassung"),
              QStringLiteral("Fassung des Mischwagens in kg Frischmasse; die Zahl der Ladungen ist dann die "
                             "kleinste, bei der jede Ladung hineinpasst. Nicht mit --ladungen."),
              QStringLiteral("KG"))
        , pdfOption(QStringLiteral("pdf"),
              QStringLiteral("Die Ladeliste als PDF-Datei (eine A4-Seite in großer Schrift) in diese Datei "
                             "schreiben."),
              QStringLiteral("DATEI"))
    {
        OptionHinzufuegen(fassungOption);
        OptionHinzufuegen(pdfOption);
    }

    // Only a PDF paints, but which command needs a display is decided
    // before its options are read.
    Anwendung BrauchtAnwendung() const override { return Anwendung::Grafik; }

protected:
    QString Pruefen() override
    {
        if (const QString m = MischwagenBefehl::Pruefen(); !m.isEmpty())
            return m;
        if (Parser().isSet(fassungOption) && Parser().isSet(ladungenOption))
            return QStringLiteral("Geben Sie entweder --ladungen oder --fassung an, nicht beide.");
        if (const QString m = ZahlOption(fassungOption, FassungGrenze(), false, lauf.angaben.fassung); !m.isEmpty())
            return m;
        if (Parser().isSet(pdfOption)) {
            ziel = Parser().value(pdfOption).trimmed();
            if (ziel.isEmpty())
                return QStringLiteral("Geben Sie bei --pdf die Datei an, zum Beispiel --pdf ladeliste.pdf.");
            ziel = QFileInfo(ziel).absoluteFilePath();
        }
        return QString();
    }

    int Lauf(QTextStream& aus) override
    {
        // A refused target costs nothing: checked before the database is read.
        if (!ziel.isEmpty()) {
            const Schreibziel pruefung = SchreibzielPruefen(ziel);
            if (!pruefung.erlaubt) {
                Melden(pruefung.meldung);
                return NichtVerfuegbar;
            }
        }
        LadelisteErgebnis e;
        if (const int code = Lesen(e); code != Erfolg)
            return code;
        const Ladeliste& l = e.liste;
        if (!ziel.isEmpty()) {
            IdentitaetLesen();
            const QDate tag = ui().Jetzt().date();
            const PdfErgebnis ergebnis = PdfSchreiben(
                ziel, false, [&l, &tag](QPagedPaintDevice& geraet) { return LadelisteDrucken(geraet, l, tag); });
            if (!ergebnis.geschrieben) {
                Melden(ergebnis.fehler.isEmpty() ? QStringLiteral("Die Ladeliste wurde nicht geschrieben.")
                                                 : ergebnis.fehler);
                return NichtVerfuegbar;
            }
            aus << QDir::toNativeSeparators(ziel) << '\n';
            return Erfolg;
        }
        for (const LadeZeile& z : l.zeilen)
            aus << z.nr << Tab << OhneSteuerzeichen(z.name) << Tab << KgText(z.kg, l.schritt) << Tab
                << KgText(z.waage, l.schritt) << '\n';
        aus << '\n'
            << "Ladungen" << Tab << l.ladungen << '\n'
            << "Ladung gesamt" << Tab << KgText(l.kg, l.schritt) << '\n';
        return Erfolg;
    }

private:
    QCommandLineOption fassungOption;
    QCommandLineOption pdfOption;
    QString ziel;
};

KELVORA_BEFEHL(LadelisteBefehl)

class GeladenBefehl final : public MischwagenBefehl {
public:
    GeladenBefehl()
        : MischwagenBefehl(QStringLiteral("geladen"),
            QStringLiteral("Wertet aus, was je Ladung wirklich geladen wurde: Abweichung je Futtermittel und die "
                           "Auswertung der Ration, die die Kühe bekommen."))
    {
        ArgumentHinzufuegen(QStringLiteral("NR=KG [NR=KG ...]"),
            QStringLiteral("je Futtermittel der Ladeliste seine Nummer und die geladenen kg einer Ladung."));
        ArgumenteBis(1000);
    }

protected:
    QString Pruefen() override
    {
        if (const QString m = MischwagenBefehl::Pruefen(); !m.isEmpty())
            return m;
        const QStringList a = Argumente().mid(1);
        if (a.isEmpty())
            return QStringLiteral("Geben Sie je Futtermittel der Ladeliste an, was geladen wurde: NR=KG, zum "
                                  "Beispiel 1=1250 2=830.");
        for (const QString& wort : a) {
            const qsizetype gleich = wort.indexOf(QLatin1Char('='));
            const std::optional<long> nr = gleich > 0 ? GanzzahlAusText(wort.left(gleich)) : std::nullopt;
            if (!nr)
                return QStringLiteral("Falsche Angabe \"") + OhneSteuerzeichen(wort)
                    + QStringLiteral("\": Geben Sie die geladene Menge als NR=KG an, zum Beispiel 3=412,5.");
            if (geladen.contains(static_cast<int>(*nr)))
                return QStringLiteral("Die Nr. %1 ist zweimal angegeben.").arg(*nr);
            const GepruefteZahl kg = ZahlPruefen(GeladenGrenze(), wort.mid(gleich + 1));
            if (!kg.wert)
                return QStringLiteral("Falsche Angabe bei Nr. %1: ").arg(*nr) + kg.meldung;
            geladen.insert(static_cast<int>(*nr), *kg.wert);
        }
        lauf.geladen = &geladen;
        return QString();
    }

    int Lauf(QTextStream& aus) override
    {
        LadelisteErgebnis e;
        if (const int code = Lesen(e); code != Erfolg)
            return code;
        for (const GeladenZeile& z : e.bewertung.zeilen)
            aus << EinDezimal(z.abweichungKg) << Tab << OhneSteuerzeichen(z.name) << Tab << EinDezimal(z.geplant)
                << Tab << EinDezimal(z.geladen) << Tab
                << (z.abweichungProzent ? EinDezimal(*z.abweichungProzent) : QString()) << '\n';
        aus << '\n';
        AuswertungAusgeben(e.bewertung.geladen, aus);
        // Which lights changed against the plan: a note, as the herd's.
        for (const Ampelwechsel& w : e.bewertung.wechsel)
            Melden(QStringLiteral("Hinweis: Ampel geändert: ") + AmpelwechselText(w));
        return e.bewertung.geladen.abgebrochen ? NichtVerfuegbar : Erfolg;
    }

private:
    QMap<int, double> geladen;
};

KELVORA_BEFEHL(GeladenBefehl)

} // namespace kelvora
