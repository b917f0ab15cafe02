// What must hold after every action of the walk: the counts, every label against the document,
// no "nan" or "inf" shown for a finite value, the open studies drawn from the current document,
// the copies made of what is shown.
#include "app/qt/application_varlem.h"
#include "app/qt/fenetre_principale.h"
#include "app/qt/marche_aleatoire.h"
#include "app/qt/marche_outils.h"
#include "document/boucle.h"
#include "document/copie_systeme.h"
#include "document/gabarits.h"
#include "document/qt/fenetre_systeme.h"
#include "document/saisie.h"
#include "numeric/nombres.h"
#include "plot/qt/surface_qt.h"
#include "plot/qt/textes_qt.h"
#include "settings/qt/elements_reglages.h"
#include "studies/carte_poles_zeros.h"
#include "studies/etude_lieu.h"
#include "studies/etude_stabilite.h"
#include "studies/lecture_frequentielle.h"
#include "studies/lecture_temporelle.h"
#include "studies/qt/dialogue_lecture_frequentielle.h"
#include "studies/qt/dialogue_lecture_temporelle.h"
#include "studies/qt/fenetre_decomposition.h"
#include "studies/qt/fenetre_frequentielle.h"
#include "studies/qt/fenetre_lieu_evans.h"
#include "studies/qt/fenetre_poles_zeros.h"
#include "studies/qt/fenetre_stabilite.h"
#include "studies/qt/fenetre_temporelle.h"
#include "studies/qt/image_trace.h"
#include "studies/texte_poles_zeros.h"
#include "studies/trace_frequentiel.h"
#include "studies/trace_temporel.h"
#include "studies/zones_trace.h"

#include <QApplication>
#include <QCheckBox>
#include <QLabel>
#include <QPainter>
#include <QPlainTextEdit>
#include <QRegularExpression>
#include <QStatusBar>
#include <gtest/gtest.h>

#include <cmath>
#include <cstdlib>
#include <sstream>

namespace varlem::test {

namespace {

// "nan" or "inf" standing as a word, whatever its case and sign.
bool non_fini(const QString& t) {
    static const QRegularExpression mot(QStringLiteral("(^|[^A-Za-z])(nan|inf)([^A-Za-z]|$)"),
                                        QRegularExpression::CaseInsensitiveOption);
    return mot.match(t).hasMatch();
}

// A surface that draws on another and keeps every text written.
// Pixel size above which Qt fills glyph outlines instead of copying cached glyphs. Those fills'
// edge pixels depend on which glyphs FreeType hinted before, even in another picture: the same
// text drawn twice can differ there.
constexpr int plus_grand_glyphe_en_cache = 64;

class surface_releve final : public surface {
  public:
    explicit surface_releve(surface& s) : s_(s) {}
    int largeur() const override { return s_.largeur(); }
    int hauteur() const override { return s_.hauteur(); }
    void couleur_crayon(couleur c) override { s_.couleur_crayon(c); }
    void epaisseur_crayon(int e) override { s_.epaisseur_crayon(e); }
    void style_crayon(style_trait st) override { s_.style_crayon(st); }
    void deplacer(int x, int y) override { s_.deplacer(x, y); }
    void tracer_vers(int x, int y) override { s_.tracer_vers(x, y); }
    void rectangle(int x1, int y1, int x2, int y2) override { s_.rectangle(x1, y1, x2, y2); }
    void police(const std::string& nom, int taille, couleur c) override {
        taille_ = taille;
        s_.police(nom, taille, c);
    }
    void texte(int x, int y, const std::string& t) override {
        textes.push_back(t);
        if (taille_pixels_police(taille_) > plus_grand_glyphe_en_cache)
            boites_grandes.emplace_back(x, y, s_.largeur_texte(t), s_.hauteur_texte(t));
        s_.texte(x, y, t);
    }
    int largeur_texte(const std::string& t) override { return s_.largeur_texte(t); }
    int hauteur_texte(const std::string& t) override { return s_.hauteur_texte(t); }

    std::vector<std::string> textes;
    /// Where texts too big for Qt's glyph cache were written.
    std::vector<QRect> boites_grandes;

