#include "internet/UpdateSuchen.h"

#include "frame/FunktionenFuerINI.h"
#include "frame/INIDatei.h"
#include "frame/Oberflaeche.h"
#include "frame/Programm.h"
#include "frame/Protokoll.h"
#include "frame/Statuszeile.h"
#include "grundlagen/DatenTypen.h"
#include "internet/CurlHilfen.h"
#include "internet/HttpAbruf.h"
#include "internet/MailRoutinen.h"

#include <QSaveFile>
#include <QUrl>

namespace kelvora {

namespace {

const QDate Tag0(1899, 12, 30);

long Tageszahl(const QDate& d)
{
    return static_cast<long>(Tag0.daysTo(d));
}

QString AlsDatum(double tageszahl)
{
    return Tag0.addDays(static_cast<qint64>(tageszahl)).toString(QStringLiteral("dd.MM.yyyy"));
}

QString Datum(const QDate& d)
{
    return d.toString(QStringLiteral("dd.MM.yyyy"));
}

// The copy of the answer in the data folder. A failed write is logged and
// shown in the status line; the comparison goes on with the text read.
QString KopieSchreiben(const QByteArray& text)
{
    const QString pfad = ImDatenordner(QStringLiteral("Versionen.txt"));
    QSaveFile f(pfad);
    if (f.open(QIODevice::WriteOnly) && f.write(text) == text.size() && f.commit())
        return QString();
    const QString fehler = QStringLiteral("Die Versionsinformationen konnten nicht in ") + pfad
        + QStringLiteral(" gespeichert werden (") + f.errorString()
        + QStringLiteral("). Bitte prüfen Sie, ob der Datenordner beschreibbar ist.");
    FehlerProtokollieren(QStringLiteral("VersionPruefen: ") + fehler, 4);
    HauptFensterMeldungAusgeben(Farbe::Rot, fehler, 10);
    if (updateAnfrage().vomBenutzer)
        MsgBox(fehler, Knoepfe::OK, Symbol::Ausrufezeichen);
    return fehler;
}

// What the user reads when the server has no version file: the status
// says so, or the server's answer did ("http_404").
QString DateiFehltText(const QString& adresse, long status)
{
    return QStringLiteral("Die Versionsdatei ") + ZugangVerbergen(adresse)
        + QStringLiteral(" gibt es auf dem Server nicht (Fehler ") + QString::number(status)
        + QStringLiteral("). Bitte prüfen Sie die Adresse in der Datei KELVORA.INI im Abschnitt [Update] unter "
                         "„Adresse“.");
}

void KeineInformationen(const QString& zusatz)
{
    if (!updateAnfrage().vomBenutzer)
        return;
    QString text = QStringLiteral("Es konnten keine Informationen über die aktuelle Version aus dem Internet "
                                  "abgerufen werden.");
    if (!zusatz.isEmpty())
        text += QStringLiteral("\n\n") + zusatz;
    MsgBox(text, Knoepfe::OK, Symbol::Ausrufezeichen);
}

// The date text of this program's line: the key at the start of a line,
// directly followed by one separator (not a letter or digit, which would
// make it a longer key) and the date in 10 characters. Null when no line
// has it.
QString DatumZumSchluessel(const QString& text, const QString& schluessel)
{
    // A byte-order mark in front of the first line is no part of it.
    const qsizetype anfang = text.startsWith(QStringLiteral("\u00EF\u00BB\u00BF")) ? 3 : 0;
    for (qsizetype zeile = anfang; zeile >= 0 && zeile < text.size();) {
        if (text.mid(zeile, schluessel.size()) == schluessel && zeile + schluessel.size() < text.size()) {
            const QChar trenner = text.at(zeile + schluessel.size());
            if (!trenner.isLetterOrNumber() && trenner != QLatin1Char('_') && trenner != QLatin1Char('\r')
                && trenner != QLatin1Char('\n'))
                return text.mid(zeile + schluessel.size() + 1, 10);
        }
        const qsizetype ende = text.indexOf(QLatin1Char('\n'), zeile);
        zeile = ende < 0 ? -1 : ende + 1;
    }
    return QString();
}

QDate& gefunden()
{
    static QDate d;
    return d;
}

} // namespace

QDate ZuletztGefundeneVersion()
{
    return gefunden();
}

QString UpdateDownloadseite()
{
    const QString seite
        = ini::Lesen(programm().iniPfad, QStringLiteral("Update"), QStringLiteral("Downloadseite"), QString(), 1000)
              .trimmed();
    if (!seite.isEmpty())
        return seite;
    const QString datei = UpdateAdresse();
    const qsizetype schraegstrich = datei.lastIndexOf(QLatin1Char('/'));
    // "http://" alone is no folder.
    if (schraegstrich < 0 || datei.left(schraegstrich).endsWith(QLatin1Char('/')))
        return QString();
    return datei.left(schraegstrich + 1);
}

QString UpdateAdresse()
{
    // Read past the usual 100 characters: addresses can be long.
    return ini::Lesen(programm().iniPfad, QStringLiteral("Update"), QStringLiteral("Adresse"), QString(), 1000)
        .trimmed();
}

VersionsAuskunft VersionPruefen()
{
    VersionsAuskunft a;
    const QString adresse = UpdateAdresse();
    if (adresse.isEmpty()) {
        ProtokollSchreiben(QStringLiteral("VersionPruefen: kein Update-Server eingetragen (KELVORA.INI, "
                                          "Abschnitt Update, Schlüssel Adresse)"),
            4);
        if (updateAnfrage().vomBenutzer)
            MsgBox(QStringLiteral("Es ist kein Update-Server eingetragen.\n\nBitte tragen Sie die Adresse der "
                                  "Versionsdatei in der Datei KELVORA.INI im Abschnitt [Update] unter "
                                  "„Adresse“ ein."),
                Knoepfe::OK, Symbol::Ausrufezeichen);
        a.stand = VersionsStand::KeinServer;
        return a;
    }

    ui().Sanduhr(true);
    HttpAbrufOptionen optionen;
    optionen.hoechstensBytes = 1000;
    optionen.zeitlimitMs = UpdateZeitlimitSekunden * 1000;
    optionen.agent = QStringLiteral("Wininet Test");
    const HttpAntwort antwort = HttpAbrufen(adresse, optionen);
    ui().Sanduhr(false);

    if (!antwort.beantwortet) {
        // The last good copy of Versionen.txt stays when nothing was read.
        FehlerProtokollieren(QStringLiteral("VersionPruefen: ") + ZugangVerbergen(adresse)
                + QStringLiteral(" nicht erreichbar: ") + antwort.fehler + QStringLiteral(" [") + antwort.technisch
                + QLatin1Char(']'),
            4);
        a.stand = VersionsStand::NichtErreichbar;
        a.fehler = antwort.fehler;
        KeineInformationen(antwort.fehler + QStringLiteral(" Bitte prüfen Sie die Verbindung zum Internet."));
        return a;
    }

    // An error page is no version file, whatever it says; the last good
    // copy stays.
    if (antwort.status != 200) {
        a.fehler = HttpStatusGrund(antwort.status, QUrl(adresse).host());
        FehlerProtokollieren(
            QStringLiteral("VersionPruefen: ") + ZugangVerbergen(adresse) + QStringLiteral(": ") + a.fehler, 4);
        if (antwort.status == 404 || antwort.status == 410) {
            ProtokollSchreiben(QStringLiteral("http_404 - Datei mit den Versionsinformationen existiert nicht."), 4);
            a.stand = VersionsStand::DateiFehlt;
            KeineInformationen(DateiFehltText(adresse, antwort.status));
            return a;
        }
        a.stand = VersionsStand::ServerFehler;
        KeineInformationen(a.fehler);
        return a;
    }

    a.schreibfehler = KopieSchreiben(antwort.inhalt);
    const QString text = QString::fromLatin1(antwort.inhalt);
    if (text.toLower().contains(QLatin1String("http_404"))) {
        ProtokollSchreiben(QStringLiteral("http_404 - Datei mit den Versionsinformationen existiert nicht."), 4);
        a.stand = VersionsStand::DateiFehlt;
        KeineInformationen(DateiFehltText(adresse, 404));
        return a;
    }
    const QString keinDatum = QStringLiteral("Die Versionsdatei ") + ZugangVerbergen(adresse)
        + QStringLiteral(" nennt kein lesbares Datum für ") + Programmname() + QLatin1Char('.');
    const QString datumText = DatumZumSchluessel(text, Programmname());
    if (datumText.isNull()) {
        a.stand = VersionsStand::KeineAngabe;
        KeineInformationen(keinDatum);
        return a;
    }
    ProtokollSchreiben(QStringLiteral("lngBeginn > 0"), 8);
    ProtokollSchreiben(QStringLiteral("strDatum = >") + datumText + QStringLiteral("<"), 8);
    const QDate imInternet = TextInDatum(datumText).date();
    const long tageszahl = Tageszahl(imInternet);
    ProtokollSchreiben(QStringLiteral("lngDatum = ") + QString::number(tageszahl), 8);
    if (tageszahl <= 0) {
        // An unreadable date is no information, not an old version.
        a.stand = VersionsStand::KeineAngabe;
        KeineInformationen(keinDatum);
        return a;
    }
    a.imInternet = imInternet;
    gefunden() = imInternet;

    if (tageszahl <= VersionsDatumSerial) {
        ProtokollSchreiben(QStringLiteral("Keine neue Version gefunden. Im Internet: ") + Datum(imInternet)
            + QStringLiteral("   installierte Version: ") + Datum(Versionsdatum()));
        if (updateAnfrage().vomBenutzer && !updateAnfrage().installationsFensterOffen)
            MsgBox(QStringLiteral("Installierte Version: ") + Datum(Versionsdatum())
                    + QStringLiteral("\nVersion im Internet: ") + Datum(imInternet),
                Knoepfe::OK, Symbol::Information, Antwort::OK, QStringLiteral("Keine neue Version gefunden."));
        a.stand = VersionsStand::Aktuell;
        return a;
    }

    ProtokollSchreiben(QStringLiteral("Neue Version gefunden: ") + Datum(imInternet), 4);
    if (!updateAnfrage().installationsFensterOffen)
        HauptFensterMeldungAusgeben(49152,
            QStringLiteral("Im Internet ist eine neue Version dieses Programms "
                           "vorhanden."),
            10);
    a.stand = VersionsStand::Neuer;
    return a;
}

UpdateErgebnis UpdateSuchen()
{
    UpdateErgebnis e;
    auto& flags = updateAnfrage();
    flags.uebersprungen = false;

    // While a search waits for the server the window stays responsive; a
    // second request in that time joins the first instead of starting anew.
    static bool laeuft = false;
    if (laeuft) {
        ProtokollSchreiben(QStringLiteral("UpdateSuchen: eine Suche läuft bereits"), 4);
        return e;
    }
    if (flags.exportFensterOffen || flags.importFensterOffen) {
        ProtokollSchreiben(flags.exportFensterOffen
                ? QStringLiteral("UpdateSuchen abgebrochen, da das Exportfenster geöffnet ist.")
                : QStringLiteral("UpdateSuchen abgebrochen, da das Importfenster geöffnet ist."),
            4);
        return e;
    }
    laeuft = true;
    struct Ende {
        ~Ende() { laeuft = false; }
        bool& laeuft;
    } ende { laeuft };

    InternetVerbindungOK();

    double intervall
        = INILesenZahl(QStringLiteral("Programm"), QStringLiteral("NachNeuerVersionSuchenIntervallTage"), 1);
    if (intervall > 9) {
        INISpeichern(
            QStringLiteral("Programm"), QStringLiteral("NachNeuerVersionSuchenIntervallTage"), QStringLiteral("9"));
        ProtokollSchreiben(
            QStringLiteral("Intervalltage von ") + QString::number(intervall) + QStringLiteral(" auf 9 verkürzt."));
        intervall = 9;
    }

    const double letzte = INILesenZahl(QStringLiteral("Programm"), QStringLiteral("LetzteUpdateSuche"), 0);
    ProtokollSchreiben(QStringLiteral("Letzte Suche nach Update: ") + AlsDatum(letzte), 4);

    const long heute = Tageszahl(ui().Jetzt().date());
    if (letzte + intervall > heute && !flags.sofort) {
        ProtokollSchreiben(QStringLiteral("Suche nach Update ausgelassen, sie ist erst am ")
                + AlsDatum(letzte + intervall) + QStringLiteral(" fällig."),
            4);
        ProtokollSchreiben(QStringLiteral("lngLetzteUpdateSuche = ") + AlsDatum(letzte), 8);
        ProtokollSchreiben(QStringLiteral("lngIntervallTage = ") + QString::number(intervall), 8);
        ProtokollSchreiben(QStringLiteral("Fix(Now) = ") + AlsDatum(heute), 8);
        flags.uebersprungen = true;
        return e;
    }

    flags.sofort = false;
    ProtokollSchreiben(QStringLiteral("Prüfe ob neue Version verfügbar ist"), 4);
    INISpeichern(QStringLiteral("Programm"), QStringLiteral("LetzteUpdateSuche"), QString::number(heute));
    e.gesucht = true;

    e.auskunft = VersionPruefen();
    if (!e.auskunft.neuer()) {
        ProtokollSchreiben(QStringLiteral("Es gibt keine neuere Version, oder sie kann nicht ermittelt werden."), 4);
        return e;
    }
    ProtokollSchreiben(QStringLiteral("Eine neuere Dateiversion ist vorhanden."), 4);

    const QString& ordner = programm().datenordner;
    if (ordner.startsWith(QLatin1String("\\\\")) || ordner.startsWith(QLatin1String("//"))) {
        ProtokollSchreiben(QStringLiteral("Update kann nicht installiert werden, da Pfad = ") + ordner);
        MsgBox(QStringLiteral("Eine neue Version kann nur auf dem Rechner geladen werden, auf dem das Programm "
                              "installiert ist."),
            Knoepfe::OK, Symbol::Ausrufezeichen);
        return e;
    }

    if (flags.ergebnisZeigen) {
        if (MsgBox(QStringLiteral("Soll die neue Version jetzt installiert werden?"), Knoepfe::JaNein, Symbol::Frage,
                Antwort::Ja, QStringLiteral("Neue Version installieren"))
            == Antwort::Ja) {
            ProtokollSchreiben(QStringLiteral("Frage ob jetzt installieren: JA"));
            e.installieren = true;
        } else {
            ProtokollSchreiben(QStringLiteral("Frage ob jetzt installieren: NEIN"));
        }
    }
    return e;
}

UpdateAnfrage& updateAnfrage()
{
    static UpdateAnfrage a;
    return a;
}

void UpdateSucheAnfordern(UpdateAusloeser ausloeser)
{
    InternetVerbindungOK();
    switch (ausloeser) {
    case UpdateAusloeser::Menue:
        ProtokollSchreiben(QStringLiteral("NeueVersionInstallationA im Menü gedrückt"));
        break;
    case UpdateAusloeser::Informationsfenster:
        ProtokollSchreiben(QStringLiteral("Informationsfenster: Taste 'Version prüfen' gedrückt"));
        break;
    case UpdateAusloeser::Befehlszeile:
        ProtokollSchreiben(QStringLiteral("version-pruefen auf der Befehlszeile aufgerufen"));
        break;
    }
    ProtokollSchreiben(QStringLiteral("LetzteUpdateSuche Datum wird gelöscht"));
    // A failed write is reported by INISpeichern; the request still runs.
    INISpeichern(QStringLiteral("Programm"), QStringLiteral("LetzteUpdateSuche"), QString());
    updateAnfrage().sofort = true;
    if (ausloeser == UpdateAusloeser::Befehlszeile)
        return;
    ProtokollSchreiben(ausloeser == UpdateAusloeser::Informationsfenster
                           ? QStringLiteral("tmrUpdateFinden wird aktiviert in cmdVersionPruefen_Click")
                           : QStringLiteral("tmrUpdateFinden wird gestartet"));
    updateAnfrage().vomBenutzer = true;
    updateAnfrage().ergebnisZeigen = true;
}

} // namespace kelvora
