#include "commandes_document.h"
#include "format.h"

#include "document/boucle.h"
#include "document/fichier_fdt.h"
#include "document/gabarits.h"

#include <cstdio>
#include <memory>

namespace varlem::calc {

namespace {

std::unique_ptr<systeme> systeme_vide(char lettre) {
    auto s = std::make_unique<systeme>();
    s->lettre_variable = lettre;
    return s;
}

json json_textes(const std::string& num, const std::string& den) {
    json j = json::nouvel_objet();
    j["texte_num"] = num;
    j["texte_den"] = den;
    return j;
}

} // namespace

int boucler(systeme& s, reglages& r, const std::vector<std::string>& retour, double kp, double ti,
            double td, bool avec_i) {
    fermer_boucle(s, r);
    if (retour.size() == 2) {
        const saisie_retour sr = entrer_retour(s, retour[0], retour[1]);
        if (sr.erreur_syntaxe || sr.erreur_degre) {
            std::fprintf(stderr, "Retour : %s\n",
                         message_refus(sr.erreur_syntaxe, sr.erreur_degre));
            return statut_fonction_refusee;
        }
    }
    if (!regler_correcteur(s, kp, ti, td, avec_i)) {
        std::fprintf(stderr, "Correcteur refusé : ti nul ou coefficient hors limites.\n");
        return statut_fonction_refusee;
    }
    return 0;
}

int commande_boucle(const options_boucle& o) {
    auto s = systeme_vide(o.f.variable);
    if (!analyser_ou_refuser(o.f, s->calcul, s->fonctions[1])) return statut_fonction_refusee;
    s->nb_fonctions = 1;
    s->systeme_saisi = true;
    reglages r;
    if (const int statut = boucler(*s, r, o.retour, o.kp, o.ti, o.td, o.avec_i); statut != 0)
        return statut;
    json fonctions = json::nouveau_tableau();
    for (int k = 1; k <= 3; ++k)
        fonctions.ajouter(json_analyse(s->calcul, s->fonctions[k], false, false));
    json j = json::nouvel_objet();
    j["correcteur"] =
        json_textes(s->correcteur.fonction.texte_num, s->correcteur.fonction.texte_den);
    j["fonctions"] = fonctions;
    j["texte_boucle_fermee"] = texte_boucle_fermee(*s);
    imprimer(j);
    return 0;
}

int commande_gabarit(const options_gabarit& o) {
    auto s = systeme_vide(o.variable);
    const std::optional<textes_gabarit> t = construire_gabarit(*s, o.gabarit, 1, o.valeur);
    if (!t) {
        std::fprintf(stderr, "Gabarit refusé : lettre inconnue ou valeur non positive.\n");
        return statut_fonction_refusee;
    }
    // The texts are appended to the analysis fields: one flat object.
    json j = json_analyse(s->calcul, s->fonctions[1], false, false);
    j["texte_num_affiche"] = t->num_affiche;
    j["texte_den_affiche"] = t->den_affiche;
    j["texte_num"] = t->num;
    j["texte_den"] = t->den;
    imprimer(j);
    return 0;
}

int commande_systeme(const options_systeme& o) {
    auto s = systeme_vide(o.variable);
    reglages r;
    const resultat_fichier l = lire_systeme(*s, r, o.fichier);
    if (!l.reussi()) {
        std::fprintf(stderr, "%s\n", l.message().c_str());
        return statut_fichier_refuse;
    }
    if (!l.avertissement.empty()) std::fprintf(stderr, "%s\n", l.avertissement.c_str());
    json fonctions = json::nouveau_tableau();
    for (int k = 1; k <= s->nb_fonctions; ++k) {
        const fdt_travail& ft = s->fonctions[static_cast<std::size_t>(k)];
        json f = json_analyse(s->calcul, ft, false, false);
        f["texte_num"] = ft.fonction.texte_num;
        f["texte_den"] = ft.fonction.texte_den;
        fonctions.ajouter(f);
    }
    json j = json::nouvel_objet();
    j["fonctions"] = fonctions;
    imprimer(j);
    return 0;
}

} // namespace varlem::calc
