// The content of a system file: writing it out, splitting it into texts, and reading it into
// the system through a scratch copy.
#include "analysis/pipeline.h"
#include "document/etudes_systeme.h"
#include "document/fichier_fdt.h"
#include "document/retards.h"

#include <algorithm>
#include <memory>

namespace varlem {

namespace {

constexpr const char* crlf = "\r\n";

// Lines of a content, ended by LF or CR LF; the last one may lack its line end.
class lecteur_lignes {
  public:
    enum class etat { lue, fin, trop_longue };

    explicit lecteur_lignes(std::string_view texte) : texte_(texte) {}

    etat suivante(std::string_view& ligne) {
        if (pos_ >= texte_.size()) return etat::fin;
        ++numero_;
        const std::size_t lf = texte_.find('\n', pos_);
        const std::size_t fin = lf == std::string_view::npos ? texte_.size() : lf;
        ligne = texte_.substr(pos_, fin - pos_);
        if (!ligne.empty() && ligne.back() == '\r') ligne.remove_suffix(1);
        if (ligne.size() > longueur_max_ligne) return etat::trop_longue;
        pos_ = lf == std::string_view::npos ? texte_.size() : lf + 1;
        return etat::lue;
    }

    int numero() const { return numero_; }
    std::size_t position() const { return pos_; }

  private:
    std::string_view texte_;
    std::size_t pos_ = 0;
    int numero_ = 0;
};

bool blanc(char c) {
    return c == ' ' || c == '\t';
}

// The count on the first line: blanks, an optional sign, digits, then a blank or the line's end.
textes_lus lire_nombre_fonctions(std::string_view ligne, int& n) {
    std::size_t i = 0;
    while (i < ligne.size() && blanc(ligne[i])) ++i;
    bool negatif = false;
    if (i < ligne.size() && (ligne[i] == '+' || ligne[i] == '-')) negatif = ligne[i++] == '-';
    const std::size_t debut = i;
    long long v = 0;
    while (i < ligne.size() && ligne[i] >= '0' && ligne[i] <= '9') {
        // Saturated: any count above 8 is refused anyway.
        v = std::min<long long>(v * 10 + (ligne[i] - '0'), 1'000'000'000);
        ++i;
    }
    if (i == debut || (i < ligne.size() && !blanc(ligne[i])))
        return {erreur_fichier::saisie_numerique, 0, {}};
    if (negatif) v = -v;
    if (v < 0 || v > nb_fonctions_max) return {erreur_fichier::nombre_fonctions, 0, {}};
    n = static_cast<int>(v);
    return {};
}

} // namespace

std::string contenu_fichier(const systeme& s) {
    // With the loop closed the slots hold loop functions: the user's system waits in the bank.
    const bool boucle = s.etudes.boucle_fermee;
    const banque_fonctions& banque = boucle ? s.sauvegarde : s.fonctions;
    const int n = std::clamp(boucle ? s.nb_sauve : s.nb_fonctions, 0, nb_fonctions_max);
    std::string t = std::to_string(n) + crlf;
    std::vector<double> retards;
    for (int k = 1; k <= n; ++k) {
        const fdt& f = banque[static_cast<std::size_t>(k)].fonction;
        t += f.texte_num + crlf + f.texte_den + crlf;
        retards.push_back(f.retard);
    }
    return t + bloc_retards(retards);
}

textes_lus decouper_fichier(std::string_view contenu) {
    lecteur_lignes lignes(contenu);
    std::string_view ligne;
    switch (lignes.suivante(ligne)) {
    case lecteur_lignes::etat::fin:
        return {erreur_fichier::fin_de_fichier, 0, {}};
    case lecteur_lignes::etat::trop_longue:
        return {erreur_fichier::ligne_trop_longue, 1, {}};
    case lecteur_lignes::etat::lue:
        break;
    }
    int n = 0;
    textes_lus res = lire_nombre_fonctions(ligne, n);
    if (res.erreur != erreur_fichier::aucune) return res;
    res.fonctions.resize(static_cast<std::size_t>(n));
    for (textes_fdt& f : res.fonctions) {
        for (std::string* texte : {&f.num, &f.den}) {
            switch (lignes.suivante(ligne)) {
            case lecteur_lignes::etat::fin:
                return {erreur_fichier::fin_de_fichier, 0, {}};
            case lecteur_lignes::etat::trop_longue:
                return {erreur_fichier::ligne_trop_longue, lignes.numero(), {}};
            case lecteur_lignes::etat::lue:
                *texte = ligne;
                break;
            }
        }
    }
    res.fin_fonctions = lignes.position();
    return res;
}

resultat_fichier lire_systeme_texte(systeme& s, reglages& r, std::string_view contenu) {
    resultat_fichier res;
    const textes_lus lus = decouper_fichier(contenu);
    if (lus.erreur != erreur_fichier::aucune) {
        res.erreur = lus.erreur;
        res.detail = lus.detail;
        return res;
    }
    // Analysed in a scratch copy: a refused function leaves the system exactly as it was.
    auto copie = std::make_unique<banque_fonctions>(s.fonctions);
    contexte_calcul ctx = s.calcul;
    for (std::size_t k = 0; k < lus.fonctions.size(); ++k) {
        bool erreur_syntaxe = false, erreur_degre = false;
        analyser_fonction(ctx, s.lettre_variable, lus.fonctions[k].num, lus.fonctions[k].den,
                          (*copie)[k + 1], erreur_syntaxe, erreur_degre);
        if (erreur_syntaxe || erreur_degre) {
            res.erreur = erreur_syntaxe ? erreur_fichier::fonction_syntaxe
                                        : erreur_fichier::fonction_capacite;
            res.detail = static_cast<int>(k + 1);
            return res;
        }
    }
    // The delays come last: a refused trailer leaves the functions as a reader without them
    // would have read them.
    const lecture_bloc_retards retards =
        lire_bloc_retards(contenu.substr(std::min(lus.fin_fonctions, contenu.size())),
                          static_cast<int>(lus.fonctions.size()));
    for (std::size_t k = 0; k < retards.retards.size(); ++k)
        (*copie)[k + 1].fonction.retard = retards.retards[k];
    res.avertissement = retards.avertissement;
    s.fonctions = *copie;
    s.calcul = ctx;
    s.nb_fonctions = static_cast<int>(lus.fonctions.size());
    s.fonction_courante = 1;
    s.systeme_saisi = true;
    s.modifie = false;
    // The file replaces the whole system: a closed loop or a template study ends with it.
    s.etudes.boucle_fermee = false;
    s.etudes.mode_filtre = false;
    s.etudes.toutes_fonctions = true;
    r.graphe.inclure_zero = true;
    preparer_frequences(r.frequence, true, s);
    res.rafraichir = rafraichir(false, true);
    return res;
}

} // namespace varlem
