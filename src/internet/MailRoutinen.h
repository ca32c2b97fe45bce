#pragma once
// Hands web pages and mail drafts to the desktop's default programs.

#include <QString>

namespace kelvora {

// Logs the check and reports a connection; a missing one shows itself
// later as a failed transfer.
bool InternetVerbindungOK();

bool WebseiteAufrufen(const QString& adresse);

// The mailto: address built from recipient, subject and body.
QString MailAdresse(const QString& empfaenger, const QString& betreff, const QString& text);
void MailAufrufen(QString& empfaenger, const QString& betreff, const QString& text);

// The mail draft of "E-Mail an den Programmierer".
void MailAnProgrammierer();

} // namespace kelvora
