#include "support/donnees.h"

namespace varlem::test {

std::string chemin_donnees(const std::string& nom) {
    return std::string(VARLEM_TEST_DATA) + "/" + nom;
}

std::string chemin_varlem_calc() {
    return VARLEM_CALC_EXE;
}

} // namespace varlem::test
