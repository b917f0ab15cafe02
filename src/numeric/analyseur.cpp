#include "numeric/analyseur.h"

#include "numeric/nombres.h"

#include <algorithm>
#include <cmath>
#include <limits>
#include <string>

namespace varlem {

namespace {

constexpr double coefficient_max = 1e30;
constexpr double coefficient_min = 1e-30;

bool est_chiffre(char c) {
    return c >= '0' && c <= '9';
}

bool caractere_permis(char c, char lettre) {
    if (est_chiffre(c) || c == lettre) return true;
    switch (c) {
    case ',':
    case '.':
    case 'E':
    case 'e':
    case '-':
    case '+':
    case '(':
    case ')':
    case '*':
    case '^':
        return true;
    default:
        return false;
    }
}

// A plain scan: a character-set search calls the library once per character of the text, which
// dominated the cost of reading a whole polynomial.
bool contient(std::string_view texte, char a, char b) {
    for (const char c : texte)
        if (c == a || c == b) return true;
    return false;
}

char normaliser(char c) {
    return c == ',' ? '.' : c == 'e' ? 'E' : c;
}

// The integer of a run of digits; a degree too large for an int saturates, since any degree
// beyond the capacity is refused anyway.
bool lire_degre(std::string_view chiffres, int& degre) {
    if (chiffres.empty()) return false;
    constexpr int plafond = std::numeric_limits<int>::max();
    int d = 0;
    for (const char c : chiffres) {
        if (!est_chiffre(c)) return false;
        d = d > (plafond - 9) / 10 ? plafond : d * 10 + (c - '0');
    }
    degre = d;
    return true;
}

void retirer_zeros_de_tete(polynome& p) {
    while (p.degre > 0 && p.coef[static_cast<std::size_t>(p.degre)].re == 0) {
        p.coef[static_cast<std::size_t>(p.degre)] = {};
        --p.degre;
    }
}

// One reading of a sum or a term: the context, the behaviour, and whether this reading met a
// syntax error (the context flag may already be set by an earlier reading).
class lecteur {
  public:
    lecteur(contexte_calcul& ctx, options_lecture options)
        : ctx_(ctx), facteurs_(options.variante_facteurs) {}

    polynome somme(std::string_view texte) {
        polynome resultat;
        const bool plus_de_tete = !texte.empty() && texte.front() == '+';
        if (plus_de_tete) texte.remove_prefix(1);
        if (contient(texte, '(', ')')) {
            syntaxe();
            return resultat;
        }
        // A term ends at a "+" (dropped) unless it is the last character, and before a "-"
        // not preceded by "E" (kept with the next term). The "-" that opens the text is the
        // sign of the first term; after a leading "+" it yields an empty first term, as does
        // any pair of adjacent signs.
        std::size_t debut = 0;
        const std::size_t n = texte.size();
        for (std::size_t i = 0; i < n; ++i) {
            const char c = texte[i];
            const bool coupe_plus = c == '+' && i + 1 < n;
            const bool coupe_moins = c == '-' && (i == 0 ? plus_de_tete : texte[i - 1] != 'E');
            if (!coupe_plus && !coupe_moins) continue;
            if (!ajouter(resultat, texte.substr(debut, i - debut))) return resultat;
            debut = coupe_plus ? i + 1 : i;
        }
        if (!ajouter(resultat, texte.substr(debut))) return resultat;
        if (facteurs_) retirer_zeros_de_tete(resultat);
        return resultat;
    }

    monome terme(std::string_view texte) {
        if (facteurs_ || !contient(texte, ',', 'e')) return terme_normalise(texte);
        std::string copie(texte);
        std::transform(copie.begin(), copie.end(), copie.begin(), normaliser);
        return terme_normalise(copie);
    }

  private:
    void syntaxe() {
        ctx_.erreur_syntaxe = true;
        erreur_ = true;
    }

    // Adds one term to the sum; false when the reading must stop there.
    bool ajouter(polynome& somme, std::string_view texte) {
        const bool erreur_avant = erreur_;
        erreur_ = false;
        const monome m = terme(texte);
        const bool erreur_terme = erreur_;
        erreur_ = erreur_avant || erreur_terme;
        if (facteurs_ && erreur_terme) return false;
        if (m.degre > capacite_polynome) {
            if (!facteurs_) return true; // already flagged by the degree test
            syntaxe();
            return false;
        }
        somme.coef[static_cast<std::size_t>(m.degre)].re += m.coefficient;
        somme.degre = std::max(somme.degre, m.degre);
        return true;
    }

