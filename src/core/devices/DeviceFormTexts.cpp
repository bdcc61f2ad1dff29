#include "devices/DeviceFormTexts.h"

#include "catalogue/Catalogue.h"

#include "devices/DeviceTypes.h"

using namespace Qt::StringLiterals;

QString DeviceFormTexts::captionLabel(int typeId)
{
    switch (typeId) {
    case DeviceTypes::LCD_Serial:
        return u"Serial LCD 16x2"_s;
    case DeviceTypes::Laser:
        return u"Laser & LED"_s;
    case DeviceTypes::Sound:
        return u"Piezo Buzzer"_s;
    case DeviceTypes::UltraSonic:
        return u"UltraSonic Sensor"_s;
    case DeviceTypes::Servo:
        return u"Micro Servo 9G"_s;
    case DeviceTypes::Switch:
        return u"Διακόπτης/Κουμπί"_s;
    case DeviceTypes::Temp:
        return u"Αισθητήρας Θεμοκρασίας/Υγρασίας"_s;
    case DeviceTypes::BMP:
        return u"Αισθητήρας Βαρομετρικής Πίεσης"_s;
    case DeviceTypes::ANIN:
        return u"Αναλογική Συσκευή Εισόδου"_s;
    case DeviceTypes::DCMOTOR:
        return u"Κινητήρας"_s;
    case DeviceTypes::ROBOT:
        return u"Σύστημα Robot (2 κινητήρες + Photo Interrupter)"_s;
    default:
        return QString();
    }
}

QString DeviceFormTexts::settingsCaption(int typeId)
{
    return typeId == DeviceTypes::ROBOT ? u"Ρύθμιση Συστήματος"_s : u"Ρύθμιση Συσκευής"_s;
}

