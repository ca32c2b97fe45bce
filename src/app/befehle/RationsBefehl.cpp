#include "app/befehle/RationsBefehl.h"

#include "grundlagen/DatenTypen.h"
#include "database/Datenbankholen.h"
#include "grundlagen/Formate.h"
#include "grundlagen/Textbereinigung.h"
#include "frame/Oberflaeche.h"
#include "frame/Protokoll.h"
#include "herde/RationenBewerten.h"
#include "ration/RationAuswerten.h"
#include "ration/RationBericht.h"

namespace kelvora {

namespace {

QString FarbText(qint64 farbe)
{
    return farbe == 0 ? QString() : QString::number(farbe);
}

} // namespace

RationsBefehl::RationsBefehl(QString name, QString beschreibung)
    : Befehl(std::move(name), std::move(beschreibung))
{
    Tierangaben();
}

void RationsBefehl::GespeicherteRationAnbieten()
{
    mitGespeicherter = true;
    OptionHinzufuegen(QCommandLineOption(QStringLiteral("ration"),
                                         QStringLiteral("Die gespeicherte Ration dieses Namens mit ihren eigenen "
                                                        "Tierangaben statt der aktuellen Ration."),
                                         QStringLiteral("NAME")));
}

int RationsBefehl::GespeicherteRationLauf(const QString& name, QTextStream& aus)
{
    for (const char* tierangabe : {"gewicht", "milch", "fett"})
        if (Parser().isSet(QString::fromLatin1(tierangabe))) {
            Melden(QStringLiteral("--") + QString::fromLatin1(tierangabe)
                   + QStringLiteral(" gilt nicht mit --ration: Die gespeicherte Ration hat ihre eigenen Tierangaben."));
            return FalscheAngaben;
        }
    if (const QString fehler = RationsNameFehler(name); !fehler.isEmpty()) {
        Melden(QStringLiteral("Falsche Angabe bei --ration: ") + fehler);
        return FalscheAngaben;
    }
    QString pfad;
    if (!Datenbankholen(QStringLiteral("Futter"), pfad))
        return EndeCode(NichtVerfuegbar);
    QList<RationsBewertung> bewertung;
    bool abgelehnt = false;
    if (!RationenBewerten(pfad, {name}, bewertung, &abgelehnt))
        return abgelehnt ? Abgelehnt : NichtVerfuegbar;
    const RationsBewertung& b = bewertung.first();
    return NachDerAuswertung(b.auswertung, TierAusRation(b.ration, ui().Jetzt().date().month()), aus);
}

int RationsBefehl::VorDerAuswertung(TierEingaben&, const QString&, const Auswertung&)
{
    return Erfolg;
}

void RationsBefehl::NachDerAusgabe(const Auswertung&, QTextStream&) {}

int RationsBefehl::Lauf(QTextStream& aus)
{
    if (mitGespeicherter && Parser().isSet(QStringLiteral("ration")))
        return GespeicherteRationLauf(Parser().value(QStringLiteral("ration")), aus);
    QString meldung;
    std::optional<TierEingaben> tier = TierEingabenLesen(meldung);
    if (!tier) {
        Melden(meldung);
        return FalscheAngaben;
    }
    ProtokollSchreiben(QStringLiteral("Gewicht ") + QString::number(tier->gewicht) + QStringLiteral(" kg, Milch ")
                           + DezimalText(tier->milch) + QStringLiteral(" kg, Fett ") + DezimalText(tier->fett)
                           + QStringLiteral(" %"),
                       4);

    QString pfad;
    if (!Datenbankholen(QStringLiteral("Futter"), pfad))
        return EndeCode(NichtVerfuegbar);

    Auswertung vorher;
    if (BrauchtAuswertungVorher()) {
        vorher = RationAuswerten(*tier, pfad);
        if (!vorher.datenbankOffen)
            return NichtVerfuegbar;
        // A stored value that is no usable number stopped the evaluation; its
        // message (feed, value, what is allowed) is on stderr. The step
        // needs the figures of a complete evaluation and is refused.
        if (vorher.abgebrochen)
            return Abgelehnt;
    }
    const int code = VorDerAuswertung(*tier, pfad, vorher);
    if (code != Erfolg)
        return code;

    const Auswertung a = RationAuswerten(*tier, pfad);
    if (!a.datenbankOffen)
        return NichtVerfuegbar;
    return NachDerAuswertung(a, *tier, aus);
}

int RationsBefehl::NachDerAuswertung(const Auswertung& a, const TierEingaben&, QTextStream& aus)
{
    AuswertungAusgeben(a, aus);
    NachDerAusgabe(a, aus);
    return a.abgebrochen ? NichtVerfuegbar : Erfolg;
}

void AuswertungAusgeben(const Auswertung& a, QTextStream& aus)
{
    const QChar tab = QLatin1Char('\t');
    // Names stored before they were cleaned on entry may hold tabs or line
    // breaks; every field stays one column.
    for (const ListenZeile& z : a.zeilen) {
        for (const QString& text : z.texte)
            aus << OhneSteuerzeichen(text) << tab;
        aus << z.id << '\n';
    }
    aus << '\n';
    for (const Anzeige& anzeige : a.anzeigen) {
        // A label this run did not write shows nothing yet in a new window.
        const bool zeigt = anzeige.gesetzt && anzeige.sichtbar;
        aus << anzeige.name << tab << (zeigt ? anzeige.text : QString()) << tab
            << (zeigt ? FarbText(anzeige.hintergrund) : QString()) << '\n';
    }
    aus.flush();
}

void ErgebnisSpalteAusgeben(const ErgebnisWerte& werte, QTextStream& aus)
{
    const QChar tab = QLatin1Char('\t');
    ErgebnisSpalte ist;
    for (int i = 0; i < ErgZeilen; ++i) {
        const bool anteil = i >= ErgUDP && i <= ErgADF;
        if (!anteil || werte.anteileGesetzt)
            ist[i] = werte.ist[i];
    }
    const ErgebnisAbweichungen abweichungen = AbweichungenBerechnen(ist, werte.soll);
    aus << '\n'
        << (werte.spalte == QLatin1String("NDF") ? QStringLiteral("Bewertung nach NDF")
                                                  : QStringLiteral("Bewertung nach TMA"))
        << tab << "Soll" << tab << "Ist" << tab << "Abweichung" << '\n';
    for (int i = 0; i < ErgZeilen; ++i)
        aus << ErgebnisZeilenText(i) << tab << werte.soll[i] << tab << ist[i] << tab
            << (abweichungen[i].sichtbar ? abweichungen[i].text : QString()) << '\n';
    aus.flush();
}

double AngezeigteZahl(const Auswertung& a, const QString& name)
{
    const Anzeige* anzeige = a.AnzeigeNach(name);
    return anzeige && anzeige->gesetzt ? TextInDouble(anzeige->text) : 0;
}

} // namespace kelvora
