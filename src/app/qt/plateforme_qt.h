#pragma once
// The desktop's services through Qt's own dialogs (print dialog included) and clipboard.

#include "studies/qt/plateforme.h"

namespace varlem {

/// Qt message boxes, input box, file dialogs, colour and font dialogs and clipboard.
class plateforme_qt final : public plateforme {
  public:
    reponse question(QWidget* parent, const QString& texte) override;
    QString saisir_texte(QWidget* parent, const QString& titre, const QString& invite,
                         const QString& defaut) override;
    std::optional<QString> fichier_a_ouvrir(QWidget* parent, const choix_fichier& c) override;
    std::optional<QString> fichier_a_enregistrer(QWidget* parent, const choix_fichier& c) override;
    std::optional<couleur> choisir_couleur(QWidget* parent, couleur initiale) override;
    std::optional<QFont> choisir_police(QWidget* parent, const QFont& initiale) override;
    void erreur(QWidget* parent, const QString& texte) override;
    void copier_texte(const QString& texte) override;
    void copier_dessin(int w, int h, const dessin& d) override;
    bool choisir_imprimante(QWidget* parent, QPrinter& imprimante) override;
};

} // namespace varlem
