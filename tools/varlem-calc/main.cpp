// varlem-calc: the analysis of transfer functions from the command line, with JSON output.
// This is the only translation unit that includes CLI11.
#include "commandes.h"

#include <CLI/CLI.hpp>

#include <cstdio>
#include <iostream>

namespace {

using namespace varlem::calc;

void options_fonction(CLI::App& sous, fonction_saisie& f, std::string& variable) {
    sous.add_option("NUM", f.num, "numérateur, par exemple (1+p)(1+2p)")->required();
    sous.add_option("DEN", f.den, "dénominateur")->required();
    sous.add_option("--variable", variable, "lettre de la variable de Laplace")
        ->check(CLI::IsMember({"p", "s"}));
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
    sous_frequence->add_option("--omega", frequence.omegas, "pulsations en rad/s, W1,W2,...")
        ->delimiter(',')
        ->required();

    options_temps temps;
    std::string var_temps = "p", entree = "I";
    auto* sous_temps = app.add_subcommand("temps", "réponse temporelle");
    options_fonction(*sous_temps, temps.f, var_temps);
    sous_temps->add_option("--entree", entree, "I impulsion, E échelon, R rampe, S sinus")
        ->check(CLI::IsMember({"I", "E", "R", "S"}));
    sous_temps->add_option("--t", temps.instants, "instants en s, T1,T2,...")
        ->delimiter(',')
        ->required();
    sous_temps->add_option("--amplitude", temps.amplitude, "amplitude du sinus");
    sous_temps->add_option("--pulsation", temps.pulsation, "pulsation du sinus en rad/s");
    sous_temps->add_option("--phase", temps.phase, "phase à l'origine du sinus en rad");

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
    if (sous_frequence->parsed()) {
        frequence.f.variable = var_frequence[0];
        return commande_frequence(frequence);
    }
    temps.f.variable = var_temps[0];
    temps.entree = entree[0];
    return commande_temps(temps);
}
