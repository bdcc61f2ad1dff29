#include "shell/ProgramFolders.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <gtest/gtest.h>

using namespace Qt::StringLiterals;

namespace {

// A scratch home with an executable folder, a per-user data folder that does not
// exist yet and a documents folder.
class ProgramFoldersTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(root.isValid());
        ASSERT_TRUE(QDir(root.path()).mkpath(u"bin"_s));
        ASSERT_TRUE(QDir(root.path()).mkpath(u"Documents"_s));
    }
    QString path(const QString &name) const { return QDir::cleanPath(root.filePath(name)); }
    ProgramFolders folders(ProgramFolders::WritableTest isWritable, const QString &documents = u"Documents"_s) const
    {
        return ProgramFolders(path(u".local/share/Ombrinex/Vimsel"_s), documents.isEmpty() ? QString() : path(documents),
                              root.path(), std::move(isWritable));
    }

    QTemporaryDir root;
};

TEST_F(ProgramFoldersTest, WritableExecutableFolderOfABuildHoldsItsFiles)
{
    const ProgramFolders f = folders(&ProgramFolders::canWriteIn);
    EXPECT_FALSE(ProgramFolders::isInstalled(path(u"bin"_s)));
    EXPECT_EQ(f.writableFolder(path(u"bin"_s)), path(u"bin"_s));
    // Nothing is created in the user's data folder for a build or a portable folder.
    EXPECT_FALSE(QFileInfo::exists(path(u".local/share/Ombrinex/Vimsel"_s)));
    // The probe file is gone again.
    EXPECT_EQ(QDir(path(u"bin"_s)).entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot), QStringList());
}

TEST_F(ProgramFoldersTest, ReadOnlyExecutableFolderSendsFilesToTheUserDataFolder)
{
    const ProgramFolders f = folders([](const QString &) { return false; });
    const QString userData = path(u".local/share/Ombrinex/Vimsel"_s);
    EXPECT_EQ(f.writableFolder(path(u"bin"_s)), userData);
    EXPECT_TRUE(QFileInfo(userData).isDir());
}

// Installed (share/vimsel beside bin), the program keeps every user's files in that
// user's folder even where it may write beside itself: root, or a folder everyone may
// write. A shared "Options.ini" would let anyone choose the "IDE" all pupils run.
TEST_F(ProgramFoldersTest, InstalledProgramKeepsFilesPerUserEvenInAWritableFolder)
{
    ASSERT_TRUE(QDir(root.path()).mkpath(u"share/vimsel/Lessons"_s));
    const ProgramFolders f = folders(&ProgramFolders::canWriteIn);
    ASSERT_TRUE(ProgramFolders::canWriteIn(path(u"bin"_s)));
    EXPECT_TRUE(ProgramFolders::isInstalled(path(u"bin"_s)));
    EXPECT_EQ(f.writableFolder(path(u"bin"_s)), path(u".local/share/Ombrinex/Vimsel"_s));
    EXPECT_EQ(QDir(path(u"bin"_s)).entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot), QStringList());
}

// The dialogs start where the pupil saved or opened last, else in the documents
// folder, else at home; never in the program's own folders.
TEST_F(ProgramFoldersTest, DialogsStartInTheLastFolderUsedElseTheDocuments)
{
    ASSERT_TRUE(QDir(root.path()).mkpath(u"Documents/class-b"_s));
    const ProgramFolders f = folders(&ProgramFolders::canWriteIn);
    EXPECT_EQ(f.dialogStartFolder(path(u"Documents/class-b"_s)), path(u"Documents/class-b"_s));
    EXPECT_EQ(f.dialogStartFolder(QString()), path(u"Documents"_s));
    // A folder since removed (a USB stick pulled out) is passed over.
    EXPECT_EQ(f.dialogStartFolder(path(u"usb-stick/work"_s)), path(u"Documents"_s));
    // Without a documents folder: the home folder.
    EXPECT_EQ(folders(&ProgramFolders::canWriteIn, u"Dokumente"_s).dialogStartFolder(QString()), root.path());
    EXPECT_EQ(folders(&ProgramFolders::canWriteIn, QString()).dialogStartFolder(QString()), root.path());
}

TEST_F(ProgramFoldersTest, WritabilityIsFoundOutByCreatingAFile)
{
    EXPECT_TRUE(ProgramFolders::canWriteIn(path(u"bin"_s)));
    EXPECT_FALSE(ProgramFolders::canWriteIn(path(u"missing"_s)));
    QFile file(path(u"bin/plain-file"_s));
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.close();
    EXPECT_FALSE(ProgramFolders::canWriteIn(file.fileName()));

    const QString locked = path(u"locked"_s);
    ASSERT_TRUE(QDir(root.path()).mkpath(u"locked"_s));
    ASSERT_TRUE(QFile::setPermissions(locked, QFile::ReadOwner | QFile::ExeOwner));
    const bool writable = ProgramFolders::canWriteIn(locked);
    const QString chosen = folders(&ProgramFolders::canWriteIn).writableFolder(locked);
    QFile::setPermissions(locked, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    if (writable)
        GTEST_SKIP() << "this user writes into folders without write permission (root): "
                        "the read-only case cannot be made here";
    EXPECT_EQ(chosen, path(u".local/share/Ombrinex/Vimsel"_s));
}

} // namespace
