// Time of the loading list and of the evaluation of what was loaded for a
// ration of 15 feeds, all database reads included, on a feed database of
// 1,000 feeds: each at most 5 ms. Also the supply chart of plan and loaded,
// built and painted once as a window would (at most 20 ms).
//
//   bench_ladeliste [wiederholungen]

#include "Messdaten.h"
#include "herde/Ladeliste.h"
#include "herde/RationenVerwalten.h"
#include "ration/ui/VersorgungsDiagramm.h"

#include <QApplication>
#include <QTemporaryDir>
#include <QTextStream>
#include <functional>

using namespace kelvora;

namespace {

constexpr int Futter = 15;
constexpr double GrenzeMs = 5;
constexpr double DiagrammGrenzeMs = 20;


} // namespace

int main(int argc, char** argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    QTextStream aus(stdout);
    const int wiederholungen = argc > 1 ? qMax(1, QString::fromLocal8Bit(argv[1]).toInt()) : 200;

    QTemporaryDir ordner;
    if (!ordner.isValid() || !MessdatenbankAnlegen(ordner.path()))
        return 1;
    const QString pfad = programm().futterDatenbank;
    {
        Verbindung v;
        if (!DatenbankOeffnen(v, pfad) || !RationFuellen(v, Futter))
            return 1;
    }
    if (!RationSpeichern(pfad, { QStringLiteral("Mischwagen"), 48L, false, 650, 34, 4.0, 0.45 }))
        return 1;
    aus << "Ration aus " << Futter << " Futtermitteln, 48 Tiere, auf " << FutterAnzahl << " Futtermitteln, "
        << wiederholungen << " Läufe\n";

    LadelisteLauf liste { QStringLiteral("Mischwagen"), {}, nullptr };
    liste.angaben.fassung = 4000;
    Messen(aus, QStringLiteral("Ladeliste (Fassung 4000 kg)"), wiederholungen, [&] {
        LadelisteErgebnis e;
        return LadelisteLesen(pfad, liste, e) && e.liste.zeilen.size() == Futter;
    }, GrenzeMs);
    // Every feed loaded 8 % over the plan.
    LadelisteErgebnis plan;
    if (!LadelisteLesen(pfad, liste, plan))
        return 1;
    QMap<int, double> kg;
    for (const LadeZeile& z : plan.liste.zeilen)
        kg.insert(z.nr, z.kg * 1.08);
    LadelisteLauf geladen = liste;
    geladen.geladen = &kg;
    Messen(aus, QStringLiteral("Auswertung des Geladenen"), wiederholungen, [&] {
        LadelisteErgebnis e;
        return LadelisteLesen(pfad, geladen, e) && e.bewertung.zeilen.size() == Futter;
    }, GrenzeMs);
    LadelisteErgebnis e;
    if (!LadelisteLesen(pfad, geladen, e))
        return 1;
    const QList<DiagrammGruppe> gruppen { { QStringLiteral("Plan"), VersorgungsbalkenAus(e.plan.auswertung) },
        { QStringLiteral("geladen"), VersorgungsbalkenAus(e.bewertung.geladen) } };
    Messen(
        aus, QStringLiteral("Versorgungsdiagramm aufbauen und malen"), std::max(1, wiederholungen / 10),
        [&] {
            VersorgungsDiagramm d;
            d.resize(420, 480);
            d.Setzen(gruppen);
            return !d.grab().isNull() && d.Balken().size() == 12;
        },
        DiagrammGrenzeMs);
    return 0;
}
