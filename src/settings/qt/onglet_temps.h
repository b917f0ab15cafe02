#pragma once
// The "Etude temps" tab of the settings dialog: the sine input and its pulsation slider, the
// curves shown beside the response and the precision of the periodic computations.

#include "settings/edition_reglages.h"
#include "studies/qt/contexte_fenetres.h"

#include <QWidget>

#include <string_view>

class QCheckBox;
class QGroupBox;
class QLabel;
class QProgressBar;
class QSlider;
class QSpinBox;

namespace varlem {

class etiquette_cliquable;

/// Tab "Etude temps": sine edits recompute the time responses at once; the precision of the
/// periodic computations waits for the dialog's "OK".
class onglet_temps : public QWidget {
    Q_OBJECT
  public:
    /// The tab's controls, connected to the settings' edits.
    explicit onglet_temps(contexte_fenetres& ctx, QWidget* parent = nullptr);

    /// Shows the stored settings: the study in progress, the loop picture, the sine texts, the
    /// slider, the boxes and the precision.
    void afficher();

  private:
    void creer_valeurs_sinus();
    void creer_curseur();
    void creer_cases_et_precision();
    QGroupBox* groupe_sinus();
    QGroupBox* groupe_periodiques();
    /// Asks for a sine value and runs the edit `saisir` makes of it.
    void au_clic_valeur(etiquette_cliquable* etiquette, const QString& invite, double actuelle,
                        effet_reglage (*saisir)(etude_temps&, const etat_etudes&,
                                                std::string_view));
    void au_clic_borne(etiquette_cliquable* etiquette, const QString& invite, double actuelle,
                       effet_reglage (*saisir)(etude_temps&, std::string_view));
    void placer_curseur(int position);

    contexte_fenetres& ctx_;
    QLabel* etude_;
    QLabel* ouverte_;
    QLabel* fermee_;
    etiquette_cliquable* amplitude_;
    etiquette_cliquable* pulsation_;
    etiquette_cliquable* phase_;
    etiquette_cliquable* pulsation_min_;
    etiquette_cliquable* pulsation_max_;
    QSlider* curseur_;
    QCheckBox* entree_;
    QCheckBox* non_corrige_;
    QSpinBox* precision_;
    QProgressBar* jauge_;
    /// Values the amplitude and phase labels were last written for: the labels keep the form's
    /// texts until the settings move away from them.
    double amplitude_montree_;
    double phase_montree_;
};

} // namespace varlem
