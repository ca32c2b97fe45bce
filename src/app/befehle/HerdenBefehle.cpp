// "kelvora vergleichen" sets stored rations side by side, each evaluated
// with its own animal inputs; "kelvora herde" adds up what the groups eat
// and cost per day. The same figures as the windows "Rationen vergleichen"
// and "Herde".

#include "app/befehle/Befehl.h"
#include "database/Datenbankholen.h"
#include "grundlagen/Textbereinigung.h"
#include "herde/Herde.h"
#include "herde/RationenBewerten.h"

namespace kelvora {

namespace {

const QChar Tab = QLatin1Char('\t');

// The first spalten columns of each line, tab-separated.
void Zeilen(const DruckListe& liste, qsizetype spalten, QTextStream& aus)
{
    for (const QStringList& zeile : liste.zeilen) {
        QStringList felder;
        for (qsizetype i = 0; i < spalten; ++i)
            felder << OhneSteuerzeichen(zeile.value(i));
        aus << felder.join(Tab) << '\n';
    }
}

QString Farbe(qint64 farbe)
{
    return farbe == 0 ? QString() : QString::number(farbe);
}

} // namespace

class VergleichenBefehl final : public Befehl {
public:
    VergleichenBefehl()
        : Befehl(QStringLiteral("vergleichen"),
            QStringLiteral("Vergleicht 2 bis 6 gespeicherte Rationen, jede mit ihren eigenen Tierangaben "
                           "ausgewertet: je Kennzahl Text und Farbe."))
    {
        ArgumentHinzufuegen(QStringLiteral("NAME NAME [NAME ...]"),
            QStringLiteral("die Namen der gespeicherten Rationen, höchstens 6."));
        ArgumenteBis(VergleichHoechstens);
    }

protected:
    QString Pruefen() override
    {
        for (const QString& name : Argumente())
            if (const QString fehler = RationsNameFehler(name); !fehler.isEmpty())
                return fehler;
        return VergleichsNamenFehler(Argumente());
    }

    int Lauf(QTextStream& aus) override
    {
        QString pfad;
        if (!Datenbankholen(QStringLiteral("Futter"), pfad))
            return EndeCode(NichtVerfuegbar);
        QList<RationsBewertung> bewertungen;
        bool abgelehnt = false;
        if (!RationenBewerten(pfad, Argumente(), bewertungen, &abgelehnt))
            return abgelehnt ? Abgelehnt : NichtVerfuegbar;
        // The header has the same two fields per ration as the lines below.
        aus << "Ration";
        for (const RationsBewertung& b : std::as_const(bewertungen))
            aus << Tab << OhneSteuerzeichen(b.ration.name) << Tab;
        aus << '\n';
        for (const VergleichsZeile& z : VergleichsKennzahlen(bewertungen)) {
            aus << z.name;
            for (qsizetype i = 0; i < z.texte.size(); ++i)
                aus << Tab << OhneSteuerzeichen(z.texte[i]) << Tab << Farbe(z.farben[i]);
            aus << '\n';
        }
        for (const RationsBewertung& b : std::as_const(bewertungen))
            if (b.auswertung.abgebrochen)
                return NichtVerfuegbar;
        return Erfolg;
    }
};

KELVORA_BEFEHL(VergleichenBefehl)

class HerdeBefehl final : public Befehl {
public:
    HerdeBefehl()
        : Befehl(QStringLiteral("herde"),
            QStringLiteral("Rechnet die gespeicherten Rationen mit Tieren zur Herde zusammen: je Futtermittel "
                           "und je Gruppe Mengen und Kosten je Tag."))
    {
    }

protected:
    int Lauf(QTextStream& aus) override
    {
        QString pfad;
        if (!Datenbankholen(QStringLiteral("Futter"), pfad))
            return EndeCode(NichtVerfuegbar);
        Herde h;
        bool abgelehnt = false;
        if (!HerdeBerechnen(pfad, h, &abgelehnt))
            return abgelehnt ? Abgelehnt : NichtVerfuegbar;
        // The window's lists: the feeds per day (without the 30-day columns), then the groups.
        Zeilen(HerdenFutterListe(h), 4, aus);
        aus << '\n';
        Zeilen(HerdenGruppenListe(h), 5, aus);
        // A note, not a failure: the herd is added up with what the rows hold.
        if (const QString offen = NichtAusgeglichenText(h); !offen.isEmpty())
            Melden(QStringLiteral("Hinweis: ") + offen + QLatin1Char('.'));
        return Erfolg;
    }
};

KELVORA_BEFEHL(HerdeBefehl)

} // namespace kelvora
