#include "app/qt/fenetre_principale.h"

#include "studies/qt/commandes_qt.h"
#include "studies/qt/fenetres_possedees.h"
#include "studies/qt/icones_commandes.h"

#include <QAction>
#include <QCloseEvent>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenuBar>
#include <QMimeData>
#include <QStatusBar>
#include <QToolBar>
#include <QUrl>

namespace varlem {

namespace {

// The system file dropped, if the drop holds exactly one local ".fdt" file.
QString fichier_fdt(const QMimeData* donnees) {
    if (!donnees || !donnees->hasUrls() || donnees->urls().size() != 1) return {};
    const QUrl url = donnees->urls().front();
    if (!url.isLocalFile()) return {};
    const QString chemin = url.toLocalFile();
    return chemin.endsWith(QStringLiteral(".fdt"), Qt::CaseInsensitive) ? chemin : QString();
}

} // namespace

fenetre_principale::fenetre_principale(QWidget* parent)
    : QMainWindow(parent), cadre_(new QMdiArea(this)), barre_(new QToolBar(this)) {
    setWindowTitle(QStringLiteral("Varlem"));
    setAcceptDrops(true);
    cadre_->setAccessibleName(QStringLiteral("Fenêtres du système"));
    cadre_->setBackground(palette().brush(QPalette::Dark));
    setCentralWidget(cadre_);
    creer_actions();
    creer_barre();
    creer_menus();
    statusBar()->showMessage(QString());
    resize(1024, 700);
}

void fenetre_principale::creer_actions() {
    actions_principales& a = actions_;
    a.entree =
        nouvelle_commande(this, QStringLiteral("&Entree"), QStringLiteral("Entree ou modif fdt"),
                          {}, QStringLiteral("entree_systeme"));
    a.ouvrir = nouvelle_commande(this, QStringLiteral("Ouvrir"), QStringLiteral("Ouvrir"),
                                 QStringLiteral("Ouvrir un fichier"), QStringLiteral("ouvrir"));
    a.enregistrer = nouvelle_commande(
        this, QStringLiteral("Enregistrer"), QStringLiteral("Enregistrer"),
        QStringLiteral("Enregistrer le fichier en cours"), QStringLiteral("enregistrer"));
    a.parametres =
        nouvelle_commande(this, QStringLiteral("&Parametres"), QStringLiteral("Parametres"), {},
                          QStringLiteral("parametres"));
    a.cascade = nouvelle_commande(this, QStringLiteral("&Cascade"), QStringLiteral("Cascade"), {},
                                  QStringLiteral("cascade"));
    a.mosaique_horizontale = nouvelle_commande(this, QStringLiteral("Mosaïque &horizontale"),
                                               QStringLiteral("Mosaïque horizontale"), {},
                                               QStringLiteral("mosaique_horizontale"));
    a.mosaique_verticale = nouvelle_commande(this, QStringLiteral("Mosaïque &verticale"),
                                             QStringLiteral("Mosaïque verticale"), {},
                                             QStringLiteral("mosaique_verticale"));
    a.tout_reduire =
        nouvelle_commande(this, QStringLiteral("&Tout réduire"), QStringLiteral("Tout réduire"), {},
                          QStringLiteral("tout_reduire"));
    a.reorganiser =
        nouvelle_commande(this, QStringLiteral("Tout ré&organiser"),
                          QStringLiteral("Tout réorganiser"), {}, QStringLiteral("reorganiser"));
    creer_actions_edition();
    creer_actions_menus();
    relier_actions_fenetres();
}

void fenetre_principale::creer_actions_edition() {
    actions_principales& a = actions_;
    a.annuler = nouvelle_commande(this, QStringLiteral("&Annuler"),
                                  QStringLiteral("Annuler la dernière modification du système"), {},
                                  QStringLiteral("annuler"));
    a.annuler->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_Z));
    a.retablir = nouvelle_commande(this, QStringLiteral("&Rétablir"),
                                   QStringLiteral("Rétablir la modification annulée"), {},
                                   QStringLiteral("retablir"));
    a.retablir->setShortcut(QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_Z));
    for (QAction* x : {a.annuler, a.retablir}) {
        x->setEnabled(false);
        // The short-cuts act wherever the user works: in the system and study windows too.
        x->setShortcutContext(Qt::ApplicationShortcut);
    }
}

