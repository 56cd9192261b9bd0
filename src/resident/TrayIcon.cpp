#include "resident/TrayIcon.h"

#include "res/resource.h"

#include <algorithm>

namespace glaze {
namespace {

constexpr UINT IconId = 1;

// Copies as much of the text as the fixed field holds, always ending it.
template <size_t N> void CopyInto(wchar_t (&field)[N], const std::wstring& text) {
    const size_t length = std::min(text.size(), N - 1);
    std::copy_n(text.data(), length, field);
    field[length] = L'\0';
}

} // namespace

TrayIcon::TrayIcon(HWND window, UINT callbackMessage)
    : window_(window), callbackMessage_(callbackMessage),
      icon_(static_cast<HICON>(LoadImageW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(IDI_GLAZE),
                                          IMAGE_ICON, GetSystemMetrics(SM_CXSMICON),
                                          GetSystemMetrics(SM_CYSMICON), LR_SHARED))) {}

TrayIcon::~TrayIcon() {
    NOTIFYICONDATAW data = Data();
    Shell_NotifyIconW(NIM_DELETE, &data);
}

NOTIFYICONDATAW TrayIcon::Data() const {
    NOTIFYICONDATAW data{};
    data.cbSize = sizeof data;
    data.hWnd = window_;
    data.uID = IconId;
    return data;
}

bool TrayIcon::Show() {
    NOTIFYICONDATAW data = Data();
    data.uFlags = NIF_ICON | NIF_MESSAGE | NIF_TIP;
    data.uCallbackMessage = callbackMessage_;
    data.hIcon = icon_;
    CopyInto(data.szTip, Tip());
    return Shell_NotifyIconW(NIM_MODIFY, &data) || Shell_NotifyIconW(NIM_ADD, &data);
}

void TrayIcon::SetStatus(const std::wstring& status) {
    status_ = status;
    ShowTip();
}

void TrayIcon::Say(const std::wstring& note) {
    note_ = note;
    NOTIFYICONDATAW data = Data();
    data.uFlags = NIF_INFO;
    data.dwInfoFlags = NIIF_INFO;
    CopyInto(data.szInfoTitle, std::wstring(L"glaze"));
    CopyInto(data.szInfo, note_);
    Shell_NotifyIconW(NIM_MODIFY, &data);
    ShowTip();
}

std::wstring TrayIcon::Tip() const {
    return note_.empty() ? status_ : status_ + L"\n" + note_;
}

void TrayIcon::ShowTip() {
    NOTIFYICONDATAW data = Data();
    data.uFlags = NIF_TIP;
    CopyInto(data.szTip, Tip());
    Shell_NotifyIconW(NIM_MODIFY, &data);
}

} // namespace glaze
