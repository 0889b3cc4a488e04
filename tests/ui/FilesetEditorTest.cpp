#include <string>
#include <vector>

#include "fileio/FolderIdentity.h"
#include "fileio/PathText.h"
#include "tests/engine/FormFixture.h"

namespace {

using Items = std::vector<std::string>;

class FilesetEditor : public FormFixture {
  protected:
    HeadlessListBox& list() { return form_.lstSyncFrom; }
    // The entries, "@" and the selection, then every question asked.
    std::string State() {
        std::string text;
        for (const auto& item : list().items)
            text += item + ",";
        text += "@" + std::to_string(list().listIndex);
        for (const auto& prompt : desktop().inputPrompts)
            text += " ask " + prompt;
        for (const auto& box : Boxes())
            text += " box " + box;
        for (const auto& title : desktop().pickerTitles)
            text += " pick " + title;
        return text;
    }
};

// One click of an editing button on a fresh list: anything asked is answered with `answer`
// ("Yes" or "No" to the delete question). Nothing selected means nothing asked; every click
// gives the list the focus back.
TEST_F(FilesetEditor, EachButtonAsksAndEditsTheListAndTheSelection) {
    const std::string e = folders::FullPathExample(), txt = e.substr(0, e.size() - 3) + "txt";
    const std::string modify = " ask Fileset:|Modify Fileset|" + e;
    const std::string refused = " box Modify Fileset|16|A fileset must be a full path, such as " +
                                e + ". The fileset is left as it was.";
    const std::string remove = " box Delete Confirmation|4|Are you sure you want to delete: b";
    const std::string pick = " pick Select folder to add:";
    const std::string relative = "src" + std::string(kSepText) + "*.*";
    struct Edit {
        void (frmMain::*click)();
        Items before;
        int index;
        std::string answer, after;
    };
    const auto change = &frmMain::btnModifyPath_Click, del = &frmMain::btnDeletePath_Click;
    const auto up = &frmMain::btnUpPath_Click, down = &frmMain::btnDownPath_Click;
#ifndef _WIN32
    const auto add = &frmMain::btnAddPath_Click;
    desktop().RegisterAsFolderPicker();
#endif
    const std::vector<Edit> edits = {
        {change, {"a", e}, -1, txt, "a," + e + ",@-1"},
        {change, {"a", e}, 1, txt, "a," + txt + ",@1" + modify},
        {change, {"a", e}, 1, "", "a," + e + ",@1" + modify},
        // A fileset read from the current folder is refused with the reason.
        {change, {"a", e}, 1, relative, "a," + e + ",@1" + modify + refused},
        {del, {"a", "b", "c"}, -1, "Yes", "a,b,c,@-1"},
        {del, {"a", "b", "c"}, 1, "No", "a,b,c,@1" + remove},
        {del, {"a", "b", "c"}, 1, "Yes", "a,c,@-1" + remove},
        {up, {"a", "b", "c"}, 1, "", "b,a,c,@0"},
        {down, {"a", "b", "c"}, 1, "", "a,c,b,@2"},
        // Past either end, or with nothing selected, nothing moves.
        {up, {"a", "b", "c"}, 0, "", "a,b,c,@0"},
        {down, {"a", "b", "c"}, 2, "", "a,b,c,@2"},
        {down, {"a", "b", "c"}, -1, "", "a,b,c,@-1"},
    // Where the platform has a folder picker of its own, it would open a real dialog.
#ifndef _WIN32
        {add, {"/data/*.*"}, 0, "/data", "/data/*.*,/data/*.*,@0" + pick},
        {add, {"a"}, 0, "/", "a,//*.*,@0" + pick},
        {add, {"a"}, 0, "", "a,@0" + pick},
#endif
    };
    for (const Edit& edit : edits) {
        list().items = edit.before;
        list().listIndex = edit.index;
        desktop().inputPrompts.clear();
        desktop().boxes.clear();
        desktop().pickerTitles.clear();
        desktop().inputAnswers = desktop().pickerAnswers = {edit.answer};
        desktop().msgBoxAnswers = {edit.answer == "Yes" ? msgbox::kYes : msgbox::kNo};
        const int focused = list().focusCount;
        (form.*edit.click)();
        EXPECT_EQ(State(), edit.after);
        EXPECT_EQ(list().focusCount, focused + 1) << edit.after;
    }
#ifndef _WIN32
    RegisterFolderPicker(nullptr);
#endif
}

}  // namespace
