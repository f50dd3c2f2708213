#include "core/records/Tips.h"

#include "core/base/FileError.h"
#include "core/base/SafeRead.h"

Cp1250 ReadRandomTip(const QString& path, const std::function<int(int)>& randomBelow)
{
    const QByteArray bytes = ReadRegularFile(path, SmallFileLimit);
    const qint64 recordSize = static_cast<qint64>(TipRecordSize);
    const qint64 records = bytes.size() / recordSize;
    const qint64 below = records - 1;
    const qint64 index = below > 0 ? randomBelow(static_cast<int>(below)) : 0;
    // A draw outside the file reads nothing rather than past the bytes.
    if (index < 0 || (index + 1) * recordSize > bytes.size())
        throw FileError::readBeyondEnd();
    return readSlot(reinterpret_cast<const unsigned char*>(bytes.constData()) + index * recordSize);
}
