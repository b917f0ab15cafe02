#pragma once
// The desktop's services for window tests: answers queued in advance, messages and clipboard
// contents recorded. An answer that was not queued is the cancel of that box.

#include "studies/qt/contexte_fenetres.h"
#include "studies/qt/plateforme.h"

#include <QString>
#include <QStringList>

#include <deque>
#include <optional>
#include <vector>

namespace varlem::test {

/// Scripted platform: each box takes the next queued answer of its kind.
class plateforme_scriptee final : public plateforme {
  public:
    /// Answers to the questions, in order (missing: "Annuler").
    std::deque<reponse> reponses;
    /// Texts typed in input boxes (missing, or nullopt: cancelled, the default comes back).
    std::deque<std::optional<QString>> saisies;
    /// Files chosen in the open pickers (missing, or nullopt: cancelled).
    std::deque<std::optional<QString>> ouvertures;
    /// Files chosen in the save pickers (missing, or nullopt: cancelled).
    std::deque<std::optional<QString>> enregistrements;
    /// Colours chosen (missing, or nullopt: cancelled).
    std::deque<std::optional<couleur>> couleurs;
    /// Fonts chosen (missing, or nullopt: cancelled).
    std::deque<std::optional<QFont>> polices;
    /// PDF files the print dialogs print into (missing, or nullopt: cancelled).
    std::deque<std::optional<QString>> impressions;

    /// Every question asked, every error shown, every picker's caption and filter.
    QStringList questions;
    QStringList erreurs;
    std::vector<choix_fichier> pickers;
    /// Input boxes shown: caption, prompt, default.
    std::vector<QStringList> invites;
    /// Last plain text copied, and the size and SVG of the last drawing copied.
    QString texte_copie;
    int copies_texte = 0;
    int largeur_dessin = 0;
    int hauteur_dessin = 0;
    QByteArray svg_copie;
    int copies_dessin = 0;
    /// Print dialogs shown.
    int dialogues_impression = 0;

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

/// Records the refreshes and enablings a window asks for, without any study window.
class pilote_enregistre final : public pilote_etudes {
  public:
    struct appel {
        bool reprendre_echelles;
        bool recalculer;
    };
    std::vector<appel> rafraichissements;
    int activations = 0;

    void rafraichir_etudes(bool reprendre_echelles, bool recalculer) override {
        rafraichissements.push_back({reprendre_echelles, recalculer});
    }
    void activer_commandes() override { ++activations; }
};

} // namespace varlem::test
