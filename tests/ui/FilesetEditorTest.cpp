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

}  // namespace
