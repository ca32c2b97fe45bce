#pragma once
// The one seam between program logic and the screen. Logic asks questions,
// shows the status line, waits and reads the clock only through this
// interface; the program installs the Qt implementation, tests a scripted one.

#include <QDateTime>
#include <QString>
#include <optional>

namespace kelvora {

enum class Knoepfe { OK, OKAbbrechen, JaNein, JaNeinAbbrechen, WiederholenAbbrechen };
enum class Symbol { Keins, Kritisch, Frage, Ausrufezeichen, Information };
enum class Antwort { OK, Abbrechen, Ja, Nein, Wiederholen };

// Window-system colour values (0x00BBGGRR).
namespace Farbe {
constexpr qint64 Gruen = 65280;
constexpr qint64 Hellrot = 8421631;
constexpr qint64 Gelb = 65535;
constexpr qint64 Rot = 255;
constexpr qint64 Magenta = 16711935;
constexpr qint64 Weiss = 16777215;
constexpr qint64 Schwarz = 0;
// The system colour of button faces; rendered with the palette's button colour.
constexpr qint64 Schaltflaeche = 0x8000000F;
} // namespace Farbe

class Oberflaeche {
public:
    virtual ~Oberflaeche() = default;

    // A message box. An empty title means the program's title.
    virtual Antwort MsgBox(const QString& text, Knoepfe knoepfe, Symbol symbol, Antwort standard,
                           const QString& titel) = 0;

    // Shows (or hides) the status line of the main window; logging is done by
    // the caller (see HauptFensterMeldungAusgeben in Statuszeile.h).
    virtual void StatuszeileZeigen(qint64 farbe, const QString& text, int sekunden, bool ausblenden) = 0;

    // The database indicator of the main window: caption and back colour;
    // durchsichtig = true shows it transparent.
    virtual QString DatenbankAnzeigeText() = 0;
    virtual void DatenbankAnzeigeSetzen(const QString& text, qint64 farbe, bool durchsichtig) = 0;

    virtual void Sanduhr(bool an) = 0;
    virtual void EreignisseVerarbeiten() = 0;
    virtual void Warten(int millisekunden) = 0;
    virtual QDateTime Jetzt() = 0;

    // Opens a web or mailto: address with the desktop's handler; false when
    // no program could be found for it.
    virtual bool AdresseOeffnen(const QString& adresse) = 0;

    // Ends the program (the event loop returns the code).
    virtual void ProgrammBeenden(int code) = 0;
    // Asks for a line of text (a name), vorgabe filled in; none when the user
    // cancels. Without a screen there is no one to ask: none.
    virtual std::optional<QString> TextAbfragen(const QString& text, const QString& vorgabe, const QString& titel)
    {
        Q_UNUSED(text) Q_UNUSED(vorgabe) Q_UNUSED(titel)
        return std::nullopt;
    }
};

// The installed implementation. Never null: until one is installed a silent
// console fallback answers with the default button.
Oberflaeche& ui();
// Installs o (not owned); nullptr restores the fallback.
void OberflaecheSetzen(Oberflaeche* o);

// Shorthand used throughout the program.
inline Antwort MsgBox(const QString& text, Knoepfe knoepfe = Knoepfe::OK, Symbol symbol = Symbol::Keins,
                      Antwort standard = Antwort::OK, const QString& titel = QString())
{
    return ui().MsgBox(text, knoepfe, symbol, standard, titel);
}

} // namespace kelvora
