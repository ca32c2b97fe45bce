#include "feeds/FutterDatei.h"

#include "grundlagen/Formate.h"
#include "feeds/FutterbezogeneRoutinen.h"
#include "feeds/XMLRoutinen.h"

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
        QStringLiteral("Ca_gTM"), QStringLiteral("P_gTM") };
    return werte;
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
        z << vier + Element(FutterDateiWerte().at(i), w.isNull() ? QString() : DezimalText(w.toDouble()));
    }
    z << vier + QStringLiteral("<Erstellt>");
    if (!e1.isEmpty())
        z << acht + Element(QStringLiteral("E1"), e1);
    if (!e2.isEmpty())
        z << acht + Element(QStringLiteral("E2"), e2);
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
    if (!m.hasMatch())
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
    QStringList wer;
    for (const QString& e : { f.e1.trimmed(), f.e2.trimmed() })
        if (!e.isEmpty())
            wer << e;
    return QStringLiteral("erstellt von ")
        + (wer.isEmpty() ? QStringLiteral("unbekannt") : wer.join(QStringLiteral(", ")));
}

} // namespace kelvora
