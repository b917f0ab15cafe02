#pragma once
// The decomposition window: partial fractions and the values of the poles and zeros of the
// function studied, as text the user can read, select and copy.

#include "studies/qt/fenetre_etude.h"

class QPlainTextEdit;

namespace varlem {

/// Window "Decomposition": one scrollable text box.
class fenetre_decomposition : public fenetre_etude {
    Q_OBJECT
  public:
    /// The window, its text box and its copy command.
    explicit fenetre_decomposition(contexte_fenetres& ctx, QWidget* parent = nullptr);

    /// Opened flag, text, shown, captioned by the loop's state.
    void ouvrir() override;
    bool ouverte() const override;
    /// The text again (the caption stays).
    void rafraichir(bool reprendre_echelles, bool recalculer) override;
    /// The text shown, lines separated by "\n".
    QString texte() const;

  protected:
    void cacher_contenu() override;

  private:
    void ecrire_texte();

    QPlainTextEdit* texte_;
};

} // namespace varlem
