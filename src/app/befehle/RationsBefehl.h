#pragma once
// The shared run of the commands on the stored ration: animal inputs from
// the options or KELVORA.INI, the feed database as the program finds it,
// an optional step before the evaluation (a balancing), the evaluation and
// its output as the ration window shows it.

#include "app/befehle/Befehl.h"

namespace kelvora {

struct Auswertung;
struct ErgebnisWerte;

class RationsBefehl : public Befehl {
protected:
    RationsBefehl(QString name, QString beschreibung);

    // Offers --ration NAME: the stored ration of that name is evaluated with
    // its own animal inputs instead of the current one (which stays as it is).
    void GespeicherteRationAnbieten();

    // Runs before the evaluation on the stored ration; may change table
    // Ration and the inputs. A code other than Erfolg ends the command
    // without output.
    virtual int VorDerAuswertung(TierEingaben& tier, const QString& pfad, const Auswertung& vorher);
    // True when VorDerAuswertung needs the evaluation before its step.
    virtual bool BrauchtAuswertungVorher() const { return false; }
    // Prints what follows the evaluation's output.
    virtual void NachDerAusgabe(const Auswertung& auswertung, QTextStream& aus);
    // What the command does with the evaluation; by default it prints it
    // (AuswertungAusgeben, then NachDerAusgabe). Returns the exit code.
    virtual int NachDerAuswertung(const Auswertung& auswertung, const TierEingaben& tier, QTextStream& aus);

    int Lauf(QTextStream& aus) override;

private:
    int GespeicherteRationLauf(const QString& name, QTextStream& aus);
    bool mitGespeicherter = false;
};

// One line per list line (columns 1 to 12 as displayed, then the row ID), an
// empty line, one line per figure label (name, text, background colour value
// or empty), tab-separated.
void AuswertungAusgeben(const Auswertung& a, QTextStream& aus);

// The result window's column of the balancing that ran: an empty line, the
// heading, one line per row (caption, "Soll", "Ist", "Abweichung"; a
// deviation the window hides stays empty).
void ErgebnisSpalteAusgeben(const ErgebnisWerte& werte, QTextStream& aus);

// A figure as the ration window reads it back from its label; a label the
// run left alone shows nothing in a new window (0).
double AngezeigteZahl(const Auswertung& a, const QString& name);

} // namespace kelvora
