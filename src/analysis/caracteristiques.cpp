#include "analysis/caracteristiques.h"

#include "analysis/caracteristiques_calcul.h"

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

void frequentielles(contexte_calcul& ctx, const fonction_exacte& f, caracteristiques& c) {
    c.bande_passante = bande_passante_exacte(ctx, f);
    c.resonance = resonance_exacte(ctx, f);
    c.indicielle = indicielle_exacte(f);
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
    return indicielle_exacte(preparer_fonction(ctx, f));
}

caracteristiques calculer_caracteristiques(const fdt& f) {
    contexte_calcul ctx = contexte();
    const fonction_exacte e = preparer_fonction(ctx, f);
    caracteristiques c;
    c.marges = marges_exactes(ctx, e);
    frequentielles(ctx, e, c);
    return c;
}

caracteristiques caracteristiques_boucle(const fdt& boucle_ouverte, const fdt& boucle_fermee) {
    contexte_calcul ctx = contexte();
    caracteristiques c;
    c.marges = marges_exactes(ctx, preparer_fonction(ctx, boucle_ouverte));
    frequentielles(ctx, preparer_fonction(ctx, boucle_fermee), c);
    return c;
}

} // namespace varlem
