#pragma once
// Portable: the pieces of rules.ini's profile format that reading it and editing it in place
// share, so that both see the same lines, sections and keys.

#include <cstddef>
#include <string>
#include <string_view>

namespace glaze::rulesyntax {

inline constexpr std::wstring_view Blanks = L" \t";

inline std::wstring_view Trimmed(std::wstring_view text) {
    const size_t first = text.find_first_not_of(Blanks);
    if (first == std::wstring_view::npos) {
        return {};
    }
    return text.substr(first, text.find_last_not_of(Blanks) - first + 1);
}

// A value loses one pair of enclosing quotes, which keep its outer blanks.
inline std::wstring_view Unquoted(std::wstring_view value) {
    if (value.size() >= 2 && (value.front() == L'"' || value.front() == L'\'') &&
        value.back() == value.front()) {
        return value.substr(1, value.size() - 2);
    }
    return value;
}

// Section and key names are read without case (Latin letters).
inline std::wstring Upper(std::wstring_view name) {
    std::wstring upper(name);
    for (wchar_t& c : upper) {
        if (c >= L'a' && c <= L'z') {
            c = static_cast<wchar_t>(c - L'a' + L'A');
        }
    }
    return upper;
}

inline bool IsComment(std::wstring_view trimmedLine) {
    return trimmedLine.empty() || trimmedLine.front() == L';' || trimmedLine.front() == L'#';
}

// The upper-case name of a section line ("[ Rule1 ]" gives "RULE1"); empty when the line opens
// no section, and the text "[" when its "]" is missing.
inline std::wstring SectionName(std::wstring_view trimmedLine) {
    if (trimmedLine.empty() || trimmedLine.front() != L'[') {
        return {};
    }
    if (!trimmedLine.ends_with(L']')) {
        return L"[";
    }
    return Upper(Trimmed(trimmedLine.substr(1, trimmedLine.size() - 2)));
}

// The upper-case key of a key line; empty when the line has no "=" or no key.
inline std::wstring KeyName(std::wstring_view trimmedLine) {
    const size_t equals = trimmedLine.find(L'=');
    return equals == std::wstring_view::npos ? std::wstring()
                                             : Upper(Trimmed(trimmedLine.substr(0, equals)));
}

// A value as written after "=": quoted when its outer blanks or quotes would otherwise be lost;
// a line break inside becomes a blank, as a value is one line.
inline std::wstring ValueText(std::wstring_view value) {
    std::wstring clean(value);
    for (wchar_t& c : clean) {
        if (c == L'\r' || c == L'\n') {
            c = L' ';
        }
    }
    const bool quote = !clean.empty() && (clean != Trimmed(clean) || clean != Unquoted(clean));
    return quote ? L"\"" + clean + L"\"" : clean;
}

// Calls line(text, end) for each line of the text; a line ends in CR LF, LF or a lone CR, and
// the last one in nothing.
template <typename Visit> void ForEachLine(std::wstring_view text, Visit line) {
    size_t start = 0;
    while (start < text.size()) {
        size_t end = text.find_first_of(L"\r\n", start);
        if (end == std::wstring_view::npos) {
            end = text.size();
        }
        const size_t endLength = text.substr(end).starts_with(L"\r\n") ? 2
                                 : end < text.size()                   ? 1
                                                                       : 0;
        line(text.substr(start, end - start), text.substr(end, endLength));
        start = end + endLength;
    }
}

} // namespace glaze::rulesyntax
