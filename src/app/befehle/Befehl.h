#pragma once
// The commands that run without a screen ("kelvora auswerten ...").
//
// Adding a command: one file in this folder with a class derived from Befehl
// (in namespace kelvora) and the line KELVORA_BEFEHL(MeinBefehl) after it;
// nothing else changes: "kelvora --help" lists it, "kelvora name" runs it.
// The constructor names the command, gives its one German line for
// "kelvora --help", adds its own options and arguments (OptionHinzufuegen,
// ArgumentHinzufuegen) and chooses the shared ones (Tierangaben). Pruefen
// refuses wrong arguments with a German message, Lauf does the work:
//
//   class Beispiel final : public Befehl {
//   public:
//       Beispiel() : Befehl(QStringLiteral("beispiel"), QStringLiteral("Tut dies und das.")) { Tierangaben(); }
//   protected:
//       int Lauf(QTextStream& aus) override { ...; return Erfolg; }
//   };
//   KELVORA_BEFEHL(Beispiel)
//
// A command that runs on the ration (weight, milk, fat, evaluation) derives
// from RationsBefehl instead.
//
// The base parses with QCommandLineParser, answers --help, refuses unknown
// options, missing values, an empty --datenordner and milk, fat and weight
// outside their limits with exit code 2, installs a seam that writes every
// message to stderr, sets the data folder and logs the start. Exit codes are
// the same for every command: 0 done, 1 database/server/file unavailable,
// 2 wrong options, 3 refused by the program's own rules (nothing changed);
// every non-zero exit leaves a German message on stderr.

#include <QCommandLineOption>
#include <QCommandLineParser>
#include <QList>
#include <QString>
#include <QStringList>
#include <QTextStream>
#include <functional>
#include <memory>
#include <optional>
#include <vector>

namespace kelvora {

struct TierEingaben;

class Befehl {
public:
    enum Code { Erfolg = 0, NichtVerfuegbar = 1, FalscheAngaben = 2, Abgelehnt = 3 };

    // What a command needs to run: the core (no display) or, for commands
    // that paint (a PDF), a GUI application on the offscreen platform.
    enum class Anwendung { Kern, Grafik };

    virtual ~Befehl() = default;
    Befehl(const Befehl&) = delete;
    Befehl& operator=(const Befehl&) = delete;

    const QString& Name() const { return name; }
    const QString& Beschreibung() const { return beschreibung; }
    virtual Anwendung BrauchtAnwendung() const { return Anwendung::Kern; }

    // argumente are the words after the command's name. datenordner is the
    // folder given before the command (kelvora --datenordner X befehl);
    // the command's own --datenordner wins over it.
    int Ausfuehren(const QStringList& argumente, const QString& datenordner, QTextStream& aus,
                   QTextStream& fehler);

    // "Aufruf: kelvora name [Optionen] ARG", followed by the arguments'
    // and options' descriptions.
    QString Hilfe() const;

protected:
    Befehl(QString name, QString beschreibung);

    void OptionHinzufuegen(const QCommandLineOption& option);
    // A positional argument: name as in the call line ("tm|ndf"), description.
    void ArgumentHinzufuegen(const QString& name, const QString& beschreibung);
    // Up to hoechstens words as positional arguments, the last one repeated
    // ("NAME NAME [...]"); by default one word per argument.
    void ArgumenteBis(qsizetype hoechstens) { hoechstArgumente = hoechstens; }
    // Offers --gewicht, --milch, --fett and --eiweiss; TierEingabenLesen then gives them.
    void Tierangaben();

    // Checks the command's own options and arguments after the shared ones;
    // returns a German message for wrong ones, empty when they are right.
    virtual QString Pruefen() { return QString(); }
    // The work, with the command's seam installed and the data folder set.
    virtual int Lauf(QTextStream& aus) = 0;

    const QCommandLineParser& Parser() const { return parser; }
    QStringList Argumente() const { return parser.positionalArguments(); }

    // Weight, milk, fat and milk protein from the options, missing ones from
    // the ration window's section of KELVORA.INI (defaults 650, 40,0, 4,00, 3,40). A stored
    // value outside the limits is not used: meldung says which option to give.
    std::optional<TierEingaben> TierEingabenLesen(QString& meldung) const;

    // The code the program asked to end with (a missing database ends the
    // program in the window), or vorgabe.
    int EndeCode(int vorgabe) const { return endeCode.value_or(vorgabe); }
    // A German line on stderr. A command that ends with a non-zero code and
    // told nothing gets a general line from the base.
    void Melden(const QString& text);

private:
    QString name;
    QString beschreibung;
    QCommandLineParser parser;
    QCommandLineOption hilfeOption;
    QList<QCommandLineOption> optionen;  // without --help
    QList<std::pair<QString, QString>> argumente;
    qsizetype hoechstArgumente = 0;
    bool mitTierangaben = false;
    std::optional<long> gewicht;
    std::optional<double> milch;
    std::optional<double> fett;
    std::optional<double> eiweiss;
    QTextStream* fehlerStrom = nullptr;
    bool gemeldet = false;
    std::optional<int> endeCode;

    QString LesefehlerText(const QStringList& woerter) const;
    QString AngabenPruefen(const QString& datenordnerVorher, QString& datenordner);
    QString Aufruf() const;
};

// The shared layout of the help texts, lines of at most 79 characters:
// text wrapped at blanks, following lines indented by einzug;
QString Umbrechen(const QString& text, qsizetype einzug);
// "  left   right" pairs with the right column aligned and wrapped;
QString Tabelle(const QList<std::pair<QString, QString>>& zeilen);
// the options of a help text ("  --name WERT  description").
QString OptionenText(const QList<QCommandLineOption>& optionen);
// "--name" (or "-h, --help") and its value name: the left column of the help.
QString OptionsName(const QCommandLineOption& option);

// Every command of the program, sorted by name; a new instance each time.
std::vector<std::unique_ptr<Befehl>> AlleBefehle();
std::unique_ptr<Befehl> BefehlNach(const QString& name);

using BefehlErzeuger = std::function<std::unique_ptr<Befehl>()>;
bool BefehlAnmelden(BefehlErzeuger erzeuger);

#define KELVORA_BEFEHL(Klasse)                                                                          \
    namespace {                                                                                         \
    [[maybe_unused]] const bool angemeldet##Klasse =                                                    \
        ::kelvora::BefehlAnmelden([] { return std::unique_ptr<::kelvora::Befehl>(new Klasse); });       \
    }

} // namespace kelvora
