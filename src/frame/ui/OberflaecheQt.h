#pragma once
// The program's implementation of the seam: real message boxes, the main
// window's status line and indicator, the wait cursor, the clock.

#include "frame/Oberflaeche.h"

#include <QPointer>

namespace kelvora {

class Hauptrahmen;

class OberflaecheQt final : public Oberflaeche {
public:
    void HauptFensterSetzen(Hauptrahmen* h) { haupt = h; }

    Antwort MsgBox(const QString& text, Knoepfe knoepfe, Symbol symbol, Antwort standard,
                   const QString& titel) override;
    void StatuszeileZeigen(qint64 farbe, const QString& text, int sekunden, bool ausblenden) override;
    QString DatenbankAnzeigeText() override;
    void DatenbankAnzeigeSetzen(const QString& text, qint64 farbe, bool durchsichtig) override;
    void Sanduhr(bool an) override;
    void EreignisseVerarbeiten() override;
    void Warten(int millisekunden) override;
    QDateTime Jetzt() override;
    bool AdresseOeffnen(const QString& adresse) override;
    void ProgrammBeenden(int code) override;
    std::optional<QString> TextAbfragen(const QString& text, const QString& vorgabe, const QString& titel) override;

private:
    QPointer<Hauptrahmen> haupt;
    QString anzeigeOhneFenster = QStringLiteral("0");
};

} // namespace kelvora
