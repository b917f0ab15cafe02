#pragma once
// Shared helpers of the test suites: test data paths and the companion executable.

#include <string>

namespace varlem::test {

/// Absolute path of a file in tests/data.
std::string chemin_donnees(const std::string& nom);
/// Absolute path of the varlem-calc executable.
std::string chemin_varlem_calc();

} // namespace varlem::test
