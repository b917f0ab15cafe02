#include "document/qt/panneau_boucle.h"

#include "document/etudes_systeme.h"
#include "document/qt/curseur_etiquete.h"
#include "document/qt/dialogue_saisie.h"
#include "document/qt/schema_boucle.h"
#include "plot/qt/textes_qt.h"
#include "studies/qt/etiquette_valeur.h"
#include "studies/textes_caracteristiques.h"

#include <QCheckBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPlainTextEdit>
#include <QScrollBar>
#include <QSignalBlocker>
#include <QSlider>
#include <QVBoxLayout>
#include <QtMath>

#include <algorithm>

namespace varlem {

namespace {

// The closed-loop text shown whole: at least four lines, one more for a stand-in's note, and
// room for the horizontal scroll bar its long polynomials bring.
void ajuster_hauteur(QPlainTextEdit* t) {
    const int lignes = std::max(4, t->document()->blockCount());
    // A few pixels beyond the lines: the layout's line heights round above the font's spacing.
    const int marges = 2 * t->frameWidth() + 2 * qCeil(t->document()->documentMargin()) + 4;
    t->setFixedHeight(t->fontMetrics().lineSpacing() * lignes + marges +
                      t->horizontalScrollBar()->sizeHint().height());
}

// A slider set by the program without running its handler.
void regler_sans_signal(curseur_etiquete* c, const etat_curseur& e) {
    const QSignalBlocker silence(c->curseur());
    c->regler(e);
}

} // namespace

panneau_boucle::panneau_boucle(contexte_fenetres& ctx, QWidget* parent)
    : QWidget(parent), ctx_(ctx), schema_(new schema_boucle(this)),
      texte_boucle_(new QPlainTextEdit(this)), lectures_(new QWidget(this)),
      stabilite_(new etiquette_valeur(QStringLiteral("Stabilité de la boucle fermée"), lectures_)),
      marges_(new etiquette_valeur(QStringLiteral("Marges de la boucle ouverte"), lectures_)),
      gabarit_(new curseur_etiquete(QStringLiteral("Paramètre du gabarit"), QChar(), this)) {
    texte_boucle_->setReadOnly(true);
    texte_boucle_->setAccessibleName(QStringLiteral("Fonction de transfert en boucle fermée"));
    texte_boucle_->setLineWrapMode(QPlainTextEdit::NoWrap);
    ajuster_hauteur(texte_boucle_);
    gabarit_->setFixedWidth(220);
    gabarit_->haut_cliquable(false);

    auto* d = new QVBoxLayout(this);
    d->setContentsMargins(0, 0, 0, 0);
    d->addWidget(schema_);
    d->addLayout(construire_lectures());
    d->addWidget(gabarit_, 0, Qt::AlignLeft);
    d->addStretch(1);

    relier_curseurs();
    cacher_tout();
}

QLayout* panneau_boucle::construire_lectures() {
    QFont gras = stabilite_->font();
    gras.setBold(true);
    stabilite_->setFont(gras);
    marges_->setTextInteractionFlags(Qt::TextSelectableByMouse);
    auto* l = new QVBoxLayout(lectures_);
    l->setContentsMargins(8, 0, 0, 0);
    l->addWidget(stabilite_);
    l->addWidget(marges_);
    l->addStretch(1);
    auto* bas = new QHBoxLayout;
    bas->addWidget(texte_boucle_, 1);
    bas->addWidget(lectures_);
    return bas;
}

void panneau_boucle::relier_curseurs() {
    // The P slider tunes the corrector with the loop closed and the template's parameter while
    // a template is studied: both go through the same operation.
    for (curseur_etiquete* c : {schema_->curseur_p(), gabarit_})
        connect(c, &curseur_etiquete::deplace, this, [this, c](int position) {
            const reglage_curseur r = deplacer_curseur_p(ctx_.sys, position);
            if (r.effectue) c->montrer_valeur(r.etiquette_valeur);
            appliquer(r);
        });
    const std::pair<curseur_etiquete*, curseur_correcteur> autres[] = {
        {schema_->curseur_ti(), curseur_correcteur::ti},
        {schema_->curseur_td(), curseur_correcteur::td}};
    for (const auto& [c, quel] : autres)
        connect(c, &curseur_etiquete::deplace, this, [this, c = c, quel = quel](int position) {
            const reglage_curseur r = deplacer_curseur_correcteur(ctx_.sys, quel, position);
            if (r.effectue) c->montrer_valeur(r.etiquette_valeur);
            appliquer(r);
        });
    const std::pair<curseur_etiquete*, curseur_correcteur> tous[] = {
        {schema_->curseur_p(), curseur_correcteur::p},
        {schema_->curseur_ti(), curseur_correcteur::ti},
        {schema_->curseur_td(), curseur_correcteur::td}};
    for (const auto& [c, quel] : tous)
        connect(c, &curseur_etiquete::haut_clique, this,
                [this, c = c, quel = quel] { au_clic_maximum(quel, c); });
    connect(schema_->avec_i(), &QCheckBox::toggled, this,
            [this](bool coche) { appliquer(basculer_avec_i(ctx_.sys, coche)); });
    connect(schema_, &schema_boucle::retour_clique, this, &panneau_boucle::au_clic_retour);
}

void panneau_boucle::appliquer(const reglage_curseur& r) {
    if (!r.effectue) return;
    // A change of the loop comes with its new text, which brings the readings with it.
    if (!r.texte_boucle.empty()) montrer_texte_boucle(r.texte_boucle);
    ctx_.pilote.executer(r.rafraichir);
}

void panneau_boucle::montrer_boucle(const fermeture_boucle& f) {
    const QString x(QChar::fromLatin1(ctx_.sys.lettre_variable));
    schema_->nommer_fonction(QStringLiteral("T(%1)").arg(x));
    regler_sans_signal(schema_->curseur_p(), f.curseurs.p);
    regler_sans_signal(schema_->curseur_ti(), f.curseurs.ti);
    regler_sans_signal(schema_->curseur_td(), f.curseurs.td);
    {
        const QSignalBlocker silence(schema_->avec_i());
        schema_->avec_i()->setChecked(f.curseurs.avec_i);
    }
    schema_->montrer_retour(QStringLiteral("1"), QStringLiteral("1"));
    montrer_texte_boucle(f.texte_boucle);
    gabarit_->hide();
    schema_->show();
    texte_boucle_->show();
    lectures_->show();
    show();
}

void panneau_boucle::montrer_gain_lieu(const reglage_gain_lieu& r) {
    if (!r.effectue) return;
    curseur_etiquete* p = schema_->curseur_p();
    {
        const QSignalBlocker silence(p->curseur());
        p->placer(r.position);
    }
    p->montrer_valeur(r.etiquette_valeur);
    if (r.etiquette_haut) p->montrer_haut(*r.etiquette_haut);
    montrer_texte_boucle(r.texte_boucle);
}

void panneau_boucle::montrer_texte_boucle(const std::string& t) {
    texte_boucle_->setPlainText(lignes_affichees(t));
    ajuster_hauteur(texte_boucle_);
    if (ctx_.sys.etudes.boucle_fermee) actualiser_lectures();
}

void panneau_boucle::actualiser_lectures() {
    const std::optional<caracteristiques> c = caracteristiques_systeme(ctx_.sys);
    if (!c) return;
    stabilite_->setText(texte_qt(texte_stabilite_boucle(c->indicielle)));
    QPalette p = stabilite_->palette();
    p.setColor(QPalette::WindowText,
               c->indicielle.stable ? palette().color(QPalette::WindowText) : QColor(Qt::red));
    stabilite_->setPalette(p);
    marges_->setText(texte_qt(texte_ligne(ligne_marge_gain(c->marges))) + QLatin1Char('\n') +
                     texte_qt(texte_ligne(ligne_marge_phase(c->marges))) + QLatin1Char('\n') +
                     texte_qt(texte_ligne(ligne_marge_retard(c->marges))));
}

void panneau_boucle::montrer_gabarit(const choix_gabarit& c) {
    schema_->hide();
    texte_boucle_->hide();
    lectures_->hide();
    gabarit_->etiqueter(c.etiquette_haut, c.etiquette_valeur, c.etiquette_bas);
    // Narrowing the range or moving the slider runs its handler, as a user's move would; the
    // value label then shows the value the slider gave.
    gabarit_->regler_plage(c.curseur_max, c.graduation);
    gabarit_->placer(c.position);
    gabarit_->show();
    show();
}

void panneau_boucle::cacher_tout() {
    schema_->hide();
    texte_boucle_->hide();
    lectures_->hide();
    gabarit_->hide();
    hide();
}

void panneau_boucle::au_clic_maximum(curseur_correcteur c, curseur_etiquete* curseur) {
    if (!ctx_.sys.etudes.boucle_fermee) return;
    const demande_maximum q = question_maximum(ctx_.sys, c);
    const QString reponse =
        ctx_.plat.saisir_texte(this, texte_qt(q.titre), texte_qt(q.invite), texte_qt(q.defaut));
    if (const std::optional<std::string> haut = saisir_maximum(ctx_.sys, c, reponse.toStdString()))
        curseur->montrer_haut(*haut);
}

void panneau_boucle::au_clic_retour() {
    if (!ctx_.sys.etudes.boucle_fermee || !dialogue_) return;
    std::optional<saisie_retour> accepte;
    dialogue_->saisir(QStringLiteral("Entrée du retour"),
                      [this, &accepte](std::string num, std::string den) {
                          saisie_retour r = entrer_retour(ctx_.sys, num, den);
                          const erreurs_saisie e{r.erreur_syntaxe, r.erreur_degre};
                          if (e.acceptee()) accepte = std::move(r);
                          return e;
                      });
    const fdt& retour = ctx_.sys.retour.fonction;
    schema_->montrer_retour(texte_qt(retour.texte_num), texte_qt(retour.texte_den));
    montrer_texte_boucle(texte_boucle_fermee(ctx_.sys));
    // The studies follow whatever the dialog's outcome, as after any edit of the loop.
    ctx_.pilote.executer(accepte ? accepte->rafraichir : rafraichir(true, true));
}

} // namespace varlem
