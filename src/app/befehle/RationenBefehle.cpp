// "kelvora rationen" lists the stored group rations; "kelvora ration
// speichern|laden|loeschen|umbenennen" stores the current ration under a
// name, makes a stored one current, deletes or renames one: the same
// actions as the ration window's "Speichern", the drop-down "Ration:",
// "Löschen" and "Umbenennen …".

#include "app/befehle/Befehl.h"
#include "database/Datenbankholen.h"
#include "grundlagen/Formate.h"
#include "grundlagen/Textbereinigung.h"
#include "grundlagen/ZahlText.h"
#include "herde/RationenBewerten.h"
#include "herde/RationenVerwalten.h"
#include "ration/Futterkosten.h"
#include "ration/RationAuswerten.h"

namespace kelvora {

namespace {

// 0 done, 3 refused by the program's rules, 1 the database failed.
int Ausgang(bool erledigt, bool abgelehnt)
{
    return erledigt ? Befehl::Erfolg : abgelehnt ? Befehl::Abgelehnt : Befehl::NichtVerfuegbar;
}

} // namespace

class RationenBefehl final : public Befehl {
public:
    RationenBefehl()
        : Befehl(QStringLiteral("rationen"),
            QStringLiteral("Listet die gespeicherten Rationen: Name, Tiere, Gewicht, Milch, Fett und "
                           "Futterkosten je Kuh und Tag."))
    {
    }

protected:
    int Lauf(QTextStream& aus) override
    {
        QString pfad;
        if (!Datenbankholen(QStringLiteral("Futter"), pfad))
            return EndeCode(NichtVerfuegbar);
        QList<RationsUeberblick> rationen;
        if (!RationenUeberblicken(pfad, rationen))
            return NichtVerfuegbar;
        const QChar tab = QLatin1Char('\t');
        for (const RationsUeberblick& u : std::as_const(rationen)) {
            const BenannteRation& r = u.ration;
            aus << OhneSteuerzeichen(r.name) << tab << r.tiere << tab << r.gewicht << tab
                << Formatieren(r.milch, QStringLiteral("#0.0")) << tab << Formatieren(r.fett, QStringLiteral("#0.00"))
                << tab << KostenTexteBilden(u.kosten, r.milch, r.milchpreis).jeTag << '\n';
        }
        return Erfolg;
    }
};

KELVORA_BEFEHL(RationenBefehl)

class RationBefehl final : public Befehl {
public:
    RationBefehl()
        : Befehl(QStringLiteral("ration"),
            QStringLiteral("Speichert die aktuelle Ration unter einem Namen, lädt eine gespeicherte Ration als "
                           "aktuelle, löscht oder benennt sie um."))
        , tiereOption(QStringLiteral("tiere"),
              QStringLiteral("speichern: Zahl der Kühe der Gruppe, 0 bis 9999 (sonst 0, beim Ersetzen "
                             "bleibt die gespeicherte Zahl)."),
              QStringLiteral("N"))
        , ersetzenOption(QStringLiteral("ersetzen"),
              QStringLiteral("speichern: eine gespeicherte Ration gleichen Namens ersetzen."))
        , milchpreisOption(QStringLiteral("milchpreis"),
              QStringLiteral("speichern: Milchpreis in € je kg Milch, 0 bis 10 (sonst aus "
                             "KELVORA.INI; leer: ohne Milchpreis)."),
              QStringLiteral("P"))
    {
        ArgumentHinzufuegen(
            QStringLiteral("speichern|laden|loeschen|umbenennen"), QStringLiteral("was mit der Ration geschieht."));
        ArgumentHinzufuegen(QStringLiteral("NAME"), QStringLiteral("Name der gespeicherten Ration."));
        ArgumentHinzufuegen(QStringLiteral("[NEU]"), QStringLiteral("umbenennen: der neue Name."));
        OptionHinzufuegen(tiereOption);
        OptionHinzufuegen(ersetzenOption);
        OptionHinzufuegen(milchpreisOption);
        Tierangaben();
    }

protected:
    QString Pruefen() override
    {
        const QStringList a = Argumente();
        aktion = a.value(0).toLower();
        name = a.value(1);
        neu = a.value(2);
        static const QStringList aktionen { QStringLiteral("speichern"), QStringLiteral("laden"),
            QStringLiteral("loeschen"), QStringLiteral("umbenennen") };
        if (!aktionen.contains(aktion))
            return QStringLiteral("Geben Sie an, was mit der Ration geschehen soll: speichern, laden, loeschen oder "
                                  "umbenennen.");
        if (a.size() < 2)
            return QStringLiteral("Geben Sie den Namen der Ration an.");
        const bool umbenennen = aktion == QLatin1String("umbenennen");
        if (umbenennen != (a.size() == 3))
            return umbenennen
                ? QStringLiteral("Geben Sie den neuen Namen der Ration an.")
                : QStringLiteral("Unerwartete Angabe für ration ") + aktion + QStringLiteral(": ") + a.value(2);
        const QString namensFehler = RationsNameFehler(umbenennen ? neu : name);
        if (!namensFehler.isEmpty())
            return namensFehler;
        if (aktion != QLatin1String("speichern")) {
            for (const QString& nurSpeichern :
                { QStringLiteral("tiere"), QStringLiteral("ersetzen"), QStringLiteral("milchpreis"),
                    QStringLiteral("gewicht"), QStringLiteral("milch"), QStringLiteral("fett") })
                if (Parser().isSet(nurSpeichern))
                    return QStringLiteral("--") + nurSpeichern + QStringLiteral(" gilt nur für ration speichern.");
            return QString();
        }
        if (Parser().isSet(tiereOption)) {
            const QString text = Parser().value(tiereOption);
            const std::optional<long> z = GanzzahlAusText(text);
            if (!z)
                return QStringLiteral("Falsche Angabe bei --tiere: Geben Sie die Zahl der Tiere als ganze Zahl von "
                                      "0 bis 9999 an, nicht \"")
                    + OhneSteuerzeichen(text) + QStringLiteral("\".");
            if (const QString m = GrenzePruefen(TiereGrenze(), static_cast<double>(*z)); !m.isEmpty())
                return QStringLiteral("Falsche Angabe bei --tiere: ") + m;
            tiere = *z;
        }
        if (Parser().isSet(milchpreisOption)) {
            const QString text = Parser().value(milchpreisOption);
            milchpreisGesetzt = true;
            if (!text.trimmed().isEmpty()) {
                const GepruefteZahl z = ZahlPruefen(MilchpreisGrenze(), text);
                if (!z.wert)
                    return QStringLiteral("Falsche Angabe bei --milchpreis: ") + z.meldung;
                milchpreis = z.wert;
            }
        }
        return QString();
    }

