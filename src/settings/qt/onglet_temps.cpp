#include "settings/qt/onglet_temps.h"

#include "document/reglages_systeme.h"
#include "numeric/nombres.h"
#include "settings/qt/elements_reglages.h"

#include <QCheckBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QProgressBar>
#include <QSignalBlocker>
#include <QSlider>
#include <QSpinBox>
#include <QVBoxLayout>

namespace varlem {

namespace {

const QString titre_saisie = QStringLiteral("Entrée donnée");

} // namespace

onglet_temps::onglet_temps(contexte_fenetres& ctx, QWidget* parent)
    : QWidget(parent), ctx_(ctx), etude_(new QLabel), ouverte_(image_boucle(false)),
      fermee_(image_boucle(true)), amplitude_montree_(etude_temps{}.amplitude),
      phase_montree_(etude_temps{}.phase_origine) {
    etude_->setObjectName(QStringLiteral("etude_temps"));
    etude_->setAccessibleName(QStringLiteral("Etude temporelle en cours"));
    fermee_->hide();
    creer_valeurs_sinus();
    creer_curseur();
    creer_cases_et_precision();

    auto* en_cours = new QHBoxLayout;
    en_cours->addWidget(new QLabel(QStringLiteral("Etude en cours : ")));
    en_cours->addWidget(etude_, 1);
    en_cours->addWidget(ouverte_);
    en_cours->addWidget(fermee_);

    auto* page = new QVBoxLayout(this);
    page->addLayout(en_cours);
    page->addWidget(groupe_sinus());
    page->addWidget(entree_);
    page->addWidget(non_corrige_);
    page->addWidget(groupe_periodiques());
    page->addStretch(1);
}

void onglet_temps::creer_valeurs_sinus() {
    amplitude_ = new etiquette_cliquable(QStringLiteral("Amplitude =  1"), QLatin1Char('A'));
    amplitude_->setObjectName(QStringLiteral("amplitude"));
    connect(amplitude_, &QPushButton::clicked, this, [this] {
        au_clic_valeur(amplitude_, QStringLiteral("Entrer la valeur de l amplitude"),
                       ctx_.reg.temps.amplitude, saisir_amplitude);
        amplitude_montree_ = ctx_.reg.temps.amplitude;
    });
    pulsation_ = new etiquette_cliquable(QStringLiteral("Pulsation = 1 rad/s"), QLatin1Char('P'));
    pulsation_->setObjectName(QStringLiteral("pulsation"));
    connect(pulsation_, &QPushButton::clicked, this, [this] {
        au_clic_valeur(pulsation_, QStringLiteral("Entrer la valeur de la pulsation"),
                       ctx_.reg.temps.pulsation, saisir_pulsation);
    });
    phase_ = new etiquette_cliquable(QStringLiteral("Phase à l'origine = 0"), QLatin1Char('h'));
    phase_->setObjectName(QStringLiteral("phase"));
    connect(phase_, &QPushButton::clicked, this, [this] {
        au_clic_valeur(phase_, QStringLiteral("Entrer la valeur de phase à l origine en rad"),
                       ctx_.reg.temps.phase_origine, saisir_phase_origine);
        phase_montree_ = ctx_.reg.temps.phase_origine;
    });
    pulsation_min_ = new etiquette_cliquable(QStringLiteral("wmin"), QLatin1Char('m'));
    pulsation_min_->setObjectName(QStringLiteral("wmin"));
    connect(pulsation_min_, &QPushButton::clicked, this, [this] {
        au_clic_borne(pulsation_min_, QStringLiteral("Entrer la valeur de la pulsation min"),
                      ctx_.reg.temps.pulsation_min, saisir_pulsation_min);
    });
    pulsation_max_ = new etiquette_cliquable(QStringLiteral("wmax"), QLatin1Char('x'));
    pulsation_max_->setObjectName(QStringLiteral("wmax"));
    connect(pulsation_max_, &QPushButton::clicked, this, [this] {
        au_clic_borne(pulsation_max_, QStringLiteral("Entrer la valeur de la pulsation maxi"),
                      ctx_.reg.temps.pulsation_max, saisir_pulsation_max);
    });
}

void onglet_temps::creer_curseur() {
    curseur_ = new QSlider(Qt::Vertical);
    curseur_->setAccessibleName(QStringLiteral("Curseur de pulsation"));
    curseur_->setRange(0, position_curseur_max);
    curseur_->setTickInterval(2);
    curseur_->setTickPosition(QSlider::TicksBothSides);
    curseur_->setPageStep(2);
    // Position 0 is the top end, the highest pulsation; the Up key moves the thumb up.
    curseur_->setInvertedAppearance(true);
    curseur_->setInvertedControls(true);
    connect(curseur_, &QSlider::valueChanged, this, [this](int position) {
        const effet_reglage e =
            deplacer_curseur_pulsation(ctx_.reg.temps, ctx_.sys.etudes, position);
        etiqueter(pulsation_, e);
        appliquer(ctx_, this, e);
    });
}

void onglet_temps::creer_cases_et_precision() {
    entree_ = case_a_cocher(QStringLiteral("Afficher courbes &signal entrée"));
    entree_->setChecked(true);
    connect(entree_, &QCheckBox::toggled, this, [this](bool coche) {
        appliquer(ctx_, this, cocher(ctx_.reg.temps.afficher_entree, coche));
    });
    non_corrige_ = case_a_cocher(QStringLiteral("Afficher rép syst &non corr qd bouclage"));
    connect(non_corrige_, &QCheckBox::toggled, this, [this](bool coche) {
        appliquer(ctx_, this, cocher_non_corrige(ctx_.sys.etudes, coche));
    });

    precision_ = new QSpinBox;
    precision_->setAccessibleName(QStringLiteral("Précision des calculs signaux périodiques"));
    precision_->setRange(precision_periodique_min, precision_periodique_max);
    precision_->setValue(ctx_.reg.precision_periodique);
    jauge_ = new QProgressBar;
    jauge_->setAccessibleName(QStringLiteral("Jauge de précision"));
    jauge_->setRange(0, precision_periodique_max + 1);
    jauge_->setValue(ctx_.reg.precision_periodique);
    jauge_->setFormat(QStringLiteral("%v"));
    connect(precision_, &QSpinBox::valueChanged, this, [this](int position) {
        const effet_reglage e = regler_precision_periodique(ctx_.reg, position);
        jauge_->setValue(ctx_.reg.precision_periodique);
        appliquer(ctx_, this, e);
    });
}

QGroupBox* onglet_temps::groupe_sinus() {
    auto* sinus = new QGroupBox(QStringLiteral("Parametres sinusoïde:"));
    auto* grille = new QGridLayout(sinus);
    grille->addWidget(amplitude_, 0, 0);
    grille->addWidget(pulsation_, 1, 0);
    grille->addWidget(phase_, 2, 0);
    grille->addWidget(pulsation_max_, 0, 1, Qt::AlignHCenter);
    grille->addWidget(curseur_, 1, 1, Qt::AlignHCenter);
    grille->addWidget(pulsation_min_, 2, 1, Qt::AlignHCenter);
    grille->setColumnStretch(0, 1);
    grille->setColumnMinimumWidth(1, 120);
    curseur_->setMinimumHeight(90);
    return sinus;
}

QGroupBox* onglet_temps::groupe_periodiques() {
    auto* periodiques = new QGroupBox(QStringLiteral("calculs signaux périodiques"));
    auto* reglage = new QGridLayout(periodiques);
    reglage->addWidget(precision_, 0, 0);
    reglage->addWidget(jauge_, 0, 1);
    reglage->addWidget(new QLabel(QStringLiteral("+ rapide  + précis")), 1, 1, Qt::AlignHCenter);
    reglage->setColumnStretch(1, 1);
    return periodiques;
}

void onglet_temps::au_clic_valeur(etiquette_cliquable* etiquette, const QString& invite,
                                  double actuelle,
                                  effet_reglage (*saisir)(etude_temps&, const etat_etudes&,
                                                          std::string_view)) {
    const std::string texte =
        demander_valeur(ctx_, this, titre_saisie, invite, texte_nombre(actuelle));
    const effet_reglage e = saisir(ctx_.reg.temps, ctx_.sys.etudes, texte);
    etiqueter(etiquette, e);
    if (e.position_curseur) placer_curseur(*e.position_curseur);
    appliquer(ctx_, this, e);
}

void onglet_temps::au_clic_borne(etiquette_cliquable* etiquette, const QString& invite,
                                 double actuelle,
                                 effet_reglage (*saisir)(etude_temps&, std::string_view)) {
    const std::string texte =
        demander_valeur(ctx_, this, titre_saisie, invite, texte_nombre(actuelle));
    const effet_reglage e = saisir(ctx_.reg.temps, texte);
    etiqueter(etiquette, e);
    appliquer(ctx_, this, e);
}

void onglet_temps::placer_curseur(int position) {
    // Placed by the program, the slider shows the pulsation; it must not round it to a step.
    const QSignalBlocker silence(curseur_);
    curseur_->setValue(position);
}

void onglet_temps::afficher() {
    const etude_temps& t = ctx_.reg.temps;
    const etat_etudes& e = ctx_.sys.etudes;
    if (const std::string etude = texte_etude_temps(e.etude_temps_choisie); !etude.empty())
        etude_->setText(texte_qt(etude));
    ouverte_->setVisible(!e.boucle_fermee);
    fermee_->setVisible(e.boucle_fermee);
    if (t.amplitude != amplitude_montree_) {
        amplitude_->changer_texte(texte_qt(texte_amplitude(t.amplitude)));
        amplitude_montree_ = t.amplitude;
    }
    if (t.phase_origine != phase_montree_) {
        phase_->changer_texte(texte_qt(texte_phase_origine(t.phase_origine)));
        phase_montree_ = t.phase_origine;
    }
    pulsation_->changer_texte(texte_qt(texte_pulsation(t.pulsation)));
    pulsation_min_->changer_texte(texte_qt(texte_pulsation_min(t.pulsation_min)));
    pulsation_max_->changer_texte(texte_qt(texte_pulsation_max(t.pulsation_max)));
    placer_curseur(position_pulsation(t));
    cocher_sans_signal(entree_, t.afficher_entree);
    cocher_sans_signal(non_corrige_, e.afficher_non_corrige);
    const QSignalBlocker silence(precision_);
    precision_->setValue(ctx_.reg.precision_periodique);
    jauge_->setValue(precision_->value());
}

} // namespace varlem
