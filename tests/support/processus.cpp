#include "support/processus.h"

#include "support/donnees.h"

#include <gtest/gtest.h>

#include <fcntl.h>
#include <poll.h>
#include <sys/wait.h>
#include <unistd.h>

namespace varlem::test {

namespace {

// Reads both pipes until they close, without letting either fill up.
void lire_tout(int fd_sortie, int fd_erreurs, std::string& sortie, std::string& erreurs) {
    pollfd fds[2] = {{fd_sortie, POLLIN, 0}, {fd_erreurs, POLLIN, 0}};
    std::string* cibles[2] = {&sortie, &erreurs};
    int ouverts = 2;
    char tampon[65536];
    while (ouverts > 0) {
        if (poll(fds, 2, -1) < 0) break;
        for (int i = 0; i < 2; ++i) {
            if (fds[i].fd < 0 || !(fds[i].revents & (POLLIN | POLLHUP | POLLERR))) continue;
            const ssize_t n = read(fds[i].fd, tampon, sizeof tampon);
            if (n > 0) {
                cibles[i]->append(tampon, static_cast<std::size_t>(n));
            } else {
                close(fds[i].fd);
                fds[i].fd = -1;
                --ouverts;
            }
        }
    }
}

} // namespace

resultat_processus executer(const std::string& programme,
                            const std::vector<std::string>& arguments) {
    resultat_processus r;
    int sortie[2], erreurs[2];
    if (pipe(sortie) != 0) return r;
    if (pipe(erreurs) != 0) return r;
    const pid_t pid = fork();
    if (pid == 0) {
        dup2(sortie[1], 1);
        dup2(erreurs[1], 2);
        close(sortie[0]);
        close(erreurs[0]);
        std::vector<char*> argv;
        argv.push_back(const_cast<char*>(programme.c_str()));
        for (const auto& a : arguments) argv.push_back(const_cast<char*>(a.c_str()));
        argv.push_back(nullptr);
        execv(programme.c_str(), argv.data());
        _exit(127);
    }
    close(sortie[1]);
    close(erreurs[1]);
    lire_tout(sortie[0], erreurs[0], r.sortie, r.erreurs);
    int etat = 0;
    waitpid(pid, &etat, 0);
    r.statut = WIFEXITED(etat) ? WEXITSTATUS(etat) : -1;
    return r;
}

resultat_processus varlem_calc(const std::vector<std::string>& arguments) {
    return executer(chemin_varlem_calc(), arguments);
}

json_lu varlem_calc_json(const std::vector<std::string>& arguments) {
    const resultat_processus r = varlem_calc(arguments);
    EXPECT_EQ(r.statut, 0) << r.erreurs;
    const json_lu j = json_lu::analyser(r.sortie);
    EXPECT_TRUE(j.valide()) << r.sortie;
    return j;
}

} // namespace varlem::test
