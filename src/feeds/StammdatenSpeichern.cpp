#include "feeds/StammdatenSpeichern.h"

#include "database/DatenbankRoutinen.h"
#include "frame/Oberflaeche.h"
#include "frame/Programm.h"
#include "frame/Statuszeile.h"
#include "grundlagen/DatenTypen.h"
#include "grundlagen/NullFilter.h"

namespace kelvora {

namespace {

// Rows of table FutterArten the editor assigns.
namespace Art {
constexpr int Gruenfutter = 1;
constexpr int Grassilage = 2;
constexpr int Maissilage = 3;
constexpr int Heu = 4;
constexpr int Stroh = 5;
constexpr int Getreide = 6;
constexpr int Oelschrote = 7;
constexpr int Nebenprodukte = 10;
constexpr int Mineralfutter = 13;
} // namespace Art

constexpr long GruppeGrundfutter = 1;

bool IstGrundfutterArt(int art)
{
    return art >= Art::Gruenfutter && art <= Art::Stroh;
}

int GrundfutterArtNachName(const QString& bezeichnung)
{
    const QString n = bezeichnung.toLower();
    if (n.contains(QLatin1String("silage")))
        return n.contains(QLatin1String("mais")) ? Art::Maissilage : Art::Grassilage;
    if (n.contains(QLatin1String("heu")))
        return Art::Heu;
    if (n.contains(QLatin1String("stroh")) || n.contains(QLatin1String("gps")))
        return Art::Stroh;
    return Art::Gruenfutter;
}

QVariant Ganz(double wert)
{
    return QVariant::fromValue<qlonglong>(static_cast<qlonglong>(wert));
}

double Zahl(const QSqlQuery& q, const char* spalte)
{
    return NullFilter(q.value(QLatin1String(spalte)), "Double").toDouble();
}

void NichtGespeichert()
{
    HauptFensterMeldungAusgeben(Farbe::Rot, QStringLiteral("Futtermittel konnte nicht gespeichert werden!"), 5);
}

// The red line alone is gone after five seconds; the message says why and
// what to do.
Speicherergebnis Fehlgeschlagen(Verbindung& v)
{
    NichtGespeichert();
    DatenbankFehlerMelden(v, QStringLiteral("Das Futtermittel konnte nicht gespeichert werden."));
    return Speicherergebnis::Fehlgeschlagen;
}

} // namespace

int FutterArtFuerGruppe(long gruppe, int bisherigeArt, const QString& bezeichnung)
{
    if (gruppe == GruppeGrundfutter)
        return IstGrundfutterArt(bisherigeArt) ? bisherigeArt : GrundfutterArtNachName(bezeichnung);
    if (bisherigeArt > 0 && !IstGrundfutterArt(bisherigeArt))
        return bisherigeArt;
    switch (gruppe) {
    case 2:
        return Art::Getreide;
    case 3:
        return Art::Oelschrote;
    case 4:
        return Art::Nebenprodukte;
    case 5:
        return Art::Mineralfutter;
    default:
        return 0; // no group: counted as concentrate, like a feed without type
    }
}

std::optional<Stammdaten> StammdatenLesen(long futterID)
{
    Verbindung v;
    if (!DatenbankOeffnen(v, programm().futterDatenbank))
        return std::nullopt;
    QSqlQuery q;
    if (!AbfrageOeffnen(v, q, QStringLiteral("SELECT * FROM Futtermittel WHERE ID = ?"),
            { QVariant::fromValue<qlonglong>(futterID) })
        || !q.next())
        return std::nullopt;
    Stammdaten s;
    s.gruppe = NullFilter(q.value(QStringLiteral("FutterArtIOFC")), "Integer").toInt();
    s.bezeichnung = NullFilter(q.value(QStringLiteral("Bezeichnung")), "String").toString();
    s.TM_g = Zahl(q, "TM_g");
    s.XP_gTM = Zahl(q, "XP_gTM");
    s.UDP_gTM = Zahl(q, "UDP_gTM");
    s.NDF_gTM = Zahl(q, "NDF_gTM");
    s.ADF_gTM = Zahl(q, "ADF_gTM");
    s.NFC_gTM = Zahl(q, "NFC_gTM");
    s.NEL_MJTM = Zahl(q, "NEL_MJTM");
    s.Ca_gTM = Zahl(q, "Ca_gTM");
    s.P_gTM = Zahl(q, "P_gTM");
    s.ME_MJTM = Zahl(q, "ME_MJTM");
    s.nXP_gTM = Zahl(q, "nXP_gTM");
    s.RNB_gTM = Zahl(q, "RNB_gTM");
    s.Mg_gTM = Zahl(q, "Mg_gTM");
    s.Na_gTM = Zahl(q, "Na_gTM");
    s.K_gTM = Zahl(q, "K_gTM");
    s.Cu_mgTM = Zahl(q, "Cu_mgTM");
    s.Zn_mgTM = Zahl(q, "Zn_mgTM");
    s.Mn_mgTM = Zahl(q, "Mn_mgTM");
    if (const QVariant preis = q.value(QStringLiteral("Preis")); !preis.isNull())
        s.preis = NullFilter(preis, "Currency").toDouble();
    return s;
}

Speicherergebnis StammdatenSchreiben(const Stammdaten& f, long futterID, long* gespeicherteID)
{
    Verbindung v;
    if (!DatenbankOeffnen(v, programm().futterDatenbank)) {
        NichtGespeichert();
        return Speicherergebnis::Fehlgeschlagen;
    }

    int bisherigeArt = 0;
    if (futterID != 0) {
        QSqlQuery q;
        if (!AbfrageOeffnen(v, q, QStringLiteral("SELECT FutterArt FROM Futtermittel WHERE ID = ?"),
                { QVariant::fromValue<qlonglong>(futterID) })) {
            q = QSqlQuery();
            return Fehlgeschlagen(v);
        }
        if (!q.next()) {
            MsgBox(QStringLiteral("Speichern konnte nicht ausgeführt werden, weil die FutterID nicht gefunden wurde"),
                Knoepfe::OK, Symbol::Ausrufezeichen);
            return Speicherergebnis::NichtGefunden;
        }
        bisherigeArt = NullFilter(q.value(0), "Integer").toInt();
    }

    const QString jetzt = ui().Jetzt().toString(Qt::ISODate);
    // Same column order for both statements; the ID or AngelegtAm comes last.
    QVariantList werte = {
        FutterArtFuerGruppe(f.gruppe, bisherigeArt, f.bezeichnung),
        QVariant::fromValue<qlonglong>(f.gruppe),
        f.bezeichnung.trimmed(),
        Ganz(f.TM_g),
        Ganz(f.ADF_gTM),
        Ganz(f.NDF_gTM),
        f.XP_gTM,
        f.UDP_gTM,
        f.NEL_MJTM,
        Ganz(f.NFC_gTM),
        f.Ca_gTM,
        f.P_gTM,
        f.preis ? QVariant(*f.preis) : QVariant(QMetaType::fromType<double>()),
        f.ME_MJTM,
        f.nXP_gTM,
        f.RNB_gTM,
        f.Mg_gTM,
        f.Na_gTM,
        f.K_gTM,
        f.Cu_mgTM,
        f.Zn_mgTM,
        f.Mn_mgTM,
        jetzt,
    };
    const QString spalten = QStringLiteral("FutterArt, FutterArtIOFC, Bezeichnung, TM_g, ADF_gTM, NDF_gTM, XP_gTM, "
                                           "UDP_gTM, NEL_MJTM, NFC_gTM, Ca_gTM, P_gTM, Preis, ME_MJTM, nXP_gTM, "
                                           "RNB_gTM, Mg_gTM, Na_gTM, K_gTM, Cu_mgTM, Zn_mgTM, Mn_mgTM, "
                                           "[LetzteÄnderung]");
    QSqlQuery q;
    bool ok;
    if (futterID == 0) {
        werte.append(jetzt);
        ok = AbfrageOeffnen(v, q,
            QStringLiteral("INSERT INTO Futtermittel (") + spalten
                + QStringLiteral(", AngelegtAm) VALUES (?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, "
                                 "?, ?, ?)"),
            werte);
    } else {
        werte.append(QVariant::fromValue<qlonglong>(futterID));
        QString zuweisungen = spalten;
        zuweisungen.replace(QLatin1String(", "), QLatin1String(" = ?, "));
        ok = AbfrageOeffnen(v, q,
            QStringLiteral("UPDATE Futtermittel SET ") + zuweisungen + QStringLiteral(" = ? WHERE ID = ?"), werte);
    }
    if (!ok) {
        q = QSqlQuery();
        return Fehlgeschlagen(v);
    }
    if (gespeicherteID)
        *gespeicherteID = futterID != 0 ? futterID : q.lastInsertId().toLongLong();
    HauptFensterMeldungAusgeben(Farbe::Gruen, QStringLiteral("Futtermittel wurde gespeichert"), 5);
    return Speicherergebnis::Gespeichert;
}

Speichervorgang MaskeSpeichern(const Eingabemaske& m, Nullwerte nullwerte)
{
    Speichervorgang s;
    s.pruefung = EingabePruefen(m, nullwerte);
    if (s.pruefung.bestanden)
        s.ergebnis = StammdatenSchreiben(StammdatenAusMaske(m), TextInLong(m.idAnzeige), &s.id);
    return s;
}

} // namespace kelvora
