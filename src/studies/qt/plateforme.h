#pragma once
// The services of the desktop that windows ask for: questions, input boxes, file pickers,
// colour and font choosers, the print dialog, the error box and the clipboard. The application
// hands the Qt implementation to every window; tests hand a scripted one.

#include "plot/qt/copie_vectorielle.h"
#include "plot/surface.h"

#include <QFont>
#include <QString>

#include <optional>

class QPrinter;
class QWidget;

namespace varlem {

/// Answer to a question with the buttons "Oui", "Non" and "Annuler".
enum class reponse { oui, non, annuler };

/// What a file picker offers: its caption and its filter ("fichiers *.fdt (*.fdt)").
struct choix_fichier {
    QString titre;
    QString filtre;
};

/// The desktop's services, one object for the whole application.
class plateforme {
  public:
    virtual ~plateforme() = default;

    /// Asks a question with "Oui", "Non" and "Annuler" (closing the box is "Annuler").
    virtual reponse question(QWidget* parent, const QString& texte) = 0;
    /// One-line input box; cancelling gives the default text back.
    virtual QString saisir_texte(QWidget* parent, const QString& titre, const QString& invite,
                                 const QString& defaut) = 0;
    /// Open picker: the chosen file, nothing when cancelled.
    virtual std::optional<QString> fichier_a_ouvrir(QWidget* parent, const choix_fichier& c) = 0;
    /// Save picker: the chosen file, nothing when cancelled.
    virtual std::optional<QString> fichier_a_enregistrer(QWidget* parent,
                                                         const choix_fichier& c) = 0;
    /// Colour chooser starting at `initiale`; nothing when cancelled.
    virtual std::optional<couleur> choisir_couleur(QWidget* parent, couleur initiale) = 0;
    /// Font chooser starting at `initiale`; nothing when cancelled.
    virtual std::optional<QFont> choisir_police(QWidget* parent, const QFont& initiale) = 0;
    /// Error box captioned "Varlem".
    virtual void erreur(QWidget* parent, const QString& texte) = 0;
    /// Puts plain text on the clipboard.
    virtual void copier_texte(const QString& texte) = 0;
    /// Puts a drawing on the clipboard as SVG, PDF and a PNG image, at w × h.
    virtual void copier_dessin(int w, int h, const dessin& d) = 0;
    /// The print dialog over `imprimante`, which it sets up: false when cancelled.
    virtual bool choisir_imprimante(QWidget* parent, QPrinter& imprimante) = 0;
};

} // namespace varlem
