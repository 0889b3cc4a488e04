// The modal boxes of the shell: the input box and the About window, both dialog templates of
// the resource script, and the opener behind the About window's links.
#pragma once

#include <functional>
#include <string>

#include "platform/win32.h"
#include "ui/frmAbout.h"

namespace brannock_win32 {

// "" when cancelled; the offered text's own bytes when it was left unchanged.
std::string RunInputBox(HWND owner, const std::string& prompt, const std::string& title,
                        const std::string& defaultAnswer);

// `addresses` are those of the build but where a test leaves them out.
void RunAboutBox(HWND owner, const AboutAddresses& addresses = AboutAddresses::OfThisBuild());

// Opens a link's target with the desktop's default program; tests put their own in its place.
using LinkOpener = std::function<void(const std::string& target)>;
void SetLinkOpener(LinkOpener opener);

}  // namespace brannock_win32
