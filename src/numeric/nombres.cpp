#include "numeric/nombres.h"

#include <charconv>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <vector>

namespace varlem {

namespace {

bool est_chiffre(char c) {
    return c >= '0' && c <= '9';
}

// Length of the longest prefix of t (from position 0) that is a decimal number, and whether
// its exponent is negative; 0 when no number starts there.
struct prefixe_nombre {
    std::size_t longueur = 0;
    std::size_t fin_mantisse = 0;
    bool chiffres = false;
    bool exposant_negatif = false;
};

prefixe_nombre analyser_prefixe(std::string_view t) {
    prefixe_nombre r;
    std::size_t i = 0;
    if (i < t.size() && (t[i] == '+' || t[i] == '-')) ++i;
    std::size_t chiffres = 0;
    while (i < t.size() && est_chiffre(t[i])) ++i, ++chiffres;
    bool point = false;
    if (i < t.size() && t[i] == '.') {
        point = true;
        ++i;
        while (i < t.size() && est_chiffre(t[i])) ++i, ++chiffres;
    }
    if (chiffres == 0 && !point) return r;
    r.chiffres = chiffres > 0;
    r.longueur = i;
    r.fin_mantisse = i;
    if (i < t.size() && (t[i] == 'E' || t[i] == 'e')) {
        std::size_t j = i + 1;
        bool negatif = false;
        if (j < t.size() && (t[j] == '+' || t[j] == '-')) negatif = t[j++] == '-';
        const std::size_t debut = j;
        while (j < t.size() && est_chiffre(t[j])) ++j;
        if (j > debut) {
            r.longueur = j;
            r.exposant_negatif = negatif;
        }
    }
    return r;
}

// Converts a validated number text; an overflow gives ±infinity, an underflow 0.
double convertir(std::string_view t, const prefixe_nombre& p, bool& deborde) {
    deborde = false;
    if (!p.chiffres) return 0.0; // a lone "." (with or without a sign or exponent)
    std::string_view s = t.substr(0, p.longueur);
    bool negatif = false;
    if (!s.empty() && (s[0] == '+' || s[0] == '-')) {
        negatif = s[0] == '-';
        s.remove_prefix(1);
    }
    double v = 0.0;
    const auto [fin, ec] = std::from_chars(s.data(), s.data() + s.size(), v);
    (void)fin;
    if (ec == std::errc::result_out_of_range) {
        if (p.exposant_negatif) {
            v = 0.0;
        } else {
            deborde = true;
            v = HUGE_VAL;
        }
    }
    return negatif ? -v : v;
}

} // namespace

std::string rendu_scientifique(double x, int largeur) {
    const int decimales = largeur - 9;
    const char signe = x < 0 ? '-' : ' ';
    if (!std::isfinite(x)) return std::string(1, signe) + (std::isnan(x) ? "NAN" : "INF");
    char tampon[64];
    const auto r = std::to_chars(tampon, tampon + sizeof tampon, std::fabs(x),
                                 std::chars_format::scientific, decimales);
    std::string_view s(tampon, static_cast<std::size_t>(r.ptr - tampon));
    const std::size_t e = s.find('e');
    const std::string_view mantisse = s.substr(0, e);
    const char signe_exposant = s[e + 1];
    const int exposant = std::atoi(std::string(s.substr(e + 2)).c_str());
    char exp[8];
    std::snprintf(exp, sizeof exp, "%04d", exposant);
    std::string resultat(1, signe);
    resultat += mantisse;
    resultat += 'E';
    resultat += signe_exposant;
    resultat += exp;
    return resultat;
}

std::string rendu_fixe(double x) {
    if (!std::isfinite(x)) return rendu_scientifique(x, 11);
    char tampon[400];
    const auto r = std::to_chars(tampon, tampon + sizeof tampon, x, std::chars_format::fixed, 4);
    std::string s(tampon, static_cast<std::size_t>(r.ptr - tampon));
    if (s == "-0.0000") s = "0.0000";
    if (s.size() < 11) s.insert(0, 11 - s.size(), ' ');
    return s;
}

double lire_nombre(std::string_view texte) {
    std::size_t i = 0;
    while (i < texte.size() && texte[i] == ' ') ++i;
    const std::string_view t = texte.substr(i);
    const prefixe_nombre p = analyser_prefixe(t);
    if (p.longueur == 0) return 0.0;
    bool deborde = false;
    return convertir(t, p, deborde);
}

bool lire_decimal(std::string_view texte, double& valeur) {
    if (!texte.empty() && texte[0] == ' ') texte.remove_prefix(1);
    const prefixe_nombre p = analyser_prefixe(texte);
    if (p.longueur == 0 || p.longueur != texte.size()) return false;
    bool deborde = false;
    const double v = convertir(texte, p, deborde);
    if (deborde) return false;
    valeur = v;
    return true;
}

std::string texte_court(double x) {
    // The short form is the scientific form with two decimals: same trimming rules.
    return texte_scientifique(2, x);
}

std::string texte_scientifique(int n, double x) {
    const std::string r = rendu_scientifique(x, n + 9);
    const int l = n + 9;
    if (static_cast<int>(r.size()) != l) return r;
    if (r[1] == '0') return "0";
    std::vector<bool> retire(static_cast<std::size_t>(l), false);
    // Positions (0-based): 0 sign, 1 digit, 2 ".", 3..n+2 decimals, n+3 "E", n+4 sign, n+5..
    // exponent.
    if (r[static_cast<std::size_t>(n + 2)] == '0') {
        int k = n + 2;
        while (k >= 3 && r[static_cast<std::size_t>(k)] == '0')
            retire[static_cast<std::size_t>(k--)] = true;
        if (k < 3) retire[2] = true;
    }
    if (r[static_cast<std::size_t>(n + 4)] == '+') retire[static_cast<std::size_t>(n + 4)] = true;
    if (r.compare(static_cast<std::size_t>(n + 5), 4, "0000") == 0)
        retire[static_cast<std::size_t>(n + 3)] = true;
    for (int k = n + 5; k < l && r[static_cast<std::size_t>(k)] == '0'; ++k)
        retire[static_cast<std::size_t>(k)] = true;
    std::string s;
    for (int k = 0; k < l; ++k)
        if (!retire[static_cast<std::size_t>(k)]) s += r[static_cast<std::size_t>(k)];
    return s;
}

std::string texte_nombre(double x) {
    std::string t = rendu_fixe(x);
    const double v = lire_nombre(t);
    if (!(std::fabs(v) <= 400) || std::fabs(v) < 0.01) return texte_court(x);
    while (!t.empty() && (t.back() == '0' || t.back() == ' ')) t.pop_back();
    std::size_t debut = 0;
    while (debut < t.size() && (t[debut] == ' ' || t[debut] == '0')) ++debut;
    t.erase(0, debut);
    if (!t.empty() && t.back() == '.') t.pop_back();
    return t;
}

double arrondir(int n, double x) {
    return lire_nombre(rendu_scientifique(x, n + 9));
}

} // namespace varlem
