#include "support/reference_caracteristiques.h"

#include "support/donnees.h"

#include <cmath>
#include <sstream>

namespace varlem::test {

namespace {

std::optional<double> optionnel(const json_lu& j) {
    return j.est_nul() ? std::nullopt : std::optional<double>(j.nombre());
}

marges_stabilite marges_lues(const json_lu& j) {
    marges_stabilite m;
    for (std::size_t i = 0; i < j["croisements_gain"].taille(); ++i) {
        const json_lu c = j["croisements_gain"][i];
        m.croisements_gain.push_back(
            {c["omega"].nombre(), c["phase_deg"].nombre(), c["marge_phase_deg"].nombre()});
    }
    for (std::size_t i = 0; i < j["croisements_phase"].taille(); ++i) {
        const json_lu c = j["croisements_phase"][i];
        m.croisements_phase.push_back({c["omega"].nombre(), c["gain_db"].nombre(),
                                       c["marge_gain_db"].nombre(), c["marge_gain"].nombre()});
    }
    m.marge_gain_db = optionnel(j["marge_gain_db"]);
    m.omega_marge_gain = optionnel(j["omega_marge_gain"]);
    m.marge_phase_deg = optionnel(j["marge_phase_deg"]);
    m.omega_marge_phase = optionnel(j["omega_marge_phase"]);
    return m;
}

// The kinds of tolerance.
enum class genre { temps, angle, marge_phase, db, relatif };

bool proche(double x, double ref, genre g) {
    switch (g) {
    case genre::temps:
        return std::fabs(x - ref) <= std::max(1e-6 * std::fabs(ref), 1e-9);
    case genre::angle:
        return std::fabs(x - ref) <= 1e-5;
    case genre::marge_phase: {
        const double d = std::remainder(x - ref, 360.0);
        return std::fabs(d) <= 1e-5;
    }
    case genre::db:
        return std::fabs(x - ref) <= 1e-6;
    case genre::relatif:
        return std::fabs(x - ref) <= 1e-6 * std::fabs(ref);
    }
    return false;
}

class comparaison {
  public:
    std::vector<std::string> ecarts;

    void valeur(const std::string& nom, double x, double ref, genre g) {
        if (proche(x, ref, g)) return;
        std::ostringstream m;
        m.precision(17);
        m << nom << " : " << x << " au lieu de " << ref;
        ecarts.push_back(m.str());
    }

    void valeur(const std::string& nom, const std::optional<double>& x,
                const std::optional<double>& ref, genre g) {
        if (x.has_value() != ref.has_value()) {
            ecarts.push_back(nom + (x ? " : une valeur au lieu de null" : " : null"));
            return;
        }
        if (x) valeur(nom, *x, *ref, g);
    }

