#include "CupsServer.h"

#include <QDeadlineTimer>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QStandardPaths>

#include <arpa/inet.h>
#include <csignal>
#include <netinet/in.h>
#include <sys/prctl.h>
#include <sys/socket.h>
#include <unistd.h>

namespace {

// A printer that takes PDF and hands it on unchanged (gziptoany copies what
// is not compressed), on A4 with margins as a real printer has them.
const char Ppd[] = R"ppd(*PPD-Adobe: "4.3"
*FormatVersion: "4.3"
*FileVersion: "1.0"
*LanguageVersion: English
*LanguageEncoding: ISOLatin1
*PCFileName: "PDFFILE.PPD"
*Manufacturer: "Zelvana"
*Product: "(PDF file)"
*ModelName: "PDF file"
*ShortNickName: "PDF file"
*NickName: "PDF file"
*PSVersion: "(3010.000) 0"
*LanguageLevel: "3"
*ColorDevice: False
*DefaultColorSpace: Gray
*FileSystem: False
*Throughput: "1"
*TTRasterizer: Type42
*cupsVersion: 2.4
*cupsFilter2: "application/pdf application/vnd.cups-pdf 0 gziptoany"
*OpenUI *PageSize/Media Size: PickOne
*OrderDependency: 10 AnySetup *PageSize
*DefaultPageSize: A4
*PageSize A4/A4: "<</PageSize[595 842]>>setpagedevice"
*CloseUI: *PageSize
*OpenUI *PageRegion/Media Size: PickOne
*OrderDependency: 10 AnySetup *PageRegion
*DefaultPageRegion: A4
*PageRegion A4/A4: "<</PageSize[595 842]>>setpagedevice"
*CloseUI: *PageRegion
*DefaultImageableArea: A4
*ImageableArea A4/A4: "18 36 577 806"
*DefaultPaperDimension: A4
*PaperDimension A4/A4: "595 842"
)ppd";

// cupsd and the admin tools live in sbin, which a PATH may leave out.
QString toolPath(const QString& name)
{
    const QString found = QStandardPaths::findExecutable(name);
    return found.isEmpty() ? QStandardPaths::findExecutable(name, {"/usr/sbin", "/usr/bin", "/sbin"}) : found;
}

bool writeFile(const QString& path, const QByteArray& bytes)
{
    QFile f(path);
    return f.open(QIODevice::WriteOnly | QIODevice::Truncate) && f.write(bytes) == bytes.size();
}

} // namespace

CupsServer::CupsServer()
{
    // The scheduler's helpers run as lp and must reach the spool folder below.
    QFile::setPermissions(dir_.path(), QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner |
                                           QFileDevice::ReadGroup | QFileDevice::ExeGroup | QFileDevice::ReadOther |
                                           QFileDevice::ExeOther);
}

CupsServer::~CupsServer() { stop(); }

quint16 CupsServer::freeLoopbackPort()
{
    const int s = ::socket(AF_INET, SOCK_STREAM, 0);
    if (s < 0)
        return 0;
    sockaddr_in a{};
    a.sin_family = AF_INET;
    a.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    a.sin_port = 0;
    socklen_t len = sizeof a;
    quint16 port = 0;
    if (::bind(s, reinterpret_cast<sockaddr*>(&a), sizeof a) == 0 &&
        ::getsockname(s, reinterpret_cast<sockaddr*>(&a), &len) == 0)
        port = ntohs(a.sin_port);
    ::close(s);
    return port;
}

