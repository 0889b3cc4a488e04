#include "ui/headless/HeadlessControls.h"

#include <stdexcept>

std::string HeadlessListBox::List(int index) const {
    return items.at(static_cast<std::size_t>(index));
}

void HeadlessListBox::SetList(int index, const std::string& text) {
    items.at(static_cast<std::size_t>(index)) = text;
}

void HeadlessListBox::RemoveItem(int index) {
    if (index < 0 || index >= ListCount())
        throw std::out_of_range("RemoveItem");
    items.erase(items.begin() + index);
    // A list box loses its selection when the selected item goes.
    if (listIndex == index)
        listIndex = -1;
    else if (listIndex > index)
        --listIndex;
}

void HeadlessListBox::SetListIndex(int index) {
    if (index < -1 || index >= ListCount())
        throw std::out_of_range("SetListIndex");
    listIndex = index;
}
