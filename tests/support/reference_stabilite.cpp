#include "support/reference_stabilite.h"

#include "support/donnees.h"

#include <cmath>
#include <sstream>

namespace varlem::test {

namespace {

const json_lu& fichier() {
    static const json_lu j = json_lu::lire_fichier(chemin_donnees("stabilite.json"));
    return j;
}

std::vector<double> nombres(const json_lu& j) {
    std::vector<double> v;
    for (std::size_t i = 0; i < j.taille(); ++i) v.push_back(j[i].nombre());
    return v;
}

class comparaison {
  public:
    std::vector<std::string> ecarts;

    void valeur(const std::string& nom, double x, double ref) {
        const bool egaux = std::isinf(ref)
                               ? x == ref
                               : std::fabs(x - ref) <= std::max(1e-6 * std::fabs(ref), 1e-9);
        if (egaux) return;
        std::ostringstream m;
        m.precision(17);
        m << nom << " : " << x << " au lieu de " << ref;
        ecarts.push_back(m.str());
    }

    bool tailles(const std::string& nom, std::size_t n, std::size_t ref) {
        if (n == ref) return true;
        ecarts.push_back(nom + " : " + std::to_string(n) + " éléments au lieu de " +
                         std::to_string(ref));
        return false;
    }
};

} // namespace

const std::vector<cas_routh_reference>& cas_routh_references() {
    static const std::vector<cas_routh_reference> cas = [] {
        std::vector<cas_routh_reference> v;
        const json_lu l = fichier()["routh"];
        for (std::size_t i = 0; i < l.taille(); ++i) {
            const json_lu r = l[i]["ref"]["racines"];
            v.push_back(
                {l[i]["id"].chaine(),
                 l[i]["poly"].chaine(),
                 {int(r["partie_reelle_positive"].nombre()), int(r["axe_imaginaire"].nombre()),
                  int(r["partie_reelle_negative"].nombre())}});
        }
        return v;
    }();
    return cas;
}

const std::vector<cas_lieu_reference>& cas_lieu_references() {
    static const std::vector<cas_lieu_reference> cas = [] {
        std::vector<cas_lieu_reference> v;
        const json_lu l = fichier()["lieu"];
        for (std::size_t i = 0; i < l.taille(); ++i)
            v.push_back({l[i]["id"].chaine(), l[i]["num"].chaine(), l[i]["den"].chaine(),
                         nombres(l[i]["num_coef"]), nombres(l[i]["den_coef"]),
                         points_lieu_lus(l[i]["ref"])});
        return v;
    }();
    return cas;
}

const std::vector<cas_nyquist_reference>& cas_nyquist_references() {
    static const std::vector<cas_nyquist_reference> cas = [] {
        std::vector<cas_nyquist_reference> v;
        const json_lu l = fichier()["nyquist"];
        for (std::size_t i = 0; i < l.taille(); ++i) {
            const json_lu r = l[i]["ref"];
            v.push_back({l[i]["id"].chaine(), l[i]["num"].chaine(), l[i]["den"].chaine(),
                         l[i]["kp"].nombre(), int(r["P"].nombre()), int(r["N"].nombre()),
                         int(r["Z"].nombre()), r["stable"].booleen()});
        }
        return v;
    }();
    return cas;
}

points_lieu points_lieu_lus(const json_lu& j) {
    points_lieu p;
    const json_lu a = j["asymptotes"];
    if (!a.est_nul() && !a["centre"].est_nul())
        p.asymptotes = asymptotes_lieu{a["centre"].nombre(), nombres(a["angles_deg"])};
    for (std::size_t i = 0; i < j["points_separation"].taille(); ++i) {
        const json_lu e = j["points_separation"][i];
        p.separations.push_back({{e["re"].nombre(), e["im"].nombre()}, e["k"].nombre(), 2});
    }
    for (std::size_t i = 0; i < j["croisements_imaginaire"].taille(); ++i) {
        const json_lu e = j["croisements_imaginaire"][i];
        p.croisements.push_back({e["omega"].nombre(), e["k"].nombre()});
    }
    for (std::size_t i = 0; i < j["gains_stables"].taille(); ++i) {
        const json_lu e = j["gains_stables"][i];
        p.gains_stables.push_back(
            {e["k_min"].nombre(), e["k_max"].est_nul() ? HUGE_VAL : e["k_max"].nombre()});
    }
    return p;
}

points_lieu points_de(const lieu_evans& l) {
    return {l.asymptotes, l.separations, l.croisements, l.gains_stables};
}

std::vector<std::string> ecarts_points_lieu(const points_lieu& obtenu, const points_lieu& attendu) {
    comparaison c;
    if (obtenu.asymptotes.has_value() != attendu.asymptotes.has_value()) {
        c.ecarts.push_back("asymptotes : présence différente");
    } else if (attendu.asymptotes) {
        c.valeur("centre", obtenu.asymptotes->centre, attendu.asymptotes->centre);
        const auto& a = obtenu.asymptotes->angles_deg;
        const auto& b = attendu.asymptotes->angles_deg;
        if (c.tailles("angles", a.size(), b.size()))
            for (std::size_t i = 0; i < a.size(); ++i) c.valeur("angle", a[i], b[i]);
    }
    if (c.tailles("points_separation", obtenu.separations.size(), attendu.separations.size()))
        for (std::size_t i = 0; i < obtenu.separations.size(); ++i) {
            const auto &o = obtenu.separations[i], &a = attendu.separations[i];
            c.valeur("séparation re", o.s.re, a.s.re);
            c.valeur("séparation im", o.s.im, a.s.im);
            c.valeur("séparation k", o.k, a.k);
        }
    if (c.tailles("croisements", obtenu.croisements.size(), attendu.croisements.size()))
        for (std::size_t i = 0; i < obtenu.croisements.size(); ++i) {
            c.valeur("croisement omega", obtenu.croisements[i].omega, attendu.croisements[i].omega);
            c.valeur("croisement k", obtenu.croisements[i].k, attendu.croisements[i].k);
        }
    if (c.tailles("gains_stables", obtenu.gains_stables.size(), attendu.gains_stables.size()))
        for (std::size_t i = 0; i < obtenu.gains_stables.size(); ++i) {
            c.valeur("k_min", obtenu.gains_stables[i].k_min, attendu.gains_stables[i].k_min);
            c.valeur("k_max", obtenu.gains_stables[i].k_max, attendu.gains_stables[i].k_max);
        }
    return c.ecarts;
}

} // namespace varlem::test
