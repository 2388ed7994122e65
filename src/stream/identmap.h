#pragma once

#include <initializer_list>
#include <optional>
#include <utility>
#include <vector>

#include <QString>

namespace dayloom {

// Names for some values of an integer type (colours, cursors, character
// sets). The writer uses the first name listed for a value; the reader also
// accepts aliases. Names are compared ignoring case.
class IdentMap {
public:
    using Entry = std::pair<const char*, qint64>;

    IdentMap(std::initializer_list<Entry> names, std::initializer_list<Entry> aliases = {});

    std::optional<QString> ToIdent(qint64 value) const;
    std::optional<qint64> FromIdent(const QString& ident) const;

private:
    std::vector<Entry> m_names;
    std::vector<Entry> m_aliases;
};

}  // namespace dayloom
