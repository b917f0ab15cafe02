#include "app/qt/plateforme_qt.h"

#include "plot/qt/surface_qt.h"

#include <QApplication>
#include <QClipboard>
#include <QColorDialog>
#include <QFileDialog>
#include <QFontDialog>
#include <QInputDialog>
#include <QMessageBox>
#include <QPrintDialog>
#include <QPrinter>
#include <QPushButton>

namespace varlem {

namespace {

const QString titre_application = QStringLiteral("Varlem");

// A file dialog of Qt's own (not the desktop's), so that it speaks French like the rest.
QFileDialog::Options options_fichier() {
    return QFileDialog::DontUseNativeDialog;
}

} // namespace

reponse plateforme_qt::question(QWidget* parent, const QString& texte) {
    QMessageBox boite(QMessageBox::Question, titre_application, texte, QMessageBox::NoButton,
                      parent);
    QPushButton* oui = boite.addButton(QStringLiteral("&Oui"), QMessageBox::YesRole);
    QPushButton* non = boite.addButton(QStringLiteral("&Non"), QMessageBox::NoRole);
    QPushButton* annuler = boite.addButton(QStringLiteral("Annuler"), QMessageBox::RejectRole);
    boite.setDefaultButton(oui);
    boite.setEscapeButton(annuler);
    boite.exec();
    if (boite.clickedButton() == oui) return reponse::oui;
    if (boite.clickedButton() == non) return reponse::non;
    return reponse::annuler;
}

QString plateforme_qt::saisir_texte(QWidget* parent, const QString& titre, const QString& invite,
                                    const QString& defaut) {
    bool accepte = false;
    const QString texte =
        QInputDialog::getText(parent, titre, invite, QLineEdit::Normal, defaut, &accepte);
    return accepte ? texte : defaut;
}

std::optional<QString> plateforme_qt::fichier_a_ouvrir(QWidget* parent, const choix_fichier& c) {
    const QString nom = QFileDialog::getOpenFileName(parent, c.titre, QString(), c.filtre, nullptr,
                                                     options_fichier());
    if (nom.isEmpty()) return std::nullopt;
    return nom;
}

std::optional<QString> plateforme_qt::fichier_a_enregistrer(QWidget* parent,
                                                            const choix_fichier& c) {
    // The name is completed with ".fdt" afterwards; the system file is replaced atomically.
    const QString nom = QFileDialog::getSaveFileName(parent, c.titre, QString(), c.filtre, nullptr,
                                                     options_fichier());
    if (nom.isEmpty()) return std::nullopt;
    return nom;
}

std::optional<couleur> plateforme_qt::choisir_couleur(QWidget* parent, couleur initiale) {
    const QColor c = QColorDialog::getColor(couleur_qt(initiale), parent);
    if (!c.isValid()) return std::nullopt;
    return static_cast<couleur>(c.red()) | (static_cast<couleur>(c.green()) << 8) |
           (static_cast<couleur>(c.blue()) << 16);
}

std::optional<QFont> plateforme_qt::choisir_police(QWidget* parent, const QFont& initiale) {
    bool accepte = false;
    const QFont f = QFontDialog::getFont(&accepte, initiale, parent);
    if (!accepte) return std::nullopt;
    return f;
}

void plateforme_qt::erreur(QWidget* parent, const QString& texte) {
    QMessageBox::critical(parent, titre_application, texte);
}

void plateforme_qt::copier_texte(const QString& texte) {
    QApplication::clipboard()->setText(texte);
}

void plateforme_qt::copier_dessin(int w, int h, const dessin& d) {
    if (w <= 0 || h <= 0) return;
    QApplication::clipboard()->setMimeData(preparer_copie(w, h, d));
}

} // namespace varlem

namespace varlem {

bool plateforme_qt::choisir_imprimante(QWidget* parent, QPrinter& imprimante) {
    QPrintDialog dialogue(&imprimante, parent);
    dialogue.setWindowTitle(QStringLiteral("Imprimer"));
    return dialogue.exec() == QDialog::Accepted;
}

} // namespace varlem
