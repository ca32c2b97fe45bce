#pragma once
// The scripted seam for tests: answers are queued before the action, every
// shown text is recorded, an unexpected message box fails the test, time is
// set by the test and waits take no time (they advance the set clock).

#include "frame/Oberflaeche.h"

#include <QList>
#include <QStringList>
#include <functional>

namespace kelvora::test {

struct GezeigteMeldung {
    QString text;
    QString titel;
    Knoepfe knoepfe;
    Symbol symbol;
    Antwort standard;
};

struct GezeigteStatuszeile {
    qint64 farbe;
    QString text;
    int sekunden;
    bool ausblenden;
};

class TestOberflaeche final : public Oberflaeche {
public:
    TestOberflaeche();
    ~TestOberflaeche() override;

    // Queue the answer for the next message box.
    void Antworten(Antwort a) { antworten.append(a); }

    Antwort MsgBox(const QString& text, Knoepfe knoepfe, Symbol symbol, Antwort standard,
                   const QString& titel) override;
    void StatuszeileZeigen(qint64 farbe, const QString& text, int sekunden, bool ausblenden) override;
    QString DatenbankAnzeigeText() override { return anzeigeText; }
    void DatenbankAnzeigeSetzen(const QString& text, qint64 farbe, bool durchsichtig) override;
    void Sanduhr(bool an) override;
    void EreignisseVerarbeiten() override { ++ereignisseVerarbeitet; }
    void Warten(int ms) override;
    QDateTime Jetzt() override { return uhr; }
    bool AdresseOeffnen(const QString& adresse) override;
    void ProgrammBeenden(int code) override;
    // Takes the next queued text answer (none: cancelled); asked without one
    // queued fails the test as an unexpected message box does.
    std::optional<QString> TextAbfragen(const QString& text, const QString& vorgabe, const QString& titel) override;

    // Texts of all message boxes shown so far.
    QStringList Texte() const;

    QList<Antwort> antworten;
    QList<std::optional<QString>> textAntworten;
    QStringList textFragen;  // the texts of the text questions asked
    QList<GezeigteMeldung> meldungen;
    QList<GezeigteStatuszeile> statuszeilen;
    QList<int> wartezeiten;
    QStringList geoeffneteAdressen;
    bool adresseOeffnenGelingt = true;
    QString anzeigeText = QStringLiteral("0");
    qint64 anzeigeFarbe = 0;
    bool anzeigeDurchsichtig = true;
    QList<qint64> anzeigeFarben;  // every colour the indicator took, in order
    int sanduhrTiefe = 0;
    int ereignisseVerarbeitet = 0;
    int beendetMitCode = -1;  // -1: the program was not ended
    QDateTime uhr;
    // Called on every wait, before the clock advances (e.g. to free a file).
    std::function<void(int)> beimWarten;
};

} // namespace kelvora::test
