#include "app/qt/boite_a_propos.h"

#include "app/qt/icone.h"

#include <QFrame>
#include <QGridLayout>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QScreen>
#include <QVBoxLayout>

#include <algorithm>

namespace varlem {

namespace {

constexpr int cote_icone = 48;

// A label read out by its own text, which the mouse can select.
QLabel* etiquette(const QString& texte, QWidget* parent) {
    auto* l = new QLabel(texte, parent);
    l->setTextInteractionFlags(Qt::TextSelectableByMouse);
    return l;
}

} // namespace

boite_a_propos::boite_a_propos(QWidget* parent) : QDialog(parent) {
    setWindowFlags(Qt::Dialog | Qt::WindowTitleHint | Qt::WindowCloseButtonHint);
    setWindowTitle(QStringLiteral("A propos"));
    setAccessibleName(QStringLiteral("A propos de Varlem"));
    setWindowIcon(icone_programme());

    auto* panneau = new QFrame(this);
    panneau->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    panneau->setAccessibleName(QStringLiteral("Informations sur le programme"));

    auto* image = new QLabel(panneau);
    image->setPixmap(icone_programme().pixmap(cote_icone, cote_icone));
    image->setFixedSize(cote_icone, cote_icone);
    image->setAccessibleName(QStringLiteral("Icône de Varlem"));

    auto* nom = etiquette(QStringLiteral("Varlem"), panneau);
    QFont grande = nom->font();
    grande.setPointSizeF(grande.pointSizeF() * 1.6);
    grande.setBold(true);
    nom->setFont(grande);

    auto* version = etiquette(QStringLiteral("Version 1.1"), panneau);

    auto* objet = etiquette(
        QStringLiteral("Étude des systèmes linéaires par leurs fonctions de transfert"), panneau);
    objet->setWordWrap(true);

    auto* grille = new QGridLayout(panneau);
    grille->setContentsMargins(12, 12, 12, 12);
    grille->setHorizontalSpacing(12);
    grille->setVerticalSpacing(6);
    grille->addWidget(image, 0, 0, 2, 1, Qt::AlignTop);
    grille->addWidget(nom, 0, 1, Qt::AlignBottom);
    grille->addWidget(version, 1, 1, Qt::AlignTop);
    grille->addWidget(objet, 2, 0, 1, 2);
    grille->setRowStretch(3, 1);
    grille->setColumnStretch(1, 1);

    ok_ = new QPushButton(QStringLiteral("OK"), this);
    ok_->setDefault(true);
    ok_->setAccessibleName(QStringLiteral("OK"));
    ok_->setAccessibleDescription(QStringLiteral("Ferme la boîte A propos"));
    connect(ok_, &QPushButton::clicked, this, &QDialog::accept);

    auto* bas = new QHBoxLayout;
    bas->addStretch();
    bas->addWidget(ok_);
    bas->addStretch();

    auto* disposition = new QVBoxLayout(this);
    disposition->setContentsMargins(8, 8, 8, 8);
    disposition->addWidget(panneau, 1);
    disposition->addLayout(bas);

    // The designed size, grown where the texts in the current font would not fit.
    const int w = std::max(largeur_min, sizeHint().width());
    const int h = disposition->hasHeightForWidth() ? disposition->totalHeightForWidth(w)
                                                   : sizeHint().height();
    setFixedSize(w, std::max(hauteur_min, h));
}

void boite_a_propos::montrer() {
    if (const QScreen* ecran = screen() ? screen() : QGuiApplication::primaryScreen()) {
        QRect cadre = frameGeometry();
        cadre.moveCenter(ecran->availableGeometry().center());
        move(cadre.topLeft());
    }
    ok_->setFocus();
    exec();
}

} // namespace varlem
