#include "frame/Oberflaeche.h"

#include "frame/FunktionenFuerINI.h"
#include "frame/Protokoll.h"
#include "grundlagen/Stoerung.h"

#include <QTextStream>
#include <QThread>
#include <cstdlib>

namespace kelvora {

namespace {

// Used before the program or a test installs its own seam (command-line
// modes): messages go to stderr, questions take their default answer.
class KonsolenOberflaeche final : public Oberflaeche {
public:
    Antwort MsgBox(const QString& text, Knoepfe, Symbol, Antwort standard, const QString&) override
    {
        QTextStream(stderr) << text << Qt::endl;
        return standard;
    }
    void StatuszeileZeigen(qint64, const QString&, int, bool) override {}
    QString DatenbankAnzeigeText() override { return anzeige; }
    void DatenbankAnzeigeSetzen(const QString& text, qint64, bool) override { anzeige = text; }
    void Sanduhr(bool) override {}
    void EreignisseVerarbeiten() override {}
    void Warten(int ms) override { QThread::msleep(static_cast<unsigned long>(ms)); }
    QDateTime Jetzt() override { return QDateTime::currentDateTime(); }
    bool AdresseOeffnen(const QString&) override { return false; }
    void ProgrammBeenden(int code) override { std::exit(code); }

private:
    QString anzeige = QStringLiteral("0");
};

KonsolenOberflaeche& konsole()
{
    static KonsolenOberflaeche k;
    return k;
}

Oberflaeche* installiert = nullptr;

// A value the conversions below the frame cannot use: marked for repair,
// logged and shown through the seam.
void StoerungAnzeigen(const Stoerung& s)
{
    if (s.reparaturVormerken)
        INISpeichern(QStringLiteral("Programm"), QStringLiteral("DatenbankenKomprimierenNotwendig"), QStringLiteral("1"));
    if (!s.protokoll.isEmpty())
        FehlerProtokollieren(s.protokoll);
    if (!s.meldung.isEmpty())
        ui().MsgBox(s.meldung, Knoepfe::OK, s.kritisch ? Symbol::Kritisch : Symbol::Information, Antwort::OK, s.titel);
}

// Every program and test that uses the seam links this file, so the handler
// is in place before main() runs.
[[maybe_unused]] const bool stoerungenAngemeldet = (StoerungsMelderSetzen(&StoerungAnzeigen), true);

} // namespace

Oberflaeche& ui()
{
    return installiert ? *installiert : konsole();
}

void OberflaecheSetzen(Oberflaeche* o)
{
    installiert = o;
}

} // namespace kelvora
