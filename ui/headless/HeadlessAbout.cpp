#include "ui/headless/HeadlessAbout.h"

#include <utility>

HeadlessAbout::HeadlessAbout(AboutAddresses addresses)
    : form(AboutControls{window, lblDescription, Label1, Url1, lblEmail, Url2, lblDisclaimer},
           std::move(addresses)) {}
