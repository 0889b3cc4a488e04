#include <string>
#include <vector>

#include "fileio/FolderIdentity.h"
#include "fileio/PathText.h"
#include "tests/engine/FormFixture.h"

namespace {

using Items = std::vector<std::string>;

class FilesetEditor : public FormFixture {
  protected:
    void Select(Items items, int index) {
        form_.lstSyncFrom.items = std::move(items);
        form_.lstSyncFrom.listIndex = index;
    }
    HeadlessListBox& list() { return form_.lstSyncFrom; }
};

TEST_F(FilesetEditor, ModifyOffersTheWholeEntryAndKeepsItOnAnEmptyOrRelativeAnswer) {
    const std::string entry = folders::FullPathExample();
    const std::string txt = entry.substr(0, entry.size() - 3) + "txt";
    Select({"a", entry}, -1);
    form.btnModifyPath_Click();  // nothing selected: nothing asked
    list().listIndex = 1;
    desktop().inputAnswers = {txt, "", "src" + std::string(kSepText) + "*.*"};
    for (int i = 0; i < 3; ++i)
        form.btnModifyPath_Click();
    EXPECT_EQ(desktop().inputPrompts,
              (Items{"Fileset:|Modify Fileset|" + entry, "Fileset:|Modify Fileset|" + txt,
                     "Fileset:|Modify Fileset|" + txt}));
    EXPECT_EQ(list().items, (Items{"a", txt}));
    EXPECT_EQ(list().listIndex, 1);
    EXPECT_EQ(list().focusCount, 4);
    // A fileset read from the current folder is refused with the reason.
    EXPECT_EQ(Boxes(), Items{"Modify Fileset|16|A fileset must be a full path, such as " + entry +
                             ". The fileset is left as it was."});
}

TEST_F(FilesetEditor, DeleteAsksAndRemovesOnlyOnYesLeavingNothingSelected) {
    Select({"a", "b", "c"}, -1);
    form.btnDeletePath_Click();  // nothing selected: nothing asked
    EXPECT_TRUE(desktop().boxes.empty());
    list().listIndex = 1;
    desktop().msgBoxAnswers = {msgbox::kNo, msgbox::kYes};
    form.btnDeletePath_Click();
    EXPECT_EQ(list().items, (Items{"a", "b", "c"}));
    form.btnDeletePath_Click();
    EXPECT_EQ(list().items, (Items{"a", "c"}));
    EXPECT_EQ(list().listIndex, -1);
    EXPECT_EQ(Boxes(), Items(2, "Delete Confirmation|4|Are you sure you want to delete: b"));

    Select({"only"}, 0);
    desktop().msgBoxAnswers = {msgbox::kYes};
    form.btnDeletePath_Click();
    EXPECT_TRUE(list().items.empty());
    EXPECT_EQ(list().focusCount, 4);
}

TEST_F(FilesetEditor, MovesSwapNeighboursAndTheSelectionFollows) {
    struct Case {
        Items items;
        int index;
        bool up;
        Items after;
        int indexAfter;
    };
    const Case cases[] = {
        {{"a", "b", "c"}, 1, true, {"b", "a", "c"}, 0},
        {{"a", "b", "c"}, 1, false, {"a", "c", "b"}, 2},
        // Past either end, or with nothing selected, nothing changes.
        {{"a", "b", "c"}, 0, true, {"a", "b", "c"}, 0},
        {{"a", "b", "c"}, 2, false, {"a", "b", "c"}, 2},
        {{"a", "b"}, -1, true, {"a", "b"}, -1},
        {{"a", "b"}, -1, false, {"a", "b"}, -1},
    };
    for (const Case& c : cases) {
        Select(c.items, c.index);
        const int focused = list().focusCount;
        if (c.up)
            form.btnUpPath_Click();
        else
            form.btnDownPath_Click();
        const std::string which = (c.up ? "up from " : "down from ") + std::to_string(c.index);
        EXPECT_EQ(list().items, c.after) << which;
        EXPECT_EQ(list().listIndex, c.indexAfter) << which;
        EXPECT_EQ(list().focusCount, focused + 1) << which;
    }
}

// Where the platform has a folder picker of its own, it would open a real dialog.
#ifndef _WIN32
TEST_F(FilesetEditor, AddAppendsTheMaskAsPickedKeepingDuplicatesAndTheSelection) {
    desktop().RegisterAsFolderPicker();
    Select({"first"}, 0);
    desktop().pickerAnswers = {"/data", "/data", "/", ""};
    for (int i = 0; i < 4; ++i)
        form.btnAddPath_Click();
    RegisterFolderPicker(nullptr);
    EXPECT_EQ(list().items, (Items{"first", "/data/*.*", "/data/*.*", "//*.*"}));
    EXPECT_EQ(list().listIndex, 0);
    EXPECT_EQ(list().focusCount, 4);  // the cancelled pick too
    EXPECT_EQ(desktop().pickerTitles, Items(4, "Select folder to add:"));
}
#endif

}  // namespace