  private:
    surface& s_;
    int taille_ = 8;
};

// The two pictures are the same outside the boxes (widened by a pixel of antialiasing).
bool memes_hors_des_boites(const QImage& a, const QImage& b, const std::vector<QRect>& boites) {
    if (a.size() != b.size() || boites.empty()) return false;
    QImage ma = a.convertToFormat(QImage::Format_RGB32);
    QImage mb = b.convertToFormat(QImage::Format_RGB32);
    // The painter works in the pictures' logical pixels, as the drawings did.
    for (QImage* m : {&ma, &mb}) {
        QPainter peintre(m);
        for (const QRect& r : boites) peintre.fillRect(r.adjusted(-2, -2, 2, 2), Qt::magenta);
    }
    return ma == mb;
}

// The two pictures differ only where a nearly flat line steps a pixel up or down at another
// column: each pixel that differs finds its colour a pixel above or below in the other picture,
// and there are few of them. Two rasterisations of one curve whose values sit on a pixel's
// edge do that; a stale or wrong drawing moves far more.
bool memes_a_un_pixel_pres(const QImage& a, const QImage& b) {
    if (a.size() != b.size()) return false;
    const QImage ma = a.convertToFormat(QImage::Format_RGB32);
    const QImage mb = b.convertToFormat(QImage::Format_RGB32);
    const auto voisin = [](const QImage& m, int x, int y, QRgb c) {
        for (const int dy : {-1, 1})
            if (y + dy >= 0 && y + dy < m.height() && m.pixel(x, y + dy) == c) return true;
        return false;
    };
    long ecarts = 0;
    const long permis = std::max<long>(1, static_cast<long>(ma.width()) * ma.height() / 10000);
    for (int y = 0; y < ma.height(); ++y)
        for (int x = 0; x < ma.width(); ++x) {
            const QRgb ca = ma.pixel(x, y), cb = mb.pixel(x, y);
            if (ca == cb) continue;
            // (A line that moved may uncover what it hid: one side's colour is enough.)
            if (++ecarts > permis || !(voisin(mb, x, y, ca) || voisin(ma, x, y, cb))) return false;
        }
    return true;
}

QString texte_etiquette(QWidget* w, const QString& nom) {
    if (auto* e = controle<etiquette_cliquable>(w, nom)) return e->texte();
    if (auto* l = controle<QLabel>(w, nom)) return l->text();
    return QStringLiteral("<absente>");
}

image_trace* image_nommee(QWidget* f, const QString& nom) {
    for (image_trace* i : f->findChildren<image_trace*>())
        if (i->accessibleName() == nom) return i;
    return nullptr;
}

} // namespace

void marche_aleatoire::constater(bool vrai, const std::string& quoi) {
    if (vrai || en_echec_) return;
    en_echec_ = true;
    const systeme& s = app_->document();
    std::vector<textes_fdt> en_place;
    for (int k = 1; k <= std::clamp(s.nb_fonctions, 0, nb_fonctions_max); ++k)
        en_place.push_back({s.fonctions[static_cast<std::size_t>(k)].fonction.texte_num,
                            s.fonctions[static_cast<std::size_t>(k)].fonction.texte_den});
    // What it takes to rebuild the function studied outside the walk: its polynomials (a loop
    // writes no texts), the corrector and the root finder's seed.
    std::ostringstream etudiee;
    etudiee.precision(17);
    const fdt& f = s.fonctions[static_cast<std::size_t>(s.slot_etudie())].fonction;
    for (const polynome* p : {&f.num, &f.den}) {
        etudiee << (p == &f.num ? " num" : " / den");
        for (int i = 0; i <= p->degre; ++i)
            etudiee << ' ' << p->coef[static_cast<std::size_t>(i)].re;
    }
    ADD_FAILURE() << "action " << rang_ << " (" << detail_ << "): " << quoi << "\nslots "
                  << decrire(en_place) << ", current " << s.fonction_courante
                  << (s.etudes.boucle_fermee ? ", loop closed" : "")
                  << (s.etudes.mode_filtre ? ", template study" : "") << "\nslot "
                  << s.slot_etudie() << etudiee.str() << "\ncorrector kp " << s.kp << " ti " << s.ti
                  << " td " << s.td << (s.avec_i ? " with I" : "") << ", root seed "
                  << s.calcul.graine.value_or(0) << "\nlast actions:\n"
                  << derniers_pas();
}

void marche_aleatoire::verifier() {
    if (en_echec_) return;
    verifier_compteurs();
    verifier_etiquettes();
    verifier_boucle();
    verifier_etudes();
    verifier_lecture_cours();
    verifier_copies();
    verifier_nombres_montres();
    verifier_traces();
    verifier_historique();
    verifier_places();
}

void marche_aleatoire::verifier_compteurs() {
    const systeme& s = app_->document();
    const etat_etudes& e = s.etudes;
    constater(s.nb_fonctions >= 0 && s.nb_fonctions <= nb_fonctions_max,
              "count " + std::to_string(s.nb_fonctions) + " outside 0..8");
    constater(s.fonction_courante >= 1 && s.fonction_courante <= std::max(1, s.nb_fonctions),
              "current function " + std::to_string(s.fonction_courante) + " of " +
                  std::to_string(s.nb_fonctions));
    constater(!(e.boucle_fermee && e.mode_filtre), "a template studied in closed loop");
    if (e.boucle_fermee) {
        constater(s.nb_fonctions == 1 && s.fonction_courante == 1,
                  "closed loop with count " + std::to_string(s.nb_fonctions));
        constater(s.nb_sauve >= 1 && s.nb_sauve <= nb_fonctions_max && s.courante_sauvee >= 1 &&
                      s.courante_sauvee <= s.nb_sauve,
                  "looped function " + std::to_string(s.courante_sauvee) + " of " +
                      std::to_string(s.nb_sauve));
    }
    if (e.mode_filtre) constater(s.nb_fonctions == 1, "a template study of several functions");
}

void marche_aleatoire::verifier_etiquettes() {
    fenetre_systeme& f = app_->fenetre_fonctions();
    const systeme& s = app_->document();
    const etat_etudes& e = s.etudes;
    std::string numero, compte;
    textes_fdt t;
    if (e.boucle_fermee) {
        numero = std::to_string(s.courante_sauvee);
        compte = "sur " + std::to_string(s.nb_sauve);
        const fdt& b =
            s.sauvegarde[static_cast<std::size_t>(std::clamp(s.courante_sauvee, 1, 8))].fonction;
        t = {b.texte_num, b.texte_den};
    } else if (e.mode_filtre) {
        numero = "1";
        compte = "sur 1";
        const textes_gabarit g = textes_du_gabarit(s.gabarit, 1.0, s.lettre_variable);
        t = {g.num_affiche, g.den_affiche};
    } else if (s.nb_fonctions == 0) {
        numero = "1";
        compte = std_(texte_etiquette(&f, QStringLiteral("compte"))) == "sur 0" ? "sur 0" : "sur 1";
        t = {"1", "1"};
    } else {
        const fdt& c = s.fonctions[static_cast<std::size_t>(s.fonction_courante)].fonction;
        numero = std::to_string(s.fonction_courante);
        compte = "sur " + std::to_string(s.nb_fonctions);
        t = {c.texte_num, c.texte_den};
    }
    const auto egal = [this, &f](const QString& nom, const std::string& attendu) {
        const QString vu =
            nom.startsWith(QStringLiteral("N")) || nom.startsWith(QStringLiteral("D"))
                ? texte_boite(&f, nom)
                : texte_etiquette(&f, nom);
        constater(vu == qt(attendu), "the system window shows " + std_(nom) + " '" +
                                         std_(vu).substr(0, 60) + "', the document '" +
                                         attendu.substr(0, 60) + "'");
    };
    egal(QStringLiteral("numero"), numero);
    egal(QStringLiteral("compte"), compte);
    egal(QStringLiteral("Numérateur"), t.num);
    egal(QStringLiteral("Dénominateur"), t.den);
    egal(QStringLiteral("fraction"), etiquette_fraction(s.lettre_variable));
    // The delay after the fraction: the shown function's, none for a template or no function.
    double retard = 0;
    if (e.boucle_fermee)
        retard = s.sauvegarde[static_cast<std::size_t>(std::clamp(s.courante_sauvee, 1, 8))]
                     .fonction.retard;
    else if (!e.mode_filtre && s.nb_fonctions > 0)
        retard = s.fonctions[static_cast<std::size_t>(s.fonction_courante)].fonction.retard;
    const auto* facteur = controle<QLabel>(&f, QStringLiteral("Retard"));
    const QString vu = facteur && facteur->isVisibleTo(&f) ? facteur->text() : QString();
    constater(vu == qt(texte_facteur_retard(retard, s.lettre_variable)),
              "the system window shows the delay '" + std_(vu) + "' for " + texte_retard(retard));
    for (const char* l : {"Variable en s", "Variable en p"})
        if (auto* b = controle<QAbstractButton>(&f, QString::fromUtf8(l));
            b && b->isVisibleTo(&f)) {
            constater(s.nb_fonctions == 0, "the variable letter offered with functions");
            constater(std_(b->text()) == legende_lettre(s.lettre_variable),
                      "the variable button reads " + std_(b->text()));
        }
    const bool ferme = commande_de(&f, QStringLiteral("Fdt seule")) != nullptr;
    constater(ferme == e.boucle_fermee, ferme ? "\"Fdt seule\" offered with the loop open"
                                              : "\"Bouclage\" offered with the loop closed");
    if (e.boucle_fermee || e.mode_filtre)
        for (const char* c : {"Nouvelle", "Modifier", "Supprimer"})
            constater(!commande_de(&f, QString::fromUtf8(c))->isEnabled(),
                      std::string(c) + " enabled in closed loop or template study");
    const actions_principales& a = app_->principale().actions();
    constater(a.ouvrir->isEnabled() == (!e.boucle_fermee && !e.mode_filtre),
              "the tool-bar open button does not follow the loop and template states");
}

void marche_aleatoire::verifier_boucle() {
    fenetre_systeme& f = app_->fenetre_fonctions();
    const systeme& s = app_->document();
    QWidget* schema = nullptr;
    for (QWidget* w : f.findChildren<QWidget*>())
        if (w->accessibleName() == QStringLiteral("Schéma de la boucle")) schema = w;
    QWidget* gabarit = controle<QWidget>(&f, QStringLiteral("Paramètre du gabarit"));
    constater(schema && schema->isVisibleTo(&f) == s.etudes.boucle_fermee,
              "the loop diagram does not follow the loop state");
    constater(gabarit && gabarit->isVisibleTo(&f) == s.etudes.mode_filtre,
              "the template slider does not follow the template state");
    if (en_echec_) return;
    const auto egal = [this, &f](const QString& nom, const std::string& attendu) {
        const QString vu = texte_etiquette(&f, nom);
        constater(vu == qt(attendu), "the system window shows " + std_(nom) + " '" + std_(vu) +
                                         "', the document '" + attendu + "'");
    };
    if (s.etudes.boucle_fermee) {
        egal(QStringLiteral("Valeur de Gain P"), texte_nombre(s.kp));
        egal(QStringLiteral("Valeur de Temps intégral τi"), texte_nombre(s.ti));
        egal(QStringLiteral("Valeur de Temps dérivé τd"), texte_nombre(s.td));
        const QString haut_p = texte_etiquette(&f, QStringLiteral("Maximum de Gain P"));
        constater(haut_p == qt(texte_nombre(s.kp_max)) ||
                      (s.kp_max == 20.1 && haut_p == QStringLiteral("20")),
                  "the P maximum reads " + std_(haut_p));
        egal(QStringLiteral("Maximum de Temps intégral τi"), texte_nombre(s.ti_max));
        egal(QStringLiteral("Maximum de Temps dérivé τd"), texte_nombre(s.td_max));
        auto* avec_i = controle<QCheckBox>(&f, QStringLiteral("Avec I"));
        constater(avec_i && avec_i->isChecked() == s.avec_i,
                  "\"Avec I\" does not follow the corrector");
        const fdt& r = s.retour.fonction;
        constater(texte_boite(&f, QStringLiteral("Numérateur du retour")) == qt(r.texte_num) &&
                      texte_boite(&f, QStringLiteral("Dénominateur du retour")) == qt(r.texte_den),
                  "the return boxes do not show the return path");
        auto* texte =
            controle<QPlainTextEdit>(&f, QStringLiteral("Fonction de transfert en boucle fermée"));
        constater(texte && texte->toPlainText() == lignes_affichees(texte_boucle_fermee(s)),
                  "the closed-loop text is not the closed loop's");
    }
    if (s.etudes.mode_filtre) {
        const double v = premier_ordre(s.gabarit) ? s.w0 : s.m;
        egal(QStringLiteral("Valeur de Paramètre du gabarit"), etiquette_valeur_gabarit(s, v));
        egal(QStringLiteral("Maximum de Paramètre du gabarit"), etiquette_haut_gabarit(s));
        egal(QStringLiteral("Minimum de Paramètre du gabarit"), etiquette_bas_gabarit(s));
    }
}

void marche_aleatoire::verifier_etudes() {
    const systeme& s = app_->document();
    const etat_etudes& e = s.etudes;
    fenetre_frequentielle& frq = app_->frequentielle();
    constater(frq.windowTitle() == (e.boucle_fermee
                                        ? QStringLiteral("Etude fréquentielle (boucle ouverte)")
                                        : QStringLiteral("Etude frequentielle")),
              "the frequency window is captioned " + std_(frq.windowTitle()));
    if (e.poles_zeros_ouverte) {
        const QString attendu =
            e.boucle_fermee
                ? QStringLiteral("Poles et zéros de la fonction n°%1 bouclée")
                      .arg(s.courante_sauvee)
                : QStringLiteral("Poles et zéros de la fonction n°%1").arg(s.fonction_courante);
        constater(app_->poles_zeros().windowTitle() == attendu,
                  "the pole-zero window is captioned " + std_(app_->poles_zeros().windowTitle()));
    }
    if (e.decomp_ouverte) {
        // The decomposition and the values of the function studied, then perhaps more about it.
        const fdt_travail& ft = s.fonctions[static_cast<std::size_t>(s.slot_etudie())];
        constater(app_->decomposition().texte().startsWith(
                      lignes_affichees(texte_poles_zeros(s, ft, app_->reglages_etudes().pz))),
                  "the decomposition text is not the current function's");
    }
    fenetre_stabilite& st = app_->stabilite();
    if (st.ouverte() && st.isEnabled())
        constater(st.texte() == lignes_affichees(texte_etude_stabilite(s)),
                  "the stability text is not the core's for the current loop");
    dialogue_lecture_frequentielle& lf = frq.lecture();
    if (lf.isVisible()) {
        constater(frq.isVisible(), "the frequency readout outlives its window");
        const textes_lecture_frq t = textes_valeurs_frq(s);
        constater(texte_etiquette(&lf, QStringLiteral("Valeur de la pulsation")) == qt(t.w) &&
                      texte_etiquette(&lf, QStringLiteral("Valeur du gain")) == qt(t.gain) &&
                      texte_etiquette(&lf, QStringLiteral("Valeur de la phase")) == qt(t.phase),
                  "the frequency readout does not show the readout's values");
        const QString lue = texte_etiquette(&lf, QStringLiteral("fonction"));
        constater(lue == qt(texte_fonction_lecture(fonction_lue(s))),
                  "the frequency readout names another function: " + std_(lue) + " instead of " +
                      texte_fonction_lecture(fonction_lue(s)));
    }
    dialogue_lecture_temporelle& lt = app_->temporelle().lecture();
    if (lt.isVisible()) {
        constater(app_->temporelle().isVisible(), "the time readout outlives its window");
        const textes_lecture_tps t = textes_valeurs_tps(app_->reglages_etudes().temps, s);
        constater(texte_etiquette(&lt, QStringLiteral("Valeur du temps")) == qt(t.t) &&
                      texte_etiquette(&lt, QStringLiteral("Valeur de la réponse")) == qt(t.y),
                  "the time readout does not show the readout's values");
        const QString lue = texte_etiquette(&lt, QStringLiteral("fonction"));
        constater(lue == qt(texte_fonction_lecture(s.slot_etudie())),
                  "the time readout names another function: " + std_(lue) + " instead of " +
                      texte_fonction_lecture(s.slot_etudie()));
    }
}

void marche_aleatoire::verifier_copies() {
    plateforme_scriptee& p = *plat_;
    if (p.copies_texte > 0 && !p.texte_copie.isEmpty()) {
        const QString systeme = qt(copier_systeme(app_->document()));
        if (p.texte_copie.startsWith(QStringLiteral("Fonctions de transfert composant")))
            constater(p.texte_copie == systeme, "the copied system is not the system");
        else if (p.texte_copie.startsWith(QStringLiteral("Fonction n°")) ||
                 p.texte_copie.startsWith(QStringLiteral("Boucle de la fonction")) ||
                 p.texte_copie.startsWith(QStringLiteral("Pas de fonction")))
            constater(p.texte_copie == app_->stabilite().texte(),
                      "the copied text is not the stability text shown");
        else
            constater(p.texte_copie == app_->decomposition().texte(),
                      "the copied text is not the decomposition shown");
        p.texte_copie.clear();
    }
    if (p.copies_dessin != copies_dessin_vues_) {
        copies_dessin_vues_ = p.copies_dessin;
        constater(!non_fini(QString::fromUtf8(p.svg_copie)),
                  "the copied drawing holds a nan or inf");
    }
}

void marche_aleatoire::verifier_nombres_montres() {
    const systeme& s = app_->document();
    const std::optional<valeurs_lecture_frq> frq = valeurs_lecture(s);
    const std::optional<point_lecture_tps> tps =
        point_lecture_temporelle(app_->reglages_etudes().temps, s);
    // A readout may say that a value is infinite when it is.
    const auto infini_vrai = [&](const QWidget* w) {
        // A value label is named after its caption and the value it shows: found by its caption.
        const QString n = w->objectName();
        if (n == QStringLiteral("Valeur du gain")) return frq && std::isinf(frq->gain);
        if (n == QStringLiteral("Valeur de la phase")) return frq && std::isinf(frq->phase);
        if (n == QStringLiteral("Valeur de la réponse")) return tps && std::isinf(tps->y);
        return false;
    };
    const auto verifier_texte = [&](const QWidget* w, const QString& t) {
        if (!non_fini(t) || infini_vrai(w)) return;
        // The words around the first "nan" or "inf".
        const qsizetype ou = t.indexOf(QRegularExpression(
            QStringLiteral("(nan|inf)"), QRegularExpression::CaseInsensitiveOption));
        constater(false,
                  "shown: '" + std_(t.mid(std::max<qsizetype>(0, ou - 60), 120)) + "' in " +
                      std_(w->accessibleName().isEmpty() ? w->objectName() : w->accessibleName()) +
                      " of " + std_(w->window()->windowTitle()));
    };
    for (QWidget* haut : QApplication::topLevelWidgets()) {
        if (!haut->isVisible()) continue;
        verifier_texte(haut, haut->windowTitle());
        for (QWidget* w : haut->findChildren<QWidget*>()) {
            if (!w->isVisible()) continue;
            if (auto* l = qobject_cast<QLabel*>(w)) verifier_texte(w, l->text());
            if (auto* b = qobject_cast<QAbstractButton*>(w)) verifier_texte(w, b->text());
            if (auto* t = qobject_cast<QPlainTextEdit*>(w)) verifier_texte(w, t->toPlainText());
            if (auto* e = qobject_cast<QStatusBar*>(w)) verifier_texte(w, e->currentMessage());
        }
    }
}

void marche_aleatoire::verifier_traces() {
    const systeme& s = app_->document();
    const etat_etudes& e = s.etudes;
    // The picture a window shows must be the drawing of the document as it is now, at the
    // window's size; the copies keep the drawing from touching the document. A mouse zoom that
    // changed the zero inclusion of the graphs changes the other plots only at their next
    // drawing: either setting is allowed there.
    const auto comparer = [this](image_trace* image, zone_trace z, const std::string& quoi,
                                 reglages& r, const std::function<void(surface&)>& trace) {
        if (!image || !image->isVisible() || !assez_grand(z)) return;
        std::vector<std::string> textes;
        std::vector<QRect> boites;
        const auto dessiner = [&] {
            return dessiner_image(
                z.largeur, z.hauteur,
                [&](surface& su) {
                    surface_releve releve(su);
                    trace(releve);
                    textes = std::move(releve.textes);
                    boites = std::move(releve.boites_grandes);
                },
                image->devicePixelRatioF());
        };
        const auto pareille = [&](const QImage& ref) {
            return image->image() == ref || memes_hors_des_boites(image->image(), ref, boites) ||
                   memes_a_un_pixel_pres(image->image(), ref);
        };
        QImage attendu = dessiner();
        if (!pareille(attendu)) {
            r.graphe.inclure_zero = !r.graphe.inclure_zero;
            if (pareille(dessiner())) return;
            const QImage& vu = image->image();
            if (const char* d = std::getenv("VARLEM_IMAGES")) {
                vu.save(QString::fromUtf8(d) + QStringLiteral("/vu.png"));
                attendu.save(QString::fromUtf8(d) + QStringLiteral("/attendu.png"));
            }
            constater(false, "the " + quoi + " shown (" + std::to_string(vu.width()) + "x" +
                                 std::to_string(vu.height()) + ") is not the current document's (" +
                                 std::to_string(attendu.width()) + "x" +
                                 std::to_string(attendu.height()) + ")");
        }
        for (const std::string& t : textes)
            constater(!non_fini(qt(t)), "the " + quoi + " writes '" + t + "'");
    };
    fenetre_frequentielle& frq = app_->frequentielle();
    if (e.frequence_ouverte && a_l_ecran(&frq) && frq.isEnabled() &&
        e.etude_freq_choisie != diagramme::aucun) {
        const QSize t = frq.taille_exterieure();
        auto copie = std::make_unique<systeme>(s);
        reglages r = app_->reglages_etudes();
        if (!e.bode_double) {
            comparer(image_nommee(&frq, QStringLiteral("Diagramme fréquentiel")),
                     zone_frequentiel(t.width(), t.height()), "frequency diagram", r,
                     [&](surface& su) { tracer_frequentiel(su, r.frequence, r.graphe, *copie); });
        } else {
            const zone_trace z = zone_bode(t.width(), t.height());
            for (const auto& [nom, genre] :
                 {std::pair{QStringLiteral("Diagramme fréquentiel"), diagramme::gain},
                  std::pair{QStringLiteral("Diagramme de la phase"), diagramme::phase}})
                comparer(image_nommee(&frq, nom), z, "Bode diagram", r, [&](surface& su) {
                    tracer_frequentiel(su, r.frequence, r.graphe, *copie, genre);
                });
        }
    }
    fenetre_temporelle& tps = app_->temporelle();
    if (e.temps_ouverte && a_l_ecran(&tps) && tps.isEnabled() &&
        e.etude_temps_choisie != entree_temps::aucune) {
        const QSize t = tps.taille_exterieure();
        auto copie = std::make_unique<systeme>(s);
        reglages r = app_->reglages_etudes();
        comparer(image_nommee(&tps, QStringLiteral("Réponse temporelle")),
                 zone_temps(t.width(), t.height()), "time plot", r,
                 [&](surface& su) { tracer_temporel(su, r.temps, *copie, r); });
    }
    fenetre_poles_zeros& pz = app_->poles_zeros();
    if (e.poles_zeros_ouverte && a_l_ecran(&pz) && pz.isEnabled()) {
        const QSize t = pz.taille_exterieure();
        reglages r = app_->reglages_etudes();
        comparer(image_nommee(&pz, QStringLiteral("Carte des pôles et des zéros")),
                 zone_poles_zeros(t.width(), t.height()), "pole-zero map", r, [&](surface& su) {
                     tracer_poles_zeros(su, s.fonctions[static_cast<std::size_t>(s.slot_etudie())],
                                        r.pz, r.graphe);
                 });
    }
    // The locus computed afresh for the current loop, drawn with the window's view and point.
    fenetre_lieu_evans& lieu = app_->lieu_evans();
    if (lieu.ouverte() && a_l_ecran(&lieu) && lieu.isEnabled()) {
        const QSize t = lieu.taille_exterieure();
        reglages r = app_->reglages_etudes();
        const std::optional<lieu_systeme> frais = calculer_lieu_systeme(s, lieu.etat().zoom);
        comparer(image_nommee(&lieu, QStringLiteral("Lieu d'Evans")),
                 zone_lieu(t.width(), t.height()), "root locus", r, [&](surface& su) {
                     if (frais) tracer_lieu_systeme(su, *frais, lieu.etat(), r.graphe);
                 });
    }
}

} // namespace varlem::test
