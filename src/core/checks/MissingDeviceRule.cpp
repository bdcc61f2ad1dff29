#include "checks/MissingDeviceRule.h"

#include "blocks/TKeloBlock.h"
#include "catalogue/Catalogue.h"
#include "checks/CheckContext.h"
#include "devices/ActiveDevices.h"

#include <QMap>

using namespace Qt::StringLiterals;

namespace {

QString typeCaption(int typeId)
{
    for (const DeviceTileSpec &tile : deviceTiles())
        if (tile.typeId == typeId)
            return tile.caption;
    return QString::number(typeId);
}

struct Orphans {
    const TKeloBlock *first = nullptr;
    int count = 0;
    bool namesObject = false;
};

} // namespace

void MissingDeviceRule::check(const CheckContext &project, QList<Finding> &findings) const
{
    QMap<int, Orphans> byType;
    QList<int> order;
    const auto look = [&](const TKeloBlock *b) {
        const int type = b->DeviceOnlyCommandID();
        if (type < 0 || project.devices().typeCount(type) > 0)
            return;
        Orphans &o = byType[type];
        if (!o.first) {
            o.first = b;
            order.append(type);
        }
        ++o.count;
        o.namesObject = o.namesObject || b->ArduCmd.contains(u"%dn"_s);
    };
    for (const TKeloBlock *b : project.program())
        look(b);
    for (const TKeloBlock *b : project.values())
        look(b);

    for (int type : order) {
        const Orphans &o = byType[type];
        QString text = o.count == 1
                           ? u"Αυτό το block είναι για συσκευή «%1», αλλά το έργο δεν έχει καμία τέτοια συσκευή. "
                             u"Πρόσθεσε μία στη σελίδα «Συσκευές» ή βγάλε το block από το πρόγραμμα."_s.arg(
                                 typeCaption(type))
                           : u"Αυτό και άλλα %2 blocks είναι για συσκευή «%1», αλλά το έργο δεν έχει καμία τέτοια "
                             u"συσκευή. Πρόσθεσε μία στη σελίδα «Συσκευές» ή βγάλε αυτά τα blocks από το "
                             u"πρόγραμμα."_s.arg(typeCaption(type), QString::number(o.count - 1));
        if (o.namesObject)
            text += u" Αλλιώς ο κώδικας δεν θα μεταγλωττιστεί."_s;
        findings.append(Finding::aboutBlock(o.namesObject ? Finding::Severity::Error : Finding::Severity::Warning,
                                            u"missing-device"_s, o.first, text));
    }
}
