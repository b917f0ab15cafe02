#include "studies/qt/fenetre_stabilite.h"

#include "plot/qt/textes_qt.h"
#include "studies/etude_stabilite.h"

#include <QFontDatabase>
#include <QPlainTextEdit>
#include <QVBoxLayout>

namespace varlem {

fenetre_stabilite::fenetre_stabilite(contexte_fenetres& ctx, QWidget* parent)
    : fenetre_etude(ctx, QStringLiteral("Stabilité"), QSize(620, 560),
                    {QStringLiteral("&Stabilité"),
                     QStringLiteral("Stabilité : critères de Routh et de Nyquist, gains stables"),
                     QStringLiteral("stabilite")},
                    parent),
      texte_(new QPlainTextEdit(this)) {
    ajouter_copie_texte(texte_);
    texte_->setAccessibleName(QStringLiteral("Critères de stabilité de la boucle"));
    texte_->setReadOnly(true);
    texte_->setLineWrapMode(QPlainTextEdit::WidgetWidth);
    // The columns of the Routh table line up in a fixed-width font.
    texte_->setFont(QFontDatabase::systemFont(QFontDatabase::FixedFont));
    disposition_->addWidget(texte_, 1);
}

void fenetre_stabilite::ouvrir() {
    marquer_ouverte();
    texte_->show();
    changer_mode();
    montrer();
    ecrire_texte();
}

void fenetre_stabilite::rafraichir(bool, bool) {
    ecrire_texte();
}

void fenetre_stabilite::changer_mode() {
    setWindowTitle(ctx_.sys.etudes.boucle_fermee
                       ? QStringLiteral("Stabilité de la boucle fermée")
                       : QStringLiteral("Stabilité de la fonction courante en retour unitaire"));
}

void fenetre_stabilite::ecrire_texte() {
    const std::optional<boucle_stabilite> b = boucle_stabilite_systeme(ctx_.sys);
    std::string t;
    if (!b) {
        boucle_.reset();
        t = texte_etude_stabilite(ctx_.sys);
    } else {
        // The stable gains depend on the loop, not on its gain: a move of P keeps them.
        const bool meme = boucle_ && boucle_->etudiee.num == b->etudiee.num &&
                          boucle_->etudiee.den == b->etudiee.den && boucle_->retard == b->retard;
        if (!meme) gains_ = gains_stables_boucle(*b);
        boucle_ = b;
        t = texte_etude_stabilite(ctx_.sys, *b, gains_);
    }
    const QString q = lignes_affichees(t);
    // The same text again keeps where the reader had scrolled to.
    if (q != texte_->toPlainText()) texte_->setPlainText(q);
}

QString fenetre_stabilite::texte() const {
    return texte_->toPlainText();
}

void fenetre_stabilite::cacher_contenu() {
    texte_->hide();
    boucle_.reset();
    gains_.clear();
}

} // namespace varlem
