#include "feeds/FutterAustausch.h"

#include "database/DatenbankRoutinen.h"
#include "feeds/FutterbezogeneRoutinen.h"
#include "frame/Oberflaeche.h"
#include "frame/Programm.h"
#include "frame/Protokoll.h"
#include "frame/Statuszeile.h"
#include "grundlagen/NullFilter.h"
#include "grundlagen/Textbereinigung.h"
#include "grundlagen/Textkodierung.h"

#include <QFile>

namespace kelvora {

namespace {

QString Schluessel(int gruppe, const QString& bezeichnung)
{
    return QString::number(gruppe) + QLatin1Char('|') + ServerNamensform(bezeichnung);
}

QDateTime Zeit(const QVariant& v)
{
    if (v.isNull() || v.toString().trimmed().isEmpty())
        return QDateTime();
    return NullFilter(v, "Date").toDateTime();
}

// The file is Windows-1252, as every reader of the exchange expects; a
// character it cannot hold would arrive as a substitute. The texts are
// refused instead, with the characters named, before anything is written.
bool AnsiDarstellbar(const QString& bezeichnung, const QString& e1, const QString& e2)
{
    const std::pair<QString, QString> texte[] = {
        { QStringLiteral("Die Bezeichnung"), bezeichnung },
        { QStringLiteral("Die Absenderzeile E1"), e1 },
        { QStringLiteral("Die Absenderzeile E2"), e2 },
    };
    for (const auto& [was, text] : texte) {
        const QStringList fehlen = NichtAnsiZeichen(text);
        if (fehlen.isEmpty())
            continue;
        MsgBox(was + QStringLiteral(" \"") + text
                + QStringLiteral("\" enthält Zeichen, die eine Austauschdatei (Windows-1252) nicht aufnehmen kann: ")
                + fehlen.join(QStringLiteral(", "))
                + QStringLiteral(". Bitte ersetzen Sie sie (zum Beispiel Ł durch L, Ś durch S) und teilen Sie das "
                                 "Futtermittel dann."),
            Knoepfe::OK, Symbol::Ausrufezeichen, Antwort::OK, QStringLiteral("Futtermittel teilen"));
        return false;
    }
    return true;
}

void Abgebrochen()
{
    HauptFensterMeldungAusgeben(Farbe::Gelb, QStringLiteral("Die Übertragung wurde abgebrochen."), 5);
}

} // namespace

FtpOrdner AustauschOrdner()
{
    return { QStringLiteral("Datenquellen"), QStringLiteral("Futtermittel"), QStringLiteral("Kelvora") };
}

Hochladeergebnis FutterHochladen(long futterID, bool ohneFragen, QString* dateiName)
{
    if (futterID == 0)
        return Hochladeergebnis::NichtGefunden;
    FutterFuerDatei f;
    {
        Verbindung v;
        QSqlQuery q;
        if (!DatenbankOeffnen(v, PfadHolen(QStringLiteral("Futter")), true)
            || !AbfrageOeffnen(v, q,
                QStringLiteral("SELECT Bezeichnung, FutterArtIOFC, AngelegtAm, [LetzteÄnderung], ")
                    + FutterDateiWerte().join(QStringLiteral(", "))
                    + QStringLiteral(" FROM Futtermittel WHERE Futtermittel.ID = ?"),
                { QVariant::fromValue<qlonglong>(futterID) }))
            return Hochladeergebnis::Fehlgeschlagen;
        if (!q.next())
            return Hochladeergebnis::NichtGefunden;
        f.bezeichnung = NullFilter(q.value(0), "String").toString().trimmed();
        f.gruppe = NullFilter(q.value(1), "Integer").toInt();
        f.angelegt = Zeit(q.value(2));
        f.letzteAenderung = Zeit(q.value(3));
        for (int i = 4; i < 4 + FutterDateiWerte().size(); ++i)
            f.werte << (q.value(i).isNull() ? QVariant() : QVariant(NullFilter(q.value(i), "Double").toDouble()));
    }
    // The same cleaning as the editor's "Teilen" asks for, so that a name
    // stored with control characters never reaches the file or its name.
    f.bezeichnung = TextBereinigen(f.bezeichnung).trimmed();
    // Only the five groups can be listed and taken over by others.
    if (FutterGruppenName(f.gruppe).isEmpty()) {
        MsgBox(QStringLiteral("Dieses Futtermittel gehört zu keiner Futtergruppe. Bitte wählen Sie im Fenster "
                              "\"Futtermittel bearbeiten\" eine Gruppe, speichern Sie und teilen Sie es dann."),
            Knoepfe::OK, Symbol::Ausrufezeichen);
        return Hochladeergebnis::OhneGruppe;
    }
    if (!AnsiDarstellbar(f.bezeichnung, programm().E1, programm().E2))
        return Hochladeergebnis::NichtDarstellbar;
    const QString pfad = ImDatenordner(FutterDateiName(f.gruppe, f.bezeichnung));
    if (dateiName)
        *dateiName = FutterDateiName(f.gruppe, f.bezeichnung);
    const QString misslungen = QStringLiteral("Futtermittel konnte nicht hochgeladen werden!");

    if (!ohneFragen) {
        HauptFensterMeldungAusgeben(Farbe::Gelb, QStringLiteral("Prüft ob Futtermittel bereits existiert"), 5);
        bool verbunden = false;
        const bool vorhanden = FTPDateiExistiert(pfad, AustauschOrdner(), &verbunden);
        if (!verbunden) {
            if (FtpAbgebrochen()) {
                Abgebrochen();
                return Hochladeergebnis::Abgebrochen;
            }
            AustauschFehlerMelden(misslungen);
            return Hochladeergebnis::Fehlgeschlagen;
        }
        if (vorhanden
            && MsgBox(QStringLiteral("Dieses Futtermittel existiert schon auf dem Internet-Server. Soll es ersetzt "
                                     "werden?"),
                   Knoepfe::JaNein, Symbol::Frage, Antwort::Nein, QStringLiteral("Futtermittel ersetzen"))
                != Antwort::Ja)
            return Hochladeergebnis::Verzichtet;
    }

    if (!AnsiDateiSchreiben(pfad, FutterDateiZeilen(f, programm().E1, programm().E2, ui().Jetzt()))) {
        FtpFehlerProtokollieren(
            QStringLiteral("FutterHochladen: ") + pfad + QStringLiteral(" konnte nicht geschrieben werden."));
        MsgBox(QStringLiteral("Die Datei ") + pfad
                + QStringLiteral(" konnte nicht geschrieben werden. Bitte prüfen Sie, ob der Datenordner beschreibbar "
                                 "ist."),
            Knoepfe::OK, Symbol::Kritisch);
        HauptFensterMeldungAusgeben(Farbe::Rot, misslungen, 5);
        return Hochladeergebnis::Fehlgeschlagen;
    }
    HauptFensterMeldungAusgeben(Farbe::Gelb, QStringLiteral("Futtermittel wird auf den Server geladen"), 5);
    if (DateiAufDenServerLaden(pfad, AustauschOrdner())) {
        HauptFensterMeldungAusgeben(Farbe::Gruen, QStringLiteral("Futtermittel wurde hochgeladen."), 5);
        return Hochladeergebnis::Hochgeladen;
    }
    if (FtpAbgebrochen()) {
        Abgebrochen();
        return Hochladeergebnis::Abgebrochen;
    }
    AustauschFehlerMelden(misslungen);
    return Hochladeergebnis::Fehlgeschlagen;
}

ServerDateien ServerDateienLesen(int gruppe)
{
    ServerDateien s;
    FtpVerbindung v;
    if (!FTPVerbindungOeffnen(v))
        return s;
    s.verbunden = true;
    if (!OrdnerBetretenMitProtokoll(v, AustauschOrdner(), QStringLiteral("ServerDateienLesen")))
        return s;
    s.ordnerGefunden = true;
    const QString muster = gruppe >= 1 && gruppe <= FutterGruppenAnzahl
        ? QString::number(gruppe) + QStringLiteral("_*.xml")
        : QStringLiteral("*.xml");
    if (!v.Dateiliste(muster, s.namen)) {
        FtpFehlerProtokollieren(QStringLiteral("ServerDateienLesen: ") + v.LetzterFehler());
        s.ordnerGefunden = false;
    }
    return s;
}

QList<ServerFutter> NeueServerFutter(const QStringList& dateien, const QList<ServerFutter>& bekannt, bool* gekuerzt)
{
    QSet<QString> schon;
    for (const ServerFutter& b : bekannt)
        schon.insert(Schluessel(b.gruppe, b.bezeichnung));
    if (gekuerzt)
        *gekuerzt = false;
    QList<ServerFutter> neu;
    int genommen = 0;
    for (const QString& datei : dateien) {
        if (datei.isEmpty())
            break;
        // Receipts and lock files are no feeds.
        const std::optional<ServerFutter> s = ServerFutterAusName(datei);
        if (!s)
            continue;
        if (genommen == ServerFutterHoechstzahl) {
            if (gekuerzt)
                *gekuerzt = true;
            break;
        }
        ++genommen;
        const QString k = Schluessel(s->gruppe, s->bezeichnung);
        if (schon.contains(k))
            continue;
        schon.insert(k);
        neu.append(*s);
    }
    return neu;
}

bool LokaleFutterLesen(QList<ServerFutter>& futter)
{
    futter.clear();
    Verbindung v;
    QSqlQuery q;
    if (!DatenbankOeffnen(v, PfadHolen(QStringLiteral("Futter")), true)
        || !AbfrageOeffnen(v, q, QStringLiteral("SELECT FutterArtIOFC, Bezeichnung FROM Futtermittel")))
        return false;
    while (q.next()) {
        ServerFutter f;
        f.gruppe = NullFilter(q.value(0), "Integer").toInt();
        f.bezeichnung = NullFilter(q.value(1), "String").toString();
        futter.append(f);
    }
    return true;
}

bool ServerFutterHolen(const QString& datei, FutterAusDatei& futter)
{
    if (!ServerFutterAusName(datei)) {
        FtpFehlerProtokollieren(QStringLiteral("ServerFutterHolen: ") + OhneSteuerzeichen(datei)
            + QStringLiteral(" ist keine Futtermittel-Datei."));
        return false;
    }
    // The name exactly as listed: servers tell "1_x.XML" from "1_x.xml".
    const QString pfad = ImDatenordner(datei);
    if (!DateiVomServerHolen(pfad, AustauschOrdner(), true))
        return false;
    QFile quelle(pfad);
    if (!quelle.open(QIODevice::ReadOnly)) {
        FtpFehlerProtokollieren(
            QStringLiteral("ServerFutterHolen: ") + pfad + QStringLiteral(" kann nicht gelesen werden."));
        return false;
    }
    futter = FutterDateiLesen(TextDekodieren(quelle.readAll()).text);
    return true;
}

} // namespace kelvora
