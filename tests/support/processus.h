#pragma once
// Runs a program with arguments and collects its output, for end-to-end tests.

#include "support/json_lu.h"

#include <string>
#include <vector>

namespace varlem::test {

/// What a finished program left.
struct resultat_processus {
    int statut = -1;
    std::string sortie;
    std::string erreurs;
};

/// Runs `programme` with `arguments` (no shell) and waits for it.
resultat_processus executer(const std::string& programme,
                            const std::vector<std::string>& arguments);

/// Runs varlem-calc with the arguments.
resultat_processus varlem_calc(const std::vector<std::string>& arguments);

/// Runs varlem-calc, records a test failure unless it succeeds with JSON, and returns the JSON.
json_lu varlem_calc_json(const std::vector<std::string>& arguments);

} // namespace varlem::test
