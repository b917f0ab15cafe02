// Fuzz target: any bytes after the functions of a system file, read as the delays' trailer.
// The reader never faults; a trailer it accepts gives one finite delay ≥ 0 per function that
// writes back and reads again to the very same values; a refused one gives none and says why.
// Read with the whole file, the functions are those of the file without the bytes after them,
// with the delays of an accepted trailer or none.
#include "document/fichier_fdt.h"
#include "document/retards.h"

#include <cmath>
#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>
#include <string_view>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* donnees, std::size_t taille) {
    if (taille < 1) return 0;
    const int n = 1 + donnees[0] % varlem::nb_fonctions_max;
    const std::string_view reste(reinterpret_cast<const char*>(donnees) + 1, taille - 1);
    const varlem::lecture_bloc_retards l = varlem::lire_bloc_retards(reste, n);
    if (!l.avertissement.empty() && !l.retards.empty()) __builtin_trap();
    if (!l.retards.empty()) {
        if (static_cast<int>(l.retards.size()) != n) __builtin_trap();
        for (const double r : l.retards)
            if (!(r >= 0) || !std::isfinite(r)) __builtin_trap();
        const std::string ecrit = varlem::bloc_retards(l.retards);
        const varlem::lecture_bloc_retards relu = varlem::lire_bloc_retards(ecrit, n);
        const bool aucun = ecrit.empty();
        if (!aucun && relu.retards != l.retards) __builtin_trap();
        if (aucun && !relu.retards.empty()) __builtin_trap();
    }
    // The whole file, every second input (the analysis costs more than the trailer).
    if (donnees[0] & 0x80) return 0;
    std::string contenu = std::to_string(n) + "\r\n";
    for (int k = 0; k < n; ++k) contenu += "1\r\n1+p\r\n";
    contenu += reste;
    auto s = std::make_unique<varlem::systeme>();
    s->calcul.graine = 1;
    varlem::reglages reg;
    const varlem::resultat_fichier res = varlem::lire_systeme_texte(*s, reg, contenu);
    if (!res.reussi() || s->nb_fonctions != n) __builtin_trap();
    for (int k = 1; k <= n; ++k) {
        const varlem::fdt& f = s->fonctions[static_cast<std::size_t>(k)].fonction;
        if (f.texte_num != "1" || f.texte_den != "1+p") __builtin_trap();
        const double attendu = l.retards.empty() ? 0.0 : l.retards[static_cast<std::size_t>(k - 1)];
        if (f.retard != attendu) __builtin_trap();
    }
    if (res.avertissement != l.avertissement) __builtin_trap();
    return 0;
}
