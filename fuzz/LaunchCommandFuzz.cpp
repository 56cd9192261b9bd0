// The argument-text grammar on any text, and the panel's command line read back by the frame it
// starts: a line is launched exactly when it reads back as meant, and refused only for a skin
// index without a letter, skin 49 (the letter q) without the close option, a title that
// names one of the program's own windows, or one that starts with blanks (the new process
// reads its arguments from the first character after them).

#include "FuzzInput.h"
#include "lifecycle/ArgumentText.h"
#include "lifecycle/Captions.h"
#include "lifecycle/CommandLine.h"
#include "panel/LaunchCommand.h"

using namespace glaze;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    fuzz::FuzzInput input(data, size);
    const int32_t styleIndex = static_cast<int8_t>(input.Byte());
    const int32_t closeOption = input.Byte() % 3;
    const std::wstring title = input.Text();
    const auto code = [](wchar_t c) { return static_cast<int32_t>(c); };

    // Any text as a whole command line and as an argument text.
    (void)ParseArgumentText(ArgumentTextOf(title), code);

    const auto line = FrameCommandLine(L"C:\\glaze\\glaze.exe", title, styleIndex, closeOption);
    const bool refusable = styleIndex < 0 || styleIndex > 62 ||
                           (styleIndex == 48 && closeOption != 1) ||
                           EndsWithTitleMarker(TrimBlanks(title)) ||
                           (!title.empty() && (title[0] == L' ' || title[0] == L'\t'));
    fuzz::Require(line.has_value() != refusable);
    if (line) {
        const auto read = ParseArgumentText(ArgumentTextOf(*line), code);
        fuzz::Require(read && read->Title == title && read->StyleIndex == styleIndex &&
                      read->QuitFlag == (closeOption == 1 ? 1 : 0));
    }
    return 0;
}
