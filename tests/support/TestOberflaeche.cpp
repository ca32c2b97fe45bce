#include "TestOberflaeche.h"

#include <QTest>

namespace kelvora::test {

TestOberflaeche::TestOberflaeche()
    : uhr(QDate(2026, 12, 4), QTime(10, 0, 0))
{
    OberflaecheSetzen(this);
}

TestOberflaeche::~TestOberflaeche()
{
    OberflaecheSetzen(nullptr);
}

Antwort TestOberflaeche::MsgBox(const QString& text, Knoepfe knoepfe, Symbol symbol, Antwort standard,
                                const QString& titel)
{
    meldungen.append({text, titel, knoepfe, symbol, standard});
    if (knoepfe == Knoepfe::OK)
        return Antwort::OK;
    if (antworten.isEmpty()) {
        QTest::qFail(qPrintable(QStringLiteral("unerwartete Frage: ") + text), __FILE__, __LINE__);
        return standard;
    }
    return antworten.takeFirst();
}

std::optional<QString> TestOberflaeche::TextAbfragen(const QString& text, const QString&, const QString&)
{
    textFragen.append(text);
    if (textAntworten.isEmpty()) {
        QTest::qFail(qPrintable(QStringLiteral("unerwartete Frage: ") + text), __FILE__, __LINE__);
        return std::nullopt;
    }
    return textAntworten.takeFirst();
}

void TestOberflaeche::StatuszeileZeigen(qint64 farbe, const QString& text, int sekunden, bool ausblenden)
{
    statuszeilen.append({farbe, text, sekunden, ausblenden});
}

void TestOberflaeche::DatenbankAnzeigeSetzen(const QString& text, qint64 farbe, bool durchsichtig)
{
    anzeigeText = text;
    anzeigeFarbe = farbe;
    anzeigeDurchsichtig = durchsichtig;
    anzeigeFarben.append(farbe);
}

void TestOberflaeche::Sanduhr(bool an)
{
    sanduhrTiefe += an ? 1 : -1;
}

void TestOberflaeche::Warten(int ms)
{
    wartezeiten.append(ms);
    if (beimWarten)
        beimWarten(ms);
    uhr = uhr.addMSecs(ms);
}

bool TestOberflaeche::AdresseOeffnen(const QString& adresse)
{
    geoeffneteAdressen.append(adresse);
    return adresseOeffnenGelingt;
}

void TestOberflaeche::ProgrammBeenden(int code)
{
    beendetMitCode = code;
}

QStringList TestOberflaeche::Texte() const
{
    QStringList t;
    for (const auto& m : meldungen)
        t.append(m.text);
    return t;
}

} // namespace kelvora::test
