#include "platform/forms/ControlRegistry.h"

#include "platform/forms/BuiltinControls.h"

namespace forms {

ControlRegistry& ControlRegistry::instance()
{
    static ControlRegistry registry;
    return registry;
}

ControlRegistry::ControlRegistry()
{
    registerBuiltinControls(*this);
}

void ControlRegistry::registerKind(const QString& kind, ControlFactory factory)
{
    m_factories.insert(kind, std::move(factory));
}

bool ControlRegistry::hasKind(const QString& kind) const
{
    return m_factories.contains(kind);
}

QWidget* ControlRegistry::create(const QString& kind, QWidget* parent, const QJsonObject& description) const
{
    const auto it = m_factories.constFind(kind);
    if (it == m_factories.constEnd() || !*it)
        return nullptr;
    return (*it)(parent, description);
}

void ControlRegistry::restoreBuiltins()
{
    registerBuiltinControls(*this);
}

} // namespace forms
