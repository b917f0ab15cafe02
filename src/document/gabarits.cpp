#include "document/gabarits.h"

#include "analysis/pipeline.h"
#include "document/textes_construits.h"
#include "numeric/nombres.h"

#include <algorithm>

namespace varlem {

namespace {

// The template slider's mapping divides by these constants whatever the slider's range.
constexpr double diviseur_premier_ordre = 99;
constexpr double diviseur_second_ordre = 200;

} // namespace

bool premier_ordre(gabarit_filtre gabarit) {
    return gabarit.ordre == ordre_gabarit::premier;
}

textes_gabarit textes_du_gabarit(gabarit_filtre gabarit, double valeur, char lettre) {
    const std::string x(1, lettre);
    if (premier_ordre(gabarit)) {
        const std::string inverse = nombre_exact(1 / valeur);
        const std::string den_affiche = "1+ " + x + " /w0";
        const std::string den = "1+" + inverse + x;
        if (gabarit.genre == genre_gabarit::passe_bas) return {"1", den_affiche, "1", den};
        return {"1/w0 " + x, den_affiche, inverse + x, den};
    }
    const std::string deux_m = nombre_exact(2 * valeur);
    const std::string den_affiche = "1+ 2.m " + x + "+" + x + "^2";
    const std::string den = "1+" + deux_m + x + "+" + x + "^2";
    switch (gabarit.genre) {
    case genre_gabarit::passe_bas:
        return {"1", den_affiche, "1", den};
    case genre_gabarit::passe_haut:
        return {x + "^2", den_affiche, x + "^2", den};
    case genre_gabarit::passe_bande:
        return {"2.m." + x, den_affiche, deux_m + x, den};
    case genre_gabarit::rejecteur:
        break;
    }
    return {"1+" + x + "^2", den_affiche, "1+" + x + "^2", den};
}

plage_gabarit plage_du_gabarit(gabarit_filtre gabarit) {
    if (premier_ordre(gabarit)) {
        if (gabarit.genre == genre_gabarit::passe_bas) return {0.1, 10, 99, 10, 99};
        return {0.1, 10.1, 99, 10, 99};
    }
    return {0.01, 2, 200, 20, 130};
}

void fixer_plage_gabarit(systeme& s, gabarit_filtre gabarit) {
    const plage_gabarit p = plage_du_gabarit(gabarit);
    if (premier_ordre(gabarit)) {
        s.w0_min = p.min;
        s.w0_max = p.max;
    } else {
        s.m_min = p.min;
        s.m_max = p.max;
    }
}

double parametre_de_position(const systeme& s, int position) {
    const int bas = plage_du_gabarit(s.gabarit).curseur_max;
    const int q = std::clamp(position, 0, bas);
    if (premier_ordre(s.gabarit))
        return (s.w0_max - s.w0_min) * (bas - q) / diviseur_premier_ordre + s.w0_min;
    return (bas - q) * s.m_max / diviseur_second_ordre + s.m_min;
}

std::string etiquette_haut_gabarit(const systeme& s) {
    if (premier_ordre(s.gabarit)) return "w0max= " + texte_nombre(s.w0_max) + " rad/s";
    return "m max= " + texte_nombre(2);
}

std::string etiquette_bas_gabarit(const systeme& s) {
    if (premier_ordre(s.gabarit)) return "w0min= " + texte_nombre(s.w0_min) + " rad/s";
    return "m min= " + texte_nombre(s.m_min);
}

std::string etiquette_valeur_gabarit(const systeme& s, double valeur) {
    if (premier_ordre(s.gabarit)) return "w0= " + texte_nombre(valeur) + " rad/s";
    return "m= " + texte_nombre(valeur);
}

std::optional<textes_gabarit> construire_gabarit(systeme& s, gabarit_filtre gabarit, int slot,
                                                 double valeur) {
    if (!gabarit_connu(gabarit) || (slot != 1 && slot != 2) || !(valeur > 0)) return std::nullopt;
    const textes_gabarit t = textes_du_gabarit(gabarit, valeur, s.lettre_variable);
    fdt_travail essai = s.fonctions[static_cast<std::size_t>(slot)];
    bool erreur_syntaxe = false, erreur_degre = false;
    analyser_fonction(s.calcul, s.lettre_variable, t.num, t.den, essai, erreur_syntaxe,
                      erreur_degre);
    if (erreur_syntaxe || erreur_degre) return std::nullopt;
    s.fonctions[static_cast<std::size_t>(slot)] = essai;
    return t;
}

reglage_curseur deplacer_curseur_gabarit(systeme& s, int position) {
    reglage_curseur res;
    if (s.etudes.boucle_fermee || !s.etudes.mode_filtre || !gabarit_connu(s.gabarit)) return res;
    const double v = parametre_de_position(s, position);
    if (!construire_gabarit(s, s.gabarit, 1, v)) return res;
    if (premier_ordre(s.gabarit)) {
        s.w0 = v;
    } else {
        s.m = v;
    }
    res.effectue = true;
    res.etiquette_valeur = etiquette_valeur_gabarit(s, v);
    if (s.systeme_saisi) res.rafraichir = rafraichir(false, false);
    return res;
}

} // namespace varlem
