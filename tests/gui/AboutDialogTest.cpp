// The About box as the user meets it: shown modally over a hidden main window, its texts built
// at every showing, closed by OK's keys, its links; and the pictures the program draws.
#include <gtest/gtest.h>

#include <QApplication>
#include <QDialog>
#include <QEnterEvent>
#include <QImage>
#include <QKeyEvent>
#include <QLabel>
#include <QPushButton>
#include <QTest>
#include <QTimer>
#include <functional>
#include <string>
#include <utility>
#include <vector>

#include "ui/controls.h"
#include "ui/headless/HeadlessAbout.h"
#include "ui/qt/AboutDialog.h"
#include "ui/qt/AppPictures.h"
#include "ui/qt/TrayPictures.h"

namespace {

// Shows the About box owned by a hidden window and runs `whileShown` on it once it is up.
// Returns true when the box was closed by `whileShown`, false when a watchdog had to.
bool Show(const std::function<void(QDialog&)>& whileShown) {
    QWidget owner;
    QTimer::singleShot(0, [&whileShown] {
        if (auto* box = qobject_cast<QDialog*>(QApplication::activeModalWidget()))
            whileShown(*box);
    });
    bool watchdogClosed = false;
    QTimer watchdog;
    watchdog.setSingleShot(true);
    QObject::connect(&watchdog, &QTimer::timeout, [&watchdogClosed] {
        if (auto* box = qobject_cast<QDialog*>(QApplication::activeModalWidget())) {
            watchdogClosed = true;
            box->done(QDialog::Rejected);
        }
    });
    watchdog.start(5000);
    brannock_qt::ShowAboutBox(&owner);
    return !watchdogClosed;
}

QLabel& Label(QDialog& box, const char* name) {
    auto* label = box.findChild<QLabel*>(QString::fromLatin1(name));
    EXPECT_NE(label, nullptr) << name;
    return *label;
}

void ClickOK(QDialog& box) {
    box.findChild<QPushButton*>(QStringLiteral("cmdOK"))->click();
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

// The texts come from the form, checked here against a headless copy of it; every showing must
// build them anew.
TEST(AboutBox, ShowsItsTextsAnewAtEveryShowing) {
    HeadlessAbout model;
    model.form.Form_Load();
    EXPECT_EQ(model.window.caption, "About Brannock");
    EXPECT_EQ(model.lblDescription.caption,
              "Brannock v1.0.2\nSycronization of files from filesets to a directory");
    const std::string& disclaimer = model.lblDisclaimer.caption;
    const auto blank = disclaimer.find("\n\n");
    ASSERT_NE(blank, std::string::npos);
    EXPECT_GT(blank, 0u);  // an owner line comes first
    EXPECT_TRUE(disclaimer.substr(blank + 2).starts_with(
        "This software is packaged with no guarantee or warranty.  The use or misuse by the user "
        "is the sole responsibility of said user.  "));
    EXPECT_NE(disclaimer.find("future upgrades"), std::string::npos);
    // A link opens its address, or admits that this build has none.
    for (const auto& [link, scheme] :
         {std::pair<const HeadlessLink*, std::string>{&model.Url1, ""}, {&model.Url2, "mailto:"}}) {
        if (link->target.empty())
            EXPECT_EQ(link->caption, "(not set for this build)");
        else
            EXPECT_EQ(link->target, scheme + link->caption);
    }
    EXPECT_FALSE(model.Label1.caption.empty() || model.lblEmail.caption.empty());

    const std::vector<std::string> expected{
        model.window.caption,        model.lblDescription.caption,
        model.Label1.caption,        model.Url1.caption,
        model.lblEmail.caption,      model.Url2.caption,
        model.lblDisclaimer.caption, model.Url1.target};
    for (int showing = 0; showing < 2; ++showing) {
        ASSERT_TRUE(Show([&expected](QDialog& box) {
            EXPECT_EQ(Texts(box), expected);
            EXPECT_EQ(Label(box, "Picture1").pixmap().deviceIndependentSize(), QSizeF(32, 32));
            EXPECT_EQ(Label(box, "picIcon").pixmap().deviceIndependentSize(), QSizeF(28, 84));
            // Spoil this showing: none of it may reach the next one.
            Label(box, "lblDescription").setText(QStringLiteral("changed"));
            box.setWindowTitle(QStringLiteral("changed"));
            dynamic_cast<ILink&>(Label(box, "Url1")).SetTarget("https://example.invalid/");
            ClickOK(box);
        }));
    }
}

TEST(AboutBox, EnterEscAndTheCloseBoxAllCloseIt) {
    const auto press = [](Qt::Key key) {
        return [key](QDialog& box) {
            EXPECT_TRUE(box.findChild<QPushButton*>(QStringLiteral("cmdOK"))->isDefault());
            QKeyEvent event(QEvent::KeyPress, key, Qt::NoModifier);
            QApplication::sendEvent(&box, &event);
        };
    };
    EXPECT_TRUE(Show(press(Qt::Key_Return)));
    EXPECT_TRUE(Show(press(Qt::Key_Enter)));
    EXPECT_TRUE(Show(press(Qt::Key_Escape)));
    EXPECT_TRUE(Show([](QDialog& box) { box.close(); }));
}

TEST(AboutBox, ALinkWithATargetOpensItAndTurnsBlueUnderThePointer) {
    ASSERT_TRUE(Show([](QDialog& box) {
        QLabel& label = Label(box, "Url2");
        auto& link = dynamic_cast<ILink&>(label);
        // Catch what would go to the desktop's mail program instead of starting it.
        QObject::disconnect(&label, &QLabel::linkActivated, nullptr, nullptr);
        std::vector<QString> opened;
        QObject::connect(&label, &QLabel::linkActivated,
                         [&opened](const QString& target) { opened.push_back(target); });
        const auto colour = [&label] { return label.palette().color(QPalette::WindowText); };
        const auto hoverAndClick = [&label] {
            QEnterEvent enter(QPointF(2, 2), QPointF(2, 2), QPointF(2, 2));
            QApplication::sendEvent(&label, &enter);
            QTest::mouseClick(&label, Qt::LeftButton, {}, QPoint(2, 2));
        };
        const QColor blue(0x00, 0x00, 0xff);

        link.SetTarget("mailto:someone@example.invalid");
        EXPECT_NE(colour(), blue);
        hoverAndClick();
        EXPECT_EQ(colour(), blue);
        QEvent leave(QEvent::Leave);
        QApplication::sendEvent(&label, &leave);
        EXPECT_NE(colour(), blue);
        EXPECT_EQ(opened, std::vector<QString>{QStringLiteral("mailto:someone@example.invalid")});

        // Without a target it is plain text: no colour change, nothing opened.
        link.SetTarget("");
        const QColor plain = colour();
        hoverAndClick();
        EXPECT_EQ(colour(), plain);
        EXPECT_EQ(opened.size(), 1u);
        ClickOK(box);
    }));
}

TEST(Pictures, EveryPictureIsDrawnAndTellsItselfApart) {
    using brannock_qt::ButtonPicture;
    std::vector<QIcon> icons{brannock_qt::AppIcon(), brannock_qt::SyncPicture(true),
                             brannock_qt::SyncPicture(false)};
    for (ButtonPicture picture : {ButtonPicture::Add, ButtonPicture::Modify, ButtonPicture::Delete,
                                  ButtonPicture::Up, ButtonPicture::Down, ButtonPicture::Browse})
        icons.push_back(brannock_qt::ButtonIcon(picture));
    std::vector<QImage> small;
    for (const QIcon& icon : icons) {
        for (int size : {16, 32}) {
            const QImage image = icon.pixmap(QSize(size, size), 1.0).toImage();
            EXPECT_EQ(image.size(), QSize(size, size)) << "picture " << small.size();
            // Not blank: some pixel is fully covered.
            bool drawn = false;
            for (int y = 0; y < size && !drawn; ++y)
                for (int x = 0; x < size && !drawn; ++x)
                    drawn = qAlpha(image.pixel(x, y)) == 255;
            EXPECT_TRUE(drawn) << "picture " << small.size();
        }
        small.push_back(icon.pixmap(QSize(16, 16), 1.0).toImage());
    }
    for (std::size_t a = 0; a < small.size(); ++a)
        for (std::size_t b = a + 1; b < small.size(); ++b)
            EXPECT_NE(small[a], small[b]) << "pictures " << a << " and " << b;
}

}  // namespace
