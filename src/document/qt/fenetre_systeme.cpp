#include "document/qt/fenetre_systeme.h"
#include "plot/qt/textes_qt.h"

#include "document/boucle.h"
#include "document/copie_systeme.h"
#include "document/etude_parametree.h"
#include "document/fichier_fdt.h"
#include "document/qt/affichage_fraction.h"
#include "document/qt/dialogue_saisie.h"
#include "document/qt/panneau_boucle.h"
#include "settings/qt/elements_reglages.h"
#include "studies/qt/commandes_qt.h"
#include "studies/qt/fenetres_possedees.h"
#include "studies/qt/icones_commandes.h"
#include "studies/titres_etudes.h"

#include <QAction>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPainter>
#include <QPushButton>
#include <QStyle>
#include <QToolBar>
#include <QToolButton>
#include <QVBoxLayout>

#include <algorithm>

namespace varlem {

namespace {

// A command of the tool bar with its icon; tool-bar buttons take no focus: the keyboard
// reaches them through their short-cut.
QAction* commande(QToolBar* barre, const QString& icone, const QString& legende,
                  const QString& bulle, const QKeySequence& raccourci) {
    QAction* a = nouvelle_commande(barre, legende, bulle, {}, icone);
    barre->addAction(a);
    a->setShortcut(raccourci);
    return a;
}

// An arrow of the browse control; its action carries the short-cut, which acts at once.
QToolButton* fleche(QWidget* fenetre, QAction* a, Qt::ArrowType sens) {
    auto* b = new QToolButton;
    b->setDefaultAction(a);
    b->setArrowType(sens);
    b->setAccessibleName(a->text());
    b->setFocusPolicy(Qt::StrongFocus);
    b->setFixedSize(28, 24);
    fenetre->addAction(a);
    return b;
}

} // namespace

fenetre_systeme::fenetre_systeme(contexte_fenetres& ctx, QWidget* parent)
    : QWidget(parent, drapeaux_fenetre_possedee()), ctx_(ctx) {
    setWindowTitle(QStringLiteral("Entree de la fonction de transfert"));

    barre_ = new QToolBar;
    construire_barre();

    auto* corps = new QHBoxLayout;
    corps->setSpacing(12);
    corps->addWidget(construire_parcours(), 0, Qt::AlignTop);
    fraction_ = new affichage_fraction;
    connect(fraction_->lettre(), &QPushButton::clicked, this, &fenetre_systeme::au_clic_lettre);
    corps->addWidget(fraction_);
    // Room to the right and below the fraction is kept for the loop diagram.
    corps->addStretch(1);

    panneau_ = new panneau_boucle(ctx_, this);
    construire_menu_gabarits();

    auto* page = new QVBoxLayout(this);
    page->setContentsMargins(0, 0, 0, 0);
    page->addWidget(barre_);
    auto* contenu = new QVBoxLayout;
    contenu->setContentsMargins(12, 12, 12, 12);
    contenu->addLayout(corps);
    contenu->addSpacing(8);
    contenu->addWidget(panneau_);
    contenu->addStretch(1);
    page->addLayout(contenu, 1);

    resize(760, 440);
    reinitialiser();
}

void fenetre_systeme::construire_barre() {
    barre_->setToolButtonStyle(Qt::ToolButtonTextUnderIcon);
    barre_->setIconSize(QSize(24, 24));
    barre_->setMovable(false);
    barre_->setAccessibleName(QStringLiteral("Commandes du système"));
    nouvelle_ = commande(barre_, QStringLiteral("nouvelle_fonction"), QStringLiteral("Nouvelle"),
                         QStringLiteral("Ajouter une fonction de transfert"),
                         QKeySequence(Qt::ALT | Qt::Key_N));
    modifier_ = commande(barre_, QStringLiteral("modifier_fonction"), QStringLiteral("Modifier"),
                         QStringLiteral("Modifier la fonction courante"),
                         QKeySequence(Qt::ALT | Qt::Key_M));
    supprimer_ = commande(barre_, QStringLiteral("supprimer_fonction"), QStringLiteral("Supprimer"),
                          QStringLiteral("Supprimer la fonction de transfert en cours"),
                          QKeySequence(Qt::ALT | Qt::Key_S));
    barre_->addSeparator();
    copier_ = commande(barre_, QStringLiteral("copier"), QStringLiteral("Copier"),
                       QStringLiteral("Copier tout le systeme dans le presse-papiers"),
                       QKeySequence(Qt::ALT | Qt::Key_C));
    barre_->addSeparator();
    parametres_ =
        commande(barre_, QStringLiteral("etude_parametree"), QStringLiteral("Parametres"),
                 QStringLiteral("Etudier une fdt parametrée"), QKeySequence(Qt::ALT | Qt::Key_P));
    bouclage_ = commande(barre_, QStringLiteral("bouclage"), QStringLiteral("Bouclage"),
                         QStringLiteral("Bouclage et correction de la fdt en cours"),
                         QKeySequence(Qt::ALT | Qt::Key_B));
    bouclage_->setEnabled(false);

    connect(nouvelle_, &QAction::triggered, this, &fenetre_systeme::au_clic_nouvelle);
    connect(modifier_, &QAction::triggered, this, &fenetre_systeme::au_clic_modifier);
    connect(supprimer_, &QAction::triggered, this, &fenetre_systeme::au_clic_supprimer);
    connect(copier_, &QAction::triggered, this, &fenetre_systeme::au_clic_copier);
    connect(parametres_, &QAction::triggered, this, &fenetre_systeme::au_clic_parametres);
    connect(bouclage_, &QAction::triggered, this, &fenetre_systeme::au_clic_bouclage);
}

void fenetre_systeme::construire_menu_gabarits() {
    menu_gabarits_ = new QMenu(this);
    menu_gabarits_->setAccessibleName(QStringLiteral("Gabarits"));
    const auto ajouter = [this](QMenu* m, const QString& texte, gabarit_filtre gabarit) {
        connect(m->addAction(texte), &QAction::triggered, this,
                [this, gabarit] { choisir_gabarit(gabarit); });
    };
    constexpr ordre_gabarit premier = ordre_gabarit::premier, second = ordre_gabarit::second;
    QMenu* ordre1 = menu_gabarits_->addMenu(QStringLiteral("Ordre1"));
    ajouter(ordre1, QStringLiteral("Passe-bas"), {premier, genre_gabarit::passe_bas});
    ajouter(ordre1, QStringLiteral("Passe-haut"), {premier, genre_gabarit::passe_haut});
    QMenu* ordre2 = menu_gabarits_->addMenu(QStringLiteral("Ordre2"));
    ajouter(ordre2, QStringLiteral("Passe-bas"), {second, genre_gabarit::passe_bas});
    ajouter(ordre2, QStringLiteral("Passe-haut"), {second, genre_gabarit::passe_haut});
    ajouter(ordre2, QStringLiteral("Passe-bande"), {second, genre_gabarit::passe_bande});
    ajouter(ordre2, QStringLiteral("Rejecteur"), {second, genre_gabarit::rejecteur});
}

QWidget* fenetre_systeme::construire_parcours() {
    auto* parcours = new QWidget;
    parcours->setAccessibleName(QStringLiteral("Parcours des fonctions"));
    suivante_ = new QAction(QStringLiteral("Fonction suivante"), this);
    suivante_->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_Up));
    precedente_ = new QAction(QStringLiteral("Fonction précédente"), this);
    precedente_->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_Down));
    connect(suivante_, &QAction::triggered, this, [this] { au_clic_parcours(true); });
    connect(precedente_, &QAction::triggered, this, [this] { au_clic_parcours(false); });
    auto* l = new QVBoxLayout(parcours);
    l->setContentsMargins(0, 0, 0, 0);
    l->setSpacing(0);
    l->addWidget(fleche(this, suivante_, Qt::UpArrow));
    l->addWidget(fleche(this, precedente_, Qt::DownArrow));
    return parcours;
}

