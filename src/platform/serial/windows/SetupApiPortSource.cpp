#include "serial/windows/SetupApiPortSource.h"

#include <windows.h>

#include <setupapi.h>

#include <vector>

QStringList SetupApiPortSource::listPorts(DebugLog &) const
{
    QStringList ports;
    GUID guid;
    DWORD count = 0;
    if (!SetupDiClassGuidsFromNameW(L"Ports", &guid, 1, &count) || count == 0)
        return ports;
    const HDEVINFO devices = SetupDiGetClassDevsW(&guid, nullptr, nullptr, DIGCF_PRESENT);
    if (devices == INVALID_HANDLE_VALUE)
        return ports;
    SP_DEVINFO_DATA device;
    device.cbSize = sizeof(device);
    for (DWORD i = 0; SetupDiEnumDeviceInfo(devices, i, &device); ++i) {
        const HKEY key = SetupDiOpenDevRegKey(devices, &device, DICS_FLAG_GLOBAL, 0, DIREG_DEV, KEY_READ);
        if (key == INVALID_HANDLE_VALUE)
            continue;
        DWORD type = 0;
        DWORD bytes = 0;
        if (RegQueryValueExW(key, L"PortName", nullptr, &type, nullptr, &bytes) == ERROR_SUCCESS && type == REG_SZ) {
            std::vector<wchar_t> name(bytes / sizeof(wchar_t) + 1, L'\0');
            if (RegQueryValueExW(key, L"PortName", nullptr, &type, reinterpret_cast<BYTE *>(name.data()), &bytes)
                == ERROR_SUCCESS) {
                const QString port = QString::fromWCharArray(name.data());
                if (port.startsWith(QStringLiteral("COM")))
                    ports << port;
            }
        }
        RegCloseKey(key);
    }
    SetupDiDestroyDeviceInfoList(devices);
    return ports;
}
