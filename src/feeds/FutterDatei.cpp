#include "feeds/FutterDatei.h"

#include "feeds/FutterbezogeneRoutinen.h"
#include "feeds/XMLRoutinen.h"
#include "grundlagen/Formate.h"
#include "grundlagen/Textbereinigung.h"

#include <QRegularExpression>

namespace kelvora {

namespace {

QString Element(const QString& tag, const QString& wert)
{
    return QLatin1Char('<') + tag + QLatin1Char('>') + wert + QStringLiteral("</") + tag + QLatin1Char('>');
}

QString Zeitpunkt(const QDateTime& t)
{
    return t.toString(QStringLiteral("dd.MM.yyyy HH:mm:ss"));
}

} // namespace

const QStringList& FutterDateiWerte()
{
    static const QStringList werte = { QStringLiteral("TM_g"), QStringLiteral("XP_gTM"), QStringLiteral("UDP_gTM"),
        QStringLiteral("NDF_gTM"), QStringLiteral("ADF_gTM"), QStringLiteral("NFC_gTM"), QStringLiteral("NEL_MJTM"),
        QStringLiteral("Ca_gTM"), QStringLiteral("P_gTM"), QStringLiteral("ME_MJTM"), QStringLiteral("nXP_gTM"),
        QStringLiteral("RNB_gTM"), QStringLiteral("Mg_gTM"), QStringLiteral("Na_gTM"), QStringLiteral("K_gTM"),
        QStringLiteral("Cu_mgTM"), QStringLiteral("Zn_mgTM"), QStringLiteral("Mn_mgTM") };
    return werte;
}

int FutterDateiGrundwerte()
{
    return 9;
}

QString ServerNamensform(const QString& bezeichnung)
{
    QString n = bezeichnung.trimmed();
    n.replace(QLatin1Char(' '), QLatin1Char('_'));
    n.replace(QLatin1Char('/'), QLatin1Char('-'));
    n.replace(QLatin1Char('\\'), QLatin1Char('-'));
    return n;
}

QString FutterDateiName(int gruppe, const QString& bezeichnung)
{
    return QString::number(gruppe) + QLatin1Char('_') + ServerNamensform(bezeichnung) + QStringLiteral(".xml");
}

QStringList FutterDateiZeilen(const FutterFuerDatei& f, const QString& e1, const QString& e2, const QDateTime& jetzt)
{
    const QString vier = QStringLiteral("    ");
    const QString acht = vier + vier;
    QStringList z;
    z << QStringLiteral("<Futtermittel>");
    z << vier + Element(QStringLiteral("FutterartKelvora"), FutterGruppenName(f.gruppe));
    z << vier + Element(QStringLiteral("Bezeichnung"), f.bezeichnung);
    for (qsizetype i = 0; i < FutterDateiWerte().size(); ++i) {
        const QVariant w = f.werte.value(i);
        // The German values are additional tags, written only where the
        // feed has one, so that a file of a feed without them stays as before.
        if (i >= FutterDateiGrundwerte() && (w.isNull() || w.toDouble() == 0))
            continue;
        z << vier + Element(FutterDateiWerte().at(i), w.isNull() ? QString() : DezimalText(w.toDouble()));
    }
    z << vier + QStringLiteral("<Erstellt>");
    // One element per line: a line break in an identity line would end it.
    for (const auto& [tag, wert] :
        { std::pair { "E1", OhneSteuerzeichen(e1) }, std::pair { "E2", OhneSteuerzeichen(e2) } })
        if (!wert.isEmpty())
            z << acht + Element(QLatin1String(tag), wert);
    // Dates older than twenty years are placeholders of old databases.
    const QDateTime grenze(QDate(jetzt.date().year() - 20, 1, 1), QTime(0, 0));
    if (f.angelegt.isValid() && f.angelegt > grenze)
        z << acht + Element(QStringLiteral("Angelegt"), Zeitpunkt(f.angelegt));
    if (f.letzteAenderung.isValid() && f.letzteAenderung > grenze)
        z << acht + Element(QStringLiteral("LetzteAenderung"), Zeitpunkt(f.letzteAenderung));
    z << acht + Element(QStringLiteral("Hochgeladen"), Zeitpunkt(jetzt));
    z << vier + QStringLiteral("</Erstellt>");
    z << QStringLiteral("</Futtermittel>");
    return z;
}

std::optional<ServerFutter> ServerFutterAusName(const QString& datei)
{
    static const QRegularExpression muster(
        QStringLiteral("^([1-5])_(.+)\\.xml$"), QRegularExpression::CaseInsensitiveOption);
    const QRegularExpressionMatch m = muster.match(datei);
    // A name with a folder in it is no file of this folder (fetched, it
    // would land outside the data folder); one with control characters can
    // be neither fetched nor shown in a column.
    if (!m.hasMatch() || datei.contains(QLatin1Char('/')) || datei.contains(QLatin1Char('\\'))
        || OhneSteuerzeichen(datei) != datei)
        return std::nullopt;
    ServerFutter s;
    s.datei = datei;
    s.gruppe = m.captured(1).toInt();
    s.bezeichnung = m.captured(2).replace(QLatin1Char('_'), QLatin1Char(' '));
    return s;
}

FutterAusDatei FutterDateiLesen(const QString& text)
{
    FutterAusDatei f;
    f.bezeichnung = XMLWert(text, QStringLiteral("Bezeichnung"));
    for (const QString& tag : FutterDateiWerte())
        f.werte << XMLWert(text, tag);
    f.e1 = XMLWert(text, QStringLiteral("E1"));
    f.e2 = XMLWert(text, QStringLiteral("E2"));
    return f;
}

QString ErstelltVonText(const FutterAusDatei& f)
{
    // Lines from a stranger's file: no control characters, and not so long
    // that they push the editor's window apart.
    constexpr qsizetype Hoechstens = 100;
    QStringList wer;
    for (const QString& e : { f.e1, f.e2 }) {
        const QString sauber = OhneSteuerzeichen(e).trimmed();
        if (!sauber.isEmpty())
            wer << (sauber.size() > Hoechstens ? sauber.left(Hoechstens) + QStringLiteral("…") : sauber);
    }
    return QStringLiteral("erstellt von ")
        + (wer.isEmpty() ? QStringLiteral("unbekannt") : wer.join(QStringLiteral(", ")));
}

Eingabemaske MaskeAusServerFutter(int gruppe, const FutterAusDatei& f)
{
    Eingabemaske m;
    // The editor's group list holds "Alle Futtermittel" before the five
    // groups, so a group's position in it is its code.
    m.gruppenIndex = gruppe >= 1 && gruppe <= FutterGruppenAnzahl ? gruppe : -1;
    m.gruppe = m.gruppenIndex > 0 ? gruppe : 0;
    m.bezeichnung = OhneSteuerzeichen(f.bezeichnung).trimmed();
    for (qsizetype i = 0; i < FutterDateiWerte().size(); ++i)
        if (const std::optional<Feld> feld = FeldNachName(QStringLiteral("txt") + FutterDateiWerte().at(i)))
            m[*feld] = f.werte.value(i).trimmed();
    NeuBerechnen(m);
    return m;
}

} // namespace kelvora
