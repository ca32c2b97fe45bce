// Kelvora: checks the daily feed ration of a dairy cow.

#include "app/Befehlszeile.h"
#include "app/ui/HauptFenster.h"
#include "frame/Hauptmenue.h"
#include "frame/Programm.h"
#include "frame/ui/OberflaecheQt.h"

#include <QApplication>
#include <QLibraryInfo>
#include <QLocale>
#include <QTextStream>
#include <QTimer>
#include <QTranslator>
#include <memory>

using namespace kelvora;

namespace {

void NamenSetzen()
{
    QCoreApplication::setApplicationName(QStringLiteral("Kelvora"));
    QCoreApplication::setOrganizationName(QStringLiteral("Kelvora"));
}

// Qt's own dialogs (file dialog, print preview, standard buttons) speak
// German like the rest of the program, whatever language the desktop has.
// Without the translation package they stay English but work.
void QtTexteDeutsch(QApplication& app, QTranslator& uebersetzer)
{
    QLocale::setDefault(QLocale(QLocale::German, QLocale::Germany));
    if (uebersetzer.load(QLocale(QLocale::German, QLocale::Germany), QStringLiteral("qtbase"),
                         QStringLiteral("_"), QLibraryInfo::path(QLibraryInfo::TranslationsPath)))
        app.installTranslator(&uebersetzer);
}

} // namespace

int main(int argc, char** argv)
{
    QStringList argumente;
    for (int i = 0; i < argc; ++i)
        argumente.append(QString::fromLocal8Bit(argv[i]));
    const Befehlszeile bz = BefehlszeileLesen(argumente);

    // Version, help, the commands and a wrong command line need no display:
    // they run on a farm PC over ssh and in scripts.
    if (OhneFenster(bz)) {
        std::unique_ptr<QCoreApplication> app;
        if (BrauchtGrafik(bz)) {
            if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
                qputenv("QT_QPA_PLATFORM", "offscreen");
            // The report's supply chart is a graphics widget: it needs the widget application.
            app = std::make_unique<QApplication>(argc, argv);
        } else {
            app = std::make_unique<QCoreApplication>(argc, argv);
        }
        NamenSetzen();
        QTextStream aus(stdout), fehler(stderr);
        return OhneFensterAusfuehren(bz, aus, fehler);
    }

    // Qt takes its own options (-platform, -style, ...) from argv here.
    QApplication app(argc, argv);
    NamenSetzen();
    QTranslator qtTexte;
    QtTexteDeutsch(app, qtTexte);

    const QString fehler = DatenordnerVorbereiten(bz);
    if (!fehler.isEmpty()) {
        QTextStream(stderr) << fehler << Qt::endl;
        return 1;
    }

    WartungsmodusLesen(bz.wartung);

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
