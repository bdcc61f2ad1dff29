#include "checks/I2cPinRule.h"

#include "checks/CheckContext.h"
#include "checks/GreekList.h"

using namespace Qt::StringLiterals;

void I2cPinRule::check(const CheckContext &project, QList<Finding> &findings) const
{
    const QStringList &owners = project.i2cDevices();
    if (owners.isEmpty())
        return;
    const BoardPins &board = project.board();
    const QList<int> bus = board.i2cPins();
    const QString busText = u"pin %1 και %2"_s.arg(board.label(bus[0]), board.label(bus[1]));
    const QString usedBy = owners.size() == 1 ? u"τη χρησιμοποιεί η συσκευή "_s + owners[0]
                                               : u"τη χρησιμοποιούν οι συσκευές "_s + GreekList::join(owners);

    QSet<int> told;
    for (const PinUse &use : project.pinUses()) {
        if (!bus.contains(use.pin) || told.contains(use.pin))
            continue;
        told.insert(use.pin);
        findings.append(Finding::aboutBlock(
            Finding::Severity::Warning, u"i2c-pin"_s, use.block,
            u"Το pin %1 ανήκει στη σύνδεση I2C (%2), που %3. Αν το χρησιμοποιεί και αυτό το block, η σύνδεση "
            u"δεν θα δουλεύει σωστά. Διάλεξε ένα άλλο pin."_s.arg(board.pinName(use.pin), busText, usedBy)));
    }
    QSet<int> toldDevices;
    for (const DevicePin &d : project.devicePins()) {
        if (!bus.contains(d.pin) || toldDevices.contains(d.device))
            continue;
        toldDevices.insert(d.device);
        findings.append(Finding::aboutDevice(
            Finding::Severity::Warning, u"i2c-pin"_s, d.deviceName,
            u"Η συσκευή %1 έχει το %2 στο pin %3, που ανήκει στη σύνδεση I2C (%4), που %5. Έτσι δεν θα δουλεύει "
            u"σωστά καμία από τις δύο: διάλεξε ένα άλλο pin."_s.arg(d.deviceName, d.label, board.pinName(d.pin),
                                                                    busText, usedBy)));
    }
}