void fenetre_systeme::activer_parcours(bool actif) {
    suivante_->setEnabled(actif);
    precedente_->setEnabled(actif);
}

void fenetre_systeme::montrer_gain_lieu(const reglage_gain_lieu& r) {
    panneau_->montrer_gain_lieu(r);
}

void fenetre_systeme::relier_dialogue(dialogue_saisie& d) {
    dialogue_ = &d;
    panneau_->relier_dialogue(d);
}

void fenetre_systeme::reinitialiser() {
    fraction_->montrer_etiquette(texte_qt(etiquette_fraction(ctx_.sys.lettre_variable)));
    fraction_->lettre()->setText(texte_qt(legende_lettre(ctx_.sys.lettre_variable)));
    fraction_->lettre()->show();
    panneau_->cacher_tout();
    legender_bouclage();
    parametres_->setEnabled(true);
    bouclage_->setEnabled(false);
    montrer(affichage_vide());
    nouvelle_->setEnabled(true);
    for (QAction* a : {supprimer_, copier_, modifier_}) a->setEnabled(false);
    activer_parcours(false);
    fraction_->activer_boites(false);
    position_parcours_ = 1;
}

void fenetre_systeme::activer_commandes() {
    for (QAction* a : {nouvelle_, supprimer_, copier_, modifier_, bouclage_}) a->setEnabled(true);
    // Read-only, but reachable: the user can select and copy a function's texts.
    fraction_->activer_boites(true);
    fraction_->lettre()->hide();
}

