#include "serial/windows/RegistryKey.h"

#include <iterator>
#include <vector>

RegistryKey::RegistryKey(HKEY root, const QString &path)
{
    HKEY key = nullptr;
    if (RegOpenKeyExW(root, reinterpret_cast<const wchar_t *>(path.utf16()), 0, KEY_READ, &key) == ERROR_SUCCESS)
        fKey = key;
}

RegistryKey::~RegistryKey()
{
    if (fKey)
        RegCloseKey(fKey);
}

QStringList RegistryKey::subkeys() const
{
    QStringList names;
    if (!fKey)
        return names;
    wchar_t name[256];
    for (DWORD i = 0;; ++i) {
        DWORD length = DWORD(std::size(name));
        if (RegEnumKeyExW(fKey, i, name, &length, nullptr, nullptr, nullptr, nullptr) != ERROR_SUCCESS)
            break;
        names << QString::fromWCharArray(name, int(length));
    }
    return names;
}

QStringList RegistryKey::valueNames() const
{
    QStringList names;
    if (!fKey)
        return names;
    wchar_t name[16384];
    for (DWORD i = 0;; ++i) {
        DWORD length = DWORD(std::size(name));
        if (RegEnumValueW(fKey, i, name, &length, nullptr, nullptr, nullptr, nullptr) != ERROR_SUCCESS)
            break;
        names << QString::fromWCharArray(name, int(length));
    }
    return names;
}

std::optional<QString> RegistryKey::stringValue(const QString &name) const
{
    if (!fKey)
        return std::nullopt;
    const auto *valueName = reinterpret_cast<const wchar_t *>(name.utf16());
    DWORD type = 0;
    DWORD bytes = 0;
    if (RegQueryValueExW(fKey, valueName, nullptr, &type, nullptr, &bytes) != ERROR_SUCCESS
        || (type != REG_SZ && type != REG_EXPAND_SZ))
        return std::nullopt;
    std::vector<wchar_t> buffer(bytes / sizeof(wchar_t) + 1, L'\0');
    if (RegQueryValueExW(fKey, valueName, nullptr, &type, reinterpret_cast<BYTE *>(buffer.data()), &bytes)
        != ERROR_SUCCESS)
        return std::nullopt;
    // The stored text may or may not end with its terminating zero.
    return QString::fromWCharArray(buffer.data());
}
