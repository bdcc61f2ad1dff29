#include "serial/windows/WindowsUsbNotifier.h"

#include "serial/UsbInterfaceName.h"
#include "serial/windows/RegistryKey.h"

#include <dbt.h>

using namespace Qt::StringLiterals;

namespace {

const wchar_t *const WindowClass = L"VimselUsbNotifier";
// GUID_DEVINTERFACE_USB_DEVICE {A5DCBF10-6530-11D2-901F-00C04FB951ED}
const GUID UsbDeviceInterface = {0xA5DCBF10, 0x6530, 0x11D2, {0x90, 0x1F, 0x00, 0xC0, 0x4F, 0xB9, 0x51, 0xED}};

} // namespace

WindowsUsbNotifier::~WindowsUsbNotifier()
{
    stop();
}

bool WindowsUsbNotifier::start(Handler handler)
{
    stop();
    fHandler = std::move(handler);
    const HINSTANCE instance = GetModuleHandleW(nullptr);
    WNDCLASSEXW windowClass{};
    windowClass.cbSize = sizeof(windowClass);
    windowClass.lpfnWndProc = &WindowsUsbNotifier::WindowProc;
    windowClass.hInstance = instance;
    windowClass.lpszClassName = WindowClass;
    // A second notifier finds the class registered already.
    RegisterClassExW(&windowClass);
    fWindow = CreateWindowExW(0, WindowClass, L"", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr, instance, nullptr);
    if (!fWindow)
        return false;
    SetWindowLongPtrW(fWindow, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));

    DEV_BROADCAST_DEVICEINTERFACE_W filter{};
    filter.dbcc_size = sizeof(filter);
    filter.dbcc_devicetype = DBT_DEVTYP_DEVICEINTERFACE;
    filter.dbcc_classguid = UsbDeviceInterface;
    fNotification = RegisterDeviceNotificationW(fWindow, &filter, DEVICE_NOTIFY_WINDOW_HANDLE);
    if (!fNotification) {
        stop();
        return false;
    }
    return true;
}

void WindowsUsbNotifier::stop()
{
    if (fNotification)
        UnregisterDeviceNotification(fNotification);
    if (fWindow)
        DestroyWindow(fWindow);
    fNotification = nullptr;
    fWindow = nullptr;
}

LRESULT CALLBACK WindowsUsbNotifier::WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_DEVICECHANGE) {
        auto *self = reinterpret_cast<WindowsUsbNotifier *>(GetWindowLongPtrW(window, GWLP_USERDATA));
        if (self)
            self->HandleDeviceChange(wParam, lParam);
        return TRUE;
    }
    return DefWindowProcW(window, message, wParam, lParam);
}

void WindowsUsbNotifier::HandleDeviceChange(WPARAM event, LPARAM data)
{
    if (event != DBT_DEVICEARRIVAL && event != DBT_DEVICEREMOVECOMPLETE)
        return;
    const auto *header = reinterpret_cast<const DEV_BROADCAST_HDR *>(data);
    if (!header || header->dbch_devicetype != DBT_DEVTYP_DEVICEINTERFACE)
        return;
    const auto *device = reinterpret_cast<const DEV_BROADCAST_DEVICEINTERFACE_W *>(header);
    const UsbInterfaceName name = UsbInterfaceName::parse(QString::fromWCharArray(device->dbcc_name));

    UsbDeviceEvent out;
    out.inserted = event == DBT_DEVICEARRIVAL;
    out.vendorId = name.vendorId;
    out.productId = name.productId;
    if (!name.hardwareId.isEmpty()) {
        const RegistryKey key(HKEY_LOCAL_MACHINE,
                              u"SYSTEM\\CurrentControlSet\\Enum\\USB\\"_s + name.hardwareId + u'\\' + name.instanceId);
        out.description = key.stringValue(u"DeviceDesc"_s).value_or(QString());
    }
    if (fHandler)
        fHandler(out);
}
