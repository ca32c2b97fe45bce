#pragma once
// A small linear programme and its solution by COIN-OR Clp: minimise
// kosten · x subject to unten <= A x <= oben and x >= 0. Dense rows are
// plenty for a ration (a dozen limits, a few dozen feeds).

#include <QList>
#include <limits>

namespace kelvora {

inline constexpr double LPUnendlich = std::numeric_limits<double>::infinity();

struct LPZeile {
    QList<double> koeffizienten;  // one per variable
    double unten = -LPUnendlich;
    double oben = LPUnendlich;
};

struct LPProblem {
    QList<double> kosten;  // one per variable; the number of variables
    QList<LPZeile> zeilen;
};

enum class LPStatus {
    Optimal,
    Unloesbar,  // no x satisfies every row
    Fehler,     // the solver stopped without an answer (unbounded, numerical trouble)
};

struct LPErgebnis {
    LPStatus status = LPStatus::Fehler;
    QList<double> x;  // the optimum, only with Optimal; tiny negatives are set to 0
    double ziel = 0;
};

LPErgebnis LPLoesen(const LPProblem& problem);

} // namespace kelvora
