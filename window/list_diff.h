#pragma once

#include <QListWidget>

#include <string>
#include <vector>

// How showItems changed a list.
enum class ListChange { None, Appended, Shrunk, Rebuilt };

// Shows the items in the list with as little work as the change allows: appends what grew,
// removes what an undo took off the end, and empties and refills a list whose shown items are
// no longer a start of the board's or the board's a start of them (the board's lists only grow
// at the end, shrink from it or are replaced, so the first and the last common item tell
// which). Items are made by makeItem(text, row).
template <typename MakeItem>
ListChange showItems(QListWidget* list, const std::vector<std::string>& items, MakeItem makeItem)
{
    auto shows = [list](std::size_t row, const std::string& text) {
        return list->item(static_cast<int>(row))->text() == QString::fromStdString(text);
    };
    const auto shown = static_cast<std::size_t>(list->count());
    const std::size_t common = std::min(shown, items.size());
    const bool sameStart
        = common == 0 || (shows(0, items.front()) && shows(common - 1, items[common - 1]));

    if (items.empty() && shown > 0) {
        list->clear();
        return ListChange::Rebuilt;
    }
    if (sameStart && items.size() < shown) {
        while (static_cast<std::size_t>(list->count()) > items.size())
            delete list->takeItem(list->count() - 1);
        return ListChange::Shrunk;
    }
    if (!sameStart)
        list->clear();
    const auto start = static_cast<std::size_t>(list->count());
    for (auto i = start; i < items.size(); ++i)
        list->addItem(makeItem(QString::fromStdString(items[i]), i));
    if (!sameStart)
        return ListChange::Rebuilt;
    return start < items.size() ? ListChange::Appended : ListChange::None;
}