    bool tailles(const std::string& nom, std::size_t n, std::size_t ref) {
        if (n == ref) return true;
        ecarts.push_back(nom + " : " + std::to_string(n) + " éléments au lieu de " +
                         std::to_string(ref));
        return false;
    }
};

void comparer_marges(comparaison& c, const marges_stabilite& m, const marges_stabilite& r) {
    if (c.tailles("croisements_gain", m.croisements_gain.size(), r.croisements_gain.size()))
        for (std::size_t i = 0; i < m.croisements_gain.size(); ++i) {
            const std::string n = "croisements_gain[" + std::to_string(i) + "].";
            const croisement_gain &a = m.croisements_gain[i], &b = r.croisements_gain[i];
            c.valeur(n + "omega", a.omega, b.omega, genre::temps);
            c.valeur(n + "phase_deg", a.phase_deg, b.phase_deg, genre::angle);
            c.valeur(n + "marge_phase_deg", a.marge_phase_deg, b.marge_phase_deg,
                     genre::marge_phase);
        }
    if (c.tailles("croisements_phase", m.croisements_phase.size(), r.croisements_phase.size()))
        for (std::size_t i = 0; i < m.croisements_phase.size(); ++i) {
            const std::string n = "croisements_phase[" + std::to_string(i) + "].";
            const croisement_phase &a = m.croisements_phase[i], &b = r.croisements_phase[i];
            c.valeur(n + "omega", a.omega, b.omega, genre::temps);
            c.valeur(n + "gain_db", a.gain_db, b.gain_db, genre::db);
            c.valeur(n + "marge_gain_db", a.marge_gain_db, b.marge_gain_db, genre::db);
            c.valeur(n + "marge_gain", a.marge_gain, b.marge_gain, genre::relatif);
        }
    c.valeur("marge_gain_db", m.marge_gain_db, r.marge_gain_db, genre::db);
    c.valeur("omega_marge_gain", m.omega_marge_gain, r.omega_marge_gain, genre::temps);
    c.valeur("marge_phase_deg", m.marge_phase_deg, r.marge_phase_deg, genre::marge_phase);
    c.valeur("omega_marge_phase", m.omega_marge_phase, r.omega_marge_phase, genre::temps);
}

void comparer_indicielle(comparaison& c, const reponse_indicielle& s, const reponse_indicielle& r) {
    if (s.stable != r.stable) c.ecarts.push_back("stable");
    c.valeur("valeur_finale", s.valeur_finale, r.valeur_finale, genre::relatif);
    c.valeur("temps_montee", s.temps_montee, r.temps_montee, genre::temps);
    c.valeur("pic", s.pic, r.pic, genre::relatif);
    c.valeur("temps_pic", s.temps_pic, r.temps_pic, genre::temps);
    c.valeur("depassement_pct", s.depassement_pct, r.depassement_pct, genre::relatif);
    c.valeur("temps_reponse_5", s.temps_reponse_5, r.temps_reponse_5, genre::temps);
    c.valeur("temps_reponse_2", s.temps_reponse_2, r.temps_reponse_2, genre::temps);
}

} // namespace

caracteristiques caracteristiques_lues(const json_lu& j) {
    caracteristiques c;
    c.marges = marges_lues(j["marges"]);
    c.bande_passante = optionnel(j["bande_passante"]);
    if (!j["resonance"].est_nul())
        c.resonance =
            pic_resonance{j["resonance"]["omega"].nombre(), j["resonance"]["gain_db"].nombre()};
    const json_lu r = j["indicielle"];
    c.indicielle.stable = r["stable"].booleen();
    c.indicielle.valeur_finale = optionnel(r["valeur_finale"]);
    c.indicielle.temps_montee = optionnel(r["temps_montee"]);
    c.indicielle.pic = optionnel(r["pic"]);
    c.indicielle.temps_pic = optionnel(r["temps_pic"]);
    c.indicielle.depassement_pct = optionnel(r["depassement_pct"]);
    c.indicielle.temps_reponse_5 = optionnel(r["temps_reponse_5"]);
    c.indicielle.temps_reponse_2 = optionnel(r["temps_reponse_2"]);
    return c;
}

const std::vector<cas_caracteristiques>& cas_caracteristiques_reference() {
    static const std::vector<cas_caracteristiques> tous = [] {
        std::vector<cas_caracteristiques> v;
        const json_lu racine = json_lu::lire_fichier(chemin_donnees("caracteristiques.json"));
        for (std::size_t i = 0; i < racine["cas"].taille(); ++i) {
            const json_lu c = racine["cas"][i];
            cas_caracteristiques e;
            e.id = c["id"].chaine();
            e.variable = c["variable"].chaine().empty() ? 'p' : c["variable"].chaine()[0];
            e.num = c["num"].chaine();
            e.den = c["den"].chaine();
            e.num_saisi = !e.num.empty() && e.num.front() == '-' ? "0" + e.num : e.num;
            e.attendu = caracteristiques_lues(c["ref"]);
            v.push_back(e);
        }
        return v;
    }();
    return tous;
}

std::vector<std::string> ecarts_caracteristiques(const caracteristiques& obtenu,
                                                 const caracteristiques& attendu) {
    comparaison c;
    comparer_marges(c, obtenu.marges, attendu.marges);
    c.valeur("bande_passante", obtenu.bande_passante, attendu.bande_passante, genre::temps);
    if (obtenu.resonance.has_value() != attendu.resonance.has_value()) {
        c.ecarts.push_back("resonance");
    } else if (obtenu.resonance) {
        c.valeur("resonance.omega", obtenu.resonance->omega, attendu.resonance->omega,
                 genre::temps);
        c.valeur("resonance.gain_db", obtenu.resonance->gain_db, attendu.resonance->gain_db,
                 genre::db);
    }
    comparer_indicielle(c, obtenu.indicielle, attendu.indicielle);
    return c.ecarts;
}

} // namespace varlem::test
