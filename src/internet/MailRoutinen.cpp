#include "internet/MailRoutinen.h"

#include "frame/Oberflaeche.h"
#include "frame/Programm.h"
#include "frame/Protokoll.h"
#include "internet/CurlHilfen.h"

namespace kelvora {

bool InternetVerbindungOK()
{
    ProtokollSchreiben(QStringLiteral("suche nach Internet-Verbindung ....."), 4);
    ProtokollSchreiben(QStringLiteral("    ."));
    ProtokollSchreiben(QStringLiteral("InternetVerbindungOK = Wahr"), 4);
    return true;
}

bool WebseiteAufrufen(const QString& adresse)
{
    if (adresse.trimmed().isEmpty()) {
        FehlerProtokollieren(QStringLiteral("WebseiteAufrufen: KEINE Adresse übergeben!"));
        return false;
    }
    if (!ui().AdresseOeffnen(adresse)) {
        MsgBox(QStringLiteral("Wahrscheinlich ist kein Standard-Browser eingestellt!"), Knoepfe::OK, Symbol::Kritisch,
               Antwort::OK, QStringLiteral("Fehler beim Aufruf einer Website"));
        FehlerProtokollieren(ZugangVerbergen(adresse)
                             + QStringLiteral(" kann nicht geöffnet werden: Wahrscheinlich ist kein "
                                              "Standard-Browser eingestellt!"));
        return false;
    }
    ProtokollSchreiben(ZugangVerbergen(adresse) + QStringLiteral(" geöffnet um ")
                       + ui().Jetzt().toString(QStringLiteral("dd.MM.yyyy hh:mm:ss")));
    return true;
}

QString MailAdresse(const QString& empfaenger, const QString& betreff, const QString& text)
{
    QString adresse = QStringLiteral("mailto:") + empfaenger + QStringLiteral("?Subject=") + betreff;
    if (!text.trimmed().isEmpty()) {
        QString body = text;
        body.replace(QStringLiteral("\r\n"), QStringLiteral("%0D%0A"));
        adresse += QStringLiteral("&Body=") + body;
    }
    return adresse;
}

void MailAufrufen(QString& empfaenger, const QString& betreff, const QString& text)
{
    if (!ui().AdresseOeffnen(MailAdresse(empfaenger, betreff, text)))
        MsgBox(QStringLiteral("Wahrscheinlich ist keine Mail-Anwendung vorhanden!"), Knoepfe::OK, Symbol::Kritisch,
               Antwort::OK, QStringLiteral("Fehler beim Aufruf"));
}

void MailAnProgrammierer()
{
    QString empfaenger = SupportAdresse();
    MailAufrufen(empfaenger, Programmname(), QStringLiteral("Hallo!\r\n\r\n"));
}

} // namespace kelvora
