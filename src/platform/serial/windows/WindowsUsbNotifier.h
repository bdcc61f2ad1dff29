#pragma once

#include "serial/HotPlugMonitor.h"

#include <windows.h>

// USB devices arriving and leaving, from the device notifications of a hidden
// message-only window (interface class GUID_DEVINTERFACE_USB_DEVICE). The device's
// description is its "DeviceDesc" under HKEY_LOCAL_MACHINE\SYSTEM\CurrentControlSet\Enum\USB.
class WindowsUsbNotifier : public HotPlugMonitor {
public:
    WindowsUsbNotifier() = default;
    ~WindowsUsbNotifier() override;
    WindowsUsbNotifier(const WindowsUsbNotifier &) = delete;
    WindowsUsbNotifier &operator=(const WindowsUsbNotifier &) = delete;

    bool start(Handler handler) override;

private:
    static LRESULT CALLBACK WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
    void HandleDeviceChange(WPARAM event, LPARAM data);
    void stop();

    HWND fWindow = nullptr;
    HDEVNOTIFY fNotification = nullptr;
    Handler fHandler;
};
