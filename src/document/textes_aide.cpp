#include "document/textes_aide.h"

#include <array>

namespace varlem {

std::string texte_aide_syntaxe() {
    static constexpr std::array<const char*, 18> lignes = {
        "Entrée des fractions rationnelles",
        "Entrer le numérateur et le dénominateur sous la forme de polynôme ou de produits de "
        "polynômes. ",
        "exemples:",
        "",
        "1+2*p+3*p^3",
        "",
        "ou (2*p^3)*(1+p+1,54*p^2)",
        "",
        "ou (3p)(1+2p+1.5p^3)",
        "",
        "ou (3e-4p+2e-2)(1+2e-1p+1.5e-2p^3)",
        "",
        "On peut employer 2.98 ou 2,98.",
        "Ne pas employer 1.25e+3 ni p^+2 mais 1.25e3 et p^2",
        "",
        "Dans cette version:",
        "Le degré maximum est de 15.",
        "Le nombre maximum de fonctions est de 8",
    };
    std::string t;
    for (std::size_t i = 0; i < lignes.size(); ++i) {
        if (i > 0) t += "\r\n";
        t += lignes[i];
    }
    return t;
}

std::string texte_aide_correcteur() {
    return "La fonction de transfert du correcteur est du type:\r\n"
           "\r\n"
           "    k .( (1/ti p)+ td p +1)\r\n"
           "\r\n";
}

} // namespace varlem
