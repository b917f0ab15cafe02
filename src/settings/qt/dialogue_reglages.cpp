#include "settings/qt/dialogue_reglages.h"

#include <QDialogButtonBox>
#include <QPushButton>
#include <QTabWidget>
#include <QVBoxLayout>

namespace varlem {

dialogue_reglages::dialogue_reglages(contexte_fenetres& ctx, QWidget* parent)
    : QDialog(parent), ctx_(ctx), onglets_(new QTabWidget(this)) {
    setWindowTitle(QStringLiteral("Parametres de l'étude en cours"));
    setModal(true);
    for (const char* titre :
         {"Graphique", "Etude freq", "Etude temps", "Poles et zéros", "Decomposition", "Taille "}) {
        auto* page = new QWidget(onglets_);
        page->setAccessibleName(QString::fromUtf8(titre).trimmed());
        onglets_->addTab(page, QString::fromUtf8(titre));
    }
    onglets_->setAccessibleName(QStringLiteral("Parametres de l'étude en cours"));
    auto* boutons = new QDialogButtonBox(QDialogButtonBox::Ok, this);
    boutons->button(QDialogButtonBox::Ok)->setText(QStringLiteral("OK"));
    connect(boutons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    auto* disposition = new QVBoxLayout(this);
    disposition->addWidget(onglets_);
    disposition->addWidget(boutons);
    resize(480, 360);
}

void dialogue_reglages::remplir_dialogue() {}

void dialogue_reglages::montrer() {
    onglets_->setCurrentIndex(2);
    exec();
}

} // namespace varlem
