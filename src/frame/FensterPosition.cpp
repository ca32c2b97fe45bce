#include "frame/FensterPosition.h"

#include "frame/FunktionenFuerINI.h"
#include "frame/Oberflaeche.h"
#include "frame/Programm.h"
#include "frame/Protokoll.h"

#include <QLocale>
#include <QRegularExpression>
#include <algorithm>
#include <cmath>

namespace kelvora {

namespace {

// Distance kept to the right and bottom edge of a maximised main window.
constexpr double Rand = 60;
// Further instances of one window are moved by this much, so they do not hide
// each other.
constexpr double Kaskade = 1000;
// The eleventh instance starts the cascade again at the top left.
constexpr int MaxKaskade = 10;

// Far beyond any screen: a stored position or size outside is a damaged
// value, not a window.
constexpr double GroessteTwips = 1'000'000;

long AlsLong(double wert)
{
    return static_cast<long>(std::nearbyint(wert));
}

// Keeps one edge inside the main window: moved back when the window fits,
// otherwise shrunk (never below its minimum) and put at the start.
void Einpassen(double& anfang, double& groesse, double minimum, double innen)
{
    if (anfang + groesse <= innen - Rand)
        return;
    if (innen - groesse - Rand >= 0) {
        anfang = innen - groesse - Rand;
        return;
    }
    groesse = std::max(minimum, innen - Rand);
    anfang = std::max(0.0, innen - groesse - Rand);
}

} // namespace

FensterRechteck FensterPositionBerechnen(const FensterLadeDaten& d)
{
    const double maxBreite = std::max(d.maxBreite, d.minBreite);
    const double maxHoehe = std::max(d.maxHoehe, d.minHoehe);

    FensterRechteck r;
    if (d.minBreite == maxBreite && d.minHoehe == maxHoehe) {
        r.breite = d.minBreite;
        r.hoehe = d.minHoehe;
    } else {
        r.breite = PositionLesen(d.name, QStringLiteral("Breit"), d.minBreite);
        r.hoehe = PositionLesen(d.name, QStringLiteral("Hoch"), d.minHoehe);
    }
    r.links = PositionLesen(d.name, QStringLiteral("Links"), 0);
    r.oben = PositionLesen(d.name, QStringLiteral("Oben"), 0);

    int anzahl = std::max(1, d.gleichnamigeFenster);
    if (anzahl > MaxKaskade)
        anzahl = 1;

    r.breite = std::clamp(r.breite, d.minBreite, maxBreite);
    r.hoehe = std::clamp(r.hoehe, d.minHoehe, maxHoehe);

    // A window stored beyond the right edge of a now smaller main window comes
    // back to its right border.
    if (d.innenBreite < r.links)
        r.links = d.innenBreite - r.breite - 100;
    // A window that opens for the first time has no place the user chose; it
    // starts fully inside the main window (further instances cascade from
    // there).
    if (!PositionGespeichert(d.name) && d.innenBreite > 0 && d.innenHoehe > 0) {
        Einpassen(r.links, r.breite, d.minBreite, d.innenBreite);
        Einpassen(r.oben, r.hoehe, d.minHoehe, d.innenHoehe);
    }
    r.links += (anzahl - 1) * Kaskade;
    r.oben += (anzahl - 1) * Kaskade;
    r.links = std::max(0.0, r.links);
    r.oben = std::max(0.0, r.oben);

    if (d.hauptfensterMaximiert) {
        Einpassen(r.links, r.breite, d.minBreite, d.innenBreite);
        Einpassen(r.oben, r.hoehe, d.minHoehe, d.innenHoehe);
    }

    if (d.zentrieren) {
        r.links = d.innenBreite / 2 - r.breite / 2;
        r.oben = d.innenHoehe / 2 - r.hoehe / 2;
    }
    return r;
}

bool PositionGespeichert(const QString& name)
{
    return !INILesen(name, QStringLiteral("Breit"), QString()).trimmed().isEmpty();
}

double PositionLesen(const QString& name, const QString& schluessel, double vorgabe)
{
    const double wert = INILesenZahl(name, schluessel, AlsLong(vorgabe));
    if (std::isfinite(wert) && std::fabs(wert) <= GroessteTwips)
        return wert;
    ProtokollSchreiben(name + QStringLiteral(": ") + schluessel + QStringLiteral(" = ")
                       + INILesen(name, schluessel) + QStringLiteral(" ist keine Fensterposition; es gilt ")
                       + QString::number(AlsLong(vorgabe)));
    return vorgabe;
}

long AufrufZaehlerLesen(const QString& name)
{
    static const QRegularExpression anzahl(QStringLiteral("^\\d{1,9}$"));
    const QString text = INILesen(name, QStringLiteral("AufrufZähler"));
    if (text.isEmpty())
        return 0;
    if (anzahl.match(text).hasMatch())
        return text.toLong();
    ProtokollSchreiben(name + QStringLiteral(": AufrufZähler = ") + text
                       + QStringLiteral(" ist keine Anzahl; die Zählung beginnt neu."));
    return 0;
}

long AufrufZaehlen(const QString& name, bool letzterAufruf)
{
    // Two instances started at once must not both read the same count: the
    // lock spans the read and the write.
    const ini::Sperre sperre(programm().iniPfad);
    const QDateTime jetzt = ui().Jetzt();
    const long neu = AufrufZaehlerLesen(name) + 1;
    QList<ini::Eintrag> eintraege;
    if (neu == 1)
        eintraege.append({QStringLiteral("AufrufZählerStart"), jetzt.toString(QStringLiteral("dd.MM.yyyy hh:mm"))});
    eintraege.append({QStringLiteral("AufrufZähler"), QString::number(neu)});
    if (letzterAufruf)
        eintraege.append({QStringLiteral("LetzterAufruf"), jetzt.toString(QStringLiteral("dd.MM.yyyy hh:mm:ss"))});
    // A count that cannot be stored still counts for this start; the failure
    // is in the error log and the status line.
    if (!sperre.Gehalten()) {
        INIFehlerMelden(name, eintraege, sperre.Fehler());
    } else {
        [[maybe_unused]] const bool gezaehlt = INISpeichernMehrere(name, eintraege, true);
    }
    return neu;
}

FensterLadeErgebnis FensterPositionLaden(const FensterLadeDaten& daten)
{
    FensterLadeErgebnis e;
    e.rechteck = FensterPositionBerechnen(daten);
    if (daten.aufrufZaehlen)
        e.aufrufZaehler = AufrufZaehlen(daten.name);
    return e;
}

QString EinfacheGenauigkeitText(double wert)
{
    // Seven significant digits, never an exponent: the text is read back by
    // the plain text-to-number conversion, which knows no exponents.
    const double f = static_cast<double>(static_cast<float>(wert));
    if (f == 0 || !std::isfinite(f))
        return QStringLiteral("0");
    const int vorKomma = static_cast<int>(std::floor(std::log10(std::fabs(f)))) + 1;
    const int nachKomma = std::clamp(7 - vorKomma, 0, 45);
    QString t = QLocale::c().toString(f, 'f', nachKomma);
    if (t.contains(QLatin1Char('.'))) {
        while (t.endsWith(QLatin1Char('0')))
            t.chop(1);
        if (t.endsWith(QLatin1Char('.')))
            t.chop(1);
    }
    t.replace(QLatin1Char('.'), QLatin1Char(','));
    if (t == QStringLiteral("-0"))
        t = QStringLiteral("0");
    return t;
}

bool FensterPositionSpeichern(const QString& name, const FensterRechteck& r)
{
    if (!INISpeichernMehrere(name,
                             {{QStringLiteral("Breit"), EinfacheGenauigkeitText(r.breite)},
                              {QStringLiteral("Hoch"), EinfacheGenauigkeitText(r.hoehe)},
                              {QStringLiteral("Links"), EinfacheGenauigkeitText(r.links)},
                              {QStringLiteral("Oben"), EinfacheGenauigkeitText(r.oben)}},
                             true))
        return false;
    ProtokollSchreiben(name + QStringLiteral(" wurde geschlossen und die Position gespeichert."));
    return true;
}

} // namespace kelvora
