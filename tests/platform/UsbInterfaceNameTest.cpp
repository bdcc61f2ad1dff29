#include "serial/UsbInterfaceName.h"

#include <gtest/gtest.h>

using namespace Qt::StringLiterals;

namespace {

struct NameCase {
    const char *name;
    QString interfaceName;
    QString hardwareId;
    QString instanceId;
    quint16 vendorId;
    quint16 productId;
};

void PrintTo(const NameCase &c, std::ostream *os)
{
    *os << c.name;
}

class UsbInterfaceNames : public ::testing::TestWithParam<NameCase> {};

TEST_P(UsbInterfaceNames, GiveRegistryKeyAndIds)
{
    const NameCase &c = GetParam();
    const UsbInterfaceName n = UsbInterfaceName::parse(c.interfaceName);
    EXPECT_EQ(n.hardwareId, c.hardwareId);
    EXPECT_EQ(n.instanceId, c.instanceId);
    EXPECT_EQ(n.vendorId, c.vendorId);
    EXPECT_EQ(n.productId, c.productId);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, UsbInterfaceNames,
    ::testing::Values(
        NameCase{"Ch340", u"\\\\?\\USB#VID_1A86&PID_7523#5&2a4b8c1&0&2#{a5dcbf10-6530-11d2-901f-00c04fb951ed}"_s,
                 u"VID_1A86&PID_7523"_s, u"5&2a4b8c1&0&2"_s, 0x1a86, 0x7523},
        NameCase{"LowerCaseUno", u"\\\\?\\usb#vid_2341&pid_0043#85736323838351F0E1A1#{a5dcbf10-6530-11d2-901f-00c04fb951ed}"_s,
                 u"vid_2341&pid_0043"_s, u"85736323838351F0E1A1"_s, 0x2341, 0x0043},
        NameCase{"InterfaceOfACompositeDevice", u"\\\\?\\USB#VID_0403&PID_6001&MI_00#7&1&0#{x}"_s,
                 u"VID_0403&PID_6001&MI_00"_s, u"7&1&0"_s, 0x0403, 0x6001},
        NameCase{"NoInstance", u"\\\\?\\USB#VID_0403&PID_6001"_s, u"VID_0403&PID_6001"_s, QString(), 0x0403, 0x6001},
        NameCase{"NotAnInterfaceName", u"COM3"_s, QString(), QString(), 0, 0}),
    [](const ::testing::TestParamInfo<NameCase> &info) { return std::string(info.param.name); });

} // namespace
