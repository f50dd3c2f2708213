// Build tool: writes the envelope templates listed in data/envelopes.txt
// (UTF-8; "name | width | height | recipient font | sender font" per line,
// '#' starts a comment line) as "<name>.obl" files into a folder.
#include "core/forms/envelope/EnvelopeTemplate.h"
#include "core/forms/envelope/TemplateName.h"

#include <QDir>
#include <QFile>
#include <QTextStream>
#include <cstdio>

int main(int argc, char** argv)
{
    if (argc != 3) {
        std::fprintf(stderr, "usage: maketemplates envelopes.txt folder\n");
        return 2;
    }
    QFile in(QString::fromLocal8Bit(argv[1]));
    if (!in.open(QIODevice::ReadOnly | QIODevice::Text)) {
        std::fprintf(stderr, "maketemplates: cannot read %s\n", argv[1]);
        return 1;
    }
    const QString folder = QString::fromLocal8Bit(argv[2]);
    if (!QDir().mkpath(folder)) {
        std::fprintf(stderr, "maketemplates: cannot make %s\n", argv[2]);
        return 1;
    }
    QTextStream stream(&in);
    stream.setEncoding(QStringConverter::Utf8);
    int line = 0;
    int written = 0;
    while (!stream.atEnd()) {
        const QString text = stream.readLine();
        ++line;
        if (text.trimmed().isEmpty() || text.startsWith(QLatin1Char('#')))
            continue;
        const QStringList parts = text.split(QLatin1Char('|'));
        bool ok = parts.size() == 5;
        const QString name = parts.value(0).trimmed();
        ok = ok && TemplateNameProblem(name).isEmpty();
        std::int32_t values[4] = {};
        for (int i = 0; ok && i < 4; ++i)
            values[i] = parts[i + 1].trimmed().toInt(&ok);
        if (!ok) {
            std::fprintf(stderr, "maketemplates: line %d is not \"name | width | height | font | font\"\n", line);
            return 1;
        }
        const QString path = folder + QLatin1Char('/') + name + QStringLiteral(".obl");
        try {
            WriteTemplateFile(QFile::encodeName(path).toStdString(), {values[0], values[1], values[2], values[3]});
        } catch (const FileError& e) {
            std::fprintf(stderr, "maketemplates: %s: %s\n", qPrintable(path), e.what());
            return 1;
        }
        ++written;
    }
    if (written == 0) {
        std::fprintf(stderr, "maketemplates: no template in %s\n", argv[1]);
        return 1;
    }
    return 0;
}
