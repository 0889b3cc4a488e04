#include "tests/gui/GuiFixture.h"

#include <QAbstractButton>
#include <QElapsedTimer>
#include <QMessageBox>

#include "fileio/PathText.h"
#include "fileio/modWin32.h"
#include "ui/modSync.h"

namespace fs = std::filesystem;

ModalScript::ModalScript() {
    QObject::connect(&m_poll, &QTimer::timeout, [this] { Poll(); });
    m_poll.start(5);
}

ModalScript::~ModalScript() {
    m_poll.stop();
}

void ModalScript::Next(std::function<void(QWidget&)> answer) {
    m_answers.push_back(std::move(answer));
}

void ModalScript::ClickInNextBox(int standardButton) {
    Next([this, standardButton](QWidget& widget) {
        auto* box = qobject_cast<QMessageBox*>(&widget);
        ASSERT_NE(box, nullptr) << "expected a message box";
        boxes.push_back({box->windowTitle().toStdString(), box->text().toStdString()});
        QAbstractButton* button =
            box->button(static_cast<QMessageBox::StandardButton>(standardButton));
        ASSERT_NE(button, nullptr) << "the box has no such button";
        button->click();
    });
}

void ModalScript::Poll() {
    QWidget* modal = QApplication::activeModalWidget();
    // Each window is answered once: a box stays up until its answer's events have run.
    if (modal == nullptr || modal->property("answered").toBool()) {
        m_unanswered.invalidate();
        return;
    }
    if (m_answers.empty()) {
        // A window nobody expected would wait for ever: fail, and close it.
        if (!m_unanswered.isValid()) {
            m_unanswered.start();
        } else if (m_unanswered.elapsed() > 3000) {
            ADD_FAILURE() << "unexpected modal window: " << modal->windowTitle().toStdString();
            modal->setProperty("answered", true);
            modal->close();
        }
        return;
    }
    modal->setProperty("answered", true);
    auto answer = std::move(m_answers.front());
    m_answers.pop_front();
    answer(*modal);
}

void GuiFixture::Start(const std::string& ini) {
    fs::create_directories(dir.path() / "prog");
    fs::create_directories(dir.path() / "src");
    fs::create_directories(dir.path() / "dest");
    if (!ini.empty())
        WriteFile(IniPath(), ini);
    shell = std::make_unique<brannock_qt::QtShell>(clock, dir.str("prog") + "/brannock");
}

void GuiFixture::StartAndLoad(const std::string& ini) {
    Start(ini);
    Main(shell->form);
}

GuiFixture::~GuiFixture() {
    m_watchers.clear();
    // No window of one test may stay open into the next.
    while (QWidget* modal = QApplication::activeModalWidget())
        modal->close();
    shell.reset();
    RegisterFolderPicker(nullptr);
    QApplication::processEvents();
}

std::string GuiFixture::SavedIni(bool on, const std::vector<std::string>& filesets) const {
    std::string ini = "[Options]\nSyncOn=" + std::string(on ? "Yes" : "No") +
                      "\nAbout=No\nSyncTo=" + Dest() + "\nWakeup=30\n[FileSets]\n";
    for (std::size_t i = 0; i < filesets.size(); ++i)
        ini += "FileSet" + std::to_string(i + 1) + "=" + filesets[i] + "\n";
    return ini;
}

std::string GuiFixture::Fileset(const std::string& sub) const {
    return dir.str(sub) + std::string(kSepText) + std::string(kAllFiles);
}

std::intmax_t GuiFixture::MirroredSize(const std::string& name) const {
    for (const auto& entry : fs::recursive_directory_iterator(dir.path() / "dest")) {
        if (entry.path().filename() == name)
            return static_cast<std::intmax_t>(entry.file_size());
    }
    return -1;
}

std::string GuiFixture::Ini() const {
    return fs::exists(IniPath()) ? ReadFileText(IniPath()) : std::string();
}

std::string GuiFixture::IniValue(const std::string& section, const std::string& key) const {
    std::string value;
    ReadIniString(section, key, "", value, Narrow(IniPath()));
    return value;
}

bool GuiFixture::WaitFor(const std::function<bool()>& done, int ms) {
    QElapsedTimer clock;
    clock.start();
    while (!done()) {
        if (clock.elapsed() > ms)
            return false;
        QApplication::processEvents(QEventLoop::AllEvents, 20);
    }
    return true;
}

void GuiFixture::WhenEventsRun(std::function<bool()> when, std::function<void()> action) {
    auto watcher = std::make_unique<QTimer>();
    QTimer* timer = watcher.get();
    QObject::connect(timer, &QTimer::timeout, [timer, when = std::move(when), action] {
        if (!when())
            return;
        timer->stop();
        action();
    });
    timer->start(0);
    m_watchers.push_back(std::move(watcher));
}
