#pragma once
// A private CUPS scheduler for one test process: cupsd in the foreground on a
// loopback port, with every folder and log in a temporary folder of its own,
// and queues whose device is a file, so each job can be read back.
#include <QProcess>
#include <QString>
#include <QStringList>
#include <QTemporaryDir>
#include <memory>

class CupsServer {
public:
    CupsServer();
    ~CupsServer(); // stops the scheduler if it runs
    CupsServer(const CupsServer&) = delete;
    CupsServer& operator=(const CupsServer&) = delete;

    // A port on 127.0.0.1 nobody listens on right now.
    static quint16 freeLoopbackPort();

    // Starts cupsd on `port` and waits until it answers. Empty on success,
    // else what went wrong; `portTaken` tells a lost race for the port.
    QString start(quint16 port, bool* portTaken = nullptr);
    void stop();
    bool running() const;
    QString host() const { return QStringLiteral("127.0.0.1:%1").arg(port_); }

    // A queue that writes each job, as sent, to outputOf(name). Empty on success.
    QString addQueue(const QString& name);
    QString outputOf(const QString& name) const;

    // A CUPS command-line tool run against this server (-h is added). Empty
    // on success, else the tool's error output.
    QString tool(const QString& program, const QStringList& arguments, QString* output = nullptr) const;
    // Job ids of `queue` (every queue when empty) in one state group:
    // "completed", "not-completed" or "all". `error` tells when lpstat failed.
    QStringList jobs(const QString& queue, const QString& which, QString* error = nullptr) const;
    // The scheduler's error log, for failure messages.
    QString log() const;

private:
    QTemporaryDir dir_;
    std::unique_ptr<QProcess> cupsd_;
    quint16 port_ = 0;
};
