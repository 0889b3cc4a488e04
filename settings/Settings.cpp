// Loading the window from the settings file and storing it back. The settings have no object
// of their own: the fileset list, the destination and the interval live in the controls, the
// rest in members of the window.
#include <algorithm>
#include <cctype>

#include "fileio/modWin32.h"
#include "runtime/Numbers.h"
#include "ui/frmMain.h"

namespace {

constexpr const char* kOptions = "Options";
constexpr const char* kFileSets = "FileSets";
constexpr std::int32_t kDefaultWakeup = 30;

std::string FileSetKey(int position) {
    return "FileSet" + std::to_string(position);
}

// Yes/no values are written capitalised but read in any mixture of case.
bool ReadsAs(const char* key, const char* expected, const std::string& file) {
    std::string value = ReadIniText(kOptions, key, file);
    std::transform(value.begin(), value.end(), value.begin(),
                   [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    return value == expected;
}

void LoadFileSets(IListBox& list, const std::string& file) {
    for (int position = 1;; ++position) {
        std::string entry = ReadIniText(kFileSets, FileSetKey(position), file);
        if (entry.empty())
            return;  // the first empty key ends the list; later keys are leftovers
        list.AddItem(entry);
    }
}

// Writes the list and the empty key one past its end that terminates it; keys beyond that,
// left over from a longer list, are never read again.
void SaveFileSets(IListBox& list, const std::string& file) {
    const int count = list.ListCount();
    for (int i = 0; i < count; ++i)
        WriteIniString(kFileSets, FileSetKey(i + 1), list.List(i), file);
    WriteIniString(kFileSets, FileSetKey(count + 1), "", file);
}

// The interval typed into the wake-up box, rounded halves to even. A text without a number,
// one that rounds to 0 and one beyond the 32-bit range all leave `current` in force.
std::int32_t TypedInterval(const std::string& text, std::int32_t current) {
    std::optional<std::int32_t> typed = runtime::ToInt32HalfEven(runtime::LeadingNumber(text));
    return typed && *typed != 0 ? *typed : current;
}

}  // namespace

void frmMain::LoadSettings() {
    LoadFileSets(lstSyncFrom, IniFile);
    txtSyncTo.SetText(ReadIniText(kOptions, "SyncTo", IniFile));

    WakeupMinutes =
        static_cast<std::int32_t>(GetPrivateProfileIntA(kOptions, "Wakeup", 0, IniFile.c_str()));
    if (WakeupMinutes == 0)
        WakeupMinutes = kDefaultWakeup;
    txtWakeup.SetText(std::to_string(WakeupMinutes));

    UseCutoff = ReadsAs("Cutoff", "yes", IniFile);
    EraseOnStart = ReadsAs("Erase", "yes", IniFile);
    DeleteOrphans = ReadsAs("Delete", "yes", IniFile);
    // A whole number of days; missing, not a number, 0 or below: nothing is kept.
    KeepDeleted = std::max<std::int32_t>(0, static_cast<std::int32_t>(GetPrivateProfileIntA(
                                                kOptions, "KeepDeleted", 0, IniFile.c_str())));
    ShowAbout = !ReadsAs("About", "no", IniFile);
    SyncOn = ReadsAs("SyncOn", "yes", IniFile);

    m_switchCause = activity::cause::kLoad;
    ApplySyncState(SyncOn);  // with syncing on, this runs the first cycle at once
}

void frmMain::SaveSettings() {
    WriteIniString(kOptions, "SyncOn", SyncOn ? "Yes" : "No", IniFile);
    SetTrayIcon(SyncOn);
    SaveFileSets(lstSyncFrom, IniFile);
    WriteIniString(kOptions, "About", "No", IniFile);
    // One that would be read back cut (a save on the way out, which cannot be refused)
    // leaves the directory saved before in place.
    if (SyncToRefusal().empty())
        WriteIniString(kOptions, "SyncTo", txtSyncTo.Text(), IniFile);

    WakeupMinutes = TypedInterval(txtWakeup.Text(), WakeupMinutes);
    WriteIniString(kOptions, "Wakeup", std::to_string(WakeupMinutes), IniFile);
    // An unusable entry is replaced by the interval in force.
    txtWakeup.SetText(std::to_string(WakeupMinutes));
}
