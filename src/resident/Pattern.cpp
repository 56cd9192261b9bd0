#include "resident/Pattern.h"

namespace glaze {

wchar_t FoldCase(wchar_t c) {
    // ASCII and the Latin-1 capitals (but the multiplication sign): the letters that file
    // systems fold in names people actually type.
    if ((c >= L'A' && c <= L'Z') || (c >= 0xC0 && c <= 0xDE && c != 0xD7)) {
        return static_cast<wchar_t>(c + 0x20);
    }
    return c;
}

bool MatchesPattern(std::wstring_view pattern, std::wstring_view text, bool ignoreCase) {
    const auto same = [ignoreCase](wchar_t p, wchar_t t) {
        return p == L'?' || p == t || (ignoreCase && FoldCase(p) == FoldCase(t));
    };
    // Greedy with one step back to the last star: a later star makes any earlier choice final,
    // so no choice is ever tried twice.
    size_t p = 0;
    size_t t = 0;
    size_t star = std::wstring_view::npos;
    size_t resume = 0;
    while (t < text.size()) {
        if (p < pattern.size() && pattern[p] == L'*') {
            star = p++;
            resume = t;
        } else if (p < pattern.size() && same(pattern[p], text[t])) {
            ++p;
            ++t;
        } else if (star != std::wstring_view::npos) {
            p = star + 1;
            t = ++resume;
        } else {
            return false;
        }
    }
    while (p < pattern.size() && pattern[p] == L'*') {
        ++p;
    }
    return p == pattern.size();
}

} // namespace glaze
