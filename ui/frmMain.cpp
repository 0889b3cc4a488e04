#include "ui/frmMain.h"

#include <vector>

#include "fileio/PathText.h"

namespace {

std::string ModuleFileName() {
    std::vector<char> buffer(MAX_PATH);
    for (;;) {
        DWORD n = GetModuleFileNameA(nullptr, buffer.data(), static_cast<DWORD>(buffer.size()));
        if (n == 0)
            return {};
        if (n < buffer.size())
            return std::string(buffer.data(), n);
        buffer.resize(buffer.size() * 2);  // the name was cut to the buffer
    }
}

}  // namespace

frmMain::frmMain(const FormControls& c, IDesktop& desktop, IClock& clock, std::string exePath)
    : FormControls(c),
      m_desktop(desktop),
      m_clock(clock),
      m_exePath(exePath.empty() ? ModuleFileName() : std::move(exePath)) {
    f.CopyProgress = [this](std::int64_t& done, std::int64_t& total) {
        f_CopyProgress(done, total);
    };
    // The copy pass's old copies go where the cleanup's orphans go: aside, with KeepDeleted.
    f.KeepOldCopy = [this](const std::string& dest, std::string& why) {
        if (KeepDeleted <= 0)
            return true;
        const DWORD attributes = GetFileAttributesA(dest.c_str());
        if (attributes == INVALID_FILE_ATTRIBUTES || (attributes & FILE_ATTRIBUTE_DIRECTORY))
            return true;  // nothing to keep; a folder there is the copy's failure, as before
        if (KeepAside(dest, why))
            return true;
        why = "Unable to keep file " + dest + ": " + why;
        return false;
    };
}

std::string frmMain::ProgramFolder() const {
    auto sep = m_exePath.find_last_of(kSep);
    return sep == std::string::npos ? std::string() : m_exePath.substr(0, sep);
}

std::string frmMain::ExeBaseName() const {
    auto sep = m_exePath.find_last_of(kSep);
    std::string name = sep == std::string::npos ? m_exePath : m_exePath.substr(sep + 1);
    auto dot = name.find_last_of('.');
    return dot == std::string::npos || dot == 0 ? name : name.substr(0, dot);
}

std::string frmMain::SettingsFilePath() const {
    return ProgramFolder() + std::string(kSepText) + ExeBaseName() + ".ini";
}
