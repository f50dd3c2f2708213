#include "core/base/Cp1250.h"

#include <QStringDecoder>
#include <QStringEncoder>
#include <cstring>

Cp1250 toCp1250(const QString& text, bool* ok)
{
    QStringEncoder encoder("windows-1250");
    QByteArray bytes = encoder.encode(text);
    if (ok)
        *ok = !encoder.hasError();
    return Cp1250(bytes.constData(), static_cast<std::size_t>(bytes.size()));
}

QString fromCp1250(std::string_view bytes)
{
    QStringDecoder decoder("windows-1250");
    return decoder.decode(QByteArrayView(bytes.data(), static_cast<qsizetype>(bytes.size())));
}

bool fitsCp1250(const QString& text)
{
    // The encoder keeps a trailing half of a surrogate pair for a next call
    // instead of failing, and the code page has no character outside the BMP.
    for (const QChar c : text)
        if (c.isSurrogate())
            return false;
    bool ok = true;
    toCp1250(text, &ok);
    return ok;
}

QString Cp1250CodecProblem(const char* codecName)
{
    QStringEncoder encoder(codecName);
    QStringDecoder decoder(codecName);
    if (!encoder.isValid() || !decoder.isValid())
        return QStringLiteral("Knižnica Qt tohto počítača nepozná kódovú stránku %1, "
                              "preto program nemôže ukladať ani tlačiť texty. Program sa ukončí.")
            .arg(QString::fromLatin1(codecName));
    // The round trip of the letters the program writes most.
    const QString sample = QStringLiteral("ľščťžýáíéúäôňďĺŕ ĽŠČŤŽÝÁÍÉÚÄÔŇĎĹŔ");
    QByteArray bytes = encoder.encode(sample);
    if (encoder.hasError() || bytes.size() != sample.size() || decoder.decode(bytes) != sample)
        return QStringLiteral("Kódová stránka %1 v knižnici Qt nepracuje správne, "
                              "preto program nemôže ukladať ani tlačiť texty. Program sa ukončí.")
            .arg(QString::fromLatin1(codecName));
    return {};
}

Cp1250 readSlot(const unsigned char* slot)
{
    return Cp1250(reinterpret_cast<const char*>(slot + 1), slot[0]);
}

void writeSlot(unsigned char* slot, std::string_view value)
{
    const std::size_t n = std::min(value.size(), ShortStringMax);
    slot[0] = static_cast<unsigned char>(n);
    std::memcpy(slot + 1, value.data(), n);
}