// The Uno and the Nano carry SDA on A4 and SCL on A5; the LCD, barometer and robot
// texts name them that way round so that a pupil who follows them gets a working bus.
QStringList DeviceFormTexts::wiringHelp(int typeId)
{
    switch (typeId) {
    case DeviceTypes::LCD_Serial:
        return {
            u"Αυτή η συσκευή χρειάζεται μόνο δύο σήματα για να λειτουργήσει."_s,
            u"Το SDA και το SCL από το Arduino."_s,
            QString(),
            u"Για το Arduino Nano είναι:"_s,
            u"SDA pin A4 "_s,
            u"SCL pin A5"_s,
            QString(),
            u"και φυσικά όπως όλες οι συσκευές χρειάζεται την τάση (+5v) και τη γείωση (GND)"_s,
        };
    case DeviceTypes::Laser:
        return {
            u"Αυτή η συσκευή χρειάζεται μόνο ένα σήμα για να λειτουργήσει."_s,
            QString(),
            u"1) Συνδέστε για Laser:"_s,
            QString(),
            u"- Το signal σε κάποιο pin του Arduino."_s,
            u"- Tη γείωση (GND)"_s,
            u"και"_s,
            u"- Το Laser στην τάση (+5v)"_s,
            QString(),
            u"2) Συνδέστε για LED:"_s,
            QString(),
            u"- Το (+) μακρύ ποδαράκι του LED σε κάποιο pin του Arduino."_s,
            u"- Tο (-) κοντό ποδαράκι του LED στη γείωση (GND)"_s,
        };
    case DeviceTypes::Sound:
        return {
            u"Αυτή η συσκευή χρειάζεται μόνο ένα σήμα για να λειτουργήσει."_s,
            QString(),
            u"Το Κόκκινο συνδέστε το σε κάποιο pin του Arduino."_s,
            u"Το Μαύρο στην Γείωση."_s,
        };
    case DeviceTypes::UltraSonic:
        return {
            u"Αυτή η συσκευή χρειάζεται δύο σήματα για να λειτουργήσει,"_s,
            u"ένα σήμα trig το οποίο στέλνει το υπερηχητικό κύμα και"_s,
            u"ένα σήμα echo το οποίο το λαμβάνει αν φυσικά βρεί εμπόδιο "_s,
            QString(),
            u"Συνδέστε:"_s,
            u"το trig σε κάποιο pin του Arduino και "_s,
            u"το echo σε κάποιο άλλο."_s,
            QString(),
            u"Χρειάζεται επίσης την τάση (+5v) και τη γείωση (GND)."_s,
            QString(),
            u"Τα σήματα είναι :"_s,
            u"VCC,Trig,Echo,GND και αναγράφονται πάνω στην συσκευή."_s,
        };
    case DeviceTypes::Servo:
        return {
            u"Αυτή η συσκευή χρειάζεται μόνο ένα σήμα για να λειτουργήσει."_s,
            QString(),
            u"Το signal συνδέστε το σε κάποιο pin του Arduino"_s,
            QString(),
            u"και  χρειάζεται την τάση (+5v) και τη γείωση (GND)"_s,
        };
    case DeviceTypes::Switch:
        return {
            u"Αυτή η συσκευή χρειάζεται μόνο ένα σήμα για να λειτουργήσει."_s,
            QString(),
            u"Το signal (S) ή Data (D0) συνδέστε το σε κάποιο pin του Arduino."_s,
            QString(),
            u"Χρειάζεται  τη γείωση (GND) (-)"_s,
            QString(),
            u"και ίσως την τάση (+5v) ανάλογα τον διακόπτη ή το κουμπί"_s,
            QString(),
            u"Η τάση VCC (+5V) είναι συνήθως στην μέση"_s,
        };
    case DeviceTypes::Temp:
        return {
            u"Αυτή η συσκευή χρειάζεται ένα σήμα (Data Pin) για να λειτουργήσει."_s,
            u"Υπάρχουν όμως αρκετοί τύποι αισθητήρων θερμοκρασίας/υγρασίας οπότε"_s,
            u"διαλέγουμε και τον τύπο."_s,
            QString(),
            u"Συνδέστε:"_s,
            u"το Data Pin/Signal σε κάποιο pin του Arduino"_s,
            QString(),
            u"Χρειάζεται επίσης την τάση (+5v/VCC) και τη γείωση (GND)."_s,
        };
    case DeviceTypes::BMP:
        return {
            u"Αυτή η συσκευή χρειάζεται μόνο δύο σήματα για να λειτουργήσει."_s,
            u"Το SDA και το SCL από το Arduino."_s,
            QString(),
            u"Για το Arduino Nano είναι:"_s,
            u"SDA pin A4 "_s,
            u"SCL pin A5"_s,
            QString(),
            u"και φυσικά όπως όλες οι συσκευές χρειάζεται την τάση VIN (+5v) και τη γείωση "_s,
            u"(GND)"_s,
        };
    case DeviceTypes::ANIN:
        return {
            u"Αυτή η συσκευή χρειάζεται μόνο ένα σήμα για να λειτουργήσει."_s,
            QString(),
            u"Συνδέστε:"_s,
            QString(),
            u"- Το A0 σε κάποιο ΑΝΑΛΟΓΙΚΟ pin του Arduino."_s,
            u"- Tη γείωση GND (-) και την τάση VCC (+5V)"_s,
        };
    case DeviceTypes::DCMOTOR:
        return {
            u"Αυτή η συσκευή χρειάζεται δύο σήματα για να λειτουργήσει (IN1,IN2)."_s,
            u"Συνδέστε τα σε κάποια Pins του Arduino."_s,
            u"----------------------------------------------------------------------------------------------"_s,
            u"Συνδέεται με το Arduino μέσω μιας ακόμη συσκευής (H-Bridge) οι οποία συνήθως "_s,
            u"υποστηρίζει 2 κινητήρες ή και τέσσερις."_s,
            u"Στην περίπτωση των 2 κινητήρων τότε οι είσοδοι από το Arduino ονομάζονται "_s,
            u"IN1,IN2 για τον πρώτο και IN3,IN4 για τον δεύτερο."_s,
            u"Οι κινητήρες συνδέονται στα σημεία Motor-A και Motor-B ή μπορεί να "_s,
            u"ανφέρονται και ως Α+,Α- για τον πρώτο και Β+,Β- για τον δεύτερο."_s,
            QString(),
            u"Χρειάζεται επίσης την τάση(+5v(VCC) και τη γείωση (GND) για το Arduino θα την "_s,
            u"βρείτε κοντά στα σήματα IN."_s,
            u"Οι κινητήρες πρέπει να έχουν διαφορετική τάση αν και μπορεί να "_s,
            u"χρησιμοποιήσετε την ίδια που δίνετε και στο Arduino."_s,
            u"Συνήθως ονομάζονται VIN και GND. Η τάση για τους συγκεκριμένους κινητήρες "_s,
            u"δεν πρέπει να υπερβαίνει τα 6V. "_s,
        };
    case DeviceTypes::ROBOT:
        return {
            u"Αυτο το σύστημα αποτελείται από δύο κινητήρες (DC Motor), μια συσκευή L293P, "_s,
            u"μια συσκευή Photo Interrupter για την μέτρηση της απόστασης μετακίνησης και "_s,
            u"από ένα γυροσκόπιο για μέτρηση της κατευθυνσης ώστε να μπορεί να στρίβει σε "_s,
            u"συγκεκριμένη γωνία. Το Photo Interrupter και το γυροσκόπιο είναι προαιρετικά."_s,
            QString(),
            u"Xρειάζεται δύο σήματα για κάθε κινητήρα (IN1,IN2) για τον 1ο και (IN3,IN4) για "_s,
            u"τον 2ο. Για την ταχύτητα θα πρέπει να συνδεσετε το En1 και En2 σε κάποιο από "_s,
            u"τα ακόλουθα pin:"_s,
            u"Uno, Nano: 3, 5, 6, 9, 10, 11"_s,
            u"Mega : 2 - 13, 44 - 46"_s,
            u"Επίσης θέλει και ένα Pin γιά το Photo Interrupter. Το γυροσκόπιο "_s,
            u"συνδεέται με δύο σήματα στο I2C bus δηλαδή στα SDA/SCL (pins A4,A5 για το "_s,
            u"NANO)."_s,
            u"Χρειάζεται επίσης την τάση(+5v(VCC) και τη γείωση (GND) για το Arduino θα την "_s,
            u"βρείτε κοντά στα σήματα IN."_s,
            QString(),
            u"Οι κινητήρες πρέπει να έχουν διαφορετική τάση αν και μπορεί να "_s,
            u"χρησιμοποιήσετε την ίδια που δίνετε και στο Arduino."_s,
            u"Συνήθως ονομάζονται VIN και GND. Η τάση για τους κινητήρες συνήθως"_s,
            u"δεν πρέπει να υπερβαίνει τα 6V. Στα Α- Α+ και Β- Β+ συνδέετε τους κινητήρες."_s,
            u"Δεν έχει σημασία ποια καλώδια βάζετε αν ένα μοτέρ γυρίζει ανάποδα τότε "_s,
            u"μπορείτε να αλλάξετε κατεύθυνση αλλάζoντας τα In1 και In2 μεταξύ τους."_s,
        };
    default:
        return {};
    }
}