QString CupsServer::start(quint16 port, bool* portTaken)
{
    if (portTaken)
        *portTaken = false;
    if (!dir_.isValid())
        return QStringLiteral("no temporary folder: ") + dir_.errorString();
    stop();
    port_ = port;
    const QString root = dir_.path();
    const QStringList folders{"conf", "spool", "cache", "state", "tmp", "log", "out"};
    for (const QString& f : folders)
        if (!QDir(root).mkpath(f))
            return QStringLiteral("cannot make %1/%2").arg(root, f);
    // The queues' output files are written by the scheduler itself.
    QFile::setPermissions(root + "/out", QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner |
                                             QFileDevice::ReadGroup | QFileDevice::WriteGroup | QFileDevice::ExeGroup);
    QFile::remove(root + "/log/error_log");

    // Loopback only, no browsing, no sharing, nobody asked for a password.
    const QByteArray conf = QStringLiteral("Listen 127.0.0.1:%1\n"
                                           "LogLevel info\n"
                                           "MaxLogSize 0\n"
                                           "Browsing No\n"
                                           "BrowseLocalProtocols none\n"
                                           "DefaultShared No\n"
                                           "WebInterface No\n"
                                           "DefaultAuthType None\n"
                                           "<Location />\n  Order allow,deny\n  Allow from 127.0.0.1\n</Location>\n"
                                           "<Policy default>\n  <Limit All>\n    Order deny,allow\n  </Limit>\n</Policy>\n")
                                .arg(port)
                                .toUtf8();
    // Nothing of the machine's own CUPS: every folder and file is ours.
    const QByteArray files = QStringLiteral("ServerRoot %1/conf\n"
                                            "RequestRoot %1/spool\n"
                                            "CacheDir %1/cache\n"
                                            "StateDir %1/state\n"
                                            "TempDir %1/tmp\n"
                                            "AccessLog %1/log/access_log\n"
                                            "ErrorLog %1/log/error_log\n"
                                            "PageLog %1/log/page_log\n"
                                            "Printcap %1/printcap\n"
                                            "FileDevice Yes\n"
                                            "SystemGroup root\n")
                                 .arg(root)
                                 .toUtf8();
    // As root the filters run as lp (the default User and Group); any other
    // user runs them as itself.
    if (!writeFile(root + "/cupsd.conf", conf) || !writeFile(root + "/cups-files.conf", files) ||
        !writeFile(root + "/pdf.ppd", Ppd))
        return QStringLiteral("cannot write the configuration in %1").arg(root);

    cupsd_ = std::make_unique<QProcess>();
    cupsd_->setProcessChannelMode(QProcess::MergedChannels);
    // Gone with the test process, however it ends.
    cupsd_->setChildProcessModifier([] { ::prctl(PR_SET_PDEATHSIG, SIGKILL); });
    const QString cupsd = toolPath(QStringLiteral("cupsd"));
    if (cupsd.isEmpty())
        return QStringLiteral("cupsd is not installed (package cups-daemon)");
    cupsd_->start(cupsd,
                  {"-f", "-c", root + "/cupsd.conf", "-s", root + "/cups-files.conf"});
    if (!cupsd_->waitForStarted(10000))
        return QStringLiteral("cupsd does not start: ") + cupsd_->errorString();

    const QDeadlineTimer deadline(20000);
    while (!deadline.hasExpired()) {
        if (cupsd_->state() != QProcess::Running || log().contains(QStringLiteral("Unable to open listen socket"))) {
            if (portTaken)
                *portTaken = log().contains(QStringLiteral("Address already in use"));
            const QString why = QStringLiteral("cupsd ended (status %1): ").arg(cupsd_->exitCode()) +
                                QString::fromLocal8Bit(cupsd_->readAll()) + log();
            stop();
            return why;
        }
        // Ours, not some other scheduler on the same port: ours logs the listen.
        QString out;
        if (log().contains(QStringLiteral("Listening to 127.0.0.1:%1").arg(port)) &&
            tool(QStringLiteral("lpstat"), {"-r"}, &out).isEmpty() && out.contains(QStringLiteral("is running")))
            return {};
        cupsd_->waitForFinished(50); // the poll's pause, and notice of an early end
    }
    const QString why = log();
    stop();
    return QStringLiteral("cupsd does not answer on %1 within 20 s: %2").arg(host(), why);
}

void CupsServer::stop()
{
    if (!cupsd_)
        return;
    if (cupsd_->state() != QProcess::NotRunning) {
        cupsd_->terminate();
        if (!cupsd_->waitForFinished(10000)) {
            cupsd_->kill();
            cupsd_->waitForFinished(5000);
        }
    }
    cupsd_.reset();
}

bool CupsServer::running() const { return cupsd_ && cupsd_->state() == QProcess::Running; }

QString CupsServer::addQueue(const QString& name)
{
    QFile::remove(outputOf(name));
    return tool(QStringLiteral("lpadmin"), {"-p", name, "-E", "-v", QStringLiteral("file://") + outputOf(name), "-P",
                                            dir_.filePath(QStringLiteral("pdf.ppd"))});
}

QString CupsServer::outputOf(const QString& name) const { return dir_.filePath(QStringLiteral("out/%1.pdf").arg(name)); }

QString CupsServer::tool(const QString& program, const QStringList& arguments, QString* output) const
{
    const QString path = toolPath(program);
    if (path.isEmpty())
        return program + QStringLiteral(" is not installed (package cups-client)");
    QProcess p;
    p.start(path, QStringList{"-h", host()} + arguments);
    if (!p.waitForFinished(20000)) {
        p.kill();
        p.waitForFinished(5000);
        return program + QStringLiteral(" did not finish: ") + p.errorString();
    }
    if (output)
        *output = QString::fromLocal8Bit(p.readAllStandardOutput());
    if (p.exitStatus() != QProcess::NormalExit || p.exitCode() != 0) {
        const QString err = QString::fromLocal8Bit(p.readAllStandardError()).trimmed();
        return QStringLiteral("%1 %2: %3").arg(program, arguments.join(' '), err.isEmpty() ? QStringLiteral("failed") : err);
    }
    return {};
}

QStringList CupsServer::jobs(const QString& queue, const QString& which, QString* error) const
{
    QString out;
    QStringList args{"-W", which, "-o"};
    if (!queue.isEmpty())
        args << queue;
    if (const QString why = tool(QStringLiteral("lpstat"), args, &out); !why.isEmpty()) {
        if (error)
            *error = why;
        return {};
    }
    QStringList ids;
    for (const QString& line : out.split('\n', Qt::SkipEmptyParts))
        ids << line.section(' ', 0, 0);
    return ids;
}

QString CupsServer::log() const
{
    QFile f(dir_.filePath(QStringLiteral("log/error_log")));
    return f.open(QIODevice::ReadOnly) ? QString::fromLocal8Bit(f.readAll()) : QString();
}
