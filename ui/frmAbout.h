// The About window: product name and version, what the program does, two links and the
// disclaimer. Its texts are built anew at every load; nothing carries over between showings.
#pragma once

#include <string>
#include <utility>

#include "ui/controls.h"

struct AboutControls {
    IWindow& window;  // the About window itself: its caption and unloading
    ILabel& lblDescription;
    ILabel& Label1;  // caption of the web-site link
    ILink& Url1;
    ILabel& lblEmail;  // caption of the e-mail link
    ILink& Url2;
    ILabel& lblDisclaimer;
};

// The maker's addresses as the build was given them; an empty one leaves its link out.
struct AboutAddresses {
    std::string web;
    std::string mail;
    static AboutAddresses OfThisBuild();
};

class frmAbout : public AboutControls {
  public:
    explicit frmAbout(const AboutControls& controls,
                      AboutAddresses addresses = AboutAddresses::OfThisBuild())
        : AboutControls(controls), m_addresses(std::move(addresses)) {}

    void Form_Load();
    void cmdOK_Click();

  private:
    AboutAddresses m_addresses;
};
