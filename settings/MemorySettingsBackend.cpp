#include "settings/MemorySettingsBackend.h"

#include <QHash>

namespace {

// Names match without regard to case: they are looked up by their case-folded form.
QString folded(const QString& name)
{
    return name.toCaseFolded();
}

QStringList splitKey(const QString& key)
{
    return key.split(QLatin1Char('\\'), Qt::SkipEmptyParts);
}

} // namespace

// A key: its sub-keys and values in the order of their first write, each
// also indexed by its folded name, so that a store of many thousands of
// sections is built and read in linear time.
struct MemorySettingsBackend::Node
{
    QString name;
    std::vector<std::unique_ptr<Node>> children;
    QHash<QString, Node*> childIndex;
    Values values;
    QHash<QString, qsizetype> valueIndex;

    Node* child(const QString& childName) const { return childIndex.value(folded(childName)); }

    Node* addChild(const QString& childName)
    {
        children.push_back(std::make_unique<Node>());
        Node* added = children.back().get();
        added->name = childName;
        childIndex.insert(folded(childName), added);
        return added;
    }

    void removeChild(const QString& childName)
    {
        const QString key = folded(childName);
        if (!childIndex.remove(key))
            return;
        std::erase_if(children, [&](const std::unique_ptr<Node>& c) { return folded(c->name) == key; });
    }
};

MemorySettingsBackend::MemorySettingsBackend()
    : m_root(std::make_unique<Node>())
{
}

MemorySettingsBackend::~MemorySettingsBackend() = default;

MemorySettingsBackend::Node* MemorySettingsBackend::find(const QString& key) const
{
    if (m_lastNode && key == m_lastKey)
        return m_lastNode;
    Node* node = m_root.get();
    for (const QString& part : splitKey(key)) {
        node = node->child(part);
        if (!node)
            return nullptr;
    }
    m_lastKey = key;
    m_lastNode = node;
    return node;
}

MemorySettingsBackend::Node* MemorySettingsBackend::findOrCreate(const QString& key)
{
    if (m_lastNode && key == m_lastKey)
        return m_lastNode;
    Node* node = m_root.get();
    for (const QString& part : splitKey(key)) {
        Node* next = node->child(part);
        node = next ? next : node->addChild(part);
    }
    m_lastKey = key;
    m_lastNode = node;
    return node;
}

std::optional<QString> MemorySettingsBackend::value(const QString& key, const QString& name) const
{
    const Node* node = find(key);
    if (!node)
        return std::nullopt;
    const auto at = node->valueIndex.constFind(folded(name));
    if (at == node->valueIndex.cend())
        return std::nullopt;
    return node->values.at(at.value()).second;
}

bool MemorySettingsBackend::setValue(const QString& key, const QString& name, const QString& text)
{
    Node* node = findOrCreate(key);
    const QString index = folded(name);
    const auto at = node->valueIndex.constFind(index);
    if (at != node->valueIndex.cend()) {
        node->values[at.value()].second = text;
        return true;
    }
    node->valueIndex.insert(index, node->values.size());
    node->values.append({name, text});
    return true;
}

bool MemorySettingsBackend::createKey(const QString& key)
{
    findOrCreate(key);
    return true;
}

bool MemorySettingsBackend::keyExists(const QString& key) const
{
    return find(key) != nullptr;
}

QStringList MemorySettingsBackend::subKeys(const QString& key) const
{
    QStringList names;
    if (const Node* node = find(key)) {
        names.reserve(static_cast<qsizetype>(node->children.size()));
        for (const auto& c : node->children)
            names.append(c->name);
    }
    return names;
}

SettingsBackend::Values MemorySettingsBackend::values(const QString& key) const
{
    const Node* node = find(key);
    return node ? node->values : Values{};
}

void MemorySettingsBackend::removeKey(const QString& key)
{
    m_lastNode = nullptr;
    QStringList parts = splitKey(key);
    if (parts.isEmpty()) {
        m_root = std::make_unique<Node>();
        return;
    }
    const QString last = parts.takeLast();
    if (Node* parent = find(parts.join(QLatin1Char('\\'))))
        parent->removeChild(last);
}

void MemorySettingsBackend::copyFrom(const SettingsBackend& other, const QString& key)
{
    if (!other.keyExists(key))
        return;
    createKey(key);
    for (const auto& [name, text] : other.values(key))
        setValue(key, name, text);
    for (const QString& sub : other.subKeys(key))
        copyFrom(other, key + QLatin1Char('\\') + sub);
}
