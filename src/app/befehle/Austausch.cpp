// "kelvora austausch liste|hochladen": the feed exchange without a screen.
// "liste" prints the server's feeds that are not yet in the local database,
// as the feed list's button "Aus dem Internet" finds them; "hochladen"
// shares one feed as the editor's button "Teilen" does, without questions
// (a file of the same name on the server is replaced). Sharing needs
// maintainer mode.

#include "app/befehle/Befehl.h"
#include "database/Datenbankholen.h"
#include "feeds/FutterAustausch.h"
#include "feeds/FutterbezogeneRoutinen.h"
#include "frame/Hauptmenue.h"
#include "frame/Programm.h"

namespace kelvora {

namespace {

const QString GruppeName = QStringLiteral("gruppe");

} // namespace

class AustauschBefehl final : public Befehl {
public:
    AustauschBefehl()
        : Befehl(QStringLiteral("austausch"),
            QStringLiteral("Tauscht Futtermittel über den Austausch-Server aus (Abschnitt [Austausch] der "
                           "KELVORA.INI)."))
    {
        ArgumentHinzufuegen(QStringLiteral("liste|hochladen"),
            QStringLiteral("liste: die Futtermittel des Servers, die es hier noch nicht gibt (Datei, Futterart, "
                           "Bezeichnung); hochladen: ein Futtermittel teilen (nur im Wartungsmodus, kelvora "
                           "--wartung austausch hochladen ID)."));
        ArgumentHinzufuegen(QStringLiteral("[ID]"), QStringLiteral("Die Nummer des Futtermittels für hochladen."));
        OptionHinzufuegen(QCommandLineOption(GruppeName,
            QStringLiteral("Nur Futtermittel dieser Futterart listen: 1 Grundfutter, 2 Energieträger, 3 "
                           "Eiweißträger, 4 Industrielle Nebenprodukte, 5 Mineralfutter."),
            QStringLiteral("N")));
    }

protected:
    QString Pruefen() override
    {
        art = Argumente().value(0).toLower();
        if (art == QLatin1String("liste")) {
            if (Argumente().size() > 1)
                return QStringLiteral("austausch liste nimmt keine ID: ") + Argumente().at(1);
            if (Parser().isSet(GruppeName)) {
                bool zahl = false;
                gruppe = Parser().value(GruppeName).toInt(&zahl);
                if (!zahl || gruppe < 1 || gruppe > FutterGruppenAnzahl)
                    return QStringLiteral("Die Futterart (--gruppe) muss eine Zahl von 1 bis 5 sein, nicht: ")
                        + Parser().value(GruppeName);
            }
            return QString();
        }
        if (art == QLatin1String("hochladen")) {
            if (Parser().isSet(GruppeName))
                return QStringLiteral("--gruppe gilt nur für austausch liste.");
            bool zahl = false;
            id = Argumente().value(1).toLong(&zahl);
            if (!zahl || id <= 0)
                return QStringLiteral("Geben Sie die Nummer (ID) des Futtermittels an, das hochgeladen werden soll.");
            return QString();
        }
        return QStringLiteral("Geben Sie an, was geschehen soll: liste oder hochladen.");
    }

    int Lauf(QTextStream& aus) override
    {
        IdentitaetLesen();
        WartungsmodusLesen(programm().wartungsmodus);
        if (art == QLatin1String("hochladen") && !programm().wartungsmodus) {
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
        return art == QLatin1String("liste") ? Liste(aus) : Hochladen(aus);
    }

private:
    int Liste(QTextStream& aus)
    {
        QList<ServerFutter> bekannt;
        if (!LokaleFutterLesen(bekannt)) {
            Melden(QStringLiteral("Die Futterdatenbank ") + programm().futterDatenbank
                + QStringLiteral(" kann nicht gelesen werden."));
            return NichtVerfuegbar;
        }
        const ServerDateien server = ServerDateienLesen(gruppe);
        if (!server.verbunden || !server.ordnerGefunden) {
            Melden(QStringLiteral("Der Austausch-Server ") + AustauschZugang().server
                + QStringLiteral(" kann nicht erreicht werden: ") + FtpLetzterFehler());
            return NichtVerfuegbar;
        }
        bool gekuerzt = false;
        for (const ServerFutter& s : NeueServerFutter(server.namen, bekannt, &gekuerzt))
            aus << s.datei << '\t' << FutterGruppenName(s.gruppe) << '\t' << s.bezeichnung << '\n';
        if (gekuerzt)
            Melden(QStringLiteral("Auf dem Server liegen mehr als %1 Futtermittel; gelistet sind die ersten %1. "
                                  "Mit --gruppe lässt sich die Liste eingrenzen.")
                       .arg(ServerFutterHoechstzahl));
        return Erfolg;
    }

    int Hochladen(QTextStream& aus)
    {
        FtpAbbruchZuruecksetzen();
        QString datei;
        switch (FutterHochladen(id, true, &datei)) {
        case Hochladeergebnis::Hochgeladen:
            aus << datei << '\n';
            return Erfolg;
        case Hochladeergebnis::OhneGruppe:
            return Abgelehnt;
        case Hochladeergebnis::NichtGefunden:
            Melden(
                QStringLiteral("Es gibt kein Futtermittel mit der Nummer ") + QString::number(id) + QLatin1Char('.'));
            return FalscheAngaben;
        default:
            Melden(QStringLiteral("Das Futtermittel konnte nicht hochgeladen werden: ") + FtpLetzterFehler());
            return NichtVerfuegbar;
        }
    }

    QString art;
    int gruppe = 0;
    long id = 0;
};

KELVORA_BEFEHL(AustauschBefehl)

} // namespace kelvora
