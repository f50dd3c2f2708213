// Build tool: turns data/tips.txt (UTF-8, one tip per line, '#' starts a
// comment line) into the tips file of 256-byte short-string records.
#include "core/base/Cp1250.h"

#include <QFile>
#include <QTextStream>
#include <cstdio>

int main(int argc, char** argv)
{
    if (argc != 3) {
        std::fprintf(stderr, "usage: maketips tips.txt subor1.tip\n");
        return 2;
    }
    QFile in(QString::fromLocal8Bit(argv[1]));
    if (!in.open(QIODevice::ReadOnly | QIODevice::Text)) {
        std::fprintf(stderr, "maketips: cannot read %s\n", argv[1]);
        return 1;
    }
    QByteArray out;
    int line = 0;
    QTextStream stream(&in);
    stream.setEncoding(QStringConverter::Utf8);
    while (!stream.atEnd()) {
        const QString text = stream.readLine();
        ++line;
        if (text.trimmed().isEmpty() || text.startsWith(QLatin1Char('#')))
            continue;
        bool ok = false;
        const Cp1250 bytes = toCp1250(text, &ok);
        if (!ok || bytes.size() > ShortStringMax) {
            std::fprintf(stderr, "maketips: line %d is not a short string of code page 1250\n", line);
            return 1;
        }
        QByteArray record(256, '\0');
        writeSlot(reinterpret_cast<unsigned char*>(record.data()), bytes);
        out += record;
    }
    QFile target(QString::fromLocal8Bit(argv[2]));
    if (!target.open(QIODevice::WriteOnly) || target.write(out) != out.size()) {
        std::fprintf(stderr, "maketips: cannot write %s\n", argv[2]);
        return 1;
    }
    return 0;
}
