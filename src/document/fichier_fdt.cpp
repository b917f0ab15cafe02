// System files on disk: the save name, the error messages, and the reading and writing of a
// path (the only place where the system's file services are called).
#include "document/fichier_fdt.h"

#include <cerrno>
#include <cstdio>
#include <system_error>

namespace varlem {

namespace fs = std::filesystem;

namespace {

constexpr std::string_view extension_fdt = ".fdt";

resultat_fichier echec(erreur_fichier e, int detail = 0) {
    resultat_fichier r;
    r.erreur = e;
    r.detail = detail;
    return r;
}

resultat_fichier echec_systeme(int code) {
    const erreur_fichier e = erreur_systeme(code);
    return echec(e, e == erreur_fichier::autre ? code : 0);
}

// A text is written on one line and must come back whole from the reader.
int texte_non_enregistrable(const systeme& s) {
    const bool boucle = s.etudes.boucle_fermee;
    const banque_fonctions& banque = boucle ? s.sauvegarde : s.fonctions;
    const int n = std::min(boucle ? s.nb_sauve : s.nb_fonctions, nb_fonctions_max);
    for (int k = 1; k <= n; ++k) {
        const fdt& f = banque[static_cast<std::size_t>(k)].fonction;
        for (const std::string* t : {&f.texte_num, &f.texte_den})
            if (t->size() > longueur_max_ligne || t->find_first_of("\r\n") != std::string::npos)
                return k;
    }
    return 0;
}

// Creates a fresh temporary file next to the target; never opens an existing one.
std::FILE* creer_temporaire(const fs::path& cible, fs::path& temporaire, int& code) {
    for (int i = 0; i < 100; ++i) {
        temporaire = cible;
        temporaire.replace_filename("." + cible.filename().string() + "." + std::to_string(i) +
                                    ".tmp");
        errno = 0;
        std::FILE* f = std::fopen(temporaire.string().c_str(), "wbx");
        if (f) return f;
        code = errno;
        if (code != EEXIST) return nullptr;
    }
    return nullptr;
}

// Writes the whole content and closes the file; the first error's code, or 0.
int ecrire_tout(std::FILE* f, const std::string& contenu) {
    errno = 0;
    const std::size_t n = std::fwrite(contenu.data(), 1, contenu.size(), f);
    int code = n == contenu.size() ? 0 : (errno ? errno : EIO);
    if (std::fflush(f) != 0 && code == 0) code = errno ? errno : EIO;
    if (std::fclose(f) != 0 && code == 0) code = errno ? errno : EIO;
    return code;
}

} // namespace

std::string message_fichier(erreur_fichier e, int detail) {
    std::string m;
    const std::string n = std::to_string(detail);
    switch (e) {
    case erreur_fichier::aucune:
        return "";
    case erreur_fichier::introuvable:
        m = "Fichier introuvable";
        break;
    case erreur_fichier::nom_incorrect:
        m = "Nom de fichier incorrect";
        break;
    case erreur_fichier::trop_de_fichiers:
        m = "Trop de fichiers ouverts";
        break;
    case erreur_fichier::acces_refuse:
        m = "Accès au fichier refusé";
        break;
    case erreur_fichier::fin_de_fichier:
        m = "Lecture au-delà de la fin de fichier";
        break;
    case erreur_fichier::disque_plein:
        m = "Disque plein";
        break;
    case erreur_fichier::saisie_numerique:
        m = "Saisie numérique incorrecte";
        break;
    case erreur_fichier::autre:
        m = "Erreur E/S " + n;
        break;
    case erreur_fichier::nombre_fonctions:
        m = "Nombre de fonctions incorrect : un système compte de 0 à 8 fonctions";
        break;
    case erreur_fichier::ligne_trop_longue:
        m = "Ligne " + n + " trop longue (plus de " + std::to_string(longueur_max_ligne) +
            " caractères)";
        break;
    case erreur_fichier::fonction_syntaxe:
        m = "Fonction n°" + n + " du fichier : erreur de syntaxe";
        break;
    case erreur_fichier::fonction_capacite:
        m = "Fonction n°" + n + " du fichier : degré supérieur à 15 ou coefficient hors limites";
        break;
    case erreur_fichier::texte_non_enregistrable:
        m = "Fonction n°" + n +
            " : texte sur plusieurs lignes ou trop long, enregistrement "
            "impossible";
        break;
    }
    if (m.empty() || m.back() != '.') m += '.';
    return m;
}

erreur_fichier erreur_systeme(int code) {
    switch (code) {
    case ENOENT:
        return erreur_fichier::introuvable;
    case ENAMETOOLONG:
    case EINVAL:
    case EISDIR:
    case ENOTDIR:
    case ELOOP:
        return erreur_fichier::nom_incorrect;
    case EMFILE:
    case ENFILE:
        return erreur_fichier::trop_de_fichiers;
    case EACCES:
    case EPERM:
    case EROFS:
        return erreur_fichier::acces_refuse;
    case ENOSPC:
    case EDQUOT:
        return erreur_fichier::disque_plein;
    default:
        return erreur_fichier::autre;
    }
}

std::optional<fs::path> nom_enregistrement(const fs::path& choisi) {
    if (!choisi.has_filename()) return std::nullopt;
    const std::string nom = choisi.filename().string();
    if (nom == "." || nom == "..") return std::nullopt;
    if (nom.size() >= extension_fdt.size() && nom.ends_with(extension_fdt)) return choisi;
    fs::path p = choisi;
    // A dot-file such as ".systeme" has no extension: ".fdt" is appended to it.
    p.replace_extension(extension_fdt);
    return p;
}

resultat_fichier ecrire_systeme(const systeme& s, const fs::path& choisi) {
    const std::optional<fs::path> nom = nom_enregistrement(choisi);
    if (!nom) return echec(erreur_fichier::nom_incorrect);
    if (const int k = texte_non_enregistrable(s))
        return echec(erreur_fichier::texte_non_enregistrable, k);
    std::error_code ec;
    if (fs::is_directory(*nom, ec)) return echec(erreur_fichier::nom_incorrect);

    fs::path temporaire;
    int code = 0;
    std::FILE* f = creer_temporaire(*nom, temporaire, code);
    if (!f) return echec_systeme(code ? code : EEXIST);
    code = ecrire_tout(f, contenu_fichier(s));
    if (code == 0) {
        // The replaced file keeps its permissions.
        const fs::file_status ancien = fs::status(*nom, ec);
        if (!ec && fs::exists(ancien)) fs::permissions(temporaire, ancien.permissions(), ec);
        fs::rename(temporaire, *nom, ec);
        code = ec ? ec.value() : 0;
    }
    if (code != 0) {
        fs::remove(temporaire, ec);
        return echec_systeme(code);
    }
    resultat_fichier r;
    r.chemin = *nom;
    return r;
}

resultat_fichier lire_systeme(systeme& s, reglages& r, const fs::path& chemin) {
    if (chemin.empty()) return echec(erreur_fichier::nom_incorrect);
    std::error_code ec;
    if (fs::is_directory(chemin, ec)) return echec(erreur_fichier::nom_incorrect);
    errno = 0;
    std::FILE* f = std::fopen(chemin.string().c_str(), "rb");
    if (!f) return echec_systeme(errno ? errno : ENOENT);
    // No valid file is longer than this: a longer one holds a line the reader refuses anyway.
    std::string contenu(taille_max_lue, '\0');
    errno = 0;
    const std::size_t n = std::fread(contenu.data(), 1, contenu.size(), f);
    const int code = std::ferror(f) ? (errno ? errno : EIO) : 0;
    std::fclose(f);
    if (code != 0) return echec_systeme(code);
    contenu.resize(n);
    resultat_fichier res = lire_systeme_texte(s, r, contenu);
    res.chemin = chemin;
    return res;
}

} // namespace varlem
