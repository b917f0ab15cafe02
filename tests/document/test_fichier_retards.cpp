// Delays in system files and in the entry: files without delay unchanged byte for byte, files
// with delays read by today's reader as the same functions without them and read back exactly
// here, refused trailers that change nothing and say why.
#include "document/boucle.h"
#include "document/copie_systeme.h"
#include "document/fichier_fdt.h"
#include "document/retards.h"
#include "document/saisie.h"
#include "outils_document.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <filesystem>
#include <fstream>
#include <limits>
#include <optional>
#include <random>

namespace varlem {
namespace {

using test::systeme_tape;

// Today's reader of a system file, kept as it is on the main branch: the count on the first line,
// then two lines per function; what follows is never looked at.
namespace aujourdhui {

std::optional<std::vector<textes_fdt>> lire(std::string_view texte) {
    std::size_t pos = 0;
    const auto suivante = [&](std::string_view& ligne) {
        if (pos >= texte.size()) return false;
        const std::size_t lf = texte.find('\n', pos);
        const std::size_t fin = lf == std::string_view::npos ? texte.size() : lf;
        ligne = texte.substr(pos, fin - pos);
        if (!ligne.empty() && ligne.back() == '\r') ligne.remove_suffix(1);
        if (ligne.size() > longueur_max_ligne) return false;
        pos = lf == std::string_view::npos ? texte.size() : lf + 1;
        return true;
    };
    std::string_view ligne;
    if (!suivante(ligne)) return std::nullopt;
    std::size_t i = 0;
    while (i < ligne.size() && (ligne[i] == ' ' || ligne[i] == '\t')) ++i;
    bool negatif = false;
    if (i < ligne.size() && (ligne[i] == '+' || ligne[i] == '-')) negatif = ligne[i++] == '-';
    const std::size_t debut = i;
    long long v = 0;
    while (i < ligne.size() && ligne[i] >= '0' && ligne[i] <= '9') {
        v = std::min<long long>(v * 10 + (ligne[i] - '0'), 1'000'000'000);
        ++i;
    }
    if (i == debut || (i < ligne.size() && ligne[i] != ' ' && ligne[i] != '\t'))
        return std::nullopt;
    if (negatif) v = -v;
    if (v < 0 || v > nb_fonctions_max) return std::nullopt;
    std::vector<textes_fdt> f(static_cast<std::size_t>(v));
    for (textes_fdt& t : f)
        for (std::string* x : {&t.num, &t.den}) {
            if (!suivante(ligne)) return std::nullopt;
            *x = ligne;
        }
    return f;
}

} // namespace aujourdhui

bool memes_textes(const std::vector<textes_fdt>& a, const std::vector<textes_fdt>& b) {
    return std::equal(a.begin(), a.end(), b.begin(), b.end(), [](const auto& x, const auto& y) {
        return x.num == y.num && x.den == y.den;
    });
}

std::unique_ptr<systeme> systeme_avec_retards(const std::vector<double>& retards) {
    auto s = systeme_tape({{"1", "1+p"}, {"2", "1+3p+p^2"}, {"(3p)(1+2p)", "(1+p)(1+0.5p)"}});
    for (std::size_t k = 0; k < retards.size(); ++k)
        s->fonctions[k + 1].fonction.retard = retards[k];
    return s;
}

constexpr const char* sans_retard =
    "3\r\n1\r\n1+p\r\n2\r\n1+3p+p^2\r\n(3p)(1+2p)\r\n(1+p)(1+0.5p)\r\n";

TEST(FichierRetardsTest, SansRetardOctetPourOctet) {
    EXPECT_EQ(contenu_fichier(*systeme_avec_retards({})), sans_retard);
    EXPECT_EQ(contenu_fichier(*systeme_avec_retards({0, 0, 0})), sans_retard);
    EXPECT_EQ(bloc_retards({0, 0}), "");
}

TEST(FichierRetardsTest, AvecRetardsLuParLeLecteurDAujourdhuiEtRelu) {
    const double minuscule = std::numeric_limits<double>::denorm_min();
    for (const std::vector<double>& retards :
         std::vector<std::vector<double>>{{1.5, 0, 0.1},
                                          {0, 0, 1e-7},
                                          {123456.789, 1.0 / 3, std::ldexp(1.0, -30)},
                                          {minuscule, 1e300, 2}}) {
        const auto s = systeme_avec_retards(retards);
        const std::string contenu = contenu_fichier(*s);
        EXPECT_EQ(contenu.rfind(sans_retard, 0), 0u);
        EXPECT_EQ(contenu.substr(std::string(sans_retard).size(), 11), "[retards]\r\n");
        // Today's reader: the same functions, no trace of the delays.
        const auto avant = aujourdhui::lire(contenu);
        ASSERT_TRUE(avant);
        EXPECT_TRUE(memes_textes(*avant, *aujourdhui::lire(sans_retard)));
        // This reader: the very same delays.
        auto lu = std::make_unique<systeme>();
        reglages r;
        const resultat_fichier res = lire_systeme_texte(*lu, r, contenu);
        ASSERT_TRUE(res.reussi());
        EXPECT_EQ(res.avertissement, "");
        EXPECT_TRUE(test::meme_systeme(*lu, *s));
        for (std::size_t k = 0; k < retards.size(); ++k)
            EXPECT_EQ(lu->fonctions[k + 1].fonction.retard, retards[k]) << k;
        EXPECT_EQ(contenu_fichier(*lu), contenu);
    }
}

TEST(FichierRetardsTest, FichierDAujourdhuiLuCommeAvant) {
    for (const std::string& contenu :
         {std::string(sans_retard), std::string(sans_retard) + "\r\n\r\n",
          std::string(sans_retard) + "des notes\r\n[retards]\r\n1\r\n2\r\n3\r\n",
          std::string("3\n1\n1+p\n2\n1+3p+p^2\n(3p)(1+2p)\n(1+p)(1+0.5p)")}) {
        auto lu = std::make_unique<systeme>();
        reglages r;
        const resultat_fichier res = lire_systeme_texte(*lu, r, contenu);
        ASSERT_TRUE(res.reussi());
        EXPECT_EQ(res.avertissement, "");
        EXPECT_TRUE(test::meme_systeme(*lu, *systeme_avec_retards({})));
        for (int k = 1; k <= 3; ++k)
            EXPECT_EQ(lu->fonctions[static_cast<std::size_t>(k)].fonction.retard, 0.0);
    }
}

// A trailer that cannot be read leaves every function as it would be without it and says why.
TEST(FichierRetardsTest, BlocRefuseSansEffet) {
    struct cas {
        const char* bloc;
        const char* raison;
    };
    for (const cas c :
         {cas{"[retards]\r\n1\r\n2\r\n", "n°3 manque"}, cas{"[retards]\r\n", "n°1 manque"},
          cas{"[retards]\r\n1\r\n-2\r\n3\r\n", "n°2 illisible ou négatif"},
          cas{"[retards]\r\n1\r\nabc\r\n3\r\n", "n°2 illisible ou négatif"},
          cas{"[retards]\r\n1\r\n\r\n3\r\n", "n°2 illisible ou négatif"},
          cas{"[retards]\r\n1\r\n 2\r\n3\r\n", "n°2 illisible ou négatif"},
          cas{"[retards]\r\n1\r\n2,5\r\n3\r\n", "n°2 illisible ou négatif"},
          cas{"[retards]\r\n1e999\r\n2\r\n3\r\n", "n°1 illisible ou négatif"},
          cas{"[retards]\r\n.\r\n2\r\n3\r\n", "n°1 illisible ou négatif"},
          cas{"[retards]"
              "\r\n1\r\n2\r\n0000000000000000000000000000000000000000000000000000000000000000003\r"
              "\n",
              "n°3 trop longue"}}) {
        SCOPED_TRACE(c.bloc);
        auto lu = systeme_tape({{"5", "1+p"}});
        lu->fonctions[1].fonction.retard = 4;
        const auto avant = std::make_unique<systeme>(*lu);
        reglages r;
        const resultat_fichier res = lire_systeme_texte(*lu, r, std::string(sans_retard) + c.bloc);
        ASSERT_TRUE(res.reussi());
        EXPECT_NE(res.avertissement.find("Retards ignorés"), std::string::npos);
        EXPECT_NE(res.avertissement.find(c.raison), std::string::npos) << res.avertissement;
        EXPECT_TRUE(test::meme_systeme(*lu, *systeme_avec_retards({})));
        for (int k = 1; k <= 3; ++k)
            EXPECT_EQ(lu->fonctions[static_cast<std::size_t>(k)].fonction.retard, 0.0);
        // A file whose functions are refused changes nothing, trailer or not.
        const resultat_fichier refus =
            lire_systeme_texte(*lu, r, std::string("1\r\n1+\r\n1\r\n") + c.bloc);
        EXPECT_FALSE(refus.reussi());
    }
    // Lines after a valid trailer are left for later sections.
    auto lu = std::make_unique<systeme>();
    reglages r;
    const resultat_fichier res = lire_systeme_texte(
        *lu, r, std::string(sans_retard) + "[retards]\n0\n0.25\n0\n[autre]\nx\n");
    EXPECT_EQ(res.avertissement, "");
    EXPECT_EQ(lu->fonctions[2].fonction.retard, 0.25);
}

TEST(FichierRetardsTest, AllerRetourSurDisque) {
    const auto dossier = std::filesystem::temp_directory_path() /
                         ("varlem.retards." + std::to_string(std::random_device{}()));
    std::filesystem::create_directories(dossier);
    const auto s = systeme_avec_retards({0.5, 0, 2.25});
    ASSERT_TRUE(ecrire_systeme(*s, dossier / "boucle.fdt").reussi());
    auto lu = std::make_unique<systeme>();
    reglages r;
    ASSERT_TRUE(lire_systeme(*lu, r, dossier / "boucle.fdt").reussi());
    EXPECT_EQ(lu->fonctions[1].fonction.retard, 0.5);
    EXPECT_EQ(lu->fonctions[3].fonction.retard, 2.25);
    std::ifstream f(dossier / "boucle.fdt", std::ios::binary);
    const std::string octets((std::istreambuf_iterator<char>(f)), {});
    EXPECT_EQ(octets, std::string(sans_retard) + "[retards]\r\n0.5\r\n0\r\n2.25\r\n");
    std::filesystem::remove_all(dossier);
}

TEST(SaisieRetardTest, TexteTape) {
    struct cas {
        const char* texte;
        double retard;
        bool refus;
    };
    for (const cas c :
         {cas{"", 0, false}, cas{"   ", 0, false}, cas{"0", 0, false}, cas{"0.5", 0.5, false},
          cas{" 1,25 ", 1.25, false}, cas{"2E-3", 0.002, false}, cas{".5", 0.5, false},
          cas{"-0", 0, false}, cas{"-1", 0, true}, cas{"abc", 0, true}, cas{"1.5s", 0, true},
          cas{".", 0, true}, cas{"1e400", 0, true}, cas{"nan", 0, true}, cas{"1 2", 0, true}}) {
        SCOPED_TRACE(c.texte);
        const lecture_retard l = lire_retard(c.texte);
        EXPECT_EQ(l.erreur_retard, c.refus);
        EXPECT_EQ(l.retard, c.retard);
    }
    for (const double x : {0.1, 1e-300, 3.0, 1.0 / 7})
        EXPECT_EQ(lire_retard(texte_retard(x)).retard, x);
}

// The entry dialog's "OK" with a delay: accepted into the slot, refused on its own flag, and a
// function typed again without one keeps its delay.
TEST(SaisieRetardTest, Validation) {
    auto s = systeme_tape({{"1", "1+p"}});
    s->fonction_courante = 1;
    erreurs_saisie e = valider_saisie(*s, mode_saisie::modification, "2", "1+p", "0,75");
    EXPECT_TRUE(e.acceptee());
    EXPECT_EQ(s->fonctions[1].fonction.retard, 0.75);
    e = valider_saisie(*s, mode_saisie::modification, "3", "1+p", "-1");
    EXPECT_TRUE(e.erreur_retard);
    EXPECT_FALSE(e.erreur_syntaxe);
    EXPECT_FALSE(e.acceptee());
    EXPECT_EQ(s->fonctions[1].fonction.texte_num, "2");
    e = valider_saisie(*s, mode_saisie::modification, "1+", "1+p", "x");
    EXPECT_TRUE(e.erreur_retard && e.erreur_syntaxe);
    e = valider_saisie(*s, mode_saisie::modification, "4", "1+p");
    EXPECT_TRUE(e.acceptee());
    EXPECT_EQ(s->fonctions[1].fonction.retard, 0.75);
    s->nb_fonctions = 2;
    e = valider_saisie(*s, mode_saisie::nouvelle, "1", "1+2p");
    EXPECT_EQ(s->fonctions[2].fonction.retard, 0.0);
}

// "Copier" writes the delay after the fraction, and the stand-in's mark for a closed loop.
TEST(SaisieRetardTest, Copie) {
    const auto s = systeme_avec_retards({1.5, 0, 0.25});
    EXPECT_EQ(copier_systeme(*s), "Fonctions de transfert composant le système en cours\r\n"
                                  "1\r\n_____________________\r\n1+p\r\ne^(-1.5p)\r\n\r\n"
                                  "2\r\n_____________________\r\n1+3p+p^2\r\n\r\n"
                                  "(3p)(1+2p)\r\n_____________________\r\n(1+p)(1+0.5p)\r\n"
                                  "e^(-.25p)\r\n\r\n");
    EXPECT_EQ(texte_facteur_retard(0, 'p'), "");
    EXPECT_EQ(texte_facteur_retard(2, 's'), "e^(-2s)");
    reglages r;
    auto b = systeme_avec_retards({1});
    b->nb_fonctions = 1;
    fermer_boucle(*b, r);
    EXPECT_NE(
        copier_systeme(*b).find("\r\nretard remplacé par son approximation de Padé d'ordre 8\r\n"),
        std::string::npos);
}

} // namespace
} // namespace varlem
