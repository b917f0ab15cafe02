#include "support/reference.h"

#include "support/donnees.h"
#include "support/json_lu.h"

#include <algorithm>

namespace varlem::test {

namespace {

complexe complexe_de(const json_lu& j) {
    return {j[0].nombre(), j[1].nombre()};
}

std::vector<double> nombres_de(const json_lu& j) {
    std::vector<double> v;
    for (std::size_t i = 0; i < j.taille(); ++i) v.push_back(j[i].nombre());
    return v;
}

cas_reference lire_cas(const json_lu& c) {
    cas_reference r;
    r.id = c["id"].chaine();
    r.variable = c["variable"].chaine().empty() ? 'p' : c["variable"].chaine()[0];
    r.num_text = c["num_text"].chaine();
    r.den_text = c["den_text"].chaine();
    r.num = nombres_de(c["num"]);
    r.den = nombres_de(c["den"]);
    r.gain = c["gain"].nombre();
    for (std::size_t i = 0; i < c["zeros"].taille(); ++i)
        r.zeros.push_back(complexe_de(c["zeros"][i]));
    for (std::size_t i = 0; i < c["poles_groupes"].taille(); ++i) {
        const json_lu g = c["poles_groupes"][i];
        r.poles_groupes.push_back(
            {complexe_de(g["pole"]), static_cast<int>(g["multiplicite"].nombre())});
    }
    for (std::size_t i = 0; i < c["termes"].taille(); ++i) {
        const json_lu t = c["termes"][i];
        r.termes.push_back({complexe_de(t["pole"]), static_cast<int>(t["ordre"].nombre()),
                            complexe_de(t["coef"])});
    }
    r.a_terme_direct = !c["terme_direct"].est_nul();
    r.terme_direct = r.a_terme_direct ? c["terme_direct"].nombre() : 0.0;
    for (std::size_t i = 0; i < c["frequence"].taille(); ++i) {
        const json_lu f = c["frequence"][i];
        r.frequence.push_back({f["omega"].nombre(), f["re"].nombre(), f["im"].nombre(),
                               f["gain_db"].nombre(), f["phase"].nombre()});
    }
    r.t = nombres_de(c["t"]);
    // The file names the inputs by their letters.
    const std::pair<const char*, entree_temps> entrees[] = {{"I", entree_temps::impulsion},
                                                            {"E", entree_temps::echelon},
                                                            {"R", entree_temps::rampe},
                                                            {"S", entree_temps::sinus}};
    for (const auto& [lettre, entree] : entrees)
        if (c["temps"].contient(lettre)) r.temps[entree] = nombres_de(c["temps"][lettre]);
    if (!c["sinus"].est_nul()) {
        r.a_sinus = true;
        r.sinus_amplitude = c["sinus"][0].nombre();
        r.sinus_pulsation = c["sinus"][1].nombre();
        r.sinus_phase = c["sinus"][2].nombre();
    }
    return r;
}

} // namespace

int cas_reference::multiplicite_max() const {
    int m = 0;
    for (const auto& g : poles_groupes) m = std::max(m, g.multiplicite);
    return m;
}

const std::vector<cas_reference>& cas_references() {
    static const std::vector<cas_reference> tous = [] {
        std::vector<cas_reference> v;
        const json_lu racine = json_lu::lire_fichier(chemin_donnees("cas_reference.json"));
        for (std::size_t i = 0; i < racine["cas"].taille(); ++i)
            v.push_back(lire_cas(racine["cas"][i]));
        return v;
    }();
    return tous;
}

} // namespace varlem::test
