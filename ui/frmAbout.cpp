// The About window's texts. The owner line, the link captions and the addresses come from the
// build, so that whoever packages the program names the maker; nothing here invents them.
#include "ui/frmAbout.h"

#include "ui/AppInfo.h"

// The version the window shows is the one the build stamps on the program file.
static_assert(app::kMajor == BRANNOCK_VERSION_MAJOR && app::kMinor == BRANNOCK_VERSION_MINOR &&
                  app::kRevision == BRANNOCK_VERSION_PATCH,
              "ui/AppInfo.h and the project's version in CMakeLists.txt differ");

namespace {

constexpr const char* kOwner = BRANNOCK_ABOUT_OWNER;
constexpr const char* kWebCaption = BRANNOCK_ABOUT_WEB_CAPTION;
constexpr const char* kWebUrl = BRANNOCK_PROJECT_PAGE;
constexpr const char* kMailCaption = BRANNOCK_ABOUT_MAIL_CAPTION;
constexpr const char* kMail = BRANNOCK_CONTACT_MAIL;

std::string WindowCaption() {
    return std::string("About ") + app::kTitle;
}

std::string Description() {
    return app::TitleWithVersion() + "\n" + "Sycronization of files from filesets to a directory";
}

std::string Disclaimer() {
    return std::string(kOwner) + "\n\n" +
           "This software is packaged with no guarantee or warranty.  " +
           "The use or misuse by the user is the sole responsibility of " + "said user." + "  " +
           "The owner is free of any obligation to provide service or future upgrades to this "
           "software.";
}

// Shows `address` under its caption and opens `scheme` + `address`. Without an address both
// captions are emptied, which leaves the two lines out of the window.
void SetLink(ILabel& caption, const char* captionText, ILink& link, const std::string& address,
             const std::string& scheme) {
    const bool shown = !address.empty();
    caption.SetCaption(shown ? captionText : "");
    link.SetCaption(address);
    link.SetTarget(shown ? scheme + address : "");
}

}  // namespace

AboutAddresses AboutAddresses::OfThisBuild() {
    return {kWebUrl, kMail};
}

void frmAbout::Form_Load() {
    window.SetCaption(WindowCaption());
    lblDescription.SetCaption(Description());
    SetLink(Label1, kWebCaption, Url1, m_addresses.web, "");
    SetLink(lblEmail, kMailCaption, Url2, m_addresses.mail, "mailto:");
    lblDisclaimer.SetCaption(Disclaimer());
}

void frmAbout::cmdOK_Click() {
    window.Unload();
}
