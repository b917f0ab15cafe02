#include "document/gain_lieu.h"

#include "document/boucle.h"
#include "numeric/nombres.h"

#include <algorithm>
#include <cmath>

namespace varlem {

reglage_gain_lieu regler_gain_lieu(systeme& s, double k) {
    reglage_gain_lieu r;
    if (!s.etudes.boucle_fermee || !(k >= maximum_correcteur_min && k <= maximum_correcteur_max))
        return r;
    const double min_avant = s.kp_min, max_avant = s.kp_max;
    const bool plus_haut = k > s.kp_max;
    s.kp_max = std::max(s.kp_max, k);
    s.kp_min = std::min(s.kp_min, k);
    if (!regler_correcteur(s, k, s.ti, s.td, s.avec_i)) {
        s.kp_min = min_avant;
        s.kp_max = max_avant;
        return r;
    }
    const double q = (s.kp_max - k) / (s.kp_max - s.kp_min) * curseur_p_max;
    r.effectue = true;
    r.position = std::clamp(static_cast<int>(std::lround(q)), 0, curseur_p_max);
    r.etiquette_valeur = texte_nombre(s.kp);
    if (plus_haut) r.etiquette_haut = texte_nombre(s.kp_max);
    r.texte_boucle = texte_boucle_fermee(s);
    r.rafraichir = rafraichir(true, true);
    return r;
}

} // namespace varlem
