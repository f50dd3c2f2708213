#pragma once
// A desktop of the tests' own for the end-to-end suite: Xvfb on a free display,
// and the program driven only as a person would, through xdotool (keys, typed
// text, clicks), with windows found, waited for and photographed through the
// X server. Every wait is bounded.
#include <QDeadlineTimer>
#include <QFile>
#include <QFileInfo>
#include <QGuiApplication>
#include <QPixmap>
#include <QProcess>
#include <QRegularExpression>
#include <QScreen>
#include <QtTest>
#include <csignal>
#include <fcntl.h>
#include <functional>
#include <poll.h>
#include <sys/prctl.h>
#include <sys/wait.h>
#include <unistd.h>

namespace xdesktop {

// Every wait is bounded; the bounds are wide for the sanitizer build on a busy machine.
inline constexpr int WindowTimeoutMs = 60000;
inline constexpr int CommandTimeoutMs = 30000;

inline pid_t xvfbPid = 0;

// Xvfb on a display nobody uses: it names the display itself on a pipe.
inline QByteArray startXvfb()
{
    int fds[2];
    if (::pipe(fds) != 0)
        return {};
    const pid_t pid = ::fork();
    if (pid == 0) {
        ::prctl(PR_SET_PDEATHSIG, SIGKILL); // never outlives the suite
        ::close(fds[0]);
        const int null = ::open("/dev/null", O_WRONLY);
        ::dup2(null, 1);
        ::dup2(null, 2);
        const QByteArray fd = QByteArray::number(fds[1]);
        ::execlp("Xvfb", "Xvfb", "-displayfd", fd.constData(), "-screen", "0", "1280x1024x24", "-nolisten", "tcp",
                 static_cast<char*>(nullptr));
        ::_exit(127);
    }
    ::close(fds[1]);
    if (pid < 0) {
        ::close(fds[0]);
        return {};
    }
    xvfbPid = pid;
    QByteArray number;
    const QDeadlineTimer deadline(WindowTimeoutMs);
    while (!number.endsWith('\n') && !deadline.hasExpired()) {
        pollfd p{fds[0], POLLIN, 0};
        if (::poll(&p, 1, 100) <= 0)
            continue;
        char c;
        if (::read(fds[0], &c, 1) != 1)
            break;
        number += c;
    }
    ::close(fds[0]);
    return number.trimmed().isEmpty() ? QByteArray() : ":" + number.trimmed();
}

inline void stopXvfb()
{
    if (xvfbPid <= 0)
        return;
    ::kill(xvfbPid, SIGTERM);
    const QDeadlineTimer deadline(10000);
    int status = 0;
    while (::waitpid(xvfbPid, &status, WNOHANG) == 0) {
        if (deadline.hasExpired()) {
            ::kill(xvfbPid, SIGKILL);
            ::waitpid(xvfbPid, &status, 0);
            break;
        }
        ::usleep(20000);
    }
    xvfbPid = 0;
}

// Letters of Slovak put on keys of their own before anything starts, so that
// xdotool never has to remap a key while typing: a remapped key can reach the
// program before it has read the new map, and the letter is lost.
inline const char* const SlovakKeys[][2] = {
    {"aacute", "Aacute"}, {"adiaeresis", "Adiaeresis"}, {"ccaron", "Ccaron"}, {"dcaron", "Dcaron"},
    {"eacute", "Eacute"}, {"iacute", "Iacute"},         {"lacute", "Lacute"}, {"lcaron", "Lcaron"},
    {"ncaron", "Ncaron"}, {"oacute", "Oacute"},         {"ocircumflex", "Ocircumflex"},
    {"racute", "Racute"}, {"scaron", "Scaron"},         {"tcaron", "Tcaron"}, {"uacute", "Uacute"},
    {"yacute", "Yacute"}, {"zcaron", "Zcaron"},
};

struct Geometry {
    int x = 0, y = 0, width = 0, height = 0;
};

inline QByteArray fileBytes(const QString& path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

} // namespace xdesktop

// The driver; a suite derives from it and sets env_ (DISPLAY and the rest),
// shots_ (where pictures go) and programPid_ (whose windows count as the program's).
class XDesktop {
protected:
    using Geometry = xdesktop::Geometry;
    static constexpr int WindowTimeoutMs = xdesktop::WindowTimeoutMs;
    static constexpr int CommandTimeoutMs = xdesktop::CommandTimeoutMs;

