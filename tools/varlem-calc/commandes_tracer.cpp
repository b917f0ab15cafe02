#include "commandes_document.h"
#include "commandes_etudes.h"
#include "format.h"

#include "analysis/echelle_poles_zeros.h"
#include "analysis/frequences.h"
#include "analysis/temps.h"
#include "document/boucle.h"
#include "document/etude_parametree.h"
#include "document/etudes_systeme.h"
#include "document/fichier_fdt.h"
#include "plot/surface_decalee.h"
#include "studies/carte_poles_zeros.h"
#include "studies/trace_frequentiel.h"
#include "studies/trace_temporel.h"

#ifdef VARLEM_AVEC_QT
#include "plot/qt/copie_vectorielle.h"

#include <QGuiApplication>
#endif

#include <cstdio>
#include <string>

#include <cstdlib>
#include <string_view>
#include <sys/stat.h>
#include <unistd.h>

namespace varlem::calc {

namespace {

// Sets the study up as its window would and returns the drawing of what the window shows.
[[maybe_unused]] std::function<void(surface&)> preparer_dessin(const options_tracer& o,
                                                               systeme& sys, reglages& reg) {
    using vue = etude_a_tracer::vue;
    const etude_a_tracer& e = o.etude;
    if (e.genre == vue::frequentielle || e.genre == vue::bode) {
        sys.etudes.frequence_ouverte = true;
        preparer_frequences(reg.frequence, true, sys);
        sys.etudes.etude_freq_choisie = e.diagramme_choisi;
        if (e.genre == vue::frequentielle)
            return
                [&sys, &reg](surface& s) { tracer_frequentiel(s, reg.frequence, reg.graphe, sys); };
        // The Bode view: the gain diagram above the phase diagram, each on half the height.
        sys.etudes.bode_double = true;
        return [&sys, &reg](surface& s) {
            const int moitie = s.hauteur() / 2;
            surface_decalee haut(s, 0, 0, s.largeur(), moitie);
            surface_decalee bas(s, 0, moitie, s.largeur(), s.hauteur() - moitie);
            tracer_frequentiel(haut, reg.frequence, reg.graphe, sys, diagramme::gain);
            tracer_frequentiel(bas, reg.frequence, reg.graphe, sys, diagramme::phase);
        };
    }
    if (e.genre == vue::poles_zeros) {
        const fdt_travail& ft = sys.fonctions[static_cast<std::size_t>(sys.slot_etudie())];
        echelle_auto_pz(ft, reg.pz);
        return [&ft, &reg](surface& s) { tracer_poles_zeros(s, ft, reg.pz, reg.graphe); };
    }
    sys.etudes.temps_ouverte = true;
    sys.etudes.etude_temps_choisie = e.entree;
    // The time window is 30 pixels wider than its picture and takes N from its own width.
    reg.temps.nb_points = nb_points_fenetre(o.largeur + 30);
    calculer_reponse_temps(reg.temps, true, sys, reg);
    return [&sys, &reg](surface& s) { tracer_temporel(s, reg.temps, sys, reg); };
}

// The system drawn: a file, or the typed functions, then the loop when asked; 0 or the exit status.
[[maybe_unused]] int preparer_systeme(const options_tracer& o, systeme& sys, reglages& reg) {
    if (!o.fichier_systeme.empty()) {
        sys.lettre_variable = o.variable;
        const resultat_fichier l = lire_systeme(sys, reg, o.fichier_systeme);
        if (!l.reussi()) {
            std::fprintf(stderr, "%s\n", l.message().c_str());
            return statut_fichier_refuse;
        }
    } else if (!construire_systeme(o.fonctions, sys)) {
        return statut_fonction_refusee;
    }
    if (sys.nb_fonctions == 0) {
        std::fprintf(stderr, "Le système ne contient aucune fonction.\n");
        return statut_fonction_refusee;
    }
    if (o.courante > 0) {
        sys.etudes.toutes_fonctions = false;
        sys.fonction_courante = std::min(o.courante, sys.nb_fonctions);
    }
    if (o.boucle)
        if (const int statut = boucler(sys, reg, o.retour, o.kp, o.ti, o.td, o.avec_i); statut != 0)
            return statut;
    appliquer_unites(o.unites, reg);
    appliquer_entree(o.e, reg);
    return 0;
}

} // namespace

int commande_tracer(const options_tracer& o) {
#ifdef VARLEM_AVEC_QT
    systeme sys;
    reglages reg;
    if (const int statut = preparer_systeme(o, sys, reg); statut != 0) return statut;
    // No display is needed to draw into files; Qt also wants a private runtime folder.
    if (!std::getenv("QT_QPA_PLATFORM")) setenv("QT_QPA_PLATFORM", "offscreen", 1);
    if (!std::getenv("XDG_RUNTIME_DIR")) {
        const std::string dossier = "/tmp/varlem-calc-" + std::to_string(getuid());
        mkdir(dossier.c_str(), 0700);
        setenv("XDG_RUNTIME_DIR", dossier.c_str(), 1);
    }
    int argc = 1;
    char nom[] = "varlem-calc";
    char* argv[] = {nom, nullptr};
    QGuiApplication application(argc, argv);
    const auto dessin = preparer_dessin(o, sys, reg);
    switch (enregistrer_dessin(QString::fromStdString(o.sortie), o.largeur, o.hauteur, dessin)) {
    case resultat_export::reussi:
        return 0;
    case resultat_export::extension_inconnue:
        std::fprintf(stderr, "varlem-calc : extension inconnue (.png, .svg ou .pdf) : %s\n",
                     o.sortie.c_str());
        return 1;
    case resultat_export::taille_invalide:
        std::fprintf(stderr, "varlem-calc : taille invalide\n");
        return 1;
    case resultat_export::erreur_ecriture:
        std::fprintf(stderr, "Impossible d'écrire le fichier %s.\n", o.sortie.c_str());
        return 3;
    }
    return 3;
#else
    (void)o;
    std::fprintf(stderr, "varlem-calc : tracer demande la bibliothèque Qt.\n");
    return 1;
#endif
}

} // namespace varlem::calc
