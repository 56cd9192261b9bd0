#include "panel/SkinList.h"

#include "platform/AnsiText.h"
#include "platform/Scoped.h"
#include "settings/SkinIni.h"

namespace glaze {

void FillSkinList(HWND combo, std::wstring_view appDir) {
    SendMessageA(combo, CB_RESETCONTENT, 0, 0);
    WIN32_FIND_DATAA found{};
    const ScopedFind search(FindFirstFileA(ToAnsi(SkinDirOf(appDir, L"*")).c_str(), &found));
    if (!search) {
        return;
    }
    do {
        const std::wstring name = FromAnsi(found.cFileName);
        // The list sorts its entries itself.
        if ((found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0 && name != L"." &&
            name != L".." && IsSkinDirectory(SkinDirOf(appDir, name))) {
            SendMessageA(combo, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(ToAnsi(name).c_str()));
        }
    } while (FindNextFileA(search, &found));
}

std::vector<std::wstring> SkinListNames(HWND combo) {
    std::vector<std::wstring> names;
    const auto count = static_cast<int>(SendMessageA(combo, CB_GETCOUNT, 0, 0));
    for (int i = 0; i < count; ++i) {
        names.push_back(ListEntryText(combo, CB_GETLBTEXTLEN, CB_GETLBTEXT, i));
    }
    return names;
}

std::optional<int32_t> SkinListIndexOf(HWND combo, std::wstring_view name) {
    const auto index =
        static_cast<int32_t>(SendMessageA(combo, CB_FINDSTRINGEXACT, static_cast<WPARAM>(-1),
                                          reinterpret_cast<LPARAM>(ToAnsi(name).c_str())));
    if (index == CB_ERR) {
        return std::nullopt;
    }
    return index;
}

} // namespace glaze
