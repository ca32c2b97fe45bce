// Controls, captions and placement of the feed editor, and its loading.

#include "feeds/ui/FutterArtenListeFuellen.h"
#include "feeds/ui/StammdatenFenster2.h"
#include "feeds/ui/StammdatenTasten.h"
#include "frame/FensterPosition.h"
#include "frame/Programm.h"
#include "frame/ui/FensterPositionQt.h"
#include "frame/ui/Hauptrahmen.h"

#include <QComboBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QPushButton>
#include <QTimer>

namespace kelvora {

namespace {

QPushButton* Knopf(QWidget* eltern, const QString& name, const QString& text, const QString& tipp)
{
    auto* k = new QPushButton(text, eltern);
    k->setObjectName(name);
    k->setToolTip(tipp);
    k->setAutoDefault(false);
    return k;
}

QLabel* Beschriftung(QWidget* eltern, const QString& name, const QString& text)
{
    auto* l = new QLabel(text, eltern);
    l->setObjectName(name);
    return l;
}

QTimer* Zeitgeber(QWidget* eltern, const QString& name, int ms)
{
    auto* t = new QTimer(eltern);
    t->setObjectName(name);
    t->setInterval(ms);
    t->setSingleShot(true);
    return t;
}

// One line of the value table: caption, unit, the nutrient's boxes.
struct Zeile {
    const char* titel;
    Feld fm;
    Feld tm;
    const char* einheitFM; // tool tip unit per kg fresh matter
    const char* einheitTM;
};

const Zeile Zeilen[] = {
    { "Rohprotein (XP)", Feld::XP_gFM, Feld::XP_gTM, "Rohprotein in g je kg Frischmasse",
        "Rohprotein in g je kg Trockenmasse" },
    { "UDP", Feld::UDP_gFM, Feld::UDP_gTM, "Im Pansen unabgebautes Protein in g je kg Frischmasse",
        "Im Pansen unabgebautes Protein in g je kg Trockenmasse" },
    { "NDF", Feld::NDF_gFM, Feld::NDF_gTM, "NDF in g je kg Frischmasse", "NDF in g je kg Trockenmasse" },
    { "ADF", Feld::ADF_gFM, Feld::ADF_gTM, "ADF in g je kg Frischmasse", "ADF in g je kg Trockenmasse" },
    { "NFC", Feld::NFC_gFM, Feld::NFC_gTM, "Nicht-Faser-Kohlenhydrate in g je kg Frischmasse",
        "Nicht-Faser-Kohlenhydrate in g je kg Trockenmasse" },
    { "NEL (MJ)", Feld::NEL_MJFM, Feld::NEL_MJTM, "Nettoenergie Laktation in MJ je kg Frischmasse",
        "Nettoenergie Laktation in MJ je kg Trockenmasse" },
    { "Calcium", Feld::Ca_gFM, Feld::Ca_gTM, "Calcium in g je kg Frischmasse", "Calcium in g je kg Trockenmasse" },
    { "Phosphor", Feld::P_gFM, Feld::P_gTM, "Phosphor in g je kg Frischmasse", "Phosphor in g je kg Trockenmasse" },
};

// The values of the German standard, in a second table to the right so that
// the window keeps its height; the trace elements only per kg TM.
const Zeile GfEZeilen[] = {
    { "ME (MJ)", Feld::ME_MJFM, Feld::ME_MJTM, "Umsetzbare Energie in MJ je kg Frischmasse",
        "Umsetzbare Energie in MJ je kg Trockenmasse" },
    { "nXP", Feld::nXP_gFM, Feld::nXP_gTM, "Nutzbares Rohprotein in g je kg Frischmasse",
        "Nutzbares Rohprotein in g je kg Trockenmasse" },
    { "RNB", Feld::RNB_gFM, Feld::RNB_gTM, "Ruminale Stickstoffbilanz in g je kg Frischmasse (auch negativ)",
        "Ruminale Stickstoffbilanz in g je kg Trockenmasse (auch negativ)" },
    { "Magnesium", Feld::Mg_gFM, Feld::Mg_gTM, "Magnesium in g je kg Frischmasse", "Magnesium in g je kg Trockenmasse" },
    { "Natrium", Feld::Na_gFM, Feld::Na_gTM, "Natrium in g je kg Frischmasse", "Natrium in g je kg Trockenmasse" },
    { "Kalium", Feld::K_gFM, Feld::K_gTM, "Kalium in g je kg Frischmasse", "Kalium in g je kg Trockenmasse" },
};
const std::pair<const char*, Feld> Spurenelemente[] = {
    { "Kupfer mg/kg TM", Feld::Cu_mgTM },
    { "Zink mg/kg TM", Feld::Zn_mgTM },
    { "Mangan mg/kg TM", Feld::Mn_mgTM },
};

} // namespace

QLineEdit* StammdatenFenster2::Eingabefeld(Feld feld, const QString& tipp)
{
    auto* box = new QLineEdit(this);
    box->setObjectName(FeldName(feld));
    box->setToolTip(tipp);
    box->setAlignment(Qt::AlignRight);
    box->setMaxLength(12);
    box->setFixedWidth(box->fontMetrics().horizontalAdvance(QStringLiteral("0000000000")));
    if (HatTastenfilter(feld))
        ZahlenfilterSetzen(box, IstDezimalfeld(feld));
    felder[static_cast<size_t>(feld)] = box;
    return box;
}

void StammdatenFenster2::Aufbauen()
{
    setObjectName(QStringLiteral("StammdatenFenster2"));
    setWindowTitle(QStringLiteral("Futtermittel bearbeiten"));
    setAcceptDrops(true);

    auto* raster = new QGridLayout(this);
    raster->setSizeConstraint(QLayout::SetMinimumSize);

    cmbFutterArt = new QComboBox(this);
    cmbFutterArt->setObjectName(QStringLiteral("cmbFutterArt"));
    cmbFutterArt->setToolTip(QStringLiteral("Futtergruppe, in der das Futtermittel in der Liste erscheint"));
    raster->addWidget(Beschriftung(this, QStringLiteral("lblFutterArt"), QStringLiteral("Futtergruppe:")), 0, 0);
    raster->addWidget(cmbFutterArt, 0, 1, 1, 3);

    txtBezeichnung = new QLineEdit(this);
    txtBezeichnung->setObjectName(QStringLiteral("txtBezeichnung"));
    txtBezeichnung->setToolTip(QStringLiteral("Bezeichnung des Futtermittels (mindestens 3 Zeichen)"));
    txtBezeichnung->setMaxLength(100);
    TexteingabefilterSetzen(txtBezeichnung);
    raster->addWidget(Beschriftung(this, QStringLiteral("lblBezeichnung"), QStringLiteral("Bezeichnung:")), 1, 0);
    raster->addWidget(txtBezeichnung, 1, 1, 1, 4);

    raster->addWidget(Beschriftung(this, QStringLiteral("lblTM_g"), QStringLiteral("Trockenmasse g/kg FM:")), 2, 0);
    raster->addWidget(Eingabefeld(Feld::TM_g, QStringLiteral("Trockenmasse in g je kg Frischmasse")), 2, 1);
    cmdNeuBerechnen = Knopf(this, QStringLiteral("cmdNeuBerechnen"), QStringLiteral("Umrechnen"),
        QStringLiteral("Die Frischmasse-Werte nach einer Änderung der Trockenmasse neu "
                       "berechnen"));
    raster->addWidget(cmdNeuBerechnen, 2, 2, 1, 2);

    raster->addWidget(Beschriftung(this, QStringLiteral("lblFM"), QStringLiteral("je kg FM")), 3, 1, Qt::AlignCenter);
    raster->addWidget(Beschriftung(this, QStringLiteral("lblTM"), QStringLiteral("je kg TM")), 3, 2, Qt::AlignCenter);
    int zeile = 4;
    for (const Zeile& z : Zeilen) {
        raster->addWidget(Beschriftung(this, QStringLiteral("lblZeile") + QString::number(zeile),
                              QString::fromUtf8(z.titel) + QLatin1Char(':')),
            zeile, 0);
        raster->addWidget(Eingabefeld(z.fm, QString::fromUtf8(z.einheitFM)), zeile, 1);
        raster->addWidget(Eingabefeld(z.tm, QString::fromUtf8(z.einheitTM)), zeile, 2);
        ++zeile;
    }
    raster->addWidget(Eingabefeld(Feld::UDPProzent, QStringLiteral("UDP in Prozent vom Rohprotein")), 5, 3);
    raster->addWidget(Beschriftung(this, QStringLiteral("lblUDPProzent"), QStringLiteral("% vom XP")), 5, 4);
    raster->addWidget(Eingabefeld(Feld::NEL_MKalTM,
                          QStringLiteral("Nettoenergie Laktation in Mcal je kg "
                                         "Trockenmasse")),
        9, 3);
    raster->addWidget(Beschriftung(this, QStringLiteral("lblNEL_MKalTM"), QStringLiteral("Mcal/kg TM")), 9, 4);

    // Columns 5 to 8: the German values, optional; "berechnet" beside an nXP
    // or RNB the program completed from XP, UDP and ME.
    raster->setColumnMinimumWidth(5, 12);
    raster->addWidget(Beschriftung(this, QStringLiteral("lblGfE"), QStringLiteral("Nach GfE (freiwillig):")), 3, 6);
    raster->addWidget(Beschriftung(this, QStringLiteral("lblFM2"), QStringLiteral("je kg FM")), 3, 7, Qt::AlignCenter);
    raster->addWidget(Beschriftung(this, QStringLiteral("lblTM2"), QStringLiteral("je kg TM")), 3, 8, Qt::AlignCenter);
    int gfeZeile = 4;
    for (const Zeile& z : GfEZeilen) {
        raster->addWidget(Beschriftung(this, QStringLiteral("lblGfEZeile") + QString::number(gfeZeile),
                              QString::fromUtf8(z.titel) + QLatin1Char(':')),
            gfeZeile, 6);
        raster->addWidget(Eingabefeld(z.fm, QString::fromUtf8(z.einheitFM)), gfeZeile, 7);
        raster->addWidget(Eingabefeld(z.tm, QString::fromUtf8(z.einheitTM)), gfeZeile, 8);
        ++gfeZeile;
    }
    for (const auto& [titel, feld] : Spurenelemente) {
        raster->addWidget(Beschriftung(this, QStringLiteral("lblGfEZeile") + QString::number(gfeZeile),
                              QString::fromUtf8(titel) + QLatin1Char(':')),
            gfeZeile, 6);
        raster->addWidget(Eingabefeld(feld, QString::fromUtf8(titel).replace(QStringLiteral(" mg/kg TM"),
                                                QStringLiteral(" in mg je kg Trockenmasse"))),
            gfeZeile, 8);
        ++gfeZeile;
    }
    const QString berechnetTipp = QStringLiteral(
        "Vom Programm aus XP, UDP und ME geschätzt (GfE 2001), nicht analysiert. Beim Speichern wird der Wert aus "
        "den gespeicherten Werten neu geschätzt, solange Sie ihn nicht überschreiben.");
    lblnXPBerechnet = Beschriftung(this, QStringLiteral("lblnXPBerechnet"), QStringLiteral("berechnet"));
    lblRNBBerechnet = Beschriftung(this, QStringLiteral("lblRNBBerechnet"), QStringLiteral("berechnet"));
    for (QLabel* l : { lblnXPBerechnet, lblRNBBerechnet }) {
        l->setToolTip(berechnetTipp);
        QSizePolicy p = l->sizePolicy();
        p.setRetainSizeWhenHidden(true);
        l->setSizePolicy(p);
        l->setVisible(false);
    }
    raster->addWidget(lblnXPBerechnet, 5, 9);
    raster->addWidget(lblRNBBerechnet, 6, 9);
    connect(Box(Feld::nXP_gTM), &QLineEdit::textChanged, this, [this] { BerechnetZeigen(); });
    connect(Box(Feld::RNB_gTM), &QLineEdit::textChanged, this, [this] { BerechnetZeigen(); });

    // The price belongs to the fresh matter as bought; it is not converted.
    txtPreis = new QLineEdit(this);
    txtPreis->setObjectName(QStringLiteral("txtPreis"));
    txtPreis->setToolTip(QStringLiteral("Preis in Euro je Dezitonne (100 kg) Frischmasse, für die Futterkosten und "
                                        "die kostengünstige Ration; leer lassen, wenn er nicht bekannt ist"));
    txtPreis->setAlignment(Qt::AlignRight);
    txtPreis->setMaxLength(9);
    txtPreis->setFixedWidth(txtPreis->fontMetrics().horizontalAdvance(QStringLiteral("0000000000")));
    ZahlenfilterSetzen(txtPreis, true);
    raster->addWidget(Beschriftung(this, QStringLiteral("lblPreis"), QStringLiteral("Preis €/dt FM")), zeile, 0);
    raster->addWidget(txtPreis, zeile, 1);
    ++zeile;

    lblIDAnzeige = Beschriftung(this, QStringLiteral("lblIDAnzeige"), QString());
    lblIDAnzeige->setToolTip(QStringLiteral("Nummer des Futtermittels; leer bei einem neuen Futtermittel"));
    lblUebergabe = Beschriftung(this, QStringLiteral("lblUebergabe"), QString());
    lblUebergabe->setVisible(false);
    raster->addWidget(Beschriftung(this, QStringLiteral("lblNummer"), QStringLiteral("Nr.:")), zeile, 0);
    raster->addWidget(lblIDAnzeige, zeile, 1);
    ++zeile;

    // Who made a feed taken over from the server; the line keeps its place
    // when hidden, so the fixed window size fits both cases.
    // Its text is a stranger's (E1, E2 of the file): plain text, so markup
    // shows as typed, and a long line is cut by the window instead of
    // widening it.
    lblErstelltVon = Beschriftung(this, QStringLiteral("lblErstelltVon"), QString());
    lblErstelltVon->setTextFormat(Qt::PlainText);
    QSizePolicy bleibt = lblErstelltVon->sizePolicy();
    bleibt.setRetainSizeWhenHidden(true);
    QSizePolicy abgeschnitten = bleibt;
    abgeschnitten.setHorizontalPolicy(QSizePolicy::Ignored);
    lblErstelltVon->setSizePolicy(abgeschnitten);
    lblErstelltVon->setVisible(false);
    raster->addWidget(lblErstelltVon, zeile, 0, 1, 4);
    cmdAbbrechen = Knopf(this, QStringLiteral("cmdAbbrechen"), QStringLiteral("Abbrechen"),
        QStringLiteral("Das Hochladen abbrechen"));
    cmdAbbrechen->setSizePolicy(bleibt);
    cmdAbbrechen->setVisible(false);
    raster->addWidget(cmdAbbrechen, zeile, 4);
    ++zeile;

    AlleFelderLoeschen = Knopf(this, QStringLiteral("AlleFelderLöschen"), QStringLiteral("Neu"),
        QStringLiteral("Alle Felder leeren, um ein neues Futtermittel einzugeben (F4)"));
    cmdFutterLoeschen = Knopf(this, QStringLiteral("cmdFutterLoeschen"), QStringLiteral("Löschen"),
        QStringLiteral("Dieses Futtermittel löschen (F9)"));
    cmdSpeichern = Knopf(this, QStringLiteral("cmdSpeichern"), QStringLiteral("Speichern"),
        QStringLiteral("Futtermittel prüfen und speichern (F5)"));
    cmdTeilen = Knopf(this, QStringLiteral("cmdTeilen"), QStringLiteral("Teilen"),
        QStringLiteral("Dieses Futtermittel anderen Anwendern zur Verfügung stellen"));
    cmdTeilen->setEnabled(false);
    cmdTeilen->setVisible(programm().wartungsmodus);
    DropEreignisAufrufen = Knopf(this, QStringLiteral("DropEreignisAufrufen"), QStringLiteral("Drop"), QString());
    DropEreignisAufrufen->setVisible(false);
    auto* knoepfe = new QHBoxLayout;
    knoepfe->addWidget(AlleFelderLoeschen);
    knoepfe->addWidget(cmdFutterLoeschen);
    knoepfe->addStretch(1);
    knoepfe->addWidget(cmdSpeichern);
    knoepfe->addWidget(cmdTeilen);
    raster->addLayout(knoepfe, zeile, 0, 1, 5);

    tmrAnzeigen = Zeitgeber(this, QStringLiteral("tmrAnzeigen"), 250);
    tmrBeenden = Zeitgeber(this, QStringLiteral("tmrBeenden"), 100);

    // Window keys, the Enter chain, focus selection and drops reach every control.
    for (QWidget* w : findChildren<QWidget*>())
        w->installEventFilter(this);
    installEventFilter(this);
}

void StammdatenFenster2::Laden()
{
    FutterArtenListeFuellen(cmbFutterArt, QString(), false, true);
    cmbFutterArt->setCurrentIndex(-1);
    if (!haupt)
        return;
    // The window has one fixed size: just large enough for its buttons.
    adjustSize();
    QSize groesse = minimumSizeHint().expandedTo(sizeHint());
    QMdiSubWindow* sub = UnterfensterVon(this);
    if (!sub)
        sub = haupt->Arbeitsbereich()->addSubWindow(this);
    sub->setAttribute(Qt::WA_DeleteOnClose);
    const QSize rand = sub->sizeHint() - sizeHint();
    groesse += rand.expandedTo(QSize(0, 0));
    const double breite = groesse.width() * TwipsProPixel;
    const double hoehe = groesse.height() * TwipsProPixel;
    FensterPositionLaden(this, haupt->Arbeitsbereich(), breite, breite, hoehe, hoehe, false, true);
}

} // namespace kelvora
