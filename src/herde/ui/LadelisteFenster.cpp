#include "herde/ui/LadelisteFenster.h"

#include "database/DatenbankRoutinen.h"
#include "frame/Oberflaeche.h"
#include "frame/ui/Farbwert.h"
#include "grundlagen/Formate.h"
#include "grundlagen/Textbereinigung.h"
#include "herde/ui/LadelisteDrucken.h"
#include "ration/ui/VersorgungsDiagramm.h"
#include "printing/ui/DruckVorschau.h"
#include "ration/RationMengen.h"
#include "ration/RationTiereingaben.h"
#include "ration/ui/RationBerichtDrucken.h"

#include <QComboBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QPushButton>
#include <QRadioButton>
#include <QShortcut>
#include <QSplitter>
#include <QTableWidget>
#include <QVBoxLayout>

namespace kelvora {

namespace {

enum Spalte { SpNr, SpName, SpKg, SpWaage, SpTM, SpGeladen, SpAbweichung, SpProzent, SpZahl };

QTableWidgetItem* Zelle(const QString& text, bool rechts)
{
    auto* z = new QTableWidgetItem(text);
    z->setFlags(Qt::ItemIsSelectable | Qt::ItemIsEnabled);
    if (rechts)
        z->setTextAlignment(Qt::AlignRight | Qt::AlignVCenter);
    return z;
}

QString Pfad()
{
    return PfadHolen(QStringLiteral("Futter"));
}

} // namespace

LadelisteFenster::LadelisteFenster(QWidget* parent)
    : QWidget(parent)
{
    setObjectName(QStringLiteral("LadelisteFenster"));
    setWindowTitle(QStringLiteral("Ladeliste"));
    Aufbauen();
}

void LadelisteFenster::Aufbauen()
{
    auto* oben = new QGridLayout;
    auto feld = [this](const char* name, int breite) {
        auto* f = new QLineEdit(this);
        f->setObjectName(QString::fromLatin1(name));
        f->setMaximumWidth(breite);
        connect(f, &QLineEdit::editingFinished, this, [this] { Neu(); });
        return f;
    };
    ration = new QComboBox(this);
    ration->setObjectName(QStringLiteral("cboRation"));
    ration->setMinimumContentsLength(18);
    connect(ration, &QComboBox::currentIndexChanged, this, [this] {
        if (fuellen)
            return;
        geladenTexte.clear();
        tiere->clear();
        reserve->clear();
        Neu();
    });
    tiere = feld("txtTiere", 70);
    reserve = feld("txtReserve", 60);
    nachLadungen = new QRadioButton(QStringLiteral("La&dungen:"), this);
    nachLadungen->setObjectName(QStringLiteral("optLadungen"));
    nachLadungen->setChecked(true);
    auto* nachFassung = new QRadioButton(QStringLiteral("&Fassung kg:"), this);
    nachFassung->setObjectName(QStringLiteral("optFassung"));
    connect(nachLadungen, &QRadioButton::toggled, this, [this] { Neu(); });
    ladungen = feld("txtLadungen", 50);
    ladungen->setText(QStringLiteral("1"));
    fassung = feld("txtFassung", 80);
    auto* rationText = new QLabel(QStringLiteral("&Ration:"), this);
    rationText->setBuddy(ration);
    auto* tiereText = new QLabel(QStringLiteral("&Tiere:"), this);
    tiereText->setBuddy(tiere);
    auto* reserveText = new QLabel(QStringLiteral("R&eserve %:"), this);
    reserveText->setBuddy(reserve);
    oben->addWidget(rationText, 0, 0);
    oben->addWidget(ration, 0, 1);
    oben->addWidget(tiereText, 0, 2);
    oben->addWidget(tiere, 0, 3);
    oben->addWidget(reserveText, 0, 4);
    oben->addWidget(reserve, 0, 5);
    oben->addWidget(nachLadungen, 1, 0);
    oben->addWidget(ladungen, 1, 1, Qt::AlignLeft);
    oben->addWidget(nachFassung, 1, 2);
    oben->addWidget(fassung, 1, 3);
    oben->setColumnStretch(6, 1);

    auto knopf = [this](const char* name, const QString& text) {
        auto* k = new QPushButton(text, this);
        k->setObjectName(QString::fromLatin1(name));
        return k;
    };
    QPushButton* hoch = knopf("cmdNachOben", QStringLiteral("Nach &oben"));
    hoch->setToolTip(QStringLiteral("Strg+↑"));
    QPushButton* runter = knopf("cmdNachUnten", QStringLiteral("Nach &unten"));
    runter->setToolTip(QStringLiteral("Strg+↓"));
    QPushButton* drucken = knopf("cmdDrucken", QStringLiteral("Dr&ucken …"));
    QPushButton* geladenDrucken = knopf("cmdGeladenDrucken", QStringLiteral("&Geladenes drucken …"));
    connect(geladenDrucken, &QPushButton::clicked, this, &LadelisteFenster::GeladenesDrucken);
    oben->addWidget(geladenDrucken, 0, 7);
    connect(hoch, &QPushButton::clicked, this, [this] { Verschieben(-1); });
    connect(runter, &QPushButton::clicked, this, [this] { Verschieben(1); });
    connect(drucken, &QPushButton::clicked, this, &LadelisteFenster::Drucken);
    // Also while the list has the focus, which would take Ctrl+arrows as its
    // own cursor moves.
    for (const auto& [taste, richtung] : { std::pair { Qt::Key_Up, -1 }, std::pair { Qt::Key_Down, 1 } }) {
        auto* kurz = new QShortcut(QKeySequence(Qt::CTRL | taste), this);
        kurz->setContext(Qt::WidgetWithChildrenShortcut);
        connect(kurz, &QShortcut::activated, this, [this, r = richtung] { Verschieben(r); });
    }
    oben->addWidget(hoch, 1, 4);
    oben->addWidget(runter, 1, 5);
    oben->addWidget(drucken, 1, 7);

    tabelle = new QTableWidget(0, SpZahl, this);
    tabelle->setObjectName(QStringLiteral("tblLadeliste"));
    tabelle->setHorizontalHeaderLabels({ QStringLiteral("Nr"), QStringLiteral("Futtermittel"),
        QStringLiteral("kg je Ladung"), QStringLiteral("Waage"), QStringLiteral("kg TM"), QStringLiteral("geladen kg"),
        QStringLiteral("Abw. kg"), QStringLiteral("Abw. %") });
    tabelle->verticalHeader()->hide();
    tabelle->setWordWrap(false);
    tabelle->setSelectionBehavior(QAbstractItemView::SelectRows);
    tabelle->setSelectionMode(QAbstractItemView::SingleSelection);
    tabelle->horizontalHeader()->setSectionResizeMode(QHeaderView::ResizeToContents);
    tabelle->horizontalHeader()->setSectionResizeMode(SpName, QHeaderView::Stretch);
    connect(tabelle, &QTableWidget::itemChanged, this, [this](QTableWidgetItem* z) {
        if (!fuellen && z->column() == SpGeladen)
            GeladenGeaendert();
    });

    meldung = new QLabel(this);
    meldung->setObjectName(QStringLiteral("lblMeldung"));
    meldung->setTextFormat(Qt::PlainText);
    meldung->setWordWrap(true);
    meldung->setStyleSheet(QStringLiteral("color: #b00000"));
    summe = new QLabel(this);
    summe->setObjectName(QStringLiteral("lblSumme"));
    wechsel = new QLabel(this);
    wechsel->setObjectName(QStringLiteral("lblAmpelwechsel"));
    wechsel->setTextFormat(Qt::PlainText);
    wechsel->setWordWrap(true);
    diagramm = new VersorgungsDiagramm(this);

    auto* links = new QWidget(this);
    auto* l = new QVBoxLayout(links);
    l->setContentsMargins(0, 0, 0, 0);
    l->addWidget(tabelle, 1);
    l->addWidget(summe);
    auto* rechts = new QWidget(this);
    auto* r = new QVBoxLayout(rechts);
    r->setContentsMargins(0, 0, 0, 0);
    r->addWidget(diagramm, 1);
    r->addWidget(wechsel);
    auto* teiler = new QSplitter(Qt::Horizontal, this);
    teiler->addWidget(links);
    teiler->addWidget(rechts);
    teiler->setStretchFactor(0, 3);
    teiler->setStretchFactor(1, 2);
    diagramm->setMinimumWidth(300);
    teiler->setSizes({ 580, 400 });

    auto* gesamt = new QVBoxLayout(this);
    gesamt->addLayout(oben);
    gesamt->addWidget(meldung);
    gesamt->addWidget(teiler, 1);
    resize(1000, 600);
}

void LadelisteFenster::showEvent(QShowEvent* e)
{
    QWidget::showEvent(e);
    // The first time in the work area: all of it, so that the list and the
    // chart both have their room at 1024 × 768.
    auto* unter = qobject_cast<QMdiSubWindow*>(parentWidget());
    if (angezeigt || !unter || !unter->mdiArea())
        return;
    angezeigt = true;
    const QSize flaeche = unter->mdiArea()->viewport()->size();
    unter->setGeometry(0, 0, std::min(flaeche.width(), 1100), std::min(flaeche.height(), 720));
}

void LadelisteFenster::Laden(const QString& name)
{
    QList<RationsUeberblick> rationen;
    fuellen = true;
    ration->clear();
    if (RationenUeberblicken(Pfad(), rationen))
        for (const RationsUeberblick& u : std::as_const(rationen))
            ration->addItem(OhneSteuerzeichen(u.ration.name), u.ration.name);
    const int i = ration->findData(name, Qt::UserRole, Qt::MatchFixedString);
    ration->setCurrentIndex(std::max(i, 0));
    fuellen = false;
    if (ration->count() == 0) {
        meldung->setText(QStringLiteral("Es gibt noch keine gespeicherte Ration. Speichern Sie eine im Fenster "
                                        "„Ration evaluieren“ mit der Zahl der Tiere."));
        return;
    }
    Neu();
}

bool LadelisteFenster::Neu()
{
    if (fuellen || ration->currentIndex() < 0)
        return false;
    LadelisteLauf lauf;
    lauf.name = ration->currentData().toString();
    QString fehler;
    auto lesen = [&fehler](QLineEdit* f, const Eingabegrenze& g) -> std::optional<double> {
        if (f->text().trimmed().isEmpty() || !fehler.isEmpty())
            return std::nullopt;
        const GepruefteZahl z = ZahlPruefen(g, f->text());
        if (!z.wert)
            fehler = z.meldung;
        return z.wert;
    };
    if (const auto t = lesen(tiere, TiereGrenze()))
        lauf.angaben.tiere = static_cast<long>(*t);
    lauf.angaben.reserve = lesen(reserve, ReserveGrenze());
    if (nachLadungen->isChecked()) {
        if (const auto k = lesen(ladungen, LadungenGrenze()))
            lauf.angaben.ladungen = static_cast<long>(*k);
    } else {
        lauf.angaben.fassung = lesen(fassung, FassungGrenze());
    }
    if (const std::optional<double> schritt = SchrittLesen(fehler))
        lauf.angaben.schritt = *schritt;
    if (!fehler.isEmpty()) {
        meldung->setText(fehler);
        return false;
    }
    LadelisteErgebnis neu;
    if (!LadelisteLesen(Pfad(), lauf, neu)) {
        meldung->setText(QStringLiteral("Die Ladeliste kann so nicht erstellt werden."));
        return false;
    }
    // What was loaded counts only when every feed of the list just read has
    // its amount; the numbers are those of this list, since the order may
    // have changed.
    QMap<int, double> geladen;
    bool vollstaendig = true;
    for (const LadeZeile& z : std::as_const(neu.liste.zeilen)) {
        const QString text = geladenTexte.value(z.inhaltID).trimmed();
        const GepruefteZahl kg = text.isEmpty() ? GepruefteZahl {} : ZahlPruefen(GeladenGrenze(), text);
        if (!kg.wert) {
            vollstaendig = false;
            if (!text.isEmpty() && fehler.isEmpty())
                fehler = QStringLiteral("Nr. %1 ").arg(z.nr) + Genannt(z.name) + QStringLiteral(": ") + kg.meldung;
            continue;
        }
        geladen.insert(z.nr, *kg.wert);
    }
    if (vollstaendig) {
        lauf.geladen = &geladen;
        if (!LadelisteLesen(Pfad(), lauf, neu))
            return false;
    }
    ergebnis = neu;
    meldung->setText(fehler);
    fuellen = true;
    if (tiere->text().isEmpty())
        tiere->setText(QString::number(ergebnis.liste.tiere));
    if (reserve->text().isEmpty())
        reserve->setText(DezimalText(ergebnis.liste.reserve));
    if (!nachLadungen->isChecked())
        ladungen->setText(QString::number(ergebnis.liste.ladungen));
    fuellen = false;
    Zeigen();
    return true;
}

void LadelisteFenster::Zeigen()
{
    const Ladeliste& l = ergebnis.liste;
    const bool mitGeladen = !ergebnis.bewertung.zeilen.isEmpty();
    fuellen = true;
    tabelle->setRowCount(static_cast<int>(l.zeilen.size()));
    for (int i = 0; i < l.zeilen.size(); ++i) {
        const LadeZeile& z = l.zeilen[i];
        tabelle->setItem(i, SpNr, Zelle(QString::number(z.nr), true));
        tabelle->setItem(i, SpName, Zelle(OhneSteuerzeichen(z.name), false));
        tabelle->setItem(i, SpKg, Zelle(KgText(z.kg, l.schritt), true));
        tabelle->setItem(i, SpWaage, Zelle(KgText(z.waage, l.schritt), true));
        tabelle->setItem(i, SpTM, Zelle(Formatieren(z.kgTM, QStringLiteral("#,##0.0")), true));
        auto* eingabe = new QTableWidgetItem(geladenTexte.value(z.inhaltID));
        eingabe->setTextAlignment(Qt::AlignRight | Qt::AlignVCenter);
        tabelle->setItem(i, SpGeladen, eingabe);
        QString abweichung, prozent;
        bool rot = false;
        if (mitGeladen) {
            const GeladenZeile& g = ergebnis.bewertung.zeilen[i];
            abweichung = Formatieren(g.abweichungKg, QStringLiteral("#,##0.0"));
            prozent = g.abweichungProzent ? Formatieren(*g.abweichungProzent, QStringLiteral("#,##0.0")) : QString();
            rot = g.auffaellig;
        }
        for (int s : { SpAbweichung, SpProzent }) {
            QTableWidgetItem* zelle = Zelle(s == SpAbweichung ? abweichung : prozent, true);
            if (rot)
                zelle->setBackground(FarbeAusWert(Farbe::Hellrot));
            tabelle->setItem(i, s, zelle);
        }
    }
    fuellen = false;
    summe->setText(QStringLiteral("Ladung gesamt: %1 kg (%2 kg TM) – %3 Ladung(en) für %4 Tiere")
                       .arg(KgText(l.kg, l.schritt), Formatieren(l.kgTM, QStringLiteral("#,##0")))
                       .arg(l.ladungen)
                       .arg(l.tiere));
    QList<DiagrammGruppe> gruppen { { mitGeladen ? QStringLiteral("Plan") : QString(),
        VersorgungsbalkenAus(ergebnis.plan.auswertung) } };
    if (mitGeladen)
        gruppen.append({ QStringLiteral("geladen"), VersorgungsbalkenAus(ergebnis.bewertung.geladen) });
    diagramm->Setzen(gruppen);
    QStringList texte;
    for (const Ampelwechsel& w : std::as_const(ergebnis.bewertung.wechsel))
        texte << AmpelwechselText(w);
    wechsel->setText(!mitGeladen ? QStringLiteral("Tragen Sie unter „geladen kg“ ein, was in einer Ladung war: "
                                                  "dann steht hier, was die Kühe wirklich bekommen.")
            : texte.isEmpty()    ? QStringLiteral("Geladen: keine Ampel ändert ihre Farbe gegenüber dem Plan.")
                                 : QStringLiteral("Geladen, geänderte Ampeln:\n") + texte.join(QLatin1Char('\n')));
}

void LadelisteFenster::GeladenGeaendert()
{
    for (int i = 0; i < tabelle->rowCount() && i < ergebnis.liste.zeilen.size(); ++i)
        if (const QTableWidgetItem* z = tabelle->item(i, SpGeladen))
            geladenTexte.insert(ergebnis.liste.zeilen[i].inhaltID, z->text());
    Neu();
}

void LadelisteFenster::Verschieben(int richtung)
{
    const int von = tabelle->currentRow();
    const int nach = von + richtung;
    if (von < 0 || nach < 0 || nach >= ergebnis.liste.zeilen.size())
        return;
    QList<long> ids;
    for (const LadeZeile& z : std::as_const(ergebnis.liste.zeilen))
        ids << z.inhaltID;
    ids.move(von, nach);
    if (!ReihungSpeichern(Pfad(), ergebnis.liste.ration, ids)) {
        Laden(ration->currentData().toString());
        return;
    }
    if (Neu())
        tabelle->selectRow(nach);
}

void LadelisteFenster::GeladenesDrucken()
{
    const Auswertung& a = ergebnis.bewertung.geladen;
    if (ergebnis.bewertung.zeilen.isEmpty() || a.abgebrochen) {
        MsgBox(QStringLiteral("Tragen Sie zuerst unter „geladen kg“ für jedes Futtermittel ein, was in einer Ladung "
                              "war."),
            Knoepfe::OK, Symbol::Information);
        return;
    }
    // The ration the cows really got, in the ration report's form: list and
    // overview with every light, under the ration's own animal inputs.
    const BenannteRation& r = ergebnis.plan.ration;
    const BerichtTier tier { Gewichtsklassen()[GewichtsklasseIndex(r.gewicht)].text, Formatieren(r.milch, MilchMaske()),
        Formatieren(r.fett, QStringLiteral("#0.00")), BerichtMilchpreis(r.milchpreis) };
    RationBericht bericht = RationBerichtErstellen(RationListeZumDruck(a.zeilen), tier, a.anzeigen, std::nullopt);
    // Every page says that this is what was loaded, not the plan.
    bericht.ueberschrift = QStringLiteral("Geladene Ration „") + r.name + QStringLiteral("“");
    DruckvorschauZeigen(this, QStringLiteral("Geladene Ration drucken"),
        QStringLiteral("Geladen ") + LadelisteDateiname(ergebnis.liste, ui().Jetzt().date()).mid(10), true,
        [&bericht](QPagedPaintDevice& geraet) { return RationBerichtDrucken(geraet, bericht); });
}

void LadelisteFenster::Drucken()
{
    if (ergebnis.liste.zeilen.isEmpty())
        return;
    const Ladeliste liste = ergebnis.liste;
    const QDate tag = ui().Jetzt().date();
    DruckvorschauZeigen(this, QStringLiteral("Ladeliste drucken"), LadelisteDateiname(liste, tag), false,
        [&liste, &tag](QPagedPaintDevice& geraet) { return LadelisteDrucken(geraet, liste, tag); });
}

} // namespace kelvora
