#pragma once
// Qt's painting leaves the upper halves of the vector registers in use (its AVX2 fills return
// without VZEROUPPER), which makes every later scalar libm call about ten times slower: the
// windows' own painting and the plots alike. Cleared before each event, every handler starts
// at full speed.

class QCoreApplication;

namespace varlem {

/// Clears the upper halves of the vector registers now (the application's construction left
/// them in use) and before every event `app` delivers, for as long as it lives.
void liberer_registres_a_chaque_evenement(QCoreApplication& app);

} // namespace varlem
