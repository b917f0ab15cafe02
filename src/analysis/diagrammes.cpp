#include "analysis/diagrammes.h"

#include "plot/echelles.h"

#include <algorithm>
#include <iterator>

namespace varlem {

namespace {

using r_ = etude_frequence;

// Pixel row of the value 0 over the whole height, and column of 0 over the whole width:
// the unit texts are placed from them, not from the frame.
int ligne_zero(const surface& s, double lo, double hi) {
    return y_vers_pixel(0, s.hauteur(), 0.0, lo, hi);
}

int colonne_zero(const surface& s, double lo, double hi) {
    return x_vers_pixel(0, s.largeur(), 0.0, lo, hi);
}

void police_textes(surface& s) {
    s.police(police_textes_frq, taille_textes_frq, couleur_textes_frq);
}

// The unit of the horizontal axis, right of the frame, just above the zero line.
void texte_unite(surface& s, const etude_frequence& r, int y) {
    // A zero line at the very top would lift the unit out of the picture.
    y = std::max(y, 0);
    if (r.en_hertz)
        s.texte(s.largeur() - 16, y, "Hz");
    else
        s.texte(s.largeur() - 30, y, "rad/s");
}

void textes_gain(surface& s, const etude_frequence& r, const param& p) {
    s.texte(0, 0, "Gain (dB)");
    if (p.inclure_zero) texte_unite(s, r, ligne_zero(s, r.gain_min, r.gain_max) - 12);
}

void textes_phase(surface& s, const etude_frequence& r, const param& p) {
    s.texte(0, 0, r.en_radians ? "Phase (rad)" : "Phase (d°)");
    if (p.inclure_zero) texte_unite(s, r, ligne_zero(s, r.phase_min, r.phase_max) - 12);
}

void titre_module(surface& s, const etude_frequence&, const param&) {
    police_textes(s);
    s.texte(0, 0, "Module");
}

void textes_module(surface& s, const etude_frequence& r, const param& p) {
    if (p.inclure_zero) texte_unite(s, r, ligne_zero(s, r.module_min, r.module_max) - 22);
}

void textes_black(surface& s, const etude_frequence& r, const param& p) {
    if (!p.inclure_zero) return;
    // The gain's zero row comes from the automatic range, not the Black window.
    s.texte(colonne_zero(s, r.black_phase_min, r.black_phase_max) - 65, 8, "Gain (dB)");
    s.texte(0, ligne_zero(s, r.gain_min, r.gain_max) - 7, "Phase");
}

void textes_nyquist(surface& s, const etude_frequence&, const param&) {
    s.texte(0, 0, "Nyquist");
}

constexpr plage_etude plage_gain{&r_::gain_min, &r_::gain_max, &r_::gain_pas};
constexpr plage_etude plage_phase{&r_::phase_min, &r_::phase_max, &r_::phase_pas};
constexpr plage_etude plage_module{&r_::module_min, &r_::module_max, &r_::module_pas};
constexpr plage_etude plage_f{&r_::f_min, &r_::f_max, &r_::f_pas};
constexpr plage_etude plage_w{&r_::wl_min, &r_::wl_max, &r_::wl_pas};
constexpr plage_etude plage_black_phase{&r_::black_phase_min, &r_::black_phase_max,
                                        &r_::black_phase_pas};
constexpr plage_etude plage_black_gain{&r_::black_gain_min, &r_::black_gain_max,
                                       &r_::black_gain_pas};
constexpr plage_etude plage_re{&r_::re_min, &r_::re_max, &r_::re_pas};
constexpr plage_etude plage_im{&r_::im_min, &r_::im_max, &r_::im_pas};

// The table, one row per diagram in the order of the kinds.
const description_diagramme table[] = {
    // aucun
    {},
    // gain
    {.nom_lecture = "Gain",
     .nom_reglages = "Gain",
     .horizontale = grandeur::pulsation,
     .verticale = grandeur::gain_db,
     .logarithmique = true,
     .plage_v = plage_gain,
     .textes_apres = textes_gain},
    // phase
    {.nom_lecture = "Phase",
     .nom_reglages = "Phase",
     .horizontale = grandeur::pulsation,
     .verticale = grandeur::phase,
     .logarithmique = true,
     .plage_v = plage_phase,
     .textes_apres = textes_phase},
    // module
    {.nom_lecture = "Etude de l amplification",
     .nom_reglages = "Module",
     .horizontale = grandeur::pulsation,
     .verticale = grandeur::module,
     .plage_h_hertz = plage_f,
     .plage_h_radians = plage_w,
     .plage_v = plage_module,
     .zoom_arriere_par_le_haut = true,
     .textes_avant = titre_module,
     .textes_apres = textes_module},
    // black
    {.nom_lecture = "Diagramme de Black",
     .nom_reglages = "Black",
     .horizontale = grandeur::phase,
     .verticale = grandeur::gain_db,
     .plage_h_hertz = plage_black_phase,
     .plage_h_radians = plage_black_phase,
     .plage_v = plage_black_gain,
     .textes_apres = textes_black},
    // nyquist
    {.nom_lecture = "Diagramme de Nyquist",
     .nom_reglages = "Nyquist",
     .horizontale = grandeur::reel,
     .verticale = grandeur::imaginaire,
     .plage_h_hertz = plage_re,
     .plage_h_radians = plage_re,
     .plage_v = plage_im,
     .textes_apres = textes_nyquist},
};

static_assert(std::size(table) == nombre_diagrammes, "one row per kind of diagram");

} // namespace

const description_diagramme& description(diagramme d) {
    return table[static_cast<std::size_t>(d)];
}

plage_etude plage_horizontale(const description_diagramme& d, const etude_frequence& r) {
    return r.en_hertz ? d.plage_h_hertz : d.plage_h_radians;
}

} // namespace varlem
