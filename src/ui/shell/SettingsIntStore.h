#pragma once

#include "shell/IntSettings.h"

#include <QSettings>

// Integer (and text) values in one group of the program's per-user settings,
// QSettings("Ombrinex", "Vimsel"). Writes reach the disk in the background, so a
// window that saves on every resize step does not write a file each time.
class SettingsIntStore : public IntSettings {
public:
    explicit SettingsIntStore(const QString &group);

    std::optional<int> readInt(const QString &key) const override;
    void writeInt(const QString &key, int value) override;
    QString readText(const QString &key) const override;
    void writeText(const QString &key, const QString &value) override;

    static QString organisation() { return QStringLiteral("Ombrinex"); }
    static QString application() { return QStringLiteral("Vimsel"); }

private:
    QString key(const QString &name) const { return fGroup + u'/' + name; }

    QString fGroup;
    QSettings fSettings;
};
