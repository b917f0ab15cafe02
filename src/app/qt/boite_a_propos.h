#pragma once
// The about box of the "Aide" menu: the program's icon, name, version and purpose.

#include <QDialog>

class QPushButton;

namespace varlem {

/// About box captioned "A propos", created once and shown modally on demand.
class boite_a_propos : public QDialog {
    Q_OBJECT
  public:
    /// Smallest width of the box's client area, in pixels (wider if its texts need it).
    static constexpr int largeur_min = 298;
    /// Smallest height of the box's client area, in pixels (taller if its texts need it).
    static constexpr int hauteur_min = 218;

    /// Creates the box hidden.
    explicit boite_a_propos(QWidget* parent = nullptr);

    /// Shows the box centred on the screen and waits until "OK" (or Enter) closes it.
    void montrer();

    /// The "OK" button, the box's default button.
    QPushButton* bouton_ok() const { return ok_; }

  private:
    QPushButton* ok_;
};

} // namespace varlem
