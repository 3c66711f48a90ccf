// TImage: the picture's rectangle and its painting.
#include "framework/controls/image.h"

#include "framework/core/class_info.h"

const TClassInfo& TImage::StaticClass()
{
    static const TClassInfo info =
        TClassBuilder<TImage, TGraphicControl>("TImage")
            .Property("AutoSize", &TImage::AutoSize, &TImage::SetAutoSize)
            .Property("Center", &TImage::Center, &TImage::SetCenter)
            .Property("Picture", &TImage::Picture, nullptr)
            .Property("Proportional", &TImage::Proportional, &TImage::SetProportional)
            .Property("Stretch", &TImage::Stretch, &TImage::SetStretch)
            .Property("Transparent", &TImage::Transparent, &TImage::SetTransparent)
            .Build();
    return info;
}

TImage::TImage(TComponent* owner) : TGraphicControl(owner), picture_(std::make_unique<TPicture>())
{
    picture_->OnChange = TNotifyEvent(this, &TImage::PictureChanged);
    SetBounds(left_, top_, 105, 105);
}

TImage::~TImage() = default;

void TImage::SetOption(bool& option, bool value)
{
    if (value == option)
        return;
    option = value;
    Invalidate();
}

void TImage::SetStretch(bool value) { SetOption(stretch_, value); }

void TImage::SetProportional(bool value) { SetOption(proportional_, value); }

void TImage::SetCenter(bool value) { SetOption(center_, value); }

RECT TImage::DestRect() const
{
    int w = picture_->Width(), h = picture_->Height();
    int cw = ClientWidth(), ch = ClientHeight();
    if (stretch_ || (proportional_ && (w > cw || h > ch))) {
        if (proportional_ && w > 0 && h > 0) {
            double aspect = static_cast<double>(w) / h;
            if (w > h) {
                w = cw;
                h = static_cast<int>(cw / aspect);
                if (h > ch) {
                    h = ch;
                    w = static_cast<int>(ch * aspect);
                }
            } else {
                h = ch;
                w = static_cast<int>(ch * aspect);
                if (w > cw) {
                    w = cw;
                    h = static_cast<int>(cw / aspect);
                }
            }
        } else {
            w = cw;
            h = ch;
        }
    }
    RECT rect{0, 0, w, h};
    if (center_) {
        int dx = (cw - w) / 2, dy = (ch - h) / 2;
        rect = {dx, dy, dx + w, dy + h};
    }
    return rect;
}

void TImage::Paint()
{
    if (TGraphic* graphic = picture_->Graphic(); graphic && !graphic->Empty())
        graphic->Draw(*Canvas(), DestRect());
}

void TImage::PictureChanged(TObject*)
{
    if (AutoSize() && picture_->Width() > 0 && picture_->Height() > 0)
        SetBounds(left_, top_, picture_->Width(), picture_->Height());
    Invalidate();
}
