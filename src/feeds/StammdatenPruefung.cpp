#include "feeds/StammdatenPruefung.h"

#include "frame/Oberflaeche.h"
#include "frame/Programm.h"
#include "grundlagen/Textbereinigung.h"
#include "grundlagen/ZahlText.h"

#include <QStringList>

namespace kelvora {

namespace {

struct Grenze {
    Feld feld;
    const char* name; // as the user knows the field
    bool dezimal; // how the box is read for the check
    const char* ohne; // "kein Rohprotein": the box's part of the question about zero values
    double grenze; // exclusive: the limit itself is accepted
    const char* zuHoch;
};

// Order matters: the first failing box is the one the user is sent to.
const Grenze Grenzen[] = {
    { Feld::XP_gTM, "Rohprotein", true, "kein Rohprotein", 1000, "Dieser Rohprotein-Wert ist unrealistisch!" },
    { Feld::UDP_gTM, "UDP", true, "kein UDP", 1000, "Dieser UDP-Wert ist unrealistisch!" },
    { Feld::NDF_gTM, "NDF", false, "kein NDF", 1000, "Dieser NDF-Wert ist unrealistisch!" },
    { Feld::ADF_gTM, "ADF", false, "kein ADF", 1000, "Dieser ADF-Wert ist unrealistisch!" },
    { Feld::NFC_gTM, "NFC", false, "keine NFC", 1000, "Dieser NFC-Wert ist unrealistisch!" },
    { Feld::NEL_MJTM, "Energie", true, "keine Energie", 30, "Dieser Energie-Wert ist unrealistisch!" },
    { Feld::Ca_gTM, "Calzium", true, "kein Calzium", 1000, "Dieser Calzium-Wert ist unrealistisch!" },
    { Feld::P_gTM, "Phosphor", true, "kein Phosphor", 1000, "Dieser Phosphor-Wert ist unrealistisch!" },
};

// The values of the German standard may stay 0 ("not entered"; the ration
// then says "unvollständig"), so they are not asked about; a value that is
// there must read and lie in its range. RNB is a balance and may be negative.
struct Bereich {
    Feld feld;
    const char* name;
    double unten, oben; // inclusive
};
const Bereich GfEBereiche[] = {
    { Feld::ME_MJTM, "ME", 0, 40 },
    { Feld::nXP_gTM, "nXP", 0, 1000 },
    { Feld::RNB_gTM, "RNB", -500, 500 },
    { Feld::Mg_gTM, "Magnesium", 0, 1000 },
    { Feld::Na_gTM, "Natrium", 0, 1000 },
    { Feld::K_gTM, "Kalium", 0, 1000 },
    { Feld::Cu_mgTM, "Kupfer", 0, 100000 },
    { Feld::Zn_mgTM, "Zink", 0, 100000 },
    { Feld::Mn_mgTM, "Mangan", 0, 100000 },
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

// "Sind Sie sicher, das dieses Futtermittel kein Rohprotein, kein UDP und
// keine Energie enthält?" with the hint: one question for every box that
// holds 0, the hint in the plural when it asks about several.
QString NullFrage(const QStringList& ohne)
{
    QString liste = ohne.last();
    if (ohne.size() > 1)
        liste = ohne.first(ohne.size() - 1).join(QStringLiteral(", ")) + QStringLiteral(" und ") + liste;
    const QString frage
        = QStringLiteral("Sind Sie sicher, das dieses Futtermittel ") + liste + QStringLiteral(" enthält?");
    if (ohne.size() == 1)
        return MitHinweis(frage);
    return frage
        + QStringLiteral("\n\nWenn Sie diese Werte nicht zur Verfügung haben ist es trotzdem notwendig, "
                         "realistische Werte einzugeben, damit das Programm richtig rechnen kann!");
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
    // Every refusal comes first; the values of 0 are then asked about in one
    // question, so that a mineral feed without protein, fibre and energy
    // needs one answer instead of six.
    QList<const Grenze*> null;
    for (const Grenze& g : Grenzen) {
        const QString feld = QString::fromUtf8(g.name);
        const std::optional<double> wert = BoxZahl(m[g.feld], g.dezimal);
        if (!Lesbar(wert, m[g.feld], feld))
            return Abbruch(g.feld, feld);
        if (*wert == 0) {
            null.append(&g);
        } else if (*wert < 0 || *wert > g.grenze) {
            Fehler(MitHinweis(QString::fromUtf8(g.zuHoch)), PruefungTitel());
            return Abbruch(g.feld, feld);
        }
    }
    for (const Bereich& b : GfEBereiche) {
        const QString feld = QString::fromUtf8(b.name);
        const std::optional<double> wert = FeldZahl(b.feld, m[b.feld]);
        if (!Lesbar(wert, m[b.feld], feld))
            return Abbruch(b.feld, feld);
        if (*wert < b.unten || *wert > b.oben) {
            Fehler(MitHinweis(QStringLiteral("Dieser %1-Wert ist unrealistisch (erlaubt %2 bis %3).")
                                  .arg(feld, QString::number(b.unten), QString::number(b.oben))),
                PruefungTitel());
            return Abbruch(b.feld, feld);
        }
    }
    if (!PreisLesen(m.preis).gueltig) {
        Fehler(QStringLiteral("Der Preis muss eine Zahl von 0 bis 10.000 € je dt Frischmasse mit höchstens zwei "
                              "Nachkommastellen sein, zum Beispiel 24,50. Lassen Sie das Feld leer, wenn Sie den Preis "
                              "nicht kennen."),
            PruefungTitel());
        return { false, QStringLiteral("txtPreis"), QStringLiteral("Preis") };
    }
    if (!null.isEmpty() && nullwerte == Nullwerte::Fragen) {
        QStringList ohne;
        for (const Grenze* g : std::as_const(null))
            ohne.append(QString::fromUtf8(g->ohne));
        const Antwort a = MsgBox(NullFrage(ohne), Knoepfe::JaNein, Symbol::Frage, Antwort::Nein, PruefungTitel());
        // No sends the user to the first of the boxes to fill in.
        if (a != Antwort::Ja)
            return Abbruch(null.first()->feld, QString::fromUtf8(null.first()->name));
    }
    return { true, QString(), QString() };
}

} // namespace kelvora
