#include "commandes_stabilite.h"

#include "commandes_document.h"
#include "format.h"

#include "analysis/critere_nyquist.h"
#include "analysis/lieu_evans.h"
#include "document/boucle_etudiee.h"
#include "numeric/routh.h"
#include "studies/texte_stabilite.h"

#include <cstdio>
#include <memory>
#include <optional>

namespace varlem::calc {

namespace {

// The loop of NUM DEN, closed with the loop options when there are some; nothing (after the
// message) when a text or the corrector is refused, with the exit status in `statut`.
std::optional<boucle_etudiee> boucle_de(const options_stabilite& o, int& statut) {
    auto s = std::make_unique<systeme>();
    s->lettre_variable = o.variable;
    statut = statut_fonction_refusee;
    if (!analyser_ou_refuser({o.textes[0], o.textes[1], o.variable}, s->calcul, s->fonctions[1]))
        return std::nullopt;
    s->nb_fonctions = 1;
    s->systeme_saisi = true;
    if (o.boucle) {
        reglages r;
        statut = boucler(*s, r, o.retour, o.kp, o.ti, o.td, o.avec_i);
        if (statut != 0) return std::nullopt;
    }
    const std::optional<boucle_etudiee> b = boucle_etudiee_systeme(*s);
    if (!b) std::fprintf(stderr, "Boucle trop grande : degré supérieur à 50.\n");
    statut = b ? 0 : statut_fonction_refusee;
    return b;
}

json json_separations(const std::vector<point_separation>& v) {
    return tableau_objets(v, [](const point_separation& p, json& e) {
        e["re"] = p.s.re;
        e["im"] = p.s.im;
        e["k"] = p.k;
    });
}

json json_croisements(const std::vector<croisement_axe>& v) {
    return tableau_objets(v, [](const croisement_axe& c, json& e) {
        e["omega"] = c.omega;
        e["k"] = c.k;
    });
}

json json_angles(const std::vector<angle_racine>& v) {
    return tableau_objets(v, [](const angle_racine& a, json& e) {
        e["re"] = a.racine.re;
        e["im"] = a.racine.im;
        e["angle"] = a.angle_deg;
    });
}

// Every branch sampled at the same gains; points at infinity are written null.
json json_branches(const branches_lieu& br) {
    json t = json::nouveau_tableau();
    for (int b = 0; b < br.nb; ++b) {
        json branche = json::nouveau_tableau();
        for (std::size_t j = 0; j < br.k.size(); ++j) {
            const complexe z = br.point(b, int(j));
            json e = json::nouvel_objet();
            e["k"] = br.k[j];
            e["re"] = z.re;
            e["im"] = z.im;
            branche.ajouter(e);
        }
        t.ajouter(branche);
    }
    return t;
}

// An entry of the table: its number, or its leading term in ε as text ("ε", "-7/ε").
json json_terme(const terme_routh& t) {
    if (t.puissance == 0 || t.coef == 0) return json(t.coef);
    return json(texte_terme_routh(t));
}

} // namespace

int commande_lieu(const options_stabilite& o) {
    int statut = 0;
    const std::optional<boucle_etudiee> b = boucle_de(o, statut);
    if (!b) return statut;
    options_lieu ol;
    ol.complementaire = o.complementaire;
    const lieu_evans l = calculer_lieu(b->num, b->den, ol);
    json asym = json::nouvel_objet();
    json angles = json::nouveau_tableau();
    if (l.asymptotes)
        for (const double a : l.asymptotes->angles_deg) angles.ajouter(a);
    asym["centre"] = l.asymptotes ? json(l.asymptotes->centre) : json();
    asym["angles_deg"] = angles;
    json gains = json::nouveau_tableau();
    for (const intervalle_gains& g : l.gains_stables) {
        json e = json::nouvel_objet();
        e["k_min"] = g.k_min;
        e["k_max"] = g.k_max;
        gains.ajouter(e);
    }
    json j = json::nouvel_objet();
    j["asymptotes"] = asym;
    j["points_separation"] = json_separations(l.separations);
    j["croisements_imaginaire"] = json_croisements(l.croisements);
    j["angles_depart_deg"] = json_angles(l.departs);
    j["angles_arrivee_deg"] = json_angles(l.arrivees);
    j["gains_stables"] = gains;
    j["branches"] = json_branches(l.branches);
    if (o.complementaire) {
        j["points_separation_complementaires"] = json_separations(l.separations_complementaires);
        j["croisements_imaginaire_complementaires"] =
            json_croisements(l.croisements_complementaires);
        j["branches_complementaires"] = json_branches(l.branches_complementaires);
    }
    imprimer(j);
    return 0;
}

int commande_routh(const options_stabilite& o) {
    polynome p;
    if (o.textes.size() == 1) {
        contexte_calcul ctx;
        fdt_travail ft;
        if (!analyser_ou_refuser({o.textes[0], "1", o.variable}, ctx, ft))
            return statut_fonction_refusee;
        p = ft.fonction.num;
    } else {
        int statut = 0;
        const std::optional<boucle_etudiee> b = boucle_de(o, statut);
        if (!b) return statut;
        p = polynome_routh(*b);
    }
    const tableau_routh t = table_routh(p);
    json tableau = json::nouveau_tableau();
    for (const auto& ligne : t.lignes) {
        json l = json::nouveau_tableau();
        for (const terme_routh& e : ligne) l.ajouter(json_terme(e));
        tableau.ajouter(l);
    }
    json cas = json::nouveau_tableau();
    for (const cas_routh& c : t.cas) {
        json e = json::nouvel_objet();
        e["ligne"] = c.ligne;
        e["genre"] =
            c.genre == genre_cas_routh::ligne_nulle ? "ligne_nulle" : "zero_premiere_colonne";
        cas.ajouter(e);
    }
    json racines = json::nouvel_objet();
    racines["partie_reelle_positive"] = t.racines.partie_reelle_positive;
    racines["axe_imaginaire"] = t.racines.axe_imaginaire;
    racines["partie_reelle_negative"] = t.racines.partie_reelle_negative;
    json j = json::nouvel_objet();
    j["tableau"] = tableau;
    j["cas_particuliers"] = cas;
    j["racines"] = racines;
    imprimer(j);
    return 0;
}

int commande_nyquist(const options_stabilite& o) {
    int statut = 0;
    const std::optional<boucle_etudiee> b = boucle_de(o, statut);
    if (!b) return statut;
    const verdict_nyquist v = critere_nyquist(b->num, b->den, b->k);
    json j = json::nouvel_objet();
    j["P"] = v.P;
    j["N"] = v.N ? json(*v.N) : json();
    j["Z"] = v.Z ? json(*v.Z) : json();
    j["stable"] = v.stable;
    imprimer(j);
    return 0;
}

} // namespace varlem::calc
