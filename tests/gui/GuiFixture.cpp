#include "tests/gui/GuiFixture.h"

namespace fs = std::filesystem;

GuiFixture::GuiFixture() {
    QObject::connect(&m_modalPoll, &QTimer::timeout, [this] { AnswerModal(); });
    m_modalPoll.start(5);
}

GuiFixture::~GuiFixture() {
    m_modalPoll.stop();
    // No window of one test may stay open into the next.
    while (QWidget* modal = QApplication::activeModalWidget())
        modal->close();
    shell.reset();
    RegisterFolderPicker(nullptr);
    QApplication::processEvents();
}

// A window that nobody answers, or that its answer leaves open, would keep the test waiting for
// ever: it fails the test and is closed.
void GuiFixture::AnswerModal() {
    QWidget* modal = QApplication::activeModalWidget();
    if (modal == nullptr)
        return;
    // Each window is answered once: a box stays up until its answer's events have run.
    if (modal->property("answered").toBool()) {
        if (m_answeredAt.elapsed() > 3000) {
            ADD_FAILURE() << "still open after its answer: " << modal->windowTitle().toStdString();
            m_answeredAt.start();
            modal->close();
        }
        return;
    }
    modal->setProperty("answered", true);
    m_answeredAt.start();
    if (answers.empty()) {
        // Answers are queued before the click that opens a window.
        ADD_FAILURE() << "unexpected modal window: " << modal->windowTitle().toStdString();
        modal->close();
        return;
    }
    auto answer = std::move(answers.front());
    answers.pop_front();
    answer(*modal);
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

void GuiFixture::Start(const std::string& ini) {
    MakeFolders(ini);
    shell.reset();  // one window at a time, as in the program
    shell = std::make_unique<brannock_qt::QtShell>(clock, dir.str("prog") + "/brannock");
}

void GuiFixture::StartAndLoad(const std::string& ini) {
    Start(ini);
    Main(shell->form);
}

std::intmax_t GuiFixture::MirroredSize(const std::string& name) const {
    for (const auto& entry : fs::recursive_directory_iterator(dir.path() / "dest")) {
        if (entry.path().filename() == name)
            return static_cast<std::intmax_t>(entry.file_size());
    }
    return -1;
}
