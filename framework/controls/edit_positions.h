// Byte offsets of the units of an edit window that keeps UTF-16. The map remembers the window's text
// in blocks that know their bytes, read from the window as far as a question needs and brought up to
// date by each edit whose change is known, so a position near an edit costs work near the edit.
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
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
    std::size_t TotalBytes(TSource& source) { return BytesBefore(UnitCount(source), source); }
    // The units of the window's text, known without asking the window (which counts them anew after
    // each change, walking its whole text) where the map holds it all.
    std::size_t UnitCount(TSource& source) { return map_.whole ? map_.known : source.UnitCount(); }
    // Units [from, to) of the window's text.
    std::wstring Units(std::size_t from, std::size_t to, TSource& source);
    // The start of the line holding unit `unit`, and the end (its LF or the end of the text) of the
    // line holding unit `unit`.
    std::size_t LineStart(std::size_t unit, TSource& source);
    std::size_t LineEnd(std::size_t unit, TSource& source);
    // The sum of the squared lengths of the text's lines (see TTextShape).
    std::uint64_t SquaredLines(TSource& source);

    // The window now holds exactly `text`.
    void Adopt(edittext::TEncodedText&& text);
    // Units [from, to) of the window's text are now `units`.
    void Replaced(std::size_t from, std::size_t to, std::wstring_view units);

    struct TBlock {
        std::wstring units;
        std::size_t bytes = 0;
    };
    // What the map knows, taken out while the window changes its text, so that nothing asked meanwhile
    // is answered from the old text.
    struct TKept {
        std::vector<TBlock> blocks;
        std::size_t known = 0;
        bool whole = false;
        std::optional<std::uint64_t> squared;
    };
    TKept TakeOut();
    // Puts back what was taken out, unless the map read the text anew meanwhile: false then.
    bool PutBack(TKept&& kept);
    // The text may have changed from unit `unit` on.
    void ChangedFrom(std::size_t unit);
    void Forget() { ChangedFrom(0); }

private:
    // Where unit `unit` (at most known_) lies: its block (blocks_.size() at the end) and what comes before.
    struct TPlace {
        std::size_t block = 0, unitsBefore = 0, bytesBefore = 0;
    };
    TPlace Find(std::size_t unit) const;
    // Makes the remembered units reach `unit` (or the end of the text).
    void Reach(std::size_t unit, TSource& source);
    void Append(std::wstring_view units);
    // Units [from, to) of what is known.
    std::wstring Read(std::size_t from, std::size_t to) const;

    TKept map_;  // the first units of the window's text, as they are now
};
