
#include <memory>
#include "ui/win32/Win32Api.h"

#include "ui/frmAbout.h"
#include "ui/win32/ResourceIds.h"
#include "ui/win32/Win32Controls.h"
#include "ui/win32/Win32Dialogs.h"
#include "ui/win32/Win32Dpi.h"
#include "ui/win32/Win32Text.h"

namespace brannock_win32 {
namespace {

LinkOpener& Opener() {
    static LinkOpener opener = [](const std::string& target) {
        ShellExecuteW(nullptr, L"open", Wide(target).c_str(), nullptr, nullptr, SW_SHOWNORMAL);
    };
    return opener;
}

// A link over a SysLink control: the caption is its text, marked as a link only when it has a
// target, so a link without an address reads as plain text and opens nothing.
class Win32Link : public ILink {
  public:
    explicit Win32Link(HWND hwnd) : m_hwnd(hwnd) {}
    std::string Caption() const override { return m_caption; }
    void SetCaption(const std::string& caption) override {
        m_caption = caption;
        Show();
    }
    std::string Target() const override { return m_target; }
    void SetTarget(const std::string& target) override {
        m_target = target;
        Show();
    }
    HWND Handle() const { return m_hwnd; }

  private:
    void Show() {
        std::wstring text = Escaped(Wide(m_caption));
        if (!m_target.empty())
            text = L"<a>" + text + L"</a>";
        SetWindowTextW(m_hwnd, text.c_str());
    }
    // SysLink reads '<' as the start of markup; a caption shows it as written.
    static std::wstring Escaped(const std::wstring& text) {
        std::wstring out;
        for (wchar_t c : text)
            out += c == L'<' ? std::wstring(L"&lt;") : std::wstring(1, c);
        return out;
    }

    HWND m_hwnd;
    std::string m_caption;
    std::string m_target;
};

class AboutWindow : public IWindow {
  public:
    explicit AboutWindow(HWND dialog)
        : m_dialog(dialog),
          m_description(GetDlgItem(dialog, IDC_ABOUT_DESCRIPTION)),
          m_label1(GetDlgItem(dialog, IDC_ABOUT_LABEL1)),
          m_url1(GetDlgItem(dialog, IDC_ABOUT_URL1)),
          m_email(GetDlgItem(dialog, IDC_ABOUT_EMAIL)),
          m_url2(GetDlgItem(dialog, IDC_ABOUT_URL2)),
          m_disclaimer(GetDlgItem(dialog, IDC_ABOUT_DISCLAIMER)),
          m_form(AboutControls{*this, m_description, m_label1, m_url1, m_email, m_url2,
                               m_disclaimer}) {}
    ~AboutWindow() override {
        for (HICON icon : m_icons)
            DestroyIcon(icon);
    }
    AboutWindow(const AboutWindow&) = delete;
    AboutWindow& operator=(const AboutWindow&) = delete;

    void Load() {
        ShowPictures();
        m_form.Form_Load();
    }
    void OnButton() { m_form.cmdOK_Click(); }
    void OnLink(HWND link) {
        const std::string& target = link == m_url1.Handle() ? m_url1.Target() : m_url2.Target();
        if (!target.empty())
            Opener()(target);
    }

    std::string Caption() const override { return WindowText(m_dialog); }
    void SetCaption(const std::string& caption) override { SetWindowTextUtf8(m_dialog, caption); }
    void Unload() override { EndDialog(m_dialog, IDOK); }

  private:
    HICON Load(int id, int width, int height) {
        auto icon = static_cast<HICON>(LoadImageW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(id),
                                                  IMAGE_ICON, width, height, LR_DEFAULTCOLOR));
        if (icon)
            m_icons.push_back(icon);
        return icon;
    }
    void ShowPictures() {
        const int dpi = WindowDpi(m_dialog);
        const int large = LargeIconSize(dpi);
        SendMessageW(
            m_dialog, WM_SETICON, ICON_SMALL,
            reinterpret_cast<LPARAM>(Load(IDI_APP, SmallIconSize(dpi), SmallIconSize(dpi))));
        SendDlgItemMessageW(m_dialog, IDC_ABOUT_PICTURE1, STM_SETICON,
                            reinterpret_cast<WPARAM>(Load(IDI_APP, large, large)), 0);
        SendDlgItemMessageW(m_dialog, IDC_ABOUT_PICICON, STM_SETICON,
                            reinterpret_cast<WPARAM>(
                                Load(IDI_ABOUT_SIDE, MulDiv(28, dpi, 96), MulDiv(84, dpi, 96))),
                            0);
    }

    HWND m_dialog;
    Win32Label m_description, m_label1;
    Win32Link m_url1;
    Win32Label m_email;
    Win32Link m_url2;
    Win32Label m_disclaimer;
    frmAbout m_form;
    std::vector<HICON> m_icons;
};

bool IsLinkActivation(const NMHDR& header) {
    return header.idFrom == IDC_ABOUT_URL1 || header.idFrom == IDC_ABOUT_URL2
               ? header.code == NM_CLICK || header.code == NM_RETURN
               : false;
}

INT_PTR CALLBACK AboutProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
    auto* about = reinterpret_cast<AboutWindow*>(GetWindowLongPtrW(dialog, DWLP_USER));
    try {
        switch (message) {
            case WM_INITDIALOG:
                about = new AboutWindow(dialog);
                SetWindowLongPtrW(dialog, DWLP_USER, reinterpret_cast<LONG_PTR>(about));
                about->Load();
                return TRUE;
            case WM_COMMAND:
                // "OK" is the default button and the cancel button: Enter, Esc and the close
                // box all come here.
                if (LOWORD(wParam) == IDOK || LOWORD(wParam) == IDCANCEL)
                    about->OnButton();
                return TRUE;
            case WM_NOTIFY:
                if (about && IsLinkActivation(*reinterpret_cast<NMHDR*>(lParam)))
                    about->OnLink(reinterpret_cast<NMHDR*>(lParam)->hwndFrom);
                return TRUE;
            case WM_NCDESTROY:
                delete about;
                SetWindowLongPtrW(dialog, DWLP_USER, 0);
                return FALSE;
            default:
                return FALSE;
        }
    } catch (...) {
        return FALSE;
    }
}

}  // namespace

void RunAboutBox(HWND owner) {
    DialogBoxParamW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(IDD_ABOUT), owner, AboutProc, 0);
}

void SetLinkOpener(LinkOpener opener) {
    Opener() = std::move(opener);
}

}  // namespace brannock_win32
