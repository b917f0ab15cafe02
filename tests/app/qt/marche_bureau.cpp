// The walk's actions on the desktop side of the application: "Annuler" and "Rétablir", the
// recent files (one of them gone now and then), printing from the study windows and the windows
// brought to the front from the "Fe&nêtre" menu; and what must hold after every action: undoing
// every step gives back each earlier system's texts exactly, and a window shown for the first
// time in a run lies on the screen, where it was left at the last run when that still fits.
#include "app/qt/fenetre_principale.h"
#include "app/qt/marche_aleatoire.h"
#include "app/qt/marche_outils.h"
#include "app/qt/memoire_bureau.h"
#include "document/fichier_fdt.h"
#include "document/historique.h"
#include "document/qt/fenetre_systeme.h"
#include "studies/qt/fenetre_etude.h"
#include "studies/qt/fenetres_possedees.h"

#include <QFile>
#include <QFileInfo>
#include <QMenu>
#include <QMenuBar>

#include <algorithm>

namespace varlem::test {

namespace {

bool memes(const textes_systeme& a, const textes_systeme& b) {
    return a.lettre == b.lettre && memes_textes(a.fonctions, b.fonctions);
}

std::string decrire(const textes_systeme& t) {
    return std::string(1, t.lettre) + " " + test::decrire(t.fonctions);
}

} // namespace

std::optional<textes_systeme> marche_aleatoire::textes_utilisateur() const {
    const systeme& s = app_->document();
    if (s.etudes.mode_filtre) return std::nullopt;
    textes_systeme t;
    const banque_fonctions& b = s.etudes.boucle_fermee ? s.sauvegarde : s.fonctions;
    const int n = std::clamp(s.etudes.boucle_fermee ? s.nb_sauve : s.nb_fonctions, 0, 8);
    for (int k = 1; k <= n; ++k) {
        const fdt& f = b[static_cast<std::size_t>(k)].fonction;
        t.fonctions.push_back(avec_retard({f.texte_num, f.texte_den}, f.retard));
    }
    t.lettre = s.lettre_variable;
    return t;
}

void marche_aleatoire::suivre_historique(const std::optional<textes_systeme>& avant) {
    if (historique_deplace_) return;
    // Any other action that changed the user's system left the system as it was to undo.
    const std::optional<textes_systeme> apres = textes_utilisateur();
    if (!avant || (apres && memes(*avant, *apres))) return;
    a_annuler_.push_back(*avant);
    if (a_annuler_.size() > nb_etapes_max) a_annuler_.erase(a_annuler_.begin());
    a_retablir_.clear();
}

void marche_aleatoire::oublier_historique() {
    a_annuler_.clear();
    a_retablir_.clear();
    textes_enregistres_.clear();
    deja_montrees_.clear();
}

void marche_aleatoire::deplacer_historique(bool en_arriere) {
    const fenetre_principale& p = app_->principale();
    std::vector<textes_systeme>& depuis = en_arriere ? a_annuler_ : a_retablir_;
    std::vector<textes_systeme>& vers = en_arriere ? a_retablir_ : a_annuler_;
    const std::optional<textes_systeme> avant = textes_utilisateur();
    constater(!depuis.empty() && avant.has_value(),
              en_arriere ? "\"Annuler\" offered with nothing to undo"
                         : "\"Rétablir\" offered with nothing to redo");
    if (en_echec_) return;
    const textes_systeme attendu = depuis.back();
    attendu_ = attendu.fonctions;
    QAction* a = en_arriere ? p.actions().annuler : p.actions().retablir;
    // The short-cut, wherever the user works: a key goes to the active window, and there is
    // none while every window is minimised.
    if (QWidget* active = QApplication::activeWindow(); active && h_.pile(0.3)) {
        noter("(clavier)");
        QTest::keySequence(active, a->shortcut());
    } else {
        a->trigger();
    }
    const std::optional<textes_systeme> apres = textes_utilisateur();
    constater(apres && memes(*apres, attendu),
              std::string(en_arriere ? "\"Annuler\"" : "\"Rétablir\"") + " gave " +
                  (apres ? decrire(*apres) : "a template") + " instead of " + decrire(attendu));
    depuis.pop_back();
    vers.push_back(*avant);
    historique_deplace_ = true;
    // Back to the texts last saved or read, there is nothing to save.
    enregistre_apres_ =
        attendu.fonctions.empty() || memes_textes(attendu.fonctions, textes_enregistres_);
}

void marche_aleatoire::declarer_actions_bureau() {
    const auto principale = [this] { return &app_->principale(); };
    actions_.push_back(
        {"Annuler", 3,
         [=] { return principale()->actions().annuler->isEnabled() && a_l_ecran(principale()); },
         [this] { deplacer_historique(true); }});
    actions_.push_back(
        {"Rétablir", 2,
         [=] { return principale()->actions().retablir->isEnabled() && a_l_ecran(principale()); },
         [this] { deplacer_historique(false); }});
    actions_.push_back(
        {"Fichiers récents", 3,
         [=] { return principale()->actions().recents->isEnabled() && a_l_ecran(principale()); },
         [this] { choisir_recent(); }});
    for (std::size_t i = 0; i < 4; ++i)
        actions_.push_back({"Imprimer…", 1,
                            [this, i] {
                                fenetre_etude* f = app_->etudes().at(i);
                                return f->isEnabled() &&
                                       commande_offerte(f, QStringLiteral("Imprimer…"));
                            },
                            [this, i] { imprimer(*app_->etudes().at(i)); }});
    actions_.push_back({"Menu Fenêtre", 2, [=] { return a_l_ecran(principale()); },
                        [this] { choisir_fenetre(); }});
}

void marche_aleatoire::choisir_recent() {
    QMenu* m = app_->principale().actions().recents;
    emit m->aboutToShow();
    const QList<QAction*> liste = m->actions();
    constater(!liste.isEmpty() && liste.size() <= 8,
              "the recent files list " + std::to_string(liste.size()) + " entries");
    if (liste.isEmpty()) return;
    QAction* choisi = liste.at(h_.entier(0, static_cast<int>(liste.size()) - 1));
    const QString chemin = choisi->toolTip();
    noter(std_(choisi->text()));
    // The file is what the user reads: the system may become its texts.
    fichier_depose_ = chemin;
    const QString cache = chemin + QStringLiteral(".cache");
    const bool disparu = QFile::exists(chemin) && h_.pile(0.15) && QFile::rename(chemin, cache);
    if (disparu) noter("(disparu)");
    choisi->trigger();
    if (!disparu) return;
    QFile::rename(cache, chemin);
    // A gone file that was looked for gives the error box and leaves the list.
    const bool cherche =
        std::any_of(plat_->erreurs.begin(), plat_->erreurs.end(), [](const QString& e) {
            return e.startsWith(QStringLiteral("Fichier introuvable"));
        });
    emit m->aboutToShow();
    bool reste = false;
    for (QAction* a : m->actions()) reste = reste || a->toolTip() == chemin;
    constater(cherche != reste, cherche ? "a gone file stayed in the recent files"
                                        : "a recent file left the list unread");
}

void marche_aleatoire::imprimer(fenetre_etude& f) {
    noter(std_(f.windowTitle()));
    const QString pdf = dossier_ + QStringLiteral("/impression.pdf");
    QFile::remove(pdf);
    const bool annule = h_.pile(0.3);
    plat_->impressions = {annule ? std::nullopt : std::optional(pdf)};
    const int avant = plat_->dialogues_impression;
    presser(&f, QStringLiteral("Imprimer…"));
    constater(plat_->dialogues_impression == avant + 1, "\"Imprimer…\" showed no print dialog");
    if (annule) {
        constater(!QFile::exists(pdf), "a cancelled print printed");
        return;
    }
    QFile sortie(pdf);
    constater(sortie.open(QIODevice::ReadOnly) && sortie.read(5) == "%PDF-",
              "nothing was printed in " + std_(f.windowTitle()));
}

void marche_aleatoire::choisir_fenetre() {
    QMenu* m = nullptr;
    for (QAction* a : app_->principale().menuBar()->actions())
        if (a->text() == QStringLiteral("Fe&nêtre")) m = a->menu();
    if (!m) return;
    emit m->aboutToShow();
    const std::vector<QWidget*> possedees = fenetres_visibles(app_->principale());
    std::vector<std::pair<QAction*, QWidget*>> choix;
    for (QAction* a : m->actions())
        for (QWidget* w : possedees)
            if (a->text() == w->windowTitle()) choix.emplace_back(a, w);
    constater(choix.size() == possedees.size(),
              "the \"Fe&nêtre\" menu lists " + std::to_string(choix.size()) + " of the " +
                  std::to_string(possedees.size()) + " windows shown");
    if (choix.empty()) return;
    const auto& [commande, fenetre] = h_.parmi(choix);
    noter(std_(fenetre->windowTitle()));
    commande->trigger();
    constater(fenetre->isVisible() && !fenetre->isMinimized(),
              "the window chosen in \"Fe&nêtre\" is not in front: " + std_(fenetre->windowTitle()));
}

void marche_aleatoire::verifier_historique() {
    const historique& h = app_->historique_systeme();
    // The steps kept are the systems the walk left behind, in order.
    const auto memes_etapes = [](const std::vector<instantane_systeme>& vues,
                                 const std::vector<textes_systeme>& attendues) {
        return std::equal(vues.begin(), vues.end(), attendues.begin(), attendues.end(),
                          [](const instantane_systeme& v, const textes_systeme& a) {
                              textes_systeme t{{}, v.lettre_variable};
                              for (std::size_t k = 0; k < v.fonctions.size(); ++k)
                                  t.fonctions.push_back(avec_retard(
                                      v.fonctions[k], k < v.retards.size() ? v.retards[k] : 0));
                              return memes(t, a);
                          });
    };
    constater(memes_etapes(h.etapes_a_annuler(), a_annuler_) &&
                  memes_etapes(h.etapes_a_retablir(), a_retablir_),
              "steps to undo and redo: " + std::to_string(h.nb_annulables()) + " and " +
                  std::to_string(h.nb_retablissables()) + ", not the systems left behind (" +
                  std::to_string(a_annuler_.size()) + " and " + std::to_string(a_retablir_.size()) +
                  ")");
    const systeme& s = app_->document();
    if (en_echec_ || s.etudes.boucle_fermee || s.etudes.mode_filtre) return;
    // Every step undone in a copy, then redone: each earlier system comes back exactly. Steps
    // of huge texts are analysed again only now and then, the last one every time.
    std::size_t taille = 0;
    for (const std::vector<textes_systeme>* pile : {&a_annuler_, &a_retablir_})
        for (const textes_systeme& t : *pile)
            for (const textes_fdt& f : t.fonctions) taille += f.num.size() + f.den.size();
    const std::size_t profondeur = taille < 100'000 || rang_ % 50 == 0
                                       ? a_annuler_.size()
                                       : std::min<std::size_t>(1, a_annuler_.size());
    historique copie_h = h;
    auto copie = std::make_unique<systeme>(s);
    reglages r = app_->reglages_etudes();
    const auto textes_copie = [&] {
        textes_systeme t;
        for (int k = 1; k <= copie->nb_fonctions; ++k) {
            const fdt& f = copie->fonctions[static_cast<std::size_t>(k)].fonction;
            t.fonctions.push_back(avec_retard({f.texte_num, f.texte_den}, f.retard));
        }
        t.lettre = copie->lettre_variable;
        return t;
    };
    const textes_systeme present = textes_copie();
    for (std::size_t i = 1; i <= profondeur && !en_echec_; ++i) {
        const textes_systeme& attendu = a_annuler_[a_annuler_.size() - i];
        const bool fait = copie_h.annuler(*copie, r).effectue;
        constater(fait && memes(textes_copie(), attendu), "undoing step " + std::to_string(i) +
                                                              " gave " + decrire(textes_copie()) +
                                                              " instead of " + decrire(attendu));
    }
    for (std::size_t i = profondeur; i >= 1 && !en_echec_; --i) {
        const textes_systeme& attendu = i > 1 ? a_annuler_[a_annuler_.size() - i + 1] : present;
        const bool fait = copie_h.retablir(*copie, r).effectue;
        constater(fait && memes(textes_copie(), attendu), "redoing step " + std::to_string(i) +
                                                              " gave " + decrire(textes_copie()) +
                                                              " instead of " + decrire(attendu));
    }
    if (!a_retablir_.empty() && !en_echec_) {
        const bool fait = copie_h.retablir(*copie, r).effectue;
        constater(fait && memes(textes_copie(), a_retablir_.back()),
                  "redoing an undone step gave " + decrire(textes_copie()) + " instead of " +
                      decrire(a_retablir_.back()));
    }
}

void marche_aleatoire::verifier_places() {
    std::vector<QWidget*> fenetres = {&app_->fenetre_fonctions()};
    for (fenetre_etude* f : app_->etudes()) fenetres.push_back(f);
    const std::vector<rectangle_ecran> ecrans = ecrans_disponibles();
    for (QWidget* w : fenetres) {
        if (!w->isVisible() ||
            std::find(deja_montrees_.begin(), deja_montrees_.end(), w) != deja_montrees_.end())
            continue;
        deja_montrees_.push_back(w);
        const rectangle_ecran cadre = rectangle_de(w->frameGeometry());
        const std::optional<rectangle_ecran> memoire =
            memoire_de_session_.count(w) ? memoire_de_session_.at(w) : std::nullopt;
        if (memoire && geometrie_restaurable(*memoire, ecrans)) {
            // Back at its corner, at its size unless its content now needs more room.
            const QSize minimum = w->minimumSizeHint().expandedTo(w->minimumSize());
            const auto cote = [](int vu, int garde, int contenu, int contenu_min) {
                return vu == garde || (vu > garde && contenu == contenu_min);
            };
            const auto texte = [](const rectangle_ecran& r) {
                return std::to_string(r.x) + "," + std::to_string(r.y) + " " +
                       std::to_string(r.largeur) + "x" + std::to_string(r.hauteur);
            };
            constater(cadre.x == memoire->x && cadre.y == memoire->y &&
                          cote(cadre.largeur, memoire->largeur, w->width(), minimum.width()) &&
                          cote(cadre.hauteur, memoire->hauteur, w->height(), minimum.height()),
                      "a window did not come back where it was left: " + std_(w->windowTitle()) +
                          " at " + texte(cadre) + " instead of " + texte(*memoire));
        } else if (w != &app_->fenetre_fonctions()) {
            constater(geometrie_restaurable(cadre, ecrans),
                      "a study window opened off the screen: " + std_(w->windowTitle()));
        }
    }
}

void marche_aleatoire::retenir_places() {
    memoire_de_session_.clear();
    std::vector<QWidget*> fenetres = {&app_->fenetre_fonctions()};
    for (fenetre_etude* f : app_->etudes()) fenetres.push_back(f);
    for (QWidget* w : fenetres) memoire_de_session_[w] = cadre_memorise(cle_fenetre(*w));
}

} // namespace varlem::test
