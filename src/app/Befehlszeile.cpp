#include "app/Befehlszeile.h"

#include "app/befehle/Befehl.h"
#include "database/LieferDatenbank.h"
#include "frame/Programm.h"

#include <QCommandLineParser>
#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QStandardPaths>

namespace kelvora {

namespace {

const QString Aufruf = QStringLiteral("Aufruf: kelvora [Optionen]\n"
                                      "        kelvora [--datenordner ORDNER] BEFEHL [Angaben des Befehls]\n");

QString Hilfe(const QList<QCommandLineOption>& optionen)
{
    QList<std::pair<QString, QString>> befehle;
    for (const auto& b : AlleBefehle())
        befehle.append({b->Name(), b->Beschreibung()});
    return Aufruf + QLatin1Char('\n')
        + Umbrechen(QStringLiteral("Kelvora prüft die Tagesration einer Milchkuh. Ohne Befehl startet das "
                                   "Programm mit seinen Fenstern; die Befehle arbeiten ohne Bildschirm."),
                    0)
        + QStringLiteral("\nOptionen:\n") + OptionenText(optionen) + QStringLiteral("\nBefehle:\n")
        + Tabelle(befehle) + QStringLiteral("\nDie Angaben eines Befehls zeigt: kelvora BEFEHL --help\n");
}

// The program's own options. Qt's window options (-platform, -style, ...)
// are accepted for the program with windows; QApplication takes them.
struct Optionen {
    QCommandLineOption datenordner{
        QStringLiteral("datenordner"),
        QStringLiteral("Ordner für Futterdatenbank, Einstellungen und Protokolle (sonst KELVORA_DATENORDNER "
                       "oder der Programmordner)."),
        QStringLiteral("ORDNER")};
    QCommandLineOption version{QStringLiteral("version"),
                               QStringLiteral("Gibt Programmname und Versionsdatum aus.")};
    QCommandLineOption selbsttest{
        QStringLiteral("selbsttest"),
        QStringLiteral("Startet normal, wartet auf das Hauptfenster und beendet das Programm wieder.")};
    QCommandLineOption wartung{
        QStringLiteral("wartung"),
        QStringLiteral("Wartungsmodus: Futtermittel können mit anderen Anwendern geteilt werden (auch mit "
                       "Wartungsmodus=1 im Abschnitt [Programm] der KELVORA.INI).")};
    QCommandLineOption hilfe{{QStringLiteral("h"), QStringLiteral("help")}, QStringLiteral("Zeigt diese Hilfe.")};

