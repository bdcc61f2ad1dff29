// libFuzzer target: the object-text reader on any bytes. It must not crash, hang or
// leak; what it reads, written out and read again, must be the same objects.
#include "project/ObjectTextReader.h"
#include "project/ObjectTextWriter.h"

#include <cstdint>
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const ObjectTextParseResult first =
        ObjectTextReader::parse(QByteArray(reinterpret_cast<const char *>(data), qsizetype(size)));
    ObjectTextWriter out;
    for (const ObjectTextObject &o : first.objects)
        out.writeObject(o);
    if (first.objects.isEmpty())
        return 0;
    const ObjectTextParseResult again = ObjectTextReader::parse(out.data());
    if (!again.ok || again.objects != first.objects)
        std::abort();
    return 0;
}
