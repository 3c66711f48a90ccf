// TImageList: pictures of one size (16 × 16 unless set otherwise), kept side by side in one strip,
// read from a form resource as one bitmap file ("Bitmap") and drawn normally or greyed out.
// Whoever shows them follows their changes through a change link.
#pragma once

#include <cstdint>
#include <vector>

#include "framework/core/component.h"
#include "framework/core/event.h"
#include "framework/graphics/bitmap_file.h"
#include "platform/win32.h"

class TCustomImageList;

// Tells its owner when the pictures of an image list changed.
class TChangeLink : public TObject {
    DECLARE_CLASS(TChangeLink)
public:
    TChangeLink() = default;
    ~TChangeLink() override;
    TChangeLink(const TChangeLink&) = delete;
    TChangeLink& operator=(const TChangeLink&) = delete;

    TCustomImageList* Sender() const { return sender_; }
    TNotifyEvent OnChange;

private:
    friend class TCustomImageList;
    TCustomImageList* sender_ = nullptr;
};

class TCustomImageList : public TComponent {
    DECLARE_CLASS(TCustomImageList)
public:
    explicit TCustomImageList(TComponent* owner);
    ~TCustomImageList() override;

    // The size of every picture. A new size empties the list (EInvalidOperation "イメージのサイズが
    // 正しくありません" for a size below 1 or above 256).
    int Width() const { return width_; }
    void SetWidth(int value);
    int Height() const { return height_; }
    void SetHeight(int value);

    int Count() const { return count_; }
    // Adds the pictures of `image`, cut from left to right into pieces of the list's size, and answers
    // the index of the first (EInvalidOperation for an image whose size is not a multiple of it).
    int Add(const TPixelImage& image);
    void Delete(int index);
    void Clear();
    // The pixels of one picture (EInvalidOperation "イメージ リストのインデックスが..." for a bad index).
    TPixelImage Image(int index) const;
    // Replaces every picture by the pictures of a bitmap file (see ReadBitmapFile).
    void LoadFromBitmapFile(const std::uint8_t* data, std::size_t size);

    // Draws picture `index` with its top left corner at (x, y), blended over what is there; a
    // disabled picture is drawn grey and faint. A bad index draws nothing.
    void Draw(HDC dc, int x, int y, int index, bool enabled = true) const;

    void RegisterChanges(TChangeLink* link);
    void UnRegisterChanges(TChangeLink* link);
    // The pictures changed: OnChange, then every change link.
    TNotifyEvent OnChange;

    void DefineProperties(TFiler& filer) override;

protected:
    virtual void Change();

private:
    void CheckIndex(int index) const;
    void FreeBitmaps() const;
    HBITMAP BitmapOf(bool enabled) const;

    int width_ = 16;
    int height_ = 16;
    int count_ = 0;
    // The pictures one after another, each Height() rows of Width() pixels (0xAARRGGBB).
    std::vector<std::uint32_t> strip_;
    std::vector<TChangeLink*> links_;
    // The strip made ready for drawing, normal and greyed, on first use.
    mutable HBITMAP normal_ = nullptr;
    mutable HBITMAP disabled_ = nullptr;
};

// Points `slot`, `holder`'s reference to an image list, at `value`; `link` and the free notification
// move along. False when `slot` held `value` already.
bool RelinkImageList(TComponent* holder, TCustomImageList*& slot, TCustomImageList* value, TChangeLink* link);

class TImageList : public TCustomImageList {
    DECLARE_CLASS(TImageList)
public:
    explicit TImageList(TComponent* owner) : TCustomImageList(owner) {}
};
