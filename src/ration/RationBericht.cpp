#include "ration/RationBericht.h"

#include "frame/Oberflaeche.h"
#include "grundlagen/Formate.h"
#include "ration/Futterkosten.h"

#include <QDate>

#include <algorithm>

namespace kelvora {

namespace {

// The figure area of the ration window in print: group, label, caption and
// the limit its check applies. The checks without a caption of their own
// compare with another figure; the report names that figure.
struct KennzahlZeile {
    const char* gruppe;
    const char* name;
    const char* einheit;
    const char* ziel;
};

constexpr KennzahlZeile KennzahlZeilen[] = {
    { "Trockenmasse:", "lblTMKiloAnzeige", "kg TM", "≤ kg TM max." },
    { "", "lblTMKiloMaxAnzeige2", "kg TM max.", "" },
    { "", "lblTMKiloMaxAnzeige", "kg TM max. geschätzt", "" },
    { "", "lblTMGehaltAnzeige", "% TM-Gehalt", "" },
    { "Energie:", "lblNELMJAnzeige", "NEL MJ", "" },
    { "", "lblNelKonzAnzeige", "NEL MJ/kg", "" },
    { "Eiweiss:", "lblUDPGrammAnzeige", "g UDP", "" },
    { "", "lblUDPKonzAnzeige", "% UDP", "35-38%" },
    { "NFC:", "lblNFCGrammAnzeige", "g NFC", "" },
    { "", "lblNFCKonzAnzeige", "% NFC", "35-43%" },
    { "NDF:", "lblNDFGrammAnzeige", "g NDF", "≤ g NDF max. + 10" },
    { "", "lblNDFKonzAnzeige", "% NDF", "mind. 28%" },
    { "", "lblNDFGrammMaxAnzeige", "g NDF max.", "" },
    { "NDF aus Grundfutter:", "lblNDFGFGrammAnzeige", "g NDF aus GF", "" },
    { "", "lblNDFGFKonzAnzeige", "% NDF aus GF", "mind. 75%" },
    { "ADF:", "lblADFGrammAnzeige", "g ADF", "" },
    { "", "lblADFKonzAnzeige", "% ADF", "mind. 18%" },
    { "Kraftfutter-Anteil:", "lblKraftfutterKiloAnzeige", "kg TM", "" },
    { "", "lblKraftfutterProzentAnzeige", "% in der Ration", "max. 50%" },
};

// The German block, under the figures: a supply is judged against the
// requirement printed under it, or against a fixed target.
constexpr KennzahlZeile GfEZeilen[] = {
    { "nXP:", "lblnXPAnzeige", "g nXP/Tag", "≥ Bedarf" },
    { "", "lblnXPBedarfAnzeige", "g Bedarf ohne Trächtigkeit", "" },
    { "RNB:", "lblRNBAnzeige", "g RNB/Tag", "0 bis +50 g" },
    { "Magnesium:", "lblMgAnzeige", "g Mg/Tag", "≥ Empfehlung" },
    { "", "lblMgBedarfAnzeige", "g Empfehlung", "" },
    { "Natrium:", "lblNaAnzeige", "g Na/Tag", "≥ Empfehlung" },
    { "", "lblNaBedarfAnzeige", "g Empfehlung", "" },
    { "Kalium:", "lblKAnzeige", "g K/Tag", "≥ Empfehlung" },
    { "", "lblKBedarfAnzeige", "g Empfehlung", "" },
    { "Spurenelemente:", "lblCuAnzeige", "mg Cu/kg TM", "mind. 10" },
    { "", "lblZnAnzeige", "mg Zn/kg TM", "mind. 50" },
    { "", "lblMnAnzeige", "mg Mn/kg TM", "mind. 50" },
};

struct HinweisZeile {
    const char* name;
    const char* imBereich; // printed when the window hides the message
};

constexpr HinweisZeile HinweisZeilen[] = {
    { "lblUnterversorgungRohprotein", "Rohprotein: im Bereich" },
    { "lblUnterversorgungNEL", "NEL: im Bereich" },
};

const char* const ErgebnisZeilen[ErgZeilen] = {
    "NEL",
    "Rohprotein",
    "UDP",
    "NFC",
    "NDF",
    "Grundfutter-NDF",
    "ADF",
    "Calzium",
    "Phosphor",
};

const Anzeige* Finden(const QList<Anzeige>& anzeigen, const QString& name)
{
    for (const Anzeige& a : anzeigen)
        if (a.name == name)
            return &a;
    return nullptr;
}

Bewertung AusFarbe(qint64 farbe)
{
    if (farbe == Farbe::Gruen)
        return Bewertung::ImBereich;
    if (farbe == Farbe::Hellrot || farbe == Farbe::Magenta)
        return Bewertung::Ausserhalb;
    return Bewertung::OhnePruefung;
}

} // namespace

const QList<RationListenSpalte>& RationListenSpalten()
{
    // The key "TM " ends with a blank.
    static const QList<RationListenSpalte> spalten = {
        { "Zaehler", "", 0, false },
        { "Futterart", "Futterart", 0.10, false },
        { "Bezeichnung", "Bezeichnung", 0.36, false },
        { "Frisch", "Frisch kg", 0.07, true },
        { "TM ", "TM kg", 0.05, true },
        { "Rohprotein", "Rohprot.kg", 0.07, true },
        { "UDP", "UDP g", 0.05, true },
        { "NEL", "NEL MJ", 0.05, true },
        { "NFC", "NFC g", 0.05, true },
        { "ADF", "ADF g", 0.05, true },
        { "NDF", "NDF g", 0.05, true },
        { "Ca", "Ca g", 0.05, true },
        { "P", "P g", 0.05, true },
        { "ID", "", 0, false },
    };
    return spalten;
}

QList<int> RationSpaltenBreiten(double innen, const QList<int>& mindestens)
{
    const QList<RationListenSpalte>& spalten = RationListenSpalten();
    QList<int> breiten;
    int mehr = 0;
    qsizetype name = 0;
    for (qsizetype i = 0; i < spalten.size(); ++i) {
        const int anteil = static_cast<int>(innen * spalten[i].anteil);
        const int breite = spalten[i].anteil > 0 ? std::max(anteil, mindestens.value(i)) : 0;
        breiten.append(breite);
        if (qstrcmp(spalten[i].schluessel, "Bezeichnung") == 0)
            name = i;
        else
            mehr += breite - anteil;
    }
    breiten[name] = std::max(mindestens.value(name), breiten[name] - mehr);
    return breiten;
}

DruckListe RationListeZumDruck(const QList<ListenZeile>& zeilen)
{
    DruckListe liste;
    for (const RationListenSpalte& s : RationListenSpalten())
        liste.spalten.append(
            { QString::fromUtf8(s.kopf), s.rechts ? DruckAusrichtung::Rechts : DruckAusrichtung::Links, s.anteil });
    for (const ListenZeile& z : zeilen) {
        // Column 0 stays empty, 1 to 12 hold the texts, 13 the row ID.
        QStringList texte { QString() };
        for (int i = 0; i < ListenSpalten; ++i)
            texte.append(z.texte.value(i));
        texte.append(QString::number(z.id));
        liste.zeilen.append(texte);
    }
    return liste;
}

QString BerichtMilchpreis(std::optional<double> preis)
{
    return preis ? Formatieren(*preis, QStringLiteral("#0.00")) : QString();
}

QString BewertungText(Bewertung bewertung)
{
    switch (bewertung) {
    case Bewertung::ImBereich:
        return QStringLiteral("im Bereich");
    case Bewertung::Ausserhalb:
        return QStringLiteral("außerhalb");
    case Bewertung::OhnePruefung:
        break;
    }
    return QString();
}

QString ErgebnisZeilenText(int zeile)
{
    return zeile >= 0 && zeile < ErgZeilen ? QString::fromLatin1(ErgebnisZeilen[zeile]) : QString();
}

namespace {

template <std::size_t N>
QList<BerichtKennzahl> Kennzahlen(const KennzahlZeile (&zeilen)[N], const QList<Anzeige>& anzeigen)
{
    QList<BerichtKennzahl> liste;
    for (const KennzahlZeile& z : zeilen) {
        BerichtKennzahl k;
        k.gruppe = QString::fromUtf8(z.gruppe);
        k.name = QString::fromLatin1(z.name);
        k.einheit = QString::fromUtf8(z.einheit);
        k.ziel = QString::fromUtf8(z.ziel);
        if (const Anzeige* a = Finden(anzeigen, k.name); a && a->gesetzt) {
            k.wert = a->text;
            // A check that has not run (an empty ration) leaves the label
            // uncoloured; the report then claims no state either.
            if (!k.ziel.isEmpty()) {
                k.bewertung = AusFarbe(a->hintergrund);
                k.farbe = k.bewertung == Bewertung::OhnePruefung ? 0 : a->hintergrund;
            }
        }
        liste.append(k);
    }
    return liste;
}

} // namespace

RationBericht RationBerichtErstellen(
    DruckListe liste, const BerichtTier& tier, const QList<Anzeige>& anzeigen, std::optional<ErgebnisTabelle> ergebnis)
{
    RationBericht b;
    b.liste = std::move(liste);
    b.tier = tier;
    b.ergebnis = std::move(ergebnis);

    b.kennzahlen = Kennzahlen(KennzahlZeilen, anzeigen);
    b.gfe = Kennzahlen(GfEZeilen, anzeigen);
    // Why a figure reads "unvollständig": the feeds without the value.
    for (const KennzahlZeile& z : GfEZeilen) {
        const Anzeige* a = Finden(anzeigen, QString::fromLatin1(z.name));
        if (a && a->gesetzt && a->text == QLatin1String("unvollständig") && !b.gfeHinweise.contains(a->tipp))
            b.gfeHinweise.append(a->tipp);
    }

    for (const HinweisZeile& z : HinweisZeilen) {
        const Anzeige* a = Finden(anzeigen, QString::fromLatin1(z.name));
        if (!a || !a->gesetzt)
            continue;
        BerichtHinweis h;
        if (a->sichtbar && !a->text.isEmpty()) {
            h.text = a->text;
            h.bewertung = Bewertung::Ausserhalb;
            h.farbe = a->hintergrund;
        } else {
            h.text = QString::fromUtf8(z.imBereich);
            h.farbe = Farbe::Gruen;
        }
        b.versorgung.append(h);
    }

    for (qsizetype i = 0; i < KostenAnzeigenNamen().size(); ++i) {
        const Anzeige* a = Finden(anzeigen, KostenAnzeigenNamen()[i]);
        if (!a || !a->gesetzt)
            continue;
        b.kosten.append({KostenBeschriftungen()[i], a->text});
        if (b.kostenTipp.isEmpty())
            b.kostenTipp = a->tipp;
    }
    return b;
}

QString RationBerichtDateiname(const QDate& tag)
{
    return QStringLiteral("Ration ") + tag.toString(QStringLiteral("dd.MM.yyyy")) + QStringLiteral(".pdf");
}

} // namespace kelvora
