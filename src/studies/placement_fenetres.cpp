#include "studies/placement_fenetres.h"

#include <algorithm>
#include <array>
#include <cstddef>
#include <cstdlib>
#include <optional>
#include <tuple>

namespace varlem {

namespace {

long long aire(const rectangle_ecran& r) {
    return r.vide() ? 0 : static_cast<long long>(r.largeur) * r.hauteur;
}

rectangle_ecran agrandi(const rectangle_ecran& r, int marge) {
    return {r.x - marge, r.y - marge, r.largeur + 2 * marge, r.hauteur + 2 * marge};
}

// The screen sharing most pixels with r; the first screen when r meets none.
std::size_t ecran_de(const std::vector<rectangle_ecran>& ecrans, const rectangle_ecran& r) {
    std::size_t meilleur = 0;
    long long plus_grande = 0;
    for (std::size_t i = 0; i < ecrans.size(); ++i) {
        const long long a = aire(intersection(ecrans[i], r));
        if (a > plus_grande) {
            plus_grande = a;
            meilleur = i;
        }
    }
    return meilleur;
}

// Squared width of the gap between two rectangles (0 when they touch or overlap).
long long ecart_carre(const rectangle_ecran& a, const rectangle_ecran& b) {
    const long long dx = std::max({0, a.x - b.droite(), b.x - a.droite()});
    const long long dy = std::max({0, a.y - b.bas(), b.y - a.bas()});
    return dx * dx + dy * dy;
}

// No obstacle comes closer than the gap between windows.
bool libre(const rectangle_ecran& r, const std::vector<rectangle_ecran>& obstacles) {
    const rectangle_ecran avec_ecart = agrandi(r, ecart_fenetres);
    return std::none_of(obstacles.begin(), obstacles.end(),
                        [&](const rectangle_ecran& o) { return se_chevauchent(avec_ecart, o); });
}

// A free place slid up and left as far as it goes rests against the screen's or an obstacle's
// edge in both directions: those edges give every free position. Edges right and below, and
// the alignments with a window's sides, add the places nearest to the system window.
struct candidat {
    rectangle_ecran cadre;
    long long distance = 0;
};

std::optional<candidat> meilleur_libre(const rectangle_ecran& ecran,
                                       const std::vector<rectangle_ecran>& obstacles,
                                       const rectangle_ecran& systeme, int l, int h) {
    // Windows of other screens are no neighbours: only what stands on this one counts.
    std::vector<rectangle_ecran> ici;
    for (const rectangle_ecran& o : obstacles)
        if (const rectangle_ecran r = intersection(o, ecran); !r.vide()) ici.push_back(r);
    std::vector<int> xs{ecran.x, ecran.droite() - l};
    std::vector<int> ys{ecran.y, ecran.bas() - h};
    for (const rectangle_ecran& o : ici) {
        xs.insert(xs.end(),
                  {o.droite() + ecart_fenetres, o.x - ecart_fenetres - l, o.x, o.droite() - l});
        ys.insert(ys.end(), {o.bas() + ecart_fenetres, o.y - ecart_fenetres - h, o.y, o.bas() - h});
    }
    std::optional<candidat> meilleur;
    for (const int y : ys) {
        if (y < ecran.y || y + h > ecran.bas()) continue;
        for (const int x : xs) {
            if (x < ecran.x || x + l > ecran.droite()) continue;
            const rectangle_ecran r{x, y, l, h};
            if (!libre(r, ici)) continue;
            const long long d = systeme.vide() ? 0 : ecart_carre(r, systeme);
            // Nearest to the system window, then highest, then leftmost.
            if (!meilleur || std::tie(d, y, x) <
                                 std::tie(meilleur->distance, meilleur->cadre.y, meilleur->cadre.x))
                meilleur = candidat{r, d};
        }
    }
    return meilleur;
}

// The largest band of the screen right of, below, left of or above the system window that
// holds an l × h window; nothing when none does.
std::optional<rectangle_ecran> bande_a_cote(const rectangle_ecran& ecran, const rectangle_ecran& s,
                                            int l, int h) {
    if (s.vide()) return std::nullopt;
    const int droite = s.droite() + ecart_fenetres, bas = s.bas() + ecart_fenetres;
    const std::array<rectangle_ecran, 4> bandes{{
        {droite, ecran.y, ecran.droite() - droite, ecran.hauteur},
        {ecran.x, bas, ecran.largeur, ecran.bas() - bas},
        {ecran.x, ecran.y, s.x - ecart_fenetres - ecran.x, ecran.hauteur},
        {ecran.x, ecran.y, ecran.largeur, s.y - ecart_fenetres - ecran.y},
    }};
    std::optional<rectangle_ecran> choisie;
    for (const rectangle_ecran& b : bandes) {
        const rectangle_ecran dans_ecran = intersection(b, ecran);
        if (dans_ecran.largeur < l || dans_ecran.hauteur < h) continue;
        if (!choisie || aire(dans_ecran) > aire(*choisie)) choisie = dans_ecran;
    }
    return choisie;
}

// The first step of the cascade within `zone` where no shown window already stands.
rectangle_ecran cascade(const rectangle_ecran& zone, const std::vector<rectangle_ecran>& fenetres,
                        int l, int h) {
    const int marches = 1 + std::max(0, std::min((zone.largeur - l) / pas_cascade,
                                                 (zone.hauteur - h) / pas_cascade));
    const auto occupee = [&](int k) {
        const int x = zone.x + k * pas_cascade, y = zone.y + k * pas_cascade;
        return std::any_of(fenetres.begin(), fenetres.end(), [&](const rectangle_ecran& f) {
            return std::abs(f.x - x) < pas_cascade / 2 && std::abs(f.y - y) < pas_cascade / 2;
        });
    };
    int k = 0;
    while (k < marches && occupee(k)) ++k;
    if (k == marches) k = static_cast<int>(fenetres.size() % static_cast<std::size_t>(marches));
    return {zone.x + k * pas_cascade, zone.y + k * pas_cascade, l, h};
}

} // namespace

rectangle_ecran intersection(const rectangle_ecran& a, const rectangle_ecran& b) {
    const int x = std::max(a.x, b.x), y = std::max(a.y, b.y);
    const int d = std::min(a.droite(), b.droite()), c = std::min(a.bas(), b.bas());
    if (d <= x || c <= y) return {};
    return {x, y, d - x, c - y};
}

bool se_chevauchent(const rectangle_ecran& a, const rectangle_ecran& b) {
    return !intersection(a, b).vide();
}

bool contient(const rectangle_ecran& dehors, const rectangle_ecran& dedans) {
    return dedans.x >= dehors.x && dedans.y >= dehors.y && dedans.droite() <= dehors.droite() &&
           dedans.bas() <= dehors.bas();
}

rectangle_ecran placer_fenetre(const bureau& b, int largeur, int hauteur) {
    largeur = std::max(largeur, 1);
    hauteur = std::max(hauteur, 1);
    if (b.ecrans.empty()) return {0, 0, largeur, hauteur};
    const std::size_t principal = ecran_de(b.ecrans, b.systeme);
    std::vector<rectangle_ecran> obstacles = b.fenetres;
    if (!b.systeme.vide()) obstacles.push_back(b.systeme);

    // Free space on the system window's screen, else on the others, nearest first.
    std::optional<candidat> libre_trouve;
    for (std::size_t i = 0; i < b.ecrans.size(); ++i) {
        const rectangle_ecran& e = b.ecrans[i];
        const int l = std::min(largeur, e.largeur), h = std::min(hauteur, e.hauteur);
        const std::optional<candidat> c = meilleur_libre(e, obstacles, b.systeme, l, h);
        if (!c) continue;
        if (i == principal) return c->cadre;
        if (!libre_trouve || c->distance < libre_trouve->distance) libre_trouve = c;
    }
    if (libre_trouve) return libre_trouve->cadre;

    const rectangle_ecran& e = b.ecrans[principal];
    const int l = std::min(largeur, e.largeur), h = std::min(hauteur, e.hauteur);
    return cascade(bande_a_cote(e, b.systeme, l, h).value_or(e), b.fenetres, l, h);
}

bool geometrie_restaurable(const rectangle_ecran& cadre,
                           const std::vector<rectangle_ecran>& ecrans) {
    if (cadre.vide()) return false;
    // The frame less the tolerance on each side (its centre when that leaves nothing) must be
    // covered by the screens: every cell of the grid their edges draw over it lies on one.
    const int mx = std::min(tolerance_geometrie, (cadre.largeur - 1) / 2);
    const int my = std::min(tolerance_geometrie, (cadre.hauteur - 1) / 2);
    const rectangle_ecran coeur{cadre.x + mx, cadre.y + my, cadre.largeur - 2 * mx,
                                cadre.hauteur - 2 * my};
    std::vector<int> xs{coeur.x, coeur.droite()}, ys{coeur.y, coeur.bas()};
    for (const rectangle_ecran& e : ecrans) {
        for (const int x : {e.x, e.droite()})
            if (x > coeur.x && x < coeur.droite()) xs.push_back(x);
        for (const int y : {e.y, e.bas()})
            if (y > coeur.y && y < coeur.bas()) ys.push_back(y);
    }
    std::sort(xs.begin(), xs.end());
    std::sort(ys.begin(), ys.end());
    for (std::size_t i = 0; i + 1 < xs.size(); ++i) {
        for (std::size_t j = 0; j + 1 < ys.size(); ++j) {
            const rectangle_ecran cellule{xs[i], ys[j], xs[i + 1] - xs[i], ys[j + 1] - ys[j]};
            if (cellule.vide()) continue;
            if (std::none_of(ecrans.begin(), ecrans.end(),
                             [&](const rectangle_ecran& e) { return contient(e, cellule); }))
                return false;
        }
    }
    return true;
}

} // namespace varlem
