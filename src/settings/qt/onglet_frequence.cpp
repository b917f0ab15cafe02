#include "settings/qt/onglet_frequence.h"

#include "document/reglages_systeme.h"
#include "settings/edition_cours.h"
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
      marges_(case_a_cocher(QStringLiteral("Afficher les &marges"))),
      asymptotes_(case_a_cocher(QStringLiteral("A&symptotes"))),
      paliers_(new QRadioButton(QStringLiteral("Pa&liers"))),
      rampes_(new QRadioButton(QStringLiteral("Ramp&es"))),
      decibels_(new QRadioButton(QStringLiteral("−20 dB/dé&c"))),
      pente_entiere_(new QRadioButton(QStringLiteral("pe&nte −1"))),
      convention_(groupe_choix(QStringLiteral("Phase asymptotique"), paliers_, rampes_)),
      ecriture_(groupe_choix(QStringLiteral("Pentes"), decibels_, pente_entiere_)),
      abaque_(case_a_cocher(QStringLiteral("Abaque de &Black-Nichols"))) {
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
    page->addWidget(groupe_cours());
    page->addSpacing(12);
    page->addLayout(en_cours);
    page->addStretch(1);
}

QGroupBox* onglet_frequence::groupe_cours() {
    // Read aloud, the slopes say what they are rather than their symbols.
    decibels_->setAccessibleName(QStringLiteral("Pentes en dB par décade"));
    pente_entiere_->setAccessibleName(QStringLiteral("Pentes entières"));
    connect(asymptotes_, &QCheckBox::toggled, this, [this](bool coche) {
        appliquer(ctx_, this, cocher_asymptotes(ctx_.reg.frequence, coche));
        montrer_cours();
    });
    connect(paliers_, &QRadioButton::toggled, this, [this](bool en_paliers) {
        appliquer(ctx_, this,
                  choisir_convention_phase(ctx_.reg.frequence, en_paliers
                                                                   ? convention_phase::paliers
                                                                   : convention_phase::rampes));
    });
    connect(decibels_, &QRadioButton::toggled, this, [this](bool en_decibels) {
        appliquer(ctx_, this,
                  choisir_ecriture_pente(ctx_.reg.frequence, en_decibels
                                                                 ? ecriture_pente::decibels
                                                                 : ecriture_pente::entiere));
    });
    connect(abaque_, &QCheckBox::toggled, this, [this](bool coche) {
        appliquer(ctx_, this, cocher_abaque(ctx_.reg.frequence, coche));
    });

    auto* choix = new QHBoxLayout;
    choix->addSpacing(20);
    choix->addWidget(convention_);
    choix->addWidget(ecriture_);
    choix->addStretch(1);
    auto* groupe = new QGroupBox(QStringLiteral("Tracés du cours"));
    groupe->setAccessibleName(QStringLiteral("Tracés du cours"));
    auto* l = new QVBoxLayout(groupe);
    l->addWidget(asymptotes_);
    l->addLayout(choix);
    l->addWidget(abaque_);
    return groupe;
}

void onglet_frequence::montrer_cours() {
    const options_cours& c = ctx_.reg.frequence.cours;
    cocher_sans_signal(asymptotes_, c.asymptotes);
    montrer_choix(paliers_, rampes_, c.convention == convention_phase::paliers);
    montrer_choix(decibels_, pente_entiere_, c.pente == ecriture_pente::decibels);
    convention_->setEnabled(c.asymptotes);
    ecriture_->setEnabled(c.asymptotes);
    cocher_sans_signal(abaque_, c.abaque);
}

void onglet_frequence::afficher() {
    montrer_choix(hertz_, rad_s_, ctx_.reg.frequence.en_hertz);
    montrer_choix(radian_, degre_, ctx_.reg.frequence.en_radians);
    cocher_sans_signal(marges_, ctx_.reg.frequence.afficher_marges);
    montrer_cours();
    const std::string etude = texte_etude_frequence(ctx_.sys.etudes);
    if (!etude.empty()) etude_->setText(texte_qt(etude));
}

} // namespace varlem
