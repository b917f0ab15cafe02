#include "document/retards.h"

#include "document/textes_construits.h"
#include "numeric/boucle_retard.h"
#include "numeric/nombres.h"

#include <algorithm>
#include <cmath>

namespace varlem {

namespace {

constexpr const char* crlf = "\r\n";

bool blanc(char c) {
    return c == ' ' || c == '\t';
}

std::string_view sans_blancs(std::string_view t) {
    while (!t.empty() && blanc(t.front())) t.remove_prefix(1);
    while (!t.empty() && blanc(t.back())) t.remove_suffix(1);
    return t;
}

// The next line of `texte` from `pos` (LF or CR LF line end; the last may lack it); false at the
// end of the text.
bool ligne_suivante(std::string_view texte, std::size_t& pos, std::string_view& ligne) {
    if (pos >= texte.size()) return false;
    const std::size_t lf = texte.find('\n', pos);
    const std::size_t fin = lf == std::string_view::npos ? texte.size() : lf;
    ligne = texte.substr(pos, fin - pos);
    if (!ligne.empty() && ligne.back() == '\r') ligne.remove_suffix(1);
    pos = lf == std::string_view::npos ? texte.size() : lf + 1;
    return true;
}

} // namespace

lecture_retard lire_retard(std::string_view texte) {
    lecture_retard l;
    const std::string_view t = sans_blancs(texte);
    if (t.empty()) return l;
    std::string s(t);
    std::replace(s.begin(), s.end(), ',', '.');
    // A text without a digit (".", "E5") is no number, though the decimal reader takes "." as 0.
    if (s.find_first_of("0123456789") == std::string::npos) {
        l.erreur_retard = true;
        return l;
    }
    double v = 0;
    // lire_decimal also refuses an overflow: an infinite delay is no delay.
    if (!lire_decimal(s, v) || !(v >= 0) || !std::isfinite(v)) {
        l.erreur_retard = true;
        return l;
    }
    l.retard = v > 0 ? v : 0.0;
    return l;
}

std::string texte_retard(double retard) {
    return retard > 0 && std::isfinite(retard) ? nombre_exact(retard) : "0";
}

std::string texte_facteur_retard(double retard, char lettre) {
    return texte_exponentielle_retard(retard, lettre);
}

std::string bloc_retards(const std::vector<double>& retards) {
    if (std::none_of(retards.begin(), retards.end(), [](double r) { return r > 0; })) return {};
    std::string t(marque_retards);
    t += crlf;
    for (const double r : retards) t += texte_retard(r) + crlf;
    return t;
}

lecture_bloc_retards lire_bloc_retards(std::string_view reste, int n) {
    lecture_bloc_retards l;
    std::size_t pos = 0;
    std::string_view ligne;
    if (!ligne_suivante(reste, pos, ligne) || ligne != marque_retards) return l;
    const auto refus = [&l](std::string message) {
        l.retards.clear();
        l.avertissement = "Retards ignorés : " + message + ".";
        return l;
    };
    for (int k = 1; k <= n; ++k) {
        const std::string numero = std::to_string(k);
        if (!ligne_suivante(reste, pos, ligne))
            return refus("le retard de la fonction n°" + numero + " manque");
        if (ligne.size() > longueur_max_ligne_retard)
            return refus("ligne du retard de la fonction n°" + numero + " trop longue");
        // The file's own form only: no blank, no comma, no empty line.
        double v = 0;
        if (ligne.empty() || blanc(ligne.front()) ||
            ligne.find_first_of("0123456789") == std::string_view::npos ||
            !lire_decimal(ligne, v) || !(v >= 0) || !std::isfinite(v))
            return refus("retard de la fonction n°" + numero + " illisible ou négatif");
        l.retards.push_back(v > 0 ? v : 0.0);
    }
    return l;
}

} // namespace varlem
