#pragma once
// The small window "Patientez SVP" whose gauge follows a long computation. It appears only
// once the computation has lasted a moment, and the application repaints while it runs.

#include "analysis/periodique.h"

#include <QDialog>
#include <QElapsedTimer>

#include <functional>

class QProgressBar;

namespace varlem {

/// The progress window, created once and shown only during long computations.
class fenetre_attente : public QDialog {
    Q_OBJECT
  public:
    explicit fenetre_attente(QWidget* parent = nullptr);

    /// Runs `calcul`, which reports its progress (0..100) to the callback it is given; the
    /// window shows once `delai_ms` have passed, and is hidden when the computation ends.
    void executer(const std::function<void(const rapport_progression&)>& calcul);
    /// Time a computation runs before the window appears, in milliseconds.
    void regler_delai(int delai_ms) { delai_ms_ = delai_ms; }
    /// The gauge's value.
    int progression() const;

  private:
    void avancer(int pourcentage);

    QProgressBar* jauge_;
    QElapsedTimer chrono_;
    qint64 dernier_affichage_ms_ = 0;
    int delai_ms_ = 300;
};

} // namespace varlem
