#include "analysis/convolution_rapide.h"
#include "numeric/temporel.h"

#include "analysis/periodique.h"

#include <algorithm>
#include <cmath>

namespace varlem {

namespace {

// The fast convolution holds terms exactly where the impulse response does.
constexpr double exposant_plafond = exposant_plafond_temporel;
constexpr double valeur_plafond = valeur_plafond_temporelle;
/// Most terms summed side by side: enough independent chains to hide the multiply latency,
/// few enough to stay in registers.
constexpr int largeur_bloc = 6;
static_assert(largeur_bloc >= 1 && largeur_bloc <= 8);

bool conjugues(const terme& a, const terme& b) {
    return a.ordre == b.ordre && a.valeur.im != 0.0 && b.valeur.re == a.valeur.re &&
           b.valeur.im == -a.valeur.im;
}

int table_pour(noyau_convolution& n, int puissance, std::int64_t m_max) {
    for (std::size_t i = 0; i < n.termes.size(); ++i) {
        if (n.termes[i].puissance == puissance && n.termes[i].table >= 0) {
            return n.termes[i].table;
        }
    }
    std::vector<double> table(static_cast<std::size_t>(std::max<std::int64_t>(m_max, 0) + 1));
    for (std::size_t m = 0; m < table.size(); ++m) {
        table[m] = std::pow(static_cast<double>(m), puissance);
    }
    n.tables.push_back(std::move(table));
    return static_cast<int>(n.tables.size()) - 1;
}

/// z = e^(p·h).
void facteur(const terme_noyau& k, double h, double& zr, double& zi) {
    const double module = std::exp(k.p_re * h);
    zr = module * std::cos(k.p_im * h);
    zi = module * std::sin(k.p_im * h);
}

/// Σ over L simple, uncapped terms of Re(c·Σ a_e·z^(M+1−e)); the L Horner chains are
/// independent, so the processor overlaps them.
template <int L>
double somme_bloc(const terme_noyau* const* bloc, const double* a, std::int64_t M, double h) {
    double zr[L], zi[L], ar[L], ai[L];
    for (int l = 0; l < L; ++l) {
        facteur(*bloc[l], h, zr[l], zi[l]);
        ar[l] = a[0];
        ai[l] = 0.0;
    }
    for (std::int64_t e = 1; e <= M; ++e) {
        const double v = a[e];
#pragma GCC unroll 8
        for (int l = 0; l < L; ++l) {
            const double nr = ar[l] * zr[l] - ai[l] * zi[l] + v;
            ai[l] = ar[l] * zi[l] + ai[l] * zr[l];
            ar[l] = nr;
        }
    }
    double somme = 0.0;
    for (int l = 0; l < L; ++l) {
        const double wr = ar[l] * zr[l] - ai[l] * zi[l];
        const double wi = ar[l] * zi[l] + ai[l] * zr[l];
        somme += bloc[l]->inv_factorielle * (bloc[l]->c_re * wr - bloc[l]->c_im * wi);
    }
    return somme;
}

double somme_bloc(const terme_noyau* const* bloc, int nb, const double* a, std::int64_t M,
                  double h) {
    switch (nb) {
    case 1:
        return somme_bloc<1>(bloc, a, M, h);
    case 2:
        return somme_bloc<2>(bloc, a, M, h);
    case 3:
        return somme_bloc<3>(bloc, a, M, h);
    case 4:
        return somme_bloc<4>(bloc, a, M, h);
    case 5:
        return somme_bloc<5>(bloc, a, M, h);
    case 6:
        return somme_bloc<6>(bloc, a, M, h);
    case 7:
        return somme_bloc<7>(bloc, a, M, h);
    default:
        return somme_bloc<8>(bloc, a, M, h);
    }
}

/// Number of leading sub-steps e whose time t − e·h reaches the overflow guard of the term,
/// found with the very expression the impulse response tests.
std::int64_t nb_plafonnes(const terme_noyau& k, std::int64_t M, double t, double h) {
    if (!(t * k.p_re >= exposant_plafond)) return 0;
    std::int64_t bas = 1, haut = M + 1;
    while (bas < haut) {
        const std::int64_t milieu = bas + (haut - bas) / 2;
        if ((t - static_cast<double>(milieu) * h) * k.p_re >= exposant_plafond) {
            bas = milieu + 1;
        } else {
            haut = milieu;
        }
    }
    return bas;
}

/// The capped sub-steps e < nb: the term is 1e55·Re(c·e^(j·im·τ)), power and factorial dropped.
double partie_plafonnee(const terme_noyau& k, const double* a, std::int64_t nb, std::int64_t M,
                        double h) {
    const double rr = std::cos(k.p_im * h), ri = std::sin(k.p_im * h);
    double ar = a[0], ai = 0.0;
    for (std::int64_t e = 1; e < nb; ++e) {
        const double nr = ar * rr - ai * ri + a[e];
        ai = ar * ri + ai * rr;
        ar = nr;
    }
    const double theta = static_cast<double>(M + 2 - nb) * h * k.p_im;
    const double c = std::cos(theta), s = std::sin(theta);
    const double wr = ar * c - ai * s, wi = ar * s + ai * c;
    return valeur_plafond * (k.c_re * wr - k.c_im * wi);
}

double puissance_m(const noyau_convolution& n, const terme_noyau& k, std::int64_t m) {
    if (k.table < 0) return 1.0;
    const std::vector<double>& table = n.tables[static_cast<std::size_t>(k.table)];
    if (m < static_cast<std::int64_t>(table.size())) return table[static_cast<std::size_t>(m)];
    return std::pow(static_cast<double>(m), k.puissance);
}

/// Any term: capped leading sub-steps, then Horner over the others with weights m^puissance.
double somme_generale(const noyau_convolution& n, const terme_noyau& k, const double* a,
                      std::int64_t M, double t, double h) {
    const std::int64_t nb = nb_plafonnes(k, M, t, h);
    double total = nb > 0 ? partie_plafonnee(k, a, nb, M, h) : 0.0;
    if (nb > M) return total;
    double zr, zi;
    facteur(k, h, zr, zi);
    double ar = a[nb] * puissance_m(n, k, M + 1 - nb), ai = 0.0;
    for (std::int64_t e = nb + 1; e <= M; ++e) {
        const double v = a[e] * puissance_m(n, k, M + 1 - e);
        const double nr = ar * zr - ai * zi + v;
        ai = ar * zi + ai * zr;
        ar = nr;
    }
    const double wr = ar * zr - ai * zi, wi = ar * zi + ai * zr;
    const double echelle = k.puissance == 0 ? 1.0 : std::pow(h, k.puissance);
    total += echelle * k.inv_factorielle * (k.c_re * wr - k.c_im * wi);
    return total;
}

} // namespace

noyau_convolution preparer_noyau(const fdt_travail& R, std::int64_t m_max) {
    noyau_convolution n;
    const int nb = nb_poles(R);
    std::vector<bool> replie(static_cast<std::size_t>(nb), false);
    for (int i = 0; i < nb; ++i) {
        if (replie[static_cast<std::size_t>(i)]) continue;
        const terme& ti = R.termes_poles[static_cast<std::size_t>(i)];
        complexe c = ti.coef;
        for (int l = i + 1; l < nb; ++l) {
            const terme& tl = R.termes_poles[static_cast<std::size_t>(l)];
            if (replie[static_cast<std::size_t>(l)] || !conjugues(ti, tl)) continue;
            // Re(c_l·e^(conj(p)·τ)) = Re(conj(c_l)·e^(p·τ)): the pair is one term.
            c = c_somme(c, c_conjugue(tl.coef));
            replie[static_cast<std::size_t>(l)] = true;
            break;
        }
        if (c.re == 0.0 && c.im == 0.0) continue;
        terme_noyau k;
        k.p_re = ti.valeur.re;
        k.p_im = ti.valeur.im;
        k.c_re = c.re;
        k.c_im = c.im;
        k.puissance = ti.ordre - 1;
        k.inv_factorielle = 1.0 / factorielle(k.puissance);
        if (k.puissance != 0) k.table = table_pour(n, k.puissance, m_max);
        n.termes.push_back(k);
    }
    return n;
}

double integrale_convolution(const noyau_convolution& n, const forme_periodique& u, std::int64_t M,
                             double t, std::vector<double>& tampon) {
    const double h = t / static_cast<double>(M + 1);
    tampon.resize(static_cast<std::size_t>(M + 1));
    double* a = tampon.data();
    for (std::int64_t e = 0; e <= M; ++e) a[e] = u.valeur(static_cast<double>(e) * h);

    double somme = 0.0;
    const terme_noyau* bloc[largeur_bloc];
    int nb = 0;
    for (const terme_noyau& k : n.termes) {
        if (k.puissance != 0 || t * k.p_re >= exposant_plafond) {
            somme += somme_generale(n, k, a, M, t, h);
            continue;
        }
        bloc[nb++] = &k;
        if (nb == largeur_bloc) {
            somme += somme_bloc(bloc, nb, a, M, h);
            nb = 0;
        }
    }
    if (nb > 0) somme += somme_bloc(bloc, nb, a, M, h);
    return h * somme;
}

double reponse_convolution_rapide(const noyau_convolution& n, int j, double t, double D,
                                  const forme_periodique& u, int precision,
                                  std::vector<double>& tampon) {
    if (!(t >= 0.0) || !std::isfinite(t)) return 0.0;
    const std::int64_t M = static_cast<std::int64_t>(std::max(j, 0)) * precision_bornee(precision);
    const double integrale = t > 0.0 ? integrale_convolution(n, u, M, t, tampon) : 0.0;
    return D * u.valeur(t) + integrale;
}

} // namespace varlem
