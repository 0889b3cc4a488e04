#include "ui/qt/AboutDialog.h"

#include <QDesktopServices>
#include <QDialog>
#include <QEnterEvent>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QMouseEvent>
#include <QPainter>
#include <QPushButton>
#include <QUrl>
#include <QVBoxLayout>

#include "ui/frmAbout.h"
#include "ui/qt/AppPictures.h"
#include "ui/qt/Placement.h"
#include "ui/qt/QtControls.h"
#include "ui/qt/QtText.h"

namespace brannock_qt {
namespace {

constexpr int kTextWidth = 380;
const QColor kLinkColour(0x1a, 0x3d, 0x8f);
const QColor kLinkHoverColour(0x00, 0x00, 0xff);

// A label that opens its target with the desktop's default program when clicked and turns pure
// blue while the pointer is over it. Without a target it is plain text and does nothing.
class LinkLabel : public QLabel, public ILink {
  public:
    LinkLabel(const char* name, QWidget* parent) : QLabel(parent), m_plain(palette()) {
        setObjectName(QString::fromLatin1(name));
        setTextFormat(Qt::PlainText);
        connect(this, &QLabel::linkActivated,
                [](const QString& target) { QDesktopServices::openUrl(QUrl(target)); });
    }

    std::string Caption() const override { return FromQ(text()); }
    void SetCaption(const std::string& caption) override { setText(ToQ(caption)); }
    std::string Target() const override { return m_target; }
    void SetTarget(const std::string& target) override {
        m_target = target;
        ShowState();
    }

  protected:
    void enterEvent(QEnterEvent* event) override {
        m_hovered = true;
        ShowState();
        QLabel::enterEvent(event);
    }
    void leaveEvent(QEvent* event) override {
        m_hovered = false;
        ShowState();
        QLabel::leaveEvent(event);
    }
    void mouseReleaseEvent(QMouseEvent* event) override {
        QLabel::mouseReleaseEvent(event);
        const bool clicked =
            event->button() == Qt::LeftButton && rect().contains(event->position().toPoint());
        if (clicked && IsLink()) {
            emit linkActivated(ToQ(m_target));
        }
    }

  private:
    bool IsLink() const { return !m_target.empty(); }

    void ShowState() {
        QPalette look = m_plain;
        QFont font = this->font();
        font.setUnderline(IsLink());
        if (IsLink()) {
            look.setColor(QPalette::WindowText, m_hovered ? kLinkHoverColour : kLinkColour);
            setCursor(Qt::PointingHandCursor);
            setToolTip(ToQ(m_target));
        } else {
            unsetCursor();
            setToolTip({});
        }
        setPalette(look);
        setFont(font);
    }

    QPalette m_plain;
    std::string m_target;
    bool m_hovered = false;
};

// The etched separator: a grey line with a white one under it, across the window.
class EtchedLine : public QWidget {
  public:
    explicit EtchedLine(QWidget* parent) : QWidget(parent) {
        setObjectName(QStringLiteral("Line1"));
        setFixedHeight(2);
        setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Fixed);
    }

  protected:
    void paintEvent(QPaintEvent*) override {
        QPainter painter(this);
        painter.setPen(QColor(0x80, 0x80, 0x80));
        painter.drawLine(0, 0, width() - 1, 0);
        painter.setPen(Qt::white);
        painter.drawLine(0, 1, width() - 1, 1);
    }
};

QLabel* NamedLabel(const char* name, QWidget* parent) {
    auto* label = new QLabel(parent);
    label->setObjectName(QString::fromLatin1(name));
    label->setTextFormat(Qt::PlainText);
    return label;
}

class AboutWindow : public QDialog, public IWindow {
  public:
    explicit AboutWindow(QWidget* owner)
        : QDialog(owner),
          m_picture1(NamedLabel("Picture1", this)),
          m_picIcon(NamedLabel("picIcon", this)),
          m_description(NamedLabel("lblDescription", this)),
          m_webCaption(NamedLabel("Label1", this)),
          m_mailCaption(NamedLabel("lblEmail", this)),
          m_disclaimer(NamedLabel("lblDisclaimer", this)),
          m_url1(new LinkLabel("Url1", this)),
          m_url2(new LinkLabel("Url2", this)),
          m_line1(new EtchedLine(this)),
          m_cmdOK(new QPushButton(QStringLiteral("OK"), this)),
          m_form(AboutControls{*this, m_lblDescription, m_label1, *m_url1, m_lblEmail, *m_url2,
                               m_lblDisclaimer}) {
        setWindowFlag(Qt::WindowContextHelpButtonHint, false);
        setWindowIcon(AppIcon());
        ShowPictures();
        m_disclaimer->setWordWrap(true);
        m_disclaimer->setFixedWidth(kTextWidth - 28);
        m_cmdOK->setObjectName(QStringLiteral("cmdOK"));
        m_cmdOK->setDefault(true);
        connect(m_cmdOK, &QPushButton::clicked, this, [this] { m_form.cmdOK_Click(); });
        LayOut();
    }

