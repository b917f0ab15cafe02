#pragma once
// The frequency values readout "Valeurs fréquentielles": a pulsation cursor walked along the
// current function's response, with the gain and phase read there, the margins, and what the
// course's drawings add: the closed loop on the Black diagram, the asymptotic gain.

#include "studies/qt/dialogue_lecture.h"

namespace varlem {

/// Readout of the frequency study window.
class dialogue_lecture_frequentielle : public dialogue_lecture {
    Q_OBJECT
  public:
    dialogue_lecture_frequentielle(contexte_fenetres& ctx, std::function<void()> redessiner,
                                   QWidget* parent);

    /// Opens the readout at the left end of the axis and marks the cursor on the plot.
    void ouvrir();
    /// Moves the cursor to pulsation w (a click on the plot) and shows the values there.
    void placer(double w);
    void actualiser() override;

  protected:
  private:
    void deplacer(int sens);

    etiquette_valeur* w_;
    etiquette_valeur* gain_;
    etiquette_valeur* phase_;
    std::vector<ligne_lecture> marges_;
    /// The closed loop at the cursor, on the Black diagram.
    std::vector<ligne_lecture> boucle_fermee_;
    QGroupBox* groupe_boucle_fermee_;
    /// The asymptotic gain and its gap to the real one, while the asymptotes are drawn.
    std::vector<ligne_lecture> asymptotes_;
    QGroupBox* groupe_asymptotes_;
};

} // namespace varlem
