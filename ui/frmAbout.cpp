// The About window's texts. The owner line, the link captions and the addresses come from the
// build, so that whoever packages the program names the maker; nothing here invents them.
#include "ui/frmAbout.h"

#include "ui/AppInfo.h"

namespace {

constexpr const char* kOwner = BRANNOCK_ABOUT_OWNER;
constexpr const char* kWebCaption = BRANNOCK_ABOUT_WEB_CAPTION;
constexpr const char* kWebUrl = BRANNOCK_ABOUT_WEB_URL;
constexpr const char* kMailCaption = BRANNOCK_ABOUT_MAIL_CAPTION;
constexpr const char* kMail = BRANNOCK_ABOUT_MAIL;

// What a link shows when the build gave it no address; its target then stays empty.
constexpr const char* kNoAddress = "(not set for this build)";

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

// Shows `address` and opens `scheme` + `address`; an empty address gives an honest dead link.
void SetLink(ILink& link, const std::string& address, const std::string& scheme) {
    if (address.empty()) {
        link.SetCaption(kNoAddress);
        link.SetTarget("");
    } else {
        link.SetCaption(address);
        link.SetTarget(scheme + address);
    }
}

}  // namespace

void frmAbout::Form_Load() {
    window.SetCaption(WindowCaption());
    lblDescription.SetCaption(Description());
    Label1.SetCaption(kWebCaption);
    SetLink(Url1, kWebUrl, "");
    lblEmail.SetCaption(kMailCaption);
    SetLink(Url2, kMail, "mailto:");
    lblDisclaimer.SetCaption(Disclaimer());
}

void frmAbout::cmdOK_Click() {
    window.Unload();
}
