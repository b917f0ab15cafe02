#include "document/fichiers_recents.h"

#include "outils_document.h"

#include <gtest/gtest.h>

#include <random>
#include <string>
#include <vector>

namespace varlem {
namespace {

namespace fs = std::filesystem;

std::vector<std::string> noms(const fichiers_recents& l) {
    std::vector<std::string> n;
    for (const fs::path& p : l.chemins()) n.push_back(p.string());
    return n;
}

TEST(FichiersRecentsTest, LePlusRecentDEnTeteSansDoublon) {
    fichiers_recents l;
    EXPECT_TRUE(l.vide());
    for (const char* p : {"/d/a.fdt", "/d/b.fdt", "/d/c.fdt"}) l.ajouter(p);
    EXPECT_EQ(noms(l), (std::vector<std::string>{"/d/c.fdt", "/d/b.fdt", "/d/a.fdt"}));
    // The same file under other spellings comes first again, once.
    l.ajouter("/d/x/../a.fdt");
    l.ajouter("/d/./b.fdt");
    l.ajouter("//d//b.fdt");
    EXPECT_EQ(noms(l), (std::vector<std::string>{"/d/b.fdt", "/d/a.fdt", "/d/c.fdt"}));
    // A relative name is the file of the current folder.
    fichiers_recents r;
    r.ajouter("essai.fdt");
    r.ajouter(fs::current_path() / "essai.fdt");
    ASSERT_EQ(r.chemins().size(), 1u);
    EXPECT_EQ(r.chemins()[0], fs::current_path() / "essai.fdt");
    r.ajouter("");
    EXPECT_EQ(r.chemins().size(), 1u);
}

TEST(FichiersRecentsTest, HuitAuPlus) {
    fichiers_recents l;
    for (int i = 1; i <= 11; ++i) l.ajouter("/s/f" + std::to_string(i) + ".fdt");
    ASSERT_EQ(l.chemins().size(), nb_fichiers_recents_max);
    EXPECT_EQ(l.chemins().front(), fs::path("/s/f11.fdt"));
    EXPECT_EQ(l.chemins().back(), fs::path("/s/f4.fdt"));
    // One already listed moves up without pushing another out.
    l.ajouter("/s/f4.fdt");
    EXPECT_EQ(l.chemins().front(), fs::path("/s/f4.fdt"));
    EXPECT_EQ(l.chemins().back(), fs::path("/s/f5.fdt"));
    EXPECT_EQ(l.chemins().size(), nb_fichiers_recents_max);
}

TEST(FichiersRecentsTest, RetraitEtResultatsDesCommandes) {
    fichiers_recents l;
    for (const char* p : {"/d/a.fdt", "/d/b.fdt", "/d/c.fdt"}) l.ajouter(p);
    EXPECT_TRUE(l.retirer("/d/./b.fdt"));
    EXPECT_FALSE(l.retirer("/d/b.fdt"));
    EXPECT_EQ(noms(l), (std::vector<std::string>{"/d/c.fdt", "/d/a.fdt"}));

    struct cas {
        erreur_fichier e;
        std::vector<std::string> attendus;
    } const table[] = {
        {erreur_fichier::aucune, {"/d/a.fdt", "/d/c.fdt"}},
        {erreur_fichier::introuvable, {"/d/c.fdt"}},
        {erreur_fichier::acces_refuse, {"/d/c.fdt", "/d/a.fdt"}},
        {erreur_fichier::fonction_syntaxe, {"/d/c.fdt", "/d/a.fdt"}},
        {erreur_fichier::disque_plein, {"/d/c.fdt", "/d/a.fdt"}},
    };
    for (const auto& c : table) {
        fichiers_recents m = l;
        m.noter("/d/a.fdt", c.e);
        EXPECT_EQ(noms(m), c.attendus) << static_cast<int>(c.e);
    }
    // A new file refused for its content does not enter the list.
    fichiers_recents m = l;
    m.noter("/d/z.fdt", erreur_fichier::fonction_capacite);
    EXPECT_EQ(noms(m), noms(l));
}

TEST(FichiersRecentsTest, LectureReelleDUnFichierDisparu) {
    const fs::path dossier =
        fs::temp_directory_path() / ("varlem.recents." + std::to_string(std::random_device{}()));
    fs::create_directories(dossier);
    const fs::path f = dossier / "deux.fdt";
    auto s = test::systeme_tape({{"1", "1+p"}, {"-4", "(1+p)(2+p)"}});
    ASSERT_TRUE(ecrire_systeme(*s, f).reussi());
    fichiers_recents l;
    l.noter(f, erreur_fichier::aucune);
    reglages r;
    systeme lu;
    EXPECT_TRUE(lire_systeme(lu, r, f).reussi());
    fs::remove(f);
    const resultat_fichier res = lire_systeme(lu, r, f);
    EXPECT_EQ(res.erreur, erreur_fichier::introuvable);
    l.noter(f, res.erreur);
    EXPECT_TRUE(l.vide());
    fs::remove_all(dossier);
}

TEST(FichiersRecentsTest, ConservationEnTextes) {
    fichiers_recents l;
    for (const char* p : {"/d/a.fdt", "/d/systèmes/éssai 1.fdt", "/d/b.fdt"}) l.ajouter(p);
    const std::vector<std::string> t = l.en_textes();
    EXPECT_EQ(t, (std::vector<std::string>{"/d/b.fdt", "/d/systèmes/éssai 1.fdt", "/d/a.fdt"}));
    EXPECT_EQ(fichiers_recents::depuis_textes(t).chemins(), l.chemins());

    // What another run or a hand-edited store may hold: blanks, repeats, too many entries.
    std::vector<std::string> stockes{"", "/d/a.fdt", "/d/./a.fdt", "/d/b.fdt", ""};
    for (int i = 0; i < 10; ++i) stockes.push_back("/e/" + std::to_string(i) + ".fdt");
    const fichiers_recents relu = fichiers_recents::depuis_textes(stockes);
    ASSERT_EQ(relu.chemins().size(), nb_fichiers_recents_max);
    EXPECT_EQ(relu.chemins()[0], fs::path("/d/a.fdt"));
    EXPECT_EQ(relu.chemins()[1], fs::path("/d/b.fdt"));
    EXPECT_EQ(relu.chemins()[7], fs::path("/e/5.fdt"));
    EXPECT_TRUE(fichiers_recents::depuis_textes({}).vide());
}

TEST(FichiersRecentsTest, LibellesDuMenu) {
    fichiers_recents l;
    for (const char* p : {"/un/sys.fdt", "/deux/R&D.fdt", "/deux/sys.fdt"}) l.ajouter(p);
    EXPECT_EQ(libelle_recent(l, 0), "&1 sys.fdt (/deux)");
    EXPECT_EQ(libelle_recent(l, 1), "&2 R&&D.fdt");
    EXPECT_EQ(libelle_recent(l, 2), "&3 sys.fdt (/un)");
    EXPECT_EQ(libelle_recent(l, 3), "");
}

TEST(FichiersRecentsTest, SuitesAleatoires) {
    // Whatever the order of reads, writes and files gone: at most eight, no repeat, the last
    // one read first, and the store gives the same list back.
    std::mt19937 gen(5);
    fichiers_recents l;
    for (int pas = 0; pas < 3000; ++pas) {
        const fs::path p = "/r/" + std::to_string(gen() % 14) + (gen() % 2 ? "/../" : "/") +
                           std::to_string(gen() % 3) + ".fdt";
        if (gen() % 4 == 0) {
            l.noter(p, erreur_fichier::introuvable);
            for (const fs::path& q : l.chemins()) ASSERT_NE(q, chemin_normalise(p));
        } else {
            l.noter(p, erreur_fichier::aucune);
            ASSERT_EQ(l.chemins().front(), chemin_normalise(p));
        }
        ASSERT_LE(l.chemins().size(), nb_fichiers_recents_max);
        for (std::size_t i = 0; i < l.chemins().size(); ++i)
            for (std::size_t j = i + 1; j < l.chemins().size(); ++j)
                ASSERT_NE(l.chemins()[i], l.chemins()[j]);
        ASSERT_EQ(fichiers_recents::depuis_textes(l.en_textes()).chemins(), l.chemins());
    }
}

} // namespace
} // namespace varlem
