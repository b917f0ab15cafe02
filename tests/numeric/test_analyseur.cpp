#include "numeric/analyseur.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <random>
#include <string>
#include <vector>

namespace varlem {
namespace {

// Marker left in the output so a test can tell whether the parser wrote it.
polynome temoin() {
    polynome p;
    p.degre = 7;
    p.coef[7] = {123.5, 0};
    return p;
}

struct lecture {
    polynome p;
    bool ecrit;
    bool syntaxe;
    bool degre;
};

lecture lire(const std::string& texte, char lettre = 'p') {
    contexte_calcul ctx;
    ctx.variable_p = lettre;
    polynome p = temoin();
    lire_polynome(ctx, texte, p);
    return {p, !(p == temoin()), ctx.erreur_syntaxe, ctx.erreur_degre};
}

void verifier_invariant(const polynome& p, const std::string& texte) {
    ASSERT_GE(p.degre, 0) << texte;
    ASSERT_LE(p.degre, capacite_polynome) << texte;
    for (int k = p.degre + 1; k <= capacite_polynome; ++k)
        ASSERT_EQ(p.coef[static_cast<std::size_t>(k)], complexe{}) << texte << " k=" << k;
}

void verifier_coefs(const polynome& p, const std::vector<double>& attendus, const std::string& t) {
    ASSERT_EQ(p.degre, static_cast<int>(attendus.size()) - 1) << t;
    for (std::size_t k = 0; k < attendus.size(); ++k) {
        EXPECT_NEAR(p.coef[k].re, attendus[k], 1e-14 * std::fabs(attendus[k])) << t << " k=" << k;
        EXPECT_EQ(p.coef[k].im, 0.0) << t;
    }
    verifier_invariant(p, t);
}

struct cas_polynome {
    std::string texte;
    std::vector<double> coefs; // low powers first; empty: not checked
    bool syntaxe = false;
    bool degre = false;
    bool ecrit = true;
};

TEST(AnalyseurTest, FormesAccepteesEtRefusees) {
    const cas_polynome cas[] = {
        {"1+2*p+3*p^3", {1, 2, 0, 3}},
        {"(2*p^3)*(1+p+1,54*p^2)", {0, 0, 0, 2, 2, 3.08}},
        {"(3p)(1+2p+1.5p^3)", {0, 3, 6, 0, 4.5}},
        {"(3e-4p+2e-2)(1+2e-1p+1.5e-2p^3)", {0.02, 0.0043, 0.00006, 0.0003, 0.0000045}},
        {"2,98", {2.98}},
        {"2.98", {2.98}},
        {"1-p", {1, -1}},
        {"p^2+1", {1, 0, 1}},
        // A "-" opening the text or a factor is the sign of the first term.
        {"-p+1", {1, -1}},
        {"-4", {-4}},
        {"-1+p", {-1, 1}},
        {"(-1+p)(1+p)", {-1, 0, 1}},
        {"(1+p)*(-2p^2)", {0, 0, -2, -2}},
        {" - 2 , 5 p", {0, -2.5}},
        {"-3E-4p-1e2", {-100, -0.0003}},
        {"-p^2+p^2", {0}, true},
        {"-0", {0}, true},
        {"-0p+1", {1}, false, true},
        {"-1e31p", {}, false, true},
        {"-p^16", {}, false, true},
        // Every other sign stays refused.
        {"1+-p", {}, true},
        {"+-p", {0, -1}, true},
        {"--p", {0, -1}, true},
        {"-", {0}, true},
        {"-+p", {0, 1}, true},
        {"-E3", {}, true},
        {"-(1+p)", {0}, true},
        {"(1+p)-(1+p)", {}, true, false, false},
        {"(1+p)(--p)", {}, true},
        {"(+-p)", {}, true},
        {"-p^-2", {}, true},
        {"1.25e+3", {3}, true},
        {"p^+2", {}, true},
        {"p^-2", {}, true},
        {"2(1+p)", {0}, true},
        {"(1+p)+(2+p)", {}, true, false, false},
        {"((1+p))", {}, true, false, false},
        {"(1+p)2", {}, true, false, false},
        {"0", {0}, true},
        {"p-p", {0}, true},
        {"2.p", {}, true},
        {"pp", {}, true},
        {"p2", {}, true},
        {"p^2.5", {}, true},
        {"1E2E3", {}, true},
        {"p^16", {}, false, true},
        {"(p^8)(p^8)", {}, false, true},
        {"0p+1", {1}, false, true},
        {"1e31p", {}, false, true},
        {"1e31", {1e31}},
        {"+1+p", {1, 1}},
        {"(1+p)*(1+2p)*", {1, 3, 2}},
        // Edge cases.
        {"", {0}, true},
        {"   ", {0}, true},
        {"1 + 2 p", {1, 2}},
        {"(1+p)", {1, 1}},
        {"p^2-p^2+1", {1}},
        {"p^16-p^16+1", {1}, false, true},
        {"1e-31", {1e-31}},
        {"1e-31p", {}, false, true},
        {"3E-4p", {0, 0.0003}},
        {"1+s", {}, true, false, false},
        {"1e30p", {0, 1e30}},
        {"1e-30p", {0, 1e-30}},
        {"1-1.1e30*p", {1, -1.1e30}, false, true},
        {"(1+p", {}, true, false, false},
        {"(1+p)**(1+p)", {}, true, false, false},
        {"()", {0}, true},
        {"(1+p)(2.p)", {}, true},
        {"1+x", {}, true, false, false},
        {"1\t+p", {}, true, false, false},
        {"1+", {0}, true},
        // A "*" coefficient is tested for magnitude before the faulty number is reported.
        {"*p+1", {1}, true, true},
        {"2p^", {2}, true},
        // Safety: huge exponents, numbers that overflow, degrees beyond the capacity.
        {"p^99999", {}, true, true},
        {"p^99999999999999999999+1", {1}, false, true},
        {"1e999", {0}, true},
        {"1e999p+1", {1}, true},
        {"1e999*p+1", {1}, true, true},
        {"2p^51+1", {1}, false, true},
    };
    for (const auto& c : cas) {
        const lecture r = lire(c.texte);
        EXPECT_EQ(r.syntaxe, c.syntaxe) << '"' << c.texte << '"';
        EXPECT_EQ(r.degre, c.degre) << '"' << c.texte << '"';
        EXPECT_EQ(r.ecrit, c.ecrit) << '"' << c.texte << '"';
        if (!c.coefs.empty()) verifier_coefs(r.p, c.coefs, c.texte);
        if (r.ecrit) verifier_invariant(r.p, c.texte);
    }
}

TEST(AnalyseurTest, LettreChoisie) {
    const lecture s = lire("1+2s^2", 's');
    EXPECT_FALSE(s.syntaxe);
    verifier_coefs(s.p, {1, 0, 2}, "1+2s^2");
    const lecture p = lire("1+p", 's');
    EXPECT_TRUE(p.syntaxe);
    EXPECT_FALSE(p.ecrit);
}

TEST(AnalyseurTest, DrapeauxEffacesOuConserves) {
    contexte_calcul ctx;
    ctx.erreur_syntaxe = ctx.erreur_degre = true;
    polynome p;
    lire_polynome(ctx, "1+p", p);
    EXPECT_FALSE(ctx.erreur_syntaxe);
    EXPECT_TRUE(ctx.erreur_degre); // the pipeline clears it once per function
}

TEST(AnalyseurTest, ProduitDeFacteursConnus) {
    // Factors written from known integer coefficients; the parsed product must match the
    // convolution done here, and each factor alone must read back its coefficients.
    std::mt19937 gen(12345);
    std::uniform_int_distribution<int> coef(-9, 9), degre(0, 4);
    for (int essai = 0; essai < 200; ++essai) {
        std::string produit;
        std::vector<double> attendu{1.0};
        for (int f = 0; f < 3; ++f) {
            std::vector<double> c(static_cast<std::size_t>(degre(gen)) + 1);
            for (auto& x : c) x = coef(gen);
            c.back() = c.back() == 0 ? 1 : c.back();
            std::string texte;
            for (std::size_t k = 0; k < c.size(); ++k) {
                if (c[k] == 0) continue;
                // A leading "-" is the sign of the first term; "0-" is the older spelling.
                if (texte.empty() && c[k] < 0 && essai % 3 == 0) texte = "0";
                if (!texte.empty() && c[k] > 0) texte += '+';
                texte += std::to_string(static_cast<int>(c[k]));
                if (k > 0) texte += (essai % 2 ? "*p" : "p");
                if (k > 1) texte += "^" + std::to_string(k);
            }
            verifier_coefs(lire(texte).p, c, texte);
            produit += "(" + texte + ")" + (f == 1 ? "*" : "");
            std::vector<double> suivant(attendu.size() + c.size() - 1, 0.0);
            for (std::size_t i = 0; i < attendu.size(); ++i)
                for (std::size_t j = 0; j < c.size(); ++j) suivant[i + j] += attendu[i] * c[j];
            attendu = suivant;
        }
        const lecture r = lire(produit);
        EXPECT_FALSE(r.syntaxe || r.degre) << produit;
        verifier_coefs(r.p, attendu, produit);
    }
}

// The older spelling of a leading sign: "0" written before every "-" that opens the text or a
// bracketed factor.
std::string avec_zero_de_tete(const std::string& texte) {
    std::string t;
    for (std::size_t i = 0; i < texte.size(); ++i) {
        if (texte[i] == '-' && (i == 0 || texte[i - 1] == '(')) t += '0';
        t += texte[i];
    }
    return t;
}

TEST(AnalyseurTest, SigneDeTeteCommeZeroMoins) {
    // "-x" reads exactly as "0-x" did, flags included, whatever else the text holds.
    const std::string alphabet = "0123456789.,eE-+()*^pppp--((-";
    std::mt19937 gen(77);
    std::uniform_int_distribution<std::size_t> lettre(0, alphabet.size() - 1);
    std::uniform_int_distribution<int> longueur(1, 24);
    int acceptes = 0;
    for (int essai = 0; essai < 50000; ++essai) {
        std::string t = gen() % 2 ? "-" : "(-";
        const int n = longueur(gen);
        for (int i = 0; i < n; ++i) t += alphabet[lettre(gen)];
        const lecture a = lire(t), b = lire(avec_zero_de_tete(t));
        ASSERT_EQ(a.ecrit, b.ecrit) << t;
        ASSERT_EQ(a.syntaxe, b.syntaxe) << t;
        ASSERT_EQ(a.degre, b.degre) << t;
        ASSERT_EQ(a.p, b.p) << t;
        acceptes += !a.syntaxe && !a.degre;
    }
    EXPECT_GT(acceptes, 500); // the comparison is not only between refusals
}

struct cas_terme {
    std::string texte;
    int degre;
    double coefficient;
    bool syntaxe;
    bool erreur_degre;
};

TEST(AnalyseurTest, LectureDUnTerme) {
    const int plafond = std::numeric_limits<int>::max();
    const cas_terme cas[] = {
        {"2*p^3", 3, 2, false, false},
        {"-p", 1, -1, false, false},
        {"p", 1, 1, false, false},
        {"1,5e-1p^2", 2, 0.15, false, false},
        {"7", 0, 7, false, false},
        {"E3p", 0, 0, true, false},
        {"-E3", 0, 0, true, false},
        {"1E2E3p", 0, 0, true, false},
        {"2^p", 0, 0, true, false},
        {"2p^", 0, 2, true, false},
        {"*p", 0, 0, true, true},
        {"p^16", 16, 1, false, true},
        {"p^99999999999999999999", plafond, 1, false, true},
    };
    for (const auto& c : cas) {
        contexte_calcul ctx;
        const monome m = lire_terme(ctx, c.texte);
        EXPECT_EQ(m.degre, c.degre) << c.texte;
        EXPECT_DOUBLE_EQ(m.coefficient, c.coefficient) << c.texte;
        EXPECT_EQ(ctx.erreur_syntaxe, c.syntaxe) << c.texte;
        EXPECT_EQ(ctx.erreur_degre, c.erreur_degre) << c.texte;
    }
}

struct cas_somme {
    std::string texte;
    std::vector<double> principale; // main readers
    bool syntaxe_principale;
    std::vector<double> facteurs; // factor variant
    bool syntaxe_facteurs;
    bool degre_principale;
};

TEST(AnalyseurTest, VarianteDesFacteurs) {
    const cas_somme cas[] = {
        {"1-2p", {1, -2}, false, {1, -2}, false, false},
        {"1E-3p+2", {2, 1e-3}, false, {2, 1e-3}, false, false},
        // Only the main readers trim nothing in a sum; the factor variant drops the zeros.
        {"p^2-p^2+1", {1, 0, 0}, false, {1}, false, false},
        // The factor variant stops at the first faulty term.
        {"1+2.p+p^2", {1, 0, 1}, true, {1}, true, false},
        // No magnitude, degree or "," handling in the factor variant.
        {"0p+1", {1, 0}, false, {1}, false, true},
        {"1e31p+1", {1, 1e31}, false, {1, 1e31}, false, true},
        {"1,5p", {0, 1.5}, false, {0}, true, false},
        {"(1+p)", {0}, true, {0}, true, false},
    };
    for (const auto& c : cas) {
        contexte_calcul ctx;
        verifier_coefs(lire_somme(ctx, c.texte), c.principale, c.texte);
        EXPECT_EQ(ctx.erreur_syntaxe, c.syntaxe_principale) << c.texte;
        EXPECT_EQ(ctx.erreur_degre, c.degre_principale) << c.texte;
        contexte_calcul f;
        verifier_coefs(lire_somme(f, c.texte, {.variante_facteurs = true}), c.facteurs, c.texte);
        EXPECT_EQ(f.erreur_syntaxe, c.syntaxe_facteurs) << c.texte;
        EXPECT_FALSE(f.erreur_degre) << c.texte;
    }
    contexte_calcul f;
    const polynome p = lire_somme(f, "p^51+1", {.variante_facteurs = true});
    EXPECT_TRUE(f.erreur_syntaxe);
    verifier_invariant(p, "p^51+1");
}

struct cas_parcours {
    std::string texte;
    std::vector<std::string> facteurs;
    issue_produit issue;
};

TEST(AnalyseurTest, ParcoursDuProduit) {
    using enum issue_produit;
    const cas_parcours cas[] = {
        {"(1+p)(2)*(3p)", {"1+p", "2", "3p"}, complet},
        {"(a)*", {"a"}, complet},
        {"(a)b", {"a"}, rejete},
        {"(a)+(b)", {"a"}, rejete},
        {"((a))", {"(a"}, rejete},
        {"(a", {}, rejete},
        {"(a)**(b)", {"a"}, rejete},
        {"()(x)(stop)(y)", {"", "x", "stop"}, interrompu},
    };
    for (const auto& c : cas) {
        std::vector<std::string> vus;
        const issue_produit issue = parcourir_produit(c.texte, [&](std::string_view f) {
            vus.emplace_back(f);
            return f != "stop";
        });
        EXPECT_EQ(issue, c.issue) << c.texte;
        EXPECT_EQ(vus, c.facteurs) << c.texte;
    }
}

TEST(AnalyseurTest, TextesLongsEtImbriques) {
    std::string somme;
    for (int k = 0; k < 25000; ++k) somme += "1+-p+";
    somme += "p^2";
    lecture r = lire(somme);
    EXPECT_TRUE(r.syntaxe); // every "+-" hides an empty term
    verifier_coefs(r.p, {25000, -25000, 1}, "somme longue");

    r = lire(std::string(10000, '(') + "1+p" + std::string(10000, ')'));
    EXPECT_TRUE(r.syntaxe);
    EXPECT_FALSE(r.ecrit);
    EXPECT_FALSE(lire(std::string(100000, '(')).ecrit);
    r = lire(std::string(100000, '9') + "p");
    EXPECT_TRUE(r.syntaxe);

    std::string produit;
    for (int k = 0; k < 2000; ++k) produit += "(1+p)";
    r = lire(produit);
    EXPECT_TRUE(r.degre);
    EXPECT_FALSE(r.syntaxe);
    EXPECT_EQ(r.p.degre, capacite_polynome);
    verifier_invariant(r.p, "produit long");
}

TEST(AnalyseurTest, TextesAleatoiresToujoursSains) {
    const std::string alphabet = "0123456789.,eE-+()*^pppp++--() ";
    const std::string etrangers = "sx\t\xff";
    std::mt19937 gen(2024);
    std::uniform_int_distribution<std::size_t> lettre(0, alphabet.size() - 1);
    std::uniform_int_distribution<int> longueur(0, 30);
    const std::string ajouts[] = {"p^99999", "1e999", "p^99999999999999999999", "(1+p)", "1e-31"};
    for (int essai = 0; essai < 20000; ++essai) {
        std::string t;
        const int n = longueur(gen);
        for (int i = 0; i < n; ++i) {
            if (gen() % 16 == 0)
                t += ajouts[gen() % std::size(ajouts)];
            else if (gen() % 128 == 0)
                t += etrangers[gen() % etrangers.size()];
            else
                t += alphabet[lettre(gen)];
        }
        const lecture r = lire(t);
        if (r.ecrit)
            verifier_invariant(r.p, t);
        else
            EXPECT_TRUE(r.syntaxe) << t;
        if (r.ecrit && !r.syntaxe && !r.degre) {
            EXPECT_LE(r.p.degre, degre_max_saisie) << t;
            EXPECT_TRUE(r.p.degre > 0 || r.p.coef[0].re != 0) << t;
        }
        contexte_calcul f;
        verifier_invariant(lire_somme(f, t, {.variante_facteurs = true}), t);
    }
}

} // namespace
} // namespace varlem
