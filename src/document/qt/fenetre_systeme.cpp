#include "document/qt/fenetre_systeme.h"

#include "document/boucle.h"
#include "document/copie_systeme.h"
#include "document/etude_parametree.h"
#include "document/fichier_fdt.h"
#include "document/qt/dialogue_saisie.h"
#include "document/qt/panneau_boucle.h"
#include "settings/qt/elements_reglages.h"

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

QString texte(const std::string& s) {
    return QString::fromStdString(s);
}

// Widest the fraction grows for long texts; the rest of the window is the loop diagram's.
constexpr int largeur_max_fraction = 560;

// The desktop theme's icon, else the style's.
QIcon icone(const QWidget* w, const char* theme, QStyle::StandardPixmap secours) {
    return QIcon::fromTheme(QLatin1String(theme), w->style()->standardIcon(secours));
}

// Two overlapping sheets: the style has no picture for copying.
QIcon icone_copie() {
    QPixmap p(32, 32);
    p.fill(Qt::transparent);
    QPainter g(&p);
    g.setRenderHint(QPainter::Antialiasing);
    g.setPen(QPen(QColor(60, 60, 60), 1.5));
    g.setBrush(QColor(250, 250, 250));
    g.drawRect(QRectF(4.5, 3.5, 16, 20));
    g.setBrush(QColor(220, 232, 250));
    g.drawRect(QRectF(11.5, 9.5, 16, 20));
    g.setPen(QPen(QColor(90, 110, 150), 1.2));
    for (int y = 15; y <= 25; y += 4) g.drawLine(QPointF(14.5, y), QPointF(24.5, y));
    g.end();
    return QIcon::fromTheme(QStringLiteral("edit-copy"), QIcon(p));
}

QAction* commande(QToolBar* barre, const QIcon& icone, const QString& legende, const QString& bulle,
                  const QKeySequence& raccourci) {
    QAction* a = barre->addAction(icone, legende);
    a->setToolTip(bulle);
    a->setStatusTip(bulle);
    // Tool-bar buttons take no focus: the keyboard reaches them through their short-cut.
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

QLineEdit* boite(const QString& nom) {
    auto* b = new QLineEdit;
    b->setReadOnly(true);
    // Shown whole, however long a text a file held.
    b->setMaxLength(static_cast<int>(longueur_max_ligne));
    b->setAccessibleName(nom);
    // The boxes stay disabled, yet their texts are what the window is for: keep them legible.
    QPalette pal = b->palette();
    pal.setColor(QPalette::Disabled, QPalette::Text, pal.color(QPalette::Active, QPalette::Text));
    b->setPalette(pal);
    return b;
}

} // namespace

