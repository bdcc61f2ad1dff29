#include "ShellTestSupport.h"

#include "shell/ProgramFolders.h"
#include "shell/SettingsIntStore.h"
#include "shell/QtGreekTexts.h"

#include <QAbstractButton>
#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QFile>
#include <QFileDialog>
#include <QLocale>
#include <QHeaderView>
#include <QInputDialog>
#include <QLabel>
#include <QLibraryInfo>
#include <QListView>
#include <QMessageBox>
#include <QPushButton>
#include <QRegularExpression>
#include <QSet>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <QTreeView>

#include <algorithm>

namespace {

QString withoutAccelerator(QString text)
{
    return text.remove(u'&');
}

bool hasLatinLetters(const QString &text)
{
    static const QRegularExpression latin(u"[A-Za-z]"_s);
    return text.contains(latin);
}

// The "%1" markers of a text, sorted.
QStringList placeholders(const QString &text)
{
    static const QRegularExpression marker(u"%\\d"_s);
    QStringList found;
    for (auto it = marker.globalMatch(text); it.hasNext();)
        found << it.next().captured();
    found.sort();
    return found;
}

// The translator installed for one test and removed after it, so that the other
// tests of this program see Qt's own texts. The file dialog keeps its state in the
// settings: those of a temporary folder.
class QtGreekTextsTest : public ShellTest {
protected:
    void SetUp() override { texts = QtGreekTexts::install(*qApp); }
    void TearDown() override { delete texts; }
    QtGreekTexts *texts = nullptr;
};

TEST_F(QtGreekTextsTest, InstallsOneTranslatorAndLeavesUnknownTextsToQt)
{
    EXPECT_EQ(QtGreekTexts::install(*qApp), texts);
    EXPECT_EQ(QCoreApplication::translate("QPlatformTheme", "&Yes"), u"&Ναι"_s);
    // Same text, other context: not in the table, Qt's text stays.
    EXPECT_EQ(QCoreApplication::translate("QShortcut", "Ctrl"), u"Ctrl"_s);
    EXPECT_EQ(QCoreApplication::translate("QFileDialog", "Alt+Left"), u"Alt+Left"_s);
}

// Each source text is one Qt really asks for: it occurs in Qt's libraries as a
// string of its own (possibly the tail of a longer one). A misspelt key would
// silently leave English on screen.
TEST_F(QtGreekTextsTest, EveryTableKeyIsATextOfQtsLibrariesAndKeepsItsPlaceholders)
{
    const QString dir = QLibraryInfo::path(QLibraryInfo::LibrariesPath);
    QList<QByteArray> libraries;
    for (const char *name : {"libQt6Core.so.6", "libQt6Gui.so.6", "libQt6Widgets.so.6"}) {
        QFile file(dir + u'/' + QString::fromLatin1(name));
        if (!file.open(QIODevice::ReadOnly))
            GTEST_SKIP() << "Qt's shared libraries are not at " << dir.toStdString();
        libraries << file.readAll();
    }

    QSet<QByteArray> keys;
    for (const QtGreekTexts::Entry &e : QtGreekTexts::entries()) {
        SCOPED_TRACE(std::string(e.context) + " / " + e.source);
        const QByteArray stored = QByteArray(e.source) + '\0';
        EXPECT_TRUE(std::any_of(libraries.cbegin(), libraries.cend(),
                                [&](const QByteArray &lib) { return lib.contains(stored); }));
        const QByteArray key = QByteArray(e.context) + '/' + e.source;
        EXPECT_FALSE(keys.contains(key)) << "listed twice";
        keys.insert(key);

        EXPECT_EQ(placeholders(e.greek), placeholders(QString::fromUtf8(e.source)));
        EXPECT_LE(e.greek.count(u'&'), 1);
        EXPECT_FALSE(hasLatinLetters(QString(e.greek).remove(u"Qt"_s)));
    }
}

TEST_F(QtGreekTextsTest, MessageBoxButtonsAreGreek)
{
    QMessageBox question(QMessageBox::Question, u"Ερώτηση"_s, u"Να αποθηκευτεί;"_s,
                         QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel);
    question.setDetailedText(u"λεπτομέρειες"_s);
    question.show();
    EXPECT_EQ(withoutAccelerator(question.button(QMessageBox::Yes)->text()), u"Ναι"_s);
    EXPECT_EQ(withoutAccelerator(question.button(QMessageBox::No)->text()), u"Όχι"_s);
    EXPECT_EQ(withoutAccelerator(question.button(QMessageBox::Cancel)->text()), u"Άκυρο"_s);
    QStringList others;
    for (QAbstractButton *b : question.buttons())
        if (question.standardButton(b) == QMessageBox::NoButton)
            others << b->text();
    EXPECT_EQ(others, QStringList{u"Εμφάνιση λεπτομερειών..."_s});

    QMessageBox message(QMessageBox::Information, u"Μήνυμα"_s, u"Έτοιμο"_s, QMessageBox::Ok);
    message.show();
    EXPECT_EQ(withoutAccelerator(message.button(QMessageBox::Ok)->text()), u"Εντάξει"_s);
}

TEST_F(QtGreekTextsTest, InputBoxButtonsAreGreek)
{
    QInputDialog input;
    input.setInputMode(QInputDialog::TextInput);
    input.setLabelText(u"Όνομα μεταβλητής:"_s);
    input.show();
    auto *box = input.findChild<QDialogButtonBox *>();
    ASSERT_NE(box, nullptr);
    EXPECT_EQ(withoutAccelerator(box->button(QDialogButtonBox::Ok)->text()), u"Εντάξει"_s);
    EXPECT_EQ(withoutAccelerator(box->button(QDialogButtonBox::Cancel)->text()), u"Άκυρο"_s);
    input.close();
}

// What a pupil reads in a file dialog: window title, labels, buttons, tool tips,
// column headers, the entries of the combo boxes and the side bar, and the context
// menus' commands. Texts with Latin letters that are not file names, paths or the
// program's own filter are listed in the failure message.
QStringList englishTextsOf(QFileDialog &dialog, const QSet<QString> &allowed)
{
    QStringList seen{dialog.windowTitle()};
    for (QWidget *w : dialog.findChildren<QWidget *>()) {
        if (!w->isVisibleTo(&dialog))
            continue;
        seen << w->toolTip();
        if (auto *label = qobject_cast<QLabel *>(w))
            seen << label->text();
        if (auto *button = qobject_cast<QAbstractButton *>(w))
            seen << button->text();
        if (auto *combo = qobject_cast<QComboBox *>(w))
            for (int i = 0; i < combo->count(); ++i)
                seen << combo->itemText(i);
        if (auto *tree = qobject_cast<QTreeView *>(w))
            for (int c = 0; c < tree->header()->count(); ++c)
                if (!tree->header()->isSectionHidden(c))
                    seen << tree->model()->headerData(c, Qt::Horizontal).toString();
        if (auto *list = qobject_cast<QListView *>(w); list && w->objectName() == u"sidebar"_s)
            for (int r = 0; r < list->model()->rowCount(); ++r)
                seen << list->model()->index(r, 0).data().toString();
    }
    for (QAction *a : dialog.findChildren<QAction *>())
        if (!a->isSeparator())
            seen << a->text();

    QStringList english;
    for (const QString &text : std::as_const(seen)) {
        const QString shown = withoutAccelerator(text).trimmed();
        const bool path = QDir::isAbsolutePath(shown) && QFileInfo::exists(shown);
        if (hasLatinLetters(shown) && !allowed.contains(shown) && !path)
            english << shown;
    }
    english.removeDuplicates();
    return english;
}

// Every folder name on the way to path.
QSet<QString> namesAlong(const QString &path)
{
    QSet<QString> names;
    for (const QString &part : QDir::cleanPath(path).split(u'/', Qt::SkipEmptyParts))
        names.insert(part);
    return names;
}

TEST_F(QtGreekTextsTest, FileDialogShowsNoEnglish)
{
    QTemporaryDir folder;
    ASSERT_TRUE(QDir(folder.path()).mkdir(u"μαθήματα"_s));
    QFile project(folder.filePath(u"φανάρι.vzl"_s));
    ASSERT_TRUE(project.open(QIODevice::WriteOnly));
    project.write("object TfrmVimsel\r\nend\r\n");
    project.close();

    QFileDialog dialog;
    dialog.setOption(QFileDialog::DontUseNativeDialog);
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setNameFilter(u"Προγράμματα (*.vzl)"_s);
    dialog.setDirectory(folder.path());
    dialog.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&dialog));
    auto *tree = dialog.findChild<QTreeView *>();
    ASSERT_NE(tree, nullptr);
    // The detail view, with its column headers; wait for the folder to be read.
    dialog.setViewMode(QFileDialog::Detail);
    EXPECT_TRUE(QTest::qWaitFor([&] { return tree->model()->rowCount(tree->rootIndex()) == 2; }));

    QSet<QString> allowed = namesAlong(folder.path()) + namesAlong(QDir::homePath());
    allowed.insert(u"Προγράμματα (*.vzl)"_s);
    EXPECT_EQ(englishTextsOf(dialog, allowed), QStringList());

    // The labels the dialog starts with are Greek, not merely some text.
    EXPECT_EQ(dialog.windowTitle(), u"Αποθήκευση ως"_s);
    EXPECT_EQ(withoutAccelerator(dialog.labelText(QFileDialog::FileName)), u"Όνομα αρχείου:"_s);
    EXPECT_EQ(withoutAccelerator(dialog.labelText(QFileDialog::Accept)), u"Αποθήκευση"_s);
    EXPECT_EQ(withoutAccelerator(dialog.labelText(QFileDialog::Reject)), u"Άκυρο"_s);
    QStringList headers;
    for (int c = 0; c < 4; ++c)
        headers << tree->model()->headerData(c, Qt::Horizontal).toString();
    EXPECT_EQ(headers, (QStringList{u"Όνομα"_s, u"Μέγεθος"_s, u"Τύπος"_s, u"Ημερομηνία τροποποίησης"_s}));
    dialog.close();
}

