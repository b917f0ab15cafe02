#pragma once
// The text of a text study window as a drawing to print: its lines in its font, at a fixed
// point size, with a margin.

#include "plot/qt/copie_vectorielle.h"

#include <QSize>

class QPlainTextEdit;

namespace varlem {

/// The drawing of `texte`'s lines; `taille` receives its size in pixels.
dessin dessin_texte(const QPlainTextEdit& texte, QSize& taille);

} // namespace varlem
