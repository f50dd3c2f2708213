#pragma once
// One running copy per program folder. Two copies would each hold the records
// they loaded and write them over the other's saves, so the first copy locks
// the folder and listens; a later start asks it to bring its launcher to the
// front and ends. A lock left by a copy that crashed is taken over.
#include <QLocalServer>
#include <QLockFile>
#include <QObject>
#include <QString>

class SingleCopy : public QObject {
    Q_OBJECT
public:
    explicit SingleCopy(const QString& folder);

    enum class Start {
        First,       // this copy holds the folder (or it cannot be locked at all)
        OtherShown,  // another copy runs here and has been asked to show itself
        OtherSilent, // another copy holds the folder but did not answer
    };
    Start start();

    // The local socket's name for `folder`: the same folder, the same name.
    static QString serverName(const QString& folder);

signals:
    // A later start in this folder asks for the launcher.
    void showRequested();

private:
    void answer();
    bool askOther() const;

    QString folder_;
    QLockFile lock_;
    QLocalServer server_;
};

// The lock beside the records, in the program folder.
inline const QString SingleCopyLockName = QStringLiteral(".zelvana.lock");

inline const QString OtherCopySilentMessage = QStringLiteral(
    "Program Zelvana už beží z tohto priečinka, ale nepodarilo sa ho preniesť do popredia.\r"
    "Druhý spustený program by prepisoval uložené údaje prvého, preto sa ukončí. "
    "Nájdite bežiaci program na paneli úloh, alebo ho ukončite a spustite znova.");