QString DeviceFormTexts::pinHint()
{
    return u"Διάλεξε το Pin που έχεις συνδέσει την συσκευή"_s;
}

QList<DeviceFormField> DeviceFormTexts::pinFields(int typeId)
{
    const QString hint = pinHint();
    switch (typeId) {
    case DeviceTypes::Laser:
    case DeviceTypes::Sound:
    case DeviceTypes::Switch:
    case DeviceTypes::ANIN:
        return {{u"Signal Pin:"_s, 1, hint}};
    case DeviceTypes::UltraSonic:
        return {{u"Trig Pin:"_s, 1, hint}, {u"Echo Pin:"_s, 2, hint}};
    case DeviceTypes::Servo:
        return {{u"Signal Pin (Πορτοκαλί):"_s, 1, hint}};
    case DeviceTypes::Temp:
        return {{u"DATA PIN:"_s, 1, hint}};
    case DeviceTypes::DCMOTOR:
        return {{u"IN1:"_s, 1, hint}, {u"IN2:"_s, 2, hint}};
    case DeviceTypes::ROBOT:
        return {
            {u"IN1:"_s, 1, hint},
            {u"IN2:"_s, 2, hint},
            {u"IN3:"_s, 3, hint},
            {u"IN4:"_s, 4, hint},
            {u"En1,2:"_s, 7, u"Uno,Nano: 3, 5, 6, 9, 10, 11 Mega: 2 - 13, 44 - 46"_s},
            {u"PhotoInt:"_s, 5, hint},
        };
    default:
        return {};
    }
}

