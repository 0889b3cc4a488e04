// The About window: product name and version, what the program does, two links and the
// disclaimer. Its texts are built anew at every load; nothing carries over between showings.
#pragma once

#include <string>

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

class frmAbout : public AboutControls {
  public:
    explicit frmAbout(const AboutControls& controls) : AboutControls(controls) {}

    void Form_Load();
    void cmdOK_Click();
};
