#include "shell/ResourcePaths.h"

#include <QDir>
#include <QTemporaryDir>
#include <gtest/gtest.h>

using namespace Qt::StringLiterals;

namespace {

// Beside the executable first, then the install's share folder, then the source tree.
TEST(ResourcePaths, DataFoldersAreFoundInOrder)
{
    QTemporaryDir root;
    const QDir top(root.path());
    ASSERT_TRUE(top.mkpath(u"bin"_s));
    ASSERT_TRUE(top.mkpath(u"src/resources"_s));
    const QString exe = top.filePath(u"bin"_s);
    const QString source = top.filePath(u"src/resources"_s);

    EXPECT_EQ(ResourcePaths::findDataDir(u"images"_s, exe, source), top.filePath(u"src/resources/images"_s));
    ASSERT_TRUE(top.mkpath(u"share/vimsel/images"_s));
    EXPECT_EQ(ResourcePaths::findDataDir(u"images"_s, exe, source), top.filePath(u"share/vimsel/images"_s));
    ASSERT_TRUE(top.mkpath(u"bin/images"_s));
    EXPECT_EQ(ResourcePaths::findDataDir(u"images"_s, exe, source), top.filePath(u"bin/images"_s));
    // A file of that name is no folder.
    QFile file(top.filePath(u"bin/Lessons"_s));
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    EXPECT_EQ(ResourcePaths::findDataDir(u"Lessons"_s, exe, source), top.filePath(u"src/resources/Lessons"_s));

    // The test program has no pictures beside it: the source tree's are found.
    EXPECT_TRUE(QDir(ResourcePaths::imagesDir()).exists(u"pnlLCD.png"_s));
}

} // namespace
