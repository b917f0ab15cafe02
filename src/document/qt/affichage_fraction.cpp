#include "document/qt/affichage_fraction.h"

#include "document/fichier_fdt.h"
#include "plot/qt/textes_qt.h"
#include "studies/qt/etiquette_valeur.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QStyle>
#include <QVBoxLayout>

#include <algorithm>

namespace varlem {

namespace {

// Widest the fraction grows for long texts; the rest of the window is the loop diagram's.
constexpr int largeur_max_fraction = 560;

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

affichage_fraction::affichage_fraction(QWidget* parent)
    : QWidget(parent), numero_(new etiquette_valeur(QStringLiteral("Fonction n°"))),
      compte_(new etiquette_valeur(QStringLiteral("Nombre de fonctions :"))), fraction_(new QLabel),
      numerateur_(boite(QStringLiteral("Numérateur"))),
      denominateur_(boite(QStringLiteral("Dénominateur"))),
      barre_(new QLabel(QString(35, QLatin1Char('_')))), retard_(new QLabel),
      lettre_(new QPushButton) {
    numero_->setObjectName(QStringLiteral("numero"));
    QFont gras = numero_->font();
    gras.setBold(true);
    numero_->setFont(gras);
    compte_->setObjectName(QStringLiteral("compte"));
    fraction_->setObjectName(QStringLiteral("fraction"));
    barre_->setAccessibleName(QStringLiteral("Barre de fraction"));
    largeur_barre_ = barre_->sizeHint().width();
    retard_->setObjectName(QStringLiteral("retard"));
    retard_->setAccessibleName(QStringLiteral("Retard"));
    retard_->setTextInteractionFlags(Qt::TextSelectableByMouse);
    retard_->hide();
    lettre_->setShortcut(QKeySequence(Qt::ALT | Qt::Key_V));

    auto* etiquettes = new QVBoxLayout;
    etiquettes->addWidget(new QLabel(QStringLiteral("Fonction n°")));
    etiquettes->addWidget(numero_);
    etiquettes->addWidget(compte_);

    auto* fraction = new QGridLayout;
    fraction->setVerticalSpacing(2);
    fraction->addWidget(fraction_, 0, 0, 3, 1, Qt::AlignVCenter);
    fraction->addWidget(numerateur_, 0, 1);
    // The bar label stands on its baseline: lifted so that it sits between the two boxes.
    fraction->addWidget(barre_, 1, 1, Qt::AlignTop);
    fraction->addWidget(denominateur_, 2, 1);
    // The delay multiplies the whole fraction: written after it, level with its bar.
    fraction->addWidget(retard_, 0, 2, 3, 1, Qt::AlignVCenter);
    fraction->addWidget(lettre_, 3, 0, 1, 2, Qt::AlignLeft);

    auto* l = new QHBoxLayout(this);
    l->setContentsMargins(0, 0, 0, 0);
    l->setSpacing(12);
    l->addLayout(etiquettes);
    l->addSpacing(16);
    l->addLayout(fraction);
}

void affichage_fraction::montrer(const affichage_fonction& a) {
    montrer_numero(texte_qt(a.numero), texte_qt(a.compte));
    montrer_textes(texte_qt(a.textes.num), texte_qt(a.textes.den), texte_qt(a.facteur_retard));
}

void affichage_fraction::montrer_numero(const QString& numero, const QString& compte) {
    numero_->setText(numero);
    compte_->setText(compte);
}

void affichage_fraction::montrer_textes(const QString& num, const QString& den,
                                        const QString& facteur_retard) {
    numerateur_->setText(num);
    denominateur_->setText(den);
    retard_->setText(facteur_retard);
    retard_->setVisible(!facteur_retard.isEmpty());
    // Long texts show from their beginning.
    numerateur_->setCursorPosition(0);
    denominateur_->setCursorPosition(0);
    ajuster();
}

void affichage_fraction::montrer_etiquette(const QString& etiquette) {
    fraction_->setText(etiquette);
}

void affichage_fraction::activer_boites(bool actif) {
    numerateur_->setEnabled(actif);
    denominateur_->setEnabled(actif);
}

void affichage_fraction::ajuster() {
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
    QFont f = barre_->font();
    f.setStretch(std::max(100, largeur * 100 / largeur_barre_));
    barre_->setFont(f);
}

} // namespace varlem
