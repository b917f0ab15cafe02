#include "studies/texte_stabilite.h"

#include "numeric/nombres.h"
#include "plot/enregistreur.h"

#include <algorithm>
#include <cmath>

namespace varlem {

namespace {

constexpr const char* crlf = "\r\n";

// texte_nombre without the blank its short form starts with.
std::string nombre(double x) {
    std::string t = texte_nombre(x);
    if (!t.empty() && t.front() == ' ') t.erase(0, 1);
    return t;
}

std::string exposant(int n) {
    static const char* const chiffres[] = {"⁰", "¹", "²", "³", "⁴", "⁵", "⁶", "⁷", "⁸", "⁹"};
    if (n < 0) return "⁻" + exposant(-n);
    if (n < 10) return chiffres[n];
    return exposant(n / 10) + chiffres[n % 10];
}

std::string puissance(char lettre, int n) {
    if (n == 0) return "";
    return std::string(1, lettre) + (n == 1 ? "" : exposant(n));
}

std::string epsilon(int n) {
    return n == 1 ? "ε" : "ε" + exposant(n);
}

// A polynomial from its leading terms at the powers `haut`, haut − 2, …: "3p² + 6".
std::string texte_polynome(const std::vector<terme_routh>& t, int haut, char lettre) {
    std::string r;
    for (std::size_t i = 0; i < t.size(); ++i) {
        if (t[i].coef == 0) continue;
        const int n = haut - 2 * int(i);
        terme_routh e = t[i];
        const bool negatif = e.coef < 0;
        e.coef = std::fabs(e.coef);
        std::string c = texte_terme_routh(e);
        if (n > 0 && c == "1") c.clear();
        r += r.empty() ? (negatif ? "-" : "") : (negatif ? " - " : " + ");
        r += c + puissance(lettre, n);
    }
    return r.empty() ? "0" : r;
}

std::string intervalle(const intervalle_gains& i) {
    if (std::isinf(i.k_max)) return "K > " + nombre(i.k_min);
    return nombre(i.k_min) + " < K < " + nombre(i.k_max);
}

} // namespace

std::string texte_terme_routh(const terme_routh& t) {
    if (t.puissance == 0 || t.coef == 0) return nombre(t.coef);
    const double a = std::fabs(t.coef);
    const std::string signe = t.coef < 0 ? "-" : "";
    if (t.puissance > 0) return signe + (a == 1 ? "" : nombre(a)) + epsilon(t.puissance);
    return signe + nombre(a) + "/" + epsilon(-t.puissance);
}

std::string texte_tableau_routh(const tableau_routh& t, char lettre) {
    if (t.polynome_nul) return std::string("Le polynôme est nul.") + crlf;
    std::vector<std::vector<std::string>> cases;
    std::vector<int> largeurs;
    int largeur_etiquette = 0;
    for (std::size_t i = 0; i < t.lignes.size(); ++i) {
        const int n = t.degre - int(i);
        std::vector<std::string> ligne = {std::string(1, lettre) + exposant(n)};
        for (const terme_routh& e : t.lignes[i]) ligne.push_back(texte_terme_routh(e));
        largeur_etiquette = std::max(largeur_etiquette, nombre_caracteres(ligne[0]));
        for (std::size_t j = 1; j < ligne.size(); ++j) {
            if (largeurs.size() < j) largeurs.push_back(0);
            largeurs[j - 1] = std::max(largeurs[j - 1], nombre_caracteres(ligne[j]));
        }
        cases.push_back(ligne);
    }
    std::string r;
    for (const auto& ligne : cases) {
        r += ligne[0] +
             std::string(std::size_t(largeur_etiquette - nombre_caracteres(ligne[0])), ' ');
        r += " |";
        for (std::size_t j = 1; j < ligne.size(); ++j)
            r += std::string(std::size_t(largeurs[j - 1] - nombre_caracteres(ligne[j]) + 3), ' ') +
                 ligne[j];
        r += crlf;
    }
    return r;
}

std::string phrase_cas_routh(const cas_routh& c, char lettre) {
    const std::string ligne = std::string(1, lettre) + exposant(c.ligne);
    if (c.genre == genre_cas_routh::zero_premiere_colonne)
        return "Ligne " + ligne +
               " : le premier terme est nul sans que toute la ligne le soit ; il est remplacé "
               "par ε, petit et positif (ε → 0⁺).";
    const int d = c.ligne + 1;
    std::vector<terme_routh> derivee;
    for (std::size_t i = 0; i < c.auxiliaire.size(); ++i)
        if (d - 2 * int(i) > 0)
            derivee.push_back({(d - 2 * int(i)) * c.auxiliaire[i].coef, c.auxiliaire[i].puissance});
    const std::string a = std::string(1, 'A') + "(" + lettre + ")";
    return "Ligne " + ligne + " : la ligne est entièrement nulle ; elle est remplacée par la " +
           "dérivée du polynôme auxiliaire formé sur la ligne " + lettre + exposant(d) + ", " + a +
           " = " + texte_polynome(c.auxiliaire, d, lettre) + ", soit A′(" + lettre +
           ") = " + texte_polynome(derivee, d - 1, lettre) +
           ". Les racines de A, symétriques par rapport à l'origine, sont aussi racines du "
           "polynôme.";
}

std::string texte_comptes_racines(const comptes_racines& c) {
    std::string r =
        "Racines à partie réelle positive : " + std::to_string(c.partie_reelle_positive);
    r += crlf;
    r += "Racines sur l'axe imaginaire : " + std::to_string(c.axe_imaginaire);
    r += crlf;
    r += "Racines à partie réelle négative : " + std::to_string(c.partie_reelle_negative);
    r += crlf;
    return r;
}

std::string texte_gains_stables(const std::vector<intervalle_gains>& g) {
    if (g.empty()) return "Aucun gain K > 0 ne rend la boucle fermée stable.";
    std::string r = "Gains stables : ";
    for (std::size_t i = 0; i < g.size(); ++i) r += (i > 0 ? " ou " : "") + intervalle(g[i]);
    return r + ".";
}

std::string texte_gain_courant(const std::vector<intervalle_gains>& g, double k) {
    const std::string kt = "K = " + nombre(k);
    const auto egal = [&](double b) {
        return std::isfinite(b) && b > 0 && std::fabs(k - b) <= 1e-9 * b;
    };
    for (const intervalle_gains& i : g) {
        if (k > i.k_min && k < i.k_max && !egal(i.k_min) && !egal(i.k_max))
            return kt + " : dans les gains stables (" + intervalle(i) +
                   "), la boucle fermée est stable.";
        if (egal(i.k_min) || egal(i.k_max))
            return kt + " : à la limite des gains stables, la boucle fermée n'est pas stable.";
    }
    if (g.empty()) return kt + " : la boucle fermée n'est pas stable.";
    // The nearest bound of a stable interval, below or above k.
    double dessous = -HUGE_VAL, dessus = HUGE_VAL;
    for (const intervalle_gains& i : g) {
        if (i.k_max <= k) dessous = std::max(dessous, i.k_max);
        if (i.k_min >= k) dessus = std::min(dessus, i.k_min);
    }
    std::string ou;
    if (std::isfinite(dessous) && std::isfinite(dessus))
        ou = "entre " + nombre(dessous) + " et " + nombre(dessus);
    else if (std::isfinite(dessous))
        ou = "au-delà de " + nombre(dessous);
    else
        ou = "en deçà de " + nombre(dessus);
    return kt + " : hors des gains stables (" + ou + "), la boucle fermée est instable.";
}

std::string texte_verdict_nyquist(const verdict_nyquist& v) {
    if (!v.valide) return "Pas de fonction à étudier.";
    std::string r;
    if (v.poles_axe == 1)
        r += std::string("Le contour de Nyquist contourne par la droite le pôle de la boucle "
                         "ouverte situé sur l'axe imaginaire, qui ajoute un demi-tour à l'infini "
                         "au lieu.") +
             crlf;
    else if (v.poles_axe > 1)
        r += "Le contour de Nyquist contourne par la droite les " + std::to_string(v.poles_axe) +
             " pôles de la boucle ouverte situés sur l'axe imaginaire ; chacun ajoute un "
             "demi-tour à l'infini au lieu." +
             crlf;
    if (!v.N || !v.Z) {
        r += "Le lieu de Nyquist passe par le point critique -1 : la boucle fermée a des pôles "
             "sur l'axe imaginaire (ou à l'infini), N n'est pas défini et la boucle fermée n'est "
             "pas stable.";
        return r + crlf;
    }
    r += "P = " + std::to_string(v.P) + ", N = " + std::to_string(*v.N) +
         " donc Z = " + std::to_string(*v.Z) + " : la boucle fermée est " +
         (v.stable ? "stable." : "instable.");
    r += crlf;
    if (v.P == 0) {
        r += "Critère du revers : la boucle ouverte n'ayant pas de pôle à partie réelle positive, "
             "la boucle fermée est stable si le lieu de Nyquist, parcouru dans le sens des ω "
             "croissants, laisse le point critique -1 à sa gauche.";
        r += crlf;
    }
    return r;
}

std::string texte_stabilite(const tableau_routh& t, char lettre,
                            const std::vector<intervalle_gains>& gains, double k,
                            const verdict_nyquist& v) {
    std::string r = "Critère de Routh";
    r += crlf;
    r += crlf;
    r += texte_tableau_routh(t, lettre);
    r += crlf;
    for (const cas_routh& c : t.cas) r += phrase_cas_routh(c, lettre) + crlf;
    if (!t.cas.empty()) r += crlf;
    if (!t.polynome_nul) r += texte_comptes_racines(t.racines) + crlf;
    r += "Gains stables";
    r += crlf;
    r += crlf;
    r += texte_gains_stables(gains) + crlf;
    r += texte_gain_courant(gains, k) + crlf;
    r += crlf;
    r += "Critère de Nyquist";
    r += crlf;
    r += crlf;
    r += texte_verdict_nyquist(v);
    return r;
}

} // namespace varlem
