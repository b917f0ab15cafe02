#pragma once
// The part of the system window that tunes the system live: the loop diagram with its PID
// sliders and the closed-loop text while the loop is closed, the template slider while a
// template is studied.

#include "document/boucle.h"
#include "document/etude_parametree.h"
#include "studies/qt/contexte_fenetres.h"

#include <QWidget>

class QLabel;
class QLayout;
class QPlainTextEdit;

namespace varlem {

class curseur_etiquete;
class dialogue_saisie;
class etiquette_valeur;
class schema_boucle;

/// Loop diagram, closed-loop text and template slider; hidden while neither is studied.
class panneau_boucle : public QWidget {
    Q_OBJECT
  public:
    explicit panneau_boucle(contexte_fenetres& ctx, QWidget* parent = nullptr);

    /// The entry dialog that types the return path.
    void relier_dialogue(dialogue_saisie& d) { dialogue_ = &d; }
    /// The loop just closed: the diagram, its sliders at their start and the closed-loop text.
    void montrer_boucle(const fermeture_boucle& f);
    /// The closed-loop text again (after browsing).
    void montrer_texte_boucle(const std::string& texte);
    /// A template just chosen: its slider alone, set as the choice asks (its handler runs when
    /// the position changes).
    void montrer_gabarit(const choix_gabarit& c);
    /// Neither loop nor template: everything hidden.
    void cacher_tout();
    /// P was set from the root locus: the P slider moved there without running its handler,
    /// its labels and the closed-loop text.
    void montrer_gain_lieu(const reglage_gain_lieu& r);

  private:
    QLayout* construire_lectures();
    void relier_curseurs();
    void appliquer(const reglage_curseur& r);
    void au_clic_maximum(curseur_correcteur c, curseur_etiquete* curseur);
    void au_clic_retour();
    // The closed loop's stability and the margins of C·T·R, with every new text of the loop.
    void actualiser_lectures();

    contexte_fenetres& ctx_;
    dialogue_saisie* dialogue_ = nullptr;
    schema_boucle* schema_;
    QPlainTextEdit* texte_boucle_;
    QWidget* lectures_;
    etiquette_valeur* stabilite_;
    etiquette_valeur* marges_;
    curseur_etiquete* gabarit_;
};

} // namespace varlem
