#include "stream/componentclass.h"

#include <stdexcept>

namespace dayloom {

ComponentClass::ComponentClass(const QString& name, const QMetaObject* metaObject,
                               const ComponentClass* base)
    : m_name(name), m_metaObject(metaObject), m_base(base)
{
}

void ComponentClass::AddProperty(PropertyInfo info)
{
    if (info.name.isEmpty() || info.name.contains(QLatin1Char('.')))
        throw std::logic_error("property names must be plain identifiers");
    for (const PropertyInfo& p : m_properties) {
        if (p.name.compare(info.name, Qt::CaseInsensitive) == 0)
            throw std::logic_error("property registered twice: " + info.name.toStdString());
    }
    m_properties.push_back(std::move(info));
}

std::vector<const PropertyInfo*> ComponentClass::Properties() const
{
    std::vector<const PropertyInfo*> result;
    if (m_base)
        result = m_base->Properties();
    for (const PropertyInfo& p : m_properties) {
        // A derived class may redeclare a base property (new default, say):
        // it keeps the base's place in the order.
        bool replaced = false;
        for (const PropertyInfo*& q : result) {
            if (q->name.compare(p.name, Qt::CaseInsensitive) == 0) {
                q = &p;
                replaced = true;
                break;
            }
        }
        if (!replaced)
            result.push_back(&p);
    }
    return result;
}

const PropertyInfo* ComponentClass::FindProperty(const QString& name) const
{
    for (const ComponentClass* c = this; c; c = c->m_base) {
        for (const PropertyInfo& p : c->m_properties) {
            if (p.name.compare(name, Qt::CaseInsensitive) == 0)
                return &p;
        }
    }
    return nullptr;
}

}  // namespace dayloom
