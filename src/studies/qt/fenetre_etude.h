#pragma once
// The study-window interface the application drives (open, refresh, empty, enable, change of
// mode), and the chrome every study window shares: a window owned by the main window with a
// tool bar of icons above its content, its command in the main window, copy, export and print of
// its plot at the copy size, the pointer's coordinates in its status line, the redraw on resize,
// its place the first time it opens, and its readouts, which close with it.

#include "plot/qt/copie_vectorielle.h"
#include "studies/qt/contexte_fenetres.h"
#include "studies/zones_trace.h"

#include <QWidget>

#include <functional>
#include <string>
#include <vector>

class QAction;
class QDialog;
class QPainter;
class QStatusBar;
class QToolBar;
class QVBoxLayout;

class QPlainTextEdit;

namespace varlem {

class image_trace;

/// How the main window shows a study's command: caption, hint and icon name.
struct commande_etude {
    QString texte;
    QString infobulle;
    QString icone;
};

/// Base of the study windows.
class fenetre_etude : public QWidget {
    Q_OBJECT
  public:
    /// A window of the given caption and size, minimised and not shown yet; `commande` is how
    /// the main window offers it.
    fenetre_etude(contexte_fenetres& ctx, const QString& titre, QSize taille,
                  const commande_etude& commande, QWidget* parent = nullptr);

    /// The main window's command that opens the window (the application places it).
    QAction* commande() const { return commande_; }
    /// Opens the study: its flag set, the window shown and drawn.
    virtual void ouvrir() = 0;
    /// The study is open: the refresh of all studies reaches it (by default, opened since the
    /// system was last emptied; the first studies keep their flag in the document).
    virtual bool ouverte() const { return ouverte_; }
    /// The refresh of all studies: scales derived again and curves computed again as asked.
    virtual void rafraichir(bool reprendre_echelles, bool recalculer) = 0;
    /// The window side of emptying the system: minimised, its content hidden, disabled.
    void reinitialiser();
    /// Enables or disables the window's command in the main window.
    virtual void activer(bool actif);
    /// The loop was closed or opened, or a template chosen: what the window shows of it.
    virtual void changer_mode() {}

    /// Enabled, restored from minimised, shown and brought to the front.
    void montrer();
    /// The outer size the drawing areas are derived from (without the status line).
    QSize taille_exterieure() const;
    /// The status line (null in windows without one).
    QStatusBar* ligne_etat() const { return etat_; }

  protected:
    /// Notes the study open (for a window whose flag is its own).
    void marquer_ouverte() { ouverte_ = true; }
    /// A tool-bar command showing `texte` under the command icon named `icone`, with its hint
    /// (also its status-bar text).
    QAction* ajouter_commande(const QString& texte, const QString& infobulle, const QString& icone,
                              std::function<void()> action);
    /// A separator in the tool bar.
    void ajouter_separateur();
    /// Adds the status line under the content: pointer coordinates and command hints.
    void ajouter_ligne_etat();
    /// "Copier" (the plot at the copy size to the clipboard), "Exporter…" (the plot as PNG,
    /// SVG or PDF, or its values as CSV) and "Imprimer…" in the tool bar, with the window's own
    /// hints.
    void ajouter_copie_export(const QString& bulle_copie, const QString& bulle_export);
    /// "Imprimer…" (Ctrl+P) in the tool bar: the print dialog, then the window's caption and
    /// its printed drawing scaled to the page.
    void ajouter_impression();
    /// "Copier le texte" and "Imprimer…" for a window that shows `texte`: all of it copied to
    /// the clipboard, and printed as shown.
    void ajouter_copie_texte(const QPlainTextEdit* texte);
    /// The status line follows the pointer over `image` with `coordonnees`.
    void suivre_pointeur(image_trace* image);
    /// A readout of the window: it closes when the window hides or empties.
    void inscrire_lecture(QDialog* lecture);

    /// The drawing that "Copier" and "Exporter…" write.
    virtual dessin dessin_copie() const { return {}; }
    /// The drawing "Imprimer…" prints and its size in pixels: by default the text of
    /// ajouter_copie_texte, or the copy's at the copy size.
    virtual dessin dessin_impression(QSize& taille) const;
    /// The values "Exporter…" writes as CSV.
    virtual std::string valeurs_csv() const { return {}; }
    /// The status text of the pointer at `p` over `image`; empty outside the plot.
    virtual std::string coordonnees(const image_trace* image, QPoint p) const;
    /// The area the plot takes in a window of outer size `taille`.
    virtual zone_trace zone(QSize taille) const;
    /// Whether the window shows a plot that a resize must draw again.
    virtual bool montre_un_trace() const { return false; }
    /// Draws the plot again at the window's size.
    virtual void redessiner() {}
    /// Hides what the window shows (its pictures or its text).
    virtual void cacher_contenu() = 0;

    bool event(QEvent* e) override;
    void resizeEvent(QResizeEvent* e) override;
    void hideEvent(QHideEvent* e) override;

    contexte_fenetres& ctx_;
    QToolBar* barre_;
    QVBoxLayout* disposition_;
    QStatusBar* etat_ = nullptr;

  private:
    void fermer_lectures();
    void copier();
    void exporter();
    void imprimer();

    QAction* commande_;
    std::vector<QDialog*> lectures_;
    bool ouverte_ = false;
    const QPlainTextEdit* texte_imprime_ = nullptr;
    // Shown once in this run: later openings leave it where the user put it.
    bool placee_ = false;
};

} // namespace varlem
