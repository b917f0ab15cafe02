#include "studies/etude_stabilite.h"

#include "numeric/nombres.h"
#include "numeric/routh.h"
#include "studies/texte_stabilite.h"

namespace varlem {

namespace {

constexpr const char* crlf = "\r\n";

std::string nombre(double x) {
    std::string t = texte_nombre(x);
    if (!t.empty() && t.front() == ' ') t.erase(0, 1);
    return t;
}

// Which loop, which gain and which polynomial: two lines.
std::string entete(const systeme& s, const boucle_stabilite& b) {
    const boucle_etudiee& e = b.etudiee;
    std::string r;
    if (e.boucle_fermee)
        r = "Boucle de la fonction n°" + std::to_string(s.courante_sauvee) +
            " : 1 + K·G = 0 avec G = C·T·R pour P = 1 et K = P = " + nombre(e.k) + ".";
    else
        r = "Fonction n°" + std::to_string(s.fonction_courante) +
            " en retour unitaire : 1 + K·G = 0 avec G la fonction et K = " + nombre(e.k) + ".";
    r += crlf;
    r += e.boucle_fermee
             ? "Le tableau de Routh porte sur le polynôme caractéristique D + K·N de la boucle "
               "fermée."
             : "Le tableau de Routh porte sur le dénominateur de la fonction.";
    return r + crlf + crlf;
}

} // namespace

std::vector<intervalle_gains> gains_stables_boucle(const boucle_stabilite& b) {
    return gains_stables_exacts(b, points_particuliers(b.etudiee.num, b.etudiee.den).gains_stables);
}

polynome polynome_routh_stabilite(const boucle_stabilite& b) {
    return b.etudiee.boucle_fermee ? polynome_routh(b.etudiee) : b.den;
}

std::string texte_etude_stabilite(const systeme& s, const boucle_stabilite& b,
                                  const std::vector<intervalle_gains>& gains) {
    const double k = b.etudiee.k;
    std::string r = entete(s, b);
    r += texte_stabilite(table_routh(polynome_routh_stabilite(b)), s.lettre_variable, gains, k,
                         verdict_boucle(b, k));
    const std::string retard = texte_retard_stabilite(b);
    if (!retard.empty()) r += crlf + retard + crlf;
    return r;
}

std::string texte_etude_stabilite(const systeme& s) {
    const std::optional<boucle_stabilite> b = boucle_stabilite_systeme(s);
    if (!b) return std::string("Pas de fonction à étudier.") + crlf;
    return texte_etude_stabilite(s, *b, gains_stables_boucle(*b));
}

} // namespace varlem
