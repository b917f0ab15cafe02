#include "studies/etude_lieu.h"

#include "document/boucle.h"
#include "numeric/nombres.h"
#include "plot/echelles.h"
#include "studies/export_csv.h"

#include <algorithm>
#include <cmath>

namespace varlem {

namespace {

constexpr const char* police_lieu = "Arial";
constexpr int taille_textes_lieu = 9;
constexpr couleur couleur_textes_lieu = 0x000000;
// Half-diagonal in pixels of the diamond marking the point chosen.
constexpr int demi_losange = 6;

std::string nombre(double x) {
    std::string t = texte_nombre(x);
    if (!t.empty() && t.front() == ' ') t.erase(0, 1);
    return t;
}

bool memes_vues(const std::optional<vue_plan>& a, const std::optional<vue_plan>& b) {
    if (a.has_value() != b.has_value()) return false;
    return !a || (a->re_min == b->re_min && a->re_max == b->re_max && a->im_min == b->im_min &&
                  a->im_max == b->im_max);
}

// Pixel of a point of the plane on a w × h drawing at scale e.
std::pair<int, int> pixel(const echelle_lieu& e, int w, int h, complexe z) {
    return {x_vers_pixel(cadre_gauche(), cadre_droite(w), z.re, e.re_min, e.re_max),
            y_vers_pixel(cadre_haut(), cadre_bas(h), z.im, e.im_min, e.im_max)};
}

void marquer_choisi(surface& s, const echelle_lieu& e, const point_lieu& c) {
    const int w = s.largeur(), h = s.hauteur();
    if (!(c.pole.re >= e.re_min && c.pole.re <= e.re_max && c.pole.im >= e.im_min &&
          c.pole.im <= e.im_max))
        return;
    const auto [x, y] = pixel(e, w, h, c.pole);
    const int a = demi_losange;
    s.couleur_crayon(couleur_textes_lieu);
    s.epaisseur_crayon(2);
    s.style_crayon(style_trait::plein);
    s.deplacer(x, y - a);
    s.tracer_vers(x + a, y);
    s.tracer_vers(x, y + a);
    s.tracer_vers(x - a, y);
    s.tracer_vers(x, y - a);
    s.epaisseur_crayon(1);
    s.police(police_lieu, taille_textes_lieu, couleur_textes_lieu);
    const std::string t = "K = " + nombre(c.k);
    // Left of the point when the text would leave the frame on the right.
    const int l = s.largeur_texte(t);
    const int tx = x + a + 2 + l <= cadre_droite(w) ? x + a + 2 : x - a - 2 - l;
    s.texte(tx, y - a - s.hauteur_texte(t), t);
}

} // namespace

zone_trace zone_lieu(int largeur, int hauteur) {
    return {largeur - 20, hauteur - 75};
}

lieu_systeme calculer_lieu_boucle(const boucle_stabilite& b, const std::optional<vue_plan>& vue) {
    options_lieu o;
    o.vue = vue;
    return {b, vue, calculer_lieu(b.etudiee.num, b.etudiee.den, o)};
}

std::optional<lieu_systeme> calculer_lieu_systeme(const systeme& s,
                                                  const std::optional<vue_plan>& vue) {
    const std::optional<boucle_stabilite> b = boucle_stabilite_systeme(s);
    if (!b) return std::nullopt;
    return calculer_lieu_boucle(*b, vue);
}

bool meme_lieu(const lieu_systeme& l, const boucle_stabilite& b,
               const std::optional<vue_plan>& vue) {
    return memes_vues(l.vue, vue) && l.boucle.etudiee.num == b.etudiee.num &&
           l.boucle.etudiee.den == b.etudiee.den && l.boucle.retard == b.retard;
}

echelle_lieu echelle_etat_lieu(const lieu_systeme& l, const etat_lieu& e, int largeur,
                               int hauteur) {
    return e.zoom ? echelle_vue_lieu(*e.zoom, largeur, hauteur)
                  : echelle_auto_lieu(l.lieu, largeur, hauteur);
}

void tracer_lieu_systeme(surface& s, const lieu_systeme& l, const etat_lieu& e, const param& p) {
    const int w = s.largeur(), h = s.hauteur();
    if (!cadre_utilisable(w, h) || !l.lieu.valide) return;
    const echelle_lieu ech = echelle_etat_lieu(l, e, w, h);
    const style_lieu st;
    const double k = l.boucle.etudiee.k;
    tracer_lieu(s, l.lieu, ech, p, st, k);
    if (e.choisi) marquer_choisi(s, ech, *e.choisi);
    s.police(police_lieu, taille_textes_lieu, couleur_textes_lieu);
    s.texte(0, 0, "Lieu d'Evans");
    // What the squares of the closed-loop poles stand for, in their colour, top right.
    const std::string legende =
        (l.boucle.etudiee.boucle_fermee ? "Pôles en boucle fermée, K = "
                                        : "Pôles en retour unitaire, K = ") +
        nombre(k);
    s.police(police_lieu, taille_textes_lieu, st.boucle_fermee);
    s.texte(std::max(0, cadre_droite(w) - s.largeur_texte(legende)), 0, legende);
    if (l.boucle.retard > 0) {
        s.police(police_lieu, taille_textes_lieu, couleur_textes_lieu);
        const std::string note =
            l.boucle.ordre_pade > 0
                ? "remplacé par son approximation de Padé d'ordre " +
                      std::to_string(l.boucle.ordre_pade)
                : std::string("laissé de côté, faute de place pour son approximation de Padé");
        s.texte(cadre_gauche() + 4, cadre_haut() + 4,
                "Retard de " + nombre(l.boucle.retard) + " s " + note);
    }
}

std::optional<complexe> point_du_pixel(const echelle_lieu& e, int largeur, int hauteur, int x,
                                       int y) {
    const int g = cadre_gauche(), d = cadre_droite(largeur), haut = cadre_haut(),
              bas = cadre_bas(hauteur);
    if (!cadre_utilisable(largeur, hauteur) || x < g || x > d || y < haut || y > bas)
        return std::nullopt;
    return complexe{e.re_min + (x - g) * (e.re_max - e.re_min) / (d - g),
                    e.im_max - (y - haut) * (e.im_max - e.im_min) / (bas - haut)};
}

std::string coordonnees_lieu(const echelle_lieu& e, int largeur, int hauteur, int x, int y) {
    const std::optional<complexe> z = point_du_pixel(e, largeur, hauteur, x, y);
    if (!z) return {};
    return "Re = " + nombre(z->re) + "   Im = " + nombre(z->im);
}

std::optional<point_lieu> point_clique(const lieu_systeme& l, const echelle_lieu& e, int largeur,
                                       int hauteur, int x, int y) {
    const std::optional<complexe> z = point_du_pixel(e, largeur, hauteur, x, y);
    if (!z || !l.lieu.valide) return std::nullopt;
    return point_le_plus_proche(l.lieu, *z);
}

std::optional<point_lieu> point_suivant(const lieu_evans& l, const std::optional<point_lieu>& p,
                                        int sens, double k) {
    const branches_lieu& br = l.branches;
    const int n = int(br.k.size());
    if (!l.valide || br.nb == 0 || n == 0) return std::nullopt;
    const int b = p && !p->complementaire ? std::clamp(p->branche, 0, br.nb - 1) : 0;
    const double k0 = p && !p->complementaire ? p->k : k;
    // The first sample at or above k0.
    int j = int(std::lower_bound(br.k.begin(), br.k.end(), k0) - br.k.begin());
    if (!p || p->complementaire) {
        if (j == n || (j > 0 && k0 - br.k[std::size_t(j - 1)] < br.k[std::size_t(j)] - k0)) --j;
        sens = sens > 0 ? 1 : -1;
    } else if (sens > 0) {
        if (j < n && !(br.k[std::size_t(j)] > k0)) ++j;
    } else {
        --j;
    }
    const int pas = sens > 0 ? 1 : -1;
    for (; j >= 0 && j < n; j += pas) {
        const complexe z = br.point(b, j);
        const double kj = br.k[std::size_t(j)];
        if (!std::isfinite(z.re) || !std::isfinite(z.im) || !std::isfinite(kj)) continue;
        point_lieu r;
        r.pole = z;
        r.k = kj;
        r.branche = b;
        amortissement(z, r.zeta, r.omega_n);
        return r;
    }
    return std::nullopt;
}

std::string texte_point_lieu(const point_lieu& p) {
    std::string pole = nombre(p.pole.re);
    if (p.pole.im != 0) pole += (p.pole.im < 0 ? " - j " : " + j ") + nombre(std::fabs(p.pole.im));
    const std::string zeta = std::isnan(p.zeta) ? "ζ indéfini" : "ζ = " + nombre(p.zeta);
    return "K = " + nombre(p.k) + "   pôle " + pole + "   " + zeta +
           "   ωn = " + nombre(p.omega_n) + " rad/s";
}

std::optional<vue_plan> vue_rectangle(const echelle_lieu& e, int largeur, int hauteur, int x0,
                                      int y0, int x1, int y1) {
    if (x0 == x1 || y0 == y1 || !cadre_utilisable(largeur, hauteur)) return std::nullopt;
    // Corners outside the frame are brought back to its edges.
    const auto borne = [&](int x, int y) {
        return *point_du_pixel(e, largeur, hauteur,
                               std::clamp(x, cadre_gauche(), cadre_droite(largeur)),
                               std::clamp(y, cadre_haut(), cadre_bas(hauteur)));
    };
    const complexe a = borne(x0, y0), b = borne(x1, y1);
    vue_plan v{std::min(a.re, b.re), std::max(a.re, b.re), std::min(a.im, b.im),
               std::max(a.im, b.im)};
    if (!(v.re_max > v.re_min) || !(v.im_max > v.im_min)) return std::nullopt;
    return v;
}

std::optional<vue_plan> vue_elargie(const echelle_lieu& e) {
    const double dr = (e.re_max - e.re_min) / 2, di = (e.im_max - e.im_min) / 2;
    const vue_plan v{e.re_min - dr, e.re_max + dr, e.im_min - di, e.im_max + di};
    for (const double b : {v.re_min, v.re_max, v.im_min, v.im_max})
        if (!(std::fabs(b) <= vue_max_lieu)) return std::nullopt;
    return v;
}

std::string csv_lieu(const lieu_evans& l) {
    std::string r = "branche,k,re,im\n";
    const branches_lieu& b = l.branches;
    for (int i = 0; i < b.nb; ++i)
        for (std::size_t j = 0; j < b.k.size(); ++j) {
            const complexe z = b.point(i, int(j));
            if (!std::isfinite(z.re) || !std::isfinite(z.im)) continue;
            r += std::to_string(i + 1) + ',' + nombre_csv(b.k[j]) + ',' + nombre_csv(z.re) + ',' +
                 nombre_csv(z.im) + '\n';
        }
    return r;
}

std::string titre_lieu(const systeme& s) {
    if (s.etudes.boucle_fermee)
        return "Lieu d'Evans de la fonction n°" + std::to_string(s.courante_sauvee) + " bouclée";
    return "Lieu d'Evans de la fonction n°" + std::to_string(s.fonction_courante);
}

bool gain_applicable(const systeme& s, const etat_lieu& e) {
    return s.etudes.boucle_fermee && e.choisi && !e.choisi->complementaire &&
           e.choisi->k >= maximum_correcteur_min && e.choisi->k <= maximum_correcteur_max;
}

} // namespace varlem
