#include "internet/SupportAngaben.h"

#include "frame/FunktionenFuerINI.h"
#include "frame/Hauptmenue.h"
#include "frame/INIDatei.h"
#include "frame/Programm.h"
#include "frame/Protokoll.h"

#include <QDir>
#include <QFileInfo>
#include <QProcess>
#include <QStandardPaths>
#include <QStringEncoder>

namespace kelvora {

namespace {

const QString Programm = QStringLiteral("Programm");
const QString Fenster = QStringLiteral("Informationsfenster");

// The settings file is Windows-1252: a character outside it would come back
// as "?".
QString NichtSpeicherbar(const QString& text)
{
    QStringEncoder kodieren("windows-1252");
    QStringDecoder dekodieren("windows-1252");
    for (qsizetype i = 0; i < text.size(); ++i) {
        const qsizetype laenge = text[i].isHighSurrogate() && i + 1 < text.size() ? 2 : 1;
        const QString zeichen = text.mid(i, laenge);
        const QString zurueck = dekodieren(QByteArray(kodieren(zeichen)));
        if (zurueck != zeichen)
            return zeichen;
        i += laenge - 1;
    }
    return QString();
}

QString FernwartungHinweis()
{
    return QStringLiteral(" Bitte prüfen Sie den Eintrag „Fernwartung“ im Abschnitt [Programm] der Datei "
                          "KELVORA.INI.");
}

// Where the entry points; empty when nothing of that name can be found.
QString FernwartungPfad(const QString& eintrag)
{
    if (QDir::isAbsolutePath(eintrag))
        return eintrag;
    const QString imDatenordner = QDir(programm().datenordner).absoluteFilePath(eintrag);
    if (QFileInfo::exists(imDatenordner) || eintrag.contains(QLatin1Char('/')) || eintrag.contains(QDir::separator()))
        return imDatenordner;
    return QStandardPaths::findExecutable(eintrag);
}

} // namespace

SupportAngaben SupportAngabenLesen()
{
    SupportAngaben a;
    a.name = INILesen(Programm, QStringLiteral("E1"));
    a.adresse = INILesen(Programm, QStringLiteral("E2"));
    a.absenderName = INILesen(Fenster, QStringLiteral("txtAbsenderName"));
    a.absenderEmail = INILesen(Fenster, QStringLiteral("txtAbsenderEmail"));
    a.absenderAdresse = INILesen(Fenster, QStringLiteral("txtAbsenderAdresse"));
    return a;
}

QString SupportAngabenSpeichern(const SupportAngaben& a)
{
    struct Feld {
        QString abschnitt, schluessel, wert, bezeichnung;
    };
    const Feld felder[] = {
        { Programm, QStringLiteral("E1"), a.name.trimmed(), QStringLiteral("Name") },
        { Programm, QStringLiteral("E2"), a.adresse.trimmed(), QStringLiteral("Anschrift") },
        { Fenster, QStringLiteral("txtAbsenderName"), a.absenderName.trimmed(), QStringLiteral("Absender") },
        { Fenster, QStringLiteral("txtAbsenderEmail"), a.absenderEmail.trimmed(), QStringLiteral("E-Mail") },
        { Fenster, QStringLiteral("txtAbsenderAdresse"), a.absenderAdresse.trimmed(),
            QStringLiteral("Anschrift des Absenders") },
    };
    for (const Feld& f : felder) {
        const QString c = NichtSpeicherbar(f.wert);
        if (!c.isEmpty())
            return QStringLiteral("Das Zeichen „%1“ im Feld „%2“ kann in den Einstellungen nicht gespeichert werden. "
                                  "Bitte ersetzen Sie es (zum Beispiel durch den Buchstaben ohne Akzent).")
                .arg(c, f.bezeichnung);
    }
    QList<ini::Eintrag> programmZeilen, fensterZeilen;
    for (const Feld& f : felder)
        (f.abschnitt == Programm ? programmZeilen : fensterZeilen).append({ f.schluessel, f.wert });
    if (!INISpeichernMehrere(Programm, programmZeilen) || !INISpeichernMehrere(Fenster, fensterZeilen))
        return QStringLiteral("Die Angaben konnten nicht gespeichert werden: Die Datei %1 ist nicht "
                              "beschreibbar. Bitte prüfen Sie die Zugriffsrechte des Datenordners.")
            .arg(programm().iniPfad);
    IdentitaetLesen();
    return QString();
}

bool IdentitaetAusKontaktIni()
{
    const QString kontakt = KontaktIniPfad();
    return !INILesenAusDatei(Programm, QStringLiteral("E1"), QString(), kontakt).isEmpty()
        && !INILesenAusDatei(Programm, QStringLiteral("E2"), QString(), kontakt).isEmpty();
}

QString NachrichtAnDenAutor(const SupportAngaben& a, const QString& text)
{
    QString n = QStringLiteral("Hallo!\r\n\r\n") + text.trimmed();
    n.replace(QStringLiteral("\r\n"), QStringLiteral("\n")).replace(QLatin1Char('\n'), QStringLiteral("\r\n"));
    n += QStringLiteral("\r\n\r\n");
    for (const QString& z : { a.absenderName, a.absenderAdresse, a.absenderEmail }) {
        if (!z.trimmed().isEmpty())
            n += z.trimmed() + QStringLiteral("\r\n");
    }
    n += QStringLiteral("\r\n") + Programmtitel() + QStringLiteral("\r\nDatenordner: ") + programm().datenordner
        + QStringLiteral("\r\n");
    return n;
}

QString FernwartungEintrag()
{
    // Read past the usual 100 characters: paths can be long. The reader
    // takes off enclosing quotes, which Windows users write around paths
    // with blanks; no shell does it here.
    return ini::Lesen(programm().iniPfad, Programm, QStringLiteral("Fernwartung"), QString(), 1000).trimmed();
}

QString FernwartungStarten()
{
    const QString eintrag = FernwartungEintrag();
    QString fehler;
    const QString pfad = eintrag.isEmpty() ? QString() : FernwartungPfad(eintrag);
    const QFileInfo info(pfad);
    const QString genannt
        = QStringLiteral("Das Fernwartungsprogramm „") + QDir::toNativeSeparators(eintrag) + QStringLiteral("“ ");
    if (eintrag.isEmpty())
        fehler = QStringLiteral("Es ist kein Fernwartungsprogramm eingetragen.");
    else if (pfad.isEmpty() || !info.exists())
        fehler = genannt + QStringLiteral("gibt es nicht")
            + (pfad.isEmpty() ? QStringLiteral(" (weder im Datenordner noch im Suchpfad).")
                              : QStringLiteral(" (gesucht: ") + QDir::toNativeSeparators(pfad) + QStringLiteral(")."));
    else if (info.isDir())
        fehler = genannt + QStringLiteral("ist ein Ordner, kein Programm.");
    else if (!info.isExecutable())
        fehler = genannt + QStringLiteral("ist nicht als ausführbar gekennzeichnet.");
    if (!fehler.isEmpty()) {
        FehlerProtokollieren(QStringLiteral("FernwartungStarten: ") + fehler);
        return fehler + FernwartungHinweis();
    }

    QProcess prozess;
    prozess.setProgram(info.absoluteFilePath());
    prozess.setWorkingDirectory(info.absolutePath());
    qint64 nummer = 0;
    if (!prozess.startDetached(&nummer)) {
        fehler = genannt + QStringLiteral("konnte nicht gestartet werden; das System führt es nicht aus.");
        FehlerProtokollieren(QStringLiteral("FernwartungStarten: ") + fehler + QStringLiteral(" [")
            + prozess.errorString() + QLatin1Char(']'));
        return fehler + FernwartungHinweis();
    }
    ProtokollSchreiben(QStringLiteral("Fernwartung gestartet: ") + info.absoluteFilePath()
        + QStringLiteral(" (Prozess ") + QString::number(nummer) + QLatin1Char(')'));
    return QString();
}

} // namespace kelvora
