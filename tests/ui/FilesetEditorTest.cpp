#include "fileio/FolderIdentity.h"
#include "tests/engine/FormFixture.h"

namespace {

using Items = std::vector<std::string>;
using FilesetEditor = FormFixture;

// Clicks of the editing buttons, one after the other on one list, each with the entry selected
// before it and the answer to anything asked ("Yes" or "No" to the delete question). Nothing
// selected means nothing asked, moves past either end change nothing, and every click gives
// the list the focus back.
TEST_F(FilesetEditor, EachButtonAsksAndEditsTheListAndTheSelection) {
    const std::string e = folders::FullPathExample(), txt = e.substr(0, e.size() - 3) + "txt";
    const std::string relative = "src" + std::string(kSepText) + "*.*";
    HeadlessListBox& list = form_.lstSyncFrom;
    struct Click {
        void (frmMain::*click)();
        int selected;
        std::string answer, after;  // the entries, "@" and the selection after the click
    };
    const auto change = &frmMain::btnModifyPath_Click, del = &frmMain::btnDeletePath_Click;
    const auto up = &frmMain::btnUpPath_Click, down = &frmMain::btnDownPath_Click;
    std::vector<Click> clicks = {
        {up, 1, "", "b,a,c,@0"},
        {down, 1, "", "b,c,a,@2"},
        {up, 0, "", "b,c,a,@0"},
        {down, 2, "", "b,c,a,@2"},
        {down, -1, "", "b,c,a,@-1"},
        {del, -1, "Yes", "b,c,a,@-1"},
        {del, 1, "No", "b,c,a,@1"},
        {del, 1, "Yes", "b,a,@-1"},
        {change, -1, e, "b,a,@-1"},
        {change, 1, txt, "b," + txt + ",@1"},
        {change, 1, "", "b," + txt + ",@1"},
        {change, 1, relative, "b," + txt + ",@1"},
    };
    // Where the platform has a folder picker of its own, it would open a real dialog.
#ifndef _WIN32
    desktop().RegisterAsFolderPicker();
    clicks.push_back({&frmMain::btnAddPath_Click, 0, "/", "b," + txt + ",//*.*,@0"});
    clicks.push_back({&frmMain::btnAddPath_Click, 0, "", "b," + txt + ",//*.*,@0"});
#endif
    list.items = {"a", "b", "c"};
    for (const Click& c : clicks) {
        list.listIndex = c.selected;
        desktop().inputAnswers = desktop().pickerAnswers = {c.answer};
        desktop().msgBoxAnswers = {c.answer == "Yes" ? msgbox::kYes : msgbox::kNo};
        const int focused = list.focusCount;
        (form.*c.click)();
        std::string state;
        for (const auto& item : list.items)
            state += item + ",";
        EXPECT_EQ(state + "@" + std::to_string(list.listIndex), c.after);
        EXPECT_EQ(list.focusCount, focused + 1) << c.after;
    }
    EXPECT_EQ(desktop().inputPrompts,
              (Items{"Fileset:|Modify Fileset|a", "Fileset:|Modify Fileset|" + txt,
                     "Fileset:|Modify Fileset|" + txt}));
    // A fileset read from the current folder is refused with the reason.
    EXPECT_EQ(Boxes(), (Items{"Delete Confirmation|4|Are you sure you want to delete: c",
                              "Delete Confirmation|4|Are you sure you want to delete: c",
                              "Modify Fileset|16|A fileset must be a full path, such as " + e +
                                  ". The fileset is left as it was."}));
#ifndef _WIN32
    RegisterFolderPicker(nullptr);
    EXPECT_EQ(desktop().pickerTitles, Items(2, "Select folder to add:"));
#endif
}

// The refusal of an entry the settings file would give back cut, in the box titled `title`.
std::string Refusal(const std::string& title, int length, const std::string& outcome) {
    const std::string what = title == "Sync To" ? "The Sync To directory" : "A fileset";
    return title + "|16|" + what + " can have at most 255 characters, and this one has " +
           std::to_string(length) + ": the settings file would keep only the first 255. " + outcome;
}

// Entries that the settings file would give back cut are refused where they are typed or
// picked, with the count; the settings file keeps what it had. Characters count, not bytes,
// and a line break takes the two characters it is saved as.
TEST_F(FilesetEditor, EntriesPastTheSettingsLimitAreRefusedWhereTheyAreEntered) {
    const std::string root = folders::FullPathExample().substr(0, 3);  // "C:\" or "/ho"
    const auto entry = [&](std::size_t length, const std::string& unit = "x") {
        std::string text = root;
        for (std::size_t i = root.size(); i < length; ++i)
            text += unit;
        return text;
    };
    const std::string kept = "The fileset is left as it was.";
    HeadlessListBox& list = form_.lstSyncFrom;
    list.items = {"a"};
    list.listIndex = 0;
    desktop().inputAnswers = {entry(256), entry(255) + "\n", entry(255, "\xE6\x97\xA5")};
    for (int i = 0; i < 3; ++i)
        form.btnModifyPath_Click();
    EXPECT_EQ(list.items, Items{entry(255, "\xE6\x97\xA5")});
    EXPECT_EQ(Boxes(),
              (Items{Refusal("Modify Fileset", 256, kept), Refusal("Modify Fileset", 257, kept)}));

#ifndef _WIN32
    // The folder pickers' answers are held to the same limit.
    desktop().boxes.clear();
    desktop().RegisterAsFolderPicker();
    const std::string deep = "/" + std::string(250, 'p');
    desktop().pickerAnswers = {deep, deep + "x", deep, deep + "xxxxxx"};
    form.btnAddPath_Click();  // 255 characters with "/*.*"
    form.btnAddPath_Click();
    form.btnToBrowse_Click();
    form.btnToBrowse_Click();
    RegisterFolderPicker(nullptr);
    EXPECT_EQ(list.items, (Items{entry(255, "\xE6\x97\xA5"), deep + "/*.*"}));
    EXPECT_EQ(form_.txtSyncTo.text, deep);
    EXPECT_EQ(Boxes(),
              (Items{Refusal("Add Fileset", 256, "The fileset is not added."),
                     Refusal("Sync To", 257, "The Sync To directory is left as it was.")}));
#endif

    // The Sync To box: Close keeps the window open, and a save that cannot be refused (on the
    // way out) leaves the directory saved before.
    desktop().boxes.clear();
    form.SyncOn = false;
    form_.txtSyncTo.text = SyncTo();
    form.btnClose_Click();
    desktop().ShowMainWindow();
    form_.txtSyncTo.text = entry(256);
    const int focused = form_.txtSyncTo.focusCount;
    form.btnClose_Click();
    EXPECT_TRUE(desktop().visible);
    EXPECT_EQ(form_.txtSyncTo.focusCount, focused + 1);
    EXPECT_EQ(Boxes(), Items{Refusal("Sync To", 256, "Shorten it before closing the window.")});
    form.TerminateProgram();
    EXPECT_EQ(Saved("Options", "SyncTo"), SyncTo());
    EXPECT_EQ(Saved("FileSets", "FileSet1"), entry(255, "\xE6\x97\xA5"));
}

}  // namespace
