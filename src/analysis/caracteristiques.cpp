#include "analysis/caracteristiques.h"

#include "analysis/boucle_retard.h"
#include "analysis/caracteristiques_calcul.h"

#include <cmath>

namespace varlem {

namespace {

// The root finder is seeded the same way at every call, so that the same function always gives
// the same readings to the last bit (no flicker while a slider moves).
constexpr std::uint64_t graine_caracteristiques = 1;

contexte_calcul contexte() {
    contexte_calcul ctx;
    ctx.graine = graine_caracteristiques;
    return ctx;
}

// The step characteristics of f: those of the loop itself for a loop's stand-in, and shifted by
// the delay, the response being zero until it.
reponse_indicielle indicielle(const fdt& f, const fonction_exacte& e) {
    reponse_indicielle r = f.boucle ? indicielle_boucle_retard(*f.boucle) : indicielle_exacte(e);
    if (!(f.retard > 0) || !std::isfinite(f.retard)) return r;
    for (std::optional<double>* t : {&r.temps_pic, &r.temps_reponse_5, &r.temps_reponse_2})
        if (*t) **t += f.retard;
    return r;
}

void frequentielles(contexte_calcul& ctx, const fdt& fonction, const fonction_exacte& f,
                    caracteristiques& c) {
    c.bande_passante = bande_passante_exacte(ctx, f);
    c.resonance = resonance_exacte(ctx, f);
    c.indicielle = indicielle(fonction, f);
}

} // namespace

marges_stabilite calculer_marges(const fdt& f) {
    contexte_calcul ctx = contexte();
    return marges_exactes(ctx, preparer_fonction(ctx, f));
}

std::optional<double> calculer_bande_passante(const fdt& f) {
    contexte_calcul ctx = contexte();
    return bande_passante_exacte(ctx, preparer_fonction(ctx, f));
}

std::optional<pic_resonance> calculer_resonance(const fdt& f) {
    contexte_calcul ctx = contexte();
    return resonance_exacte(ctx, preparer_fonction(ctx, f));
}

reponse_indicielle calculer_indicielle(const fdt& f) {
    contexte_calcul ctx = contexte();
    return indicielle(f, preparer_fonction(ctx, f));
}

caracteristiques calculer_caracteristiques(const fdt& f) {
    contexte_calcul ctx = contexte();
    const fonction_exacte e = preparer_fonction(ctx, f);
    caracteristiques c;
    c.marges = marges_exactes(ctx, e);
    frequentielles(ctx, f, e, c);
    return c;
}

caracteristiques caracteristiques_boucle(const fdt& boucle_ouverte, const fdt& boucle_fermee) {
    contexte_calcul ctx = contexte();
    caracteristiques c;
    c.marges = marges_exactes(ctx, preparer_fonction(ctx, boucle_ouverte));
    frequentielles(ctx, boucle_fermee, preparer_fonction(ctx, boucle_fermee), c);
    return c;
}

} // namespace varlem
