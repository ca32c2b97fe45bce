// "kelvora austausch liste|hochladen|holen": the feed exchange without a
// screen. "liste" prints the server's feeds that are not yet in the local
// database, as the feed list's button "Aus dem Internet" finds them;
// "hochladen" shares one feed as the editor's button "Teilen" does, without
// questions (a file of the same name on the server is replaced; sharing
// needs maintainer mode); "holen" takes one listed feed over and stores it
// as the editor's "Speichern" would, through the same code and checks.

#include "app/befehle/Befehl.h"
#include "database/Datenbankholen.h"
#include "feeds/FutterAustausch.h"
#include "feeds/FutterbezogeneRoutinen.h"
#include "feeds/StammdatenSpeichern.h"
#include "frame/Hauptmenue.h"
#include "frame/Programm.h"
#include "grundlagen/Textbereinigung.h"
#include "grundlagen/ZahlText.h"

namespace kelvora {

namespace {

const QString GruppeName = QStringLiteral("gruppe");
const QString JaName = QStringLiteral("ja");
const QString Liste = QStringLiteral("liste");
const QString Hochladen = QStringLiteral("hochladen");
const QString Holen = QStringLiteral("holen");

// A value as a message may show it: it comes from a stranger's file.
QString Gezeigt(const QString& text)
{
    constexpr qsizetype Hoechstens = 40;
    const QString t = OhneSteuerzeichen(text).trimmed();
    return t.size() > Hoechstens ? t.left(Hoechstens) + QStringLiteral("…") : t;
}

} // namespace

class AustauschBefehl final : public Befehl {
public:
    AustauschBefehl()
        : Befehl(QStringLiteral("austausch"),
            QStringLiteral("Tauscht Futtermittel über den Austausch-Server aus (Abschnitt [Austausch] der "
                           "KELVORA.INI)."))
    {
        ArgumentHinzufuegen(QStringLiteral("liste|hochladen|holen"),
            QStringLiteral("liste: die Futtermittel des Servers, die es hier noch nicht gibt (Datei, Futterart, "
                           "Bezeichnung); hochladen: ein Futtermittel teilen (nur im Wartungsmodus, kelvora "
                           "--wartung austausch hochladen ID); holen: ein gelistetes Futtermittel in die "
                           "Futterdatenbank übernehmen (gibt die neue ID aus)."));
        ArgumentHinzufuegen(QStringLiteral("[ID|DATEI]"),
            QStringLiteral("Die Nummer des Futtermittels für hochladen, der Dateiname wie von liste ausgegeben für "
                           "holen."));
        OptionHinzufuegen(QCommandLineOption(GruppeName,
            QStringLiteral("liste: nur Futtermittel dieser Futterart listen; holen: das Futtermittel unter dieser "
                           "Futterart speichern statt unter der seiner Datei. 1 Grundfutter, 2 Energieträger, 3 "
                           "Eiweißträger, 4 Industrielle Nebenprodukte, 5 Mineralfutter."),
            QStringLiteral("N")));
        OptionHinzufuegen(QCommandLineOption(JaName,
            QStringLiteral("holen: Werte von 0 übernehmen (beantwortet die Fragen \"Sind Sie sicher, das dieses "
                           "Futtermittel kein … enthält?\" mit Ja; sonst wird das Futtermittel abgelehnt).")));
    }

protected:
    QString Pruefen() override
    {
        art = Argumente().value(0).toLower();
        if (art != Liste && art != Hochladen && art != Holen)
            return QStringLiteral("Geben Sie an, was geschehen soll: liste, hochladen oder holen.");
        if (Parser().isSet(GruppeName)) {
            if (art == Hochladen)
                return QStringLiteral("--gruppe gilt nur für austausch liste und holen.");
            const std::optional<long> g = GanzzahlAusText(Parser().value(GruppeName));
            if (!g || *g < 1 || *g > FutterGruppenAnzahl)
                return QStringLiteral("Die Futterart (--gruppe) muss eine Zahl von 1 bis 5 sein, nicht: ")
                    + Gezeigt(Parser().value(GruppeName));
            gruppe = static_cast<int>(*g);
        }
        if (Parser().isSet(JaName) && art != Holen)
            return QStringLiteral("--ja gilt nur für austausch holen.");
        if (art == Liste) {
            if (Argumente().size() > 1)
                return QStringLiteral("austausch liste nimmt keine ID: ") + Gezeigt(Argumente().at(1));
            return QString();
        }
        if (art == Hochladen) {
            const std::optional<long> nummer = GanzzahlAusText(Argumente().value(1));
            if (!nummer || *nummer <= 0)
                return QStringLiteral("Geben Sie die Nummer (ID) des Futtermittels an, das hochgeladen werden soll.");
            id = *nummer;
            return QString();
        }
        datei = Argumente().value(1);
        if (!ServerFutterAusName(datei))
            return QStringLiteral("Geben Sie die Datei des Futtermittels an, wie austausch liste sie ausgibt (zum "
                                  "Beispiel 3_Rapsschrot.xml), nicht: ")
                + Gezeigt(datei);
        return QString();
    }

