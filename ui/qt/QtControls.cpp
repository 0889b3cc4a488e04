#include "ui/qt/QtControls.h"

#include <QAbstractButton>
#include <QAction>
#include <QByteArray>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QProgressBar>
#include <QTimer>
#include <algorithm>

#include "ui/qt/QtText.h"

namespace brannock_qt {
namespace {

// The program's own bytes ride along with each list item, next to the text Qt shows.
constexpr int kRawTextRole = Qt::UserRole;

QByteArray Raw(const std::string& text) {
    return QByteArray(text.data(), static_cast<qsizetype>(text.size()));
}

}  // namespace

// --- WidgetControl -----------------------------------------------------------------------

template <class Interface>
bool WidgetControl<Interface>::Enabled() const {
    return m_widget->isEnabled();
}

template <class Interface>
void WidgetControl<Interface>::SetEnabled(bool enabled) {
    m_widget->setEnabled(enabled);
}

template <class Interface>
void WidgetControl<Interface>::SetFocus() {
    m_widget->setFocus(Qt::OtherFocusReason);
}

template class WidgetControl<ITextBox>;
template class WidgetControl<IListBox>;
template class WidgetControl<IButton>;
template class WidgetControl<IPictureButton>;

// --- QtTextBox ---------------------------------------------------------------------------

QtTextBox::QtTextBox(QLineEdit* edit) : WidgetControl(edit), m_edit(edit) {}

std::string QtTextBox::Text() const {
    // Unchanged since the program wrote it: give back what was written, byte for byte.
    const QString now = m_edit->text();
    return now == m_shown ? m_written : FromQ(now);
}

void QtTextBox::SetText(const std::string& text) {
    m_written = text;
    m_shown = ToQ(text);
    m_edit->setText(m_shown);
}

// --- QtListBox ---------------------------------------------------------------------------

QtListBox::QtListBox(QListWidget* list) : WidgetControl(list), m_list(list) {
    m_list->setSelectionMode(QAbstractItemView::SingleSelection);
    m_list->setSortingEnabled(false);
}

int QtListBox::ListCount() const {
    return m_list->count();
}

std::string QtListBox::List(int index) const {
    const QListWidgetItem* item = m_list->item(index);
    if (item == nullptr)
        return {};
    const QByteArray raw = item->data(kRawTextRole).toByteArray();
    return std::string(raw.constData(), static_cast<std::size_t>(raw.size()));
}

void QtListBox::SetList(int index, const std::string& text) {
    QListWidgetItem* item = m_list->item(index);
    if (item == nullptr)
        return;
    item->setText(ToQ(text));
    item->setToolTip(ToQ(text));  // the whole entry, however narrow the list
    item->setData(kRawTextRole, Raw(text));
}

void QtListBox::AddItem(const std::string& text) {
    auto* item = new QListWidgetItem(ToQ(text));
    item->setToolTip(ToQ(text));
    item->setData(kRawTextRole, Raw(text));
    m_list->addItem(item);
}

void QtListBox::RemoveItem(int index) {
    if (index < 0 || index >= m_list->count())
        return;
    const bool wasSelected = ListIndex() == index;
    delete m_list->takeItem(index);
    // Qt moves the current row to a neighbour; a list box forgets its selection instead.
    if (wasSelected)
        SetListIndex(-1);
}

int QtListBox::ListIndex() const {
    const QList<QListWidgetItem*> selected = m_list->selectedItems();
    return selected.isEmpty() ? -1 : m_list->row(selected.first());
}

void QtListBox::SetListIndex(int index) {
    if (index < 0 || index >= m_list->count()) {
        m_list->clearSelection();
        m_list->setCurrentRow(-1);
        return;
    }
    m_list->setCurrentRow(index, QItemSelectionModel::ClearAndSelect);
}

// --- Buttons and labels ------------------------------------------------------------------

QtButton::QtButton(QAbstractButton* button) : WidgetControl(button), m_button(button) {
    m_caption = FromQ(button->text());
}

void QtButton::SetCaption(const std::string& caption) {
    m_caption = caption;
    m_button->setText(ToQ(caption));
}

QtPictureButton::QtPictureButton(QAbstractButton* button, QtPicture picture)
    : WidgetControl(button), m_caption(button), m_picture(std::move(picture)) {
    button->setIcon(m_picture.Icon());
}

QtLabel::QtLabel(QLabel* label) : m_label(label) {
    m_label->setTextFormat(Qt::PlainText);
    m_caption = FromQ(label->text());
}

void QtLabel::SetCaption(const std::string& caption) {
    m_caption = caption;
    m_label->setText(ToQ(caption));
}

// --- Status bar and progress bar ---------------------------------------------------------

QtStatusPanel::QtStatusPanel(QLabel* label) : m_label(label) {
    m_label->setTextFormat(Qt::PlainText);
}

// The sync sets the same status before every file. A text the label still shows as this
// panel last wrote it is left alone: converting it again and setting the tip (which sends the
// label an event even when unchanged) would cost more per file than the file's own check.
void QtStatusPanel::SetText(const std::string& text) {
    if (text == m_text && m_label->text() == m_shownText)
        return;
    m_text = text;
    m_shownText = ToQ(text);
    m_label->setText(m_shownText);
}

void QtStatusPanel::SetToolTipText(const std::string& text) {
    if (text == m_toolTip && m_label->toolTip() == m_shownToolTip)
        return;
    m_toolTip = text;
    m_shownToolTip = ToQ(text);
    m_label->setToolTip(m_shownToolTip);  // an empty tip shows none
}

QtProgressBar::QtProgressBar(QProgressBar* bar) : m_bar(bar) {
    m_bar->setRange(0, 100);
    m_value = m_bar->value() < 0 ? 0 : m_bar->value();
}

void QtProgressBar::SetValue(int value) {
    m_value = value;
    // Qt ignores a value outside the range; the bar shows it at the nearer end instead.
    m_bar->setValue(std::clamp(value, m_bar->minimum(), m_bar->maximum()));
}

bool QtProgressBar::Visible() const {
    // Its own state, whether or not the window around it is shown.
    return !m_bar->isHidden();
}

void QtProgressBar::SetVisible(bool visible) {
    m_bar->setVisible(visible);
}

// --- Timer and menu item -----------------------------------------------------------------

QtTimer::QtTimer(QTimer* timer) : m_timer(timer) {
    m_timer->setSingleShot(false);
    m_timer->setTimerType(Qt::CoarseTimer);
}

void QtTimer::SetInterval(int milliseconds) {
    m_interval = milliseconds;
    if (milliseconds <= 0) {
        m_timer->stop();
        return;
    }
    m_timer->start(milliseconds);  // (re)starts the count from zero
}

bool QtMenuItem::Checked() const {
    return m_action->isChecked();
}

void QtMenuItem::SetChecked(bool checked) {
    m_action->setChecked(checked);
}

}  // namespace brannock_qt
