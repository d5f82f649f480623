// What the main window's list of configurations shows: each configuration's
// name and IP address as they were at the last refill, in ascending order of
// the name. The list view holds no rows of its own (it asks for the text of
// the rows it draws), so showing a long list costs one sort, not one insert
// per row into the control.
#pragma once

#include <cstddef>
#include <vector>

#include "config/ConfigurationList.h"

class ConfigurationRows {
public:
    // Takes the rows afresh from `list`. False when memory ran out; there are
    // then no rows (the list itself is untouched).
    bool Fill(const ConfigurationList& list);

    std::size_t Size() const { return rows_.size(); }

    // Column 0 is the name, column 1 the IP address; "" for a cell that does
    // not exist.
    const char* Text(std::size_t row, int column) const;

    // Keyboard search: the first row from `start` on, going round to the top
    // when `wrap`, whose name equals `text` (or begins with it when
    // `partial`), case ignored; -1 when there is none.
    int Find(int start, const char* text, bool partial, bool wrap) const;

    // Whether the list view's search flags (LVFI_*) ask for a row by its text.
    static bool IsTextSearch(unsigned flags);
    // Find, as the list view's search flags ask: PARTIAL or SUBSTRING for a
    // name that begins with `text`, STRING or WRAP alone for the whole name,
    // WRAP to go round; -1 for a search by anything but text.
    int FindTyped(int start, const char* text, unsigned flags) const;

private:
    // Every name and address, each ended by '\0'; a row's address follows
    // its name.
    std::vector<char> text_;
    std::vector<std::size_t> rows_;  // where each row's name starts in text_
};
