// Time from process start to the launcher being painted, and peak memory.
// The parent spawns this program in child mode, which starts exactly like the
// program (application, records, tips, launcher) in a scratch program folder
// and reports when the launcher has painted for the first time.
#include "ui/frame/AppState.h"
#include "app/Composition.h"
#include "ui/desktop/Desktop.h"
#include "ui/frame/Platform.h"
#include "app/TForm1.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTimer>
#include <algorithm>
#include <cstdio>
#include <cstring>
#include <ctime>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>
#include <vector>

static double nowMs()
{
    timespec ts{};
    clock_gettime(CLOCK_MONOTONIC, &ts);
    return ts.tv_sec * 1e3 + ts.tv_nsec / 1e6;
}

namespace {
class FirstPaint : public QObject {
public:
    explicit FirstPaint(int fd) : fd_(fd) {}
    bool eventFilter(QObject*, QEvent* event) override
    {
        if (event->type() == QEvent::Paint && !done_) {
            done_ = true;
            const double t = nowMs();
            [[maybe_unused]] auto n = ::write(fd_, &t, sizeof t);
            QTimer::singleShot(0, qApp, &QCoreApplication::quit);
        }
        return false;
    }
private:
    int fd_;
    bool done_ = false;
};
}

namespace {
// The program's platform, but a message goes to stderr instead of a modal box
// that nobody would close.
class StderrMessages : public MessageSeam {
public:
    void showMessage(const QString& text) override { std::fprintf(stderr, "message: %s\n", qPrintable(text)); }
    void showHint(QWidget*, const QString&) override {}
    bool askYesNo(QWidget*, const QString&, const QString&) override { return false; }
};
}

// The yardstick: a bare Qt window of the launcher's size, started and painted
// the same way.
static int bareChild(int argc, char** argv, int fd)
{
    QApplication application(argc, argv);
    QWidget window;
    window.setFixedSize(400, 299);
    FirstPaint probe(fd);
    window.installEventFilter(&probe);
    window.show();
    QTimer::singleShot(10000, qApp, &QCoreApplication::quit);
    return QApplication::exec();
}

static int child(int argc, char** argv, int fd, const char* programFolder)
{
    QApplication application(argc, argv);
    // As the program's entry does.
    InstallSlovakTranslations(application);
    SubstituteWindowsFaces();
    StderrMessages messages;
    Platform platform;
    platform.use(messages);
    AppState app(QString::fromLocal8Bit(programFolder), platform);
    RegisterDocumentWindows(app);
    TForm1 launcher(app);
    FirstPaint probe(fd);
    launcher.installEventFilter(&probe);
    launcher.show();
    // Without a working display no paint comes; give up rather than hang.
    QTimer::singleShot(10000, qApp, &QCoreApplication::quit);
    return QApplication::exec();
}

int main(int argc, char** argv)
{
    if (argc == 4 && std::strcmp(argv[1], "--child") == 0)
        return child(1, argv, std::atoi(argv[2]), argv[3]);
    if (argc == 3 && std::strcmp(argv[1], "--bare") == 0)
        return bareChild(1, argv, std::atoi(argv[2]));

    QTemporaryDir folder;
    QDir().mkpath(folder.path() + "/data");
    // The tips file of the build folder, one level above bench/.
    const QString self = QFile::symLinkTarget(QStringLiteral("/proc/self/exe"));
    const QString tips = self.section('/', 0, -3) + "/data/subor1.tip";
    if (!QFile::copy(tips, folder.path() + "/data/subor1.tip")) {
        std::fprintf(stderr, "no tips file at %s\n", qPrintable(tips));
        return 1;
    }

    // One start of a child; false when it never painted.
    struct Start {
        double ms = 0;
        long peakKb = 0;
    };
    auto measure = [&](bool bare, Start& out) {
        int fds[2];
        if (pipe(fds) != 0)
            return false;
        const double start = nowMs();
        pid_t pid = fork();
        if (pid == 0) {
            close(fds[0]);
            char fdText[16];
            std::snprintf(fdText, sizeof fdText, "%d", fds[1]);
            const QByteArray dir = QFile::encodeName(folder.path());
            if (bare)
                execl("/proc/self/exe", argv[0], "--bare", fdText, static_cast<char*>(nullptr));
            else
                execl("/proc/self/exe", argv[0], "--child", fdText, dir.constData(), static_cast<char*>(nullptr));
            _exit(127);
        }
        close(fds[1]);
        double shown = 0;
        const bool got = ::read(fds[0], &shown, sizeof shown) == sizeof shown;
        close(fds[0]);
        int status = 0;
        rusage usage{};
        wait4(pid, &status, 0, &usage);
        out = {shown - start, usage.ru_maxrss};
        return got;
    };

    // Interleaved, so both see the same machine load.
    const int runs = 15;
    std::vector<double> program, bare;
    long peakKb = 0, barePeakKb = 0;
    for (int i = 0; i < runs; ++i) {
        Start s;
        if (!measure(true, s) || (bare.push_back(s.ms), barePeakKb = std::max(barePeakKb, s.peakKb), !measure(false, s))) {
            std::fprintf(stderr, "child did not paint its window (is there a display? try xvfb-run)\n");
            return 1;
        }
        program.push_back(s.ms);
        peakKb = std::max(peakKb, s.peakKb);
    }
    std::sort(program.begin(), program.end());
    std::sort(bare.begin(), bare.end());
    const double median = program[program.size() / 2], bareMedian = bare[bare.size() / 2];
    std::printf("startup to launcher painted: median %.1f ms, min %.1f ms, max %.1f ms (%d runs)\n", median,
                program.front(), program.back(), runs);
    std::printf("bare Qt window painted:      median %.1f ms, min %.1f ms, max %.1f ms\n", bareMedian, bare.front(),
                bare.back());
    std::printf("ratio launcher / bare window: %.2f (target at most 1.25: %s)\n", median / bareMedian,
                median <= 1.25 * bareMedian ? "met" : "NOT MET");
    std::printf("peak resident memory: %.1f MB (bare window %.1f MB)\n", peakKb / 1024.0, barePeakKb / 1024.0);
    return 0;
}
