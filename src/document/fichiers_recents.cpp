#include "document/fichiers_recents.h"

#include <algorithm>
#include <system_error>

namespace varlem {

namespace fs = std::filesystem;

namespace {

fs::path depuis_utf8(const std::string& t) {
    return fs::path(std::u8string(t.begin(), t.end()));
}

std::string en_utf8(const fs::path& p) {
    const std::u8string u = p.u8string();
    return std::string(u.begin(), u.end());
}

// A "&" of a file name shown as itself, not as the menu's short-cut mark.
std::string sans_raccourci(const std::string& t) {
    std::string r;
    for (const char c : t) {
        if (c == '&') r += '&';
        r += c;
    }
    return r;
}

} // namespace

fs::path chemin_normalise(const fs::path& chemin) {
    if (chemin.empty()) return {};
    std::error_code ec;
    const fs::path absolu = fs::absolute(chemin, ec);
    return (ec ? chemin : absolu).lexically_normal();
}

fichiers_recents fichiers_recents::depuis_textes(const std::vector<std::string>& textes) {
    fichiers_recents liste;
    // Stored most recent first: a repeated entry keeps its first, most recent, place.
    for (const std::string& t : textes) {
        const fs::path p = chemin_normalise(depuis_utf8(t));
        if (p.empty() ||
            std::find(liste.chemins_.begin(), liste.chemins_.end(), p) != liste.chemins_.end())
            continue;
        liste.chemins_.push_back(p);
        if (liste.chemins_.size() == nb_fichiers_recents_max) break;
    }
    return liste;
}

std::vector<std::string> fichiers_recents::en_textes() const {
    std::vector<std::string> textes;
    for (const fs::path& p : chemins_) textes.push_back(en_utf8(p));
    return textes;
}

void fichiers_recents::ajouter(const fs::path& chemin) {
    const fs::path p = chemin_normalise(chemin);
    if (p.empty()) return;
    retirer(p);
    chemins_.insert(chemins_.begin(), p);
    if (chemins_.size() > nb_fichiers_recents_max) chemins_.resize(nb_fichiers_recents_max);
}

bool fichiers_recents::retirer(const fs::path& chemin) {
    const auto i = std::find(chemins_.begin(), chemins_.end(), chemin_normalise(chemin));
    if (i == chemins_.end()) return false;
    chemins_.erase(i);
    return true;
}

void fichiers_recents::noter(const fs::path& chemin, erreur_fichier resultat) {
    if (resultat == erreur_fichier::aucune)
        ajouter(chemin);
    else if (resultat == erreur_fichier::introuvable)
        retirer(chemin);
}

std::string libelle_recent(const fichiers_recents& liste, std::size_t index) {
    const std::vector<fs::path>& chemins = liste.chemins();
    if (index >= chemins.size()) return {};
    const fs::path& p = chemins[index];
    std::string libelle =
        "&" + std::to_string(index + 1) + " " + sans_raccourci(en_utf8(p.filename()));
    const auto meme_nom = [&](const fs::path& q) { return q.filename() == p.filename(); };
    if (std::count_if(chemins.begin(), chemins.end(), meme_nom) > 1)
        libelle += " (" + sans_raccourci(en_utf8(p.parent_path())) + ")";
    return libelle;
}

} // namespace varlem
