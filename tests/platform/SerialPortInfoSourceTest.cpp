#include "serial/SerialPortInfoSource.h"
#include "util/DebugLog.h"

#include <gtest/gtest.h>

namespace {

// The listing made in the background is taken by the next look, once; the look after
// that asks the system again. Either way the same ports come back.
TEST(SerialPortInfoSource, ListingInTheBackgroundIsTakenOnceAndGivesTheSamePorts)
{
    MemoryDebugLog log;
    SerialPortInfoSource source;
    const QStringList direct = source.listPorts(log);

    source.listInBackground();
    source.listInBackground(); // a second start while the first runs changes nothing
    EXPECT_EQ(source.listPorts(log), direct);
    EXPECT_EQ(source.listPorts(log), direct);

    // A listing never taken is waited for when the source goes.
    SerialPortInfoSource dropped;
    dropped.listInBackground();
}

} // namespace
