#include <string>
#include <tuple>
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
    form.btnDeletePath_Click();  // nothing selected: nothing asked (two boxes below)
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
    // The one-letter entries, then "@" and the selection.
    const auto state = [this] {
        std::string text;
        for (const auto& item : list().items)
            text += item;
        return text + "@" + std::to_string(list().listIndex);
    };
    using Move = std::tuple<std::string, int, bool, std::string>;
    for (const auto& [entries, index, up, after] :
         {Move{"abc", 1, true, "bac@0"}, Move{"abc", 1, false, "acb@2"},
          // Past either end, or with nothing selected, nothing changes.
          Move{"abc", 0, true, "abc@0"}, Move{"abc", 2, false, "abc@2"},
          Move{"ab", -1, true, "ab@-1"}, Move{"ab", -1, false, "ab@-1"}}) {
        Select({}, index);
        for (char entry : entries)
            list().items.emplace_back(1, entry);
        const int focused = list().focusCount;
        (form.*(up ? &frmMain::btnUpPath_Click : &frmMain::btnDownPath_Click))();
        EXPECT_EQ(state(), after) << entries << (up ? " up from " : " down from ") << index;
        EXPECT_EQ(list().focusCount, focused + 1);
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
