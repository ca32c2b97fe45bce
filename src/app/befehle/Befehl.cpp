#include "app/befehle/Befehl.h"

#include "app/Befehlszeile.h"

#include "grundlagen/Formate.h"
#include "grundlagen/ZahlText.h"
#include "frame/Oberflaeche.h"
#include "frame/Programm.h"
#include "frame/Protokoll.h"
#include "ration/Eingabegrenzen.h"
#include "ration/RationAuswerten.h"
#include "ration/RationTiereingaben.h"

#include <algorithm>

namespace kelvora {

namespace {

// Without a screen every message goes to stderr and a question takes its
// default answer; clock and waits stay those of the program.
class BefehlsOberflaeche final : public Oberflaeche {
public:
    BefehlsOberflaeche(Oberflaeche& vorher, QTextStream& fehler, bool& gemeldet, std::optional<int>& endeCode)
        : vorher(vorher)
        , fehler(fehler)
        , gemeldet(gemeldet)
        , endeCode(endeCode)
    {
    }

    Antwort MsgBox(const QString& text, Knoepfe, Symbol, Antwort standard, const QString&) override
    {
        fehler << text << Qt::endl;
        gemeldet = true;
        return standard;
    }
    void StatuszeileZeigen(qint64, const QString&, int, bool) override {}
    QString DatenbankAnzeigeText() override { return anzeige; }
    void DatenbankAnzeigeSetzen(const QString& text, qint64, bool) override { anzeige = text; }
    void Sanduhr(bool) override {}
    void EreignisseVerarbeiten() override { vorher.EreignisseVerarbeiten(); }
    void Warten(int ms) override { vorher.Warten(ms); }
    QDateTime Jetzt() override { return vorher.Jetzt(); }
    bool AdresseOeffnen(const QString&) override { return false; }
    void ProgrammBeenden(int code) override { endeCode = code; }

private:
    Oberflaeche& vorher;
    QTextStream& fehler;
    bool& gemeldet;
    std::optional<int>& endeCode;
    QString anzeige = QStringLiteral("0");
};

// Puts the previous seam back however the command ends.
class SeamWechsel {
public:
    explicit SeamWechsel(Oberflaeche& neu)
        : vorher(&ui())
    {
        OberflaecheSetzen(&neu);
    }
    ~SeamWechsel() { OberflaecheSetzen(vorher); }
    SeamWechsel(const SeamWechsel&) = delete;
    SeamWechsel& operator=(const SeamWechsel&) = delete;

private:
    Oberflaeche* vorher;
};

std::vector<BefehlErzeuger>& Erzeuger()
{
    static std::vector<BefehlErzeuger> liste;
    return liste;
}

const QString DatenordnerName = QStringLiteral("datenordner");
const QString GewichtName = QStringLiteral("gewicht");
const QString MilchName = QStringLiteral("milch");
const QString FettName = QStringLiteral("fett");
const QString EiweissName = QStringLiteral("eiweiss");

QString Strich(const QString& name)
{
    return (name.size() == 1 ? QStringLiteral("-") : QStringLiteral("--")) + name;
}

QString GewichtsklassenText()
{
    QStringList zahlen;
    for (const Gewichtsklasse& k : Gewichtsklassen())
        zahlen.append(QString::number(k.nummer));
    const QString letzte = zahlen.takeLast();
    return zahlen.join(QStringLiteral(", ")) + QStringLiteral(" oder ") + letzte;
}

QString GrenzenText(const Eingabegrenze& g)
{
    return DezimalText(g.minimum) + QStringLiteral(" bis ") + DezimalText(g.maximum) + QLatin1Char(' ') + g.einheit;
}

} // namespace

QString OptionsName(const QCommandLineOption& option)
{
    QStringList namen;
    for (const QString& n : option.names())
        namen.append(Strich(n));
    QString text = namen.join(QStringLiteral(", "));
    if (!option.valueName().isEmpty())
        text += QLatin1Char(' ') + option.valueName();
    return text;
}

QString Umbrechen(const QString& text, qsizetype einzug)
{
    constexpr qsizetype Zeilenbreite = 79;
    QString ergebnis;
    qsizetype spalte = einzug;
    for (const QString& wort : text.split(QLatin1Char(' '), Qt::SkipEmptyParts)) {
        if (spalte > einzug && spalte + 1 + wort.size() > Zeilenbreite) {
            ergebnis += QLatin1Char('\n') + QString(einzug, QLatin1Char(' '));
            spalte = einzug;
        } else if (spalte > einzug) {
            ergebnis += QLatin1Char(' ');
            ++spalte;
        }
        ergebnis += wort;
        spalte += wort.size();
    }
    return ergebnis + QLatin1Char('\n');
}

QString Tabelle(const QList<std::pair<QString, QString>>& zeilen)
{
    qsizetype breite = 0;
    for (const auto& z : zeilen)
        breite = std::max(breite, z.first.size());
    QString text;
    for (const auto& [links, rechts] : zeilen)
        text += QStringLiteral("  ") + links.leftJustified(breite + 2) + Umbrechen(rechts, breite + 4);
    return text;
}

QString OptionenText(const QList<QCommandLineOption>& optionen)
{
    QList<std::pair<QString, QString>> zeilen;
    for (const QCommandLineOption& o : optionen)
        if (!(o.flags() & QCommandLineOption::HiddenFromHelp))
            zeilen.append({OptionsName(o), o.description()});
    return Tabelle(zeilen);
}

bool BefehlAnmelden(BefehlErzeuger erzeuger)
{
    Erzeuger().push_back(std::move(erzeuger));
    return true;
}

std::vector<std::unique_ptr<Befehl>> AlleBefehle()
{
    std::vector<std::unique_ptr<Befehl>> befehle;
    for (const BefehlErzeuger& e : Erzeuger())
        befehle.push_back(e());
    std::sort(befehle.begin(), befehle.end(), [](const auto& a, const auto& b) { return a->Name() < b->Name(); });
    return befehle;
}

std::unique_ptr<Befehl> BefehlNach(const QString& name)
{
    for (std::unique_ptr<Befehl>& b : AlleBefehle())
        if (b->Name() == name)
            return std::move(b);
    return nullptr;
}

Befehl::Befehl(QString name, QString beschreibung)
    : name(std::move(name))
    , beschreibung(std::move(beschreibung))
    , hilfeOption({QStringLiteral("h"), QStringLiteral("help")}, QStringLiteral("Zeigt diese Hilfe."))
{
    parser.addOption(hilfeOption);
    // "-platform" stays one word instead of seven short options; the same
    // reading as the program's own options.
    parser.setSingleDashWordOptionMode(QCommandLineParser::ParseAsLongOptions);
    OptionHinzufuegen(QCommandLineOption(DatenordnerName,
                                         QStringLiteral("Ordner mit Futter.mdb und KELVORA.INI (sonst "
                                                        "KELVORA_DATENORDNER oder der Programmordner)."),
                                         QStringLiteral("ORDNER")));
}

void Befehl::OptionHinzufuegen(const QCommandLineOption& option)
{
    parser.addOption(option);
    optionen.append(option);
}

void Befehl::ArgumentHinzufuegen(const QString& argName, const QString& argBeschreibung)
{
    parser.addPositionalArgument(argName, argBeschreibung);
    argumente.append({argName, argBeschreibung});
}

void Befehl::Tierangaben()
{
    mitTierangaben = true;
    OptionHinzufuegen(QCommandLineOption(GewichtName,
                                         QStringLiteral("Gewichtsklasse der Kuh in kg: ") + GewichtsklassenText()
                                             + QStringLiteral(" (sonst aus KELVORA.INI, Vorgabe 650)."),
                                         QStringLiteral("N")));
    OptionHinzufuegen(QCommandLineOption(MilchName,
                                         QStringLiteral("Milchleistung in kg je Tag, ") + GrenzenText(MilchGrenze())
                                             + QStringLiteral(" (sonst aus KELVORA.INI, Vorgabe 40,0)."),
                                         QStringLiteral("X")));
    OptionHinzufuegen(QCommandLineOption(FettName,
                                         QStringLiteral("Milchfett, ") + GrenzenText(FettGrenze())
                                             + QStringLiteral(" (sonst aus KELVORA.INI, Vorgabe 4,00)."),
                                         QStringLiteral("Y")));
    OptionHinzufuegen(QCommandLineOption(EiweissName,
                                         QStringLiteral("Milcheiweiß für den nXP-Bedarf, ") + GrenzenText(EiweissGrenze())
                                             + QStringLiteral(" (sonst aus KELVORA.INI, Vorgabe 3,40)."),
                                         QStringLiteral("Z")));
}

QString Befehl::Aufruf() const
{
    QString text = QStringLiteral("Aufruf: kelvora ") + name + QStringLiteral(" [Optionen]");
    for (const auto& [argName, argBeschreibung] : argumente)
        text += QLatin1Char(' ') + argName;
    return text;
}

QString Befehl::Hilfe() const
{
    QString text = Aufruf() + QStringLiteral("\n\n") + Umbrechen(beschreibung, 0);
    if (!argumente.isEmpty())
        text += QStringLiteral("\nArgumente:\n") + Tabelle(argumente);
    text += QStringLiteral("\nOptionen:\n") + OptionenText(optionen + QList<QCommandLineOption>{hilfeOption});
    text += QLatin1Char('\n')
        + Umbrechen(QStringLiteral("Jede Angabe geht auch als --name=wert. Rückgabewert: 0 erledigt, 1 Datenbank "
                                   "oder Datei nicht verfügbar, 2 falsche Angaben, 3 vom Programm abgelehnt "
                                   "(nichts verändert)."),
                    0);
    return text;
}

void Befehl::Melden(const QString& text)
{
    *fehlerStrom << text << Qt::endl;
    gemeldet = true;
}

// QCommandLineParser's own messages are English; the user reads German.
QString Befehl::LesefehlerText(const QStringList& woerter) const
{
    const QStringList unbekannt = parser.unknownOptionNames();
    if (!unbekannt.isEmpty())
        return QStringLiteral("Unbekannte Angabe für ") + name + QStringLiteral(": ") + Strich(unbekannt.first());
    const auto option = [this](const QString& wort) -> const QCommandLineOption* {
        const QString n = wort.mid(wort.startsWith(QLatin1String("--")) ? 2 : 1).section(QLatin1Char('='), 0, 0);
        for (const QCommandLineOption& o : optionen)
            if (o.names().contains(n))
                return &o;
        return hilfeOption.names().contains(n) ? &hilfeOption : nullptr;
    };
    if (!woerter.isEmpty()) {
        const QCommandLineOption* letzte = option(woerter.last());
        if (letzte && !letzte->valueName().isEmpty() && !woerter.last().contains(QLatin1Char('=')))
            return QStringLiteral("Nach ") + woerter.last() + QStringLiteral(" fehlt der Wert.");
    }
    for (const QString& wort : woerter) {
        const QCommandLineOption* o = wort.startsWith(QLatin1Char('-')) ? option(wort) : nullptr;
        if (o && o->valueName().isEmpty() && wort.contains(QLatin1Char('=')))
            return QStringLiteral("Die Angabe ") + wort.section(QLatin1Char('='), 0, 0)
                + QStringLiteral(" nimmt keinen Wert: ") + wort;
    }
    return QStringLiteral("Die Befehlszeile ist nicht lesbar (") + parser.errorText() + QStringLiteral(").");
}

QString Befehl::AngabenPruefen(const QString& datenordnerVorher, QString& datenordner)
{
    const qsizetype erlaubt = std::max(hoechstArgumente, argumente.size());
    if (parser.positionalArguments().size() > erlaubt)
        return QStringLiteral("Unerwartete Angabe für ") + name + QStringLiteral(": ")
            + parser.positionalArguments().value(erlaubt);

    datenordner = datenordnerVorher;
    if (parser.isSet(DatenordnerName))
        datenordner = parser.value(DatenordnerName);
    if ((parser.isSet(DatenordnerName) || !datenordnerVorher.isNull()) && datenordner.trimmed().isEmpty())
        return DatenordnerFehltText();

    if (mitTierangaben) {
        if (parser.isSet(GewichtName)) {
            const QString wert = parser.value(GewichtName);
            const std::optional<long> z = GanzzahlAusText(wert);
            const auto klasse = std::find_if(Gewichtsklassen().begin(), Gewichtsklassen().end(),
                                             [&z](const Gewichtsklasse& k) { return z && *z == k.nummer; });
            if (klasse == Gewichtsklassen().end())
                return QStringLiteral("Das Gewicht (--gewicht) muss eine der Gewichtsklassen ")
                    + GewichtsklassenText() + QStringLiteral(" sein, nicht: ") + wert;
            gewicht = klasse->nummer;
        }
        const std::tuple<const QString&, const Eingabegrenze&, std::optional<double>&> zahlen[] = {
            {MilchName, MilchGrenze(), milch}, {FettName, FettGrenze(), fett}, {EiweissName, EiweissGrenze(), eiweiss}};
        for (const auto& [option, grenze, ziel] : zahlen) {
            if (!parser.isSet(option))
                continue;
            const GepruefteZahl z = ZahlPruefen(grenze, parser.value(option));
            if (!z.wert)
                return QStringLiteral("Falsche Angabe bei --") + option + QStringLiteral(": ") + z.meldung;
            ziel = z.wert;
        }
    }
    return Pruefen();
}

int Befehl::Ausfuehren(const QStringList& woerter, const QString& datenordnerVorher, QTextStream& aus,
                       QTextStream& fehler)
{
    fehlerStrom = &fehler;
    gemeldet = false;
    endeCode.reset();

    QString meldung;
    QString datenordner;
    if (!parser.parse(QStringList{QStringLiteral("kelvora")} + woerter))
        meldung = LesefehlerText(woerter);
    else if (parser.isSet(hilfeOption)) {
        aus << Hilfe();
        aus.flush();
        return Erfolg;
    } else
        meldung = AngabenPruefen(datenordnerVorher, datenordner);
    if (!meldung.isEmpty()) {
        fehler << meldung << '\n'
               << Aufruf() << '\n'
               << QStringLiteral("Mehr dazu: kelvora ") << name << QStringLiteral(" --help") << Qt::endl;
        return FalscheAngaben;
    }

    BefehlsOberflaeche oberflaeche(ui(), fehler, gemeldet, endeCode);
    SeamWechsel wechsel(oberflaeche);
    // The first command on a new folder sets it up as the first window start would.
    if (const QString nichtNutzbar = DatenordnerVorbereiten(datenordner); !nichtNutzbar.isEmpty()) {
        Melden(nichtNutzbar);
        return NichtVerfuegbar;
    }
    ProtokollSchreiben(QStringLiteral("Befehl ") + name + QStringLiteral(" aufgerufen: ")
                       + (woerter.isEmpty() ? QStringLiteral("ohne Angaben") : woerter.join(QLatin1Char(' '))));

    const int code = Lauf(aus);
    aus.flush();
    if (code != Erfolg && !gemeldet)
        Melden(QStringLiteral("kelvora ") + name + QStringLiteral(" wurde abgebrochen (Rückgabewert ")
               + QString::number(code) + QStringLiteral("). Einzelheiten stehen im Tagesprotokoll im Datenordner ")
               + programm().datenordner + QLatin1Char('.'));
    if (code != Erfolg)
        ProtokollSchreiben(QStringLiteral("Befehl ") + name + QStringLiteral(" endet mit Rückgabewert ")
                           + QString::number(code));
    return code;
}

std::optional<TierEingaben> Befehl::TierEingabenLesen(QString& meldung) const
{
    const Tiereingaben gespeichert = kelvora::TiereingabenLesen();
    TierEingaben tier;
    // A stored weight outside the classes selects 650, as in the window.
    tier.gewicht = gewicht.value_or(Gewichtsklassen()[GewichtsklasseIndex(gespeichert.gewicht)].nummer);
    const std::tuple<const std::optional<double>&, const QString&, const Eingabegrenze&, const QString&, double&>
        zahlen[] = {{milch, gespeichert.milch, MilchGrenze(), MilchName, tier.milch},
                    {fett, gespeichert.fett, FettGrenze(), FettName, tier.fett},
                    {eiweiss, gespeichert.eiweiss, EiweissGrenze(), EiweissName, tier.eiweiss}};
    for (const auto& [angabe, text, grenze, option, ziel] : zahlen) {
        if (angabe) {
            ziel = *angabe;
            continue;
        }
        const GepruefteZahl z = ZahlPruefen(grenze, text);
        if (!z.wert) {
            meldung = QStringLiteral("In KELVORA.INI (Abschnitt ") + RationFensterName() + QStringLiteral(") steht bei ")
                + grenze.feld + QStringLiteral(" \"") + text + QStringLiteral("\": ") + z.meldung
                + QStringLiteral(" Geben Sie den Wert mit --") + option + QStringLiteral(" an.");
            return std::nullopt;
        }
        ziel = *z.wert;
    }
    // Without a usable milk price the income over feed cost stays empty, as
    // in the window; the other figures do not depend on it.
    tier.milchpreis = ZahlPruefen(MilchpreisGrenze(), gespeichert.milchpreis).wert;
    tier.monat = ui().Jetzt().date().month();
    return tier;
}

} // namespace kelvora
