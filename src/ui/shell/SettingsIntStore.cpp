#include "shell/SettingsIntStore.h"

SettingsIntStore::SettingsIntStore(const QString &group)
    : fGroup(group), fSettings(organisation(), application())
{
}

std::optional<int> SettingsIntStore::readInt(const QString &name) const
{
    const QVariant value = fSettings.value(key(name));
    if (!value.isValid())
        return std::nullopt;
    bool ok = false;
    const int number = value.toInt(&ok);
    return ok ? std::optional<int>(number) : std::nullopt;
}

void SettingsIntStore::writeInt(const QString &name, int value)
{
    fSettings.setValue(key(name), value);
}

QString SettingsIntStore::readText(const QString &name) const
{
    return fSettings.value(key(name)).toString();
}

void SettingsIntStore::writeText(const QString &name, const QString &value)
{
    fSettings.setValue(key(name), value);
}
