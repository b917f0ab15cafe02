#include "document/historique.h"

#include "analysis/pipeline.h"
#include "document/etudes_systeme.h"

#include <algorithm>
#include <memory>

namespace varlem {

namespace {

bool memes_fonctions(const std::vector<textes_fdt>& a, const std::vector<textes_fdt>& b) {
    return std::equal(
        a.begin(), a.end(), b.begin(), b.end(),
        [](const textes_fdt& x, const textes_fdt& y) { return x.num == y.num && x.den == y.den; });
}

// The system's texts and delays, for the save comparison.
instantane_systeme textes_du_systeme(const systeme& s) {
    return instantane(s).value_or(instantane_systeme{});
}

// The same functions and delays, whatever the letter (a file does not keep it).
bool memes_contenus(const instantane_systeme& a, const instantane_systeme& b) {
    return memes_fonctions(a.fonctions, b.fonctions) && a.retards == b.retards;
}

void borner(std::vector<instantane_systeme>& pile) {
    if (pile.size() > nb_etapes_max)
        pile.erase(pile.begin(),
                   pile.begin() + static_cast<std::ptrdiff_t>(pile.size() - nb_etapes_max));
}

} // namespace

void fermer_etudes(etat_etudes& e) {
    e.frequence_ouverte = false;
    e.temps_ouverte = false;
    e.decomp_ouverte = false;
    e.poles_zeros_ouverte = false;
}

bool memes_textes(const instantane_systeme& a, const instantane_systeme& b) {
    return a.lettre_variable == b.lettre_variable && memes_fonctions(a.fonctions, b.fonctions) &&
           a.retards == b.retards;
}

std::optional<instantane_systeme> instantane(const systeme& s) {
    if (s.etudes.mode_filtre) return std::nullopt;
    // With the loop closed the slots hold loop functions: the user's system waits in the bank.
    const bool boucle = s.etudes.boucle_fermee;
    const banque_fonctions& banque = boucle ? s.sauvegarde : s.fonctions;
    const int n = std::clamp(boucle ? s.nb_sauve : s.nb_fonctions, 0, nb_fonctions_max);
    instantane_systeme i;
    for (int k = 1; k <= n; ++k) {
        const fdt& f = banque[static_cast<std::size_t>(k)].fonction;
        i.fonctions.push_back({f.texte_num, f.texte_den});
        i.retards.push_back(f.retard);
    }
    i.fonction_courante = boucle ? s.courante_sauvee : s.fonction_courante;
    i.lettre_variable = s.lettre_variable;
    i.systeme_saisi = s.systeme_saisi;
    return i;
}

bool restaurer(systeme& s, reglages& r, const instantane_systeme& i) {
    if (i.fonctions.size() > static_cast<std::size_t>(nb_fonctions_max)) return false;
    // Analysed in a scratch copy, as a file is read: a refusal leaves the system as it was.
    auto copie = std::make_unique<banque_fonctions>(s.fonctions);
    contexte_calcul ctx = s.calcul;
    for (std::size_t k = 0; k < i.fonctions.size(); ++k) {
        bool erreur_syntaxe = false, erreur_degre = false;
        // A delay is restored with its function: a step undone never loses it.
        const double retard = k < i.retards.size() ? i.retards[k] : 0.0;
        analyser_fonction(ctx, i.lettre_variable, i.fonctions[k].num, i.fonctions[k].den,
                          (*copie)[k + 1], erreur_syntaxe, erreur_degre, retard);
        if (erreur_syntaxe || erreur_degre) return false;
    }
    s.fonctions = *copie;
    s.calcul = ctx;
    s.nb_fonctions = static_cast<int>(i.fonctions.size());
    s.fonction_courante = std::clamp(i.fonction_courante, 1, std::max(s.nb_fonctions, 1));
    s.lettre_variable = i.lettre_variable;
    s.systeme_saisi = i.systeme_saisi;
    if (s.nb_fonctions > 0) {
        r.graphe.inclure_zero = true;
        preparer_frequences(r.frequence, true, s);
    }
    return true;
}

void historique::noter(const std::optional<instantane_systeme>& avant, const systeme& apres) {
    if (!avant) return;
    const std::optional<instantane_systeme> maintenant = instantane(apres);
    if (maintenant && memes_textes(*avant, *maintenant)) return;
    annuler_.push_back(*avant);
    borner(annuler_);
    retablir_.clear();
}

void historique::marquer_enregistre(const systeme& s) {
    enregistres_ = textes_du_systeme(s);
}

void historique::vider() {
    annuler_.clear();
    retablir_.clear();
}

bool historique::peut_annuler(const systeme& s) const {
    return !annuler_.empty() && !s.etudes.boucle_fermee && !s.etudes.mode_filtre;
}

bool historique::peut_retablir(const systeme& s) const {
    return !retablir_.empty() && !s.etudes.boucle_fermee && !s.etudes.mode_filtre;
}

resultat_historique historique::annuler(systeme& s, reglages& r) {
    if (!peut_annuler(s)) return {};
    return deplacer(annuler_, retablir_, s, r);
}

resultat_historique historique::retablir(systeme& s, reglages& r) {
    if (!peut_retablir(s)) return {};
    return deplacer(retablir_, annuler_, s, r);
}

resultat_historique historique::deplacer(std::vector<instantane_systeme>& depuis,
                                         std::vector<instantane_systeme>& vers, systeme& s,
                                         reglages& r) {
    resultat_historique res;
    const std::optional<instantane_systeme> present = instantane(s);
    if (!present || !restaurer(s, r, depuis.back())) return res;
    depuis.pop_back();
    vers.push_back(*present);
    borner(vers);
    // An empty system has nothing to save, whatever was saved before.
    s.modifie = s.nb_fonctions > 0 && !memes_contenus(textes_du_systeme(s), enregistres_);

    res.effectue = true;
    res.systeme_vide = s.nb_fonctions < 1 && !s.systeme_saisi;
    // The windows close on an empty system, as when it is emptied: their studies with them.
    if (res.systeme_vide) fermer_etudes(s.etudes);
    res.etiquette_fraction = etiquette_fraction(s.lettre_variable);
    res.legende_lettre = legende_lettre(s.lettre_variable);
    resultat_commande& c = res.commande;
    c.effectue = true;
    // As after an entry: the application-wide enabling gives "Nouvelle" back.
    c.activer_nouvelle = true;
    c.activer_parcours = s.nb_fonctions > 0;
    c.activer_commandes = !res.systeme_vide;
    c.affichage = res.systeme_vide ? affichage_vide() : afficher_courante(s);
    c.position_parcours = s.fonction_courante;
    if (!res.systeme_vide) c.rafraichir = rafraichir(false, true);
    return res;
}

} // namespace varlem
