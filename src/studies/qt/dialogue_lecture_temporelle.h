#pragma once
// The time values readout "Valeurs temporelles": a time cursor walked along the current
// function's response, with the response read there.

#include "studies/qt/dialogue_lecture.h"

namespace varlem {

/// Readout of the time study window.
class dialogue_lecture_temporelle : public dialogue_lecture {
    Q_OBJECT
  public:
    dialogue_lecture_temporelle(contexte_fenetres& ctx, std::function<void()> redessiner,
                                QWidget* parent);

    /// Opens the readout at t = 0 and marks the cursor on the plot.
    void ouvrir();
    /// Moves the cursor to time t (a click on the plot) and shows the response there.
    void placer(double t);
    void actualiser() override;

  protected:
  private:
    void apres_deplacement();

    etiquette_valeur* t_;
    etiquette_valeur* y_;
    QPushButton* detail_;
    QGroupBox* indicielle_;
    std::vector<ligne_lecture> lignes_;
};

} // namespace varlem
