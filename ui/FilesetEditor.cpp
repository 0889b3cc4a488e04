// The six buttons that edit the fileset list and the Sync To folder. They change only the
// controls; the settings file sees the edits when the settings are next saved.
#include "fileio/FolderIdentity.h"
#include "fileio/PathText.h"
#include "fileio/modWin32.h"
#include "ui/frmMain.h"

namespace {

constexpr int kNoSelection = -1;

// Why `entry` cannot be kept in the settings file, which gives back at most
// kIniValueCharacters characters of a value: "" when it comes back whole.
std::string TooLongForSettings(const std::string& what, const std::string& entry) {
    const std::size_t length = IniValueLength(entry);
    if (length <= kIniValueCharacters)
        return {};
    return what + " can have at most " + std::to_string(kIniValueCharacters) +
           " characters, and this one has " + std::to_string(length) +
           ": the settings file would keep only the first " + std::to_string(kIniValueCharacters) +
           ".";
}

// Swaps two neighbouring entries through a text set aside, the upper one first.
void SwapWithNext(IListBox& list, int upper) {
    std::string aside = list.List(upper);
    list.SetList(upper, list.List(upper + 1));
    list.SetList(upper + 1, aside);
}

}  // namespace

void frmMain::btnAddPath_Click() {
    std::string path = BrowseForFolder(m_desktop.MainWindowHandle(), "Select folder to add:");
    // Taken as the picker gives it: a root such as C:\ ends up with a doubled separator.
    const std::string entry = path + std::string(kSepText) + std::string(kAllFiles);
    const std::string tooLong = TooLongForSettings("A fileset", entry);
    if (!path.empty() && !tooLong.empty()) {
        m_desktop.MsgBox(tooLong + " The fileset is not added.",
                         msgbox::kOkOnly | msgbox::kCritical, "Add Fileset");
    } else if (!path.empty()) {
        lstSyncFrom.AddItem(entry);
    }
    lstSyncFrom.SetFocus();
}

void frmMain::btnModifyPath_Click() {
    const int i = lstSyncFrom.ListIndex();
    if (i != kNoSelection) {
        std::string answer = m_desktop.InputBox("Fileset:", "Modify Fileset", lstSyncFrom.List(i));
        // Cancel answers "" too, so an emptied answer keeps the entry. A fileset that is not a
        // full path would be read from whatever folder the program runs in, and its copies
        // could not be mapped back to it.
        if (!answer.empty() && !folders::IsFullPath(answer)) {
            m_desktop.MsgBox("A fileset must be a full path, such as " +
                                 folders::FullPathExample() + ". The fileset is left as it was.",
                             msgbox::kOkOnly | msgbox::kCritical, "Modify Fileset");
        } else if (const std::string tooLong = TooLongForSettings("A fileset", answer);
                   !tooLong.empty()) {
            m_desktop.MsgBox(tooLong + " The fileset is left as it was.",
                             msgbox::kOkOnly | msgbox::kCritical, "Modify Fileset");
        } else if (!answer.empty()) {
            lstSyncFrom.SetList(i, answer);
        }
    }
    lstSyncFrom.SetFocus();
}

void frmMain::btnDeletePath_Click() {
    const int i = lstSyncFrom.ListIndex();
    if (i != kNoSelection) {
        int answer = m_desktop.MsgBox("Are you sure you want to delete: " + lstSyncFrom.List(i),
                                      msgbox::kYesNo, "Delete Confirmation");
        if (answer == msgbox::kYes) {
            lstSyncFrom.RemoveItem(i);
            // Some list boxes move the selection to a neighbour; nothing stays selected here.
            lstSyncFrom.SetListIndex(kNoSelection);
        }
    }
    lstSyncFrom.SetFocus();
}

void frmMain::btnUpPath_Click() {
    const int i = lstSyncFrom.ListIndex();
    if (i > 0) {
        SwapWithNext(lstSyncFrom, i - 1);
        lstSyncFrom.SetListIndex(i - 1);  // the selection follows the entry that moved
    }
    lstSyncFrom.SetFocus();
}

void frmMain::btnDownPath_Click() {
    const int i = lstSyncFrom.ListIndex();
    if (i != kNoSelection && i < lstSyncFrom.ListCount() - 1) {
        SwapWithNext(lstSyncFrom, i);
        lstSyncFrom.SetListIndex(i + 1);
    }
    lstSyncFrom.SetFocus();
}

void frmMain::btnToBrowse_Click() {
    std::string path =
        BrowseForFolder(m_desktop.MainWindowHandle(), "Select folder to synchronize to:");
    const std::string tooLong = TooLongForSettings("The Sync To directory", path);
    if (!tooLong.empty()) {
        m_desktop.MsgBox(tooLong + " The Sync To directory is left as it was.",
                         msgbox::kOkOnly | msgbox::kCritical, "Sync To");
    } else if (!path.empty()) {
        txtSyncTo.SetText(path);
    }
}

std::string frmMain::SyncToRefusal() const {
    const std::string tooLong = TooLongForSettings("The Sync To directory", txtSyncTo.Text());
    return tooLong.empty() ? tooLong : tooLong + " Shorten it before closing the window.";
}
