#pragma once
// What the tabs of the settings dialog share: the clickable labels, the loop pictures, the
// value prompts and the running of what an edit asks for.

#include "plot/qt/textes_qt.h"
#include "settings/edition_reglages.h"
#include "studies/qt/contexte_fenetres.h"

#include <QPushButton>

#include <optional>
#include <string>

class QAbstractButton;
class QCheckBox;
class QGroupBox;
class QLabel;
class QRadioButton;

namespace varlem {

/// The hint of every label the user clicks to change a setting.
inline constexpr const char* aide_etiquette = "Cliquer pour changer";

/// A label that changes its setting when clicked, or when Space or Enter is pressed while it
/// has the focus: a button drawn as a plain text, with a mnemonic letter and a hand cursor.
class etiquette_cliquable : public QPushButton {
    Q_OBJECT
  public:
    /// A label showing `texte`, `mnemonique` (when it occurs in the text) underlined.
    etiquette_cliquable(const QString& texte, QChar mnemonique, QWidget* parent = nullptr);

    /// Shows a new text, keeping the mnemonic letter; the accessible name follows unless fixed.
    void changer_texte(const QString& texte);
    /// Gives the label a name of its own, whatever text it shows.
    void nommer(const QString& nom);
    /// Draws the text in a colour of the settings (0x00BBGGRR).
    void changer_couleur(couleur c);
    /// The colour the text is drawn in (the palette's text colour until one is given).
    QColor couleur_texte() const;
    /// The text shown, without the mnemonic marker.
    QString texte() const { return texte_; }

    QSize sizeHint() const override;
    QSize minimumSizeHint() const override { return sizeHint(); }

  protected:
    void paintEvent(QPaintEvent* e) override;

  private:
    QString texte_;
    QChar mnemonique_;
    QString nom_;
    std::optional<QColor> couleur_;
};

/// The 32 × 32 picture of the open loop (`fermee` false) or of the closed loop.
QPixmap dessin_boucle(bool fermee);
/// A 32 × 32 picture of the open loop (`fermee` false) or of the closed loop, for the tabs
/// whose settings act differently once the loop is closed.
QLabel* image_boucle(bool fermee, QWidget* parent = nullptr);

/// A check box named after its caption.
QCheckBox* case_a_cocher(const QString& texte);
/// Two exclusive choices in a titled group, each named after its caption.
QGroupBox* groupe_choix(const QString& titre, QRadioButton* premier, QRadioButton* second);
/// Sets a box as the settings hold it, without running its handler.
void cocher_sans_signal(QAbstractButton* b, bool coche);
/// Checks `premier` or `second` as the settings hold it, without running either handler.
void montrer_choix(QRadioButton* premier, QRadioButton* second, bool premier_choisi);

/// Asks for a value in the desktop's input box; cancelling gives `defaut` back.
std::string demander_valeur(contexte_fenetres& ctx, QWidget* fenetre, const QString& titre,
                            const QString& invite, const std::string& defaut);

/// Runs what an edit asks for: its error box, the time responses again, the refresh.
void appliquer(contexte_fenetres& ctx, QWidget* fenetre, const effet_reglage& e);

/// Writes the label of an edit that brought a new text.
void etiqueter(etiquette_cliquable* etiquette, const effet_reglage& e);

} // namespace varlem
