#pragma once
// Values that assistive technology hears: a label showing a value is named after its caption
// followed by the value as shown, kept current at each change, so that a screen reader reads
// "Valeur du gain -3.0103" rather than the caption alone.

#include <QLabel>
#include <QString>

namespace varlem {

/// The accessible name of a value shown under a caption: the caption, a space, the value, its
/// line breaks read as commas; the caption alone while no value is shown.
QString nom_avec_valeur(const QString& legende, const QString& valeur);

/// Names `w` after `legende` and the value it shows.
void nommer_valeur(QWidget* w, const QString& legende, const QString& valeur);

/// A label showing a value, heard as its caption followed by the value.
class etiquette_valeur : public QLabel {
    Q_OBJECT
  public:
    /// An empty label heard as `legende` until it shows a value; its object name is the
    /// caption, so that it can be found by what it is whatever it shows.
    explicit etiquette_valeur(const QString& legende, QWidget* parent = nullptr);

    /// Shows `valeur`; the accessible name follows. Hides QLabel::setText, so that every text
    /// written through this class is heard.
    void setText(const QString& valeur);
    /// A new caption, heard before the value shown.
    void changer_legende(const QString& legende);
    /// The caption heard before the value.
    const QString& legende() const { return legende_; }

  private:
    QString legende_;
};

} // namespace varlem
