#include "resident/FileText.h"

#include <algorithm>
#include <cstdint>

namespace glaze {
namespace {

constexpr std::string_view Utf8Mark = "\xEF\xBB\xBF";
constexpr std::string_view Utf16LeMark = "\xFF\xFE";
constexpr std::string_view Utf16BeMark = "\xFE\xFF";
constexpr char32_t Replacement = 0xFFFD;

// A wchar_t is a UTF-16 unit on Windows and a whole code point elsewhere (the native tests).
constexpr bool WideIsUtf16 = sizeof(wchar_t) == 2;

bool IsSurrogate(char32_t c) {
    return c >= 0xD800 && c <= 0xDFFF;
}

void AppendCodePoint(std::wstring& text, char32_t c) {
    if (WideIsUtf16 && c > 0xFFFF) {
        c -= 0x10000;
        text += static_cast<wchar_t>(0xD800 + (c >> 10));
        text += static_cast<wchar_t>(0xDC00 + (c & 0x3FF));
    } else {
        text += static_cast<wchar_t>(c);
    }
}

// Builds the text, counting its lines as the rules reader does (CR LF, LF or a lone CR end a
// line), to name the lines that held bytes of no character.
class TextBuilder {
public:
    explicit TextBuilder(FileText& file) : file_(file) {}

