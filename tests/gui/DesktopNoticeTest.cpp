// What the desktop shows beyond the main window: the About box, the help window, and the boxes
// and tray tip laid out for the long paths they name.
#include "tests/gui/GuiFixture.h"
#include "ui/headless/HeadlessAbout.h"

namespace {

namespace fs = std::filesystem;

using DesktopNotice = GuiFixture;

QLabel& Label(QWidget& box, const char* name) {
    auto* label = box.findChild<QLabel*>(QString::fromLatin1(name));
    EXPECT_NE(label, nullptr) << name;
    return *label;
}

// The texts are the form's (checked headless); here the menu item opens the box over the middle
// of the main window, each label shows its own text, built anew at every showing, and OK,
// Enter, Esc and the close box each close the box.
TEST_F(DesktopNotice, TheAboutBoxShowsItsTextsAnewAtEveryShowingAndClosesByOKsKeys) {
    StartAndLoad(SavedIni(false));
    HeadlessAbout model;
    model.form.Form_Load();
    const std::pair<const char*, std::string> labels[] = {
        {"lblDescription", model.lblDescription.caption},
        {"Label1", model.Label1.caption},
        {"Url1", model.Url1.caption},
        {"lblEmail", model.lblEmail.caption},
        {"Url2", model.Url2.caption},
        {"lblDisclaimer", model.lblDisclaimer.caption}};
    const std::function<void(QWidget&)> closers[] = {
        [](QWidget& box) { box.findChild<QPushButton*>(QStringLiteral("cmdOK"))->click(); },
        [](QWidget& box) { QTest::keyClick(&box, Qt::Key_Return); },
        [](QWidget& box) { QTest::keyClick(&box, Qt::Key_Escape); },
        [](QWidget& box) {
            // Only a link with a target opens it; what would go to the desktop's mail program is
            // caught instead.
            QLabel& label = Label(box, "Url2");
            QObject::disconnect(&label, &QLabel::linkActivated, nullptr, nullptr);
            const QSignalSpy opened(&label, &QLabel::linkActivated);
            for (const std::string target : {"", "mailto:someone@example.invalid"}) {
                dynamic_cast<ILink&>(label).SetTarget(target);
                QTest::mouseClick(&label, Qt::LeftButton, {}, QPoint(2, 2));
            }
            EXPECT_EQ(opened.count(), 1);
            EXPECT_EQ(opened.value(0).value(0).toString(), "mailto:someone@example.invalid");
            box.close();
        }};
    for (const auto& close : closers) {
        Answer([&](QWidget& box) {
            EXPECT_EQ(box.parentWidget(), &window());
            const QPoint offset = box.frameGeometry().center() - window().frameGeometry().center();
            EXPECT_LE(offset.manhattanLength(), 4) << offset.x() << "," << offset.y();
            EXPECT_EQ(box.windowTitle().toStdString(), model.window.caption);
            for (const auto& [name, text] : labels)
                EXPECT_EQ(Label(box, name).text().toStdString(), text) << name;
            EXPECT_EQ(dynamic_cast<ILink&>(Label(box, "Url1")).Target(), model.Url1.target);
            // Spoil this showing: none of it may reach the next one.
            Label(box, "lblDescription").setText(QStringLiteral("changed"));
            box.setWindowTitle(QStringLiteral("changed"));
            dynamic_cast<ILink&>(Label(box, "Url1")).SetTarget("https://example.invalid/");
            close(box);
        });
        window().mnu_HelpAbout->trigger();  // returns once the box has closed
        EXPECT_TRUE(answers.empty());
    }
}

TEST_F(DesktopNotice, HelpContentsShowsTheHelpFileFormattedUntilEsc) {
    fs::create_directories(dir.path() / "prog");
    fs::copy_file(BRANNOCK_HELP_SOURCE, dir.path() / "prog" / "brannock.hlp");
    StartAndLoad(SavedIni(false));
    const auto help = [this] { return window().findChild<QDialog*>(QStringLiteral("HelpWindow")); };
    // Quietly, no box.
    EXPECT_TRUE(!shell->desktop.ShowHelpFile(dir.str("prog/none.hlp")) && help() == nullptr);
    window().mnuHelpContents->trigger();
    ASSERT_NE(help(), nullptr);
    EXPECT_TRUE(help()->isVisible() && !help()->isModal());
    auto* view = help()->findChild<QTextBrowser*>();
    ASSERT_NE(view, nullptr);
    // Rendered, not shown as source: the heading without its mark.
    const QString text = view->toPlainText();
    EXPECT_TRUE(text.startsWith(QStringLiteral("Brannock Help"))) << text.left(40).toStdString();

    QDialog* first = help();
    QTest::keyClick(first, Qt::Key_Escape);
    EXPECT_FALSE(first->isVisible());
    window().mnuHelpContents->trigger();
    EXPECT_TRUE(help() == first && first->isVisible());  // one help window, shown again
}

// Yes/No with the second button the default, and a lone OK: Esc answers No, Enter the default.
// Where the lines break is the text layout's (checked headless); here the box, the input box and
// the tray's tip break long paths, keeping the text, and the input box is wide enough.
TEST_F(DesktopNotice, BoxesGiveTheirButtonsAndDefaultAndBreakLongPathsAndFitLongEntries) {
    StartAndLoad(SavedIni(false));
    window().hide();  // boxes show over a hidden main window too
    Answer([](QWidget& w) {
        auto& box = static_cast<QMessageBox&>(w);
        EXPECT_EQ(box.icon(), QMessageBox::Question);
        EXPECT_EQ(box.defaultButton(), box.button(QMessageBox::No));
        QTest::keyClick(&box, Qt::Key_Escape);
    });
    EXPECT_EQ(shell->desktop.MsgBox("Erase?", 292, "Erase?"), msgbox::kNo);
    const std::string path =
        "/tmp/brannock.Q2x7/a-rather-long-folder-name/holding/another-long-folder-name/and/more";
    const auto unbroken = [](QString text) { return text.remove(QLatin1Char('\n')); };
    Answer([&](QWidget& w) {
        auto& box = static_cast<QMessageBox&>(w);
        EXPECT_EQ(box.icon(), QMessageBox::Critical);
        EXPECT_EQ(box.buttons().size(), 1);
        EXPECT_GT(box.text().count(QLatin1Char('\n')), 1);
        EXPECT_EQ(unbroken(box.text()),
                  "Unable to erase the program folder" + QString::fromStdString(path));
        QTest::keyClick(&box, Qt::Key_Return);
    });
    EXPECT_EQ(shell->desktop.MsgBox("Unable to erase the program folder " + path, 16, "Error"),
              msgbox::kOk);

    shell->controls.SysTray1.set_traytip("Sync Disabled\n" + path + path);
    EXPECT_GT(window().SysTray1->toolTip().count(QLatin1Char('\n')), 2);
    EXPECT_EQ(unbroken(window().SysTray1->toolTip()),
              QString::fromStdString("Sync Disabled" + path + path));

    const std::string entry = path + "/" + path + "/*.*";
    Answer([&entry](QWidget& w) {
        auto* edit = w.findChild<QLineEdit*>();
        ASSERT_NE(edit, nullptr);
        const int most = w.screen()->availableGeometry().width() * 4 / 5;
        EXPECT_GE(edit->width(),
                  std::min(edit->fontMetrics().horizontalAdvance(QString::fromStdString(entry)),
                           most - 40));
        EXPECT_LE(w.width(), w.screen()->availableGeometry().width());
        static_cast<QDialog&>(w).reject();
    });
    shell->desktop.InputBox("Fileset:", "Modify Fileset", entry);
}

}  // namespace
