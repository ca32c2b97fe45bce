#include "feeds/StammdatenPruefung.h"

#include "frame/Oberflaeche.h"
#include "frame/Programm.h"
#include "grundlagen/Textbereinigung.h"
#include "grundlagen/ZahlText.h"

namespace kelvora {

namespace {

struct Grenze {
    Feld feld;
    const char* name; // as the user knows the field
    bool dezimal; // how the box is read for the check
    const char* nullFrage;
    double grenze; // exclusive: the limit itself is accepted
    const char* zuHoch;
};

// Order matters: the first failing box is the one the user is sent to.
const Grenze Grenzen[] = {
    { Feld::XP_gTM, "Rohprotein", true, "Sind Sie sicher, das dieses Futtermittel kein Rohprotein enthält?", 1000,
        "Dieser Rohprotein-Wert ist unrealistisch!" },
    { Feld::UDP_gTM, "UDP", true, "Sind Sie sicher, das dieses Futtermittel kein UDP enthält?", 1000,
        "Dieser UDP-Wert ist unrealistisch!" },
    { Feld::NDF_gTM, "NDF", false, "Sind Sie sicher, das dieses Futtermittel kein NDF enthält?", 1000,
        "Dieser NDF-Wert ist unrealistisch!" },
    { Feld::ADF_gTM, "ADF", false, "Sind Sie sicher, das dieses Futtermittel kein ADF enthält?", 1000,
        "Dieser ADF-Wert ist unrealistisch!" },
    { Feld::NFC_gTM, "NFC", false, "Sind Sie sicher, das dieses Futtermittel keine NFC enthält?", 1000,
        "Dieser NFC-Wert ist unrealistisch!" },
    { Feld::NEL_MJTM, "Energie", true, "Sind Sie sicher, das dieses Futtermittel keine Energie enthält?", 30,
        "Dieser Energie-Wert ist unrealistisch!" },
    { Feld::Ca_gTM, "Calzium", true, "Sind Sie sicher, das dieses Futtermittel kein Calzium enthält?", 1000,
        "Dieser Calzium-Wert ist unrealistisch!" },
    { Feld::P_gTM, "Phosphor", true, "Sind Sie sicher, das dieses Futtermittel kein Phosphor enthält?", 1000,
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

Pruefergebnis Abbruch(Feld feld, const QString& name)
{
    return { false, FeldName(feld), name };
}

// Refuses a box that holds no number; true when it does.
bool Lesbar(const std::optional<double>& wert, const QString& text, const QString& name)
{
    if (wert)
        return true;
    Fehler(KeineZahlMeldung(name, text), PruefungTitel());
    return false;
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

Pruefergebnis EingabePruefen(const Eingabemaske& m, Nullwerte nullwerte)
{
    // "Alle Futtermittel" is a filter, not a group: a feed stored with it would
    // show up under no group of the feed list, so it is refused like no choice.
    if (m.gruppenIndex < 0 || m.gruppe < 1) {
        Fehler(QStringLiteral("Sie müssen erst die Art des Futtermittels festlegen!"), Programmname());
        return { false, QStringLiteral("cmbFutterArt"), QStringLiteral("Futterart") };
    }
    const QString name = OhneSteuerzeichen(m.bezeichnung).trimmed();
    if (name.size() < 3 || name.size() > BezeichnungHoechstens) {
        Fehler(name.size() < 3
                ? QStringLiteral("Geben Sie zuerst eine Bezeichnung für das Futtermittel ein!")
                : QStringLiteral("Die Bezeichnung darf höchstens %1 Zeichen lang sein.").arg(BezeichnungHoechstens),
            PruefungTitel());
        return { false, QStringLiteral("txtBezeichnung"), QStringLiteral("Bezeichnung") };
    }
    const QString trockenmasse = QStringLiteral("Trockenmasse");
    const std::optional<double> tm = FeldZahl(Feld::TM_g, m[Feld::TM_g]);
    if (!Lesbar(tm, m[Feld::TM_g], trockenmasse))
        return Abbruch(Feld::TM_g, trockenmasse);
    if (*tm == 0) {
        Fehler(QStringLiteral("Futtermittel ohne Trockenmasse gibt es nicht!"), PruefungTitel());
        return Abbruch(Feld::TM_g, trockenmasse);
    }
    if (*tm < 0 || *tm > TrockenmasseGrenze) {
        Fehler(MitHinweis(QStringLiteral("Dieser Trockenmasse-Wert ist unrealistisch!")), PruefungTitel());
        return Abbruch(Feld::TM_g, trockenmasse);
    }
    for (const Grenze& g : Grenzen) {
        const QString feld = QString::fromUtf8(g.name);
        const std::optional<double> wert = BoxZahl(m[g.feld], g.dezimal);
        if (!Lesbar(wert, m[g.feld], feld))
            return Abbruch(g.feld, feld);
        if (*wert == 0) {
            if (nullwerte == Nullwerte::Annehmen)
                continue;
            const Antwort a = MsgBox(MitHinweis(QString::fromUtf8(g.nullFrage)), Knoepfe::JaNein, Symbol::Frage,
                Antwort::Nein, PruefungTitel());
            if (a != Antwort::Ja)
                return Abbruch(g.feld, feld);
        } else if (*wert < 0 || *wert > g.grenze) {
            Fehler(MitHinweis(QString::fromUtf8(g.zuHoch)), PruefungTitel());
            return Abbruch(g.feld, feld);
        }
    }
    if (!PreisLesen(m.preis).gueltig) {
        Fehler(QStringLiteral("Der Preis muss eine Zahl von 0 bis 10.000 € je dt Frischmasse mit höchstens zwei "
                              "Nachkommastellen sein, zum Beispiel 24,50. Lassen Sie das Feld leer, wenn Sie den Preis "
                              "nicht kennen."),
            PruefungTitel());
        return { false, QStringLiteral("txtPreis"), QStringLiteral("Preis") };
    }
    return { true, QString(), QString() };
}

} // namespace kelvora
