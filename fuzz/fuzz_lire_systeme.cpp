// Fuzz target: any file content goes through the system file reader without a fault; a content
// it accepts writes back to a content that reads the same texts.
#include "document/fichier_fdt.h"

#include <cstddef>
#include <cstdint>
#include <memory>
#include <string_view>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* donnees, std::size_t taille) {
    const std::string_view contenu(reinterpret_cast<const char*>(donnees), taille);
    auto s = std::make_unique<varlem::systeme>();
    s->calcul.graine = 1;
    varlem::reglages r;
    const varlem::resultat_fichier l = varlem::lire_systeme_texte(*s, r, contenu);
    if (!l.reussi()) {
        if (l.message().empty()) __builtin_trap();
        return 0;
    }
    const varlem::textes_lus lus = varlem::decouper_fichier(contenu);
    const varlem::textes_lus relus = varlem::decouper_fichier(varlem::contenu_fichier(*s));
    if (relus.fonctions.size() != lus.fonctions.size()) __builtin_trap();
    for (std::size_t k = 0; k < lus.fonctions.size(); ++k)
        if (relus.fonctions[k].num != lus.fonctions[k].num ||
            relus.fonctions[k].den != lus.fonctions[k].den)
            __builtin_trap();
    return 0;
}
