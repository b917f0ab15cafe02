#pragma once
// JSON forms of the core's results, shared by the commands.

#include "analysis/caracteristiques.h"
#include "commandes.h"
#include "json.h"
#include "numeric/contexte.h"
#include "numeric/fdt.h"

namespace varlem::calc {

/// [re, im].
json json_complexe(complexe z);
/// Coefficients by power (real parts).
json json_polynome(const polynome& p);
/// The fields of `analyse` for an analysed function: flags, polynomials, gain, roots, terms,
/// direct term and the decomposition text at precision 3.
json json_analyse(const contexte_calcul& ctx, const fdt_travail& ft, bool erreur_syntaxe,
                  bool erreur_degre);
/// The readings as `caracteristiques` prints them (null where a reading does not exist).
json json_caracteristiques(const caracteristiques& c);
/// Prints a JSON value on standard output, followed by a line end.
void imprimer(const json& j);
/// French message of a rejected function, for standard error.
const char* message_refus(bool erreur_syntaxe, bool erreur_degre);
/// Analyses a typed function into ft; when it is rejected, prints the flags as JSON and the
/// message (after `prefixe`) on standard error, and returns false.
bool analyser_ou_refuser(const fonction_saisie& f, contexte_calcul& ctx, fdt_travail& ft,
                         const std::string& prefixe = "");

} // namespace varlem::calc
