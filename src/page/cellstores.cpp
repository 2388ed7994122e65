#include "page/cellstores.h"

#include "richtext/twprtfstorage.h"

namespace dayloom {

CellStores::CellStores() : m_blank(std::make_unique<TWPRtfStorage>())
{
    for (auto& s : m_stores)
        s = std::make_unique<TWPRtfStorage>();
}

CellStores::~CellStores() = default;

TWPRtfStorage* CellStores::Store(int k) const
{
    return k >= 1 && k <= Count ? m_stores[k - 1].get() : nullptr;
}

bool CellStores::SetText(int k, const TWPRtfStorage& text)
{
    TWPRtfStorage* store = Store(k);
    if (!store)
        return false;
    if (&text != store)
        store->Assign(text);
    return true;
}

void CellStores::Clear()
{
    for (auto& s : m_stores)
        s->Assign(*m_blank);
}

bool CellStores::HasText() const
{
    for (const auto& s : m_stores)
        if (!s->IsEmpty())
            return true;
    return false;
}

}  // namespace dayloom
