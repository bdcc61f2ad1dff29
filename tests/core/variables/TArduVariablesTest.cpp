#include "variables/TArduVariables.h"

#include <gtest/gtest.h>

#include <climits>

using namespace Qt::StringLiterals;

namespace {

QList<int> ids(const TArduVariables &vars)
{
    QList<int> out;
    for (int i = 0; i < vars.count(); ++i)
        out.append(vars.GetArduVar(i)->VarID);
    return out;
}

TEST(TArduVariablesTest, IdsFollowTheHighest)
{
    TArduVariables vars;
    EXPECT_EQ(vars.NextVarID(), 1);
    EXPECT_EQ(vars.Newvar(u"α"_s)->VarID, 1);
    vars.Newvar(u"β"_s);
    vars.Newvar(u"γ"_s);

    vars.DeleteVar(u"γ"_s);
    EXPECT_EQ(vars.Newvar(u"δ"_s)->VarID, 3);  // the highest id went, so it comes back

    vars.DeleteVar(u"α"_s);
    EXPECT_EQ(vars.Newvar(u"ε"_s)->VarID, 4);
    EXPECT_EQ(ids(vars), (QList<int>{2, 3, 4}));
}

TEST(TArduVariablesTest, NextIdAfterSetVarIdAndDeletions)
{
    TArduVariables vars;
    TArduVar *a = vars.Newvar(u"a"_s);
    TArduVar *b = vars.Newvar(u"b"_s);
    vars.setVarID(a, 7);
    vars.setVarID(b, 3);
    EXPECT_EQ(vars.NextVarID(), 8);
    EXPECT_EQ(vars.GetVarByID(7), a);
    EXPECT_EQ(vars.GetVarByID(1), nullptr);

    vars.setVarID(a, 2);  // lowering the highest id lowers the next one
    EXPECT_EQ(vars.NextVarID(), 4);
    vars.DeleteVar(u"b"_s);
    EXPECT_EQ(vars.NextVarID(), 3);
    vars.EmptyVars();
    EXPECT_EQ(vars.NextVarID(), 1);
}

TEST(TArduVariablesTest, NoIdBeyondIntMax)
{
    TArduVariables vars;
    vars.setVarID(vars.Newvar(u"a"_s), INT_MAX);
    vars.Newvar(u"b"_s);  // the first free positive id instead of an overflow
    vars.Newvar(u"c"_s);
    EXPECT_EQ(ids(vars), (QList<int>{INT_MAX, 1, 2}));
}

TEST(TArduVariablesTest, NamesIgnoreLatinCaseOnlyAndFirstMatchWins)
{
    TArduVariables vars;
    TArduVar *first = vars.Newvar(u"Count"_s);
    TArduVar *second = vars.Newvar(u"count"_s);
    TArduVar *alpha = vars.Newvar(u"Αλφα"_s);

    EXPECT_EQ(vars.GetVarByName(u"COUNT"_s), first);
    EXPECT_EQ(vars.GetVarByName(u"Αλφα"_s), alpha);
    EXPECT_EQ(vars.GetVarByName(u"αλφα"_s), nullptr);
    EXPECT_EQ(vars.GetVarByName(u"ΑΛΦΑ"_s), nullptr);
    EXPECT_FALSE(TArduVariables::SameVarName(u"Σσ"_s, u"σσ"_s));
    EXPECT_TRUE(TArduVariables::SameVarName(u"Θέση X"_s, u"Θέση x"_s));

    // Deleting by the second's name removes the first; the second then answers.
    vars.DeleteVar(u"count"_s);
    EXPECT_EQ(vars.GetVarByName(u"COUNT"_s), second);
    EXPECT_EQ(vars.count(), 2);
    EXPECT_EQ(vars.GetArduVar(0), second);
    EXPECT_EQ(vars.GetArduVar(2), nullptr);
    EXPECT_EQ(vars.GetArduVar(-1), nullptr);
}

TEST(TArduVariablesTest, FirstMatchByIdFollowsListOrder)
{
    TArduVariables vars;
    TArduVar *a = vars.Newvar(u"a"_s);  // 1
    TArduVar *b = vars.Newvar(u"b"_s);  // 2
    TArduVar *c = vars.Newvar(u"c"_s);  // 3
    vars.setVarID(c, 2);
    vars.setVarID(a, 2);  // a comes first in the list, so it answers for 2
    EXPECT_EQ(vars.GetVarByID(2), a);
    vars.DeleteVar(u"a"_s);
    EXPECT_EQ(vars.GetVarByID(2), b);
    vars.DeleteVar(u"b"_s);
    EXPECT_EQ(vars.GetVarByID(2), c);
}

TEST(TArduVariablesTest, RealVarNameUsesTheTextPassed)
{
    TArduVariables vars;
    vars.Newvar(u"Θέση X"_s);
    EXPECT_EQ(vars.GetRealVarName(u"Θέση x"_s), u"Thesi_x"_s);
    EXPECT_EQ(vars.GetRealVarName(u"Θέση Y"_s), u"NoVAR"_s);
    EXPECT_EQ(vars.GetVarByName(u"Θέση X"_s)->getCvarname(), u"Thesi_X"_s);

    // Empty names are accepted and give an empty identifier.
    vars.Newvar(QString());
    EXPECT_EQ(vars.GetRealVarName(QString()), QString());
}

TEST(TArduVariablesTest, EveryChangeNotifiesSynchronously)
{
    TArduVariables vars;
    int calls = 0;
    int seenCount = -1;
    const int handle = vars.addChangeListener([&] {
        ++calls;
        seenCount = vars.count();
    });

    vars.Newvar(u"a"_s);
    EXPECT_EQ(calls, 1);
    EXPECT_EQ(seenCount, 1);  // the variable is in the table when the listener runs
    vars.Newvar(u"b"_s);
    vars.DeleteVar(u"missing"_s);  // notifies even when nothing is deleted
    EXPECT_EQ(calls, 3);
    vars.DeleteVar(u"a"_s);
    EXPECT_EQ(seenCount, 1);
    vars.EmptyVars();
    EXPECT_EQ(calls, 5);
    EXPECT_EQ(seenCount, 0);

    vars.removeChangeListener(handle);
    vars.Newvar(u"c"_s);
    EXPECT_EQ(calls, 5);
}

TEST(TArduVariablesTest, ListenerRemovedDuringNotificationIsNotCalled)
{
    TArduVariables vars;
    int laterCalls = 0;
    int later = 0;
    vars.addChangeListener([&] { vars.removeChangeListener(later); });
    later = vars.addChangeListener([&] { ++laterCalls; });
    vars.Newvar(u"a"_s);
    EXPECT_EQ(laterCalls, 0);
}

} // namespace
