#include "settings/edition_reglages.h"

#include "numeric/nombres.h"

#include <algorithm>
#include <charconv>
#include <cmath>

namespace varlem {

namespace {

// Size in pixels a clipboard side must exceed, and the centimetres it must stay below.
constexpr int pixels_copie_min = 50;
constexpr double centimetres_copie_max = 30.0;

// A whole decimal integer, blanks around it allowed.
std::optional<int> lire_entier(std::string_view texte) {
    const auto blanc = [](char c) { return c == ' ' || c == '\t'; };
    while (!texte.empty() && blanc(texte.front())) texte.remove_prefix(1);
    while (!texte.empty() && blanc(texte.back())) texte.remove_suffix(1);
    if (!texte.empty() && texte.front() == '+') {
        texte.remove_prefix(1);
        if (texte.empty() || texte.front() < '0' || texte.front() > '9') return std::nullopt;
    }
    int n = 0;
    const char* fin = texte.data() + texte.size();
    const auto [p, ec] = std::from_chars(texte.data(), fin, n);
    if (texte.empty() || ec != std::errc() || p != fin) return std::nullopt;
    return n;
}

effet_reglage saisir_cote_copie(int& pixels, std::string_view texte) {
    const double cm = lire_nombre(texte);
    const double p = cm / cm_par_pixel;
    effet_reglage e;
    // Compared as doubles first: a huge value must not overflow the integer conversion.
    if (cm < centimetres_copie_max && p >= pixels_copie_min + 1) {
        pixels = static_cast<int>(std::nearbyint(p));
        e.accepte = true;
    }
    e.etiquette = texte_taille_copie(pixels);
    return e;
}

} // namespace

effet_reglage rafraichi(rafraichissement r) {
    effet_reglage e;
    e.accepte = true;
    e.rafraichir = r;
    return e;
}

bool strictement_positive(double v) {
    return v > 0 && v < valeur_saisie_max;
}

effet_reglage changer_couleur(couleur& reglage, std::optional<couleur> choisie) {
    if (!choisie) return {};
    reglage = *choisie;
    return rafraichi();
}

effet_reglage saisir_longueur_graduations(param& p, std::string_view texte) {
    const std::optional<int> n = lire_entier(texte);
    if (!n) {
        effet_reglage e;
        e.erreur = "'" + std::string(texte) + "' n'est pas une valeur entière correcte.";
        return e;
    }
    const bool dans_bornes = *n >= longueur_graduations_min && *n <= longueur_graduations_max;
    if (dans_bornes) p.longueur_graduations = *n;
    effet_reglage e = rafraichi();
    e.accepte = dans_bornes;
    e.etiquette = texte_longueur_graduations(p.longueur_graduations);
    return e;
}

std::string texte_longueur_graduations(int longueur) {
    return "Longueur graduations:  " + std::to_string(longueur);
}

effet_reglage cocher_inclure_zero(param& p, bool coche) {
    p.inclure_zero = coche;
    return rafraichi(rafraichir(false, coche));
}

effet_reglage choisir_quadrillage_plein(param& p, bool plein) {
    p.pointilles = !plein;
    return rafraichi();
}

effet_reglage changer_police(param& p, const std::optional<police_graduations>& choisie) {
    if (!choisie || choisie->nom.empty() || choisie->taille < 1) return {};
    p.police = choisie->nom;
    p.taille_police = choisie->taille;
    return rafraichi();
}

effet_reglage cocher(bool& reglage, bool coche) {
    reglage = coche;
    return rafraichi();
}

std::string texte_etude_temps(entree_temps etude) {
    switch (etude) {
    case entree_temps::impulsion:
        return "Etude en cours:Rep impulsionnelle";
    case entree_temps::echelon:
        return "Etude en cours:Rep indicielle";
    case entree_temps::rampe:
        return "Etude en cours:Rep en accélération";
    case entree_temps::sinus:
        return "Etude en cours:Rep à une sinusoïde";
    // The periodic inputs are named too: the precision below is theirs.
    case entree_temps::carre:
        return "Etude en cours:Rep à un signal carré";
    case entree_temps::triangle:
        return "Etude en cours:Rep à un signal triangle";
    case entree_temps::aucune:
        break;
    }
    return {};
}

effet_reglage saisir_pulsation_min(etude_temps& r, std::string_view texte) {
    const double v = lire_nombre(texte);
    if (!strictement_positive(v)) return {};
    r.pulsation_min = v;
    effet_reglage e;
    e.accepte = true;
    e.etiquette = texte_pulsation_min(v);
    return e;
}

effet_reglage saisir_pulsation_max(etude_temps& r, std::string_view texte) {
    const double v = lire_nombre(texte);
    if (!strictement_positive(v)) return {};
    r.pulsation_max = v;
    effet_reglage e;
    e.accepte = true;
    e.etiquette = texte_pulsation_max(v);
    return e;
}

int position_pulsation(const etude_temps& r) {
    const double etendue = r.pulsation_max - r.pulsation_min;
    const double p = (r.pulsation_max - r.pulsation) / etendue * position_curseur_max;
    if (etendue == 0 || !std::isfinite(p)) return 0;
    return static_cast<int>(std::clamp(std::trunc(p), 0.0, double(position_curseur_max)));
}

std::string texte_pulsation(double w) {
    return "w = " + texte_nombre(w) + "rad/s";
}
std::string texte_pulsation_min(double w) {
    return "wmin = " + texte_nombre(w) + "rad/s";
}
std::string texte_pulsation_max(double w) {
    return "wmax = " + texte_nombre(w) + "rad/s";
}
std::string texte_amplitude(double a) {
    return "Amplitude = " + texte_nombre(a);
}
std::string texte_pulsation_choisie(double w) {
    return "Pulsation = " + texte_nombre(w) + "rad/s";
}
std::string texte_phase_origine(double phi) {
    return "Phase à l origine = " + texte_nombre(phi) + "rad";
}

effet_reglage regler_precision_periodique(reglages& reg, int position) {
    reg.precision_periodique =
        std::clamp(position, precision_periodique_min, precision_periodique_max);
    reg.temps.precision_modifiee = true;
    effet_reglage e;
    e.accepte = true;
    return e;
}

effet_reglage saisir_taille_symboles(reglages_pz& pz, std::string_view texte) {
    const double n = std::trunc(lire_nombre(texte));
    if (!(n >= taille_symboles_min && n <= taille_symboles_max)) return {};
    pz.taille_symboles = static_cast<int>(n);
    return rafraichi();
}

effet_reglage choisir_precision(reglages_pz& pz, int rang) {
    pz.precision = std::clamp(rang + precision_affichage_min, precision_affichage_min,
                              precision_affichage_max);
    return rafraichi();
}

int rang_precision(const reglages_pz& pz) {
    return std::clamp(pz.precision, precision_affichage_min, precision_affichage_max) -
           precision_affichage_min;
}

std::string texte_centimetres(int pixels) {
    return texte_nombre(arrondir(2, pixels * cm_par_pixel));
}

std::string texte_taille_copie(int pixels) {
    return texte_centimetres(pixels) + " cm";
}

effet_reglage saisir_largeur_copie(reglages& reg, std::string_view texte) {
    return saisir_cote_copie(reg.largeur_copie, texte);
}

effet_reglage saisir_hauteur_copie(reglages& reg, std::string_view texte) {
    return saisir_cote_copie(reg.hauteur_copie, texte);
}

} // namespace varlem
