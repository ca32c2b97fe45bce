#pragma once
// The program's one logging procedure: daily log "yy_mm_dd.txt", the error
// log "Fehlerprotokoll.txt" and named files, all in the data folder, CR LF.

#include <QString>
#include <stdexcept>

namespace kelvora {

void ProtokollSchreiben(const QString& text, int einruecken = 0, const QString& datei = QString(),
                        bool fehler = false, bool ohneZeit = false, bool mitDatum = false);

// Shorthand for an error line (daily log and error log).
inline void FehlerProtokollieren(const QString& text, int einruecken = 0)
{
    ProtokollSchreiben(text, einruecken, QString(), true);
}

// "Fehler " + number + " (" + description + ") in Prozedur " + procedure
// [+ " in Modul " + module]
QString FehlerBeschreibung(long nummer, const QString& beschreibung, const QString& prozedur,
                           const QString& modul = QString());

// Path of today's daily log (by the seam's clock).
QString TagesprotokollPfad();
QString FehlerprotokollPfad();

// A run-time error with a number, caught where a procedure reports its own
// failures ("Fehler " + number + " (" + text + ") ...").
class Laufzeitfehler : public std::runtime_error {
public:
    Laufzeitfehler(long nummer, const QString& text)
        : std::runtime_error(text.toStdString())
        , nummer(nummer)
    {
    }
    long nummer;
};

} // namespace kelvora