    // Builds the texts, as the window's load does before it is first shown, and leaves out
    // the link lines the build has no address for.
    void Load() {
        m_form.Form_Load();
        for (QLabel* label : {m_webCaption, static_cast<QLabel*>(m_url1), m_mailCaption,
                              static_cast<QLabel*>(m_url2)})
            label->setVisible(!label->text().isEmpty());
        adjustSize();
    }

    std::string Caption() const override { return FromQ(windowTitle()); }
    void SetCaption(const std::string& caption) override { setWindowTitle(ToQ(caption)); }
    void Unload() override { QDialog::done(QDialog::Accepted); }

  protected:
    // Esc and the close box come here: "OK" is also the cancel button.
    void reject() override { m_form.cmdOK_Click(); }

  private:
    void ShowPictures() {
        const qreal ratio = devicePixelRatioF();
        const QSize iconSize(32, 32);
        m_picture1->setPixmap(AppIcon().pixmap(iconSize, ratio));
        m_picture1->setFixedSize(iconSize);
        m_picIcon->setPixmap(AboutSidePicture(ratio));
        m_picIcon->setFixedSize(28, 84);
    }

    void LayOut() {
        auto* heading = new QHBoxLayout;
        heading->setSpacing(14);
        heading->addWidget(m_picture1, 0, Qt::AlignTop);
        heading->addWidget(m_description, 1);

        auto* links = m_links = new QGridLayout;
        links->setHorizontalSpacing(24);
        links->setVerticalSpacing(2);
        links->addWidget(m_webCaption, 0, 0);
        links->addWidget(m_url1, 1, 0);
        links->addWidget(m_mailCaption, 0, 1);
        links->addWidget(m_url2, 1, 1);
        links->setColumnStretch(0, 1);
        links->setColumnStretch(1, 1);

        auto* disclaimer = new QHBoxLayout;
        disclaimer->setSpacing(12);
        disclaimer->addWidget(m_picIcon, 0, Qt::AlignTop);
        disclaimer->addWidget(m_disclaimer, 1, Qt::AlignTop);

        auto* buttons = new QHBoxLayout;
        buttons->addStretch(1);
        buttons->addWidget(m_cmdOK);
        buttons->addStretch(1);

        auto* window = new QVBoxLayout(this);
        window->setSizeConstraint(QLayout::SetFixedSize);
        window->setContentsMargins(14, 14, 14, 12);
        window->setSpacing(12);
        window->addLayout(heading);
        window->addLayout(links);
        window->addWidget(m_line1);
        window->addLayout(disclaimer);
        window->addLayout(buttons);
    }

    QLabel* m_picture1;
    QLabel* m_picIcon;
    QLabel* m_description;
    QLabel* m_webCaption;
    QLabel* m_mailCaption;
    QLabel* m_disclaimer;
    LinkLabel* m_url1;
    LinkLabel* m_url2;
    QGridLayout* m_links = nullptr;
    EtchedLine* m_line1;
    QPushButton* m_cmdOK;
    QtLabel m_lblDescription{m_description};
    QtLabel m_label1{m_webCaption};
    QtLabel m_lblEmail{m_mailCaption};
    QtLabel m_lblDisclaimer{m_disclaimer};
    frmAbout m_form;
};

}  // namespace

void ShowAboutBox(QWidget* owner) {
    AboutWindow window(owner);
    window.Load();
    // Placed here rather than by the desktop: at start-up the owner is not mapped yet, and the
    // box would land in a corner of the screen.
    CentreOver(window, owner);
    window.exec();
}

}  // namespace brannock_qt
