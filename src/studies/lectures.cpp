#include "studies/lectures.h"

#include "studies/lecture_frequentielle.h"
#include "studies/lecture_temporelle.h"

namespace varlem {

rafraichissement fermer_lecture(genre_lecture genre, lectures& l) {
    switch (genre) {
    case genre_lecture::frequentielle:
        return fermer_lecture_frq(l);
    case genre_lecture::temporelle:
        return fermer_lecture_tps(l);
    }
    return {};
}

std::vector<ligne_caracteristique> lignes_lecture(genre_lecture genre, const systeme& sys) {
    switch (genre) {
    case genre_lecture::frequentielle:
        return lignes_marges_lecture(sys);
    case genre_lecture::temporelle:
        return lignes_indicielle_lecture(sys);
    }
    return {};
}

} // namespace varlem
