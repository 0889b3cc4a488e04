#include "ui/win32/Win32Api.h"

#include <algorithm>
#include <memory>
#include <utility>
#include <vector>

#include "ui/frmAbout.h"
#include "ui/win32/ResourceIds.h"
#include "ui/win32/Win32Controls.h"
#include "ui/win32/Win32Dialogs.h"
#include "ui/win32/Win32Dpi.h"
#include "ui/win32/Win32Placement.h"
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
    AboutWindow(HWND dialog, const AboutAddresses& addresses)
        : m_dialog(dialog),
          m_label1Hwnd(GetDlgItem(dialog, IDC_ABOUT_LABEL1)),
          m_emailHwnd(GetDlgItem(dialog, IDC_ABOUT_EMAIL)),
          m_description(GetDlgItem(dialog, IDC_ABOUT_DESCRIPTION)),
          m_label1(m_label1Hwnd),
          m_url1(GetDlgItem(dialog, IDC_ABOUT_URL1)),
          m_email(m_emailHwnd),
          m_url2(GetDlgItem(dialog, IDC_ABOUT_URL2)),
          m_disclaimer(GetDlgItem(dialog, IDC_ABOUT_DISCLAIMER)),
          m_form(
              AboutControls{*this, m_description, m_label1, m_url1, m_email, m_url2, m_disclaimer},
              addresses) {}
    ~AboutWindow() override {
        for (HICON icon : m_icons)
            DestroyIcon(icon);
    }
    AboutWindow(const AboutWindow&) = delete;
    AboutWindow& operator=(const AboutWindow&) = delete;

    void Load() {
        ShowPictures();
        m_form.Form_Load();
        FitLinks();
        LeaveOutEmptyLinks();
        CentreOver(m_dialog, GetWindow(m_dialog, GW_OWNER));
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
    // A build without an address leaves its link and the link's caption out; without either
    // address the rest of the window moves up into the empty lines.
    void LeaveOutEmptyLinks() {
        const std::pair<const ILabel*, HWND> captions[] = {{&m_label1, m_label1Hwnd},
                                                           {&m_email, m_emailHwnd}};
        const std::pair<const ILink*, HWND> links[] = {{&m_url1, m_url1.Handle()},
                                                       {&m_url2, m_url2.Handle()}};
        bool anyShown = false;
        for (int i = 0; i < 2; ++i) {
            const bool shown = !links[i].first->Caption().empty();
            const bool captioned = !captions[i].first->Caption().empty();
            ShowWindow(links[i].second, shown ? SW_SHOW : SW_HIDE);
            ShowWindow(captions[i].second, captioned ? SW_SHOW : SW_HIDE);
            anyShown = anyShown || shown || captioned;
        }
        if (!anyShown)
            CloseLinkGap();
    }
    // Each link as wide as its text, so no address loses its last characters at the control's
    // edge: the e-mail column moves right of a long web address, and the box widens when the
    // two need more than its width, keeping its right margin and "OK" in the middle.
    void FitLinks() {
        RECT client{};
        GetClientRect(m_dialog, &client);
        const RECT first = ClientRectOf(m_url1.Handle());
        const int margin = first.left;
        const int gap = MulDiv(10, WindowDpi(m_dialog), 96);
        const int url1Right = first.left + FitWidth(m_url1, first);
        const RECT second = ClientRectOf(m_url2.Handle());
        const int left = std::max<int>(second.left, url1Right + gap);
        const int width2 = FitWidth(m_url2, second);
        const int grow = left + width2 + margin - client.right;
        if (grow > 0) {
            RECT frame{};
            GetWindowRect(m_dialog, &frame);
            SetWindowPos(m_dialog, nullptr, 0, 0, frame.right - frame.left + grow,
                         frame.bottom - frame.top, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
            const HWND ok = GetDlgItem(m_dialog, IDOK);
            const RECT button = ClientRectOf(ok);
            SetWindowPos(ok, nullptr, button.left + grow / 2, button.top, 0, 0,
                         SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
        }
        const RECT caption = ClientRectOf(m_emailHwnd);
        SetWindowPos(m_emailHwnd, nullptr, left, caption.top,
                     std::max<int>(width2, caption.right - caption.left),
                     caption.bottom - caption.top, SWP_NOZORDER | SWP_NOACTIVATE);
        SetWindowPos(m_url2.Handle(), nullptr, left, second.top, width2, second.bottom - second.top,
                     SWP_NOZORDER | SWP_NOACTIVATE);
    }
    // Sizes `link` to its caption; gives its new width.
    int FitWidth(const Win32Link& link, const RECT& at) {
        const std::wstring text = Wide(link.Caption());
        const HDC dc = GetDC(link.Handle());
        const HGDIOBJ old = SelectObject(
            dc, reinterpret_cast<HGDIOBJ>(SendMessageW(link.Handle(), WM_GETFONT, 0, 0)));
        SIZE extent{};
        GetTextExtentPoint32W(dc, text.c_str(), static_cast<int>(text.size()), &extent);
        SelectObject(dc, old);
        ReleaseDC(link.Handle(), dc);
        // The focus rectangle and the underline's overhang take a few pixels beyond the text.
        const int width = extent.cx + MulDiv(6, WindowDpi(m_dialog), 96);
        SetWindowPos(link.Handle(), nullptr, 0, 0, width, at.bottom - at.top,
                     SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
        return width;
    }
    void CloseLinkGap() {
        const int gap = TopOf(GetDlgItem(m_dialog, IDC_ABOUT_LINE1)) - TopOf(m_label1Hwnd);
        for (HWND child = GetWindow(m_dialog, GW_CHILD); child != nullptr;
             child = GetWindow(child, GW_HWNDNEXT)) {
            if (TopOf(child) >= TopOf(GetDlgItem(m_dialog, IDC_ABOUT_LINE1))) {
                RECT r = ClientRectOf(child);
                SetWindowPos(child, nullptr, r.left, r.top - gap, 0, 0,
                             SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
            }
        }
        RECT frame{};
        GetWindowRect(m_dialog, &frame);
        SetWindowPos(m_dialog, nullptr, 0, 0, frame.right - frame.left,
                     frame.bottom - frame.top - gap, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    }
    RECT ClientRectOf(HWND child) const {
        RECT r{};
        GetWindowRect(child, &r);
        MapWindowPoints(nullptr, m_dialog, reinterpret_cast<POINT*>(&r), 2);
        return r;
    }
    int TopOf(HWND child) const { return ClientRectOf(child).top; }

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
    HWND m_label1Hwnd;
    HWND m_emailHwnd;
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
                about = new AboutWindow(dialog, *reinterpret_cast<const AboutAddresses*>(lParam));
                SetWindowLongPtrW(dialog, DWLP_USER, reinterpret_cast<LONG_PTR>(about));
                about->Load();
                // "OK" holds the focus, so Enter closes the box and never opens a link.
                SetFocus(GetDlgItem(dialog, IDOK));
                return FALSE;
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

void RunAboutBox(HWND owner, const AboutAddresses& addresses) {
    DialogBoxParamW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(IDD_ABOUT), owner, AboutProc,
                    reinterpret_cast<LPARAM>(&addresses));
}

void SetLinkOpener(LinkOpener opener) {
    Opener() = std::move(opener);
}

}  // namespace brannock_win32
