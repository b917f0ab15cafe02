// varlem-calc: the analysis of transfer functions from the command line, with JSON output.
// This is the only translation unit that includes CLI11. Each command is declared by one
// function below, which returns what runs once the line is read; `main` lists them.
#include "commandes.h"
#include "commandes_cours.h"
#include "commandes_document.h"
#include "commandes_etudes.h"
#include "commandes_stabilite.h"

#include <CLI/CLI.hpp>

#include <cstdio>
#include <functional>
#include <iostream>
#include <memory>
#include <sstream>

namespace {

using namespace varlem::calc;

/// A declared command: its parser and what it runs; a non-empty `erreur` is a mistake on the
/// command line, reported with the usage.
struct commande_declaree {
    CLI::App* sous = nullptr;
    std::function<int(std::string& erreur)> executer;
};

void options_variable(CLI::App& sous, std::string& variable) {
    sous.add_option("--variable", variable, "lettre de la variable de Laplace")
        ->check(CLI::IsMember({"p", "s"}));
}

void options_fonction(CLI::App& sous, fonction_saisie& f, std::string& variable) {
    sous.add_option("NUM", f.num,
                    "numérateur, par exemple (1+p)(1+2p) ou -4 (après -- s'il commence par -p)")
        ->required();
    sous.add_option("DEN", f.den, "dénominateur")->required();
    sous.add_option("--retard", f.retard, "retard pur τ en s, la fonction étant N/D·e^(−τp)")
        ->check(CLI::NonNegativeNumber);
    options_variable(sous, variable);
}

void options_unites_cli(CLI::App& sous, options_unites& u) {
    auto* hertz = sous.add_flag("--hertz", u.hertz, "axes en Hz (par défaut)");
    sous.add_flag("--rad", u.rad, "axes en rad/s")->excludes(hertz);
    sous.add_flag("--degres", u.degres, "phase en degrés");
}

void options_entree_cli(CLI::App& sous, options_entree& e) {
    sous.add_option("--amplitude", e.amplitude, "amplitude du sinus");
    sous.add_option("--pulsation", e.pulsation, "pulsation du sinus en rad/s");
    sous.add_option("--phase", e.phase, "phase à l'origine du sinus en rad");
    sous.add_option("--frequence", e.frequence, "fréquence du signal périodique en Hz");
    sous.add_option("--periodes", e.periodes, "nombre de périodes montrées");
    sous.add_option("--max", e.max, "niveau haut du signal périodique");
    sous.add_option("--min", e.min, "niveau bas du signal périodique");
    sous.add_option("--rapport", e.rapport, "rapport cyclique, 0 à 1");
    sous.add_option_function<std::string>(
            "--depart", [&e](const std::string& lettre) { e.depart = depart_de_lettre(lettre); },
            "1 maxi, 2 mini, 3 nul au départ")
        ->check(CLI::IsMember({"1", "2", "3"}));
    sous.add_option("--precision", e.precision, "précision des calculs périodiques")
        ->check(CLI::Range(1, 11));
}

void options_correcteur_cli(CLI::App& sous, double& kp, double& ti, double& td, bool& avec_i,
                            std::vector<std::string>& retour) {
    sous.add_option("--kp", kp, "gain P du correcteur");
    sous.add_option("--ti", ti, "constante de temps intégrale");
    sous.add_option("--td", td, "constante de temps dérivée");
    sous.add_flag("--avec-i", avec_i, "action intégrale");
    sous.add_option("--retour", retour, "NUM DEN du retour R(p)")->expected(2);
}

// Parses "800x600"; false when it is not two positive integers.
bool lire_taille(const std::string& t, int& w, int& h) {
    char x = 0;
    std::istringstream s(t);
    return (s >> w >> x >> h) && x == 'x' && w > 0 && h > 0 && w <= 20000 && h <= 20000 &&
           s.peek() == std::char_traits<char>::eof();
}

commande_declaree declarer_analyse(CLI::App& app) {
    auto f = std::make_shared<fonction_saisie>();
    auto variable = std::make_shared<std::string>("p");
    CLI::App* sous = app.add_subcommand("analyse", "pôles, zéros, gain et décomposition");
    options_fonction(*sous, *f, *variable);
    return {sous, [=](std::string&) {
                f->variable = (*variable)[0];
                return commande_analyse(*f);
            }};
}

commande_declaree declarer_frequence(CLI::App& app) {
    auto o = std::make_shared<options_frequence>();
    auto unites = std::make_shared<options_unites>();
    auto variable = std::make_shared<std::string>("p");
    CLI::App* sous = app.add_subcommand("frequence", "réponse fréquentielle T(jω)");
    options_fonction(*sous, o->f, *variable);
    CLI::Option* omega =
        sous->add_option("--omega", o->omegas, "pulsations en rad/s, W1,W2,...")->delimiter(',');
    options_unites_cli(*sous, *unites);
    return {sous, [=](std::string&) {
                o->f.variable = (*variable)[0];
                if (omega->count() == 0) return commande_etude_frequence({o->f, *unites});
                return commande_frequence(*o);
            }};
}

commande_declaree declarer_temps(CLI::App& app) {
    auto o = std::make_shared<options_temps>();
    auto e = std::make_shared<options_entree>();
    auto variable = std::make_shared<std::string>("p");
    auto entree = std::make_shared<std::string>("I");
    auto points = std::make_shared<int>(200);
    CLI::App* sous = app.add_subcommand("temps", "réponse temporelle");
    options_fonction(*sous, o->f, *variable);
    sous->add_option("--entree", *entree, "I, E, R, S ; sans --t aussi C carré, T triangle")
        ->check(CLI::IsMember({"I", "E", "R", "S", "C", "T"}));
    CLI::Option* instants =
        sous->add_option("--t", o->instants, "instants en s, T1,T2,...")->delimiter(',');
    sous->add_option("--points", *points, "nombre de pas N de l'étude")
        ->check(CLI::Range(1, 100000));
    options_entree_cli(*sous, *e);
    options_boucle_fermee& b = o->boucle;
    options_correcteur_cli(*sous, b.kp, b.ti, b.td, b.avec_i, b.retour);
    return {sous, [=](std::string& erreur) {
                o->f.variable = (*variable)[0];
                o->entree = entree_de_lettre(*entree);
                // Any loop option gives the response of the closed loop.
                for (const char* option : {"--kp", "--ti", "--td", "--avec-i", "--retour"})
                    o->boucle.boucle |= sous->count(option) > 0;
                if (instants->count() == 0)
                    return commande_etude_temps({o->f, o->entree, *points, *e, o->boucle});
                if (entree_periodique(o->entree)) {
                    erreur = CLI::ValidationError("--entree", "C et T seulement sans --t").what();
                    return 1;
                }
                o->amplitude = e->amplitude;
                o->pulsation = e->pulsation;
                o->phase = e->phase;
                return commande_temps(*o);
            }};
}

commande_declaree declarer_tracer(CLI::App& app) {
    auto o = std::make_shared<options_tracer>();
    auto etude = std::make_shared<std::string>("G");
    auto taille = std::make_shared<std::string>("800x600");
    auto variable = std::make_shared<std::string>("p");
    auto fonctions = std::make_shared<std::vector<std::pair<std::string, std::string>>>();
    CLI::App* sous = app.add_subcommand("tracer", "dessin d'une étude en PNG, SVG ou PDF");
    sous->add_option("--etude", *etude, "G P D M B N (fréquence), I E R S C T (temps), Z (pôles)")
        ->check(CLI::IsMember({"G", "P", "D", "M", "B", "N", "I", "E", "R", "S", "C", "T", "Z"}))
        ->required();
    CLI::Option* fonction =
        sous->add_option("--fonction", *fonctions, "NUM DEN, une fois par fonction (8 au plus)");
    sous->add_option("--systeme", o->fichier_systeme, "fichier .fdt du système")
        ->excludes(fonction);
    sous->add_flag("--boucle", o->boucle, "boucler la fonction courante");
    options_correcteur_cli(*sous, o->kp, o->ti, o->td, o->avec_i, o->retour);
    sous->add_option("--courante", o->courante, "seulement la fonction K")->check(CLI::Range(1, 8));
    sous->add_option("--taille", *taille, "LARGEURxHAUTEUR en pixels");
    options_variable(*sous, *variable);
    sous->add_option("-o", o->sortie, "fichier .png, .svg ou .pdf")->required();
    options_unites_cli(*sous, o->unites);
    options_entree_cli(*sous, o->e);
    return {sous, [=](std::string& erreur) {
                if (!lire_taille(*taille, o->largeur, o->hauteur)) {
                    erreur = CLI::ValidationError("--taille", "attendu LARGEURxHAUTEUR").what();
                    return 1;
                }
                if (fonctions->empty() && o->fichier_systeme.empty()) {
                    erreur = CLI::RequiredError("--fonction ou --systeme").what();
                    return 1;
                }
                for (const auto& [num, den] : *fonctions)
                    o->fonctions.push_back({num, den, (*variable)[0]});
                o->variable = (*variable)[0];
                o->etude = etude_de_lettre(*etude);
                return commande_tracer(*o);
            }};
}

commande_declaree declarer_boucle(CLI::App& app) {
    auto o = std::make_shared<options_boucle>();
    auto variable = std::make_shared<std::string>("p");
    CLI::App* sous = app.add_subcommand("boucle", "boucle fermée avec correcteur PID");
    options_fonction(*sous, o->f, *variable);
    options_correcteur_cli(*sous, o->kp, o->ti, o->td, o->avec_i, o->retour);
    return {sous, [=](std::string&) {
                o->f.variable = (*variable)[0];
                return commande_boucle(*o);
            }};
}

commande_declaree declarer_caracteristiques(CLI::App& app) {
    auto o = std::make_shared<options_caracteristiques>();
    auto variable = std::make_shared<std::string>("p");
    CLI::App* sous = app.add_subcommand("caracteristiques",
                                        "marges, bande passante, résonance et réponse indicielle");
    options_fonction(*sous, o->f, *variable);
    options_correcteur_cli(*sous, o->kp, o->ti, o->td, o->avec_i, o->retour);
    return {sous, [=](std::string&) {
                o->f.variable = (*variable)[0];
                for (const char* option : {"--kp", "--ti", "--td", "--avec-i", "--retour"})
                    o->boucle |= sous->count(option) > 0;
                return commande_caracteristiques(*o);
            }};
}

commande_declaree declarer_gabarit(CLI::App& app) {
    auto o = std::make_shared<options_gabarit>();
    auto lettre = std::make_shared<std::string>();
    auto variable = std::make_shared<std::string>("p");
    CLI::App* sous =
        app.add_subcommand("gabarit", "gabarit de filtre du premier ou du second ordre");
    sous->add_option("GABARIT", *lettre, "P H (ordre 1), B I D C (ordre 2)")
        ->check(CLI::IsMember({"P", "H", "B", "I", "D", "C"}))
        ->required();
    sous->add_option("--valeur", o->valeur, "w0 (ordre 1) ou m (ordre 2)")->required();
    options_variable(*sous, *variable);
    return {sous, [=](std::string&) {
                o->gabarit = gabarit_de_lettre(*lettre);
                o->variable = (*variable)[0];
                return commande_gabarit(*o);
            }};
}

commande_declaree declarer_systeme(CLI::App& app) {
    auto o = std::make_shared<options_systeme>();
    auto variable = std::make_shared<std::string>("p");
    CLI::App* sous = app.add_subcommand("systeme", "fonctions d'un fichier .fdt");
    sous->add_option("FICHIER", o->fichier, "fichier .fdt")->required();
    options_variable(*sous, *variable);
    return {sous, [=](std::string&) {
                o->variable = (*variable)[0];
                return commande_systeme(*o);
            }};
}

commande_declaree declarer_asymptotes(CLI::App& app) {
    auto f = std::make_shared<fonction_saisie>();
    auto variable = std::make_shared<std::string>("p");
    CLI::App* sous = app.add_subcommand("asymptotes", "diagrammes de Bode asymptotiques");
    options_fonction(*sous, *f, *variable);
    return {sous, [=](std::string&) {
                f->variable = (*variable)[0];
                return commande_asymptotes(*f);
            }};
}

commande_declaree declarer_abaque(CLI::App& app) {
    auto o = std::make_shared<options_abaque>();
    auto module = std::make_shared<double>(0.0);
    auto phase = std::make_shared<double>(0.0);
    CLI::App* sous = app.add_subcommand("abaque", "un contour de l'abaque de Black-Nichols");
    CLI::Option* m =
        sous->add_option("--module-db", *module, "iso-module de la boucle fermée en dB");
    CLI::Option* p = sous->add_option("--phase-deg", *phase,
                                      "iso-phase de la boucle fermée en degrés, entre -180 et 180")
                         ->excludes(m);
    sous->add_option("--gain-min", o->gain_min_db, "bas de la fenêtre en dB");
    sous->add_option("--gain-max", o->gain_max_db, "haut de la fenêtre en dB");
    return {sous, [=](std::string& erreur) {
                if (m->count() == 0 && p->count() == 0) {
                    erreur = CLI::RequiredError("--module-db ou --phase-deg").what();
                    return 1;
                }
                if (p->count() > 0 && !(*phase > -180 && *phase < 180 && *phase != 0)) {
                    erreur =
                        CLI::ValidationError("--phase-deg", "entre -180 et 180, non nul").what();
                    return 1;
                }
                if (!(o->gain_min_db < o->gain_max_db)) {
                    erreur = CLI::ValidationError("--gain-min", "inférieur à --gain-max").what();
                    return 1;
                }
                if (m->count() > 0) o->module_db = *module;
                if (p->count() > 0) o->phase_deg = *phase;
                return commande_abaque(*o);
            }};
}

// The options shared by the stability commands: the loop's, noted when given.
void options_stabilite_cli(CLI::App& sous, options_stabilite& o, std::string& variable) {
    options_variable(sous, variable);
    options_correcteur_cli(sous, o.kp, o.ti, o.td, o.avec_i, o.retour);
}

void noter_boucle(const CLI::App& sous, options_stabilite& o, const std::string& variable) {
    o.variable = variable[0];
    for (const char* option : {"--kp", "--ti", "--td", "--avec-i", "--retour"})
        o.boucle |= sous.count(option) > 0;
}

commande_declaree declarer_lieu(CLI::App& app) {
    auto o = std::make_shared<options_stabilite>();
    auto variable = std::make_shared<std::string>("p");
    CLI::App* sous = app.add_subcommand("lieu", "lieu d'Evans de 1 + K·NUM/DEN");
    sous->add_option("NUM DEN", o->textes, "numérateur et dénominateur")->required()->expected(2);
    options_stabilite_cli(*sous, *o, *variable);
    sous->add_flag("--complementaire", o->complementaire, "aussi le lieu pour K < 0");
    return {sous, [=](std::string&) {
                noter_boucle(*sous, *o, *variable);
                return commande_lieu(*o);
            }};
}

commande_declaree declarer_routh(CLI::App& app) {
    auto o = std::make_shared<options_stabilite>();
    auto variable = std::make_shared<std::string>("p");
    CLI::App* sous = app.add_subcommand(
        "routh", "tableau de Routh de POLY, ou de NUM DEN (dénominateur, ou polynôme "
                 "caractéristique de la boucle fermée avec les options de boucle)");
    sous->add_option("POLY", o->textes, "POLY, ou NUM DEN")->required()->expected(1, 2);
    options_stabilite_cli(*sous, *o, *variable);
    return {
        sous, [=](std::string& erreur) {
            noter_boucle(*sous, *o, *variable);
            if (o->boucle && o->textes.size() != 2) {
                erreur =
                    CLI::ValidationError("POLY", "les options de boucle demandent NUM DEN").what();
                return 1;
            }
            return commande_routh(*o);
        }};
}

commande_declaree declarer_nyquist(CLI::App& app) {
    auto o = std::make_shared<options_stabilite>();
    auto variable = std::make_shared<std::string>("p");
    CLI::App* sous = app.add_subcommand("nyquist", "critère de Nyquist de K·NUM/DEN");
    sous->add_option("NUM DEN", o->textes, "numérateur et dénominateur")->required()->expected(2);
    options_stabilite_cli(*sous, *o, *variable);
    return {sous, [=](std::string&) {
                noter_boucle(*sous, *o, *variable);
                return commande_nyquist(*o);
            }};
}

// Usage on standard error and status 1 for any mistake on the command line.
int erreur_ligne(const CLI::App& app, const std::string& message) {
    std::fprintf(stderr, "varlem-calc : %s\n\n", message.c_str());
    std::cerr << app.help();
    return 1;
}

} // namespace

int main(int argc, char** argv) {
    CLI::App app{"Analyse de fonctions de transfert, résultats en JSON.", "varlem-calc"};
    app.require_subcommand(1);
    const std::vector<commande_declaree> commandes = {
        declarer_analyse(app), declarer_frequence(app), declarer_temps(app),
        declarer_tracer(app),  declarer_boucle(app),    declarer_caracteristiques(app),
        declarer_gabarit(app), declarer_systeme(app),   declarer_asymptotes(app),
        declarer_abaque(app),  declarer_lieu(app),      declarer_routh(app),
        declarer_nyquist(app),
    };
    try {
        app.parse(argc, argv);
    } catch (const CLI::CallForHelp&) {
        std::cout << app.help();
        return 0;
    } catch (const CLI::CallForAllHelp&) {
        std::cout << app.help("", CLI::AppFormatMode::All);
        return 0;
    } catch (const CLI::ParseError& e) {
        return erreur_ligne(app, e.what());
    }
    for (const commande_declaree& c : commandes) {
        if (!c.sous->parsed()) continue;
        std::string erreur;
        const int statut = c.executer(erreur);
        return erreur.empty() ? statut : erreur_ligne(app, erreur);
    }
    return 1;
}
