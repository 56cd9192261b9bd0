#pragma once
// Portable: a text file's bytes as text and back, in the forms people's editors save: UTF-16
// with its byte-order mark, UTF-8 with or without the mark, or else the system's ANSI code page
// (which the caller converts, as only the platform knows it).

#include <cstddef>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace glaze {

enum class TextForm {
    Ascii, // nothing but ASCII: the same in UTF-8 and in any ANSI code page
    Ansi,
    Utf8,
    Utf8WithMark,
    Utf16Le, // with its mark
    Utf16Be, // with its mark
};

// The ANSI code page's conversions: the text of some bytes, and the bytes of a text, nothing
// when the code page has no bytes for some of its characters.
using FromAnsiFunction = std::function<std::wstring(std::string_view)>;
using ToAnsiFunction = std::function<std::optional<std::string>(std::wstring_view)>;

struct FileText {
    TextForm Form = TextForm::Ascii;
    std::wstring Text; // without the mark
    // The lines (1-based, in order, the first MostBadLines of them) holding bytes that are no
    // text in the file's form, read as U+FFFD; and how many lines do in all.
    std::vector<size_t> BadLines;
    size_t BadLineCount = 0;
    static constexpr size_t MostBadLines = 100;
};

// A byte-order mark decides; without one, bytes that are valid UTF-8 and not all ASCII are
// UTF-8, and any others are in the ANSI code page.
FileText ReadFileText(std::string_view bytes, const FromAnsiFunction& fromAnsi);

struct FileBytes {
    TextForm Form = TextForm::Utf8WithMark; // the form written
    std::string Bytes;
};

// The bytes of the text in the form it was read in. Text that the form cannot hold (an ASCII
// file that is given other characters, an ANSI file given characters its code page lacks) is
// written as a new file is: UTF-8 with its mark, which the program and Notepad read back
// exactly, whatever the system's code page.
FileBytes WriteFileText(std::wstring_view text, TextForm form, const ToAnsiFunction& toAnsi);

} // namespace glaze
