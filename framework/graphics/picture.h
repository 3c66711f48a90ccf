// TGraphic, TIcon and TPicture: a picture holds one graphic (an icon here), read from the binary
// data a form resource stores for it, and draws it stretched into a rectangle.
#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>

#include "framework/core/event.h"
#include "framework/core/persistent.h"
#include "framework/graphics/canvas.h"
#include "platform/win32.h"

class TGraphic : public TPersistent {
    DECLARE_CLASS(TGraphic)
public:
    virtual bool Empty() const = 0;
    virtual int Width() const = 0;
    virtual int Height() const = 0;
    // Draws the graphic stretched into `rect` of `canvas`.
    virtual void Draw(TCanvas& canvas, const RECT& rect) const = 0;
    // Takes the graphic from the bytes of its file (EInvalidGraphic when they are damaged).
    virtual void LoadFromData(const std::uint8_t* data, std::size_t size) = 0;

    TNotifyEvent OnChange;

protected:
    void Changed();
};

class TIcon : public TGraphic {
    DECLARE_CLASS(TIcon)
public:
    TIcon() = default;
    ~TIcon() override;
    TIcon(const TIcon&) = delete;
    TIcon& operator=(const TIcon&) = delete;

    HICON Handle() const { return handle_; }
    // Takes `icon`; an owned icon is destroyed with the graphic, a system icon is not.
    void SetHandle(HICON icon, bool owned = true);

    bool Empty() const override { return handle_ == nullptr; }
    int Width() const override { return size_.cx; }
    int Height() const override { return size_.cy; }
    void Draw(TCanvas& canvas, const RECT& rect) const override;
    // An icon file: of its images, the one of the system's icon size with the most colours, else
    // the largest (EInvalidGraphic "アイコン イメージが正しくありません" for a damaged file).
    void LoadFromData(const std::uint8_t* data, std::size_t size) override;
    // Takes a copy of another icon's image (nothing: empty).
    void Assign(const TPersistent* source) override;
    // The stored "Data" is the icon file itself (a form's icon).
    void DefineProperties(TFiler& filer) override;

private:
    void Release();

    HICON handle_ = nullptr;
    bool owned_ = false;
    SIZE size_{0, 0};
};

class TPicture : public TPersistent {
    DECLARE_CLASS(TPicture)
public:
    TPicture();
    ~TPicture() override;

    TGraphic* Graphic() const { return graphic_.get(); }
    void SetGraphic(std::unique_ptr<TGraphic> graphic);
    // The graphic as an icon; a picture holding something else (or nothing) gets an empty icon.
    TIcon* Icon();
    int Width() const { return graphic_ ? graphic_->Width() : 0; }
    int Height() const { return graphic_ ? graphic_->Height() : 0; }

    // The stored "Data": the graphic's class name as a counted string, then its file; a file
    // without the name is known by its first bytes. EInvalidGraphic "サポートされていない画像形式です"
    // for a kind of graphic this program does not draw.
    void LoadFromData(const std::uint8_t* data, std::size_t size);
    void DefineProperties(TFiler& filer) override;

    TNotifyEvent OnChange;

private:
    void GraphicChanged(TObject* sender);

    std::unique_ptr<TGraphic> graphic_;
};
