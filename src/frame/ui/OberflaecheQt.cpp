#include "frame/ui/OberflaecheQt.h"

#include "frame/Programm.h"
#include "frame/ui/Hauptrahmen.h"

#include <QApplication>
#include <QDesktopServices>
#include <QElapsedTimer>
#include <QInputDialog>
#include <QMessageBox>
#include <QPushButton>
#include <QThread>
#include <QUrl>
#include <cstdlib>

namespace kelvora {

namespace {

QMessageBox::Icon IconFuer(Symbol s)
{
    switch (s) {
    case Symbol::Kritisch: return QMessageBox::Critical;
    case Symbol::Frage: return QMessageBox::Question;
    case Symbol::Ausrufezeichen: return QMessageBox::Warning;
    case Symbol::Information: return QMessageBox::Information;
    case Symbol::Keins: break;
    }
    return QMessageBox::NoIcon;
}

QList<Antwort> KnoepfeFuer(Knoepfe k)
{
    switch (k) {
    case Knoepfe::OK: return {Antwort::OK};
    case Knoepfe::OKAbbrechen: return {Antwort::OK, Antwort::Abbrechen};
    case Knoepfe::JaNein: return {Antwort::Ja, Antwort::Nein};
    case Knoepfe::JaNeinAbbrechen: return {Antwort::Ja, Antwort::Nein, Antwort::Abbrechen};
    case Knoepfe::WiederholenAbbrechen: return {Antwort::Wiederholen, Antwort::Abbrechen};
    }
    return {Antwort::OK};
}

QString Beschriftung(Antwort a)
{
    switch (a) {
    case Antwort::OK: return QStringLiteral("OK");
    case Antwort::Abbrechen: return QStringLiteral("Abbrechen");
    case Antwort::Ja: return QStringLiteral("&Ja");
    case Antwort::Nein: return QStringLiteral("&Nein");
    case Antwort::Wiederholen: return QStringLiteral("&Wiederholen");
    }
    return QString();
}

QMessageBox::ButtonRole RolleFuer(Antwort a)
{
    switch (a) {
    case Antwort::OK:
    case Antwort::Ja: return QMessageBox::YesRole;
    case Antwort::Nein: return QMessageBox::NoRole;
    case Antwort::Abbrechen: return QMessageBox::RejectRole;
    case Antwort::Wiederholen: return QMessageBox::AcceptRole;
    }
    return QMessageBox::AcceptRole;
}

} // namespace

Antwort OberflaecheQt::MsgBox(const QString& text, Knoepfe knoepfe, Symbol symbol, Antwort standard,
                              const QString& titel)
{
    QMessageBox box(IconFuer(symbol), titel.isEmpty() ? Programmname() : titel, text, QMessageBox::NoButton,
                    haupt ? static_cast<QWidget*>(haupt) : nullptr);
    // Messages quote names and values from files and servers; markup in
    // them shows as typed, never as a picture or a link.
    box.setTextFormat(Qt::PlainText);
    const QList<Antwort> antworten = KnoepfeFuer(knoepfe);
    QList<QPushButton*> knoepfeListe;
    for (Antwort a : antworten) {
        QPushButton* k = box.addButton(Beschriftung(a), RolleFuer(a));
        knoepfeListe.append(k);
        if (a == standard)
            box.setDefaultButton(k);
    }
    // Esc answers Cancel or No where the box has one, as users expect.
    if (antworten.contains(Antwort::Abbrechen))
        box.setEscapeButton(knoepfeListe[antworten.indexOf(Antwort::Abbrechen)]);
    else if (antworten.contains(Antwort::Nein))
        box.setEscapeButton(knoepfeListe[antworten.indexOf(Antwort::Nein)]);
    else
        box.setEscapeButton(knoepfeListe.first());

    const bool sanduhr = QApplication::overrideCursor() != nullptr;
    if (sanduhr)
        QApplication::setOverrideCursor(Qt::ArrowCursor);
    box.exec();
    if (sanduhr)
        QApplication::restoreOverrideCursor();

    const qsizetype i = knoepfeListe.indexOf(qobject_cast<QPushButton*>(box.clickedButton()));
    return i >= 0 ? antworten[i] : standard;
}

void OberflaecheQt::StatuszeileZeigen(qint64 farbe, const QString& text, int sekunden, bool ausblenden)
{
    if (haupt)
        haupt->MeldungZeigen(farbe, text, sekunden, ausblenden);
}

QString OberflaecheQt::DatenbankAnzeigeText()
{
    return haupt ? haupt->DatenbankAnzeigeText() : anzeigeOhneFenster;
}

void OberflaecheQt::DatenbankAnzeigeSetzen(const QString& text, qint64 farbe, bool durchsichtig)
{
    if (haupt)
        haupt->DatenbankAnzeigeSetzen(text, farbe, durchsichtig);
    else
        anzeigeOhneFenster = text;
}

void OberflaecheQt::Sanduhr(bool an)
{
    if (an)
        QApplication::setOverrideCursor(Qt::WaitCursor);
    else if (QApplication::overrideCursor())
        QApplication::restoreOverrideCursor();
}

void OberflaecheQt::EreignisseVerarbeiten()
{
    QCoreApplication::processEvents();
}

void OberflaecheQt::Warten(int millisekunden)
{
    // Waits keep the window alive: timers tick and the indicator repaints.
    QElapsedTimer uhr;
    uhr.start();
    while (uhr.elapsed() < millisekunden) {
        QCoreApplication::processEvents(QEventLoop::AllEvents, 20);
        QThread::msleep(10);
    }
}

QDateTime OberflaecheQt::Jetzt()
{
    return QDateTime::currentDateTime();
}

bool OberflaecheQt::AdresseOeffnen(const QString& adresse)
{
    return QDesktopServices::openUrl(QUrl(adresse, QUrl::TolerantMode));
}

void OberflaecheQt::ProgrammBeenden(int code)
{
    if (QThread::currentThread()->loopLevel() > 0) {
        QCoreApplication::exit(code);
        return;
    }
    // Before the event loop runs there is nothing to close cleanly.
    std::exit(code);
}

std::optional<QString> OberflaecheQt::TextAbfragen(const QString& text, const QString& vorgabe, const QString& titel)
{
    bool ok = false;
    const QString antwort = QInputDialog::getText(haupt ? static_cast<QWidget*>(haupt) : nullptr,
        titel.isEmpty() ? Programmname() : titel, text, QLineEdit::Normal, vorgabe, &ok);
    if (!ok)
        return std::nullopt;
    return antwort;
}

} // namespace kelvora