void fenetre_systeme::afficher_courante() {
    montrer(varlem::afficher_courante(ctx_.sys));
}

void fenetre_systeme::systeme_lu() {
    // The file ends a closed loop or a template study: their controls go with them.
    panneau_->cacher_tout();
    legender_bouclage();
    parametres_->setEnabled(true);
    fixer_edition(true);
    montrer(varlem::afficher_courante(ctx_.sys));
    position_parcours_ = 1;
    activer_parcours(true);
    for (QAction* a : {nouvelle_, supprimer_, copier_, bouclage_}) a->setEnabled(true);
}

void fenetre_systeme::apres_historique(const resultat_historique& r) {
    if (!r.effectue) return;
    if (r.systeme_vide) {
        reinitialiser();
        return;
    }
    fraction_->montrer_etiquette(texte_qt(r.etiquette_fraction));
    fraction_->lettre()->setText(texte_qt(r.legende_lettre));
    fixer_edition(true);
    appliquer(r.commande);
}

void fenetre_systeme::au_clic_nouvelle() {
    // Every change of the functions or of the letter goes through the history.
    resultat_commande r;
    ctx_.pilote.changer_systeme([&] {
        r = nouvelle_fonction(
            ctx_.sys, ctx_.reg,
            [this](const ouverture_saisie& o, const validation_saisie& v) { return saisir(o, v); });
    });
    appliquer(r);
}

void fenetre_systeme::au_clic_modifier() {
    resultat_commande r;
    ctx_.pilote.changer_systeme([&] {
        r = modifier_fonction(
            ctx_.sys, ctx_.reg,
            [this](const ouverture_saisie& o, const validation_saisie& v) { return saisir(o, v); });
    });
    appliquer(r);
}

void fenetre_systeme::au_clic_supprimer() {
    resultat_commande r;
    ctx_.pilote.changer_systeme([&] { r = supprimer_fonction(ctx_.sys, position_parcours_); });
    appliquer(r);
}

void fenetre_systeme::au_clic_copier() {
    ctx_.plat.copier_texte(texte_qt(copier_systeme(ctx_.sys)));
}

void fenetre_systeme::au_clic_lettre() {
    changement_lettre c;
    ctx_.pilote.changer_systeme([&] { c = changer_lettre(ctx_.sys); });
    if (!c.effectue) return;
    fraction_->montrer_etiquette(texte_qt(c.etiquette));
    fraction_->lettre()->hide();
}

void fenetre_systeme::au_clic_parcours(bool vers_le_haut) {
    // Browsing may drop a function left empty by an abandoned entry.
    resultat_commande r;
    ctx_.pilote.changer_systeme([&] {
        r = parcourir(ctx_.sys, ctx_.reg, position_parcours_, nouvelle_->isEnabled(), vers_le_haut);
    });
    appliquer(r);
}

void fenetre_systeme::legender_bouclage() {
    const bool fermee = ctx_.sys.etudes.boucle_fermee;
    bouclage_->setText(texte_qt(legende_bouclage(ctx_.sys.etudes)));
    bouclage_->setIcon(
        icone_commande(fermee ? QStringLiteral("fdt_seule") : QStringLiteral("bouclage")));
}

