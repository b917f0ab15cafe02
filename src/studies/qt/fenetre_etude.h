#pragma once
// What every study window shares: a top-level window with a tool bar above its content,
// created minimised and hidden, brought up by the main window, emptied with the system.

#include "studies/qt/contexte_fenetres.h"

#include <QWidget>

#include <functional>

class QAction;
class QStatusBar;
class QToolBar;
class QVBoxLayout;

namespace varlem {

/// Base of the study windows.
class fenetre_etude : public QWidget {
    Q_OBJECT
  public:
    /// A window of the given caption and size, minimised and not shown yet.
    fenetre_etude(contexte_fenetres& ctx, const QString& titre, QSize taille,
                  QWidget* parent = nullptr);

    /// The window side of emptying the system: minimised, its content hidden, disabled.
    void reinitialiser();
    /// Enabled, restored from minimised, shown and brought to the front.
    void montrer();
    /// The outer size the drawing areas are derived from (without the status line).
    QSize taille_exterieure() const;
    /// The status line (null in windows without one).
    QStatusBar* ligne_etat() const { return etat_; }

  protected:
    /// A tool-bar command showing `texte`, with its hint (also its status-bar text).
    QAction* ajouter_commande(const QString& texte, const QString& infobulle,
                              std::function<void()> action);
    /// A separator in the tool bar.
    void ajouter_separateur();
    /// Adds the status line under the content: pointer coordinates and command hints.
    void ajouter_ligne_etat();
    /// "Exporter…": the plot at the copy size as PNG, SVG or PDF, or the values as CSV, by
    /// the chosen file's extension.
    void exporter(const dessin& trace, const std::function<std::string()>& valeurs);
    bool event(QEvent* e) override;
    /// Hides what the window shows (its pictures or its text).
    virtual void cacher_contenu() = 0;

    contexte_fenetres& ctx_;
    QToolBar* barre_;
    QVBoxLayout* disposition_;
    QStatusBar* etat_ = nullptr;
};

} // namespace varlem
