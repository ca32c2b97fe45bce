#pragma once
// The rows of the feed list: which feeds the list shows for a group, a
// search text and the completeness filter, in the order a German reader
// expects. No widgets; the list window only puts these rows on the screen.

#include <QList>
#include <QString>
#include <optional>

namespace kelvora {

struct FutterListenZeile {
    long id = 0;
    int gruppe = 0; // FutterArtIOFC; 0 when empty
    QString bezeichnung;
    std::optional<double> preis; // € per dt FM; none when not known
    // g per kg DM; none when not entered (nXP 0, or RNB 0 without an nXP).
    std::optional<double> nxp, rnb;
};

struct FutterListenFilter {
    int gruppe = 0; // 0: every group
    QString suchtext; // trimmed and compared without regard to case
    bool nurVollstaendige = true;
};

// True when the trimmed search text is empty or occurs anywhere in the name,
// upper and lower case alike.
bool FutterPasstZurSuche(const QString& bezeichnung, const QString& suchtext);

// The group "Mineralfutter" (FutterArtIOFC 5).
inline constexpr int GruppeMineralfutter = 5;

// A feed counts as complete when ADF, NDF, NFC and UDP are all above 0: the
// ration's key figures cannot be judged without them. Mineral feeds carry no
// fibre and no protein by nature and always count as complete.
bool FutterIstVollstaendig(int gruppe, double adf, double ndf, double nfc, double udp);

// Reads the feeds of the filter's group from the feed database, ordered by
// name (German collation, so "Ölschrot" stands among the O's), and keeps the
// ones that pass the search and, with nurVollstaendige, the completeness
// check. ausgeblendet, when given, receives the number of feeds of the group
// and search that only the completeness check left out. False when the
// database could not be opened or read; zeilen is then empty.
bool FutterListeLesen(const FutterListenFilter& filter, QList<FutterListenZeile>& zeilen,
                      int* ausgeblendet = nullptr);

// Orders names as the list shows them: German collation, case ignored first.
int BezeichnungVergleichen(const QString& a, const QString& b);

} // namespace kelvora