void fenetre_principale::creer_actions_menus() {
    actions_principales& a = actions_;
    a.nouveau_systeme = nouvelle_commande(this, QStringLiteral("&Nouveau systeme"),
                                          QStringLiteral("Nouveau systeme"),
                                          QStringLiteral("Nouvelle fdt ou modif"));
    a.nouveau_systeme->setShortcut(QKeySequence::New);
    a.menu_ouvrir = nouvelle_commande(this, QStringLiteral("&Ouvrir"), QStringLiteral("Ouvrir"),
                                      QStringLiteral("Ouvrir un fichier"));
    a.menu_ouvrir->setShortcut(QKeySequence::Open);
    a.menu_enregistrer =
        nouvelle_commande(this, QStringLiteral("&Enregistrer"), QStringLiteral("Enregistrer"),
                          QStringLiteral("Enregistrer le fichier en cours"));
    a.menu_enregistrer->setShortcut(QKeySequence::Save);
    a.quitter =
        nouvelle_commande(this, QStringLiteral("&Quitter"), QStringLiteral("Quitter Varlem"));
    a.quitter->setShortcut(QKeySequence::Quit);
    a.syntaxe =
        nouvelle_commande(this, QStringLiteral("&Syntaxe"), QStringLiteral("Syntaxe à utiliser"));
    a.correcteur = nouvelle_commande(this, QStringLiteral("&Correcteur"),
                                     QStringLiteral("Fonction de transfert du correcteur"));
    a.a_propos =
        nouvelle_commande(this, QStringLiteral("&A propos..."), QStringLiteral("A propos"));
}

void fenetre_principale::relier_actions_fenetres() {
    const actions_principales& a = actions_;
    connect(a.nouveau_systeme, &QAction::triggered, this,
            &fenetre_principale::nouvelle_fenetre_vide);
    connect(a.quitter, &QAction::triggered, this, &QWidget::close);
    connect(a.cascade, &QAction::triggered, cadre_, &QMdiArea::cascadeSubWindows);
    connect(a.mosaique_horizontale, &QAction::triggered, this,
            [this] { mosaique(Qt::Horizontal); });
    connect(a.mosaique_verticale, &QAction::triggered, this, [this] { mosaique(Qt::Vertical); });
    connect(a.tout_reduire, &QAction::triggered, this, [this] {
        for (QMdiSubWindow* f : cadre_->subWindowList()) f->showMinimized();
    });
    connect(a.reorganiser, &QAction::triggered, cadre_, &QMdiArea::tileSubWindows);
}

void fenetre_principale::creer_barre() {
    const actions_principales& a = actions_;
    barre_->setObjectName(QStringLiteral("barre_principale"));
    barre_->setWindowTitle(QStringLiteral("Barre d'outils"));
    barre_->setAccessibleName(QStringLiteral("Barre d'outils"));
    barre_->setToolButtonStyle(Qt::ToolButtonTextUnderIcon);
    barre_->setIconSize(QSize(24, 24));
    barre_->setMovable(false);
    barre_->addActions({a.entree, a.ouvrir, a.enregistrer});
    barre_->addSeparator();
    // The studies' commands come here (placer_etudes).
    barre_->addSeparator();
    barre_->addAction(a.parametres);
    barre_->addSeparator();
    barre_->addActions({a.cascade, a.mosaique_horizontale, a.mosaique_verticale});
    addToolBar(barre_);
}

void fenetre_principale::creer_menus() {
    const actions_principales& a = actions_;
    QMenu* systeme = menuBar()->addMenu(QStringLiteral("&Systeme"));
    systeme->addActions({a.nouveau_systeme, a.menu_ouvrir});
    actions_.recents = systeme->addMenu(icone_commande(QStringLiteral("fichiers_recents")),
                                        QStringLiteral("Fichiers &récents"));
    actions_.recents->setAccessibleName(QStringLiteral("Fichiers récents"));
    actions_.recents->setEnabled(false);
    systeme->addAction(a.menu_enregistrer);
    systeme->addSeparator();
    systeme->addAction(a.quitter);
    QMenu* edition = menuBar()->addMenu(QStringLiteral("&Edition"));
    edition->addActions({a.annuler, a.retablir});
    menu_etude_ = menuBar()->addMenu(QStringLiteral("&Etude"));
    menu_etude_->addActions({a.entree, a.parametres});
    menu_fenetre_ = menuBar()->addMenu(QStringLiteral("Fe&nêtre"));
    connect(menu_fenetre_, &QMenu::aboutToShow, this, &fenetre_principale::remplir_menu_fenetre);
    remplir_menu_fenetre();
    QMenu* aide = menuBar()->addMenu(QStringLiteral("&Aide"));
    aide->addActions({a.syntaxe, a.correcteur});
    aide->addSeparator();
    aide->addAction(a.a_propos);
}

