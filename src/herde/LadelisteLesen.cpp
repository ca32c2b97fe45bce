// The loading list and the loaded evaluation on the feed database, and the
// loading order stored back: the database side of Ladeliste.h.

#include "herde/Ladeliste.h"

#include "database/DatenbankRoutinen.h"
#include "frame/Oberflaeche.h"

#include <QSet>

namespace kelvora {

namespace {

QString NummernText(const QList<int>& nummern)
{
    QStringList t;
    for (int n : nummern)
        t << QString::number(n);
    return t.join(QStringLiteral(", "));
}

} // namespace

bool LadelisteLesen(const QString& pfad, const LadelisteLauf& lauf, LadelisteErgebnis& e)
{
    e = LadelisteErgebnis {};
    Verbindung v;
    if (!RationenDatenbankOeffnen(v, pfad))
        return false;
    // Messages wait until the read has ended: a box waiting for the user
    // must not keep other windows and commands out.
    QString ablehnung;
    const bool gelesen = Lesend(v, [&] {
        BenannteRation r;
        bool gefunden = false;
        if (!RationLesen(v, lauf.name, r, gefunden))
            return false;
        ablehnung = gefunden ? GespeicherteRationFehler(r)
                             : QStringLiteral("Eine gespeicherte Ration ") + Genannt(lauf.name.trimmed())
                + QStringLiteral(" gibt es nicht.");
        if (!ablehnung.isEmpty())
            return true;
        // Numbers are checked before any feed value is read: a refusal
        // writes nothing, not even a completed energy value.
        if (lauf.geladen) {
            const NummernPruefung p = NummernPruefen(r.inhalt.size(), lauf.geladen->keys());
            if (!p.fehlend.isEmpty() || !p.unbekannt.isEmpty()) {
                e.falscheNummern = true;
                QStringList teile;
                if (!p.fehlend.isEmpty())
                    teile << QStringLiteral("Es fehlt die geladene Menge von Nr. ") + NummernText(p.fehlend);
                if (!p.unbekannt.isEmpty())
                    teile << QStringLiteral("Die Ladeliste hat keine Nr. ") + NummernText(p.unbekannt);
                ablehnung = teile.join(QStringLiteral(". "))
                    + QStringLiteral(". Geben Sie jedes Futtermittel der Ladeliste (Nr. 1 bis %1) einmal als NR=KG "
                                     "an.")
                          .arg(r.inhalt.size());
                return true;
            }
        }
        // All feeds in one query, but only once a value is asked for: a list
        // refused for its capacity reads (and completes) nothing.
        FutterWerteLeser leser(v);
        const FutterWertFunktion roh = leser.Funktion();
        bool vorgelesen = false;
        const FutterWertFunktion wert = [&](long futterID, int code) {
            if (!vorgelesen) {
                vorgelesen = true;
                leser.Vorlesen(FutterNummern({ r }));
            }
            return roh(futterID, code);
        };
        ablehnung = LadelisteBerechnen(r, lauf.angaben, wert, e.liste);
        if (!ablehnung.isEmpty())
            return true;
        const int monat = ui().Jetzt().date().month();
        e.plan = RationBewerten(r, wert, monat);
        if (lauf.geladen)
            e.bewertung = GeladenBewerten(e.plan, e.liste, *lauf.geladen, TierAusRation(r, monat), wert);
        return true;
    });
    if (!gelesen) {
        DatenbankFehlerMelden(v, QStringLiteral("Die gespeicherte Ration kann nicht gelesen werden."));
        return false;
    }
    if (!ablehnung.isEmpty()) {
        e.abgelehnt = true;
        MsgBox(ablehnung, Knoepfe::OK, Symbol::Ausrufezeichen);
        return false;
    }
    // Feed rows that could not be read would count as feeds without value.
    if (v.Beschaedigt()) {
        DatenbankFehlerMelden(v, QStringLiteral("Die Futtermittel der Ration können nicht gelesen werden."));
        return false;
    }
    return true;
}

bool ReihungSpeichern(const QString& pfad, const QString& name, const QList<long>& inhaltIDs, bool* abgelehnt)
{
    if (abgelehnt)
        *abgelehnt = false;
    const QString fehlgeschlagen = QStringLiteral("Die Reihenfolge der Ration ") + Genannt(name.trimmed())
        + QStringLiteral(" konnte nicht gespeichert werden.");
    Verbindung v;
    if (!RationenDatenbankOeffnen(v, pfad))
        return false;
    Transaktion t(v);
    BenannteRation r;
    bool gefunden = false;
    if (!t.Beginnen() || !RationLesen(v, name, r, gefunden)) {
        DatenbankFehlerMelden(v, fehlgeschlagen);
        return false;
    }
    QSet<long> gespeichert;
    for (const InhaltZeile& z : r.inhalt)
        gespeichert.insert(z.zeile.id);
    const QSet<long> neu(inhaltIDs.cbegin(), inhaltIDs.cend());
    // Another window or command may have replaced the ration meanwhile; an
    // order for rows that are gone is no order.
    if (!gefunden || neu != gespeichert || neu.size() != inhaltIDs.size()) {
        if (abgelehnt)
            *abgelehnt = true;
        MsgBox(fehlgeschlagen
                + QStringLiteral(" Die Ration wurde inzwischen geändert oder gelöscht; bitte öffnen Sie die "
                                 "Ladeliste neu. Nichts wurde verändert."),
            Knoepfe::OK, Symbol::Ausrufezeichen);
        return false;
    }
    bool ok = AnweisungAusfuehren(v, QStringLiteral("UPDATE Rationen SET GeaendertAm = ? WHERE ID = ?"),
        { ui().Jetzt().toString(Qt::ISODate), qlonglong(r.id) });
    for (qsizetype i = 0; ok && i < inhaltIDs.size(); ++i)
        ok = AnweisungAusfuehren(v, QStringLiteral("UPDATE RationenInhalt SET Reihung = ? WHERE ID = ? AND RationID = ?"),
            { qlonglong(i + 1), qlonglong(inhaltIDs[i]), qlonglong(r.id) });
    if (!ok || !t.Bestaetigen()) {
        DatenbankFehlerMelden(v, fehlgeschlagen);
        return false;
    }
    return true;
}

} // namespace kelvora
