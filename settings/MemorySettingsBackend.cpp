#include "settings/MemorySettingsBackend.h"

struct MemorySettingsBackend::Node
{
    QString name;
    std::vector<std::unique_ptr<Node>> children;
    Values values;

    Node* child(const QString& childName) const
    {
        for (const auto& c : children) {
            if (c->name.compare(childName, Qt::CaseInsensitive) == 0)
                return c.get();
        }
        return nullptr;
    }
};

namespace {

QStringList splitKey(const QString& key)
{
    return key.split(QLatin1Char('\\'), Qt::SkipEmptyParts);
}

} // namespace

MemorySettingsBackend::MemorySettingsBackend()
    : m_root(std::make_unique<Node>())
{
}

MemorySettingsBackend::~MemorySettingsBackend() = default;

MemorySettingsBackend::Node* MemorySettingsBackend::find(const QString& key) const
{
    Node* node = m_root.get();
    for (const QString& part : splitKey(key)) {
        node = node->child(part);
        if (!node)
            return nullptr;
    }
    return node;
}

MemorySettingsBackend::Node* MemorySettingsBackend::findOrCreate(const QString& key)
{
    Node* node = m_root.get();
    for (const QString& part : splitKey(key)) {
        Node* next = node->child(part);
        if (!next) {
            node->children.push_back(std::make_unique<Node>());
            next = node->children.back().get();
            next->name = part;
        }
        node = next;
    }
    return node;
}

std::optional<QString> MemorySettingsBackend::value(const QString& key, const QString& name) const
{
    const Node* node = find(key);
    if (!node)
        return std::nullopt;
    for (const auto& [n, v] : node->values) {
        if (n.compare(name, Qt::CaseInsensitive) == 0)
            return v;
    }
    return std::nullopt;
}

bool MemorySettingsBackend::setValue(const QString& key, const QString& name, const QString& text)
{
    Node* node = findOrCreate(key);
    for (auto& [n, v] : node->values) {
        if (n.compare(name, Qt::CaseInsensitive) == 0) {
            v = text;
            return true;
        }
    }
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
    QStringList parts = splitKey(key);
    if (parts.isEmpty()) {
        m_root = std::make_unique<Node>();
        return;
    }
    const QString last = parts.takeLast();
    Node* parent = find(parts.join(QLatin1Char('\\')));
    if (!parent)
        return;
    std::erase_if(parent->children,
                  [&](const std::unique_ptr<Node>& c) { return c->name.compare(last, Qt::CaseInsensitive) == 0; });
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
