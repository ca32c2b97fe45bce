// "kelvora version-pruefen": the update search of "Version prüfen" without a
// screen. Runs at once whatever the interval says and prints the outcome
// instead of asking: a newer version and its date, or that this one is up
// to date. When the server has no version file, gives no readable date or
// cannot be reached, a German line on stderr says so.

#include "app/befehle/Befehl.h"
#include "frame/Hauptmenue.h"
#include "frame/Programm.h"
#include "internet/CurlHilfen.h"
#include "internet/UpdateSuchen.h"

namespace kelvora {

class VersionPruefenBefehl final : public Befehl {
public:
    VersionPruefenBefehl()
        : Befehl(QStringLiteral("version-pruefen"),
            QStringLiteral("Sieht beim Update-Server nach, ob es eine neuere Version gibt ([Update] Adresse "
                           "in KELVORA.INI)."))
    {
    }

protected:
    int Lauf(QTextStream& aus) override
    {
        UpdateSucheAnfordern(UpdateAusloeser::Befehlszeile);
        const UpdateErgebnis e = UpdateSuchen();
        const VersionsAuskunft& a = e.auskunft;
        const QString adresse = ZugangVerbergen(UpdateAdresse());
        const QString datum = a.imInternet.toString(QStringLiteral("dd.MM.yyyy"));
        int code = Erfolg;
        if (!e.gesucht) {
            Melden(QStringLiteral("Die Suche nach einer neuen Version wurde nicht ausgeführt."));
            code = NichtVerfuegbar;
        } else {
            switch (a.stand) {
            case VersionsStand::Neuer:
                aus << "neu\t" << datum << '\n';
                break;
            case VersionsStand::Aktuell:
                aus << "aktuell\t" << datum << '\n';
                break;
            case VersionsStand::DateiFehlt:
                Melden(QStringLiteral("Auf dem Update-Server gibt es die Versionsdatei nicht: ") + adresse);
                code = NichtVerfuegbar;
                break;
            case VersionsStand::KeineAngabe:
                Melden(QStringLiteral("Die Versionsdatei ") + adresse
                    + QStringLiteral(" nennt kein lesbares Datum für ") + Programmname() + QLatin1Char('.'));
                code = NichtVerfuegbar;
                break;
            case VersionsStand::ServerFehler:
                Melden(QStringLiteral("Der Update-Server gibt die Versionsdatei nicht heraus: ") + a.fehler);
                code = NichtVerfuegbar;
                break;
            case VersionsStand::NichtErreichbar:
                Melden(QStringLiteral("Der Update-Server ist nicht erreichbar: ") + a.fehler
                    + QStringLiteral(" Bitte prüfen Sie die Verbindung zum Internet und die Adresse in "
                                     "KELVORA.INI (Abschnitt [Update], „Adresse“)."));
                code = NichtVerfuegbar;
                break;
            case VersionsStand::KeinServer:
                Melden(QStringLiteral("Es ist kein Update-Server eingetragen. Bitte tragen Sie die Adresse der "
                                      "Versionsdatei in KELVORA.INI im Abschnitt [Update] unter „Adresse“ ein."));
                code = NichtVerfuegbar;
                break;
            }
        }
        if (!a.schreibfehler.isEmpty()) {
            Melden(a.schreibfehler);
            code = NichtVerfuegbar;
        }
        aus.flush();
        return code;
    }
};

KELVORA_BEFEHL(VersionPruefenBefehl)

} // namespace kelvora
