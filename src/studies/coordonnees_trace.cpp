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

} // namespace

std::string coordonnees_frequentiel(const etude_frequence& r, diagramme genre, int w, int h, int px,
                                    int py) {
    if (!cadre_utilisable(w, h)) return {};
    const cadre_pointe c{cadre_gauche(), cadre_droite(w), cadre_haut(), cadre_bas(h)};
    if (!c.contient(px, py)) return {};
    switch (genre) {
    case diagramme::gain:
    case diagramme::phase: {
        const double x = pixel_vers_log(px, c.gauche, c.droite, r.decade_min, r.decade_max);
        const std::string v = genre == diagramme::gain
                                  ? valeur("G", c.y(py, r.gain_min, r.gain_max), "dB")
                                  : valeur("φ", c.y(py, r.phase_min, r.phase_max), unite_phase(r));
        return paire(frequence(r, x), v);
    }
    case diagramme::module: {
        const double x = r.en_hertz ? c.x(px, r.f_min, r.f_max) : c.x(px, r.wl_min, r.wl_max);
        return paire(frequence(r, x), valeur("|T|", c.y(py, r.module_min, r.module_max)));
    }
    case diagramme::black:
        return paire(valeur("φ", c.x(px, r.black_phase_min, r.black_phase_max), unite_phase(r)),
                     valeur("G", c.y(py, r.black_gain_min, r.black_gain_max), "dB"));
    case diagramme::nyquist:
        return paire(valeur("Re", c.x(px, r.re_min, r.re_max)),
                     valeur("Im", c.y(py, r.im_min, r.im_max)));
    case diagramme::aucun:
        break;
    }
    return {};
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
