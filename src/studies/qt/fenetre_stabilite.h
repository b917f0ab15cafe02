#pragma once
// The stability window: the Routh table in aligned columns with its special cases explained,
// the root counts, the stable gains with the current gain placed among them and the Nyquist
// verdict of the loop studied, as text the user can read, select and copy, following the
// sliders.

#include "analysis/lieu_evans.h"
#include "document/boucle_stabilite.h"
#include "studies/qt/fenetre_etude.h"

#include <optional>
#include <vector>

class QPlainTextEdit;

namespace varlem {

/// Window "Stabilité": one scrollable text box in a fixed-width font.
class fenetre_stabilite : public fenetre_etude {
    Q_OBJECT
  public:
    /// The window, its text box and its copy command.
    explicit fenetre_stabilite(contexte_fenetres& ctx, QWidget* parent = nullptr);

    /// Opened, shown, the text written.
    void ouvrir() override;
    /// The text again (the stable gains again only when the loop changed).
    void rafraichir(bool reprendre_echelles, bool recalculer) override;
    /// The caption follows the loop's state.
    void changer_mode() override;
    /// The text shown, lines separated by "\n".
    QString texte() const;

  protected:
    void cacher_contenu() override;

  private:
    void ecrire_texte();

    QPlainTextEdit* texte_;
    /// The loop whose stable gains are kept, and those gains.
    std::optional<boucle_stabilite> boucle_;
    std::vector<intervalle_gains> gains_;
};

} // namespace varlem
