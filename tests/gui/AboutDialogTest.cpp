// The About box as the user meets it: shown modally over a hidden main window, its texts built
// at every showing, closed by OK's keys, its links; and the pictures the program draws.
#include <QDialog>
#include <QEnterEvent>
#include <QImage>
#include <QKeyEvent>
#include <QLabel>
#include <QPushButton>
#include <QTest>

#include "tests/gui/GuiFixture.h"
#include "ui/headless/HeadlessAbout.h"
#include "ui/qt/AboutDialog.h"
#include "ui/qt/AppPictures.h"
#include "ui/qt/TrayPictures.h"

namespace {

QLabel& Label(QDialog& box, const char* name) {
    auto* label = box.findChild<QLabel*>(QString::fromLatin1(name));
    EXPECT_NE(label, nullptr) << name;
    return *label;
}

// The caption, every text the box shows and the web link's target.
std::vector<std::string> Texts(QDialog& box) {
    std::vector<std::string> texts{box.windowTitle().toStdString()};
    for (const char* name :
         {"lblDescription", "Label1", "Url1", "lblEmail", "Url2", "lblDisclaimer"}) {
        texts.push_back(Label(box, name).text().toStdString());
    }
    texts.push_back(dynamic_cast<ILink&>(Label(box, "Url1")).Target());
    return texts;
}

class AboutBox : public GuiFixture {
  protected:
    // Shows the About box owned by a hidden window; `whileShown` must close it.
    void Show(const std::function<void(QDialog&)>& whileShown) {
        Answer([whileShown](QWidget& box) { whileShown(static_cast<QDialog&>(box)); });
        QWidget owner;
        brannock_qt::ShowAboutBox(&owner);
        EXPECT_TRUE(answers.empty());
    }
};

// The texts are the form's (checked headless); here every showing must show them anew, and OK,
// Enter, Esc and the close box each close the box.
TEST_F(AboutBox, ShowsItsTextsAnewAtEveryShowingAndClosesByOKsKeys) {
    HeadlessAbout model;
    model.form.Form_Load();
    const std::vector<std::string> expected{
        model.window.caption,        model.lblDescription.caption,
        model.Label1.caption,        model.Url1.caption,
        model.lblEmail.caption,      model.Url2.caption,
        model.lblDisclaimer.caption, model.Url1.target};
    const auto press = [](Qt::Key key) {
        return [key](QDialog& box) {
            QKeyEvent event(QEvent::KeyPress, key, Qt::NoModifier);
            QApplication::sendEvent(&box, &event);
        };
    };
    const std::function<void(QDialog&)> closers[] = {
        [](QDialog& box) { box.findChild<QPushButton*>(QStringLiteral("cmdOK"))->click(); },
        press(Qt::Key_Return), press(Qt::Key_Enter), press(Qt::Key_Escape),
        [](QDialog& box) {
            // Only a link with a target turns blue under the pointer and opens it; what would go
            // to the desktop's mail program is caught instead.
            QLabel& label = Label(box, "Url2");
            QObject::disconnect(&label, &QLabel::linkActivated, nullptr, nullptr);
            QStringList opened;
            QObject::connect(&label, &QLabel::linkActivated,
                             [&opened](const QString& target) { opened << target; });
            for (const std::string target : {"", "mailto:someone@example.invalid"}) {
                dynamic_cast<ILink&>(label).SetTarget(target);
                QEnterEvent enter(QPointF(2, 2), QPointF(2, 2), QPointF(2, 2));
                QApplication::sendEvent(&label, &enter);
                QTest::mouseClick(&label, Qt::LeftButton, {}, QPoint(2, 2));
                EXPECT_EQ(label.palette().color(QPalette::WindowText) == QColor(Qt::blue),
                          !target.empty());
            }
            EXPECT_EQ(opened, QStringList{QStringLiteral("mailto:someone@example.invalid")});
            box.close();
        }};
    for (const auto& close : closers) {
        Show([&](QDialog& box) {
            EXPECT_EQ(Texts(box), expected);
            EXPECT_EQ(Label(box, "Picture1").pixmap().deviceIndependentSize(), QSizeF(32, 32));
            EXPECT_EQ(Label(box, "picIcon").pixmap().deviceIndependentSize(), QSizeF(28, 84));
            // Spoil this showing: none of it may reach the next one.
            Label(box, "lblDescription").setText(QStringLiteral("changed"));
            box.setWindowTitle(QStringLiteral("changed"));
            dynamic_cast<ILink&>(Label(box, "Url1")).SetTarget("https://example.invalid/");
            close(box);
        });
    }
}

// Every picture is drawn and tells itself apart from the others, and from a blank one.
TEST(Pictures, EveryPictureIsDrawnAndTellsItselfApart) {
    using brannock_qt::ButtonPicture;
    std::vector<QIcon> icons{brannock_qt::AppIcon(), brannock_qt::SyncPicture(true),
                             brannock_qt::SyncPicture(false)};
    for (ButtonPicture picture : {ButtonPicture::Add, ButtonPicture::Modify, ButtonPicture::Delete,
                                  ButtonPicture::Up, ButtonPicture::Down, ButtonPicture::Browse})
        icons.push_back(brannock_qt::ButtonIcon(picture));
    constexpr auto kFormat = QImage::Format_ARGB32_Premultiplied;
    std::vector<QImage> images{QImage(16, 16, kFormat)};
    images[0].fill(Qt::transparent);
    for (const QIcon& icon : icons)
        images.push_back(icon.pixmap(QSize(16, 16), 1.0).toImage().convertToFormat(kFormat));
    for (std::size_t a = 0; a < images.size(); ++a)
        for (std::size_t b = a + 1; b < images.size(); ++b)
            EXPECT_NE(images[a], images[b]) << "pictures " << a << " and " << b;
}

}  // namespace
