// A long random sequence of the user's actions over the whole application, from a fresh start:
// no sequence crashes it, hangs it, shows what the document does not hold or loses the user's
// functions unasked; the slowest actions are reported.
//
// VARLEM_GRAINE sets the seed (else one is drawn from the clock and printed), VARLEM_ACTIONS
// the number of actions, VARLEM_BAVARD=1 prints every action, VARLEM_BUDGET_STRICT=1 fails an
// action of the optimised build over 250 ms, VARLEM_PROFIL=n prints when action n ran. A failing
// seed replays exactly with the same two numbers.
#include "app/qt/marche_aleatoire.h"

#include <QTemporaryDir>
#include <QtGlobal>
#include <gtest/gtest.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <string>

namespace varlem {
namespace {

// Enough to go through every window many times within the time of a test run.
#if defined(__SANITIZE_ADDRESS__) || !defined(NDEBUG)
constexpr long actions_par_defaut = 1500;
#else
constexpr long actions_par_defaut = 3000;
#endif

// The headless platform's notes on what it cannot do are no findings: they are left out.
QtMessageHandler precedent = nullptr;
void filtrer(QtMsgType type, const QMessageLogContext& contexte, const QString& message) {
    if (message.startsWith(QStringLiteral("This plugin does not support"))) return;
    precedent(type, contexte, message);
}

std::optional<unsigned long long> variable(const char* nom) {
    const char* v = std::getenv(nom);
    if (!v || !*v) return std::nullopt;
    return std::strtoull(v, nullptr, 10);
}

TEST(MarcheAleatoire, AucuneSuiteDActionsNeCasseNiNePerdLeSysteme) {
    const unsigned long long graine =
        variable("VARLEM_GRAINE")
            .value_or(static_cast<unsigned long long>(
                std::chrono::system_clock::now().time_since_epoch().count() % 1'000'000'000));
    const long n = static_cast<long>(variable("VARLEM_ACTIONS").value_or(actions_par_defaut));
    std::printf("[ marche    ] graine %llu, %ld actions ; rejouer : VARLEM_GRAINE=%llu "
                "VARLEM_ACTIONS=%ld\n",
                graine, n, graine, n);
    std::fflush(stdout);
    QTemporaryDir dossier;
    ASSERT_TRUE(dossier.isValid());

    precedent = qInstallMessageHandler(filtrer);
    const auto debut = std::chrono::steady_clock::now();
    test::marche_aleatoire marche(graine, dossier.path());
    marche.bavard = variable("VARLEM_BAVARD").value_or(0) != 0;
    marche.marcher(n);
    qInstallMessageHandler(precedent);
    const double secondes =
        std::chrono::duration<double>(std::chrono::steady_clock::now() - debut).count();

    std::printf("[ marche    ] %ld actions en %.1f s, empreinte %016llx ; les plus lentes :\n",
                marche.actions_faites(), secondes,
                static_cast<unsigned long long>(marche.empreinte()));
    for (const test::duree_action& d : marche.temps().plus_lentes())
        std::printf("[ marche    ]   %8.1f ms  action %ld  %s\n", d.ms, d.rang, d.nom.c_str());
    // Times depend on the machine's load: they are reported, and fail the walk only when asked
    // for (VARLEM_BUDGET_STRICT=1, on a quiet machine and an optimised build).
    const bool strict = variable("VARLEM_BUDGET_STRICT").value_or(0) != 0;
    for (const test::duree_action& d : marche.temps().hors_budget()) {
        std::printf("[ marche    ] action %ld (%s) : %.1f ms, au-delà de %.0f ms\n", d.rang,
                    d.nom.c_str(), d.ms, static_cast<double>(marche.temps().budget_ms));
        if (strict)
            ADD_FAILURE() << "action " << d.rang << " (" << d.nom << ") took " << d.ms
                          << " ms, over the budget of " << marche.temps().budget_ms << " ms";
    }
    if (HasFailure())
        std::printf("[ marche    ] rejouer : VARLEM_GRAINE=%llu VARLEM_ACTIONS=%ld\n", graine, n);
}

} // namespace
} // namespace varlem
