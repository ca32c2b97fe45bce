#include "feeds/StammdatenPruefung.h"

#include "grundlagen/DatenTypen.h"
#include "frame/Oberflaeche.h"
#include "frame/Programm.h"

namespace kelvora {

namespace {

struct Grenze {
    Feld feld;
    bool dezimal; // how the box is read for the check
    const char* nullFrage;
    double grenze; // exclusive: the limit itself is accepted
    const char* zuHoch;
};

// Order matters: the first failing box is the one the user is sent to.
const Grenze Grenzen[] = {
    { Feld::XP_gTM, true, "Sind Sie sicher, das dieses Futtermittel kein Rohprotein enthält?", 1000,
        "Dieser Rohprotein-Wert ist unrealistisch!" },
    { Feld::UDP_gTM, true, "Sind Sie sicher, das dieses Futtermittel kein UDP enthält?", 1000,
        "Dieser UDP-Wert ist unrealistisch!" },
    { Feld::NDF_gTM, false, "Sind Sie sicher, das dieses Futtermittel kein NDF enthält?", 1000,
        "Dieser NDF-Wert ist unrealistisch!" },
    { Feld::ADF_gTM, false, "Sind Sie sicher, das dieses Futtermittel kein ADF enthält?", 1000,
        "Dieser ADF-Wert ist unrealistisch!" },
    { Feld::NFC_gTM, false, "Sind Sie sicher, das dieses Futtermittel keine NFC enthält?", 1000,
        "Dieser NFC-Wert ist unrealistisch!" },
    { Feld::NEL_MJTM, true, "Sind Sie sicher, das dieses Futtermittel keine Energie enthält?", 30,
        "Dieser Energie-Wert ist unrealistisch!" },
    { Feld::Ca_gTM, true, "Sind Sie sicher, das dieses Futtermittel kein Calzium enthält?", 1000,
        "Dieser Calzium-Wert ist unrealistisch!" },
    { Feld::P_gTM, true, "Sind Sie sicher, das dieses Futtermittel kein Phosphor enthält?", 1000,
        "Dieser Phosphor-Wert ist unrealistisch!" },
};

constexpr double TrockenmasseGrenze = 990;

QString MitHinweis(const QString& text)
{
    return text + QStringLiteral("\n\n") + PruefungHinweis();
}

void Fehler(const QString& text, const QString& titel)
{
    MsgBox(text, Knoepfe::OK, Symbol::Ausrufezeichen, Antwort::OK, titel);
}

Pruefergebnis Abbruch(Feld feld)
{
    return { false, FeldName(feld) };
}

} // namespace

QString PruefungTitel()
{
    return QStringLiteral("Prüfung der Eingabe");
}

QString PruefungHinweis()
{
    return QStringLiteral("Wenn Sie diesen Wert nicht zur Verfügung haben ist es trotzdem notwendig, einen "
                          "realistischen Wert einzugeben, damit das Programm richtig rechnen kann!");
}

Pruefergebnis EingabePruefen(const Eingabemaske& m)
{
    // "Alle Futtermittel" is a filter, not a group: a feed stored with it would
    // show up under no group of the feed list, so it is refused like no choice.
    if (m.gruppenIndex < 0 || m.gruppe < 1) {
        Fehler(QStringLiteral("Sie müssen erst die Art des Futtermittels festlegen!"), Programmname());
        return { false, QStringLiteral("cmbFutterArt") };
    }
    if (m.bezeichnung.trimmed().size() < 3) {
        Fehler(QStringLiteral("Geben Sie zuerst eine Bezeichnung für das Futtermittel ein!"), PruefungTitel());
        return { false, QStringLiteral("txtBezeichnung") };
    }
    const long tm = TextInLong(m[Feld::TM_g]);
    if (tm == 0) {
        Fehler(QStringLiteral("Futtermittel ohne Trockenmasse gibt es nicht!"), PruefungTitel());
        return Abbruch(Feld::TM_g);
    }
    if (tm > TrockenmasseGrenze) {
        Fehler(MitHinweis(QStringLiteral("Dieser Trockenmasse-Wert ist unrealistisch!")), PruefungTitel());
        return Abbruch(Feld::TM_g);
    }
    for (const Grenze& g : Grenzen) {
        const QString& text = m[g.feld];
        const double wert = g.dezimal ? TextInDouble(text) : static_cast<double>(TextInLong(text));
        if (wert == 0) {
            const Antwort a = MsgBox(MitHinweis(QString::fromUtf8(g.nullFrage)), Knoepfe::JaNein, Symbol::Frage,
                Antwort::Nein, PruefungTitel());
            if (a != Antwort::Ja)
                return Abbruch(g.feld);
        } else if (wert > g.grenze) {
            Fehler(MitHinweis(QString::fromUtf8(g.zuHoch)), PruefungTitel());
            return Abbruch(g.feld);
        }
    }
    if (!PreisLesen(m.preis).gueltig) {
        Fehler(QStringLiteral("Der Preis muss eine Zahl von 0 bis 10.000 € je dt Frischmasse mit höchstens zwei "
                              "Nachkommastellen sein, zum Beispiel 24,50. Lassen Sie das Feld leer, wenn Sie den Preis "
                              "nicht kennen."),
            PruefungTitel());
        return { false, QStringLiteral("txtPreis") };
    }
    return { true, QString() };
}

} // namespace kelvora
