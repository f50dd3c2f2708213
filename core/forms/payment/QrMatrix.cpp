#include "core/forms/payment/QrMatrix.h"

#include <qrencode.h>

#include <memory>

std::optional<QrMatrix> EncodeQr(const QString& text)
{
    const QByteArray bytes = text.toUtf8();
    if (bytes.isEmpty() || bytes.contains('\0'))
        return std::nullopt;
    for (const QRecLevel level : {QR_ECLEVEL_M, QR_ECLEVEL_L}) {
        const std::unique_ptr<QRcode, decltype(&QRcode_free)> code(
            QRcode_encodeString(bytes.constData(), 0, level, QR_MODE_8, 1), &QRcode_free);
        if (!code)
            continue;
        QrMatrix m;
        m.size = code->width;
        m.modules.resize(static_cast<std::size_t>(m.size) * static_cast<std::size_t>(m.size));
        for (std::size_t i = 0; i < m.modules.size(); ++i)
            m.modules[i] = (code->data[i] & 1) != 0; // bit 0: dark
        return m;
    }
    return std::nullopt;
}
