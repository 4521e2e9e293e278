#pragma once
// The device context a container hands a control to draw itself on: the
// rectangle and ellipse calls of the platform, with the stock objects and the
// current pen and brush. Drawing code of controls stays free of any window
// system; the implementation on Qt lives in the windowed part of the framework.

#include "platform/prompts/CommonDialogs.h"

class CBrush;
class CPen;

constexpr int WHITE_BRUSH = 0;
constexpr int LTGRAY_BRUSH = 1;
constexpr int GRAY_BRUSH = 2;
constexpr int DKGRAY_BRUSH = 3;
constexpr int BLACK_BRUSH = 4;
constexpr int NULL_BRUSH = 5;
constexpr int WHITE_PEN = 6;
constexpr int BLACK_PEN = 7;
constexpr int NULL_PEN = 8;

class CControlDC {
public:
    virtual ~CControlDC() = default;

    // Return the object selected before.
    virtual CPen* SelectObject(CPen* pen) = 0;
    virtual CBrush* SelectObject(CBrush* brush) = 0;
    // A stock brush (WHITE_BRUSH ... NULL_BRUSH) or pen (WHITE_PEN ... NULL_PEN).
    virtual CBrush* GetStockBrush(int index) = 0;
    virtual CPen* GetStockPen(int index) = 0;

    // Fills the rectangle, right and bottom edges excluded, without an outline.
    virtual void FillRect(const RECT& rect, CBrush* brush) = 0;
    // The ellipse inscribed in the rectangle, outlined with the current pen and
    // filled with the current brush.
    virtual BOOL Ellipse(const RECT& rect) = 0;
};
