#include "support/ProjectFixture.h"

#include "blocks/KeloError.h"
#include "blocks/TKeloCommandVarBlock.h"
#include "blocks/TKeloVarBlock.h"
#include "devices/DeviceTypes.h"

namespace {

class ValueSlot : public ProjectFixture {
protected:
    TKeloBlock *host() { return place(u"Περίμενε %p1 χιλιοστά δευτερολέπτου"_s); }
    TKeloBlock *distanceOf(int position)
    {
        TKeloBlock *v = place(u"%pd → Απόσταση"_s);
        v->DeviceComboChange(position);
        return v;
    }
    void addTwoSensors()
    {
        project.devices().AddDevice(DeviceTypes::UltraSonic, &prompt);
        project.devices().AddDevice(DeviceTypes::UltraSonic, &prompt);
    }
};

TEST_F(ValueSlot, ReadingBindsTheHostAndLeavingUnbindsIt)
{
    addTwoSensors();
    TKeloBlock *h = host();
    TKeloBlock *v = distanceOf(0);
    ASSERT_EQ(v->PDevice(), 0);
    h->SetVarParam1(v);
    EXPECT_EQ(h->VarParam1(), v);
    EXPECT_EQ(v->parentBlock(), h);
    EXPECT_EQ(h->PDevice(), 0);
    EXPECT_FALSE(h->ctrl1.visible);
    EXPECT_EQ(h->GetArduinoCommand(1), u"delay(USonic_0.distanceFront());"_s);

    h->SetVarParam1(nullptr);
    EXPECT_EQ(h->PDevice(), -1);
    EXPECT_TRUE(h->ctrl1.visible);
    EXPECT_EQ(v->parentArea(), &ws().canvas());
    EXPECT_EQ(h->GetArduinoCommand(1), u"delay(1000);"_s);
}

TEST_F(ValueSlot, ReadingOfAnotherDeviceIsRefused)
{
    addTwoSensors();
    TKeloBlock *h = host();
    h->SetPDevice(1);
    TKeloBlock *v = distanceOf(0);
    try {
        h->SetVarParam1(v);
        FAIL() << "expected the device error";
    } catch (const KeloError &e) {
        EXPECT_EQ(e.message(), u"Error device has already a device ID"_s);
    }
    EXPECT_EQ(h->VarParam1(), nullptr);
    EXPECT_EQ(h->PDevice(), 1);
    // The block can still be dragged away as from a slot.
    v->SetParent(&ws().canvas());
    EXPECT_TRUE(h->childBlocks().empty());
}

TEST_F(ValueSlot, ValueBlocksShrinkInsideAHost)
{
    project.variables().Newvar(u"x"_s);
    TKeloBlock *v = pb.placeVariable(u"x"_s);
    EXPECT_EQ(v->Height(), 42);
    const int w = v->Width();
    TKeloBlock *h = host();
    h->SetVarParam1(v);
    EXPECT_EQ(v->Width(), w - 4);
    EXPECT_EQ(v->Height(), 30);
    EXPECT_EQ(v->marginTop, 2);
    h->SetVarParam1(nullptr);
    EXPECT_EQ(v->Height(), 42);
    EXPECT_EQ(v->marginTop, 0);
}

TEST_F(ValueSlot, VariableInSlotAndVariableCommand)
{
    project.variables().Newvar(u"Θέση Χ"_s);
    project.variables().Newvar(u"Μετρητής"_s);
    auto *set = static_cast<TKeloCommandVarBlock *>(place(u"Βάλε τιμή %p1 στην Μεταβλητή %p2"_s));
    set->VarComboChange(1);
    set->SetParam1(7);
    EXPECT_EQ(set->GetArduinoCommand(1), u"Metritis=7;"_s);
    set->SetVarParam1(pb.placeVariable(u"Θέση Χ"_s));
    EXPECT_EQ(set->GetArduinoCommand(1), u"Metritis=Thesi_Ch;"_s);
    EXPECT_FALSE(set->Param2Visible());

    auto *change = static_cast<TKeloCommandVarBlock *>(place(u"Άλλαξε κατά %p1 την Μεταβλητή %p2"_s));
    change->SetParam1(1);
    EXPECT_EQ(change->GetParam2(), -1);
    EXPECT_EQ(change->GetArduinoCommand(1), u"NoVAR+=1;"_s);
}

TEST_F(ValueSlot, VariableListKeepsThePositionNotTheName)
{
    struct Case {
        int selected;
        const char16_t *deleted;
        const char16_t *expected;  // nullptr: nothing selected
    } cases[] = {
        {1, u"a", u"c"},
        {1, u"c", u"b"},
        {2, u"a", nullptr},
        {2, u"b", nullptr},
    };
    for (const Case &c : cases) {
        TArduVariables &vars = project.variables();
        vars.EmptyVars();
        for (const char16_t *n : {u"a", u"b", u"c"})
            vars.Newvar(QString::fromUtf16(n));
        auto *set = static_cast<TKeloCommandVarBlock *>(place(u"Βάλε τιμή %p1 στην Μεταβλητή %p2"_s));
        set->VarComboChange(c.selected);
        vars.DeleteVar(QString::fromUtf16(c.deleted));
        if (c.expected) {
            EXPECT_EQ(set->GetParam2(), vars.GetVarByName(QString::fromUtf16(c.expected))->VarID);
        } else {
            EXPECT_EQ(set->GetParam2(), -1);
        }
    }
}

} // namespace
