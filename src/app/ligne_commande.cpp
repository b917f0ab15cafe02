#include "app/ligne_commande.h"

namespace varlem {

std::string texte_version() {
    return std::string("Varlem ") + VARLEM_VERSION + "\n";
}

std::string texte_aide() {
    return "Usage : varlem [FICHIER.fdt]\n"
           "Étude des systèmes linéaires par leurs fonctions de transfert.\n"
           "\n"
           "  FICHIER.fdt    ouvre ce système au démarrage\n"
           "  -h, --help     affiche cette aide et quitte\n"
           "  -v, --version  affiche la version et quitte\n"
           "\n"
           "Les options de Qt (-platform, -style...) sont acceptées aussi.\n"
           "Les mêmes analyses en ligne de commande : varlem-calc --help.\n";
}

std::optional<std::string> reponse_ligne_commande(const std::vector<std::string>& arguments) {
    for (const std::string& a : arguments) {
        if (a == "-h" || a == "--help") return texte_aide();
        if (a == "-v" || a == "--version") return texte_version();
    }
    return std::nullopt;
}

} // namespace varlem
