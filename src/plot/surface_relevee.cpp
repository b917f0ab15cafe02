#include "plot/surface_relevee.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>

namespace varlem {

void surface_relevee::noter_traits() {
    noter_traits_ = true;
}

void surface_relevee::differer() {
    differe_ = true;
}

void surface_relevee::rejouer() {
    differe_ = false;
    for (const commande& k : gardees_) {
        switch (k.sorte) {
        case sorte_commande::crayon:
            base_.couleur_crayon(k.c);
            break;
        case sorte_commande::epaisseur:
            base_.epaisseur_crayon(k.valeur);
            break;
        case sorte_commande::style:
            base_.style_crayon(k.style);
            break;
        case sorte_commande::deplacer:
            base_.deplacer(k.x, k.y);
            break;
        case sorte_commande::tracer:
            base_.tracer_vers(k.x, k.y);
            break;
        case sorte_commande::rectangle:
            base_.rectangle(k.x, k.y, k.x2, k.y2);
            break;
        case sorte_commande::police:
            base_.police(k.chaine, k.valeur, k.c);
            break;
        case sorte_commande::texte:
            base_.texte(k.x, k.y, k.chaine);
            break;
        }
    }
    gardees_.clear();
}

std::vector<rectangle_px> surface_relevee::traits() const {
    std::vector<rectangle_px> t = boites_;
    if (boite_ouverte_) t.push_back(boite_courante());
    return t;
}

rectangle_px surface_relevee::boite_courante() const {
    // The pen's width around the points, and the pixel a point lights.
    const int d = std::max(epaisseur_, 1) / 2 + 1;
    return {x_min_ - d, y_min_ - d, x_max_ + d + 1, y_max_ + d + 1};
}

void surface_relevee::couleur_crayon(couleur c) {
    if (differe_)
        garder({sorte_commande::crayon, 0, 0, 0, 0, c, 0, style_trait::plein, {}});
    else
        base_.couleur_crayon(c);
}

void surface_relevee::epaisseur_crayon(int e) {
    fermer_boite();
    epaisseur_ = e;
    if (differe_)
        garder({sorte_commande::epaisseur, 0, 0, 0, 0, 0, e, style_trait::plein, {}});
    else
        base_.epaisseur_crayon(e);
}

void surface_relevee::style_crayon(style_trait s) {
    if (differe_)
        garder({sorte_commande::style, 0, 0, 0, 0, 0, 0, s, {}});
    else
        base_.style_crayon(s);
}

void surface_relevee::deplacer(int x, int y) {
    fermer_boite();
    x_ = x;
    y_ = y;
    if (differe_)
        garder({sorte_commande::deplacer, x, y, 0, 0, 0, 0, style_trait::plein, {}});
    else
        base_.deplacer(x, y);
}

void surface_relevee::tracer_vers(int x, int y) {
    if (noter_traits_) {
        if (!boite_ouverte_) etendre(x_, y_);
        const int n = std::max(std::abs(x - x_), std::abs(y - y_));
        if (n <= pas_releve) {
            etendre(x, y);
        } else {
            // A long line is noted in steps, so that its boxes follow it closely.
            const int pas = (n + pas_releve - 1) / pas_releve;
            for (int i = 1; i <= pas; ++i)
                etendre(x_ + (x - x_) * i / pas, y_ + (y - y_) * i / pas);
        }
    }
    x_ = x;
    y_ = y;
    if (differe_)
        garder({sorte_commande::tracer, x, y, 0, 0, 0, 0, style_trait::plein, {}});
    else
        base_.tracer_vers(x, y);
}

void surface_relevee::rectangle(int x1, int y1, int x2, int y2) {
    if (differe_)
        garder({sorte_commande::rectangle, x1, y1, x2, y2, 0, 0, style_trait::plein, {}});
    else
        base_.rectangle(x1, y1, x2, y2);
}

void surface_relevee::police(const std::string& nom, int taille, couleur c) {
    // The base measures the texts: it takes the font at once, kept back or not.
    base_.police(nom, taille, c);
    if (differe_) garder({sorte_commande::police, 0, 0, 0, 0, c, taille, style_trait::plein, nom});
}

void surface_relevee::texte(int x, int y, const std::string& t) {
    textes_.push_back(rectangle_texte(base_, x, y, t));
    if (differe_)
        garder({sorte_commande::texte, x, y, 0, 0, 0, 0, style_trait::plein, t});
    else
        base_.texte(x, y, t);
}

void surface_relevee::etendre(int x, int y) {
    if (!boite_ouverte_) {
        x_min_ = x_max_ = x;
        y_min_ = y_max_ = y;
        boite_ouverte_ = true;
    } else if (std::max(x_max_, x) - std::min(x_min_, x) <= cote_releve &&
               std::max(y_max_, y) - std::min(y_min_, y) <= cote_releve) {
        x_min_ = std::min(x_min_, x);
        x_max_ = std::max(x_max_, x);
        y_min_ = std::min(y_min_, y);
        y_max_ = std::max(y_max_, y);
    } else {
        boites_.push_back(boite_courante());
        // The next box starts at the last point noted, so that no piece of the line falls
        // between two boxes.
        x_min_ = std::min(dernier_x_, x);
        x_max_ = std::max(dernier_x_, x);
        y_min_ = std::min(dernier_y_, y);
        y_max_ = std::max(dernier_y_, y);
    }
    dernier_x_ = x;
    dernier_y_ = y;
}

void surface_relevee::fermer_boite() {
    if (boite_ouverte_) boites_.push_back(boite_courante());
    boite_ouverte_ = false;
}

} // namespace varlem
