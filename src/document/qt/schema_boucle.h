#pragma once
// The loop diagram of the system window: the summing point, the corrector block with its
// three sliders and "Avec I", the block of the looped function, the return block with its two
// clickable boxes, and the lines joining them.

#include <QWidget>

class QCheckBox;
class QLabel;
class QLineEdit;

namespace varlem {

class curseur_etiquete;

/// The closed loop drawn as a block diagram around its controls.
class schema_boucle : public QWidget {
    Q_OBJECT
  public:
    explicit schema_boucle(QWidget* parent = nullptr);

    /// The corrector's sliders.
    curseur_etiquete* curseur_p() const { return p_; }
    curseur_etiquete* curseur_ti() const { return ti_; }
    curseur_etiquete* curseur_td() const { return td_; }
    /// The "Avec I" box.
    QCheckBox* avec_i() const { return avec_i_; }
    /// Shows the return path's texts in its two boxes.
    void montrer_retour(const QString& num, const QString& den);
    /// The name of the looped function's block ("T(p)" or "T(s)").
    void nommer_fonction(const QString& nom);

  signals:
    /// One of the return boxes was clicked (or Space, Enter pressed on it).
    void retour_clique();

  protected:
    void paintEvent(QPaintEvent* e) override;
    bool eventFilter(QObject* o, QEvent* e) override;

  private:
    QRect bloc_correcteur() const;
    QRect bloc_fonction() const;
    QRect bloc_retour() const;

    curseur_etiquete* p_;
    curseur_etiquete* ti_;
    curseur_etiquete* td_;
    QCheckBox* avec_i_;
    QLabel* retour_;
    QLineEdit* retour_num_;
    QLineEdit* retour_den_;
    QString nom_fonction_ = QStringLiteral("T(p)");
};

} // namespace varlem
