#include "ration/AuswertungsBefehl.h"

#include "database/DatenTypen.h"
#include "database/Datenbankholen.h"
#include "frame/Oberflaeche.h"
#include "frame/Programm.h"
#include "ration/Ausgleich.h"
#include "ration/RationAuswerten.h"
#include "ration/RationTiereingaben.h"

#include <QCoreApplication>
#include <QFileInfo>
#include <QRegularExpression>
#include <QStandardPaths>
#include <optional>

namespace kelvora {

namespace {

// Without a screen every message goes to the error stream and a question
// takes its default answer; clock and waits stay those of the program.
class BefehlsOberflaeche final : public Oberflaeche {
public:
    BefehlsOberflaeche(Oberflaeche& vorher, QTextStream& fehler)
        : vorher(vorher)
        , fehler(fehler)
    {
    }

    Antwort MsgBox(const QString& text, Knoepfe, Symbol, Antwort standard, const QString&) override
    {
        fehler << text << Qt::endl;
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

    std::optional<int> endeCode;

private:
    Oberflaeche& vorher;
    QTextStream& fehler;
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

struct Angaben {
    std::optional<QString> datenordner;
    std::optional<long> gewicht;
    std::optional<double> milch;
    std::optional<double> fett;
};

const QString Optionen = QStringLiteral("[--datenordner ORDNER] [--gewicht N] [--milch X] [--fett Y]");

QString Verwendung(const QString& befehl)
{
    if (befehl == QLatin1String("ausgleichen"))
        return QStringLiteral("Aufruf: kelvora ausgleichen tm|ndf ") + Optionen;
    return QStringLiteral("Aufruf: kelvora auswerten ") + Optionen;
}

// A non-negative number with comma or point as decimal separator.
std::optional<double> Zahl(const QString& text)
{
    static const QRegularExpression muster(QStringLiteral("^\\d+([.,]\\d+)?$"));
    if (!muster.match(text.trimmed()).hasMatch())
        return std::nullopt;
    return TextInDouble(text);
}

QString GewichtsklassenText()
{
    QStringList zahlen;
    for (const Gewichtsklasse& k : Gewichtsklassen())
        zahlen.append(QString::number(k.nummer));
    const QString letzte = zahlen.takeLast();
    return zahlen.join(QStringLiteral(", ")) + QStringLiteral(" oder ") + letzte;
}

// Reads the options; a German message in meldung when they are wrong.
std::optional<Angaben> AngabenLesen(const QStringList& argumente, const QString& befehl, QString& meldung)
{
    Angaben a;
    for (qsizetype i = 0; i < argumente.size(); ++i) {
        QString name = argumente[i];
        QString wert;
        const qsizetype gleich = name.indexOf(QLatin1Char('='));
        if (name.startsWith(QLatin1String("--")) && gleich > 0) {
            wert = name.mid(gleich + 1);
            name = name.left(gleich);
        } else if (name == QLatin1String("--datenordner") || name == QLatin1String("--gewicht")
                   || name == QLatin1String("--milch") || name == QLatin1String("--fett")) {
            if (i + 1 >= argumente.size()) {
                meldung = QStringLiteral("Nach ") + name + QStringLiteral(" fehlt der Wert.");
                return std::nullopt;
            }
            wert = argumente[++i];
        }

        if (name == QLatin1String("--datenordner")) {
            if (wert.trimmed().isEmpty()) {
                meldung = QStringLiteral("Nach --datenordner fehlt der Ordner.");
                return std::nullopt;
            }
            a.datenordner = wert;
        } else if (name == QLatin1String("--gewicht")) {
            const std::optional<double> z = Zahl(wert);
            const int index = z ? GewichtsklasseIndex(static_cast<long>(*z)) : -1;
            if (!z || *z != static_cast<double>(static_cast<long>(*z)) || index < 0
                || Gewichtsklassen()[index].nummer != static_cast<long>(*z)) {
                meldung = QStringLiteral("Das Gewicht muss eine der Gewichtsklassen ") + GewichtsklassenText()
                    + QStringLiteral(" sein, nicht: ") + wert;
                return std::nullopt;
            }
            a.gewicht = static_cast<long>(*z);
        } else if (name == QLatin1String("--milch") || name == QLatin1String("--fett")) {
            const std::optional<double> z = Zahl(wert);
            if (!z) {
                meldung = (name == QLatin1String("--milch") ? QStringLiteral("Die Milchmenge (--milch)")
                                                             : QStringLiteral("Der Fettgehalt (--fett)"))
                    + QStringLiteral(" muss eine Zahl ab 0 sein, zum Beispiel 25 oder 4,2, nicht: ") + wert;
                return std::nullopt;
            }
            (name == QLatin1String("--milch") ? a.milch : a.fett) = *z;
        } else {
            meldung = QStringLiteral("Unbekannte Angabe für ") + befehl + QStringLiteral(": ") + argumente[i];
            return std::nullopt;
        }
    }
    return a;
}

// The data folder as the program chooses it when none is given.
QString VorgabeDatenordner()
{
    QString ordner = qEnvironmentVariable("KELVORA_DATENORDNER");
    if (ordner.isEmpty()) {
        ordner = QCoreApplication::applicationDirPath();
        if (!QFileInfo(ordner).isWritable())
            ordner = QStandardPaths::writableLocation(QStandardPaths::AppDataLocation);
    }
    return ordner;
}

QString FarbText(qint64 farbe)
{
    return farbe == 0 ? QString() : QString::number(farbe);
}

void Ausgeben(const Auswertung& a, QTextStream& aus)
{
    const QChar tab = QLatin1Char('\t');
    for (const ListenZeile& z : a.zeilen)
        aus << z.texte.join(tab) << tab << z.id << '\n';
    aus << '\n';
    for (const Anzeige& anzeige : a.anzeigen) {
        // A label this run did not write shows nothing yet in a new window.
        const bool zeigt = anzeige.gesetzt && anzeige.sichtbar;
        aus << anzeige.name << tab << (zeigt ? anzeige.text : QString()) << tab
            << (zeigt ? FarbText(anzeige.hintergrund) : QString()) << '\n';
    }
    aus.flush();
}

// Captions of the result window's rows, in the order of ErgebnisZeile.
const char* const ErgebnisZeilen[ErgZeilen] = {
    "NEL", "Rohprotein", "UDP", "NFC", "NDF", "Grundfutter-NDF", "ADF", "Calzium", "Phosphor",
};

// The result window's column of the balancing that ran: what it would show
// under "Soll", "Ist" and "Abweichung" (a hidden deviation stays empty).
void ErgebnisSpalteAusgeben(const ErgebnisWerte& werte, QTextStream& aus)
{
    const QChar tab = QLatin1Char('\t');
    ErgebnisSpalte ist;
    for (int i = 0; i < ErgZeilen; ++i) {
        const bool anteil = i >= ErgUDP && i <= ErgADF;
        if (!anteil || werte.anteileGesetzt)
            ist[i] = werte.ist[i];
    }
    const ErgebnisAbweichungen abweichungen = AbweichungenBerechnen(ist, werte.soll);
    aus << '\n'
        << (werte.spalte == QLatin1String("NDF") ? QStringLiteral("Bewertung nach NDF")
                                                  : QStringLiteral("Bewertung nach TMA"))
        << tab << "Soll" << tab << "Ist" << tab << "Abweichung" << '\n';
    for (int i = 0; i < ErgZeilen; ++i)
        aus << ErgebnisZeilen[i] << tab << werte.soll[i] << tab << ist[i] << tab
            << (abweichungen[i].sichtbar ? abweichungen[i].text : QString()) << '\n';
    aus.flush();
}

// A figure as the ration window would read it back from its label; a label
// this run left alone shows nothing in a new window.
double AngezeigteZahl(const Auswertung& a, const QString& name)
{
    const Anzeige* anzeige = a.AnzeigeNach(name);
    return anzeige && anzeige->gesetzt ? TextInDouble(anzeige->text) : 0;
}

enum class Ausgleich { Keiner, TM, NDF };

int Ausfuehren(const QString& befehl, Ausgleich ausgleich, const QStringList& argumente, QTextStream& aus,
               QTextStream& fehler)
{
    QString meldung;
    const std::optional<Angaben> angaben = AngabenLesen(argumente, befehl, meldung);
    if (!angaben) {
        fehler << meldung << '\n' << Verwendung(befehl) << Qt::endl;
        return 2;
    }

    BefehlsOberflaeche oberflaeche(ui(), fehler);
    SeamWechsel wechsel(oberflaeche);

    DatenordnerSetzen(angaben->datenordner.value_or(VorgabeDatenordner()));
    QString pfad;
    if (!Datenbankholen(QStringLiteral("Futter"), pfad))
        return oberflaeche.endeCode.value_or(1);

    const Tiereingaben gespeichert = TiereingabenLesen();
    TierEingaben tier;
    tier.gewicht = angaben->gewicht.value_or(Gewichtsklassen()[GewichtsklasseIndex(gespeichert.gewicht)].nummer);
    tier.milch = angaben->milch.value_or(TextInDouble(gespeichert.milch));
    tier.fett = angaben->fett.value_or(TextInDouble(gespeichert.fett));
    tier.monat = ui().Jetzt().date().month();

    if (ausgleich != Ausgleich::Keiner) {
        // The balancing reads its maxima from what an evaluation of the
        // ration shows, as the window does from its labels.
        const Auswertung vorher = RationAuswerten(tier, pfad);
        if (!vorher.datenbankOffen)
            return 1;
        const double tmMaxKg = AngezeigteZahl(vorher, QStringLiteral("lblTMKiloMaxAnzeige2"));
        const AusgleichErgebnis ergebnis =
            ausgleich == Ausgleich::NDF
            ? NDFAusgleichen(tmMaxKg, AngezeigteZahl(vorher, QStringLiteral("lblNDFGrammMaxAnzeige")))
            : TMAusgleichen(tmMaxKg);
        if (ergebnis == AusgleichErgebnis::Abgebrochen)
            return 3;
        tier.letzterAusgleich = ausgleich == Ausgleich::NDF ? QStringLiteral("NDF") : QStringLiteral("TM");
        tier.tmAusgeglichen = ausgleich == Ausgleich::TM;
        tier.ndfAusgeglichen = ausgleich == Ausgleich::NDF;
    }

    const Auswertung a = RationAuswerten(tier, pfad);
    if (!a.datenbankOffen)
        return 1;
    Ausgeben(a, aus);
    if (ausgleich != Ausgleich::Keiner)
        ErgebnisSpalteAusgeben(a.ergebnis, aus);
    return a.abgebrochen ? 1 : 0;
}

} // namespace

int AuswertenBefehl(const QStringList& argumente, QTextStream& aus, QTextStream& fehler)
{
    return Ausfuehren(QStringLiteral("auswerten"), Ausgleich::Keiner, argumente, aus, fehler);
}

int AusgleichenBefehl(const QStringList& argumente, QTextStream& aus, QTextStream& fehler)
{
    const QString art = argumente.value(0).toLower();
    if (art != QLatin1String("tm") && art != QLatin1String("ndf")) {
        fehler << QStringLiteral("Geben Sie an, wonach ausgeglichen werden soll: tm oder ndf.") << '\n'
               << Verwendung(QStringLiteral("ausgleichen")) << Qt::endl;
        return 2;
    }
    return Ausfuehren(QStringLiteral("ausgleichen"), art == QLatin1String("ndf") ? Ausgleich::NDF : Ausgleich::TM,
                      argumente.mid(1), aus, fehler);
}

} // namespace kelvora
