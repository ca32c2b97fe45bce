#include "ration/LPLoeser.h"

#include <ClpSimplex.hpp>
#include <CoinPackedMatrix.hpp>
#include <CoinFinite.hpp>

#include <algorithm>
#include <cmath>
#include <vector>

namespace kelvora {

namespace {

double Grenze(double wert)
{
    if (std::isinf(wert))
        return wert > 0 ? COIN_DBL_MAX : -COIN_DBL_MAX;
    return wert;
}

} // namespace

LPErgebnis LPLoesen(const LPProblem& problem)
{
    LPErgebnis ergebnis;
    const int spalten = static_cast<int>(problem.kosten.size());
    const int zeilen = static_cast<int>(problem.zeilen.size());

    std::vector<int> zeilenIndex, spaltenIndex;
    std::vector<double> werte;
    std::vector<double> zeileUnten(zeilen), zeileOben(zeilen);
    for (int z = 0; z < zeilen; ++z) {
        const LPZeile& zeile = problem.zeilen[z];
        for (int s = 0; s < spalten && s < zeile.koeffizienten.size(); ++s) {
            if (zeile.koeffizienten[s] == 0)
                continue;
            zeilenIndex.push_back(z);
            spaltenIndex.push_back(s);
            werte.push_back(zeile.koeffizienten[s]);
        }
        zeileUnten[z] = Grenze(zeile.unten);
        zeileOben[z] = Grenze(zeile.oben);
    }
    const CoinPackedMatrix matrix(true, zeilenIndex.data(), spaltenIndex.data(), werte.data(),
                                  static_cast<CoinBigIndex>(werte.size()));
    // The triplet constructor sizes the matrix by its largest indices; empty
    // trailing rows or columns must still be there.
    CoinPackedMatrix voll(matrix);
    voll.setDimensions(zeilen, spalten);

    const std::vector<double> spalteUnten(spalten, 0.0);
    const std::vector<double> spalteOben(spalten, COIN_DBL_MAX);
    const std::vector<double> kosten(problem.kosten.cbegin(), problem.kosten.cend());

    ClpSimplex modell;
    modell.setLogLevel(0);
    modell.loadProblem(voll, spalteUnten.data(), spalteOben.data(), kosten.data(), zeileUnten.data(),
                       zeileOben.data());
    modell.setOptimizationDirection(1);
    modell.initialSolve();

    if (modell.isProvenOptimal()) {
        ergebnis.status = LPStatus::Optimal;
        const double* x = modell.getColSolution();
        for (int s = 0; s < spalten; ++s)
            ergebnis.x.append(std::max(0.0, x[s]));
        ergebnis.ziel = modell.getObjValue();
    } else if (modell.isProvenPrimalInfeasible()) {
        ergebnis.status = LPStatus::Unloesbar;
    }
    return ergebnis;
}

} // namespace kelvora
