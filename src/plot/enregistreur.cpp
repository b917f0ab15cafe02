#include "plot/enregistreur.h"

#include <cmath>

namespace varlem {

namespace {

double taille_pixels(int points) {
    return points * 96.0 / 72.0;
}

} // namespace

int nombre_caracteres(const std::string& t) {
    int n = 0;
    // Continuation bytes (10xxxxxx) do not start a code point.
    for (const char c : t)
        if ((static_cast<unsigned char>(c) & 0xC0) != 0x80) ++n;
    return n;
}

void enregistreur::etat::appliquer(const commande& k) {
    switch (k.sorte) {
    case sorte_commande::crayon:
        crayon = k.c;
        break;
    case sorte_commande::epaisseur:
        epaisseur = k.valeur;
        break;
    case sorte_commande::style:
        style = k.style;
        break;
    case sorte_commande::deplacer:
    case sorte_commande::tracer:
        x = k.x;
        y = k.y;
        break;
    case sorte_commande::police:
        police = k.chaine;
        taille = k.valeur;
        couleur_texte = k.c;
        break;
    case sorte_commande::rectangle:
    case sorte_commande::texte:
        break;
    }
}

enregistreur::enregistreur(int w, int h) : largeur_(w), hauteur_(h) {}

void enregistreur::ajouter(const commande& k) {
    commandes_.push_back(k);
    courant_.appliquer(k);
}

void enregistreur::couleur_crayon(couleur c) {
    commande k;
    k.sorte = sorte_commande::crayon;
    k.c = c;
    ajouter(k);
}

void enregistreur::epaisseur_crayon(int e) {
    commande k;
    k.sorte = sorte_commande::epaisseur;
    k.valeur = e;
    ajouter(k);
}

void enregistreur::style_crayon(style_trait s) {
    commande k;
    k.sorte = sorte_commande::style;
    k.style = s;
    ajouter(k);
}

void enregistreur::deplacer(int x, int y) {
    commande k;
    k.sorte = sorte_commande::deplacer;
    k.x = x;
    k.y = y;
    ajouter(k);
}

void enregistreur::tracer_vers(int x, int y) {
    commande k;
    k.sorte = sorte_commande::tracer;
    k.x = x;
    k.y = y;
    ajouter(k);
}

void enregistreur::rectangle(int x1, int y1, int x2, int y2) {
    commande k;
    k.sorte = sorte_commande::rectangle;
    k.x = x1;
    k.y = y1;
    k.x2 = x2;
    k.y2 = y2;
    ajouter(k);
}

void enregistreur::police(const std::string& nom, int taille, couleur c) {
    commande k;
    k.sorte = sorte_commande::police;
    k.chaine = nom;
    k.valeur = taille;
    k.c = c;
    ajouter(k);
}

void enregistreur::texte(int x, int y, const std::string& t) {
    commande k;
    k.sorte = sorte_commande::texte;
    k.x = x;
    k.y = y;
    k.chaine = t;
    ajouter(k);
}

int enregistreur::largeur_texte(const std::string& t) {
    return static_cast<int>(
        std::nearbyint(0.6 * taille_pixels(courant_.taille) * nombre_caracteres(t)));
}

int enregistreur::hauteur_texte(const std::string&) {
    return static_cast<int>(std::nearbyint(1.2 * taille_pixels(courant_.taille)));
}

template <typename T, typename Fabrique>
std::vector<T> enregistreur::collecter(sorte_commande sorte, Fabrique fabrique) const {
    std::vector<T> r;
    etat e;
    for (const commande& k : commandes_) {
        if (k.sorte == sorte) r.push_back(fabrique(e, k));
        e.appliquer(k);
    }
    return r;
}

std::vector<segment_enregistre> enregistreur::segments() const {
    return collecter<segment_enregistre>(
        sorte_commande::tracer, [](const etat& e, const commande& k) {
            return segment_enregistre{e.x, e.y, k.x, k.y, e.crayon, e.epaisseur, e.style};
        });
}

std::vector<segment_enregistre> enregistreur::segments(couleur c) const {
    std::vector<segment_enregistre> r = segments();
    std::erase_if(r, [c](const segment_enregistre& s) { return s.c != c; });
    return r;
}

std::vector<segment_enregistre> enregistreur::rectangles() const {
    return collecter<segment_enregistre>(
        sorte_commande::rectangle, [](const etat& e, const commande& k) {
            return segment_enregistre{k.x, k.y, k.x2, k.y2, e.crayon, e.epaisseur, e.style};
        });
}

std::vector<texte_enregistre> enregistreur::textes() const {
    return collecter<texte_enregistre>(sorte_commande::texte, [](const etat& e, const commande& k) {
        return texte_enregistre{k.x, k.y, k.chaine, e.police, e.taille, e.couleur_texte};
    });
}

} // namespace varlem
