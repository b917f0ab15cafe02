#include "settings/qt/dialogue_reglages.h"

#include "document/reglages_systeme.h"
#include "settings/edition_reglages.h"
#include "settings/qt/elements_reglages.h"
#include "settings/qt/onglet_decomposition.h"
#include "settings/qt/onglet_frequence.h"
#include "settings/qt/onglet_graphique.h"
#include "settings/qt/onglet_poles_zeros.h"
#include "settings/qt/onglet_taille.h"
#include "settings/qt/onglet_temps.h"

#include <QDialogButtonBox>
#include <QPushButton>
#include <QTabWidget>
#include <QVBoxLayout>

namespace varlem {

namespace {

// The tab shown first.
constexpr int rang_onglet_temps = 2;

} // namespace

dialogue_reglages::dialogue_reglages(contexte_fenetres& ctx, QWidget* parent)
    : QDialog(parent), ctx_(ctx), onglets_(new QTabWidget(this)),
      graphique_(new onglet_graphique(ctx)), frequence_(new onglet_frequence(ctx)),
      temps_(new onglet_temps(ctx)), poles_zeros_(new onglet_poles_zeros(ctx)),
      decomposition_(new onglet_decomposition(ctx)), taille_(new onglet_taille(ctx)) {
    setWindowTitle(QStringLiteral("Parametres de l'étude en cours"));
    setModal(true);
    const std::pair<QWidget*, const char*> pages[] = {
        {graphique_, "Graphique"},         {frequence_, "Etude freq"},
        {temps_, "Etude temps"},           {poles_zeros_, "Poles et zéros"},
        {decomposition_, "Decomposition"}, {taille_, "Taille "}};
    for (const auto& [page, titre] : pages) {
        page->setAccessibleName(QString::fromUtf8(titre).trimmed());
        onglets_->addTab(page, QString::fromUtf8(titre));
    }
    // All six tabs in sight: the dialog widens to them rather than scrolling its tab bar.
    onglets_->setUsesScrollButtons(false);
    onglets_->setAccessibleName(QStringLiteral("Parametres de l'étude en cours"));
    auto* boutons = new QDialogButtonBox(QDialogButtonBox::Ok, this);
    boutons->button(QDialogButtonBox::Ok)->setText(QStringLiteral("OK"));
    connect(boutons, &QDialogButtonBox::accepted, this, &dialogue_reglages::au_clic_ok);
    auto* disposition = new QVBoxLayout(this);
    disposition->addWidget(onglets_);
    disposition->addWidget(boutons);
    // A fixed dialog, as large as its largest tab needs.
    disposition->setSizeConstraint(QLayout::SetFixedSize);
    onglets_->setCurrentIndex(rang_onglet_temps);
}

void dialogue_reglages::afficher_reglages() {
    graphique_->afficher();
    frequence_->afficher();
    temps_->afficher();
    poles_zeros_->afficher();
    decomposition_->afficher();
    taille_->afficher();
}

void dialogue_reglages::remplir_dialogue() {
    afficher_reglages();
    ctx_.reg.temps.precision_modifiee = false;
}

void dialogue_reglages::showEvent(QShowEvent* e) {
    afficher_reglages();
    QDialog::showEvent(e);
}

void dialogue_reglages::montrer() {
    onglets_->setCurrentIndex(rang_onglet_temps);
    exec();
}

void dialogue_reglages::au_clic_ok() {
    appliquer(ctx_, this, valider_reglages(ctx_.reg, ctx_.sys.etudes));
    accept();
}

} // namespace varlem
