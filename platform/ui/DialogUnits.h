#pragma once
// Dialog units to pixels, from the dialog font's metrics as the platform
// computes them: the horizontal base unit is the font's average character
// width, the vertical one its height; x pixels = du * base / 4 and
// y pixels = du * base / 8, each rounded to the nearest pixel.

#include <QFont>
#include <QRect>
#include <string>

struct DialogBaseUnits {
    int x = 0;
    int y = 0;
};

// The font a template names, or, where that face is not installed, one whose
// metrics match it, so layouts drawn for it keep their proportions.
QFont TemplateFont(const std::string& face, int points);

DialogBaseUnits BaseUnitsOf(const QFont& font);

// a * b / c rounded to the nearest integer, halves away from zero.
int MulDiv(int a, int b, int c);

QRect MapDialogRect(const DialogBaseUnits& units, int x, int y, int cx, int cy);
