#include <string>
#include <vector>

#include "tests/ui/UiFixture.h"

namespace {

using Items = std::vector<std::string>;

class FilesetEditor : public UiFixture {
  protected:
    void Select(Items items, int index) {
        ui.lstSyncFrom.items = std::move(items);
        ui.lstSyncFrom.listIndex = index;
    }
    HeadlessListBox& list() { return ui.lstSyncFrom; }
};

TEST_F(FilesetEditor, ModifyOffersTheWholeEntryAndKeepsItOnAnEmptyAnswer) {
    Select({"a", "C:\\Data\\*.*"}, 1);
    desktop.inputAnswers = {"C:\\Data\\*.txt", ""};
    form.btnModifyPath_Click();
    form.btnModifyPath_Click();
    EXPECT_EQ(desktop.inputPrompts, (Items{"Fileset:|Modify Fileset|C:\\Data\\*.*",
                                           "Fileset:|Modify Fileset|C:\\Data\\*.txt"}));
    EXPECT_EQ(list().items, (Items{"a", "C:\\Data\\*.txt"}));
    EXPECT_EQ(list().listIndex, 1);
    EXPECT_EQ(list().focusCount, 2);
}

TEST_F(FilesetEditor, DeleteAsksAndRemovesOnlyOnYesLeavingNothingSelected) {
    Select({"a", "b", "c"}, 1);
    desktop.msgBoxAnswers = {msgbox::kNo, msgbox::kYes};
    form.btnDeletePath_Click();
    EXPECT_EQ(list().items, (Items{"a", "b", "c"}));
    form.btnDeletePath_Click();
    EXPECT_EQ(list().items, (Items{"a", "c"}));
    EXPECT_EQ(list().listIndex, -1);
    ASSERT_EQ(desktop.boxes.size(), 2u);
    EXPECT_EQ(desktop.boxes[1].prompt, "Are you sure you want to delete: b");
    EXPECT_EQ(desktop.boxes[1].title, "Delete Confirmation");
    EXPECT_EQ(desktop.boxes[1].style, 4);

    Select({"only"}, 0);
    desktop.msgBoxAnswers = {msgbox::kYes};
    form.btnDeletePath_Click();
    EXPECT_TRUE(list().items.empty());
    EXPECT_EQ(list().focusCount, 3);
}

TEST_F(FilesetEditor, WithoutSelectionTheButtonsOnlyFocusTheList) {
    Select({"a", "b"}, -1);
    form.btnModifyPath_Click();
    form.btnDeletePath_Click();
    form.btnUpPath_Click();
    form.btnDownPath_Click();
    EXPECT_EQ(list().items, (Items{"a", "b"}));
    EXPECT_EQ(list().listIndex, -1);
    EXPECT_TRUE(desktop.inputPrompts.empty() && desktop.boxes.empty());
    EXPECT_EQ(list().focusCount, 4);
}

TEST_F(FilesetEditor, MovesSwapNeighboursAndTheSelectionFollows) {
    Select({"a", "b", "c"}, 1);
    form.btnUpPath_Click();
    EXPECT_EQ(list().items, (Items{"b", "a", "c"}));
    EXPECT_EQ(list().listIndex, 0);
    form.btnDownPath_Click();
    form.btnDownPath_Click();
    EXPECT_EQ(list().items, (Items{"a", "c", "b"}));
    EXPECT_EQ(list().listIndex, 2);
    EXPECT_EQ(list().focusCount, 3);

    Select({"a", "b"}, 0);
    form.btnDownPath_Click();
    EXPECT_EQ(list().items, (Items{"b", "a"}));
    EXPECT_EQ(list().listIndex, 1);
}

TEST_F(FilesetEditor, MovesPastEitherEndChangeNothing) {
    Select({"a", "b", "c"}, 0);
    form.btnUpPath_Click();
    EXPECT_EQ(list().items, (Items{"a", "b", "c"}));
    EXPECT_EQ(list().listIndex, 0);
    list().listIndex = 2;
    form.btnDownPath_Click();
    EXPECT_EQ(list().items, (Items{"a", "b", "c"}));
    EXPECT_EQ(list().listIndex, 2);

    Select({"only"}, 0);
    form.btnUpPath_Click();
    form.btnDownPath_Click();
    EXPECT_EQ(list().items, (Items{"only"}));
    EXPECT_EQ(list().listIndex, 0);
}

// Where the platform has a folder picker of its own, it would open a real dialog.
#ifndef _WIN32
class FolderPicking : public FilesetEditor {
  protected:
    FolderPicking() { desktop.RegisterAsFolderPicker(); }
    ~FolderPicking() override { RegisterFolderPicker(nullptr); }
    static std::string Entry(const std::string& folder) {
        return folder + std::string(kSepText) + std::string(kAllFiles);
    }
};

TEST_F(FolderPicking, AddAppendsTheMaskAsPickedKeepingDuplicatesAndTheSelection) {
    Select({"first"}, 0);
    const std::string root(kSepText);
    desktop.pickerAnswers = {"/data", "/data", root, ""};
    for (int i = 0; i < 4; ++i)
        form.btnAddPath_Click();
    EXPECT_EQ(list().items, (Items{"first", Entry("/data"), Entry("/data"), root + root + "*.*"}));
    EXPECT_EQ(list().listIndex, 0);
    EXPECT_EQ(list().focusCount, 4);  // the cancelled pick too
    EXPECT_EQ(desktop.pickerTitles, Items(4, "Select folder to add:"));
}

TEST_F(FolderPicking, BrowseReplacesTheDestinationUnlessCancelled) {
    ui.txtSyncTo.text = "typed by hand";
    desktop.pickerAnswers = {""};
    form.btnToBrowse_Click();
    EXPECT_EQ(ui.txtSyncTo.text, "typed by hand");
    desktop.pickerAnswers = {"/backup"};
    form.btnToBrowse_Click();
    EXPECT_EQ(ui.txtSyncTo.text, "/backup");
    EXPECT_EQ(desktop.pickerTitles, Items(2, "Select folder to synchronize to:"));
    EXPECT_EQ(ui.txtSyncTo.focusCount + list().focusCount, 0);
}
#endif

}  // namespace
