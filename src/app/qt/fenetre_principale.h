#pragma once
// The main window: the frame of the application with its menus, tool bar and status bar, and
// the placeholder child windows of "&Nouveau systeme". Its commands are connected by the
// application; its "Fe&nêtre" menu lists the windows it owns as well as its child windows.

#include <QMainWindow>

#include <functional>
#include <vector>

class QAction;
class QMdiArea;
class QMenu;
class QToolBar;

namespace varlem {

/// The main window's commands; the tool bar and the menus share those that are listed once.
struct actions_principales {
    QAction* entree;
    QAction* ouvrir;
    QAction* enregistrer;
    QAction* parametres;
    QAction* cascade;
    QAction* mosaique_horizontale;
    QAction* mosaique_verticale;
    QAction* tout_reduire;
    QAction* reorganiser;
    /// Menu items of their own: they stay enabled whatever the tool bar shows.
    QAction* nouveau_systeme;
    QAction* menu_ouvrir;
    QAction* menu_enregistrer;
    QAction* quitter;
    /// "&Edition": undo and redo the changes of the system.
    QAction* annuler;
    QAction* retablir;
    /// "Fichiers récents" in the "&Systeme" menu, filled by the application.
    QMenu* recents;
    QAction* syntaxe;
    QAction* correcteur;
    QAction* a_propos;
};

/// Main window titled "Varlem".
class fenetre_principale : public QMainWindow {
    Q_OBJECT
  public:
    /// Creates the frame, its menus, tool bar and status bar.
    explicit fenetre_principale(QWidget* parent = nullptr);

    /// The commands, for the application to connect and enable.
    const actions_principales& actions() const { return actions_; }
    /// The frame holding the child windows.
    QMdiArea* cadre() const { return cadre_; }
    /// The tool bar.
    QToolBar* barre() const { return barre_; }

    /// Asked when the window is about to close: true lets it close.
    std::function<bool()> peut_fermer;
    /// Runs when a file is dropped on the window.
    std::function<void(const QString&)> fichier_depose;

    /// Places the study windows' commands: in the tool bar in the order of `barre`, in the
    /// "&Etude" menu in the order of `menu`, both before "Parametres".
    void placer_etudes(const std::vector<QAction*>& barre, const std::vector<QAction*>& menu);
    /// A new empty child window "NONAME" + (count of children + 1).
    void nouvelle_fenetre_vide();
    /// Tiles the children one above the other (horizontal strips) or side by side.
    void mosaique(Qt::Orientation orientation);

  protected:
    void closeEvent(QCloseEvent* e) override;
    void dragEnterEvent(QDragEnterEvent* e) override;
    void dropEvent(QDropEvent* e) override;

  private:
    void creer_actions();
    /// "Annuler" and "Rétablir", disabled until there is something to undo or redo.
    void creer_actions_edition();
    /// The commands found only in the menus, with their standard short-cuts.
    void creer_actions_menus();
    /// The commands the main window runs itself: new window, quit, the window arrangements.
    void relier_actions_fenetres();
    void creer_menus();
    void creer_barre();
    void remplir_menu_fenetre();

    QMdiArea* cadre_;
    QToolBar* barre_;
    QMenu* menu_fenetre_ = nullptr;
    QMenu* menu_etude_ = nullptr;
    actions_principales actions_{};
};

} // namespace varlem
