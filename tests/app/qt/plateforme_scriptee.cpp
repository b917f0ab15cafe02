#include "app/qt/plateforme_scriptee.h"

#include <QPrinter>

namespace varlem::test {

namespace {

// The next queued answer, or nothing when the queue is empty.
template <typename T> std::optional<T> suivante(std::deque<std::optional<T>>& file) {
    if (file.empty() || !file.front()) {
        if (!file.empty()) file.pop_front();
        return std::nullopt;
    }
    // Moved out as a plain value: copying the optional whole trips GCC's uninitialised-use
    // warning on QString.
    T r = std::move(*file.front());
    file.pop_front();
    return r;
}

} // namespace

reponse plateforme_scriptee::question(QWidget*, const QString& texte) {
    questions << texte;
    if (reponses.empty()) return reponse::annuler;
    const reponse r = reponses.front();
    reponses.pop_front();
    return r;
}

QString plateforme_scriptee::saisir_texte(QWidget*, const QString& titre, const QString& invite,
                                          const QString& defaut) {
    invites.push_back({titre, invite, defaut});
    return suivante(saisies).value_or(defaut);
}

std::optional<QString> plateforme_scriptee::fichier_a_ouvrir(QWidget*, const choix_fichier& c) {
    pickers.push_back(c);
    return suivante(ouvertures);
}

std::optional<QString> plateforme_scriptee::fichier_a_enregistrer(QWidget*,
                                                                  const choix_fichier& c) {
    pickers.push_back(c);
    return suivante(enregistrements);
}

std::optional<couleur> plateforme_scriptee::choisir_couleur(QWidget*, couleur) {
    return suivante(couleurs);
}

std::optional<QFont> plateforme_scriptee::choisir_police(QWidget*, const QFont&) {
    return suivante(polices);
}

void plateforme_scriptee::erreur(QWidget*, const QString& texte) {
    erreurs << texte;
}

void plateforme_scriptee::copier_texte(const QString& texte) {
    texte_copie = texte;
    ++copies_texte;
}

void plateforme_scriptee::copier_dessin(int w, int h, const dessin& d) {
    largeur_dessin = w;
    hauteur_dessin = h;
    svg_copie = dessiner_svg(w, h, d);
    ++copies_dessin;
}

bool plateforme_scriptee::choisir_imprimante(QWidget*, QPrinter& imprimante) {
    ++dialogues_impression;
    const std::optional<QString> fichier = suivante(impressions);
    if (!fichier) return false;
    imprimante.setOutputFormat(QPrinter::PdfFormat);
    imprimante.setOutputFileName(*fichier);
    return true;
}

} // namespace varlem::test
