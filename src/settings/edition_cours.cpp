#include "settings/edition_cours.h"

namespace varlem {

namespace {

// The setting takes its value; the studies are drawn again only when it changed and shows.
template <typename T> effet_reglage changer(T& reglage, T valeur, bool visible) {
    const bool change = reglage != valeur;
    reglage = valeur;
    if (change && visible) return rafraichi();
    effet_reglage e;
    e.accepte = true;
    return e;
}

} // namespace

effet_reglage cocher_asymptotes(etude_frequence& r, bool coche) {
    return changer(r.cours.asymptotes, coche, true);
}

effet_reglage choisir_convention_phase(etude_frequence& r, convention_phase c) {
    return changer(r.cours.convention, c, r.cours.asymptotes);
}

effet_reglage choisir_ecriture_pente(etude_frequence& r, ecriture_pente e) {
    return changer(r.cours.pente, e, r.cours.asymptotes);
}

effet_reglage cocher_abaque(etude_frequence& r, bool coche) {
    return changer(r.cours.abaque, coche, true);
}

} // namespace varlem
