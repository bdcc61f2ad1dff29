#include "DeviceFormTestSupport.h"
#include "devices/DeviceTypes.h"
#include "devices/TfrmTemp.h"

#include <QComboBox>
#include <QSpinBox>
#include <gtest/gtest.h>

using namespace Qt::StringLiterals;

namespace {

struct StoredType {
    const char *name;
    int stored;
    const char *shown;
    int settled;
};

class TempFormType : public ::testing::TestWithParam<StoredType> {};

TEST_P(TempFormType, ListShowsStoredTypeAndRecordSettles)
{
    const StoredType c = GetParam();
    ActiveDevices devices;
    const int k = addDevice(devices, DeviceTypes::Temp, {4, c.stored});
    TfrmTemp form(devices, k, shippedImagesDir());
    form.show();

    EXPECT_EQ(form.TypeList()->currentText(), QString::fromUtf8(c.shown));
    EXPECT_EQ(devices.device(k).ActDevParams[2], c.settled);
    EXPECT_EQ(form.ParamSE(2)->value(), c.settled);
    EXPECT_EQ(form.pictureFile(), shippedImagesDir() + u"/DHT%1.jpg"_s.arg(c.settled));
}

INSTANTIATE_TEST_SUITE_P(DeviceForms, TempFormType,
                         ::testing::Values(StoredType{"Fresh", 0, "DHT22", 22},
                                           StoredType{"Dht11", 11, "DHT11", 11},
                                           StoredType{"Dht21", 21, "DHT21", 21},
                                           StoredType{"Dht22", 22, "DHT22", 22},
                                           StoredType{"Unknown", 30, "DHT22", 22}),
                         [](const auto &info) { return std::string(info.param.name); });

TEST(DeviceForms, TempChoosingAnEntryStoresItsNumber)
{
    ActiveDevices devices;
    const int k = addDevice(devices, DeviceTypes::Temp);
    TfrmTemp form(devices, k, shippedImagesDir());
    form.show();

    form.TypeList()->setCurrentIndex(0);
    EXPECT_EQ(devices.device(k).ActDevParams[2], 11);
    EXPECT_TRUE(form.pictureFile().endsWith(u"/DHT11.jpg"_s));

    // AM2301 speaks the DHT21 protocol and is shown as such.
    form.TypeList()->setCurrentIndex(3);
    EXPECT_EQ(devices.device(k).ActDevParams[2], 21);
    EXPECT_EQ(form.TypeList()->currentText(), u"DHT21"_s);
}

TEST(DeviceForms, TempTypeSurvivesBoardChanges)
{
    ActiveDevices devices;
    const int k = addDevice(devices, DeviceTypes::Temp, {3, 21});
    TfrmTemp form(devices, k, shippedImagesDir());
    form.show();

    for (int board : {2, 0, 2})
        devices.setBoardTypeId(board);
    form.hide();
    form.show();
    EXPECT_EQ(devices.device(k).ActDevParams[2], 21);
    EXPECT_EQ(form.TypeList()->currentText(), u"DHT21"_s);
}

} // namespace
