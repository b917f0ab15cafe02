#include "settings/qt/onglet_decomposition.h"

#include "settings/qt/elements_reglages.h"

#include <QCheckBox>
#include <QComboBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QSignalBlocker>
#include <QVBoxLayout>

namespace varlem {

onglet_decomposition::onglet_decomposition(contexte_fenetres& ctx, QWidget* parent)
    : QWidget(parent), ctx_(ctx),
      courante_(case_a_cocher(QStringLiteral("&Decomposition de la fonction courante"))),
      poles_(case_a_cocher(QStringLiteral("Valeurs des &pôles"))),
      zeros_(case_a_cocher(QStringLiteral("Valeurs des &zéros"))),
      caracteristiques_(case_a_cocher(QStringLiteral("&Caractéristiques"))),
      precision_(new QComboBox) {
    reglages_pz& pz = ctx_.reg.pz;
    const std::pair<QCheckBox*, bool*> cases[] = {{courante_, &pz.decomposer_courante},
                                                  {poles_, &pz.valeurs_poles},
                                                  {zeros_, &pz.valeurs_zeros},
                                                  {caracteristiques_, &pz.caracteristiques}};
    for (const auto& [boite, reglage] : cases) {
        boite->setChecked(true);
        connect(boite, &QCheckBox::toggled, this, [this, reglage = reglage](bool coche) {
            appliquer(ctx_, this, cocher(*reglage, coche));
        });
    }

    for (int p = precision_affichage_min; p <= precision_affichage_max; ++p)
        precision_->addItem(QString::number(p));
    precision_->setAccessibleName(QStringLiteral("Précision affichage"));
    connect(precision_, &QComboBox::currentIndexChanged, this, [this](int rang) {
        if (rang >= 0) appliquer(ctx_, this, choisir_precision(ctx_.reg.pz, rang));
    });
    auto* invite = new QLabel(QStringLiteral("Précision &affichage"));
    invite->setBuddy(precision_);
    auto* ligne = new QHBoxLayout;
    ligne->addWidget(invite);
    ligne->addWidget(precision_);
    ligne->addStretch(1);

    auto* page = new QVBoxLayout(this);
    page->addWidget(courante_);
    page->addWidget(poles_);
    page->addWidget(zeros_);
    page->addWidget(caracteristiques_);
    page->addSpacing(12);
    page->addLayout(ligne);
    page->addStretch(1);
}

void onglet_decomposition::afficher() {
    const reglages_pz& pz = ctx_.reg.pz;
    cocher_sans_signal(courante_, pz.decomposer_courante);
    cocher_sans_signal(poles_, pz.valeurs_poles);
    cocher_sans_signal(zeros_, pz.valeurs_zeros);
    cocher_sans_signal(caracteristiques_, pz.caracteristiques);
    const QSignalBlocker silence(precision_);
    precision_->setCurrentIndex(rang_precision(pz));
}

} // namespace varlem
