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
    explicit fenetre_decomposition(contexte_fenetres& ctx, QWidget* parent = nullptr);

    /// The main window's command: opened flag, text, caption, shown.
    void ouvrir();
    /// The refresh of all studies: the text again (the caption stays).
    void rafraichir();
    /// The text shown, lines separated by "\n".
    QString texte() const;

  protected:
    void cacher_contenu() override;

  private:
    QPlainTextEdit* texte_;
};

} // namespace varlem
