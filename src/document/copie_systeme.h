#pragma once
// The plain text of the whole system that "Copier" puts on the clipboard.

#include "document/systeme.h"

#include <string>

namespace varlem {

/// The header line, then each function as numerator, a bar of 21 underscores, denominator and
/// an empty line (CR LF line ends); with the loop closed, the closed-loop function once.
std::string copier_systeme(const systeme& s);

} // namespace varlem