    QList<QCommandLineOption> Alle() const { return {datenordner, version, selbsttest, wartung, hilfe}; }
};

QList<QCommandLineOption> QtOptionen()
{
    QList<QCommandLineOption> liste;
    for (const char* name : {"platform", "style", "stylesheet", "qwindowgeometry", "qwindowtitle", "display"})
        liste.append(QCommandLineOption(QString::fromLatin1(name), QString(), QStringLiteral("WERT")));
    liste.append(QCommandLineOption(QStringLiteral("reverse"), QString()));
    for (QCommandLineOption& o : liste)
        o.setFlags(QCommandLineOption::HiddenFromHelp);
    return liste;
}

QString Strich(const QString& name)
{
    return (name.size() == 1 ? QStringLiteral("-") : QStringLiteral("--")) + name;
}

} // namespace

QString DatenordnerFehltText()
{
    return QStringLiteral("Nach --datenordner fehlt der Ordner.");
}

Befehlszeile BefehlszeileLesen(const QStringList& argumente)
{
    Befehlszeile bz;
    const Optionen o;
    QCommandLineParser parser;
    parser.setSingleDashWordOptionMode(QCommandLineParser::ParseAsLongOptions);
    // Everything after the command's name belongs to the command.
    parser.setOptionsAfterPositionalArgumentsMode(QCommandLineParser::ParseAsPositionalArguments);
    parser.addOptions(o.Alle());
    parser.addOptions(QtOptionen());

    if (!parser.parse(argumente)) {
        const QStringList unbekannt = parser.unknownOptionNames();
        if (!unbekannt.isEmpty())
            bz.fehler = QStringLiteral("Unbekannte Angabe auf der Befehlszeile: ") + Strich(unbekannt.first());
        else if (argumente.size() > 1 && argumente.last().endsWith(QLatin1String("datenordner")))
            bz.fehler = DatenordnerFehltText();
        else
            bz.fehler = QStringLiteral("Die Befehlszeile ist nicht lesbar (") + parser.errorText()
                + QStringLiteral(").");
        return bz;
    }
    bz.version = parser.isSet(o.version);
    bz.selbsttest = parser.isSet(o.selbsttest);
    bz.hilfe = parser.isSet(o.hilfe);
    bz.wartung = parser.isSet(o.wartung);
    if (parser.isSet(o.datenordner)) {
        bz.datenordner = parser.value(o.datenordner);
        // An empty folder would put the settings into the working folder.
        if (bz.datenordner.trimmed().isEmpty()) {
            bz.fehler = DatenordnerFehltText();
            return bz;
        }
    }
    const QStringList rest = parser.positionalArguments();
    if (!rest.isEmpty()) {
        if (!BefehlNach(rest.first())) {
            bz.fehler = QStringLiteral("Unbekannter Befehl: ") + rest.first();
            return bz;
        }
        bz.befehl = rest.first();
        bz.befehlsWoerter = rest.mid(1);
    }
    return bz;
}

bool OhneFenster(const Befehlszeile& bz)
{
    return !bz.fehler.isEmpty() || bz.version || bz.hilfe || !bz.befehl.isEmpty();
}

bool BrauchtGrafik(const Befehlszeile& bz)
{
    const std::unique_ptr<Befehl> befehl = bz.fehler.isEmpty() ? BefehlNach(bz.befehl) : nullptr;
    return befehl && befehl->BrauchtAnwendung() == Befehl::Anwendung::Grafik;
}

int OhneFensterAusfuehren(const Befehlszeile& bz, QTextStream& aus, QTextStream& fehler)
{
    if (!bz.fehler.isEmpty()) {
        fehler << bz.fehler << '\n' << QStringLiteral("Mehr dazu: kelvora --help") << Qt::endl;
        return Befehl::FalscheAngaben;
    }
    programm().wartungsmodus = bz.wartung;
    if (!bz.befehl.isEmpty())
        return BefehlNach(bz.befehl)->Ausfuehren(bz.befehlsWoerter, bz.datenordner, aus, fehler);
    if (bz.hilfe)
        aus << Hilfe(Optionen().Alle());
    else
        aus << Programmtitel() << '\n';
    aus.flush();
    return Befehl::Erfolg;
}

int BefehlszeileAusfuehren(const QStringList& argumente, QTextStream& aus, QTextStream& fehler)
{
    return OhneFensterAusfuehren(BefehlszeileLesen(argumente), aus, fehler);
}

QString VorgabeDatenordner()
{
    QString ordner = qEnvironmentVariable("KELVORA_DATENORDNER");
    if (ordner.isEmpty()) {
        ordner = QCoreApplication::applicationDirPath();
        if (!QFileInfo(ordner).isWritable())
            ordner = QStandardPaths::writableLocation(QStandardPaths::AppDataLocation);
    }
    return ordner;
}

QString DatenordnerVorbereiten(const QString& gewaehlt)
{
    const QString ordner = gewaehlt.isEmpty() ? VorgabeDatenordner() : gewaehlt;
    if (!QDir().mkpath(ordner))
        return QStringLiteral("Der Datenordner ") + ordner
            + QStringLiteral(" kann nicht angelegt werden. Bitte prüfen Sie den Pfad und die Zugriffsrechte.");
    DatenordnerSetzen(ordner);
    DatenordnerEinrichten(LieferOrdner());
    return QString();
}

QString DatenordnerVorbereiten(const Befehlszeile& bz)
{
    return DatenordnerVorbereiten(bz.datenordner);
}

} // namespace kelvora
