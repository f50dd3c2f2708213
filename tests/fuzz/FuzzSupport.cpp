#include "FuzzSupport.h"

#include <QDir>
#include <QFile>
#include <QGuiApplication>
#include <QTemporaryDir>
#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <fcntl.h>
#include <unistd.h>

QString ScratchFolder()
{
    static QTemporaryDir dir(QDir(QStringLiteral("/dev/shm")).exists()
                                 ? QStringLiteral("/dev/shm/zelvana-fuzz-XXXXXX")
                                 : QDir::tempPath() + QStringLiteral("/zelvana-fuzz-XXXXXX"));
    if (!dir.isValid()) {
        std::fprintf(stderr, "fuzz: no scratch folder\n");
        std::abort();
    }
    return dir.path() + QLatin1Char('/');
}

void WriteBytes(const QString& path, const QByteArray& bytes)
{
    const QByteArray name = QFile::encodeName(path);
    const int fd = ::open(name.constData(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0644);
    qsizetype done = 0;
    while (fd >= 0 && done < bytes.size()) {
        const ssize_t n = ::write(fd, bytes.constData() + done, static_cast<std::size_t>(bytes.size() - done));
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0)
            break;
        done += n;
    }
    if (fd < 0 || done != bytes.size() || ::close(fd) != 0) {
        std::fprintf(stderr, "fuzz: cannot write the scratch file %s\n", name.constData());
        std::abort();
    }
}

QByteArray ReadBytes(const QString& path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        std::fprintf(stderr, "fuzz: cannot read the scratch file %s\n", qPrintable(path));
        std::abort();
    }
    return file.readAll();
}

bool Exists(const QString& path) { return ::access(QFile::encodeName(path).constData(), F_OK) == 0; }

void RemoveFile(const QString& path) { ::unlink(QFile::encodeName(path).constData()); }

void RemoveStartingWith(const QString& folder, const QString& prefix)
{
    const QDir dir(folder);
    for (const QString& name : dir.entryList({prefix + QLatin1Char('*')}, QDir::Files | QDir::Hidden | QDir::System))
        RemoveFile(dir.filePath(name));
}

void StartGuiApplication()
{
    static int argc = 1;
    static char name[] = "fuzz";
    static char* argv[] = {name, nullptr};
    qputenv("QT_QPA_PLATFORM", "offscreen");
    static QGuiApplication app(argc, argv);
}

void FuzzFailure(const char* file, int line, const char* condition)
{
    std::fprintf(stderr, "fuzz: property failed at %s:%d: %s\n", file, line, condition);
    std::abort();
}
