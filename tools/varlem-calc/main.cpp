// varlem-calc: the analysis of transfer functions from the command line, with JSON output.
// This is the only translation unit that includes CLI11.
#include "commandes.h"
#include "commandes_document.h"
#include "commandes_etudes.h"

#include <CLI/CLI.hpp>

#include <cstdio>
#include <iostream>
#include <sstream>

namespace {

using namespace varlem::calc;

void options_fonction(CLI::App& sous, fonction_saisie& f, std::string& variable) {
    sous.add_option("NUM", f.num, "numérateur, par exemple (1+p)(1+2p)")->required();
    sous.add_option("DEN", f.den, "dénominateur")->required();
    sous.add_option("--variable", variable, "lettre de la variable de Laplace")
        ->check(CLI::IsMember({"p", "s"}));
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
    sous.add_option("--depart", e.depart, "1 maxi, 2 mini, 3 nul au départ")
        ->check(CLI::IsMember({'1', '2', '3'}));
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

// Usage on standard error and status 1 for any mistake on the command line.
int erreur_ligne(const CLI::App& app, const CLI::ParseError& e) {
    std::fprintf(stderr, "varlem-calc : %s\n\n", e.what());
    std::cerr << app.help();
    return 1;
}

} // namespace

int main(int argc, char** argv) {
    CLI::App app{"Analyse de fonctions de transfert, résultats en JSON.", "varlem-calc"};
    app.require_subcommand(1);

    fonction_saisie analyse;
    std::string var_analyse = "p";
    auto* sous_analyse = app.add_subcommand("analyse", "pôles, zéros, gain et décomposition");
    options_fonction(*sous_analyse, analyse, var_analyse);

    options_frequence frequence;
    std::string var_frequence = "p";
    auto* sous_frequence = app.add_subcommand("frequence", "réponse fréquentielle T(jω)");
    options_fonction(*sous_frequence, frequence.f, var_frequence);
    auto* opt_omega =
        sous_frequence->add_option("--omega", frequence.omegas, "pulsations en rad/s, W1,W2,...")
            ->delimiter(',');
    options_unites unites;
    options_unites_cli(*sous_frequence, unites);

    options_temps temps;
    std::string var_temps = "p", entree = "I";
    auto* sous_temps = app.add_subcommand("temps", "réponse temporelle");
    options_fonction(*sous_temps, temps.f, var_temps);
    sous_temps->add_option("--entree", entree, "I, E, R, S ; sans --t aussi C carré, T triangle")
        ->check(CLI::IsMember({"I", "E", "R", "S", "C", "T"}));
    auto* opt_t = sous_temps->add_option("--t", temps.instants, "instants en s, T1,T2,...")
                      ->delimiter(',');
    int points = 200;
    sous_temps->add_option("--points", points, "nombre de pas N de l'étude")->check(CLI::Range(1, 100000));
    options_entree entree_temps;
    options_entree_cli(*sous_temps, entree_temps);

    options_tracer tracer;
    std::string etude = "G", taille = "800x600", var_tracer = "p";
    std::vector<std::pair<std::string, std::string>> fonctions;
    auto* sous_tracer = app.add_subcommand("tracer", "dessin d'une étude en PNG, SVG ou PDF");
    sous_tracer->add_option("--etude", etude, "G P D M B N (fréquence), I E R S C T (temps), Z (pôles)")
        ->check(CLI::IsMember({"G", "P", "D", "M", "B", "N", "I", "E", "R", "S", "C", "T", "Z"}))
        ->required();
    auto* opt_fonction =
        sous_tracer->add_option("--fonction", fonctions, "NUM DEN, une fois par fonction (8 au plus)");
    sous_tracer->add_option("--systeme", tracer.fichier_systeme, "fichier .fdt du système")
        ->excludes(opt_fonction);
    sous_tracer->add_flag("--boucle", tracer.boucle, "boucler la fonction courante");
    options_correcteur_cli(*sous_tracer, tracer.kp, tracer.ti, tracer.td, tracer.avec_i, tracer.retour);
    sous_tracer->add_option("--courante", tracer.courante, "seulement la fonction K")->check(CLI::Range(1, 8));
    sous_tracer->add_option("--taille", taille, "LARGEURxHAUTEUR en pixels");
    sous_tracer->add_option("--variable", var_tracer, "lettre de la variable de Laplace")
        ->check(CLI::IsMember({"p", "s"}));
    sous_tracer->add_option("-o", tracer.sortie, "fichier .png, .svg ou .pdf")->required();
    options_unites_cli(*sous_tracer, tracer.unites);
    options_entree_cli(*sous_tracer, tracer.e);

    options_boucle boucle;
    std::string var_boucle = "p";
    auto* sous_boucle = app.add_subcommand("boucle", "boucle fermée avec correcteur PID");
    options_fonction(*sous_boucle, boucle.f, var_boucle);
    options_correcteur_cli(*sous_boucle, boucle.kp, boucle.ti, boucle.td, boucle.avec_i, boucle.retour);

    options_caracteristiques carac;
    std::string var_carac = "p";
    auto* sous_carac = app.add_subcommand(
        "caracteristiques", "marges, bande passante, résonance et réponse indicielle");
    options_fonction(*sous_carac, carac.f, var_carac);
    options_correcteur_cli(*sous_carac, carac.kp, carac.ti, carac.td, carac.avec_i, carac.retour);

    options_gabarit gabarit;
    std::string lettre_gabarit, var_gabarit = "p";
    auto* sous_gabarit = app.add_subcommand("gabarit", "gabarit de filtre du premier ou du second ordre");
    sous_gabarit->add_option("GABARIT", lettre_gabarit, "P H (ordre 1), B I D C (ordre 2)")
        ->check(CLI::IsMember({"P", "H", "B", "I", "D", "C"}))
        ->required();
    sous_gabarit->add_option("--valeur", gabarit.valeur, "w0 (ordre 1) ou m (ordre 2)")->required();
    sous_gabarit->add_option("--variable", var_gabarit, "lettre de la variable de Laplace")
        ->check(CLI::IsMember({"p", "s"}));

    options_systeme fichier;
    std::string var_fichier = "p";
    auto* sous_systeme = app.add_subcommand("systeme", "fonctions d'un fichier .fdt");
    sous_systeme->add_option("FICHIER", fichier.fichier, "fichier .fdt")->required();
    sous_systeme->add_option("--variable", var_fichier, "lettre de la variable de Laplace")
        ->check(CLI::IsMember({"p", "s"}));

    try {
        app.parse(argc, argv);
    } catch (const CLI::CallForHelp&) {
        std::cout << app.help();
        return 0;
    } catch (const CLI::CallForAllHelp&) {
        std::cout << app.help("", CLI::AppFormatMode::All);
        return 0;
    } catch (const CLI::ParseError& e) {
        return erreur_ligne(app, e);
    }

    if (sous_analyse->parsed()) {
        analyse.variable = var_analyse[0];
        return commande_analyse(analyse);
    }
    if (sous_boucle->parsed()) {
        boucle.f.variable = var_boucle[0];
        return commande_boucle(boucle);
    }
    if (sous_carac->parsed()) {
        carac.f.variable = var_carac[0];
        for (const char* option : {"--kp", "--ti", "--td", "--avec-i", "--retour"})
            carac.boucle |= sous_carac->count(option) > 0;
        return commande_caracteristiques(carac);
    }
    if (sous_gabarit->parsed()) {
        gabarit.gabarit = lettre_gabarit[0];
        gabarit.variable = var_gabarit[0];
        return commande_gabarit(gabarit);
    }
    if (sous_systeme->parsed()) {
        fichier.variable = var_fichier[0];
        return commande_systeme(fichier);
    }
    if (sous_frequence->parsed()) {
        frequence.f.variable = var_frequence[0];
        if (opt_omega->count() == 0) return commande_etude_frequence({frequence.f, unites});
        return commande_frequence(frequence);
    }
    if (sous_tracer->parsed()) {
        if (!lire_taille(taille, tracer.largeur, tracer.hauteur))
            return erreur_ligne(app, CLI::ValidationError("--taille", "attendu LARGEURxHAUTEUR"));
        if (fonctions.empty() && tracer.fichier_systeme.empty())
            return erreur_ligne(app, CLI::RequiredError("--fonction ou --systeme"));
        for (const auto& [num, den] : fonctions) tracer.fonctions.push_back({num, den, var_tracer[0]});
        tracer.variable = var_tracer[0];
        tracer.etude = etude[0];
        return commande_tracer(tracer);
    }
    temps.f.variable = var_temps[0];
    temps.entree = entree[0];
    if (opt_t->count() == 0) return commande_etude_temps({temps.f, temps.entree, points, entree_temps});
    if (temps.entree == 'C' || temps.entree == 'T')
        return erreur_ligne(app, CLI::ValidationError("--entree", "C et T seulement sans --t"));
    temps.amplitude = entree_temps.amplitude;
    temps.pulsation = entree_temps.pulsation;
    temps.phase = entree_temps.phase;
    return commande_temps(temps);
}