fenetre_systeme::fenetre_systeme(contexte_fenetres& ctx, QWidget* parent)
    : QWidget(parent, Qt::Window), ctx_(ctx) {
    setWindowTitle(QStringLiteral("Entree de la fonction de transfert"));

    barre_ = new QToolBar;
    construire_barre();

    auto* en_tete = new QLabel(QStringLiteral("Fonction n°"));
    numero_ = new QLabel;
    numero_->setObjectName(QStringLiteral("numero"));
    QFont gras = numero_->font();
    gras.setBold(true);
    numero_->setFont(gras);
    compte_ = new QLabel;
    compte_->setObjectName(QStringLiteral("compte"));
    auto* etiquettes = new QVBoxLayout;
    etiquettes->addWidget(en_tete);
    etiquettes->addWidget(numero_);
    etiquettes->addWidget(compte_);

    fraction_ = new QLabel;
    fraction_->setObjectName(QStringLiteral("fraction"));
    numerateur_ = boite(QStringLiteral("Numérateur"));
    denominateur_ = boite(QStringLiteral("Dénominateur"));
    barre_fraction_ = new QLabel(QString(35, QLatin1Char('_')));
    barre_fraction_->setAccessibleName(QStringLiteral("Barre de fraction"));
    largeur_barre_ = barre_fraction_->sizeHint().width();
    lettre_ = new QPushButton;
    lettre_->setShortcut(QKeySequence(Qt::ALT | Qt::Key_V));
    connect(lettre_, &QPushButton::clicked, this, &fenetre_systeme::au_clic_lettre);

    auto* fraction = new QGridLayout;
    fraction->setVerticalSpacing(2);
    fraction->addWidget(fraction_, 0, 0, 3, 1, Qt::AlignVCenter);
    fraction->addWidget(numerateur_, 0, 1);
    // The bar label stands on its baseline: lifted so that it sits between the two boxes.
    fraction->addWidget(barre_fraction_, 1, 1, Qt::AlignTop);
    fraction->addWidget(denominateur_, 2, 1);
    fraction->addWidget(lettre_, 3, 0, 1, 2, Qt::AlignLeft);

    auto* corps = new QHBoxLayout;
    corps->setSpacing(12);
    corps->addWidget(construire_parcours(), 0, Qt::AlignTop);
    corps->addLayout(etiquettes);
    corps->addSpacing(16);
    corps->addLayout(fraction);
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
    barre_->setIconSize(QSize(32, 32));
    barre_->setMovable(false);
    barre_->setAccessibleName(QStringLiteral("Commandes du système"));
    nouvelle_ = commande(
        barre_, icone(this, "document-new", QStyle::SP_FileIcon), QStringLiteral("Nouvelle"),
        QStringLiteral("Ajouter une fonction de transfert"), QKeySequence(Qt::ALT | Qt::Key_N));
    modifier_ =
        commande(barre_, icone(this, "document-edit", QStyle::SP_FileDialogDetailedView),
                 QStringLiteral("Modifier"), QStringLiteral("Modifier la fonction courante"),
                 QKeySequence(Qt::ALT | Qt::Key_M));
    supprimer_ = commande(barre_, icone(this, "edit-delete", QStyle::SP_TrashIcon),
                          QStringLiteral("Supprimer"),
                          QStringLiteral("Supprimer la fonction de transfert en cours"),
                          QKeySequence(Qt::ALT | Qt::Key_S));
    barre_->addSeparator();
    copier_ = commande(barre_, icone_copie(), QStringLiteral("Copier"),
                       QStringLiteral("Copier tout le systeme dans le presse-papiers"),
                       QKeySequence(Qt::ALT | Qt::Key_C));
    barre_->addSeparator();
    parametres_ =
        commande(barre_, icone(this, "preferences-other", QStyle::SP_FileDialogInfoView),
                 QStringLiteral("Parametres"), QStringLiteral("Etudier une fdt parametrée"),
                 QKeySequence(Qt::ALT | Qt::Key_P));
    bouclage_ = commande(barre_, QIcon(dessin_boucle(true)), QStringLiteral("Bouclage"),
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

void fenetre_systeme::relier_dialogue(dialogue_saisie& d) {
    dialogue_ = &d;
    panneau_->relier_dialogue(d);
}

void fenetre_systeme::reinitialiser() {
    fraction_->setText(texte(etiquette_fraction(ctx_.sys.lettre_variable)));
    lettre_->setText(texte(legende_lettre(ctx_.sys.lettre_variable)));
    lettre_->show();
    panneau_->cacher_tout();
    bouclage_->setText(QStringLiteral("Bouclage"));
    bouclage_->setIcon(QIcon(dessin_boucle(true)));
    parametres_->setEnabled(true);
    bouclage_->setEnabled(false);
    montrer(affichage_vide());
    nouvelle_->setEnabled(true);
    for (QAction* a : {supprimer_, copier_, modifier_}) a->setEnabled(false);
    activer_parcours(false);
    numerateur_->setEnabled(false);
    denominateur_->setEnabled(false);
    position_parcours_ = 1;
}

void fenetre_systeme::activer_commandes() {
    for (QAction* a : {nouvelle_, supprimer_, copier_, modifier_, bouclage_}) a->setEnabled(true);
    // Read-only, but reachable: the user can select and copy a function's texts.
    numerateur_->setEnabled(true);
    denominateur_->setEnabled(true);
    lettre_->hide();
}

void fenetre_systeme::afficher_courante() {
    montrer(varlem::afficher_courante(ctx_.sys));
}

void fenetre_systeme::systeme_lu() {
    // The file ends a closed loop or a template study: their controls go with them.
    panneau_->cacher_tout();
    bouclage_->setText(QStringLiteral("Bouclage"));
    bouclage_->setIcon(QIcon(dessin_boucle(true)));
    parametres_->setEnabled(true);
    fixer_edition(true);
    montrer(varlem::afficher_courante(ctx_.sys));
    position_parcours_ = 1;
    activer_parcours(true);
    for (QAction* a : {nouvelle_, supprimer_, copier_, bouclage_}) a->setEnabled(true);
}

void fenetre_systeme::au_clic_nouvelle() {
    appliquer(nouvelle_fonction(
        ctx_.sys, ctx_.reg,
        [this](const ouverture_saisie& o, const validation_saisie& v) { return saisir(o, v); }));
}

void fenetre_systeme::au_clic_modifier() {
    appliquer(modifier_fonction(
        ctx_.sys, ctx_.reg,
        [this](const ouverture_saisie& o, const validation_saisie& v) { return saisir(o, v); }));
}

void fenetre_systeme::au_clic_supprimer() {
    appliquer(supprimer_fonction(ctx_.sys, position_parcours_));
}

void fenetre_systeme::au_clic_copier() {
    ctx_.plat.copier_texte(texte(copier_systeme(ctx_.sys)));
}

void fenetre_systeme::au_clic_lettre() {
    const changement_lettre c = changer_lettre(ctx_.sys);
    if (!c.effectue) return;
    fraction_->setText(texte(c.etiquette));
    lettre_->hide();
}

void fenetre_systeme::au_clic_parcours(bool vers_le_haut) {
    appliquer(
        parcourir(ctx_.sys, ctx_.reg, position_parcours_, nouvelle_->isEnabled(), vers_le_haut));
}

void fenetre_systeme::fixer_edition(bool active) {
    for (QAction* a : {nouvelle_, supprimer_, modifier_}) a->setEnabled(active);
    numerateur_->setEnabled(active);
    denominateur_->setEnabled(active);
}

void fenetre_systeme::au_clic_bouclage() {
    if (!ctx_.sys.etudes.boucle_fermee) {
        const fermeture_boucle f = fermer_boucle(ctx_.sys, ctx_.reg);
        if (!f.effectue) return;
        fixer_edition(false);
        parametres_->setEnabled(false);
        bouclage_->setText(QStringLiteral("Fdt seule"));
        bouclage_->setIcon(QIcon(dessin_boucle(false)));
        panneau_->montrer_boucle(f);
        // The diagram needs its room below the fraction.
        resize(size().expandedTo(sizeHint()));
        ctx_.pilote.changer_mode();
        ctx_.pilote.executer(f.rafraichir);
        return;
    }
    const rafraichissement r = ouvrir_boucle(ctx_.sys);
    panneau_->cacher_tout();
    bouclage_->setText(QStringLiteral("Bouclage"));
    bouclage_->setIcon(QIcon(dessin_boucle(true)));
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
    ctx_.pilote.calculer_avec_attente([&](const rapport_progression& progression) {
        c = varlem::choisir_gabarit(ctx_.sys, ctx_.reg, gabarit, largeur, progression);
    });
    if (!c.effectue) return;
    lettre_->hide();
    fixer_edition(false);
    bouclage_->setEnabled(false);
    copier_->setEnabled(true);
    activer_parcours(false);
    numero_->setText(QStringLiteral("1"));
    compte_->setText(QStringLiteral("sur 1"));
    numerateur_->setText(texte(c.textes.num_affiche));
    denominateur_->setText(texte(c.textes.den_affiche));
    ajuster_fraction();
    ctx_.pilote.changer_mode();
    // Setting the slider may already redraw the studies, as a user's move does.
    panneau_->montrer_gabarit(c);
    ctx_.pilote.executer(c.rafraichir);
}

bool fenetre_systeme::saisir(const ouverture_saisie& o, const validation_saisie& valider) {
    if (!dialogue_) return false;
    numero_->setText(texte(o.numero));
    compte_->setText(texte(o.compte));
    if (o.position_parcours) position_parcours_ = *o.position_parcours;
    if (o.desactiver_nouvelle) nouvelle_->setEnabled(false);
    if (o.textes) dialogue_->remplir(texte(o.textes->num), texte(o.textes->den));
    return dialogue_->saisir(texte(o.titre), valider);
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
    numero_->setText(texte(a.numero));
    compte_->setText(texte(a.compte));
    numerateur_->setText(texte(a.textes.num));
    denominateur_->setText(texte(a.textes.den));
    // Long texts show from their beginning.
    numerateur_->setCursorPosition(0);
    denominateur_->setCursorPosition(0);
    ajuster_fraction();
}

void fenetre_systeme::ajuster_fraction() {
    const QFontMetrics fm(numerateur_->font());
    // Frame and inner margins of a line edit around its text.
    const int marges = 2 * numerateur_->style()->pixelMetric(QStyle::PM_DefaultFrameWidth) + 12;
    const int texte = std::max(fm.horizontalAdvance(numerateur_->text()),
                               fm.horizontalAdvance(denominateur_->text())) +
                      marges;
    const int largeur = std::clamp(texte, largeur_barre_, largeur_max_fraction);
    numerateur_->setFixedWidth(largeur);
    denominateur_->setFixedWidth(largeur);
    // The bar keeps its 35 underscores, drawn wider to span the boxes.
    QFont f = barre_fraction_->font();
    f.setStretch(std::max(100, largeur * 100 / largeur_barre_));
    barre_fraction_->setFont(f);
}

} // namespace varlem