// The program's own dialogs: Qt's, Greek, starting in the program's start folder.
struct ProgramDialogCase {
    const char *name;
    bool save;
    QString title;
    QString accept;
};

void PrintTo(const ProgramDialogCase &c, std::ostream *os)
{
    *os << c.name;
}

class ProgramFileDialog : public ShellTest, public ::testing::WithParamInterface<ProgramDialogCase> {};

TEST_P(ProgramFileDialog, IsQtsOwnAndGreekAndStartsInTheDialogFolder)
{
    const ProgramDialogCase &c = GetParam();
    // The window's own dialogs, not the test's stand-ins (the serial ports still are).
    const std::unique_ptr<TfrmVimsel> built = buildMainWindow(&prompt, {}, ports.environment({u"/dev/ttyUSB0"_s}));
    TfrmVimsel &window = *built;
    win = built.get();
    // Saving asks for a name only when there is something to save.
    if (c.save) {
        window.show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(&window));
        ASSERT_NE(dragFromPalette(u"Έναρξη προγράμματος"_s, QPoint(150, 100)), nullptr);
    }
    struct Seen {
        bool found = false;
        bool native = true;
        QString title, accept, reject, fileName, fileType, lookIn, directory;
        QStringList filters;
        QLocale locale;
    } seen;
    QTimer::singleShot(0, [&] {
        auto *dialog = qobject_cast<QFileDialog *>(QApplication::activeModalWidget());
        if (!dialog) {
            // Never leave a modal loop running.
            if (QWidget *modal = QApplication::activeModalWidget())
                modal->close();
            return;
        }
        seen = {true,
                !dialog->testOption(QFileDialog::DontUseNativeDialog),
                dialog->windowTitle(),
                dialog->labelText(QFileDialog::Accept),
                dialog->labelText(QFileDialog::Reject),
                dialog->labelText(QFileDialog::FileName),
                dialog->labelText(QFileDialog::FileType),
                dialog->labelText(QFileDialog::LookIn),
                QDir::cleanPath(dialog->directory().path()),
                dialog->nameFilters(),
                dialog->locale()};
        dialog->reject();
    });
    if (c.save)
        window.saveProjectAs();
    else
        window.openProject();

    ASSERT_TRUE(seen.found);
    EXPECT_FALSE(seen.native);
    EXPECT_EQ(seen.title, c.title);
    EXPECT_EQ(seen.accept, c.accept);
    EXPECT_EQ(seen.reject, u"Άκυρο"_s);
    EXPECT_EQ(seen.fileName, u"Όνομα αρχείου:"_s);
    EXPECT_EQ(seen.fileType, u"Αρχεία τύπου:"_s);
    EXPECT_EQ(seen.lookIn, u"Αναζήτηση σε:"_s);
    EXPECT_EQ(seen.filters, QStringList{u"Προγράμματα (*.vzl)"_s});
    // Dates in the list with Greek month names.
    EXPECT_EQ(seen.locale.language(), QLocale::Greek);
    EXPECT_EQ(seen.directory, ProgramFolders::forThisUser().dialogStartFolder(
                                  SettingsIntStore(u"MainForm"_s).readText(TfrmVimsel::lastFolderKey())));
}

INSTANTIATE_TEST_SUITE_P(Commands, ProgramFileDialog,
                         ::testing::Values(ProgramDialogCase{"SaveAs", true, u"Αποθήκευση ως"_s, u"Αποθήκευση"_s},
                                           ProgramDialogCase{"Open", false, u"Άνοιγμα"_s, u"Άνοιγμα"_s}),
                         [](const auto &info) { return std::string(info.param.name); });

} // namespace
