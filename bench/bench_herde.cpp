// Time of the comparison of 6 stored rations and of the herd of 9 groups,
// all database reads included, on a feed database of 1,000 feeds: each at
// most 10 ms.
//
//   bench_herde [wiederholungen]

#include "Messdaten.h"
#include "herde/Herde.h"
#include "herde/RationenBewerten.h"
#include "herde/RationenVerwalten.h"

#include <QCoreApplication>
#include <QTemporaryDir>
#include <QTextStream>
#include <functional>

using namespace kelvora;

namespace {

constexpr int Gruppen = 9;
constexpr int FutterJeGruppe = 20;
constexpr double GrenzeMs = 10;

// Nine group rations of 20 feeds each, every group on other feeds.
bool HerdeAnlegen()
{
    for (int g = 0; g < Gruppen; ++g) {
        {
            Verbindung v;
            if (!DatenbankOeffnen(v, programm().futterDatenbank) || !RationFuellen(v, FutterJeGruppe)
                || !AnweisungAusfuehren(v, QStringLiteral("UPDATE Ration SET FutterID = FutterID + ?"), { g * 3 }))
                return false;
        }
        const RationSpeichernAngaben angaben { QStringLiteral("Gruppe %1").arg(g + 1), 20L + g * 10, false, 650,
            g == Gruppen - 1 ? 0.0 : 20.0 + g * 3, 4.0, 0.42 };
        if (!RationSpeichern(programm().futterDatenbank, angaben))
            return false;
    }
    return true;
}


} // namespace

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    QTextStream aus(stdout);
    const int wiederholungen = argc > 1 ? qMax(1, QString::fromLocal8Bit(argv[1]).toInt()) : 50;

    QTemporaryDir ordner;
    if (!ordner.isValid() || !MessdatenbankAnlegen(ordner.path()) || !HerdeAnlegen())
        return 1;
    const QString pfad = programm().futterDatenbank;
    aus << Gruppen << " Gruppen zu " << FutterJeGruppe << " Futtermitteln auf " << FutterAnzahl << " Futtermitteln, "
        << wiederholungen << " Läufe\n";

    const QStringList sechs { "Gruppe 1", "Gruppe 2", "Gruppe 3", "Gruppe 4", "Gruppe 5", "Gruppe 6" };
    Messen(aus, QStringLiteral("Vergleich von 6 Rationen"), wiederholungen, [&] {
        QList<RationsBewertung> b;
        return RationenBewerten(pfad, sechs, b) && b.size() == 6;
    }, GrenzeMs);
    Messen(aus, QStringLiteral("Herde aus 9 Gruppen"), wiederholungen, [&] {
        Herde h;
        return HerdeBerechnen(pfad, h) && h.gruppen.size() == Gruppen;
    }, GrenzeMs);
    return 0;
}
