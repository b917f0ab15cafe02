#include "document/boucle_etudiee.h"

#include <algorithm>

namespace varlem {

namespace {

polynome polynome_de(std::initializer_list<double> c) {
    polynome p;
    p.degre = static_cast<int>(c.size()) - 1;
    std::size_t k = 0;
    for (const double x : c) p.coef[k++] = {x, 0};
    while (p.degre > 0 && p.coef[std::size_t(p.degre)].re == 0) --p.degre;
    return p;
}

bool multiplier(polynome& r, const polynome& f) {
    if (p_produit_deborde(r, f)) return false;
    p_multiplier(r, f);
    return true;
}

} // namespace

std::optional<boucle_etudiee> boucle_etudiee_systeme(const systeme& s) {
    boucle_etudiee b;
    if (!s.etudes.boucle_fermee) {
        if (s.nb_fonctions < 1) return std::nullopt;
        const fdt& f =
            s.fonctions[std::size_t(std::clamp(s.fonction_courante, 1, nb_fonctions_max))].fonction;
        b.num = f.num;
        b.den = f.den;
        return b;
    }
    // C = P·C₁ with C₁ = (1 + ti·p + ti·td·p²) / (ti·p) with the integral action, 1 + td·p
    // without.
    const polynome c_num = s.avec_i ? polynome_de({1, s.ti, s.ti * s.td}) : polynome_de({1, s.td});
    const polynome c_den = s.avec_i ? polynome_de({0, s.ti}) : polynome_de({1});
    const fdt& t =
        s.sauvegarde[std::size_t(std::clamp(s.courante_sauvee, 1, nb_fonctions_max))].fonction;
    const fdt& r = s.retour.fonction;
    b.num = c_num;
    b.den = c_den;
    if (!multiplier(b.num, t.num) || !multiplier(b.num, r.num) || !multiplier(b.den, t.den) ||
        !multiplier(b.den, r.den))
        return std::nullopt;
    b.k = s.kp;
    b.boucle_fermee = true;
    return b;
}

polynome polynome_routh(const boucle_etudiee& b) {
    if (!b.boucle_fermee) return b.den;
    polynome kn = b.num;
    for (complexe& c : kn.coef) c = {b.k * c.re, b.k * c.im};
    return p_somme(b.den, kn);
}

} // namespace varlem