QString DeviceFormTexts::pinNotOnBoard(const QString &boardName)
{
    return u"Δεν υπάρχει στο %1"_s.arg(boardName);
}

bool DeviceFormTexts::isPin(int typeId, int param)
{
    switch (typeId) {
    case DeviceTypes::Laser:
    case DeviceTypes::Sound:
    case DeviceTypes::Servo:
    case DeviceTypes::Switch:
    case DeviceTypes::Temp:
    case DeviceTypes::ANIN:
        return param == 1;
    case DeviceTypes::UltraSonic:
    case DeviceTypes::DCMOTOR:
        return param == 1 || param == 2;
    case DeviceTypes::ROBOT:
        // 6 is the gyroscope's flag.
        return param >= 1 && param <= 7 && param != 6;
    default:
        return false;
    }
}

bool DeviceFormTexts::hasKindList(int typeId)
{
    return typeId == DeviceTypes::Laser || typeId == DeviceTypes::Switch
        || typeId == DeviceTypes::ANIN;
}

QString DeviceFormTexts::kindListCaption(int typeId)
{
    switch (typeId) {
    case DeviceTypes::Laser:
    case DeviceTypes::Switch:
        return u"Επιλέξτε Διακόπτη"_s;
    case DeviceTypes::ANIN:
        return u"Επιλέξτε Συσκευή"_s;
    default:
        return QString();
    }
}

QStringList DeviceFormTexts::kindNames(int typeId)
{
    switch (typeId) {
    case DeviceTypes::Laser:
        return {u"Laser"_s, u"Led Λαμπάκι"_s};
    case DeviceTypes::Switch:
        return {
            u"Διακόπτης Πλήκτρου"_s,
            u"Ανιχνευτής Laser"_s,
            u"Ανιχνευτής Φωτός"_s,
            u"Διακόπτης Δόνησης"_s,
            u"Διακόπτης Υδραργύρου"_s,
            u"Μαγνητικός Διακόπτης"_s,
            u"Διακόπτης Πρόσκρουσης"_s,
            u"Ανιχνευτής Κλίσης"_s,
            u"Ανιχνευτής Απόστασης"_s,
            u"Ανιχνευτής Μαύρου"_s,
        };
    case DeviceTypes::ANIN:
        return {u"Αισθητήρας Υγρασίας Εδάφους"_s, u"Αισθητήρας Μαύρο/Άσπρο"_s};
    default:
        return {};
    }
}

QStringList DeviceFormTexts::kindPictureNames(int typeId, int kind)
{
    QString prefix;
    switch (typeId) {
    case DeviceTypes::Laser:
        prefix = u"Laser_"_s;
        break;
    case DeviceTypes::Switch:
        prefix = u"Switch_"_s;
        break;
    case DeviceTypes::ANIN:
        prefix = u"AnalogIn_"_s;
        break;
    default:
        return {};
    }
    const QString stem = prefix + QString::number(kind);
    return {stem + u".jpg"_s, stem + u".png"_s};
}

QStringList DeviceFormTexts::tempTypeNames()
{
    return {u"DHT11"_s, u"DHT22"_s, u"DHT21"_s, u"AM2301"_s};
}

QString DeviceFormTexts::tempPictureName(int sensorType)
{
    return u"DHT"_s + QString::number(sensorType) + u".jpg"_s;
}

QString DeviceFormTexts::tilePanelName(int typeId)
{
    // The tile table of the palette names the panels.
    for (const DeviceTileSpec &tile : deviceTiles())
        if (tile.typeId == typeId)
            return tile.panel;
    return QString();
}

QString DeviceFormTexts::tilePictureName(int typeId)
{
    const QString panel = tilePanelName(typeId);
    return panel.isEmpty() ? QString() : panel + u".png"_s;
}
