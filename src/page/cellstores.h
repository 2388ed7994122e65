#pragma once

#include <array>
#include <memory>

namespace dayloom {

class TWPRtfStorage;

// The rich text of the 42 day cells, one store per grid position (row by
// row, left to right; in a planner one per row), plus the always empty
// store clearing copies from. The stores belong to positions, not to dates.
class CellStores {
public:
    static constexpr int Count = 42;

    CellStores();
    ~CellStores();
    CellStores(const CellStores&) = delete;
    CellStores& operator=(const CellStores&) = delete;

    // Store k (1..42); null when k is out of range.
    TWPRtfStorage* Store(int k) const;
    TWPRtfStorage* Blank() const { return m_blank.get(); }
    // Store k takes a copy of the text; false when k is out of range.
    bool SetText(int k, const TWPRtfStorage& text);
    // Every store takes a copy of the blank store's (empty) text.
    void Clear();
    // At least one store is not empty.
    bool HasText() const;

private:
    std::array<std::unique_ptr<TWPRtfStorage>, Count> m_stores;
    std::unique_ptr<TWPRtfStorage> m_blank;
};

}  // namespace dayloom
