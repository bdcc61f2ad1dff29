#include "serial/linux/UdevEventTranslator.h"

#include <gtest/gtest.h>

using namespace Qt::StringLiterals;

namespace {

using Props = QHash<QString, QString>;

struct UdevCase {
    const char *name;
    UdevEvent event;
    std::optional<UsbDeviceEvent> expected;
};

void PrintTo(const UdevCase &c, std::ostream *os)
{
    *os << c.name;
}

class UdevEvents : public ::testing::TestWithParam<UdevCase> {};

TEST_P(UdevEvents, BecomeArrivalsAndRemovals)
{
    const UdevCase &c = GetParam();
    const std::optional<UsbDeviceEvent> got = UdevEventTranslator::translate(c.event);
    ASSERT_EQ(got.has_value(), c.expected.has_value());
    if (!got)
        return;
    EXPECT_EQ(got->inserted, c.expected->inserted);
    EXPECT_EQ(got->description, c.expected->description);
    EXPECT_EQ(got->vendorId, c.expected->vendorId);
    EXPECT_EQ(got->productId, c.expected->productId);
}

const Props Ch340Parent{{u"idVendor"_s, u"1a86"_s}, {u"idProduct"_s, u"7523"_s}, {u"product"_s, u"USB Serial"_s}};

INSTANTIATE_TEST_SUITE_P(
    Cases, UdevEvents,
    ::testing::Values(
        UdevCase{"PortOfCh340Appears",
                 {u"add"_s, u"tty"_s, {}, Props{{u"ID_MODEL_FROM_DATABASE"_s, u"CH340 serial converter"_s}}, Ch340Parent},
                 UsbDeviceEvent{true, u"CH340 serial converter"_s, 0x1a86, 0x7523}},
        UdevCase{"PortWithoutDatabaseNameUsesProduct", {u"add"_s, u"tty"_s, {}, {}, Ch340Parent},
                 UsbDeviceEvent{true, u"USB Serial"_s, 0x1a86, 0x7523}},
        UdevCase{"BuiltInPortIsNoUsbDevice", {u"add"_s, u"tty"_s, {}, {}, {}}, std::nullopt},
        // The device comes before its port: the arrival waits for the port.
        UdevCase{"UsbDeviceAddedWaitsForItsPort",
                 {u"add"_s, u"usb"_s, u"usb_device"_s, Props{{u"PRODUCT"_s, u"1a86/7523/264"_s}}, {}}, std::nullopt},
        UdevCase{"UnoLeavesWithShortHexIds",
                 {u"remove"_s, u"usb"_s, u"usb_device"_s,
                  Props{{u"PRODUCT"_s, u"2341/43/1"_s}, {u"ID_MODEL_FROM_DATABASE"_s, u"Uno R3 (CDC ACM)"_s}}, {}},
                 UsbDeviceEvent{false, u"Uno R3 (CDC ACM)"_s, 0x2341, 0x0043}},
        UdevCase{"RemovalWithoutProductUsesIdProperties",
                 {u"remove"_s, u"usb"_s, u"usb_device"_s,
                  Props{{u"ID_VENDOR_ID"_s, u"0403"_s}, {u"ID_MODEL_ID"_s, u"6001"_s}, {u"ID_MODEL"_s, u"FT232R_USB_UART"_s}}, {}},
                 UsbDeviceEvent{false, u"FT232R_USB_UART"_s, 0x0403, 0x6001}},
        UdevCase{"InterfaceRemovalIsNotTheDevice",
                 {u"remove"_s, u"usb"_s, u"usb_interface"_s, Props{{u"PRODUCT"_s, u"1a86/7523/264"_s}}, {}}, std::nullopt},
        UdevCase{"PortRemovalLeavesItToTheDevice", {u"remove"_s, u"tty"_s, {}, {}, {}}, std::nullopt},
        UdevCase{"DriverBoundIsNoArrival", {u"bind"_s, u"usb"_s, u"usb_device"_s, {}, {}}, std::nullopt}),
    [](const ::testing::TestParamInfo<UdevCase> &info) { return std::string(info.param.name); });

TEST(UdevEventTranslator, HexIds)
{
    EXPECT_EQ(UdevEventTranslator::hexId(u"7523"_s), 0x7523);
    EXPECT_EQ(UdevEventTranslator::hexId(u"43"_s), 0x0043);
    EXPECT_EQ(UdevEventTranslator::hexId(u"C077"_s), 0xc077);
    EXPECT_EQ(UdevEventTranslator::hexId(u"12345"_s), 0);
    EXPECT_EQ(UdevEventTranslator::hexId(u"xyz"_s), 0);
    EXPECT_EQ(UdevEventTranslator::hexId(QString()), 0);
}

} // namespace
