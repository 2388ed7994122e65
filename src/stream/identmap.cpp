#include "stream/identmap.h"

namespace dayloom {

IdentMap::IdentMap(std::initializer_list<Entry> names, std::initializer_list<Entry> aliases)
    : m_names(names), m_aliases(aliases)
{
}

std::optional<QString> IdentMap::ToIdent(qint64 value) const
{
    for (const Entry& e : m_names) {
        if (e.second == value)
            return QString::fromLatin1(e.first);
    }
    return std::nullopt;
}

std::optional<qint64> IdentMap::FromIdent(const QString& ident) const
{
    for (const auto* list : {&m_names, &m_aliases}) {
        for (const Entry& e : *list) {
            if (ident.compare(QLatin1String(e.first), Qt::CaseInsensitive) == 0)
                return e.second;
        }
    }
    return std::nullopt;
}

}  // namespace dayloom