    void Add(char32_t c) {
        if (c == U'\r' || (c == U'\n' && last_ != U'\r')) {
            ++line_;
        }
        last_ = c;
        AppendCodePoint(file_.Text, c);
    }
    void AddBad() {
        if (line_ != lastBadLine_) {
            lastBadLine_ = line_;
            ++file_.BadLineCount;
            if (file_.BadLines.size() < FileText::MostBadLines) {
                file_.BadLines.push_back(line_);
            }
        }
        Add(Replacement);
    }

private:
    FileText& file_;
    size_t line_ = 1;
    size_t lastBadLine_ = 0;
    char32_t last_ = 0;
};

// The length of the valid UTF-8 sequence at the start of the bytes, 0 when there is none.
size_t Utf8SequenceAt(std::string_view bytes, char32_t& c) {
    const auto byte = [&](size_t i) { return static_cast<unsigned char>(bytes[i]); };
    const unsigned char lead = byte(0);
    if (lead < 0x80) {
        c = lead;
        return 1;
    }
    size_t length = 0;
    unsigned char low = 0x80;
    unsigned char high = 0xBF; // the bounds of the second byte: no overlong forms, no surrogates
    if (lead >= 0xC2 && lead <= 0xDF) {
        length = 2;
    } else if (lead >= 0xE0 && lead <= 0xEF) {
        length = 3;
        low = lead == 0xE0 ? 0xA0 : 0x80;
        high = lead == 0xED ? 0x9F : 0xBF;
    } else if (lead >= 0xF0 && lead <= 0xF4) {
        length = 4;
        low = lead == 0xF0 ? 0x90 : 0x80;
        high = lead == 0xF4 ? 0x8F : 0xBF;
    } else {
        return 0;
    }
    if (bytes.size() < length || byte(1) < low || byte(1) > high) {
        return 0;
    }
    c = lead & (0x7F >> length);
    for (size_t i = 1; i < length; ++i) {
        if ((byte(i) & 0xC0) != 0x80) {
            return 0;
        }
        c = (c << 6) | (byte(i) & 0x3F);
    }
    return length;
}

void ReadUtf8(std::string_view bytes, TextBuilder& text) {
    while (!bytes.empty()) {
        char32_t c = 0;
        const size_t length = Utf8SequenceAt(bytes, c);
        if (length == 0) {
            text.AddBad();
            bytes.remove_prefix(1);
        } else {
            text.Add(c);
            bytes.remove_prefix(length);
        }
    }
}

bool IsUtf8(std::string_view bytes) {
    while (!bytes.empty()) {
        char32_t c = 0;
        const size_t length = Utf8SequenceAt(bytes, c);
        if (length == 0) {
            return false;
        }
        bytes.remove_prefix(length);
    }
    return true;
}

void ReadUtf16(std::string_view bytes, bool bigEndian, TextBuilder& text) {
    const auto unitAt = [&](size_t i) -> char32_t {
        const auto first = static_cast<char32_t>(static_cast<unsigned char>(bytes[i]));
        const auto second = static_cast<char32_t>(static_cast<unsigned char>(bytes[i + 1]));
        return bigEndian ? (first << 8) | second : (second << 8) | first;
    };
    size_t i = 0;
    for (; i + 1 < bytes.size(); i += 2) {
        const char32_t unit = unitAt(i);
        if (!IsSurrogate(unit)) {
            text.Add(unit);
            continue;
        }
        const char32_t next = i + 3 < bytes.size() ? unitAt(i + 2) : 0;
        if (unit <= 0xDBFF && next >= 0xDC00 && next <= 0xDFFF) {
            text.Add(0x10000 + ((unit - 0xD800) << 10) + (next - 0xDC00));
            i += 2;
        } else {
            text.AddBad(); // half of a pair
        }
    }
    if (i < bytes.size()) {
        text.AddBad(); // half of a unit
    }
}

// The code points of the text; a surrogate without its other half is no character.
template <typename Visit> void ForEachCodePoint(std::wstring_view text, Visit visit) {
    for (size_t i = 0; i < text.size(); ++i) {
        auto c = static_cast<char32_t>(text[i]);
        if (WideIsUtf16 && c >= 0xD800 && c <= 0xDBFF && i + 1 < text.size() &&
            text[i + 1] >= 0xDC00 && text[i + 1] <= 0xDFFF) {
            c = 0x10000 + ((c - 0xD800) << 10) + (static_cast<char32_t>(text[++i]) - 0xDC00);
        } else if (IsSurrogate(c) || c > 0x10FFFF) {
            c = Replacement;
        }
        visit(c);
    }
}

std::string Utf8Of(std::wstring_view text) {
    std::string bytes;
    ForEachCodePoint(text, [&](char32_t c) {
        if (c < 0x80) {
            bytes += static_cast<char>(c);
            return;
        }
        const size_t length = c < 0x800 ? 2 : c < 0x10000 ? 3 : 4;
        const unsigned char leads[] = {0, 0, 0xC0, 0xE0, 0xF0};
        bytes += static_cast<char>(leads[length] | (c >> (6 * (length - 1))));
        for (size_t i = length - 1; i > 0; --i) {
            bytes += static_cast<char>(0x80 | ((c >> (6 * (i - 1))) & 0x3F));
        }
    });
    return bytes;
}

std::string Utf16Of(std::wstring_view text, bool bigEndian) {
    std::string bytes;
    const auto addUnit = [&](char32_t unit) {
        const auto high = static_cast<char>(unit >> 8);
        const auto low = static_cast<char>(unit & 0xFF);
        bytes += bigEndian ? high : low;
        bytes += bigEndian ? low : high;
    };
    ForEachCodePoint(text, [&](char32_t c) {
        if (c > 0xFFFF) {
            addUnit(0xD800 + ((c - 0x10000) >> 10));
            addUnit(0xDC00 + ((c - 0x10000) & 0x3FF));
        } else {
            addUnit(c);
        }
    });
    return bytes;
}

bool IsAscii(std::wstring_view text) {
    return std::all_of(text.begin(), text.end(),
                       [](wchar_t c) { return static_cast<uint32_t>(c) < 0x80; });
}

} // namespace

FileText ReadFileText(std::string_view bytes, const FromAnsiFunction& fromAnsi) {
    FileText file;
    TextBuilder text(file);
    if (bytes.starts_with(Utf16LeMark) || bytes.starts_with(Utf16BeMark)) {
        file.Form = bytes.starts_with(Utf16LeMark) ? TextForm::Utf16Le : TextForm::Utf16Be;
        ReadUtf16(bytes.substr(2), file.Form == TextForm::Utf16Be, text);
    } else if (bytes.starts_with(Utf8Mark)) {
        file.Form = TextForm::Utf8WithMark;
        ReadUtf8(bytes.substr(Utf8Mark.size()), text);
    } else if (std::all_of(bytes.begin(), bytes.end(),
                           [](char b) { return static_cast<unsigned char>(b) < 0x80; })) {
        file.Form = TextForm::Ascii;
        file.Text.assign(bytes.begin(), bytes.end());
    } else if (IsUtf8(bytes)) {
        file.Form = TextForm::Utf8;
        ReadUtf8(bytes, text);
    } else {
        file.Form = TextForm::Ansi;
        file.Text = fromAnsi(bytes);
    }
    return file;
}

FileBytes WriteFileText(std::wstring_view text, TextForm form, const ToAnsiFunction& toAnsi) {
    switch (form) {
    case TextForm::Ascii:
        if (IsAscii(text)) {
            return {form, std::string(text.begin(), text.end())};
        }
        break;
    case TextForm::Ansi:
        if (auto bytes = toAnsi(text)) {
            return {form, std::move(*bytes)};
        }
        break;
    case TextForm::Utf8:
        return {form, Utf8Of(text)};
    case TextForm::Utf8WithMark:
        break;
    case TextForm::Utf16Le:
    case TextForm::Utf16Be:
        return {form, std::string(form == TextForm::Utf16Le ? Utf16LeMark : Utf16BeMark) +
                          Utf16Of(text, form == TextForm::Utf16Be)};
    }
    return {TextForm::Utf8WithMark, std::string(Utf8Mark) + Utf8Of(text)};
}

} // namespace glaze
