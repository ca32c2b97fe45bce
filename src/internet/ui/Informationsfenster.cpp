#include "internet/ui/Informationsfenster.h"

#include "frame/FunktionenFuerINI.h"
#include "frame/Hauptmenue.h"
#include "frame/Oberflaeche.h"
#include "frame/Programm.h"
#include "frame/Statuszeile.h"
#include "frame/ui/FensterPositionQt.h"
#include "frame/ui/Hauptrahmen.h"
#include "internet/AustauschZugang.h"
#include "internet/MailRoutinen.h"
#include "internet/SupportAngaben.h"
#include "internet/UpdateSuchen.h"

#include <QCloseEvent>
#include <QDir>
#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QMdiSubWindow>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QUrl>
#include <QVBoxLayout>

namespace kelvora {

namespace {

QLineEdit* Feld(
    QWidget* eltern, QFormLayout* form, const QString& name, const QString& beschriftung, const QString& hinweis)
{
    auto* f = new QLineEdit(eltern);
    f->setObjectName(name);
    // Settings values are read back with at most 100 characters.
    f->setMaxLength(100);
    f->setPlaceholderText(hinweis);
    form->addRow(beschriftung, f);
    return f;
}

QPushButton* Knopf(QWidget* eltern, const QString& name, const QString& text)
{
    auto* k = new QPushButton(text, eltern);
    k->setObjectName(name);
    return k;
}

QLabel* Beschriftung(QWidget* eltern, const QString& name, const QString& text)
{
    auto* l = new QLabel(text, eltern);
    l->setObjectName(name);
    l->setWordWrap(true);
    return l;
}

} // namespace

Informationsfenster::Informationsfenster(Hauptrahmen* h)
    : QWidget(nullptr)
    , haupt(h)
{
    setObjectName(QStringLiteral("Informationsfenster"));
    setWindowTitle(QStringLiteral("Programm"));
    setAttribute(Qt::WA_DeleteOnClose);
    Aufbauen();
}

void Informationsfenster::Aufbauen()
{
    auto* aussen = new QVBoxLayout(this);

    // What runs and where its files are: the first thing support asks.
    auto* programmRahmen = new QGroupBox(QStringLiteral("Programm"), this);
    programmRahmen->setObjectName(QStringLiteral("frmProgramm"));
    auto* programmForm = new QFormLayout(programmRahmen);
    auto* name = Beschriftung(programmRahmen, QStringLiteral("lblProgrammname"), Programmname());
    QFont fett = name->font();
    fett.setBold(true);
    name->setFont(fett);
    programmForm->addRow(QStringLiteral("Name:"), name);
    programmForm->addRow(QStringLiteral("Version vom:"),
        Beschriftung(
            programmRahmen, QStringLiteral("lblVersion"), Versionsdatum().toString(QStringLiteral("dd.MM.yyyy"))));
    auto* ordner = Beschriftung(
        programmRahmen, QStringLiteral("lblDatenordner"), QDir::toNativeSeparators(programm().datenordner));
    ordner->setTextInteractionFlags(Qt::TextSelectableByMouse);
    ordner->setToolTip(QStringLiteral("Hier liegen Futterdatenbank, Einstellungen und Protokolle."));
    programmForm->addRow(QStringLiteral("Datenordner:"), ordner);
    auto* programmKnoepfe = new QHBoxLayout;
    QPushButton* pruefen = Knopf(programmRahmen, QStringLiteral("cmdVersionPruefen"), QStringLiteral("Version prüfen"));
    pruefen->setToolTip(QStringLiteral("Im Internet nachsehen, ob es eine neuere Version gibt"));
    QPushButton* oeffnen
        = Knopf(programmRahmen, QStringLiteral("cmdDatenordnerOeffnen"), QStringLiteral("Datenordner öffnen"));
    // Shown only where support has set a program up (Laden).
    cmdFernwartung = Knopf(programmRahmen, QStringLiteral("cmdFernwartung"), QStringLiteral("Fernwartung starten"));
    cmdFernwartung->setToolTip(
        QStringLiteral("Startet das Programm, mit dem der Betreuer Ihren Bildschirm sehen und Ihnen helfen kann"));
    programmKnoepfe->addWidget(pruefen);
    programmKnoepfe->addWidget(oeffnen);
    programmKnoepfe->addWidget(cmdFernwartung);
    programmKnoepfe->addStretch();
    programmForm->addRow(programmKnoepfe);
    aussen->addWidget(programmRahmen);

    // How the feed exchange logs in: support's second question.
    auto* austausch = new QGroupBox(QStringLiteral("Futtermittel-Austausch"), this);
    austausch->setObjectName(QStringLiteral("frmAustausch"));
    auto* austauschForm = new QFormLayout(austausch);
    lblPasswortablage = Beschriftung(austausch, QStringLiteral("lblPasswortablage"), QString());
    lblLetzteVerbindung = Beschriftung(austausch, QStringLiteral("lblLetzteVerbindung"), QString());
    // Server names come from the settings file: shown as they are written.
    for (QLabel* l : { lblPasswortablage, lblLetzteVerbindung }) {
        l->setTextFormat(Qt::PlainText);
        austauschForm->addRow(l);
    }
    aussen->addWidget(austausch);

    auto* identitaet = new QGroupBox(QStringLiteral("Name und Anschrift (im Kopf jedes Ausdrucks und in geteilten "
                                                    "Futtermitteln)"),
        this);
    identitaet->setObjectName(QStringLiteral("frmIdentitaet"));
    auto* identForm = new QFormLayout(identitaet);
    txtName = Feld(identitaet, identForm, QStringLiteral("txtName"), QStringLiteral("Name:"),
        QStringLiteral("z. B. Milchviehbetrieb Anna Muster"));
    txtAdresse = Feld(identitaet, identForm, QStringLiteral("txtAdresse"), QStringLiteral("Anschrift:"),
        QStringLiteral("z. B. Dorfstraße 1, 12345 Musterhausen"));
    lblKontaktHinweis = Beschriftung(identitaet, QStringLiteral("lblKontaktHinweis"),
        QStringLiteral("Die Datei kontakt.ini legt Name und Anschrift fest. Was Sie "
                       "hier eintragen, gilt erst, wenn dort eine der beiden Zeilen "
                       "leer ist."));
    identForm->addRow(lblKontaktHinweis);
    aussen->addWidget(identitaet);

    auto* nachricht = new QGroupBox(QStringLiteral("Nachricht an den Autor"), this);
    nachricht->setObjectName(QStringLiteral("frmNachricht"));
    auto* nachrichtForm = new QFormLayout(nachricht);
    txtAbsenderName
        = Feld(nachricht, nachrichtForm, QStringLiteral("txtAbsenderName"), QStringLiteral("Absender:"), QString());
    txtAbsenderEmail
        = Feld(nachricht, nachrichtForm, QStringLiteral("txtAbsenderEmail"), QStringLiteral("E-Mail:"), QString());
    txtAbsenderAdresse
        = Feld(nachricht, nachrichtForm, QStringLiteral("txtAbsenderAdresse"), QStringLiteral("Anschrift:"), QString());
    txtNachricht = new QPlainTextEdit(nachricht);
    txtNachricht->setObjectName(QStringLiteral("txtNachricht"));
    txtNachricht->setPlaceholderText(QStringLiteral("Ihre Frage oder Anregung"));
    txtNachricht->setTabChangesFocus(true);
    // A few lines are enough; the window has to fit into the main window.
    txtNachricht->setFixedHeight(txtNachricht->fontMetrics().lineSpacing() * 3 + 12);
    nachrichtForm->addRow(QStringLiteral("Nachricht:"), txtNachricht);
    QPushButton* senden
        = Knopf(nachricht, QStringLiteral("cmdNachrichtSenden"), QStringLiteral("E-Mail an den Autor schreiben"));
    senden->setToolTip(QStringLiteral("Öffnet Ihr E-Mail-Programm mit dieser Nachricht an ") + SupportAdresse());
    nachrichtForm->addRow(senden);
    aussen->addWidget(nachricht);

    auto* knoepfe = new QHBoxLayout;
    knoepfe->addStretch();
    QPushButton* speichern = Knopf(this, QStringLiteral("cmdSpeichern"), QStringLiteral("Speichern"));
    QPushButton* schliessen = Knopf(this, QStringLiteral("cmdSchliessen"), QStringLiteral("Schließen"));
    knoepfe->addWidget(speichern);
    knoepfe->addWidget(schliessen);
    aussen->addLayout(knoepfe);

    connect(pruefen, &QPushButton::clicked, this, &Informationsfenster::VersionPruefen);
    connect(oeffnen, &QPushButton::clicked, this, &Informationsfenster::DatenordnerOeffnen);
    connect(cmdFernwartung, &QPushButton::clicked, this, &Informationsfenster::FernwartungStarten);
    connect(senden, &QPushButton::clicked, this, &Informationsfenster::NachrichtSchreiben);
    connect(speichern, &QPushButton::clicked, this, [this] { Speichern(); });
    connect(schliessen, &QPushButton::clicked, this, [this] {
        // The frame around the window closes with it.
        if (QMdiSubWindow* u = UnterfensterVon(this))
            u->close();
        else
            close();
    });
    for (QLineEdit* f : { txtName, txtAdresse, txtAbsenderName, txtAbsenderEmail, txtAbsenderAdresse })
        connect(f, &QLineEdit::textEdited, this, [this] { geaendert = true; });
}

void Informationsfenster::Laden()
{
    const SupportAngaben a = SupportAngabenLesen();
    txtName->setText(a.name);
    txtAdresse->setText(a.adresse);
    txtAbsenderName->setText(a.absenderName);
    txtAbsenderEmail->setText(a.absenderEmail);
    txtAbsenderAdresse->setText(a.absenderAdresse);
    lblKontaktHinweis->setVisible(IdentitaetAusKontaktIni());
    lblPasswortablage->setText(PasswortablageText());
    lblLetzteVerbindung->setText(LetzteVerbindungText());
    cmdFernwartung->setVisible(!FernwartungEintrag().isEmpty());
    geaendert = false;

    // Fixed width by the content, height as the wrapped texts need; the user may enlarge it.
    const QSizeF groesse = InhaltInTwips(this, 520);
    FensterPositionLaden(this, haupt ? haupt->Arbeitsbereich() : nullptr, groesse.width(), groesse.width() * 2,
        groesse.height(), groesse.height() * 2, false, true, true);
}

SupportAngaben Informationsfenster::Eingaben() const
{
    SupportAngaben a;
    a.name = txtName->text();
    a.adresse = txtAdresse->text();
    a.absenderName = txtAbsenderName->text();
    a.absenderEmail = txtAbsenderEmail->text();
    a.absenderAdresse = txtAbsenderAdresse->text();
    return a;
}

bool Informationsfenster::Speichern()
{
    const QString fehler = SupportAngabenSpeichern(Eingaben());
    if (!fehler.isEmpty()) {
        // The typed values stay in the window.
        MsgBox(fehler, Knoepfe::OK, Symbol::Kritisch, Antwort::OK, QStringLiteral("Speichern nicht möglich"));
        return false;
    }
    geaendert = false;
    HauptFensterMeldungAusgeben(Farbe::Gruen, QStringLiteral("Die Angaben wurden gespeichert."), 5);
    return true;
}

void Informationsfenster::VersionPruefen()
{
    UpdateSucheAnfordern(UpdateAusloeser::Informationsfenster);
    if (haupt)
        haupt->UpdateSucheStarten();
}

void Informationsfenster::NachrichtSchreiben()
{
    if (txtNachricht->toPlainText().trimmed().isEmpty()) {
        MsgBox(QStringLiteral("Bitte schreiben Sie zuerst Ihre Nachricht in das Feld „Nachricht“."), Knoepfe::OK,
            Symbol::Ausrufezeichen);
        txtNachricht->setFocus();
        return;
    }
    QString an = SupportAdresse();
    MailAufrufen(an, Programmname(), NachrichtAnDenAutor(Eingaben(), txtNachricht->toPlainText()));
}

void Informationsfenster::DatenordnerOeffnen()
{
    if (!ui().AdresseOeffnen(QUrl::fromLocalFile(programm().datenordner).toString()))
        MsgBox(QStringLiteral("Der Datenordner kann nicht angezeigt werden, weil kein Dateimanager eingerichtet ist. "
                              "Er liegt hier:\n")
                + QDir::toNativeSeparators(programm().datenordner),
            Knoepfe::OK, Symbol::Information);
}

void Informationsfenster::FernwartungStarten()
{
    const QString fehler = kelvora::FernwartungStarten();
    if (!fehler.isEmpty()) {
        MsgBox(fehler, Knoepfe::OK, Symbol::Ausrufezeichen, Antwort::OK, QStringLiteral("Fernwartung"));
        return;
    }
    HauptFensterMeldungAusgeben(Farbe::Gruen, QStringLiteral("Das Fernwartungsprogramm wird gestartet."), 5);
}

void Informationsfenster::closeEvent(QCloseEvent* e)
{
    if (geaendert && !programm().programmEndet) {
        const Antwort a = MsgBox(QStringLiteral("Die Angaben wurden geändert. Sollen die Änderungen "
                                                "gespeichert werden?"),
            Knoepfe::JaNeinAbbrechen, Symbol::Frage, Antwort::Ja);
        if (a == Antwort::Abbrechen || (a == Antwort::Ja && !Speichern())) {
            e->ignore();
            return;
        }
    }
    INISpeichern(QStringLiteral("OffeneFenster"), objectName(),
        programm().programmEndet ? QStringLiteral("1") : QStringLiteral("0"));
    FensterPositionSpeichern(this);
    e->accept();
}

} // namespace kelvora
