#include "numeric/contexte.h"

#include <chrono>

namespace varlem {

namespace {

std::uint64_t splitmix64(std::uint64_t& x) {
    std::uint64_t z = (x += 0x9E3779B97F4A7C15ull);
    z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ull;
    z = (z ^ (z >> 27)) * 0x94D049BB133111EBull;
    return z ^ (z >> 31);
}

std::uint64_t rotl(std::uint64_t x, int k) {
    return (x << k) | (x >> (64 - k));
}

} // namespace

void generateur_aleatoire::semer(std::uint64_t graine) {
    for (auto& e : etat_) e = splitmix64(graine);
}

double generateur_aleatoire::uniforme() {
    const std::uint64_t resultat = rotl(etat_[1] * 5, 7) * 9;
    const std::uint64_t t = etat_[1] << 17;
    etat_[2] ^= etat_[0];
    etat_[3] ^= etat_[1];
    etat_[1] ^= etat_[2];
    etat_[0] ^= etat_[3];
    etat_[2] ^= t;
    etat_[3] = rotl(etat_[3], 45);
    return static_cast<double>(resultat >> 11) * 0x1.0p-53;
}

int generateur_aleatoire::entier(int n) {
    if (n <= 0) return 0;
    const int r = static_cast<int>(uniforme() * n);
    return r < n ? r : n - 1;
}

void contexte_calcul::resemer() {
    if (graine) {
        alea.semer(*graine);
        return;
    }
    const auto maintenant = std::chrono::steady_clock::now().time_since_epoch().count();
    alea.semer(static_cast<std::uint64_t>(maintenant));
}

} // namespace varlem
