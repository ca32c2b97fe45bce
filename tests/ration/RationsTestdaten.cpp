#include "RationsTestdaten.h"

#include "database/DatenbankRoutinen.h"
#include "frame/Programm.h"

namespace kelvora::test {

bool RationAnlegen(const QList<TestFutter>& futter, const QList<TestRationsZeile>& zeilen)
{
    Verbindung v;
    if (!DatenbankOeffnen(v, programm().futterDatenbank))
        return false;
    bool ok = AnweisungAusfuehren(v, QStringLiteral("DELETE FROM Ration"));
    for (const TestFutter& f : futter) {
        ok = ok
            && AnweisungAusfuehren(v,
                                   QStringLiteral("INSERT INTO Futtermittel (ID, Bezeichnung, FutterArt, "
                                                  "FutterArtIOFC, TM_g, NDF_gTM, ME_MJTM, NEL_MJTM) "
                                                  "VALUES (?, ?, 2, 1, ?, ?, 10, 6)"),
                                   {qlonglong(f.id), QStringLiteral("Testfutter %1").arg(f.id), f.tm_g, f.ndf_gTM});
    }
    for (const TestRationsZeile& z : zeilen) {
        ok = ok
            && AnweisungAusfuehren(v,
                                   QStringLiteral("INSERT INTO Ration (FutterID, FutterFrischMenge, ProzentAnteil, "
                                                  "FixeMenge) VALUES (?, ?, ?, ?)"),
                                   {qlonglong(z.futterID), z.frischMenge, z.anteil, z.fixeMenge});
    }
    return ok;
}

QList<GespeicherteZeile> RationLesen()
{
    QList<GespeicherteZeile> zeilen;
    Verbindung v;
    if (!DatenbankOeffnen(v, programm().futterDatenbank))
        return zeilen;
    QSqlQuery q(v.Datenbank());
    if (!AbfrageOeffnen(v, q,
                        QStringLiteral("SELECT ID, FutterFrischMenge, ProzentAnteil, FixeMenge FROM Ration ORDER BY ID")))
        return zeilen;
    while (q.next())
        zeilen.append({static_cast<long>(q.value(0).toLongLong()), q.value(1).toDouble(), q.value(2).toDouble(),
                       q.value(3).toInt()});
    return zeilen;
}

QList<double> FrischMengen()
{
    QList<double> mengen;
    for (const GespeicherteZeile& z : RationLesen())
        mengen.append(z.frischMenge);
    return mengen;
}

} // namespace kelvora::test
