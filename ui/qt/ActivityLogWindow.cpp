#include "ui/qt/ActivityLogWindow.h"

#include <QDialog>
#include <QFontDatabase>
#include <QPlainTextEdit>
#include <QScreen>
#include <QScrollBar>
#include <QTextCursor>
#include <QTimer>
#include <QVBoxLayout>
#include <memory>

#include "ui/AppInfo.h"
#include "ui/LogFollower.h"
#include "ui/qt/AppPictures.h"
#include "ui/qt/Placement.h"

namespace brannock_qt {
namespace {

constexpr const char* kObjectName = "ActivityLogWindow";

// Lines as the view holds them: without the last line feed, which would show an empty line.
QString Shown(std::string lines) {
    if (!lines.empty() && lines.back() == '\n')
        lines.pop_back();
    return QString::fromUtf8(lines.data(), static_cast<qsizetype>(lines.size()));
}

class ActivityLogWindow : public QDialog {
  public:
    explicit ActivityLogWindow(QWidget* owner) : QDialog(owner), m_view(new QPlainTextEdit(this)) {
        setObjectName(QString::fromLatin1(kObjectName));
        setWindowTitle(QString::fromLatin1(app::kTitle) + QStringLiteral(" Activity Log"));
        setWindowIcon(AppIcon());
        setWindowFlag(Qt::WindowContextHelpButtonHint, false);
        setWindowFlag(Qt::WindowMaximizeButtonHint, true);
        setModal(false);
        m_view->setObjectName(QStringLiteral("logText"));
        m_view->setReadOnly(true);
        // One event a line, its columns (time, event word) under one another.
        m_view->setLineWrapMode(QPlainTextEdit::NoWrap);
        m_view->setFont(QFontDatabase::systemFont(QFontDatabase::FixedFont));
        auto* layout = new QVBoxLayout(this);
        layout->setContentsMargins(0, 0, 0, 0);
        layout->addWidget(m_view);
        resize(InitialSize());
        m_poll.setInterval(kLogPollMilliseconds);
        QObject::connect(&m_poll, &QTimer::timeout, this, [this] { Poll(); });
        // Following is what the reader chose: the view at its end follows, one moved up stays.
        // The range also changes on its own (a scroll bar that comes with a long line), and
        // then a following view is taken to the end again.
        QScrollBar* bar = m_view->verticalScrollBar();
        QObject::connect(bar, &QScrollBar::valueChanged, this,
                         [this, bar](int value) { m_following = value == bar->maximum(); });
        QObject::connect(bar, &QScrollBar::rangeChanged, this, [this, bar](int, int maximum) {
            if (m_following)
                bar->setValue(maximum);
        });
    }

    void Follow(const std::string& path) {
        const bool fresh = !isVisible() || m_follower == nullptr || m_follower->Path() != path;
        if (!isVisible())
            CentreOver(*this, parentWidget());
        if (isMinimized())
            showNormal();
        else
            show();
        raise();
        activateWindow();
        m_view->setFocus();
        if (fresh) {
            m_follower = std::make_unique<logview::LogFollower>(path);
            Reload();
        } else {
            Poll();
        }
        m_poll.start();
    }

  protected:
    // A hidden window neither reads the log nor keeps its text.
    void hideEvent(QHideEvent* event) override {
        m_poll.stop();
        m_view->clear();
        QDialog::hideEvent(event);
    }

  private:
    void Reload() {
        m_following = true;
        m_view->setPlainText(Shown(m_follower->ReadAll()));
        ScrollToEnd();
    }

    void Poll() {
        std::string added;
        switch (m_follower->Poll(added)) {
            case logview::LogFollower::Change::kNone:
                return;
            case logview::LogFollower::Change::kBegunAnew:
                return Reload();
            case logview::LogFollower::Change::kAdded:
                return Append(Shown(std::move(added)));
        }
    }

    // The view follows the new lines while it shows the end; a user reading further up keeps
    // the place.
    void Append(const QString& lines) {
        const bool atEnd = m_following;
        QTextCursor end(m_view->document());
        end.movePosition(QTextCursor::End);
        end.insertText(m_view->document()->isEmpty() ? lines : QLatin1Char('\n') + lines);
        if (atEnd)
            ScrollToEnd();
    }

    // The newest line in sight, from its start.
    void ScrollToEnd() {
        m_view->verticalScrollBar()->setValue(m_view->verticalScrollBar()->maximum());
        m_view->horizontalScrollBar()->setValue(0);
    }

    // Wide enough for most events on one line, tall enough for a screenful.
    QSize InitialSize() const {
        const int line = m_view->fontMetrics().averageCharWidth() * 120;
        QSize size(line, line * 3 / 5);
        if (const QScreen* screen = this->screen())
            size = size.boundedTo(screen->availableGeometry().size() * 9 / 10);
        return size;
    }

    QPlainTextEdit* m_view;
    QTimer m_poll;
    bool m_following = true;
    std::unique_ptr<logview::LogFollower> m_follower;
};

}  // namespace

void ShowActivityLogWindow(QWidget* owner, const std::string& path) {
    auto* window = owner->findChild<ActivityLogWindow*>(QString::fromLatin1(kObjectName),
                                                        Qt::FindDirectChildrenOnly);
    if (window == nullptr)
        window = new ActivityLogWindow(owner);
    window->Follow(path);
}

}  // namespace brannock_qt
