#include "ui/headless/HeadlessDesktop.h"

#include <stdexcept>

#include "fileio/modWin32.h"

void HeadlessDesktop::AtDoEvents(long nth, std::function<void()> action) {
    scheduled_.push_back({doEventsCalls + nth, nullptr, std::move(action)});
}

void HeadlessDesktop::WhenDoEvents(std::function<bool()> when, std::function<void()> action) {
    scheduled_.push_back({0, std::move(when), std::move(action)});
}

void HeadlessDesktop::RegisterAsFolderPicker() {
    RegisterFolderPicker([this](HWND, const std::string& title) {
        pickerTitles.push_back(title);
        if (pickerAnswers.empty())
            return std::string();
        std::string answer = pickerAnswers.front();
        pickerAnswers.pop_front();
        return answer;
    });
}

void HeadlessDesktop::DoEvents() {
    ++doEventsCalls;
    if (scheduled_.empty())
        return;
    // Take the due actions out first: an action may itself let events run or schedule more.
    std::vector<std::function<void()>> due;
    for (auto it = scheduled_.begin(); it != scheduled_.end();) {
        bool fire = it->atCall != 0 ? it->atCall <= doEventsCalls : it->when();
        if (fire) {
            due.push_back(std::move(it->action));
            it = scheduled_.erase(it);
        } else {
            ++it;
        }
    }
    for (auto& action : due)
        action();
}

int HeadlessDesktop::MsgBox(const std::string& prompt, int style, const std::string& title) {
    boxes.push_back({prompt, style, title});
    if (onMsgBox)
        onMsgBox(Box(boxes.back()));  // a copy: the handler may open boxes of its own
    if (!msgBoxAnswers.empty()) {
        int answer = msgBoxAnswers.front();
        msgBoxAnswers.pop_front();
        return answer;
    }
    return (style & msgbox::kButtonsMask) == msgbox::kYesNo ? msgbox::kNo : msgbox::kOk;
}

std::string HeadlessDesktop::InputBox(const std::string& prompt, const std::string& title,
                                      const std::string& defaultAnswer) {
    inputPrompts.push_back(prompt + "|" + title + "|" + defaultAnswer);
    if (inputAnswers.empty())
        return "";
    std::string answer = inputAnswers.front();
    inputAnswers.pop_front();
    return answer;
}

void HeadlessDesktop::ShowAboutBox() {
    ++aboutShown;
    if (onAbout)
        onAbout();
}

void HeadlessDesktop::PopupTrayMenu(int flags) {
    ++popupShown;
    popupFlags = flags;
    if (onPopup)
        onPopup();
}

bool HeadlessDesktop::ShowHelpFile(const std::string& path) {
    helpFiles.push_back(path);
    if (helpThrows)
        throw std::runtime_error("no help viewer");
    return helpSucceeds;
}

void ManualClock::AdvanceSeconds(long long seconds) {
    now_ = runtime::FromSeconds(runtime::ToSeconds(now_) + seconds);
}
