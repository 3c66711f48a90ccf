// Hotkey markers in captions and the automatic assignment of free hotkeys among siblings.
#include "framework/menus/hotkeys.h"

#include <algorithm>

#include "framework/core/double_byte.h"
#include "platform/locale.h"

namespace {

constexpr std::string_view kHotkeyCharacters = "1234567890ABCDEFGHIJKLMNOPQRSTUVWXYZ";

char AsciiUpper(char c) { return c >= 'a' && c <= 'z' ? static_cast<char>(c - 'a' + 'A') : c; }

bool HasDoubleByte(std::string_view text)
{
    for (std::size_t at = 0; at < text.size(); at = dbcs::NextChar(text, at))
        if (dbcs::CharLength(text, at) == 2)
            return true;
    return false;
}

bool EndsWithDots(std::string_view text)
{
    return text.size() >= 3 && text.substr(text.size() - 3) == "..." && dbcs::IsCharBoundary(text, text.size() - 3);
}

// The first single-byte character of `caption` whose upper-case form is in `available`, or npos.
std::size_t FirstAvailable(std::string_view caption, std::string_view available)
{
    for (std::size_t at = 0; at < caption.size(); at = dbcs::NextChar(caption, at))
        if (dbcs::CharLength(caption, at) == 1 && available.find(AsciiUpper(caption[at])) != std::string_view::npos)
            return at;
    return std::string_view::npos;
}

}  // namespace

std::string HotkeyOf(std::string_view caption)
{
    std::string result;
    std::size_t at = 0;
    while (at < caption.size()) {
        if (caption[at] == '&' && dbcs::CharLength(caption, at) == 1) {
            std::size_t next = at + 1;
            if (next >= caption.size())
                break;
            if (caption[next] != '&')
                result = std::string(caption.substr(next, dbcs::CharLength(caption, next)));
            at = dbcs::NextChar(caption, next);  // "&&" is skipped as a pair
            continue;
        }
        at = dbcs::NextChar(caption, at);
    }
    return result;
}

std::string RemoveHotkey(std::string_view caption, bool farEast)
{
    std::string result;
    std::size_t at = 0;
    while (at < caption.size()) {
        std::size_t length = dbcs::CharLength(caption, at);
        if (length != 1 || caption[at] != '&') {
            result.append(caption.substr(at, length));
            at += length;
            continue;
        }
        std::size_t next = at + 1;
        if (next < caption.size() && caption[next] == '&') {
            result.append("&&");  // a literal ampersand, not a marker: it stays as written
            at = next + 1;
            continue;
        }
        if (farEast && !result.empty() && result.back() == '(' && dbcs::IsCharBoundary(result, result.size() - 1) &&
            next < caption.size()) {
            std::size_t close = dbcs::NextChar(caption, next);
            if (close < caption.size() && caption[close] == ')') {
                result.pop_back();  // "(&X)" goes whole
                at = close + 1;
                continue;
            }
        }
        // The marker goes; the character after it stays.
        if (next < caption.size())
            result.append(caption.substr(next, dbcs::CharLength(caption, next)));
        at = dbcs::NextChar(caption, next);
    }
    return result;
}

std::string ShownCaption(std::string_view caption, bool farEast)
{
    std::string kept = RemoveHotkey(caption, farEast), shown;
    std::size_t from = 0;
    for (std::size_t at; (at = dbcs::FindChar(kept, '&', from)) != dbcs::npos; from = at + 2)
        shown.append(kept, from, at + 1 - from);  // only pairs are left: the second "&" goes
    shown.append(kept, std::min(from, kept.size()));
    return shown;
}

bool SameCaption(std::string_view a, std::string_view b, bool farEast)
{
    return platform::CompareAnsi(RemoveHotkey(a, farEast), RemoveHotkey(b, farEast), true) == 0;
}

std::string MarkHotkeyFarEast(std::string caption, char key, std::size_t position)
{
    if (HasDoubleByte(caption)) {
        std::string mark = std::string("(&") + AsciiUpper(key) + ")";
        caption.insert(EndsWithDots(caption) ? caption.size() - 3 : caption.size(), mark);
    } else if (position != std::string::npos) {
        caption.insert(position, "&");
    }
    return caption;
}

bool AssignAutomaticHotkeys(std::vector<std::string>& captions, bool farEast)
{
    std::string available(kHotkeyCharacters);
    // Candidates run from the last entry to the first, as the attempts walk them from the end.
    std::vector<std::size_t> candidates;
    for (std::size_t i = 0; i < captions.size(); ++i) {
        std::string key = platform::UpperAnsi(HotkeyOf(captions[i]));
        if (key.empty()) {
            candidates.insert(candidates.begin(), i);
        } else if (key.size() == 1 && kHotkeyCharacters.find(key[0]) != std::string_view::npos) {
            std::size_t free = available.find(key[0]);
            if (free == std::string::npos) {
                captions[i] = RemoveHotkey(captions[i], farEast);
                candidates.insert(candidates.begin(), i);
            } else {
                available.erase(free, 1);
            }
        }
    }
    if (candidates.empty())
        return false;

    struct Result {
        std::size_t index;
        std::string caption;
    };
    const std::string startSet = available;
    std::vector<Result> best;
    std::size_t bestAssigned = 0;
    std::string bestSet = startSet;
    for (std::size_t attempt = 0; attempt < candidates.size(); ++attempt) {
        std::string set = startSet;
        std::vector<Result> assigned;
        std::vector<std::size_t> unassigned;
        for (auto it = candidates.rbegin(); it != candidates.rend(); ++it) {
            const std::string& caption = captions[*it];
            std::size_t at = FirstAvailable(caption, set);
            if (at == std::string::npos) {
                unassigned.push_back(*it);
                continue;
            }
            char key = AsciiUpper(caption[at]);
            set.erase(set.find(key), 1);
            std::string marked = farEast ? MarkHotkeyFarEast(caption, key, at) : std::string(caption).insert(at, "&");
            assigned.push_back({*it, std::move(marked)});
        }
        if (assigned.size() > bestAssigned) {
            bestAssigned = assigned.size();
            best = assigned;
            for (std::size_t index : unassigned)
                best.push_back({index, captions[index]});
            bestSet = set;
        }
        if (unassigned.empty())
            break;
        // The ones that found nothing go to the end of the list, so the next attempt serves them first.
        std::stable_partition(candidates.begin(), candidates.end(), [&](std::size_t index) {
            return std::find(unassigned.begin(), unassigned.end(), index) == unassigned.end();
        });
    }
    if (bestAssigned == 0)
        for (auto it = candidates.rbegin(); it != candidates.rend(); ++it)
            best.push_back({*it, captions[*it]});

    if (farEast) {
        for (Result& r : best) {
            if (bestSet.empty())
                break;
            if (dbcs::FindChar(r.caption, '&') != dbcs::npos)
                continue;
            r.caption = MarkHotkeyFarEast(r.caption, bestSet.back(), std::string::npos);
            bestSet.pop_back();
        }
    }
    for (Result& r : best)
        captions[r.index] = std::move(r.caption);
    return true;
}
