// Fuzz target: any pair of typed texts goes through the whole analysis without a fault.
#include "texte_fuzz.h"

#include <cstddef>
#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* donnees, std::size_t taille) {
    varlem::fdt_travail ft;
    varlem::fuzz::analyser_entree(donnees, taille, ft);
    return 0;
}