    QProcessEnvironment env_;
    QString shots_;
    int shotCount_ = 0;
    qint64 programPid_ = 0;

    // Runs a helper tool to its end; its standard output, or a null array on failure.
    QByteArray run(const QString& program, const QStringList& args, int* exitCode = nullptr)
    {
        QProcess p;
        p.setProcessEnvironment(env_);
        p.start(program, args);
        if (!p.waitForFinished(CommandTimeoutMs)) {
            p.kill();
            p.waitForFinished();
            qWarning() << program << args << "did not finish";
            return {};
        }
        if (exitCode)
            *exitCode = p.exitStatus() == QProcess::NormalExit ? p.exitCode() : -1;
        return p.readAllStandardOutput();
    }

    bool xdo(const QStringList& args)
    {
        int code = -1;
        run(QStringLiteral("xdotool"), args, &code);
        if (code != 0)
            qWarning() << "xdotool" << args << "ended with" << code;
        return code == 0;
    }

    void keys(const QStringList& names) { xdo(QStringList{QStringLiteral("key"), QStringLiteral("--delay"), QStringLiteral("40")} + names); }
    void key(const QString& name) { keys({name}); }
    void type(const QString& text)
    {
        xdo({QStringLiteral("type"), QStringLiteral("--delay"), QStringLiteral("25"), QStringLiteral("--"), text});
    }
    // Texts typed into fields one after another in the tab order.
    void typeFields(std::initializer_list<const char*> texts)
    {
        bool first = true;
        for (const char* text : texts) {
            if (!first)
                key(QStringLiteral("Tab"));
            first = false;
            type(QString::fromUtf8(text));
        }
    }

    // A click at (x, y) of the window's client area, menu bar included.
    void click(const QString& window, int x, int y, int button = 1)
    {
        xdo({QStringLiteral("mousemove"), QStringLiteral("--window"), window, QString::number(x), QString::number(y),
             QStringLiteral("click"), QString::number(button)});
    }

    // A click at a control's designed place in a document window of client
    // height `designedHeight`; the menu bar above the client takes the rest.
    void clickControl(const QString& window, int designedHeight, int x, int y)
    {
        const int menuBar = geometry(window).height - designedHeight;
        QVERIFY2(menuBar > 0 && menuBar < 60, qPrintable(QStringLiteral("menu bar of %1 px").arg(menuBar)));
        click(window, x, menuBar + y);
    }

    QStringList visibleWindows(const QString& nameRegex)
    {
        // An empty result is a normal answer here: xdotool then exits with 1.
        const QString list = QString::fromUtf8(run(QStringLiteral("xdotool"),
                                                   {QStringLiteral("search"), QStringLiteral("--onlyvisible"),
                                                    QStringLiteral("--name"), nameRegex}));
        return list.split(QLatin1Char('\n'), Qt::SkipEmptyParts);
    }

    // The program's visible windows, menus included.
    QStringList programWindows()
    {
        const QString list = QString::fromUtf8(run(QStringLiteral("xdotool"),
                                                   {QStringLiteral("search"), QStringLiteral("--onlyvisible"),
                                                    QStringLiteral("--pid"), QString::number(programPid_)}));
        return list.split(QLatin1Char('\n'), Qt::SkipEmptyParts);
    }

