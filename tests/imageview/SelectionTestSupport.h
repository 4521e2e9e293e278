#pragma once
// Selections written as rows of text, top row first: '#' selected, '.' not.

#include <string>
#include <vector>

#include "platform/imageview/SelectionMask.h"

namespace imageview_test {

inline std::vector<std::string> Rows(const imageview::SelectionMask& mask) {
    std::vector<std::string> rows;
    for (int32_t y = 0; y < mask.Height(); ++y) {
        std::string row;
        for (int32_t x = 0; x < mask.Width(); ++x) row += mask.Contains(x, y) ? '#' : '.';
        rows.push_back(row);
    }
    return rows;
}

inline imageview::SelectionMask FromRows(const std::vector<std::string>& rows) {
    imageview::SelectionMask mask(rows.empty() ? 0 : int32_t(rows[0].size()), int32_t(rows.size()));
    for (size_t y = 0; y < rows.size(); ++y) {
        for (size_t x = 0; x < rows[y].size(); ++x)
            mask.Set(int32_t(x), int32_t(y), rows[y][x] == '#');
    }
    return mask;
}

}  // namespace imageview_test
