// The lines a view replaces when its text changes.
#include "util/LineChange.h"

#include <gtest/gtest.h>

using namespace Qt::StringLiterals;

namespace {

struct ChangeCase {
    const char *name;
    QStringList before, after;
    qsizetype first, removed;
    QStringList inserted;
};

class LineChanges : public ::testing::TestWithParam<ChangeCase> {};

TEST_P(LineChanges, ReplaceOnlyWhatDiffers)
{
    const ChangeCase &c = GetParam();
    const LineChange change = LineChange::between(c.before, c.after);
    EXPECT_EQ(change.first, c.first);
    EXPECT_EQ(change.removed, c.removed);
    EXPECT_EQ(change.inserted, c.inserted);
    // Applied to before, it gives after.
    QStringList applied = c.before;
    applied.remove(change.first, change.removed);
    for (qsizetype i = 0; i < change.inserted.size(); ++i)
        applied.insert(change.first + i, change.inserted.at(i));
    EXPECT_EQ(applied, c.after);
}

const QStringList abc{u"a"_s, u"b"_s, u"c"_s};

INSTANTIATE_TEST_SUITE_P(
    Texts, LineChanges,
    ::testing::Values(ChangeCase{"Same", abc, abc, 3, 0, {}},
                      ChangeCase{"OneLineChanged", abc, {u"a"_s, u"x"_s, u"c"_s}, 1, 1, {u"x"_s}},
                      ChangeCase{"LineInserted", abc, {u"a"_s, u"b"_s, u"x"_s, u"c"_s}, 2, 0, {u"x"_s}},
                      ChangeCase{"LinesRemoved", abc, {u"c"_s}, 0, 2, {}},
                      ChangeCase{"RepeatedLineAddedDoesNotOverlap", {u"a"_s, u"b"_s}, {u"a"_s, u"b"_s, u"b"_s}, 2, 0,
                                 {u"b"_s}},
                      ChangeCase{"FromNothing", {}, abc, 0, 0, abc},
                      ChangeCase{"ToNothing", abc, {}, 0, 3, {}},
                      ChangeCase{"AllDifferent", abc, {u"x"_s, u"y"_s}, 0, 3, {u"x"_s, u"y"_s}}),
    [](const ::testing::TestParamInfo<ChangeCase> &info) { return std::string(info.param.name); });

} // namespace
