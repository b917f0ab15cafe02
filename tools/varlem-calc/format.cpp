#include "format.h"

#include "analysis/pipeline.h"
#include "numeric/decomposition.h"

#include <cstdio>

namespace varlem::calc {

json json_complexe(complexe z) {
    json j = json::nouveau_tableau();
    j.ajouter(z.re);
    j.ajouter(z.im);
    return j;
}

json json_polynome(const polynome& p) {
    json j = json::nouveau_tableau();
    for (int k = 0; k <= p.degre; ++k) j.ajouter(p.coef[static_cast<std::size_t>(k)].re);
    return j;
}

json json_analyse(const contexte_calcul& ctx, const fdt_travail& ft, bool erreur_syntaxe,
                  bool erreur_degre) {
    json j = json::nouvel_objet();
    j["erreur_syntaxe"] = erreur_syntaxe;
    j["erreur_degre"] = erreur_degre;
    if (erreur_syntaxe || erreur_degre) return j;
    const fdt& f = ft.fonction;
    j["num"] = json_polynome(f.num);
    j["den"] = json_polynome(f.den);
    j["gain"] = ft.gain;
    json zeros = json::nouveau_tableau();
    for (int i = 1; i <= f.num.degre; ++i)
        zeros.ajouter(json_complexe(ft.zeros[static_cast<std::size_t>(i)]));
    j["zeros"] = zeros;
    json poles = json::nouveau_tableau();
    for (int i = 1; i <= f.den.degre; ++i)
        poles.ajouter(json_complexe(ft.poles[static_cast<std::size_t>(i)]));
    j["poles"] = poles;
    json termes = json::nouveau_tableau();
    for (int i = 0; i < f.den.degre; ++i) {
        const terme& t = ft.termes_poles[static_cast<std::size_t>(i)];
        json e = json::nouvel_objet();
        e["pole"] = json_complexe(t.valeur);
        e["ordre"] = t.ordre;
        e["coef"] = json_complexe(t.coef);
        termes.ajouter(e);
    }
    j["termes"] = termes;
    const int n = f.den.degre;
    j["terme_direct"] = f.num.degre == n ? json(f.num.coef[static_cast<std::size_t>(n)].re /
                                                f.den.coef[static_cast<std::size_t>(n)].re)
                                         : json();
    j["decomposition"] = texte_decomposition(ctx, ft, 3);
    // Only functions with a delay, or standing for a loop with one, say so.
    if (f.retard > 0) j["retard"] = f.retard;
    if (f.boucle) j["ordre_pade"] = f.boucle->ordre_pade;
    return j;
}

void imprimer(const json& j) {
    const std::string t = j.texte();
    std::fwrite(t.data(), 1, t.size(), stdout);
    std::fputc('\n', stdout);
}

const char* message_refus(bool erreur_syntaxe, bool) {
    return erreur_syntaxe ? "Fonction de transfert refusée : erreur de syntaxe."
                          : "Fonction de transfert refusée : degré supérieur à 15 ou coefficient "
                            "hors limites.";
}

bool analyser_ou_refuser(const fonction_saisie& f, contexte_calcul& ctx, fdt_travail& ft,
                         const std::string& prefixe) {
    bool erreur_syntaxe = false, erreur_degre = false;
    analyser_fonction(ctx, f.variable, f.num, f.den, ft, erreur_syntaxe, erreur_degre, f.retard);
    if (!erreur_syntaxe && !erreur_degre) return true;
    imprimer(json_analyse(ctx, ft, erreur_syntaxe, erreur_degre));
    std::fprintf(stderr, "%s%s\n", prefixe.c_str(), message_refus(erreur_syntaxe, erreur_degre));
    return false;
}

} // namespace varlem::calc
