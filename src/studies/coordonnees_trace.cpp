#include "studies/coordonnees_trace.h"

#include "plot/echelles.h"

#include <charconv>
#include <cmath>
#include <string_view>

namespace varlem {

namespace {

constexpr int chiffres_significatifs = 4;
// A value this small beside its range is the rounding of the pixel map around zero.
constexpr double zero_relatif = 1e-9;
// Between the horizontal and the vertical value.
constexpr const char* separation = "    ";

// A compact number: 4 significant digits, "." whatever the locale, the exponent as "E-5".
std::string texte_coordonnee(double x) {
    if (std::isnan(x)) return "NAN";
    if (std::isinf(x)) return x < 0 ? "-INF" : "INF";
    if (x == 0) return "0";
    char tampon[64];
    const auto r = std::to_chars(tampon, tampon + sizeof tampon, x, std::chars_format::general,
                                 chiffres_significatifs);
    const std::string brut(tampon, r.ptr);
    const std::size_t e = brut.find('e');
    if (e == std::string::npos) return brut;
    // "1.5e+06" becomes "1.5E6", "2e-05" becomes "2E-5".
    std::string s = brut.substr(0, e) + 'E';
    std::size_t i = e + 1;
    if (brut[i] == '-') s += '-';
    if (brut[i] == '-' || brut[i] == '+') ++i;
    while (i + 1 < brut.size() && brut[i] == '0') ++i;
    return s + brut.substr(i);
}

std::string valeur(const char* nom, double x, const char* unite = nullptr) {
    std::string s = nom;
    s += " = ";
    s += texte_coordonnee(x);
    if (unite != nullptr) {
        // Degrees stick to their number, the other units stand apart.
        if (std::string_view(unite) != "°") s += ' ';
        s += unite;
    }
    return s;
}

std::string paire(const std::string& h, const std::string& v) {
    return h + separation + v;
}

struct cadre_pointe {
    int gauche, droite, haut, bas;

    bool contient(int px, int py) const {
        return px >= gauche && px <= droite && py >= haut && py <= bas;
    }
    double x(int px, double lo, double hi) const {
        return net(pixel_vers_x(px, gauche, droite, lo, hi), lo, hi);
    }
    double y(int py, double lo, double hi) const {
        return net(pixel_vers_y(py, haut, bas, lo, hi), lo, hi);
    }
    static double net(double v, double lo, double hi) {
        return std::abs(v) < zero_relatif * std::abs(hi - lo) ? 0.0 : v;
    }
};

// The horizontal value of the gain, phase and module axes: f in hertz or ω.
std::string frequence(const etude_frequence& r, double x) {
    return r.en_hertz ? valeur("f", x, "Hz") : valeur("ω", x, "rad/s");
}

const char* unite_phase(const etude_frequence& r) {
    return r.en_radians ? "rad" : "°";
}

// "name = value unit" of what an axis plots.
std::string texte_grandeur(const etude_frequence& r, grandeur g, double v) {
    switch (g) {
    case grandeur::pulsation:
        return frequence(r, v);
    case grandeur::gain_db:
        return valeur("G", v, "dB");
    case grandeur::phase:
        return valeur("φ", v, unite_phase(r));
    case grandeur::reel:
        return valeur("Re", v);
    case grandeur::imaginaire:
        return valeur("Im", v);
    case grandeur::module:
        return valeur("|T|", v);
    }
    return {};
}

} // namespace

std::string coordonnees_frequentiel(const etude_frequence& r, diagramme genre, int w, int h, int px,
                                    int py) {
    if (!diagramme_trace(genre) || !cadre_utilisable(w, h)) return {};
    const cadre_pointe c{cadre_gauche(), cadre_droite(w), cadre_haut(), cadre_bas(h)};
    if (!c.contient(px, py)) return {};
    const description_diagramme& d = description(genre);
    double x = 0;
    if (d.logarithmique) {
        x = pixel_vers_log(px, c.gauche, c.droite, r.decade_min, r.decade_max);
    } else {
        const plage_etude p = plage_horizontale(d, r);
        x = c.x(px, r.*p.min, r.*p.max);
    }
    const double y = c.y(py, r.*d.plage_v.min, r.*d.plage_v.max);
    return paire(texte_grandeur(r, d.horizontale, x), texte_grandeur(r, d.verticale, y));
}

std::string coordonnees_temporel(const etude_temps& r, int w, int h, int px, int py) {
    if (!cadre_utilisable(w, h)) return {};
    const cadre_pointe c{cadre_gauche(), cadre_droite(w), cadre_haut(), cadre_bas(h)};
    if (!c.contient(px, py)) return {};
    const auto utilisable = [](double lo, double hi) {
        return std::isfinite(lo) && std::isfinite(hi) && lo < hi;
    };
    if (!utilisable(r.t_min, r.t_max) || !utilisable(r.y_min, r.y_max)) return {};
    return paire(valeur("t", c.x(px, r.t_min, r.t_max), "s"),
                 valeur("y", c.y(py, r.y_min, r.y_max)));
}

} // namespace varlem
