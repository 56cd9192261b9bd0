#include "settings/ProfileNumber.h"

#include "platform/Rounding.h"

#include <cstdlib>
#include <string>

namespace glaze {
namespace {

bool IsSkippedBlank(wchar_t c) {
    return c == L' ' || c == L'\t' || c == L'\n' || c == L'\r';
}
bool IsDigit(wchar_t c) {
    return c >= L'0' && c <= L'9';
}

// Collects the leading number as plain ASCII ("-12.5e3"), leaving out the blanks inside it.
std::string LeadingNumber(std::wstring_view text) {
    std::string number;
    size_t i = 0;
    auto skipBlanks = [&] {
        while (i < text.size() && IsSkippedBlank(text[i])) {
            ++i;
        }
    };
    auto takeDigits = [&] {
        bool any = false;
        for (skipBlanks(); i < text.size() && IsDigit(text[i]); skipBlanks()) {
            number += static_cast<char>(text[i++]);
            any = true;
        }
        return any;
    };

    skipBlanks();
    if (i < text.size() && (text[i] == L'+' || text[i] == L'-')) {
        number += static_cast<char>(text[i++]);
    }
    bool digits = takeDigits();
    if (i < text.size() && text[i] == L'.') {
        ++i;
        number += '.';
        digits = takeDigits() || digits;
    }
    if (!digits) {
        return {};
    }
    // An exponent counts only when digits follow it; otherwise the number ends before it.
    if (i < text.size() &&
        (text[i] == L'e' || text[i] == L'E' || text[i] == L'd' || text[i] == L'D')) {
        const size_t mark = i;
        const size_t kept = number.size();
        ++i;
        number += 'e';
        skipBlanks();
        if (i < text.size() && (text[i] == L'+' || text[i] == L'-')) {
            number += static_cast<char>(text[i++]);
        }
        if (!takeDigits()) {
            number.resize(kept);
            i = mark;
        }
    }
    return number;
}

} // namespace

std::optional<int32_t> TryProfileNumber(std::wstring_view text) {
    const std::string number = LeadingNumber(text);
    if (number.empty()) {
        return 0;
    }
    return RoundHalfEven(std::strtod(number.c_str(), nullptr));
}

int32_t ProfileNumber(std::wstring_view text) {
    return TryProfileNumber(text).value_or(0);
}

} // namespace glaze