void fenetre_principale::placer_etudes(const std::vector<QAction*>& barre,
                                       const std::vector<QAction*>& menu) {
    // The tool bar's second separator stands before "Parametres".
    const QList<QAction*> actions = barre_->actions();
    QAction* avant = actions[actions.indexOf(actions_.parametres) - 1];
    for (QAction* a : barre) barre_->insertAction(avant, a);
    for (QAction* a : menu) menu_etude_->insertAction(actions_.parametres, a);
}

void fenetre_principale::remplir_menu_fenetre() {
    const actions_principales& a = actions_;
    menu_fenetre_->clear();
    menu_fenetre_->addActions(
        {a.cascade, a.mosaique_horizontale, a.mosaique_verticale, a.tout_reduire, a.reorganiser});
    const QList<QMdiSubWindow*> enfants = cadre_->subWindowList();
    if (!enfants.isEmpty()) menu_fenetre_->addSeparator();
    for (int i = 0; i < enfants.size(); ++i) {
        QMdiSubWindow* f = enfants[i];
        QAction* choix = menu_fenetre_->addAction(
            (i < 9 ? QStringLiteral("&%1 ").arg(i + 1) : QString()) + f->windowTitle());
        choix->setCheckable(true);
        choix->setChecked(f == cadre_->activeSubWindow());
        connect(choix, &QAction::triggered, this, [this, f] { cadre_->setActiveSubWindow(f); });
    }
    // The windows it owns, each brought to the front when chosen.
    const std::vector<QWidget*> possedees = fenetres_visibles(*this);
    if (!possedees.empty()) menu_fenetre_->addSeparator();
    for (QWidget* f : possedees) {
        QAction* choix = menu_fenetre_->addAction(f->windowTitle());
        choix->setCheckable(true);
        choix->setChecked(f->isActiveWindow());
        connect(choix, &QAction::triggered, f, [f] { amener_devant(*f); });
    }
}

void fenetre_principale::nouvelle_fenetre_vide() {
    auto* contenu = new QWidget;
    contenu->setAccessibleName(QStringLiteral("Fenêtre vide"));
    QMdiSubWindow* f = cadre_->addSubWindow(contenu);
    f->setAttribute(Qt::WA_DeleteOnClose);
    f->setWindowTitle(QStringLiteral("NONAME%1").arg(cadre_->subWindowList().size()));
    f->resize(320, 200);
    f->show();
}

void fenetre_principale::mosaique(Qt::Orientation orientation) {
    QList<QMdiSubWindow*> visibles;
    for (QMdiSubWindow* f : cadre_->subWindowList())
        if (!f->isMinimized() && f->isVisible()) visibles << f;
    if (visibles.isEmpty()) return;
    const QRect zone = cadre_->viewport()->rect();
    const int n = static_cast<int>(visibles.size());
    for (int i = 0; i < n; ++i) {
        QRect r;
        if (orientation == Qt::Horizontal) {
            const int h = zone.height() / n;
            r = QRect(0, i * h, zone.width(), h);
        } else {
            const int w = zone.width() / n;
            r = QRect(i * w, 0, w, zone.height());
        }
        visibles[i]->showNormal();
        visibles[i]->setGeometry(r);
    }
}

void fenetre_principale::closeEvent(QCloseEvent* e) {
    if (peut_fermer && !peut_fermer()) {
        e->ignore();
        return;
    }
    e->accept();
}

void fenetre_principale::dragEnterEvent(QDragEnterEvent* e) {
    if (!fichier_fdt(e->mimeData()).isEmpty()) e->acceptProposedAction();
}

void fenetre_principale::dropEvent(QDropEvent* e) {
    const QString chemin = fichier_fdt(e->mimeData());
    if (chemin.isEmpty()) return;
    e->acceptProposedAction();
    if (fichier_depose) fichier_depose(chemin);
}

} // namespace varlem