    int Lauf(QTextStream& aus) override
    {
        IdentitaetLesen();
        WartungsmodusLesen(programm().wartungsmodus);
        if (art == Hochladen && !programm().wartungsmodus) {
            Melden(QStringLiteral("Futtermittel teilen ist nur im Wartungsmodus möglich: kelvora --wartung "
                                  "austausch hochladen ID (oder Wartungsmodus=1 im Abschnitt [Programm] der "
                                  "KELVORA.INI)."));
            return Abgelehnt;
        }
        if (!AustauschEingestellt()) {
            Melden(AustauschFehltMeldung());
            return NichtVerfuegbar;
        }
        QString pfad;
        if (!Datenbankholen(QStringLiteral("Futter"), pfad))
            return EndeCode(NichtVerfuegbar);
        if (art == Holen)
            return Uebernehmen(aus);
        return art == Liste ? Auflisten(aus) : Teilen(aus);
    }

private:
    // The database's feeds and the server's files, as the listing compares
    // them; false after a message when either cannot be read.
    bool Lesen(int nurGruppe, QList<ServerFutter>& bekannt, ServerDateien& server)
    {
        if (!LokaleFutterLesen(bekannt)) {
            Melden(QStringLiteral("Die Futterdatenbank ") + programm().futterDatenbank
                + QStringLiteral(" kann nicht gelesen werden."));
            return false;
        }
        server = ServerDateienLesen(nurGruppe);
        if (!server.verbunden || !server.ordnerGefunden) {
            // The reason names the server; it is not always unreachable
            // (a refused login, a certificate, a folder, a size limit).
            Melden(QStringLiteral("Die Futtermittel des Austausch-Servers konnten nicht aufgelistet werden: ")
                + OhneSteuerzeichen(FtpLetzterFehler()));
            return false;
        }
        return true;
    }

    int Auflisten(QTextStream& aus)
    {
        QList<ServerFutter> bekannt;
        ServerDateien server;
        if (!Lesen(gruppe, bekannt, server))
            return NichtVerfuegbar;
        bool gekuerzt = false;
        // Names with control characters are no feed files (ServerFutterAusName):
        // every column stays one column.
        for (const ServerFutter& s : NeueServerFutter(server.namen, bekannt, &gekuerzt))
            aus << s.datei << '\t' << FutterGruppenName(s.gruppe) << '\t' << s.bezeichnung << '\n';
        if (gekuerzt)
            Melden(QStringLiteral("Auf dem Server liegen mehr als %1 Futtermittel; gelistet sind die ersten %1. "
                                  "Mit --gruppe lässt sich die Liste eingrenzen.")
                       .arg(ServerFutterHoechstzahl));
        return Erfolg;
    }

    int Teilen(QTextStream& aus)
    {
        FtpAbbruchZuruecksetzen();
        QString datei;
        switch (FutterHochladen(id, true, &datei)) {
        case Hochladeergebnis::Hochgeladen:
            aus << datei << '\n';
            return Erfolg;
        case Hochladeergebnis::OhneGruppe:
        case Hochladeergebnis::NichtDarstellbar:
            return Abgelehnt;
        case Hochladeergebnis::NichtGefunden:
            Melden(
                QStringLiteral("Es gibt kein Futtermittel mit der Nummer ") + QString::number(id) + QLatin1Char('.'));
            return FalscheAngaben;
        default:
            // The upload told its reason on stderr already.
            return NichtVerfuegbar;
        }
    }

    int Uebernehmen(QTextStream& aus)
    {
        QList<ServerFutter> bekannt;
        ServerDateien server;
        if (!Lesen(0, bekannt, server))
            return NichtVerfuegbar;
        // Exactly as listed: servers tell "1_x.XML" from "1_x.xml".
        const std::optional<ServerFutter> s = server.namen.contains(datei) ? ServerFutterAusName(datei) : std::nullopt;
        if (!s) {
            Melden(QStringLiteral("Die Datei ") + Gezeigt(datei)
                + QStringLiteral(" liegt nicht im Austauschordner des Servers; kelvora austausch liste zeigt, was "
                                 "es dort gibt."));
            return FalscheAngaben;
        }
        if (NeueServerFutter({ s->datei }, bekannt).isEmpty()) {
            Melden(QStringLiteral("Das Futtermittel \"") + s->bezeichnung + QStringLiteral("\" (")
                + FutterGruppenName(s->gruppe)
                + QStringLiteral(") gibt es schon in der Futterdatenbank; es wurde nicht noch einmal übernommen."));
            return Abgelehnt;
        }
        FtpAbbruchZuruecksetzen();
        FutterAusDatei futter;
        if (!ServerFutterHolen(s->datei, futter)) {
            Melden(QStringLiteral("Das Futtermittel konnte nicht geholt werden: ")
                + OhneSteuerzeichen(FtpLetzterFehler()));
            return NichtVerfuegbar;
        }
        const Eingabemaske m = MaskeAusServerFutter(gruppe != 0 ? gruppe : s->gruppe, futter);
        const Speichervorgang v = MaskeSpeichern(m, Parser().isSet(JaName) ? Nullwerte::Annehmen : Nullwerte::Fragen);
        if (!v.pruefung.bestanden) {
            const std::optional<Feld> feld = FeldNachName(v.pruefung.fokus);
            const QString wert = feld                                 ? m[*feld]
                : v.pruefung.fokus == QLatin1String("txtBezeichnung") ? m.bezeichnung
                                                                      : QString();
            Melden(QStringLiteral("Nicht übernommen: abgelehnt bei ") + v.pruefung.feld
                + (feld ? QStringLiteral(" (") + FeldName(*feld).mid(3) + QLatin1Char(')') : QString())
                + QStringLiteral(", Wert \"") + Gezeigt(wert)
                + QStringLiteral("\". Die Futterdatenbank ist unverändert."));
            return Abgelehnt;
        }
        if (v.ergebnis != Speicherergebnis::Gespeichert) {
            Melden(QStringLiteral("Das Futtermittel konnte nicht in ") + programm().futterDatenbank
                + QStringLiteral(" gespeichert werden; Einzelheiten stehen im Fehlerprotokoll."));
            return NichtVerfuegbar;
        }
        aus << v.id << '\n';
        return Erfolg;
    }

    QString art;
    int gruppe = 0;
    long id = 0;
    QString datei;
};

KELVORA_BEFEHL(AustauschBefehl)

} // namespace kelvora
