#include "ui/qt/HelpWindow.h"

#include <QDialog>
#include <QFile>
#include <QFileInfo>
#include <QGuiApplication>
#include <QScreen>
#include <QTextBrowser>
#include <QTextDocument>
#include <QVBoxLayout>

#include "ui/AppInfo.h"
#include "ui/qt/AppPictures.h"
#include "ui/qt/Placement.h"

namespace brannock_qt {
namespace {

constexpr const char* kObjectName = "HelpWindow";

class HelpWindow : public QDialog {
  public:
    explicit HelpWindow(QWidget* owner) : QDialog(owner), m_view(new QTextBrowser(this)) {
        setObjectName(QString::fromLatin1(kObjectName));
        setWindowTitle(QString::fromLatin1(app::kTitle) + QStringLiteral(" Help"));
        setWindowIcon(AppIcon());
        setWindowFlag(Qt::WindowContextHelpButtonHint, false);
        setWindowFlag(Qt::WindowMaximizeButtonHint, true);
        setModal(false);
        m_view->setObjectName(QStringLiteral("helpText"));
        m_view->setOpenExternalLinks(true);
        m_view->setReadOnly(true);
        // Text that touches the window's edge is hard to read.
        m_view->document()->setDocumentMargin(fontMetrics().averageCharWidth() * 2);
        auto* layout = new QVBoxLayout(this);
        layout->setContentsMargins(0, 0, 0, 0);
        layout->addWidget(m_view);
        resize(InitialSize());
    }

    void ShowText(const QString& markdown) {
        m_view->setMarkdown(markdown);
        m_view->moveCursor(QTextCursor::Start);
        if (!isVisible())
            CentreOver(*this, parentWidget());
        show();
        raise();
        activateWindow();
        m_view->setFocus();
    }

  private:
    // Wide enough for a line of text at a comfortable length, tall enough for a screenful.
    QSize InitialSize() const {
        const int line = fontMetrics().averageCharWidth() * 110;
        QSize size(line, line * 4 / 5);
        if (const QScreen* screen = this->screen())
            size = size.boundedTo(screen->availableGeometry().size() * 9 / 10);
        return size;
    }

    QTextBrowser* m_view;
};

}  // namespace

bool ShowHelpWindow(QWidget* owner, const QString& file) {
    QFile help(file);
    if (!QFileInfo(file).isFile() || !help.open(QIODevice::ReadOnly))
        return false;
    const QString text = QString::fromUtf8(help.readAll());
    auto* window =
        owner->findChild<HelpWindow*>(QString::fromLatin1(kObjectName), Qt::FindDirectChildrenOnly);
    if (window == nullptr)
        window = new HelpWindow(owner);
    window->ShowText(text);
    return true;
}

}  // namespace brannock_qt
