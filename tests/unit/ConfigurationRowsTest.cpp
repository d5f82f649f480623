// The main window's rows: sorted as comparing the names in the user's locale
// sorts them, and found again by what is typed.
#include <windows.h>

#include <commctrl.h>

#include <algorithm>
#include <string>
#include <utility>
#include <vector>

#include <gtest/gtest.h>

#include "ConfigTestSupport.h"
#include "ui/ConfigurationRows.h"

namespace {

using Cells = std::vector<std::pair<std::string, std::string>>;

Cells Shown(const ConfigurationRows& rows) {
    Cells cells;
    for (std::size_t row = 0; row < rows.Size(); ++row)
        cells.emplace_back(rows.Text(row, 0), rows.Text(row, 1));
    return cells;
}

ConfigurationRows RowsOf(const Cells& records) {
    ConfigurationList list;
    for (const auto& record : records)
        EXPECT_TRUE(list.Append(MakeRecord({record.first, false, record.second})));
    ConfigurationRows rows;
    EXPECT_TRUE(rows.Fill(list));
    return rows;
}

TEST(ConfigurationRowsTest, SortedAsTheLocaleComparesNamesWithEqualNamesInListOrder) {
    // Case, blanks, hyphens and apostrophes, digits, punctuation, accented
    // letters of the ANSI code page, the empty name, a name cut to 127
    // characters, and names equal to each other.
    Cells records = {{"zeta", "1"},
                     {"Zeta", "2"},
                     {"co-op", "3"},
                     {"coop", "4"},
                     {"Home", "5"},
                     {"", "6"},
                     {"home", "7"},
                     {"Home", "8"},
                     {"10 Lab", "9"},
                     {"9 Lab", "10"},
                     {"\xc9tage", "11"},
                     {"Etage", "12"},
                     {"_x", "13"},
                     {"[x", "14"},
                     {"Oficina 2", "15"},
                     {"Oficina", "16"},
                     {"It's", "17"},
                     {"Its", "18"},
                     {std::string(200, 'a'), "19"},
                     {"", "20"}};
    const ConfigurationRows rows = RowsOf(records);

    for (auto& record : records)
        record.first.resize(std::min<std::size_t>(record.first.size(), kTextFieldSize - 1));
    std::stable_sort(records.begin(), records.end(), [](const auto& a, const auto& b) {
        return CompareStringA(LOCALE_USER_DEFAULT, 0, a.first.c_str(), -1, b.first.c_str(), -1) ==
               CSTR_LESS_THAN;
    });
    EXPECT_EQ(Shown(rows), records);
    EXPECT_STREQ(rows.Text(rows.Size(), 0), "");
    EXPECT_STREQ(rows.Text(0, 2), "");
}

TEST(ConfigurationRowsTest, TypedTextFindsTheNextRowWhoseNameItBegins) {
    const ConfigurationRows rows =
        RowsOf({{"Alfa", ""}, {"Beta", ""}, {"beta 2", ""}, {"Casa", ""}, {"Oficina", ""}});
    const struct {
        int start;
        const char* text;
        bool partial;
        bool wrap;
        int row;
    } cases[] = {
        {0, "b", true, true, 1},          {2, "b", true, true, 2},     {3, "b", true, true, 1},
        {3, "b", true, false, -1},        {0, "BETA", false, true, 1}, {0, "bet", false, true, -1},
        {0, "oficina x", true, true, -1}, {99, "a", true, true, 0},    {0, "x", true, true, -1},
    };
    for (const auto& c : cases)
        EXPECT_EQ(rows.Find(c.start, c.text, c.partial, c.wrap), c.row)
            << c.text << " from " << c.start;

    // As the list view asks: SUBSTRING is PARTIAL, WRAP alone is STRING.
    constexpr unsigned kSubstring = 0x0004;
    const struct {
        unsigned flags;
        int start;
        const char* text;
        int row;
    } asked[] = {
        {LVFI_PARTIAL | LVFI_WRAP, 3, "b", 1},
        {kSubstring | LVFI_WRAP, 3, "B", 1},
        {kSubstring, 3, "b", -1},
        {kSubstring, 0, "CAS", 3},
        {LVFI_WRAP, 3, "beta", 1},
        {LVFI_WRAP, 3, "bet", -1},
        {LVFI_STRING, 2, "beta", -1},
        {LVFI_STRING | LVFI_WRAP, 2, "BETA", 1},
        {LVFI_PARAM, 0, "alfa", -1},
        {LVFI_PARAM | LVFI_WRAP, 0, "alfa", -1},
        {LVFI_NEARESTXY | LVFI_WRAP, 0, "alfa", -1},
        {0, 0, "alfa", -1},
    };
    for (const auto& c : asked)
        EXPECT_EQ(rows.FindTyped(c.start, c.text, c.flags), c.row)
            << c.text << " from " << c.start << " with flags " << c.flags;
}

}  // namespace
