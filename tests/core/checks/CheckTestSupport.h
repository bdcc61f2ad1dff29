#pragma once

#include "support/ProjectFixture.h"

#include "blocks/TKeloContainerBlock.h"
#include "blocks/TKeloControlElseBlock.h"
#include "checks/CheckContext.h"
#include "checks/CheckRule.h"
#include "devices/ActiveDevices.h"

#include <QHash>
#include <functional>
#include <optional>
#include <ostream>

// A small project built in code for the rule tables: a program hanging below a start
// block, devices with their pins, variables, a board. Blocks the expectations name
// are tagged; a finding about a block is then written with its tag.
class CheckScene {
public:
    CheckScene(Project &project, ProgramBuilder &pb) : fProject(project), fPb(pb) {}

    // The start block; the main chain grows below it.
    TKeloBlock *start()
    {
        fTail = fPb.place(u"Έναρξη προγράμματος"_s);
        return fTail;
    }
    // Places a block with the given first number (when the block has one) and links it
    // at the end of the main chain, or at the end of a container's body.
    TKeloBlock *add(const QString &text, std::optional<int> param = {}, TKeloContainerBlock *into = nullptr)
    {
        TKeloBlock *b = fPb.place(text);
        EXPECT_NE(b, nullptr) << qPrintable(text);
        if (!b)
            return nullptr;
        if (param)
            b->SetParam1(*param);
        if (into) {
            fPb.intoBody(into, b);
        } else if (fTail) {
            if (auto *c = dynamic_cast<TKeloContainerBlock *>(fTail))
                fPb.after(c, b);
            else
                fPb.below(fTail, b);
            fTail = b;
        }
        return b;
    }
    // A block on the canvas that nothing links to.
    TKeloBlock *loose(const QString &text, std::optional<int> param = {})
    {
        TKeloBlock *b = fPb.place(text);
        if (b && param)
            b->SetParam1(*param);
        return b;
    }
    TKeloBlock *configure(int pin, bool output = true, TKeloContainerBlock *into = nullptr)
    {
        return add(output ? u"Διαμόρφωσε το pin %p1 για έξοδο"_s : u"Διαμόρφωσε το pin %p1 για είσοδο"_s, pin, into);
    }
    TKeloBlock *write(int pin, bool high = true, TKeloContainerBlock *into = nullptr)
    {
        return add(high ? u"Θέσε το pin %p1 σε 1 (high=5 Volt)"_s : u"Θέσε το pin %p1 σε 0 (low=0 Volt)"_s, pin, into);
    }
    TKeloControlElseBlock *read(int pin, TKeloContainerBlock *into = nullptr)
    {
        auto *c = static_cast<TKeloControlElseBlock *>(add(u"Εάν το pin %p2 %p1 είναι 1 (high=5 Volt)"_s, {}, into));
        c->SetParam2(pin);
        return c;
    }
    TKeloBlock *wait(int ms, TKeloContainerBlock *into = nullptr)
    {
        return add(u"Περίμενε %p1 χιλιοστά δευτερολέπτου"_s, ms, into);
    }
    TKeloContainerBlock *loopForever(TKeloContainerBlock *into = nullptr)
    {
        return static_cast<TKeloContainerBlock *>(add(u"Επανάλαβε συνεχώς"_s, {}, into));
    }
    // Drops a value block of the variable into a block's first slot.
    TKeloBlock *variableInSlot1(TKeloBlock *host, const QString &name)
    {
        TKeloBlock *v = fPb.placeVariable(name);
        host->SetVarParam1(v);
        return v;
    }
    // A device block bound to the first device of its type.
    TKeloBlock *deviceBlock(const QString &text, TKeloContainerBlock *into = nullptr)
    {
        TKeloBlock *b = add(text, {}, into);
        if (b)
            b->DeviceComboChange(0);
        return b;
    }

    // A device with its parameters from entry 1 on; returns its name.
    QString device(int typeId, std::initializer_list<int> params = {})
    {
        ActiveDevices &d = fProject.devices();
        const int k = d.AddDevice(typeId, fProject.prompt());
        int i = 1;
        for (int p : params)
            d.SetParam(k, i++, p);
        return d.device(k).Name;
    }
    void variable(const QString &name) { fProject.variables().Newvar(name); }
    Project &project() { return fProject; }
    ProgramBuilder &builder() { return fPb; }
    void board(int typeId) { fProject.devices().setBoardTypeId(typeId); }

    TKeloBlock *tag(const QString &name, TKeloBlock *b)
    {
        fTags.insert(b->Name(), name);
        return b;
    }
    // "W rule subject" or "E rule subject": a block by its tag (its name when
    // untagged), a device by its name, a variable in «».
    QString describe(const Finding &f) const
    {
        QString subject = f.name;
        if (f.subject == Finding::Subject::Block)
            subject = u'@' + fTags.value(f.name, f.name);
        else if (f.subject == Finding::Subject::Variable)
            subject = u'«' + f.name + u'»';
        return (f.isError() ? u"E "_s : u"W "_s) + f.rule + u' ' + subject;
    }

private:
    Project &fProject;
    ProgramBuilder &fPb;
    TKeloBlock *fTail = nullptr;
    QHash<QString, QString> fTags;
};

// One row of a rule's table: how to build the project, and what the rule must find
// there ("W pin-not-output @write"); look-alikes expect nothing.
struct CheckCase {
    const char *name;
    std::function<void(CheckScene &)> build;
    QStringList expected;
};

inline void PrintTo(const CheckCase &c, std::ostream *os)
{
    *os << c.name;
}

inline std::string checkCaseName(const ::testing::TestParamInfo<CheckCase> &info)
{
    return info.param.name;
}

// Runs one rule over the project of each row.
template <class Rule>
class RuleTable : public ProjectFixture, public ::testing::WithParamInterface<CheckCase> {
protected:
    RuleTable() : scene(project, pb) {}

    QList<Finding> findings()
    {
        const CheckContext context(project.workspace(), project.devices(), project.variables());
        QList<Finding> found;
        Rule().check(context, found);
        return found;
    }
    QStringList described()
    {
        QStringList lines;
        for (const Finding &f : findings())
            lines.append(scene.describe(f));
        return lines;
    }
    void runRow()
    {
        GetParam().build(scene);
        EXPECT_EQ(described(), GetParam().expected);
    }

    CheckScene scene;
};
