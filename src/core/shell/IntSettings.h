#pragma once

#include <QHash>
#include <QSet>
#include <QString>
#include <optional>

// Integer values stored under names, as the per-user settings of the window keep
// them, and the odd text beside them (the name of the chosen port). The window reads
// and writes them through QSettings; tests keep them in memory.
class IntSettings {
public:
    virtual ~IntSettings() = default;
    // Nothing when the value is missing or is not an integer.
    virtual std::optional<int> readInt(const QString &key) const = 0;
    virtual void writeInt(const QString &key, int value) = 0;
    // Empty when the value is missing.
    virtual QString readText(const QString &key) const = 0;
    virtual void writeText(const QString &key, const QString &value) = 0;
};

// Values in memory; a key listed in unreadable reads as damaged.
class MemoryIntSettings : public IntSettings {
public:
    std::optional<int> readInt(const QString &key) const override
    {
        if (unreadable.contains(key) || !values.contains(key))
            return std::nullopt;
        return values.value(key);
    }
    void writeInt(const QString &key, int value) override
    {
        values.insert(key, value);
        unreadable.remove(key);
        ++writes;
    }
    QString readText(const QString &key) const override { return texts.value(key); }
    void writeText(const QString &key, const QString &value) override
    {
        texts.insert(key, value);
        ++writes;
    }
    QHash<QString, int> values;
    QHash<QString, QString> texts;
    QSet<QString> unreadable;
    int writes = 0;
};
