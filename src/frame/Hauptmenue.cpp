#include "frame/Hauptmenue.h"

#include "frame/FunktionenFuerINI.h"
#include "frame/Programm.h"
#include "frame/Protokoll.h"

#include <QFileInfo>

namespace kelvora {

MenueZustaende MenueZustaendeLesen()
{
    MenueZustaende z;
    z.soundAnwenden = INILesenZahl(QStringLiteral("Sound"), QStringLiteral("SoundAnwenden"), 0) == 1;
    z.sprechblasen = INILesenZahl(QStringLiteral("Sprechblasen"), QStringLiteral("Sprechblasen"), 1) == 1;

    const double intervall = INILesenZahl(QStringLiteral("Sichern"), QStringLiteral("Intervall"), 0);
    if (intervall == 0) {
        z.intervall = Intervall::Monatlich;
        INISpeichern(QStringLiteral("Sichern"), QStringLiteral("Intervall"), QStringLiteral("0"));
    } else if (intervall == 1) {
        z.intervall = Intervall::Woechentlich;
    } else if (intervall == 2) {
        z.intervall = Intervall::Taeglich;
    }

    const double komprimieren = INILesenZahl(QStringLiteral("Sichern"), QStringLiteral("Komprimieren"), 0);
    if (komprimieren == 0)
        z.immerKomprimieren = false;
    else if (komprimieren == 1)
        z.immerKomprimieren = true;
    return z;
}

Intervall IntervallGeklickt(Intervall geklickt, bool warMarkiert)
{
    Intervall neu = geklickt;
    if (warMarkiert) {
        // Clicking the checked item falls back to a neighbour, so that one
        // interval always stays chosen.
        switch (geklickt) {
        case Intervall::Taeglich: neu = Intervall::Woechentlich; break;
        case Intervall::Woechentlich: neu = Intervall::Monatlich; break;
        case Intervall::Monatlich: neu = Intervall::Woechentlich; break;
        }
    }
    INISpeichern(QStringLiteral("Sichern"), QStringLiteral("Intervall"), QString::number(static_cast<int>(neu)));
    return neu;
}

void SchalterSpeichern(const QString& abschnitt, const QString& schluessel, bool an)
{
    INISpeichern(abschnitt, schluessel, an ? QStringLiteral("1") : QStringLiteral("0"));
}

QString KontaktIniPfad()
{
    // kontakt.ini comes with the program; a copy in the data folder serves
    // when the program folder has none.
    const QString imProgramm = Programmordner() + QStringLiteral("/kontakt.ini");
    return QFileInfo::exists(imProgramm) ? imProgramm : ImDatenordner(QStringLiteral("kontakt.ini"));
}

void IdentitaetLesen()
{
    const QString kontakt = KontaktIniPfad();
    QString e1 = INILesenAusDatei(QStringLiteral("Programm"), QStringLiteral("E1"), QString(), kontakt);
    QString e2 = INILesenAusDatei(QStringLiteral("Programm"), QStringLiteral("E2"), QString(), kontakt);
    if (e1.isEmpty() || e2.isEmpty()) {
        e1 = INILesen(QStringLiteral("Programm"), QStringLiteral("E1"), QString());
        e2 = INILesen(QStringLiteral("Programm"), QStringLiteral("E2"), QString());
    }
    programm().E1 = e1;
    programm().E2 = e2;
}

void WartungsmodusLesen(bool befehlszeile)
{
    programm().wartungsmodus
        = befehlszeile || INILesenZahl(QStringLiteral("Programm"), QStringLiteral("Wartungsmodus"), 0) == 1;
}

} // namespace kelvora
