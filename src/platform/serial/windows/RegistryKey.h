#pragma once

#include <QString>
#include <QStringList>
#include <optional>

#include <windows.h>

// A registry key opened for reading, closed with the object.
class RegistryKey {
public:
    RegistryKey(HKEY root, const QString &path);
    ~RegistryKey();
    RegistryKey(const RegistryKey &) = delete;
    RegistryKey &operator=(const RegistryKey &) = delete;

    bool isOpen() const { return fKey != nullptr; }
    QStringList subkeys() const;
    QStringList valueNames() const;
    // The text of a string value; nothing when it is missing or not a string.
    std::optional<QString> stringValue(const QString &name) const;

private:
    HKEY fKey = nullptr;
};
