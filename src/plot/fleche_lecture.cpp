#include "plot/fleche_lecture.h"

namespace varlem {

void tracer_fleche_lecture(surface& s, int px, int py) {
    s.couleur_crayon(couleur_fleche_lecture);
    s.epaisseur_crayon(1);
    s.style_crayon(style_trait::plein);
    s.ligne(px, py + longueur_fleche_lecture, px, py);
    s.tracer_vers(px - pointe_fleche_lecture, py + pointe_fleche_lecture);
    s.ligne(px, py, px + pointe_fleche_lecture, py + pointe_fleche_lecture);
}

} // namespace varlem
