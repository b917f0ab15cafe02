#pragma once
// The upper halves of the vector registers. Code that writes 256- or 512-bit registers and
// returns without clearing them (Qt 6.4's AVX2 fill, behind nearly every QPainter call on an
// image) leaves them in use. Processors that then save and restore them at each switch between
// SSE and AVX instructions pay for it on every switch (about 70 ns measured on a Xeon), and a
// scalar libm call, an SSE wrapper around an AVX body, switches twice: 140 ns more, ten times
// its work. Pure SSE or pure AVX code is not slowed; clearing the registers once ends it.

namespace varlem {

/// Clears the upper halves of the vector registers (VZEROUPPER) when the processor has AVX;
/// nothing elsewhere. To call after code that may leave them in use and before scalar maths.
void liberer_moities_hautes();

/// True when the processor reports the upper halves of the vector registers in use (XGETBV 1);
/// false when they are free or it cannot tell.
bool moities_hautes_en_usage();

} // namespace varlem
