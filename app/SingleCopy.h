#pragma once
// One running copy per program folder. Two copies would each hold the records
// they loaded and write them over the other's saves, so the first copy locks
// the folder and listens; a later start asks it to bring its launcher to the
// front and ends.
//
// The lock is the kernel's, on the folder itself: it goes with the process
// however that ends, needs no file that a crash could leave empty or someone
// could replace by a link, and holds in a folder the user may only read.
// The socket lies in the user's own runtime folder, and a later start talks
// only to a copy of its own user.
#include <QLocalServer>
#include <QObject>
#include <QString>

class SingleCopy : public QObject {
    Q_OBJECT
public:
    explicit SingleCopy(const QString& folder);
    ~SingleCopy() override;
    SingleCopy(const SingleCopy&) = delete;
    SingleCopy& operator=(const SingleCopy&) = delete;

    enum class Start {
        First,       // this copy holds the folder (or nothing can be locked and no copy answers)
        OtherShown,  // another copy runs here and has been asked to show itself
        OtherSilent, // another copy holds the folder but did not answer
    };
    Start start();

    // The local socket's name for `folder` and this process's user: the same
    // folder, the same name. A path in $XDG_RUNTIME_DIR when that is the
    // user's own folder, else a name in the temporary folder.
    static QString serverName(const QString& folder);

signals:
    // A later start in this folder asks for the launcher.
    void showRequested();

private:
    enum class Lock { Taken, Held, Unavailable };
    Lock lock();
    void answer();
    bool askOther(int milliseconds) const;

    QString folder_;
    int lockFd_ = -1;
    QLocalServer server_;
};

inline const QString OtherCopySilentMessage = QStringLiteral(
    "Program Zelvana už beží z tohto priečinka, ale nepodarilo sa ho preniesť do popredia.\r"
    "Druhý spustený program by prepisoval uložené údaje prvého, preto sa ukončí. "
    "Nájdite bežiaci program na paneli úloh, alebo ho ukončite a spustite znova.");
