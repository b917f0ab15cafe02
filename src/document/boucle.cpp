#include "document/boucle.h"

#include "analysis/echelle_poles_zeros.h"
#include "analysis/pade.h"
#include "analysis/pipeline.h"
#include "document/etudes_systeme.h"
#include "document/textes_construits.h"
#include "numeric/analyse_racines.h"
#include "numeric/boucle_retard.h"
#include "numeric/nombres.h"

#include <algorithm>
#include <cmath>

namespace varlem {

namespace {

constexpr const char* crlf = "\r\n";

bool est_nul(const polynome& p) {
    for (int k = 0; k <= p.degre; ++k)
        if (p.coef[static_cast<std::size_t>(k)].re != 0 ||
            p.coef[static_cast<std::size_t>(k)].im != 0)
            return false;
    return true;
}

// A sum whose leading terms cancel keeps its degree; the root finder needs the true one.
void rogner(polynome& p) {
    while (p.degre > 0 && p.coef[static_cast<std::size_t>(p.degre)].re == 0 &&
           p.coef[static_cast<std::size_t>(p.degre)].im == 0)
        --p.degre;
}

// Loop functions are products and sums with no typed factors: their poles come from the
// expanded denominator. Their texts are the polynomials written out, for display only.
bool analyser_construite(systeme& s, const polynome& num, const polynome& den, fdt_travail& ft) {
    ft.fonction.retard = 0;
    ft.fonction.boucle.reset();
    ft.fonction.num = num;
    ft.fonction.den = den;
    rogner(ft.fonction.num);
    rogner(ft.fonction.den);
    ft.fonction.texte_num = polynome_texte(ft.fonction.num, s.lettre_variable);
    ft.fonction.texte_den = polynome_texte(ft.fonction.den, s.lettre_variable);
    if (est_nul(ft.fonction.num) || est_nul(ft.fonction.den)) {
        // C·T·R = −1 cancels the closed loop's denominator: there is no function to analyse.
        ft.zeros = {};
        ft.poles = {};
        ft.termes_poles = {};
        ft.termes_zeros = {};
        ft.gain = 0;
        return false;
    }
    s.calcul.racines_globales = true;
    analyser_racines(s.calcul, ft);
    s.calcul.racines_globales = false;
    return true;
}

bool produit(const polynome& a, const polynome& b, polynome& resultat) {
    if (p_produit_deborde(a, b)) return false;
    resultat = p_produit(a, b);
    return true;
}

const fdt& fonction_bouclee(const systeme& s) {
    const int k = std::clamp(s.courante_sauvee, 1, nb_fonctions_max);
    return s.sauvegarde[static_cast<std::size_t>(k)].fonction;
}

// The loop of num/den closed through the return path Rn/Rd: num·Rd / (den·Rd + num·Rn). With a
// delay in the direct chain the fraction is that of its Padé stand-in, and the record carries
// the exact loop its time response comes from.
bool boucler(systeme& s, const fdt& direct, fdt_travail& cible) {
    const fdt& r = s.retour.fonction;
    const bool retarde = direct.retard > 0;
    const substitut_pade substitut =
        retarde
            ? substitut_rationnel(direct, f_produit(direct, r), std::max(r.num.degre, r.den.degre))
            : substitut_pade{};
    const fdt& d = retarde ? substitut.fonction : direct;
    polynome num, den_direct, den_retour;
    if (!produit(d.num, r.den, num) || !produit(d.den, r.den, den_direct) ||
        !produit(d.num, r.num, den_retour))
        return false;
    const bool ok = analyser_construite(s, num, p_somme(den_direct, den_retour), cible);
    if (retarde) {
        auto b = std::make_shared<boucle_retardee>();
        b->num_directe = direct.num;
        b->den_directe = direct.den;
        b->num_retour = r.num;
        b->den_retour = r.den;
        b->retard = direct.retard;
        b->num_entree = p_constante(1);
        b->den_entree = p_constante(1);
        b->ordre_pade = substitut.ordre;
        cible.fonction.boucle = std::move(b);
    }
    return ok;
}

// Rebuilds everything that follows the corrector, the looped function or the return path.
void reconstruire_boucle(systeme& s) {
    construire_chaine_directe(s);
    construire_boucle_ouverte(s);
    construire_boucle_fermee(s);
}

int position_bornee(int position, int maximum) {
    return std::clamp(position, 0, maximum);
}

} // namespace

textes_fdt textes_correcteur(double kp, double ti, double td, bool avec_i, char lettre) {
    if (avec_i)
        return {somme_texte({{kp, 0}, {kp * ti, 1}, {kp * ti * td, 2}}, lettre),
                somme_texte({{ti, 1}}, lettre)};
    return {somme_texte({{kp, 0}, {kp * td, 1}}, lettre), "1"};
}

curseurs_correcteur initialiser_correcteur(systeme& s) {
    s.kp = 1.0;
    s.kp_min = 0.1;
    s.kp_max = 20.1;
    s.ti = 10.0;
    s.ti_min = 0.01;
    s.ti_max = 10.0;
    s.td = 0.0;
    s.td_min = 0.0;
    s.td_max = 1.0;
    s.avec_i = false;
    curseurs_correcteur c;
    // Rounded before truncating: (20.1 − 1) / 20 × 200 is 191 give or take one ulp.
    const double p = (s.kp_max - s.kp) / (s.kp_max - s.kp_min) * curseur_p_max;
    c.p = {
        static_cast<int>(std::trunc(p + 1e-9)), curseur_p_max, 20, "20", texte_nombre(s.kp), "0"};
    c.ti = {0, curseur_ti_max, 10, "10", texte_nombre(s.ti), "0"};
    c.td = {curseur_td_max, curseur_td_max, 10, "1", texte_nombre(s.td), "0"};
    c.avec_i = s.avec_i;
    return c;
}

bool construire_correcteur(systeme& s) {
    const textes_fdt t = textes_correcteur(s.kp, s.ti, s.td, s.avec_i, s.lettre_variable);
    fdt_travail essai = s.correcteur;
    bool erreur_syntaxe = false, erreur_degre = false;
    analyser_fonction(s.calcul, s.lettre_variable, t.num, t.den, essai, erreur_syntaxe,
                      erreur_degre);
    if (erreur_syntaxe || erreur_degre) return false;
    s.correcteur = essai;
    return true;
}

bool construire_chaine_directe(systeme& s) {
    const fdt& c = s.correcteur.fonction;
    const fdt& t = fonction_bouclee(s);
    polynome num, den;
    if (!produit(c.num, t.num, num) || !produit(c.den, t.den, den)) return false;
    const bool ok = analyser_construite(s, num, den, s.chaine_directe);
    s.chaine_directe.fonction.retard = c.retard + t.retard;
    s.fonctions[2] = s.chaine_directe;
    return ok;
}

bool construire_boucle_ouverte(systeme& s) {
    const fdt& ct = s.chaine_directe.fonction;
    const fdt& r = s.retour.fonction;
    polynome num, den;
    if (!produit(ct.num, r.num, num) || !produit(ct.den, r.den, den)) return false;
    const bool ok = analyser_construite(s, num, den, s.fonctions[1]);
    s.fonctions[1].fonction.retard = ct.retard + r.retard;
    return ok;
}

bool construire_boucle_fermee(systeme& s) {
    return boucler(s, s.chaine_directe.fonction, s.fonctions[3]);
}

bool construire_boucle_sans_correcteur(systeme& s) {
    return boucler(s, fonction_bouclee(s), s.fonctions[4]);
}

std::string texte_boucle_fermee(const systeme& s) {
    const fdt& f = s.fonctions[3].fonction;
    std::string t = "Fonction de transfert du système en boucle fermée:";
    t += crlf;
    t += polynome_texte(f.num, s.lettre_variable);
    t += crlf;
    t += "sur";
    t += crlf;
    t += polynome_texte(f.den, s.lettre_variable);
    if (f.boucle) {
        t += crlf;
        t += texte_substitut_pade(f.boucle->ordre_pade);
    }
    return t;
}

namespace {

// The loop functions of the looped function with the corrector in force, the frequency study
// of the open loop and the pole-zero scale of the closed loop.
void reconstruire_boucle(systeme& s, reglages& r) {
    construire_chaine_directe(s);
    construire_boucle_ouverte(s);
    // The frequency study scans the current slot: it must already be slot 1, the open loop.
    s.nb_fonctions = 1;
    s.fonction_courante = 1;
    preparer_frequences(r.frequence, true, s);
    construire_boucle_fermee(s);
    construire_boucle_sans_correcteur(s);
    echelle_auto_pz(s.fonctions[3], r.pz);
}

} // namespace

fermeture_boucle fermer_boucle(systeme& s, reglages& r) {
    fermeture_boucle res;
    if (s.etudes.boucle_fermee || s.etudes.mode_filtre || s.nb_fonctions < 1) return res;
    s.etudes.toutes_fonctions = false;
    r.frequence.en_hertz = false;

    s.sauvegarde = s.fonctions;
    s.courante_sauvee = std::clamp(s.fonction_courante, 1, s.nb_fonctions);
    s.nb_sauve = s.nb_fonctions;

    bool erreur_syntaxe = false, erreur_degre = false;
    analyser_fonction(s.calcul, s.lettre_variable, "1", "1", s.retour, erreur_syntaxe,
                      erreur_degre);
    res.curseurs = initialiser_correcteur(s);
    construire_correcteur(s);
    reconstruire_boucle(s, r);
    s.etudes.boucle_fermee = true;
    res.effectue = true;
    res.texte_boucle = texte_boucle_fermee(s);
    res.rafraichir = rafraichir(true, true);
    return res;
}

rafraichissement ouvrir_boucle(systeme& s) {
    if (!s.etudes.boucle_fermee) return {};
    s.fonctions = s.sauvegarde;
    s.fonction_courante = s.courante_sauvee;
    s.nb_fonctions = s.nb_sauve;
    s.etudes.boucle_fermee = false;
    s.etudes.toutes_fonctions = true;
    return rafraichir(true, true);
}

parcours_boucle parcourir_boucle(systeme& s, reglages& r, bool vers_le_haut) {
    parcours_boucle res;
    if (!s.etudes.boucle_fermee) return res;
    if (vers_le_haut) {
        if (s.courante_sauvee < s.nb_sauve && s.courante_sauvee < nb_fonctions_max)
            ++s.courante_sauvee;
    } else if (s.courante_sauvee > 1) {
        --s.courante_sauvee;
    }
    // The loop without corrector follows the function now looped.
    reconstruire_boucle(s, r);

    const fdt& f = fonction_bouclee(s);
    res.effectue = true;
    res.numero = s.courante_sauvee;
    res.compte = "sur " + std::to_string(s.nb_sauve);
    res.textes = {f.texte_num, f.texte_den};
    res.texte_boucle = texte_boucle_fermee(s);
    res.rafraichir = rafraichir(true, true);
    return res;
}

saisie_retour entrer_retour(systeme& s, std::string_view num, std::string_view den) {
    saisie_retour res;
    // Analysed aside: a refused path must not leave half-parsed polynomials in the loop.
    fdt_travail essai = s.retour;
    analyser_fonction(s.calcul, s.lettre_variable, num, den, essai, res.erreur_syntaxe,
                      res.erreur_degre);
    if (!res.erreur_syntaxe && !res.erreur_degre) {
        s.retour = essai;
        if (s.etudes.boucle_fermee) {
            construire_boucle_ouverte(s);
            construire_boucle_fermee(s);
            construire_boucle_sans_correcteur(s);
            res.rafraichir = rafraichir(true, true);
        }
    }
    res.textes = {s.retour.fonction.texte_num, s.retour.fonction.texte_den};
    if (s.etudes.boucle_fermee) res.texte_boucle = texte_boucle_fermee(s);
    return res;
}

double valeur_curseur(const systeme& s, curseur_correcteur c, int position) {
    switch (c) {
    case curseur_correcteur::p: {
        const int q = position_bornee(position, curseur_p_max);
        return (s.kp_max - s.kp_min) * (curseur_p_max - q) / curseur_p_max + s.kp_min;
    }
    case curseur_correcteur::ti: {
        const int q = position_bornee(position, curseur_ti_max);
        const double ti = (curseur_ti_max - q) * s.ti_max / curseur_ti_max;
        // An integral time of zero would divide by zero: the bottom gives the smallest one.
        return ti == 0 ? s.ti_min : ti;
    }
    case curseur_correcteur::td: {
        const int q = position_bornee(position, curseur_td_max);
        return (s.td_max - s.td_min) * (curseur_td_max - q) / curseur_td_max + s.td_min;
    }
    }
    return 0.0;
}

reglage_curseur deplacer_curseur_correcteur(systeme& s, curseur_correcteur c, int position) {
    reglage_curseur res;
    if (!s.etudes.boucle_fermee) return res;
    if (c == curseur_correcteur::ti && !s.avec_i) return res;
    double& valeur = c == curseur_correcteur::p ? s.kp : c == curseur_correcteur::ti ? s.ti : s.td;
    const double avant = valeur;
    valeur = valeur_curseur(s, c, position);
    if (!construire_correcteur(s)) {
        valeur = avant;
        return res;
    }
    reconstruire_boucle(s);
    res.effectue = true;
    res.etiquette_valeur = texte_nombre(valeur);
    res.texte_boucle = texte_boucle_fermee(s);
    res.rafraichir = rafraichir(c == curseur_correcteur::p, true);
    return res;
}

reglage_curseur basculer_avec_i(systeme& s, bool coche) {
    reglage_curseur res;
    const bool avant = s.avec_i;
    s.avec_i = coche;
    if (!s.etudes.boucle_fermee) return res;
    if (!construire_correcteur(s)) {
        s.avec_i = avant;
        return res;
    }
    reconstruire_boucle(s);
    res.effectue = true;
    res.texte_boucle = texte_boucle_fermee(s);
    res.rafraichir = rafraichir(false, true);
    return res;
}

bool regler_correcteur(systeme& s, double kp, double ti, double td, bool avec_i) {
    const double kp_avant = s.kp, ti_avant = s.ti, td_avant = s.td;
    const bool avec_i_avant = s.avec_i;
    s.kp = kp;
    s.ti = ti;
    s.td = td;
    s.avec_i = avec_i;
    if (!construire_correcteur(s)) {
        s.kp = kp_avant;
        s.ti = ti_avant;
        s.td = td_avant;
        s.avec_i = avec_i_avant;
        return false;
    }
    if (s.etudes.boucle_fermee) reconstruire_boucle(s);
    return true;
}

demande_maximum question_maximum(const systeme& s, curseur_correcteur c) {
    switch (c) {
    case curseur_correcteur::p:
        return {"Entrer la valeur max de P", "entrée de P max", texte_nombre(s.kp_max)};
    case curseur_correcteur::ti:
        return {"Entrer la valeur max de ti", "entrée de ti max", texte_nombre(s.ti_max)};
    case curseur_correcteur::td:
        return {"Entrer la valeur max de td", "entrée de td max", texte_nombre(s.td_max)};
    }
    return {};
}

std::optional<std::string> saisir_maximum(systeme& s, curseur_correcteur c,
                                          std::string_view texte) {
    // The decimal comma is read as the parser reads it in typed functions.
    std::string t(texte);
    std::replace(t.begin(), t.end(), ',', '.');
    const double v = lire_nombre(t);
    if (!(v >= maximum_correcteur_min && v <= maximum_correcteur_max)) return std::nullopt;
    switch (c) {
    case curseur_correcteur::p:
        // The P maximum can only be raised.
        if (!(v > s.kp_max)) return std::nullopt;
        s.kp_max = v;
        break;
    case curseur_correcteur::ti:
        s.ti_max = v;
        s.ti_min = v / 100;
        break;
    case curseur_correcteur::td:
        s.td_max = v;
        break;
    }
    return texte_nombre(v);
}

} // namespace varlem
