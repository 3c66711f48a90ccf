// TScreenCanvas: a canvas on the screen's device context, for measuring text as it will show.
#pragma once

#include "framework/graphics/canvas.h"

class TScreenCanvas : public TCanvas {
    DECLARE_CLASS(TScreenCanvas)
public:
    // Takes the screen's device context for the canvas's life.
    TScreenCanvas();
    ~TScreenCanvas() override;

private:
    HDC dc_;
};
