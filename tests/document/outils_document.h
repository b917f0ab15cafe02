#pragma once
// Systems typed through the analysis pipeline, and comparisons of whole systems, for the
// document tests.

#include "analysis/pipeline.h"
#include "document/systeme.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <utility>
#include <vector>

namespace varlem::test {

/// A system whose functions 1..n are the typed pairs (numerator, denominator), all accepted.
inline std::unique_ptr<systeme>
systeme_tape(const std::vector<std::pair<std::string, std::string>>& fonctions, char lettre = 'p',
             int courante = 1) {
    auto s = std::make_unique<systeme>();
    s->calcul.graine = 1;
    s->lettre_variable = lettre;
    for (std::size_t k = 0; k < fonctions.size(); ++k) {
        bool erreur_syntaxe = false, erreur_degre = false;
        analyser_fonction(s->calcul, lettre, fonctions[k].first, fonctions[k].second,
                          s->fonctions[k + 1], erreur_syntaxe, erreur_degre);
        EXPECT_FALSE(erreur_syntaxe || erreur_degre) << fonctions[k].first;
    }
    s->nb_fonctions = static_cast<int>(fonctions.size());
    s->fonction_courante = courante;
    s->systeme_saisi = !fonctions.empty();
    return s;
}

/// Slots, count, current function and the flags a file read may change are the same.
inline ::testing::AssertionResult meme_systeme(const systeme& a, const systeme& b) {
    if (a.nb_fonctions != b.nb_fonctions || a.fonction_courante != b.fonction_courante ||
        a.systeme_saisi != b.systeme_saisi || a.etudes.boucle_fermee != b.etudes.boucle_fermee ||
        a.etudes.mode_filtre != b.etudes.mode_filtre)
        return ::testing::AssertionFailure() << "count, current function or flags differ";
    for (int k = 1; k <= nb_fonctions_max; ++k) {
        const fdt_travail& x = a.fonctions[static_cast<std::size_t>(k)];
        const fdt_travail& y = b.fonctions[static_cast<std::size_t>(k)];
        if (x.fonction.texte_num != y.fonction.texte_num ||
            x.fonction.texte_den != y.fonction.texte_den || !(x.fonction.num == y.fonction.num) ||
            !(x.fonction.den == y.fonction.den) || x.poles != y.poles || x.zeros != y.zeros)
            return ::testing::AssertionFailure() << "slot " << k << " differs";
    }
    return ::testing::AssertionSuccess();
}

} // namespace varlem::test
