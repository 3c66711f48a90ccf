// Byte offsets of the units of an edit window that keeps UTF-16. A position converts by walking the
// window's text from the nearest remembered offset; what was walked stays remembered until the text
// changes at or before it.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

#include "framework/controls/edit_text_codec.h"

class TEditPositionMap {
public:
    // Where the map reads the window's text.
    class TSource {
    public:
        virtual std::size_t UnitCount() = 0;
        // The first `count` units (count <= UnitCount()).
        virtual std::wstring FirstUnits(std::size_t count) = 0;

    protected:
        ~TSource() = default;
    };

    // The byte offset of unit `unit` (the end of the text at most).
    std::size_t BytesBefore(std::size_t unit, TSource& source);
    // The unit at byte offset `bytes`; an offset inside a double-byte character gives that character's unit.
    std::size_t UnitAt(std::size_t bytes, TSource& source);
    std::size_t TotalBytes(TSource& source) { return BytesBefore(source.UnitCount(), source); }

    // The window now holds exactly `text`.
    void Adopt(edittext::TEncodedText&& text);
    // Units [from, to) of the window's text are now `units`.
    void Replaced(std::size_t from, std::size_t to, std::wstring_view units);

    // What the map knows, taken out while the window changes its text, so that nothing asked meanwhile
    // is answered from the old text.
    struct TKept {
        std::wstring units;
        std::vector<std::size_t> checkpoints;
        bool whole = false;
    };
    TKept TakeOut();
    // Puts back what was taken out, unless the map read the text anew meanwhile: false then.
    bool PutBack(TKept&& kept);
    // The text may have changed from unit `unit` on.
    void ChangedFrom(std::size_t unit);
    void Forget() { ChangedFrom(0); }

private:
    // Makes the remembered units reach `unit` (or the end of the text).
    void Reach(std::size_t unit, TSource& source);
    // Walks on from the last checkpoint at or before `unit`, remembering the checkpoints passed.
    std::size_t Walk(std::size_t fromCheckpoint, std::size_t toUnit);

    std::wstring units_;  // the first units of the window's text, as they are now
    bool whole_ = false;  // units_ is the whole text
    // Bytes before unit i * kCheckpointSpacing, within units_; the first (0 before unit 0) is always there.
    std::vector<std::size_t> checkpoints_{0};
};
