#include "systeme_banc.h"

#include "analysis/pipeline.h"

#include <cstdio>
#include <vector>

namespace varlem::banc {

namespace {

// Factors of the denominator, coefficients in increasing powers of p; degree 15 in all.
const std::vector<std::vector<double>> facteurs = {
    {1, 1},    {1, 0.2, 1},       {1, 0.3, 0.09}, {1, 0.5},          {1, 0.2, 0.04},
    {1, 0.08}, {1, 0.03, 0.0009}, {1, 2},         {1, 0.01, 0.0001}, {1, 0.005},
};

std::string nombre(double v) {
    char tampon[40];
    std::snprintf(tampon, sizeof tampon, "%.15g", v);
    return tampon;
}

} // namespace

std::string denominateur_degre15(int k) {
    const double m = 1 + 0.1 * k;
    std::string texte;
    for (const auto& f : facteurs) {
        texte += "(" + nombre(f[0] * m);
        for (std::size_t i = 1; i < f.size(); ++i) {
            texte += "+" + nombre(f[i] * m) + "p";
            if (i > 1) texte += "^" + std::to_string(i);
        }
        texte += ")";
    }
    return texte;
}

std::unique_ptr<systeme> systeme_8_fonctions() {
    auto s = std::make_unique<systeme>();
    s->calcul.graine = 1;
    for (int k = 0; k < 8; ++k) {
        bool syntaxe = false, degre = false;
        analyser_fonction(s->calcul, 'p', "1+0.5p", denominateur_degre15(k),
                          s->fonctions[static_cast<std::size_t>(k + 1)], syntaxe, degre);
        if (syntaxe || degre) return nullptr;
    }
    s->nb_fonctions = 8;
    s->fonction_courante = 1;
    s->systeme_saisi = true;
    s->etudes.toutes_fonctions = true;
    return s;
}

} // namespace varlem::banc
