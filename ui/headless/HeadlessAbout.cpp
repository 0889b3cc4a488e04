#include "ui/headless/HeadlessAbout.h"

HeadlessAbout::HeadlessAbout()
    : form(AboutControls{window, lblDescription, Label1, Url1, lblEmail, Url2, lblDisclaimer}) {}
