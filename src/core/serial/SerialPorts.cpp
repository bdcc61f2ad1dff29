#include "serial/SerialPorts.h"

#include "serial/PortAccess.h"
#include "serial/PortPermissionHelp.h"
#include "serial/PortSource.h"
#include "shell/IntSettings.h"
#include "util/DebugLog.h"
#include "util/IniFile.h"
#include "util/UserPrompt.h"

#include <QDir>
#include <algorithm>

using namespace Qt::StringLiterals;

SerialPorts::SerialPorts(std::vector<std::unique_ptr<PortSource>> sources, IntSettings &settings, DebugLog &log,
                         UserPrompt *prompt, const PortAccess *access)
    : fSources(std::move(sources)), fSettings(settings), fLog(log), fPrompt(prompt), fAccess(access)
{
}

SerialPorts::~SerialPorts() = default;

QString SerialPorts::noPortsText()
{
    return u"Δεν βρέθηκαν σειριακές πόρτες επικοινωνίας. Εγκαταστήστε το Arduino."_s;
}

QString SerialPorts::ReadBluetoothPortSetting(const QString &folder)
{
    IniFile ini(QDir(folder).filePath(bluetoothIniName()));
    if (!ini.load())
        return QString();
    return ini.readString(u"Bluetooth"_s, u"ComPort"_s);
}

QStringList SerialPorts::sortedPortList(QStringList names)
{
    names.removeAll(QString());
    names.removeDuplicates();
    std::sort(names.begin(), names.end(), [](const QString &a, const QString &b) {
        const int folded = a.compare(b, Qt::CaseInsensitive);
        return folded != 0 ? folded < 0 : a < b;
    });
    return names;
}

void SerialPorts::RefreshPorts(const QString &fixedPort)
{
    if (!fixedPort.isEmpty()) {
        fPorts = QStringList{fixedPort};
        fBtIndex = 0;
    } else {
        QStringList found;
        for (const std::unique_ptr<PortSource> &source : fSources)
            found += source->listPorts(fLog);
        fPorts = sortedPortList(std::move(found));
        if (!fPorts.isEmpty())
            fBtIndex = 0;
    }

    // The same board may now sit at another position in the list: its name decides.
    const QString chosen = fSettings.readText(portKey());
    const qsizetype byName = chosen.isEmpty() ? -1 : fPorts.indexOf(chosen);
    if (byName >= 0)
        fBtIndex = int(byName);
    else
        LoadPortIndex();
    // Not written back: the stored index still applies when the ports return.
    if (fBtIndex >= fPorts.size())
        fBtIndex = int(fPorts.size()) - 1;

    if (fBtIndex == -1) {
        if (fPrompt)
            fPrompt->showMessage(noPortsText(), UserPrompt::Icon::Warning);
        return;
    }
    explainIfRefused();
}

void SerialPorts::listInBackground(const QString &fixedPort)
{
    if (!fixedPort.isEmpty())
        return;
    for (const std::unique_ptr<PortSource> &source : fSources)
        source->listInBackground();
}

void SerialPorts::PortSelected(int index)
{
    if (index < 0 || index >= fPorts.size())
        return;
    fBtIndex = index;
    SavePortIndex();
    explainIfRefused();
}

void SerialPorts::LoadPortIndex()
{
    // Only a choice of the user is ever stored, and that is never negative: a
    // negative value would select no port while ports exist.
    const std::optional<int> stored = fSettings.readInt(indexKey());
    if (stored && *stored >= 0)
        fBtIndex = *stored;
}

void SerialPorts::SavePortIndex()
{
    fSettings.writeInt(indexKey(), fBtIndex);
    fSettings.writeText(portKey(), selectedPort());
}

QString SerialPorts::selectedPort() const
{
    return fBtIndex >= 0 && fBtIndex < fPorts.size() ? fPorts.at(fBtIndex) : QString();
}

QString SerialPorts::shownText() const
{
    const QString port = selectedPort();
    return port.isEmpty() ? noneText() : port;
}

void SerialPorts::explainIfRefused()
{
    const QString port = selectedPort();
    if (!fAccess || port.isEmpty() || !fAccess->permissionDenied(port))
        return;
    for (const QString &line : PortPermissionHelp::lines(port))
        fLog.AddDebug(line);
}
