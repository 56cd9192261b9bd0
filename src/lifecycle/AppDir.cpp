#include "lifecycle/AppDir.h"

namespace glaze {

std::wstring AppDirOfExecutable(std::wstring_view executablePath) {
    const size_t slash = executablePath.find_last_of(L"\\/");
    if (slash == std::wstring_view::npos) {
        return {};
    }
    std::wstring dir(executablePath.substr(0, slash));
    // A drive root is written with its backslash ("C:\"); any longer directory gets one appended.
    if (dir.size() <= 2) {
        dir += L'\\';
    }
    if (dir.size() > 3) {
        dir += L'\\';
    }
    return dir;
}

} // namespace glaze