    // The term's fields are filled as the reading goes: a term stopped by an error keeps what
    // was read before it (a coefficient read before a faulty exponent stays at degree 0).
    monome terme_normalise(std::string_view t) {
        monome m;
        const std::size_t e = t.find('E');
        if (!facteurs_) {
            if (std::count(t.begin(), t.end(), 'E') >= 2 ||
                (e != std::string_view::npos && (e == 0 || t[e - 1] == '-'))) {
                syntaxe();
                return m;
            }
        }
        const std::size_t v = t.find(ctx_.variable_p);
        if (v == std::string_view::npos) {
            // Constants have no magnitude limit: only a term in p carries one.
            if (!lire_decimal(t, m.coefficient)) syntaxe();
            return m;
        }
        if (!lire_coefficient(t, v, m.coefficient)) return m;
        lire_exposant(t.substr(v + 1), m.degre);
        return m;
    }

    bool lire_coefficient(std::string_view t, std::size_t v, double& coefficient) {
        if (v == 0) {
            coefficient = 1.0;
            return true;
        }
        const char c = t[v - 1];
        if (c == '-') {
            coefficient = -1.0;
            return true;
        }
        if (c != '*' && !est_chiffre(c)) {
            syntaxe();
            return false;
        }
        const bool lu = lire_decimal(t.substr(0, c == '*' ? v - 1 : v), coefficient);
        // After a "*" the magnitude is tested even when the number did not read (it is then
        // 0); after a digit a faulty number stops the term at once.
        if (!lu && c != '*') {
            syntaxe();
            return false;
        }
        tester_grandeur(coefficient);
        if (!lu) syntaxe();
        return lu;
    }

    void tester_grandeur(double coefficient) {
        if (facteurs_) return;
        const double a = std::fabs(coefficient);
        if (a > coefficient_max || a < coefficient_min) ctx_.erreur_degre = true;
    }

    void lire_exposant(std::string_view suite, int& degre) {
        if (suite.empty()) {
            degre = 1;
            return;
        }
        if (suite.front() != '^' || !lire_degre(suite.substr(1), degre)) {
            syntaxe();
            return;
        }
        if (!facteurs_ && degre > degre_max_saisie) ctx_.erreur_degre = true;
    }

    contexte_calcul& ctx_;
    bool facteurs_;
    bool erreur_ = false;
};

} // namespace

polynome lire_somme(contexte_calcul& ctx, std::string_view texte, options_lecture options) {
    return lecteur(ctx, options).somme(texte);
}

monome lire_terme(contexte_calcul& ctx, std::string_view texte, options_lecture options) {
    return lecteur(ctx, options).terme(texte);
}

polynome lire_somme(contexte_calcul& ctx, std::string_view texte) {
    return lire_somme(ctx, texte, options_lecture{});
}

monome lire_terme(contexte_calcul& ctx, std::string_view texte) {
    return lire_terme(ctx, texte, options_lecture{});
}

bool preparer_texte(std::string_view texte, char lettre, std::string& t) {
    t.clear();
    t.reserve(texte.size());
    for (const char c : texte) {
        if (c == ' ') continue;
        if (!caractere_permis(c, lettre)) return false;
        t.push_back(normaliser(c));
    }
    return true;
}

void lire_polynome(contexte_calcul& ctx, std::string_view texte, polynome& sortie) {
    ctx.erreur_syntaxe = false;
    std::string t;
    if (!preparer_texte(texte, ctx.variable_p, t)) {
        ctx.erreur_syntaxe = true;
        return;
    }

    lecteur lire(ctx, options_lecture{});
    polynome resultat;
    if (t.empty() || t.front() != '(') {
        resultat = lire.somme(t);
    } else {
        resultat = p_constante(1.0);
        const auto multiplier = [&](std::string_view facteur) {
            const polynome f = lire.somme(facteur);
            // Past the capacity the product is clipped at degree 50; the degree test below
            // rejects it anyway.
            if (p_produit_deborde(resultat, f)) ctx.erreur_degre = true;
            p_multiplier(resultat, f);
            return true;
        };
        if (parcourir_produit(t, multiplier) == issue_produit::rejete) {
            ctx.erreur_syntaxe = true;
            return;
        }
    }

    if (resultat.degre > degre_max_saisie) ctx.erreur_degre = true;
    retirer_zeros_de_tete(resultat);
    if (resultat.degre == 0 && resultat.coef[0].re == 0) ctx.erreur_syntaxe = true;
    sortie = resultat;
}

} // namespace varlem
