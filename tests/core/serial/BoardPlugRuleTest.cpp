#include "serial/BoardPlugRule.h"

#include <gtest/gtest.h>

using namespace Qt::StringLiterals;

namespace {

enum class Expect { Nothing, RefreshAndConnected, Disconnected };

struct PlugCase {
    const char *name;
    UsbDeviceEvent event;
    Expect expect;
};

void PrintTo(const PlugCase &c, std::ostream *os)
{
    *os << c.name;
}

class BoardPlug : public ::testing::TestWithParam<PlugCase> {};

TEST_P(BoardPlug, ReactsToBoardsOnly)
{
    const PlugCase &c = GetParam();
    const std::optional<BoardPlugRule::Reaction> r = BoardPlugRule::react(c.event);
    switch (c.expect) {
    case Expect::Nothing:
        EXPECT_FALSE(r.has_value());
        break;
    case Expect::RefreshAndConnected:
        ASSERT_TRUE(r.has_value());
        EXPECT_TRUE(r->refresh);
        EXPECT_EQ(r->hint, u"Συνδέθηκε συσκευή Arduino"_s);
        break;
    case Expect::Disconnected:
        ASSERT_TRUE(r.has_value());
        EXPECT_FALSE(r->refresh);
        EXPECT_EQ(r->hint, u"Αποσυνδέθηκε συσκευή Arduino"_s);
        break;
    }
}

INSTANTIATE_TEST_SUITE_P(
    Cases, BoardPlug,
    ::testing::Values(
        PlugCase{"Ch340ByDescriptionArrives", {true, u"USB-SERIAL CH340 (COM5)"_s, 0, 0}, Expect::RefreshAndConnected},
        PlugCase{"Ch340ByDescriptionLeaves", {false, u"USB-SERIAL CH340"_s, 0, 0}, Expect::Disconnected},
        PlugCase{"Ch340ByIdWithPlainProductName", {true, u"USB Serial"_s, 0x1a86, 0x7523}, Expect::RefreshAndConnected},
        PlugCase{"Ch340ByIdLeaves", {false, QString(), 0x1a86, 0x7523}, Expect::Disconnected},
        PlugCase{"UnoR3", {true, u"Arduino Uno"_s, 0x2341, 0x0043}, Expect::RefreshAndConnected},
        PlugCase{"Mega2560", {true, QString(), 0x2341, 0x0010}, Expect::RefreshAndConnected},
        PlugCase{"Mega2560R3", {true, QString(), 0x2341, 0x0042}, Expect::RefreshAndConnected},
        PlugCase{"OldNanoFtdi", {true, u"FT232 Serial (UART) IC"_s, 0x0403, 0x6001}, Expect::RefreshAndConnected},
        PlugCase{"DescriptionComparedWithCase", {true, u"usb-serial ch340"_s, 0, 0}, Expect::Nothing},
        PlugCase{"MouseArrives", {true, u"USB Optical Mouse"_s, 0x046d, 0xc077}, Expect::Nothing},
        PlugCase{"MouseLeaves", {false, u"USB Optical Mouse"_s, 0x046d, 0xc077}, Expect::Nothing},
        PlugCase{"SameVendorOtherChip", {true, u"USB Serial"_s, 0x1a86, 0x55d4}, Expect::Nothing},
        PlugCase{"VendorAndProductOfDifferentBoards", {true, QString(), 0x0403, 0x0043}, Expect::Nothing}),
    [](const ::testing::TestParamInfo<PlugCase> &info) { return std::string(info.param.name); });

} // namespace
