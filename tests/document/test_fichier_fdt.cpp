#include "document/fichier_fdt.h"

#include "document/boucle.h"
#include "document/etude_parametree.h"
#include "outils_document.h"

#include "support/genres.h"

#include <gtest/gtest.h>

#include <fstream>
#include <random>
#include <sstream>

namespace varlem {
namespace {

namespace fs = std::filesystem;
using test::meme_systeme;
using test::systeme_tape;

// A fresh folder, with a dot in its name as folders often have, removed afterwards.
class FichierFdtTest : public ::testing::Test {
  protected:
    void SetUp() override {
        const auto* info = ::testing::UnitTest::GetInstance()->current_test_info();
        dossier_ = fs::temp_directory_path() / (std::string("varlem.doc.") + info->name() + "." +
                                                std::to_string(std::random_device{}()));
        fs::create_directories(dossier_);
    }
    void TearDown() override {
        std::error_code ec;
        fs::permissions(dossier_, fs::perms::owner_all, fs::perm_options::add, ec);
        fs::remove_all(dossier_, ec);
    }

    fs::path chemin(const std::string& nom) const { return dossier_ / nom; }

    static std::string contenu(const fs::path& p) {
        std::ifstream f(p, std::ios::binary);
        std::ostringstream o;
        o << f.rdbuf();
        return o.str();
    }

