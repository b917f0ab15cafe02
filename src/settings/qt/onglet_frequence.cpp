#include "settings/qt/onglet_frequence.h"

#include "document/reglages_systeme.h"
#include "settings/qt/elements_reglages.h"

#include <QCheckBox>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QRadioButton>
#include <QVBoxLayout>

namespace varlem {

onglet_frequence::onglet_frequence(contexte_fenetres& ctx, QWidget* parent)
    : QWidget(parent), ctx_(ctx), hertz_(new QRadioButton(QStringLiteral("&Hertz"))),
      rad_s_(new QRadioButton(QStringLiteral("&Rad/s"))),
      radian_(new QRadioButton(QStringLiteral("R&adian"))),
      degre_(new QRadioButton(QStringLiteral("&Degré"))), etude_(new QLabel),
      marges_(case_a_cocher(QStringLiteral("Afficher les &marges"))) {
    hertz_->setChecked(true);
    radian_->setChecked(true);
    connect(hertz_, &QRadioButton::toggled, this, [this](bool en_hertz) {
        appliquer(ctx_, this, choisir_hertz(ctx_.reg.frequence, en_hertz, ctx_.sys));
        // The dialog shows the settings again, as after any change of the frequency study.
        afficher();
    });
    connect(radian_, &QRadioButton::toggled, this, [this](bool en_radians) {
        appliquer(ctx_, this, choisir_radians(ctx_.reg.frequence, en_radians, ctx_.sys));
        afficher();
    });

    connect(marges_, &QCheckBox::toggled, this, [this](bool coche) {
        appliquer(ctx_, this, cocher(ctx_.reg.frequence.afficher_marges, coche));
    });

    etude_->setObjectName(QStringLiteral("etude_frequence"));
    etude_->setAccessibleName(QStringLiteral("Etude fréquentielle en cours"));
    auto* en_cours = new QHBoxLayout;
    en_cours->addWidget(new QLabel(QStringLiteral("Etude en cours : ")));
    en_cours->addWidget(etude_, 1);

    auto* groupes = new QHBoxLayout;
    groupes->addWidget(groupe_choix(QStringLiteral("Graduation"), hertz_, rad_s_));
    groupes->addWidget(groupe_choix(QStringLiteral("Phase"), radian_, degre_));
    groupes->addStretch(1);

    auto* page = new QVBoxLayout(this);
    page->addLayout(groupes);
    page->addWidget(marges_);
    page->addSpacing(12);
    page->addLayout(en_cours);
    page->addStretch(1);
}

void onglet_frequence::afficher() {
    montrer_choix(hertz_, rad_s_, ctx_.reg.frequence.en_hertz);
    montrer_choix(radian_, degre_, ctx_.reg.frequence.en_radians);
    cocher_sans_signal(marges_, ctx_.reg.frequence.afficher_marges);
    const std::string etude = texte_etude_frequence(ctx_.sys.etudes);
    if (!etude.empty()) etude_->setText(texte_qt(etude));
}

} // namespace varlem