void fenetre_systeme::fixer_edition(bool active) {
    for (QAction* a : {nouvelle_, supprimer_, modifier_}) a->setEnabled(active);
    fraction_->activer_boites(active);
}

void fenetre_systeme::au_clic_bouclage() {
    if (!ctx_.sys.etudes.boucle_fermee) {
        const fermeture_boucle f = fermer_boucle(ctx_.sys, ctx_.reg);
        if (!f.effectue) return;
        fixer_edition(false);
        parametres_->setEnabled(false);
        legender_bouclage();
        panneau_->montrer_boucle(f);
        // The diagram needs its room below the fraction.
        resize(size().expandedTo(sizeHint()));
        ctx_.pilote.changer_mode();
        ctx_.pilote.executer(f.rafraichir);
        return;
    }
    const rafraichissement r = ouvrir_boucle(ctx_.sys);
    panneau_->cacher_tout();
    legender_bouclage();
    fixer_edition(true);
    parametres_->setEnabled(true);
    position_parcours_ = ctx_.sys.fonction_courante;
    afficher_courante();
    ctx_.pilote.changer_mode();
    ctx_.pilote.executer(r);
}

void fenetre_systeme::au_clic_parametres() {
    // Asked each time until a template replaces the system, so that it is never lost unasked.
    if (demander_avant_parametres(ctx_.sys) && !ctx_.pilote.demander_enregistrement()) return;
    QWidget* bouton = barre_->widgetForAction(parametres_);
    menu_gabarits_->popup(bouton ? bouton->mapToGlobal(QPoint(20, 20)) : mapToGlobal(QPoint()));
}

void fenetre_systeme::choisir_gabarit(gabarit_filtre gabarit) {
    const std::optional<int> largeur = ctx_.pilote.largeur_fenetre_temps();
    choix_gabarit c;
    // The template replaces the user's system, which "Annuler" brings back once it is left.
    ctx_.pilote.changer_systeme([&] {
        ctx_.pilote.calculer_avec_attente([&](const rapport_progression& progression) {
            c = varlem::choisir_gabarit(ctx_.sys, ctx_.reg, gabarit, largeur, progression);
        });
    });
    if (!c.effectue) return;
    fraction_->lettre()->hide();
    fixer_edition(false);
    bouclage_->setEnabled(false);
    copier_->setEnabled(true);
    activer_parcours(false);
    fraction_->montrer_numero(texte_qt(c.numero), texte_qt(c.compte));
    fraction_->montrer_textes(texte_qt(c.textes.num_affiche), texte_qt(c.textes.den_affiche));
    ctx_.pilote.changer_mode();
    // Setting the slider may already redraw the studies, as a user's move does.
    panneau_->montrer_gabarit(c);
    ctx_.pilote.executer(c.rafraichir);
}

bool fenetre_systeme::saisir(const ouverture_saisie& o, const validation_saisie& valider) {
    if (!dialogue_) return false;
    fraction_->montrer_numero(texte_qt(o.numero), texte_qt(o.compte));
    if (o.position_parcours) position_parcours_ = *o.position_parcours;
    if (o.desactiver_nouvelle) nouvelle_->setEnabled(false);
    if (o.textes) dialogue_->remplir(texte_qt(o.textes->num), texte_qt(o.textes->den));
    if (o.retard) dialogue_->remplir_retard(texte_qt(*o.retard));
    return dialogue_->saisir(texte_qt(o.titre), valider);
}

void fenetre_systeme::appliquer(const resultat_commande& r) {
    if (!r.effectue) return;
    if (r.activer_nouvelle) nouvelle_->setEnabled(true);
    if (r.activer_parcours) activer_parcours(true);
    if (r.position_parcours) position_parcours_ = *r.position_parcours;
    if (r.activer_commandes) ctx_.pilote.activer_commandes();
    if (r.affichage) montrer(*r.affichage);
    if (!r.texte_boucle.empty()) panneau_->montrer_texte_boucle(r.texte_boucle);
    ctx_.pilote.executer(r.rafraichir);
}

void fenetre_systeme::montrer(const affichage_fonction& a) {
    fraction_->montrer(a);
}

} // namespace varlem
