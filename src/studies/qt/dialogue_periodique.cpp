#include "studies/qt/dialogue_periodique.h"

#include "studies/entree_periodique.h"

#include <QDialogButtonBox>
#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

namespace varlem {

namespace {

QString texte_qt(const std::string& s) {
    return QString::fromStdString(s);
}

} // namespace

dialogue_periodique::dialogue_periodique(contexte_fenetres& ctx, QWidget* parent)
    : QDialog(parent), ctx_(ctx) {
    setWindowTitle(QStringLiteral("Entrée carré triangle"));
    auto* formulaire = new QFormLayout;
    const textes_periodiques initiaux = textes_periodiques_initiaux();
    const auto champ = [&](const QString& invite, const std::string& texte,
                           const QString& suite = {}) {
        auto* e = new QLineEdit(texte_qt(texte));
        e->setAccessibleName(QString(invite).remove(QLatin1Char(':')).remove(QLatin1Char('&')));
        if (suite.isEmpty()) {
            formulaire->addRow(invite, e);
        } else {
            auto* ligne = new QHBoxLayout;
            ligne->addWidget(e);
            ligne->addWidget(new QLabel(suite));
            formulaire->addRow(invite, ligne);
        }
        return e;
    };
    frequence_ = champ(QStringLiteral("&Fréquence (Hz):"), initiaux.frequence);
    nb_periodes_ =
        champ(QStringLiteral("N&b périodes vues:"), initiaux.nb_periodes, QStringLiteral(" <= 10"));
    amplitude_max_ = champ(QStringLiteral("Amplitude ma&x:"), initiaux.amplitude_max);
    amplitude_min_ = champ(QStringLiteral("Amplitude mi&n:"), initiaux.amplitude_min);
    rapport_ = champ(QStringLiteral("&Rapport cycl/dissym:"), initiaux.rapport_cyclique);

    auto* depart = new QGroupBox(QStringLiteral("Départ"));
    auto* choix = new QVBoxLayout(depart);
    maxi_ = new QRadioButton(QStringLiteral("M&axi au départ"));
    mini_ = new QRadioButton(QStringLiteral("Mi&ni au départ"));
    nul_ = new QRadioButton(QStringLiteral("Nul au départ"));
    maxi_->setChecked(true);
    // Offered by the file format but not by this dialog.
    nul_->hide();
    const std::pair<QRadioButton*, depart_periodique> departs[] = {
        {maxi_, depart_periodique::maximum},
        {mini_, depart_periodique::minimum},
        {nul_, depart_periodique::zero}};
    for (const auto& [bouton, valeur] : departs) {
        choix->addWidget(bouton);
        connect(bouton, &QRadioButton::toggled, this, [this, valeur = valeur](bool coche) {
            if (coche) ctx_.reg.temps.depart = valeur;
        });
    }

    auto* boutons = new QDialogButtonBox(QDialogButtonBox::Ok);
    connect(boutons, &QDialogButtonBox::accepted, this, [this] { au_clic_ok(); });

    auto* d = new QVBoxLayout(this);
    d->addLayout(formulaire);
    d->addWidget(depart);
    d->addWidget(boutons);
    d->setSizeConstraint(QLayout::SetFixedSize);
}

bool dialogue_periodique::saisir(const QString& titre) {
    setWindowTitle(titre);
    frequence_->setFocus();
    frequence_->selectAll();
    return exec() == QDialog::Accepted;
}

void dialogue_periodique::au_clic_ok() {
    const textes_periodiques t{frequence_->text().toStdString(), nb_periodes_->text().toStdString(),
                               amplitude_max_->text().toStdString(),
                               amplitude_min_->text().toStdString(),
                               rapport_->text().toStdString()};
    // A refused value keeps the dialog open, without a message, on what was accepted so far.
    if (valider_periodique(ctx_.reg.temps, t)) accept();
}

} // namespace varlem
