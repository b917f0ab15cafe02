#include "studies/qt/fenetre_decomposition.h"

#include "plot/qt/textes_qt.h"
#include "studies/texte_poles_zeros.h"
#include "studies/titres_etudes.h"

#include <QFontDatabase>
#include <QPlainTextEdit>
#include <QScrollBar>
#include <QStyle>
#include <QStyleFactory>
#include <QVBoxLayout>

namespace varlem {

fenetre_decomposition::fenetre_decomposition(contexte_fenetres& ctx, QWidget* parent)
    : fenetre_etude(ctx, QStringLiteral("Decomposition"), QSize(391, 348),
                    {QStringLiteral("&Décomposition"),
                     QStringLiteral("Décomposition en éléments simples"),
                     QStringLiteral("etude_decomposition")},
                    parent),
      texte_(new QPlainTextEdit(this)) {
    ajouter_copie_texte(texte_);
    texte_->setAccessibleName(QStringLiteral("Décomposition et valeurs des pôles et des zéros"));
    texte_->setLineWrapMode(QPlainTextEdit::NoWrap);
    texte_->setHorizontalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    texte_->setVerticalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    // The text is redrawn at every slider move: scroll bars painted with plain fills cost a
    // fraction of gradient ones, which the painter shares out among threads.
    if (QStyle* sobre = QStyleFactory::create(QStringLiteral("Windows"))) {
        sobre->setParent(texte_);
        texte_->verticalScrollBar()->setStyle(sobre);
        texte_->horizontalScrollBar()->setStyle(sobre);
    }
    // Columns of signed numbers line up in a fixed-width font.
    texte_->setFont(QFontDatabase::systemFont(QFontDatabase::FixedFont));
    disposition_->addWidget(texte_, 1);
}

void fenetre_decomposition::ouvrir() {
    ctx_.sys.etudes.decomp_ouverte = true;
    texte_->show();
    montrer();
    ecrire_texte();
    setWindowTitle(texte_qt(titre_decomposition(ctx_.sys.etudes)));
}

bool fenetre_decomposition::ouverte() const {
    return ctx_.sys.etudes.decomp_ouverte;
}

void fenetre_decomposition::rafraichir(bool, bool) {
    ecrire_texte();
}

void fenetre_decomposition::ecrire_texte() {
    const QString texte = lignes_affichees(texte_fenetre_decomposition(ctx_.sys, ctx_.reg.pz));
    // The same text again keeps where the reader had scrolled to.
    if (texte != texte_->toPlainText()) texte_->setPlainText(texte);
}

QString fenetre_decomposition::texte() const {
    return texte_->toPlainText();
}

void fenetre_decomposition::cacher_contenu() {
    texte_->hide();
}

} // namespace varlem
