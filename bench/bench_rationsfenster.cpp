// Time of opening the ration window on a ration of 15 feeds (evaluation and
// all its database reads included) in a main window of 1024 x 768, and the
// share of its "Versorgung" page: the supply chart built and filled as the
// window does it. The page may add at most 20 ms.
//
//   bench_rationsfenster [wiederholungen]

#include "Messdaten.h"
#include "app/ui/HauptFenster.h"
#include "ration/RationAuswerten.h"
#include "ration/RationTiereingaben.h"
#include "ration/ui/VersorgungsDiagramm.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QMdiSubWindow>
#include <QTemporaryDir>
#include <QTextStream>
#include <ctime>
#include <functional>

using namespace kelvora;

namespace {

constexpr int Futter = 15;
constexpr double SeiteGrenzeMs = 20;

// Processor time in ms per run; negative when a run failed.
double Messen(int wiederholungen, const std::function<bool()>& lauf)
{
    if (!lauf())
        return -1;
    const std::clock_t start = std::clock();
    for (int i = 0; i < wiederholungen; ++i)
        if (!lauf())
            return -1;
    return static_cast<double>(std::clock() - start) * 1000 / CLOCKS_PER_SEC / wiederholungen;
}

} // namespace

int main(int argc, char** argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    QTextStream aus(stdout);
    const int wiederholungen = argc > 1 ? qMax(1, QString::fromLocal8Bit(argv[1]).toInt()) : 30;

    QTemporaryDir ordner;
    if (!ordner.isValid() || !MessdatenbankAnlegen(ordner.path()))
        return 1;
    {
        Verbindung v;
        if (!DatenbankOeffnen(v, programm().futterDatenbank) || !RationFuellen(v, Futter))
            return 1;
    }
    HauptFenster haupt;
    haupt.resize(1024, 768);
    haupt.show();
    QApplication::processEvents();

    const double mitSeite = Messen(wiederholungen, [&] {
        QWidget* f = haupt.FensterOeffnen(RationFensterName());
        if (!f)
            return false;
        QApplication::processEvents();
        auto* rahmen = qobject_cast<QMdiSubWindow*>(f->parentWidget());
        if (rahmen)
            delete rahmen;
        else
            delete f;
        QApplication::processEvents();
        return true;
    });
    // The page as the window builds it: on a hidden tab it is filled, not painted.
    const Auswertung a = RationAuswerten(TierEingaben {}, programm().futterDatenbank);
    const double seite = Messen(wiederholungen, [&] {
        VersorgungsDiagramm d;
        d.Setzen({ { QString(), VersorgungsbalkenAus(a) } });
        return d.Balken().size() == 6;
    });
    if (mitSeite < 0 || seite < 0) {
        aus << "Rationsfenster: fehlgeschlagen\n";
        return 1;
    }
    aus << "Ration aus " << Futter << " Futtermitteln, " << wiederholungen << " Läufe, Prozessorzeit je Lauf\n";
    aus << QString::asprintf("%-36s %8.2f ms\n", "Rationsfenster öffnen mit Seite", mitSeite);
    aus << QString::asprintf("%-36s %8.2f ms\n", "ohne Seite", mitSeite - seite);
    aus << QString::asprintf("%-36s %8.2f ms (Grenze %.0f ms: %s)\n", "Seite \"Versorgung\"", seite, SeiteGrenzeMs,
        seite <= SeiteGrenzeMs ? "eingehalten" : "ÜBERSCHRITTEN");
    return 0;
}