    int Lauf(QTextStream& aus) override
    {
        RationSpeichernAngaben angaben;
        if (aktion == QLatin1String("speichern")) {
            QString meldung;
            const std::optional<TierEingaben> tier = TierEingabenLesen(meldung);
            if (!tier) {
                Melden(meldung);
                return FalscheAngaben;
            }
            angaben = { name, tiere, Parser().isSet(ersetzenOption), tier->gewicht, tier->milch, tier->fett,
                milchpreisGesetzt ? milchpreis : tier->milchpreis, tier->eiweiss };
        }
        QString pfad;
        if (!Datenbankholen(QStringLiteral("Futter"), pfad))
            return EndeCode(NichtVerfuegbar);
        bool abgelehnt = false;
        bool erledigt = false;
        QString bericht;
        // The name as stored, not as typed: "hoch" loads "Hoch".
        QString gespeichert = name.trimmed();
        if (aktion == QLatin1String("speichern")) {
            erledigt = RationSpeichern(pfad, angaben, &abgelehnt, &gespeichert);
            bericht = QStringLiteral("gespeichert");
        } else if (aktion == QLatin1String("laden")) {
            BenannteRation geladen;
            erledigt = RationLaden(pfad, name, &abgelehnt, &geladen);
            gespeichert = geladen.name;
            bericht = QStringLiteral("geladen");
        } else if (aktion == QLatin1String("loeschen")) {
            erledigt = RationLoeschen(pfad, name, &abgelehnt);
            bericht = QStringLiteral("gelöscht");
        } else {
            erledigt = RationUmbenennen(pfad, name, neu, &abgelehnt);
            bericht = QStringLiteral("umbenannt in ") + Genannt(neu.trimmed());
        }
        if (erledigt)
            aus << QStringLiteral("Ration ") << Genannt(OhneSteuerzeichen(gespeichert)) << ' ' << bericht << '\n';
        return Ausgang(erledigt, abgelehnt);
    }

private:
    QCommandLineOption tiereOption;
    QCommandLineOption ersetzenOption;
    QCommandLineOption milchpreisOption;
    QString aktion, name, neu;
    std::optional<long> tiere;
    bool milchpreisGesetzt = false;
    std::optional<double> milchpreis;
};

KELVORA_BEFEHL(RationBefehl)

} // namespace kelvora
