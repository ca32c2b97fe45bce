// Kelvora: checks the daily feed ration of a dairy cow.

#include "app/Befehlszeile.h"
#include "frame/Programm.h"
#include "frame/ui/HauptFenster.h"
#include "frame/ui/OberflaecheQt.h"
#include "ration/AuswertungsBefehl.h"

#include <QApplication>
#include <QTextStream>
#include <QTimer>

using namespace kelvora;

int main(int argc, char** argv)
{
    // Evaluation and balancing without a screen, for scripts and checks of the figures.
    if (argc > 1 && (qstrcmp(argv[1], "auswerten") == 0 || qstrcmp(argv[1], "ausgleichen") == 0)) {
        QCoreApplication app(argc, argv);
        QCoreApplication::setApplicationName(QStringLiteral("Kelvora"));
        QCoreApplication::setOrganizationName(QStringLiteral("Kelvora"));
        QTextStream aus(stdout), fehler(stderr);
        const QStringList argumente = QCoreApplication::arguments().mid(2);
        return qstrcmp(argv[1], "ausgleichen") == 0 ? AusgleichenBefehl(argumente, aus, fehler)
                                                    : AuswertenBefehl(argumente, aus, fehler);
    }

    // Qt removes its own options (-platform, -style, ...) from argv here.
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Kelvora"));
    QApplication::setOrganizationName(QStringLiteral("Kelvora"));

    const Befehlszeile bz = BefehlszeileLesen(QCoreApplication::arguments());
    if (!bz.fehler.isEmpty()) {
        QTextStream(stderr) << bz.fehler << Qt::endl;
        return 2;
    }
    if (bz.version) {
        QTextStream(stdout) << Programmtitel() << Qt::endl;
        return 0;
    }

    const QString fehler = DatenordnerVorbereiten(bz);
    if (!fehler.isEmpty()) {
        QTextStream(stderr) << fehler << Qt::endl;
        return 1;
    }

    OberflaecheQt oberflaeche;
    OberflaecheSetzen(&oberflaeche);

    int ergebnis = 0;
    {
        HauptFenster haupt;
        oberflaeche.HauptFensterSetzen(&haupt);
        haupt.Laden();
        haupt.show();
        if (bz.selbsttest) {
            // Comes up, waits until the window is on screen, then ends through
            // the normal shutdown.
            QTimer::singleShot(0, &haupt, [&haupt] {
                if (haupt.isVisible())
                    haupt.close();
            });
        }
        ergebnis = QApplication::exec();
    }
    OberflaecheSetzen(nullptr);
    return ergebnis;
}