    fs::path dossier_;
};

TEST_F(FichierFdtTest, NomsDEnregistrement) {
    struct cas {
        const char *choisi, *attendu;
    } const table[] = {
        {"sys", "sys.fdt"},
        {"sys.fdt", "sys.fdt"},
        {"sys.txt", "sys.fdt"},
        {"my.system", "my.fdt"},
        {"x.fd", "x.fdt"},
        {"sys.", "sys.fdt"},
        {"/home/a.b/sys", "/home/a.b/sys.fdt"},
        {"/home/a.b/sys.old.txt", "/home/a.b/sys.old.fdt"},
        {"./donnees.v2/essai", "./donnees.v2/essai.fdt"},
        {".config/filtre.fdt", ".config/filtre.fdt"},
        {"/tmp/.cache", "/tmp/.cache.fdt"},
    };
    for (const cas& c : table) {
        const auto nom = nom_enregistrement(c.choisi);
        ASSERT_TRUE(nom) << c.choisi;
        EXPECT_EQ(nom->string(), c.attendu) << c.choisi;
    }
    EXPECT_FALSE(nom_enregistrement(""));
    EXPECT_FALSE(nom_enregistrement("/home/a.b/"));
    EXPECT_FALSE(nom_enregistrement("/home/a.b/.."));
}

TEST_F(FichierFdtTest, FichierExempleOctetParOctet) {
    auto s = systeme_tape({{"1", "1+p"}, {"2", "1+3p+p^2"}});
    const resultat_fichier e = ecrire_systeme(*s, chemin("exemple"));
    ASSERT_TRUE(e.reussi()) << e.message();
    EXPECT_EQ(e.chemin, chemin("exemple.fdt"));
    EXPECT_EQ(contenu(e.chemin), "2\r\n1\r\n1+p\r\n2\r\n1+3p+p^2\r\n");
    // No temporary file is left beside it.
    EXPECT_EQ(std::distance(fs::directory_iterator(dossier_), fs::directory_iterator()), 1);

    auto lu = systeme_tape({{"7", "1+7p"}});
    reglages r;
    r.graphe.inclure_zero = false;
    const resultat_fichier l = lire_systeme(*lu, r, e.chemin);
    ASSERT_TRUE(l.reussi()) << l.message();
    EXPECT_EQ(l.rafraichir, rafraichir(false, true));
    EXPECT_EQ(lu->nb_fonctions, 2);
    EXPECT_EQ(lu->fonction_courante, 1);
    EXPECT_TRUE(lu->systeme_saisi);
    EXPECT_TRUE(r.graphe.inclure_zero);
    EXPECT_EQ(lu->fonctions[2].fonction.texte_den, "1+3p+p^2");
    EXPECT_EQ(lu->fonctions[1].poles[1], (complexe{-1, 0}));
}

TEST_F(FichierFdtTest, AllerRetourDesTextesTelsQueTapes) {
    auto s = systeme_tape({{" 1 + 2 p ", "(3p)(1+2p+1.5p^3)"},
                           {"1,5+p", "(3e-4p+2e-2)(1+2e-1p+1.5e-2p^3)"},
                           {"+1+p", "(1+p)*(1+2p)*"}});
    const resultat_fichier e = ecrire_systeme(*s, chemin("textes.fdt"));
    ASSERT_TRUE(e.reussi()) << e.message();
    auto lu = systeme_tape({});
    reglages r;
    ASSERT_TRUE(lire_systeme(*lu, r, e.chemin).reussi());
    ASSERT_EQ(lu->nb_fonctions, 3);
    for (int k = 1; k <= 3; ++k) {
        EXPECT_EQ(lu->fonctions[k].fonction.texte_num, s->fonctions[k].fonction.texte_num);
        EXPECT_EQ(lu->fonctions[k].fonction.texte_den, s->fonctions[k].fonction.texte_den);
    }
    // Writing what was read gives the same bytes.
    const std::string avant = contenu(e.chemin);
    ASSERT_TRUE(ecrire_systeme(*lu, e.chemin).reussi());
    EXPECT_EQ(contenu(e.chemin), avant);
}

TEST_F(FichierFdtTest, SystemeVide) {
    auto vide = systeme_tape({});
    const resultat_fichier e = ecrire_systeme(*vide, chemin("vide"));
    ASSERT_TRUE(e.reussi());
    EXPECT_EQ(contenu(e.chemin), "0\r\n");
    auto s = systeme_tape({{"1", "1+p"}});
    reglages r;
    const resultat_fichier l = lire_systeme(*s, r, e.chemin);
    ASSERT_TRUE(l.reussi()) << l.message();
    EXPECT_EQ(s->nb_fonctions, 0);
    EXPECT_EQ(l.rafraichir, rafraichir(false, true));
}

TEST_F(FichierFdtTest, FinsDeLigneCrLfEtLf) {
    const char* variantes[] = {
        "2\r\n1\r\n1+p\r\n2\r\n1+3p+p^2\r\n",
        "2\n1\n1+p\n2\n1+3p+p^2\n",
        "2\n1\r\n1+p\n2\r\n1+3p+p^2",
        "2 fonctions\r\n1\r\n1+p\r\n2\r\n1+3p+p^2\r\nreste",
    };
    for (const char* v : variantes) {
        const textes_lus t = decouper_fichier(v);
        ASSERT_EQ(t.erreur, erreur_fichier::aucune) << v;
        ASSERT_EQ(t.fonctions.size(), 2u);
        EXPECT_EQ(t.fonctions[0].num, "1");
        EXPECT_EQ(t.fonctions[0].den, "1+p");
        EXPECT_EQ(t.fonctions[1].num, "2");
        EXPECT_EQ(t.fonctions[1].den, "1+3p+p^2");
    }
}

// Every refused content leaves the system exactly as it was, with a message naming the problem.
TEST_F(FichierFdtTest, ContenusRefusesSansRienChanger) {
    struct cas {
        std::string octets;
        erreur_fichier erreur;
        const char* message;
    } const table[] = {
        {"abc\r\n", erreur_fichier::saisie_numerique, "Saisie numérique incorrecte."},
        {"", erreur_fichier::fin_de_fichier, "Lecture au-delà de la fin de fichier."},
        {"3\r\n1\r\n1+p\r\n2\r\n1+3p+p^2\r\n", erreur_fichier::fin_de_fichier,
         "Lecture au-delà de la fin de fichier."},
        {"1\r\n1\r\n", erreur_fichier::fin_de_fichier, "Lecture au-delà de la fin de fichier."},
        {"99999999999\r\n", erreur_fichier::nombre_fonctions,
         "Nombre de fonctions incorrect : un système compte de 0 à 8 fonctions."},
        {"-1\r\n", erreur_fichier::nombre_fonctions, nullptr},
        {"9\r\n", erreur_fichier::nombre_fonctions, nullptr},
        {"2abc\r\n", erreur_fichier::saisie_numerique, nullptr},
        {"\r\n1\r\n", erreur_fichier::saisie_numerique, nullptr},
        {"\xEF\xBB\xBF"
         "1\r\n1\r\n1+p\r\n",
         erreur_fichier::saisie_numerique, nullptr},
        {"1\r\n1\r\n1+\r\n", erreur_fichier::fonction_syntaxe,
         "Fonction n°1 du fichier : erreur de syntaxe."},
        {"2\r\n1\r\n1+p\r\n1\r\n\r\n", erreur_fichier::fonction_syntaxe, nullptr},
        {"1\r\n1\r\np^16\r\n", erreur_fichier::fonction_capacite,
         "Fonction n°1 du fichier : degré supérieur à 15 ou coefficient hors limites."},
        {"1\r\n1\r\n1+s\r\n", erreur_fichier::fonction_syntaxe, nullptr},
        {"1\r\n" + std::string(longueur_max_ligne + 1, '1') + "\r\n1\r\n",
         erreur_fichier::ligne_trop_longue, "Ligne 2 trop longue (plus de 100000 caractères)."},
        {std::string("1\r\n1\0p\r\n1\r\n", 12), erreur_fichier::fonction_syntaxe, nullptr},
    };
    for (const cas& c : table) {
        auto s = systeme_tape({{"1", "1+p"}, {"2", "1+3p+p^2"}}, 'p', 2);
        auto temoin = systeme_tape({{"1", "1+p"}, {"2", "1+3p+p^2"}}, 'p', 2);
        reglages r;
        const resultat_fichier l = lire_systeme_texte(*s, r, c.octets);
        EXPECT_EQ(l.erreur, c.erreur) << c.octets.substr(0, 40);
        EXPECT_FALSE(l.rafraichir.a_faire);
        if (c.message) {
            EXPECT_EQ(l.message(), c.message);
        }
        EXPECT_TRUE(meme_systeme(*s, *temoin)) << c.octets.substr(0, 40);
    }
    EXPECT_EQ(message_fichier(erreur_fichier::fonction_syntaxe, 3),
              "Fonction n°3 du fichier : erreur de syntaxe.");
}

TEST_F(FichierFdtTest, MessagesDEntreesSorties) {
    struct cas {
        erreur_fichier e;
        int detail;
        const char* message;
    } const table[] = {
        {erreur_fichier::introuvable, 0, "Fichier introuvable."},
        {erreur_fichier::nom_incorrect, 0, "Nom de fichier incorrect."},
        {erreur_fichier::trop_de_fichiers, 0, "Trop de fichiers ouverts."},
        {erreur_fichier::acces_refuse, 0, "Accès au fichier refusé."},
        {erreur_fichier::disque_plein, 0, "Disque plein."},
        {erreur_fichier::autre, 5, "Erreur E/S 5."},
    };
    for (const cas& c : table) EXPECT_EQ(message_fichier(c.e, c.detail), c.message);
    EXPECT_EQ(erreur_systeme(ENOENT), erreur_fichier::introuvable);
    EXPECT_EQ(erreur_systeme(EACCES), erreur_fichier::acces_refuse);
    EXPECT_EQ(erreur_systeme(ENOSPC), erreur_fichier::disque_plein);
    EXPECT_EQ(erreur_systeme(EMFILE), erreur_fichier::trop_de_fichiers);
    EXPECT_EQ(erreur_systeme(EIO), erreur_fichier::autre);
}

TEST_F(FichierFdtTest, CheminsIllisibles) {
    auto s = systeme_tape({{"1", "1+p"}});
    auto temoin = systeme_tape({{"1", "1+p"}});
    reglages r;
    EXPECT_EQ(lire_systeme(*s, r, chemin("absent.fdt")).erreur, erreur_fichier::introuvable);
    EXPECT_EQ(lire_systeme(*s, r, dossier_).erreur, erreur_fichier::nom_incorrect);
    EXPECT_EQ(lire_systeme(*s, r, "").erreur, erreur_fichier::nom_incorrect);
    EXPECT_EQ(lire_systeme(*s, r, chemin("absent/sys.fdt")).message(), "Fichier introuvable.");
    EXPECT_TRUE(meme_systeme(*s, *temoin));
}

TEST_F(FichierFdtTest, UnEchecDEcritureLaisseLAncienFichier) {
    auto bon = systeme_tape({{"1", "1+p"}});
    const fs::path cible = chemin("garde.fdt");
    ASSERT_TRUE(ecrire_systeme(*bon, cible).reussi());
    const std::string avant = contenu(cible);

    // A text that would not come back as one line is refused before anything is written.
    auto mauvais = systeme_tape({{"1", "1+p"}});
    mauvais->fonctions[1].fonction.texte_den = "1+p\r\n7";
    const resultat_fichier e = ecrire_systeme(*mauvais, cible);
    EXPECT_EQ(e.erreur, erreur_fichier::texte_non_enregistrable);
    EXPECT_EQ(e.detail, 1);
    EXPECT_EQ(contenu(cible), avant);

    // A folder in place of the file, and a folder that does not exist.
    fs::create_directory(chemin("dossier.fdt"));
    EXPECT_EQ(ecrire_systeme(*bon, chemin("dossier.fdt")).erreur, erreur_fichier::nom_incorrect);
    EXPECT_EQ(ecrire_systeme(*bon, chemin("absent/sys.fdt")).erreur, erreur_fichier::introuvable);
    EXPECT_EQ(ecrire_systeme(*bon, dossier_ / "").erreur, erreur_fichier::nom_incorrect);
    EXPECT_EQ(std::distance(fs::directory_iterator(dossier_), fs::directory_iterator()), 2);
}

TEST_F(FichierFdtTest, EnregistrementEnBoucleFermeeEcritLeSystemeDeLUtilisateur) {
    auto s = systeme_tape({{"1", "1+p"}, {"2", "1+3p+p^2"}}, 'p', 2);
    reglages r;
    ASSERT_TRUE(fermer_boucle(*s, r).effectue);
    const resultat_fichier e = ecrire_systeme(*s, chemin("boucle"));
    ASSERT_TRUE(e.reussi());
    EXPECT_EQ(contenu(e.chemin), "2\r\n1\r\n1+p\r\n2\r\n1+3p+p^2\r\n");

    // Reading a file ends the closed loop: the file is the system now.
    const resultat_fichier l = lire_systeme(*s, r, e.chemin);
    ASSERT_TRUE(l.reussi());
    EXPECT_FALSE(s->etudes.boucle_fermee);
    EXPECT_TRUE(s->etudes.toutes_fonctions);
    EXPECT_EQ(s->nb_fonctions, 2);
}

TEST_F(FichierFdtTest, LectureEnEtudeDeGabarit) {
    auto s = systeme_tape({});
    reglages r;
    ASSERT_TRUE(choisir_gabarit(*s, r, test::passe_bande_2, std::nullopt).effectue);
    const resultat_fichier e = ecrire_systeme(*s, chemin("gabarit"));
    ASSERT_TRUE(e.reussi());
    ASSERT_TRUE(lire_systeme(*s, r, e.chemin).reussi());
    EXPECT_FALSE(s->etudes.mode_filtre);
    EXPECT_EQ(s->fonctions[1].fonction.texte_num, "1.414p");
}

// Generated files, valid or damaged: either the texts come back as written, or a message is
// given and nothing changes; never a fault.
TEST_F(FichierFdtTest, ProprieteSurDesFichiersEngendres) {
    std::mt19937 alea(20240611);
    const std::vector<std::string> valides = {"1",     "1+p", "(1+p)(1+2p)", "2,5p^2+1",
                                              "p^2+1", " 3 ", "1-p",         "1.5e-2p+1"};
    const std::vector<std::string> invalides = {"1+", "p^16", "(1+p", "1e31p", "", "abc", "0", "é"};
    const char* fins[] = {"\r\n", "\n", "\r", ""};
    int lus = 0, refuses = 0;
    for (int essai = 0; essai < 400; ++essai) {
        std::string octets;
        const int genre = static_cast<int>(alea() % 4);
        if (genre == 0) {
            // Random bytes.
            const std::size_t n = alea() % 200;
            for (std::size_t i = 0; i < n; ++i) octets += static_cast<char>(alea() % 256);
        } else {
            // A valid file, then one text spoiled (2) or the whole cut anywhere (3).
            const int n = static_cast<int>(alea() % 9);
            octets = std::to_string(n) + fins[alea() % 2];
            const int faute = genre == 2 ? static_cast<int>(alea() % (2 * n + 1)) : -1;
            for (int i = 0; i < 2 * n + static_cast<int>(alea() % 3); ++i) {
                const auto& liste = i == faute ? invalides : valides;
                octets += liste[alea() % liste.size()] + fins[alea() % 4];
            }
            if (genre == 3 && !octets.empty()) octets.resize(alea() % octets.size());
        }
        auto s = systeme_tape({{"1", "1+p"}, {"2", "1+3p+p^2"}});
        auto temoin = systeme_tape({{"1", "1+p"}, {"2", "1+3p+p^2"}});
        reglages r;
        const textes_lus attendus = decouper_fichier(octets);
        const resultat_fichier l = lire_systeme_texte(*s, r, octets);
        if (l.reussi()) {
            ++lus;
            ASSERT_EQ(attendus.erreur, erreur_fichier::aucune);
            ASSERT_EQ(s->nb_fonctions, static_cast<int>(attendus.fonctions.size()));
            for (int k = 1; k <= s->nb_fonctions; ++k)
                ASSERT_EQ(s->fonctions[k].fonction.texte_den, attendus.fonctions[k - 1].den);
            // What was read writes back to a content that reads the same.
            const textes_lus relus = decouper_fichier(contenu_fichier(*s));
            ASSERT_EQ(relus.fonctions.size(), attendus.fonctions.size());
            for (std::size_t k = 0; k < relus.fonctions.size(); ++k)
                ASSERT_EQ(relus.fonctions[k].num, attendus.fonctions[k].num);
        } else {
            ++refuses;
            const std::string m = l.message();
            ASSERT_FALSE(m.empty());
            ASSERT_EQ(m.back(), '.');
            ASSERT_TRUE(meme_systeme(*s, *temoin)) << "essai " << essai;
        }
    }
    // Both outcomes are exercised.
    EXPECT_GT(lus, 20);
    EXPECT_GT(refuses, 20);
}

} // namespace
} // namespace varlem
