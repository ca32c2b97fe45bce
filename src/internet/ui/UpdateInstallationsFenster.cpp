#include "internet/ui/UpdateInstallationsFenster.h"

#include "frame/FunktionenFuerINI.h"
#include "frame/Hauptmenue.h"
#include "frame/Programm.h"
#include "frame/ui/FensterPositionQt.h"
#include "frame/ui/Hauptrahmen.h"
#include "internet/MailRoutinen.h"
#include "internet/UpdateSuchen.h"

#include <QAction>
#include <QCloseEvent>
#include <QDir>
#include <QHBoxLayout>
#include <QLabel>
#include <QMdiSubWindow>
#include <QMenu>
#include <QPushButton>
#include <QVBoxLayout>

namespace kelvora {

namespace {

QLabel* Zeile(QWidget* eltern, QLayout* layout, const QString& name, const QString& text)
{
    auto* l = new QLabel(text, eltern);
    l->setObjectName(name);
    l->setWordWrap(true);
    layout->addWidget(l);
    return l;
}

QString Datum(const QDate& d)
{
    return d.isValid() ? d.toString(QStringLiteral("dd.MM.yyyy")) : QStringLiteral("unbekannt");
}

} // namespace

UpdateInstallationsFenster::UpdateInstallationsFenster(Hauptrahmen* h)
    : QWidget(nullptr)
    , haupt(h)
{
    setObjectName(QStringLiteral("UpdateInstallationsFenster"));
    setWindowTitle(QStringLiteral("Neue Version installieren"));
    setAttribute(Qt::WA_DeleteOnClose);
    updateAnfrage().installationsFensterOffen = true;

    auto* aussen = new QVBoxLayout(this);
    Zeile(this, aussen, QStringLiteral("lblInstalliert"),
        QStringLiteral("Installierte Version: ") + Datum(Versionsdatum()));
    Zeile(this, aussen, QStringLiteral("lblImInternet"),
        QStringLiteral("Version im Internet: ") + Datum(ZuletztGefundeneVersion()));
    const QString seite = UpdateDownloadseite();
    Zeile(this, aussen, QStringLiteral("lblSchritte"),
        QStringLiteral("So kommen Sie zur neuen Version:\n"
                       "1. Laden Sie das Installationspaket von der Seite des Herstellers herunter.\n"
                       "2. Beenden Sie Kelvora.\n"
                       "3. Installieren Sie das Paket und starten Sie Kelvora wieder."));
    Zeile(this, aussen, QStringLiteral("lblDaten"),
        QStringLiteral("Ihre Futterdatenbank, Ration und Einstellungen im Datenordner %1 bleiben erhalten.")
            .arg(QDir::toNativeSeparators(programm().datenordner)));
    if (seite.isEmpty())
        Zeile(this, aussen, QStringLiteral("lblKeineSeite"),
            QStringLiteral("Es ist keine Download-Seite eingetragen. Bitte tragen Sie sie in der Datei "
                           "KELVORA.INI im Abschnitt [Update] unter „Downloadseite“ ein."));

    auto* knoepfe = new QHBoxLayout;
    auto* laden = new QPushButton(QStringLiteral("Download-Seite öffnen"), this);
    laden->setObjectName(QStringLiteral("cmdDownloadseite"));
    laden->setToolTip(seite);
    laden->setEnabled(!seite.isEmpty());
    laden->setDefault(true);
    auto* schliessen = new QPushButton(QStringLiteral("Schließen"), this);
    schliessen->setObjectName(QStringLiteral("cmdSchliessen"));
    knoepfe->addStretch();
    knoepfe->addWidget(laden);
    knoepfe->addWidget(schliessen);
    aussen->addLayout(knoepfe);
    connect(laden, &QPushButton::clicked, this, [seite] { WebseiteAufrufen(seite); });
    connect(schliessen, &QPushButton::clicked, this, [this] {
        // The frame around the window closes with it.
        if (QMdiSubWindow* u = UnterfensterVon(this))
            u->close();
        else
            close();
    });
}

UpdateInstallationsFenster::~UpdateInstallationsFenster()
{
    updateAnfrage().installationsFensterOffen = false;
}

void UpdateInstallationsFenster::Laden()
{
    // Fixed width by the content, height as the wrapped texts need; the user may enlarge it.
    const QSizeF groesse = InhaltInTwips(this, 460);
    FensterPositionLaden(this, haupt ? haupt->Arbeitsbereich() : nullptr, groesse.width(), groesse.width() * 2,
        groesse.height(), groesse.height() * 2, false, true, true);
}

void UpdateInstallationsFenster::closeEvent(QCloseEvent* e)
{
    INISpeichern(QStringLiteral("OffeneFenster"), objectName(),
        programm().programmEndet ? QStringLiteral("1") : QStringLiteral("0"));
    FensterPositionSpeichern(this);
    updateAnfrage().installationsFensterOffen = false;
    e->accept();
}

void UpdateSucheFuerHauptfenster(Hauptrahmen* haupt)
{
    const UpdateErgebnis e = UpdateSuchen();
    // The request is answered; a later run is no longer the user's.
    updateAnfrage().vomBenutzer = false;
    updateAnfrage().ergebnisZeigen = false;
    if (!haupt)
        return;
    if (e.auskunft.neuer() && !updateAnfrage().installationsFensterOffen) {
        if (QAction* a = haupt->Aktion(QStringLiteral("NeueVersionInstallationA")))
            a->setText(e.auskunft.imInternet.toString(QStringLiteral("dd.MM.yy")));
        if (QAction* m = haupt->Aktion(QStringLiteral("NeueVersionHM")))
            m->setVisible(true);
    }
    if (e.installieren)
        haupt->FensterOeffnen(QStringLiteral("UpdateInstallationsFenster"));
}

} // namespace kelvora
