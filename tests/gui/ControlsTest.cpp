// The Qt controls and desktop under the form's interfaces: what the logic relies on from each,
// where Qt's own widgets behave otherwise.
#include "tests/gui/GuiFixture.h"

namespace {

class QtControlsTest : public GuiFixture {
  protected:
    void SetUp() override { StartAndLoad(SavedIni(false)); }
    brannock_qt::QtFormControls& c() { return shell->controls; }
};

// Qt's list selects a neighbour when the selected item goes, and keeps a selection on -1. An
// entry wider than the list can be scrolled into view, and its tip is the whole entry.
TEST_F(QtControlsTest, ListBoxKeepsOneSelectionAndShowsLongEntriesWhole) {
    window().show();
    IListBox& list = c().lstSyncFrom;
    QListWidget* widget = window().lstSyncFrom;
    for (const char* text : {"a", "b", "c"})
        list.AddItem(text);
    EXPECT_EQ(list.ListIndex(), -1);  // adding selects nothing
    list.SetListIndex(2);
    list.RemoveItem(0);  // an item above moves the selection up with its item
    EXPECT_EQ(list.ListIndex(), 1);
    list.RemoveItem(1);
    EXPECT_TRUE(list.ListIndex() == -1 && widget->selectedItems().isEmpty());
    // A click selects, as the user does it.
    QTest::mouseClick(widget->viewport(), Qt::LeftButton, {},
                      widget->visualItemRect(widget->item(0)).center());
    EXPECT_EQ(list.ListIndex(), 0);

    const std::string longest = "/home/ann/" + std::string(300, 'x') + "/*.*";
    list.AddItem(longest);
    list.SetList(0, "/b/*.*");
    QApplication::processEvents();
    EXPECT_GT(widget->horizontalScrollBar()->maximum(), 0);
    EXPECT_EQ(widget->item(0)->toolTip(), QStringLiteral("/b/*.*"));
    EXPECT_EQ(widget->item(1)->toolTip().toStdString(), longest);
}

// A tick finds the interval not yet counted (it is 0 after load) and runs a cycle, the window
// hidden as it mostly is; the status, the bar and the timer keep their state meanwhile.
TEST_F(QtControlsTest, TimerTicksRunTheSchedulerAndControlsKeepTheirStateWhileHidden) {
    window().hide();
    WriteFile(dir.path() / "src" / "a.txt", "a");
    c().lstSyncFrom.AddItem(Fileset("src"));
    form().SyncOn = true;
    c().Timer1.SetInterval(1);
    ASSERT_TRUE(WaitFor([&] { return c().StatusBar1.Panels(2).Text() == "Sleeping..."; }));
    EXPECT_EQ(MirroredSize("a.txt"), 1);
    EXPECT_TRUE(window().Timer1->isActive());  // restarted after the cycle
    c().Timer1.SetInterval(0);  // a Qt timer of interval 0 would fire at every turn instead
    EXPECT_FALSE(window().Timer1->isActive());

    c().pgrStatus.SetVisible(true);
    c().pgrStatus.SetValue(250);  // beyond the bar's range: kept, drawn full
    EXPECT_TRUE(c().pgrStatus.Visible() && c().pgrStatus.Value() == 250);
    EXPECT_EQ(window().pgrStatus->value(), 100);
    // A repeated status is skipped only while the label still shows it.
    form().SetStatus("Sleeping...", "");
    window().panel2->setText("elsewhere");
    window().panel2->setToolTip("elsewhere");
    form().SetStatus("Sleeping...", "");
    EXPECT_TRUE(window().panel2->text() == "Sleeping..." && window().panel2->toolTip().isEmpty());
}

// Texts come back as the bytes that were written; the interval's box takes only digits.
TEST_F(QtControlsTest, TextsComeBackAsWrittenAndTheWakeupBoxTakesOnlyDigitsAndBackspace) {
    // Not UTF-8: a file name of another encoding must still reach the files it names.
    const std::string odd = std::string("caf\xE9") + "/*.*";
    c().lstSyncFrom.AddItem(odd);
    c().lstSyncFrom.SetList(0, odd + "x");
    EXPECT_EQ(c().lstSyncFrom.List(0), odd + "x");
    c().txtSyncTo.SetText(odd);
    EXPECT_EQ(c().txtSyncTo.Text(), odd);
    // What the user types is read from the box.
    const std::string utf8 = "D\xC3\xA9j\xC3\xA0";
    window().txtSyncTo->setText(QString::fromUtf8(utf8.c_str()));
    EXPECT_EQ(c().txtSyncTo.Text(), utf8);

    QLineEdit* box = window().txtWakeup;
    box->setFocus();
    box->setText("30");
    box->end(false);
    QTest::keyClicks(box, "a.4");
    EXPECT_EQ(box->text(), "304");
    QTest::keyClick(box, Qt::Key_Backspace);
    EXPECT_EQ(box->text(), "30");
    // Keys that type no character still move and edit.
    for (Qt::Key key : {Qt::Key_Home, Qt::Key_Delete, Qt::Key_Right, Qt::Key_5})
        QTest::keyClick(box, key);
    EXPECT_EQ(box->text(), "05");
    // Pasting by keyboard is a control character, and so discarded.
    QApplication::clipboard()->setText(QStringLiteral("99"));
    QTest::keyClick(box, Qt::Key_V, Qt::ControlModifier);
    EXPECT_EQ(box->text(), "05");
}

}  // namespace
