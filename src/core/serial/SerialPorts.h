#pragma once

#include <QString>
#include <QStringList>
#include <memory>
#include <vector>

class DebugLog;
class IntSettings;
class PortAccess;
class PortSource;
class UserPrompt;

// The program's port list and the selected index BtIndex (-1: none), which every
// user of the port reads. A refresh gathers the ports of all sources into one list,
// sorted ignoring case, each name once; a fixed port in "BTPort.ini" replaces the
// sources. The choice is kept in the per-user settings as "BtIndex" and, so that it
// follows the port when other ports come and go, as "BtPort", the port's name.
class SerialPorts {
public:
    SerialPorts(std::vector<std::unique_ptr<PortSource>> sources, IntSettings &settings, DebugLog &log,
                UserPrompt *prompt, const PortAccess *access = nullptr);
    ~SerialPorts();
    SerialPorts(const SerialPorts &) = delete;
    SerialPorts &operator=(const SerialPorts &) = delete;

    static QString indexKey() { return QStringLiteral("BtIndex"); }
    static QString portKey() { return QStringLiteral("BtPort"); }
    static QString bluetoothIniName() { return QStringLiteral("BTPort.ini"); }
    // Shown as a message when a refresh finds no port.
    static QString noPortsText();
    // What the selector shows without a port.
    static QString noneText() { return QStringLiteral("None"); }

    // The fixed port of "BTPort.ini" in folder (section "Bluetooth", key "ComPort");
    // empty when the file or the key is missing.
    static QString ReadBluetoothPortSetting(const QString &folder);
    // The names in the order of the port list: sorted ignoring case (names equal but
    // for case in a fixed order), each name once.
    static QStringList sortedPortList(QStringList names);

    // Rebuilds the list: fixedPort alone when it is not empty, otherwise every
    // source's ports (BtIndex 0 when there are any). The port chosen last is selected
    // again when it is listed; otherwise the stored index, brought within the list.
    // With no port: BtIndex -1 and the message noPortsText(). A selected port the user
    // may not open is explained in the debug list.
    void RefreshPorts(const QString &fixedPort);
    // Lets the sources start looking on other threads, for the next RefreshPorts() to
    // take up. A fixed port is all that is offered: then nothing is looked for.
    void listInBackground(const QString &fixedPort);
    // The user chose the port at index: it is selected and stored at once. An index
    // outside the list changes nothing.
    void PortSelected(int index);
    // The stored index; a missing, damaged or negative value leaves BtIndex as it is.
    void LoadPortIndex();
    void SavePortIndex();

    const QStringList &ports() const { return fPorts; }
    int BtIndex() const { return fBtIndex; }
    // The selected port's name, empty when none is selected.
    QString selectedPort() const;
    // The selector's text: the selected port, or "None".
    QString shownText() const;

private:
    void explainIfRefused();

    std::vector<std::unique_ptr<PortSource>> fSources;
    IntSettings &fSettings;
    DebugLog &fLog;
    UserPrompt *fPrompt;
    const PortAccess *fAccess;
    QStringList fPorts;
    int fBtIndex = -1;
};