    QString waitWindow(const QString& nameRegex)
    {
        const QDeadlineTimer deadline(WindowTimeoutMs);
        while (!deadline.hasExpired()) {
            const QStringList found = visibleWindows(nameRegex);
            if (!found.isEmpty())
                return found.last();
            QTest::qWait(50);
        }
        return {};
    }

    bool waitGone(const QString& window)
    {
        const QDeadlineTimer deadline(WindowTimeoutMs);
        while (!deadline.hasExpired()) {
            if (!visibleWindows(QStringLiteral(".*")).contains(window))
                return true;
            QTest::qWait(50);
        }
        return false;
    }

    // Waits for a window of the program that was not there before, such as a menu.
    bool waitNewWindow(const QStringList& before)
    {
        const QDeadlineTimer deadline(WindowTimeoutMs);
        while (!deadline.hasExpired()) {
            for (const QString& w : programWindows())
                if (!before.contains(w))
                    return true;
            QTest::qWait(50);
        }
        return false;
    }

    bool activate(const QString& window)
    {
        return xdo({QStringLiteral("windowactivate"), QStringLiteral("--sync"), window});
    }

    // Opens the popup menu of a window with a click of `button` and waits for it.
    bool openMenu(const QString& window, int x, int y, int button)
    {
        if (!activate(window))
            return false;
        const QStringList before = programWindows();
        click(window, x, y, button);
        return waitNewWindow(before);
    }

    // The client area in screen coordinates, as the X server has it (xdotool
    // counts the window manager's frame into the position).
    Geometry geometry(const QString& window)
    {
        Geometry g;
        const QString info = QString::fromUtf8(run(QStringLiteral("xwininfo"), {QStringLiteral("-id"), window}));
        static const QRegularExpression field(QStringLiteral("^\\s*(Absolute upper-left X|Absolute upper-left Y|Width|Height):\\s+(-?\\d+)"),
                                              QRegularExpression::MultilineOption);
        for (auto it = field.globalMatch(info); it.hasNext();) {
            const auto m = it.next();
            const int value = m.captured(2).toInt();
            if (m.captured(1).endsWith(QLatin1Char('X')))
                g.x = value;
            else if (m.captured(1).endsWith(QLatin1Char('Y')))
                g.y = value;
            else if (m.captured(1) == QLatin1String("Width"))
                g.width = value;
            else
                g.height = value;
        }
        return g;
    }

    // A picture of the window with the window manager's frame, from the X server itself.
    void shot(const QString& name, const QString& window)
    {
        const Geometry g = geometry(window);
        QVERIFY2(g.width > 0, qPrintable(name));
        // _NET_FRAME_EXTENTS(CARDINAL) = left, right, top, bottom
        const QString extents = QString::fromUtf8(
            run(QStringLiteral("xprop"), {QStringLiteral("-id"), window, QStringLiteral("_NET_FRAME_EXTENTS")}));
        QList<int> frame{0, 0, 0, 0};
        const QStringList numbers = extents.section(QLatin1Char('='), 1).split(QLatin1Char(','));
        for (int i = 0; i < 4 && numbers.size() == 4; ++i)
            frame[i] = numbers[i].trimmed().toInt();
        const QPixmap pixmap = QGuiApplication::primaryScreen()->grabWindow(
            0, g.x - frame[0], g.y - frame[2], g.width + frame[0] + frame[1], g.height + frame[2] + frame[3]);
        const QString file = shots_ + QStringLiteral("/%1-%2.png").arg(++shotCount_, 2, 10, QLatin1Char('0')).arg(name);
        QVERIFY2(pixmap.save(file), qPrintable(file));
    }

    bool waitFile(const QString& file, const std::function<bool()>& ready)
    {
        const QDeadlineTimer deadline(WindowTimeoutMs);
        while (!deadline.hasExpired()) {
            if (QFileInfo::exists(file) && ready())
                return true;
            QTest::qWait(50);
        }
        return false;
    }

};
