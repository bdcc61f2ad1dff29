#include "shell/QtGreekTexts.h"

#include <QCoreApplication>

#include <array>
#include <span>

namespace {

// The source texts are Qt's own, byte for byte (Qt 6.4); a text Qt no longer asks
// for simply stays unused. Accelerators sit on letters typed without a dead key.
struct Text {
    const char *source;
    const char16_t *greek;
};

// Buttons of message boxes, input boxes and the file dialog.
constexpr Text StandardButtons[] = {
    {"OK", u"Εντάξει"},
    {"Save", u"Αποθήκευση"},
    {"Save All", u"Αποθήκευση όλων"},
    {"Open", u"Άνοιγμα"},
    {"&Yes", u"&Ναι"},
    {"Yes to &All", u"Ναι σε ό&λα"},
    {"&No", u"Ό&χι"},
    {"N&o to All", u"Όχι σε όλ&α"},
    {"Abort", u"Ματαίωση"},
    {"Retry", u"Νέα προσπάθεια"},
    {"Ignore", u"Παράβλεψη"},
    {"Close", u"Κλείσιμο"},
    {"Cancel", u"Άκυρο"},
    {"Discard", u"Απόρριψη"},
    {"Help", u"Βοήθεια"},
    {"Apply", u"Εφαρμογή"},
    {"Reset", u"Επαναφορά"},
    {"Restore Defaults", u"Επαναφορά προεπιλογών"},
};

// The GNOME desktop names some buttons differently.
constexpr Text GnomeButtons[] = {
    {"&OK", u"&Εντάξει"},
    {"&Save", u"&Αποθήκευση"},
    {"&Cancel", u"Ά&κυρο"},
    {"&Close", u"&Κλείσιμο"},
    {"Close without Saving", u"Κλείσιμο χωρίς αποθήκευση"},
};

constexpr Text MessageBoxTexts[] = {
    {"Show Details...", u"Εμφάνιση λεπτομερειών..."},
    {"Hide Details...", u"Απόκρυψη λεπτομερειών..."},
    {"About Qt", u"Σχετικά με το Qt"},
};

constexpr Text InputDialogTexts[] = {
    {"Enter a value:", u"Δώστε μια τιμή:"},
};

constexpr Text ProgressDialogTexts[] = {
    {"Cancel", u"Άκυρο"},
};

constexpr Text FileDialogTexts[] = {
    // Window titles and the accept button.
    {"Open", u"Άνοιγμα"},
    {"Save As", u"Αποθήκευση ως"},
    {"Find Directory", u"Εύρεση φακέλου"},
    {"&Open", u"Ά&νοιγμα"},
    {"&Save", u"&Αποθήκευση"},
    {"&Choose", u"&Επιλογή"},
    // Labels.
    {"Look in:", u"Αναζήτηση σε:"},
    {"File &name:", u"Όνομα &αρχείου:"},
    {"Directory:", u"Φάκελος:"},
    {"Files of type:", u"Αρχεία τύπου:"},
    {"All Files (*)", u"Όλα τα αρχεία (*)"},
    {"Directories", u"Φάκελοι"},
    {"Recent Places", u"Πρόσφατες θέσεις"},
    // Tool buttons: tool tips, and names and descriptions for screen readers.
    {"Back", u"Πίσω"},
    {"Go back", u"Μετάβαση πίσω"},
    {"Forward", u"Εμπρός"},
    {"Go forward", u"Μετάβαση εμπρός"},
    {"Parent Directory", u"Γονικός φάκελος"},
    {"Go to the parent directory", u"Μετάβαση στον γονικό φάκελο"},
    {"Create New Folder", u"Δημιουργία νέου φακέλου"},
    {"Create a New Folder", u"Δημιουργία νέου φακέλου"},
    {"List View", u"Προβολή λίστας"},
    {"Change to list view mode", u"Αλλαγή σε προβολή λίστας"},
    {"Detail View", u"Προβολή λεπτομερειών"},
    {"Change to detail view mode", u"Αλλαγή σε προβολή λεπτομερειών"},
    {"Sidebar", u"Πλευρική στήλη"},
    {"List of places and bookmarks", u"Λίστα θέσεων και σελιδοδεικτών"},
    {"Files", u"Αρχεία"},
    // Context menus of the file list, its header and the side bar. "Show " is
    // followed by a column's name.
    {"&Rename", u"&Μετονομασία"},
    {"&Delete", u"&Διαγραφή"},
    {"Show &hidden files", u"Εμφάνιση &κρυφών αρχείων"},
    {"&New Folder", u"&Νέος φάκελος"},
    {"Show ", u"Εμφάνιση στήλης "},
    {"Remove", u"Αφαίρεση"},
    // The name of a folder made with "New Folder".
    {"New Folder", u"Νέος φάκελος"},
    // Questions and errors.
    {"Delete", u"Διαγραφή"},
    {"Are you sure you want to delete '%1'?", u"Θέλετε σίγουρα να διαγραφεί το '%1';"},
    {"'%1' is write protected.\nDo you want to delete it anyway?",
     u"Το '%1' προστατεύεται από εγγραφή.\nΘέλετε να διαγραφεί παρ' όλα αυτά;"},
    {"Could not delete directory.", u"Δεν ήταν δυνατή η διαγραφή του φακέλου."},
    {"%1 already exists.\nDo you want to replace it?", u"Το %1 υπάρχει ήδη.\nΘέλετε να αντικατασταθεί;"},
    {"%1\nFile not found.\nPlease verify the correct file name was given.",
     u"%1\nΤο αρχείο δεν βρέθηκε.\nΕλέγξτε ότι δώσατε το σωστό όνομα αρχείου."},
    {"%1\nDirectory not found.\nPlease verify the correct directory name was given.",
     u"%1\nΟ φάκελος δεν βρέθηκε.\nΕλέγξτε ότι δώσατε το σωστό όνομα φακέλου."},
};

// Column headers of the file list.
constexpr Text FileListColumns[] = {
    {"Name", u"Όνομα"},
    {"Size", u"Μέγεθος"},
    {"Type", u"Τύπος"},
    {"Date Modified", u"Ημερομηνία τροποποίησης"},
    {"Computer", u"Υπολογιστής"},
};

// The "Type" column for entries without a MIME description.
constexpr Text FileTypes[] = {
    {"Drive", u"Μονάδα δίσκου"},
    {"Folder", u"Φάκελος"},
    {"Shortcut", u"Συντόμευση"},
    {"Unknown", u"Άγνωστο"},
};

// Context menu of line edits and of the text edits.
constexpr Text EditMenu[] = {
    {"&Undo", u"&Αναίρεση"},
    {"&Redo", u"&Επανάληψη"},
    {"Cu&t", u"Απο&κοπή"},
    {"&Copy", u"Αντι&γραφή"},
    {"&Paste", u"Ε&πικόλληση"},
    {"Delete", u"Διαγραφή"},
    {"Select All", u"Επιλογή όλων"},
    {"Copy &Link Location", u"Αντιγραφή θέσης &συνδέσμου"},
};

constexpr Text SpinBoxMenu[] = {
    {"&Select All", u"Επιλογή ό&λων"},
    {"&Step up", u"&Αύξηση"},
    {"Step &down", u"&Μείωση"},
};

constexpr Text ScrollBarMenu[] = {
    {"Scroll here", u"Κύλιση εδώ"},
    {"Left edge", u"Αριστερό άκρο"},
    {"Top", u"Αρχή"},
    {"Right edge", u"Δεξί άκρο"},
    {"Bottom", u"Τέλος"},
    {"Page left", u"Μία σελίδα αριστερά"},
    {"Page up", u"Μία σελίδα επάνω"},
    {"Page right", u"Μία σελίδα δεξιά"},
    {"Page down", u"Μία σελίδα κάτω"},
    {"Scroll left", u"Κύλιση αριστερά"},
    {"Scroll up", u"Κύλιση επάνω"},
    {"Scroll right", u"Κύλιση δεξιά"},
    {"Scroll down", u"Κύλιση κάτω"},
};

// Each group of texts with the translation contexts Qt asks for them in.
struct Section {
    std::array<const char *, 2> contexts;
    std::span<const Text> texts;
};

constexpr Section Sections[] = {
    {{"QPlatformTheme"}, StandardButtons},
    {{"QGnomeTheme"}, GnomeButtons},
    {{"QMessageBox"}, MessageBoxTexts},
    {{"QInputDialog"}, InputDialogTexts},
    {{"QProgressDialog"}, ProgressDialogTexts},
    {{"QFileDialog"}, FileDialogTexts},
    {{"QFileSystemModel"}, FileListColumns},
    {{"QAbstractFileIconProvider"}, FileTypes},
    {{"QLineEdit", "QWidgetTextControl"}, EditMenu},
    {{"QAbstractSpinBox"}, SpinBoxMenu},
    {{"QScrollBar"}, ScrollBarMenu},
};

QByteArray keyOf(const char *context, const char *source)
{
    QByteArray key(context);
    key += '\x04';
    key += source;
    return key;
}

} // namespace

QList<QtGreekTexts::Entry> QtGreekTexts::entries()
{
    QList<Entry> all;
    for (const Section &section : Sections)
        for (const char *context : section.contexts)
            if (context)
                for (const Text &text : section.texts)
                    all.append({context, text.source, QString::fromUtf16(text.greek)});
    return all;
}

QtGreekTexts::QtGreekTexts(QObject *parent) : QTranslator(parent)
{
    for (const Entry &e : entries())
        fTexts.insert(keyOf(e.context, e.source), e.greek);
}

QtGreekTexts *QtGreekTexts::install(QCoreApplication &app)
{
    if (auto *installed = app.findChild<QtGreekTexts *>(QString(), Qt::FindDirectChildrenOnly))
        return installed;
    auto *texts = new QtGreekTexts(&app);
    QCoreApplication::installTranslator(texts);
    return texts;
}

QString QtGreekTexts::translate(const char *context, const char *sourceText, const char *, int) const
{
    if (!context || !sourceText)
        return QString();
    return fTexts.value(keyOf(context, sourceText));
}
