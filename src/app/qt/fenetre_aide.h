#pragma once
// The help window of the "Aide" menu: one small window showing either the syntax rules of
// the transfer-function entry or the form of the corrector.

#include <QDialog>

#include <string>

class QPlainTextEdit;

namespace varlem {

/// Help window, created once; each command replaces its caption and its text.
class fenetre_aide : public QDialog {
    Q_OBJECT
  public:
    /// Width of the window's client area, in pixels.
    static constexpr int largeur = 480;
    /// Smallest height of the client area, in pixels (taller if the syntax text needs it).
    static constexpr int hauteur = 245;

    /// Creates the window hidden, with its designed caption "Quelques règles de syntaxe".
    explicit fenetre_aide(QWidget* parent = nullptr);

    /// Shows the window (not modal) with the syntax rules, captioned "Syntaxe à utiliser".
    void montrer_syntaxe();
    /// Shows the window (not modal) with the corrector's transfer function.
    void montrer_correcteur();

    /// The text box filling the window.
    QPlainTextEdit* zone_texte() const { return texte_; }

  private:
    void montrer(const char* titre, const std::string& texte);

    QPlainTextEdit* texte_;
};

} // namespace varlem
