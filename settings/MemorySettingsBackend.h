#pragma once

#include "settings/SettingsBackend.h"

#include <QMap>
#include <memory>
#include <vector>

// A settings tree kept in memory: the backend of the tests and of the
// command-line tool's overrides. Names keep the case of their first write.
class MemorySettingsBackend : public SettingsBackend
{
public:
    MemorySettingsBackend();
    ~MemorySettingsBackend() override;

    std::optional<QString> value(const QString& key, const QString& name) const override;
    bool setValue(const QString& key, const QString& name, const QString& text) override;
    bool createKey(const QString& key) override;
    bool keyExists(const QString& key) const override;
    QStringList subKeys(const QString& key) const override;
    Values values(const QString& key) const override;

    // Removes a key with everything below it.
    void removeKey(const QString& key);
    // Copies every key and value of another backend below the given key.
    void copyFrom(const SettingsBackend& other, const QString& key);

private:
    struct Node;
    Node* find(const QString& key) const;
    Node* findOrCreate(const QString& key);

    std::unique_ptr<Node> m_root;
    // The key last found, for a copy that reads or writes the values of a
    // key one after the other.
    mutable QString m_lastKey;
    mutable Node* m_lastNode = nullptr;
};
