#pragma once
// Helpers of the root-locus tests: loci from typed texts, and the checks every computed locus
// must pass (its samples are roots, its moves stay small, its branches start and end where
// they must), with an independent tracking of each step by the root finder.

#include "analysis/lieu_evans.h"

#include <string>
#include <vector>

namespace varlem::test {

/// The polynomial of a typed text.
polynome polynome_lu(const std::string& texte);

/// The locus of the typed num/den.
lieu_evans lieu_de(const std::string& num, const std::string& den, const options_lieu& o = {});

/// 0.5 % of the view's larger side.
double pas_de_vue(const lieu_evans& l);

/// What is wrong with the branches br of l (empty when nothing): samples that are not roots of
/// D + k·N, distinct branches on one point away from a meeting, moves inside the view over 0.5 %
/// of it, a start elsewhere than the poles, an end neither at a zero nor far out.
std::vector<std::string> defauts_branches(const lieu_evans& l, const branches_lieu& br);

/// Steps of br that an independent tracking contradicts: each step redone in `sous_pas` gains by
/// the root finder, each root matched to the nearest of the previous ones; the steps where the
/// root finder's roots are not accurate, or that start or end on a meeting, are left out.
std::vector<std::string> echanges(const lieu_evans& l, const branches_lieu& br, int sous_pas);

} // namespace varlem::test
