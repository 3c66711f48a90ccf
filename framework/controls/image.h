// TImage: a control without a window that draws its picture, at its own size from the top left, or
// stretched to the control (keeping its proportions on request), and centred on request.
#pragma once

#include <memory>

#include "framework/controls/graphic_control.h"
#include "framework/graphics/picture.h"

class TImage : public TGraphicControl {
    DECLARE_CLASS(TImage)
public:
    explicit TImage(TComponent* owner);
    ~TImage() override;

    TPicture* Picture() const { return picture_.get(); }
    bool Stretch() const { return stretch_; }
    void SetStretch(bool value);
    // Stretched, or larger than the control: the largest rectangle of the picture's proportions.
    bool Proportional() const { return proportional_; }
    void SetProportional(bool value);
    bool Center() const { return center_; }
    void SetCenter(bool value);
    // Kept for form resources; an icon draws over what lies under it whatever this says.
    bool Transparent() const { return transparent_; }
    void SetTransparent(bool value) { transparent_ = value; }

    // Where the picture goes in the control's client area.
    RECT DestRect() const;

protected:
    void Paint() override;

private:
    void PictureChanged(TObject* sender);
    void SetOption(bool& option, bool value);

    std::unique_ptr<TPicture> picture_;
    bool stretch_ = false;
    bool proportional_ = false;
    bool center_ = false;
    bool transparent_ = false;
};
