// Fuzz target: any analysed function at any pulsations (NaN, infinite, negative, subnormal,
// unsorted) goes through both frequency kernels without a fault, and the kernels agree wherever
// T(jω) is a normal double (a subnormal T has lost digits in any arithmetic).
#include "analysis/pipeline.h"
#include "numeric/frequentiel_noyau.h"

#include <cmath>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <string_view>
#include <vector>

namespace {

// Both results are defined and far apart: a fault to report.
bool differents(double a, double b) {
    if (!std::isfinite(a) || !std::isfinite(b)) return false;
    return std::fabs(a - b) > 1e-6 * (1.0 + std::fabs(a));
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* donnees, std::size_t taille) {
    // "num\nden\n" then the pulsations as raw doubles.
    const std::string_view texte(reinterpret_cast<const char*>(donnees), taille);
    const std::size_t a = texte.find('\n');
    if (a == std::string_view::npos) return 0;
    const std::size_t b = texte.find('\n', a + 1);
    if (b == std::string_view::npos) return 0;
    varlem::contexte_calcul ctx;
    ctx.graine = 1;
    varlem::fdt_travail ft;
    bool erreur_syntaxe = false, erreur_degre = false;
    varlem::analyser_fonction(ctx, 'p', texte.substr(0, a), texte.substr(a + 1, b - a - 1), ft,
                              erreur_syntaxe, erreur_degre);
    if (erreur_syntaxe || erreur_degre) return 0;
    std::vector<double> w((taille - b - 1) / sizeof(double));
    if (!w.empty()) std::memcpy(w.data(), donnees + b + 1, w.size() * sizeof(double));
    const std::size_t n = w.size();
    std::vector<double> r1(4 * n), r2(4 * n);
    const auto tableaux = [n](std::vector<double>& v) {
        return varlem::tableaux_frequence{v.data(), v.data() + n, v.data() + 2 * n,
                                          v.data() + 3 * n};
    };
    varlem::reponse_frequentielle(ft, w, tableaux(r1), varlem::noyau::choix_noyau::portable);
    varlem::reponse_frequentielle(ft, w, tableaux(r2), varlem::noyau::choix_noyau::avx512);
    for (std::size_t k = 0; k < n; ++k) {
        const double module = std::hypot(r1[k], r1[n + k]);
        if (!(module > 1e-290 && module < 1e290)) continue;
        for (std::size_t q = 0; q < 4; ++q)
            if (differents(r1[q * n + k], r2[q * n + k])) std::abort();
    }
    return 0;
}
