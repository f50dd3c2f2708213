#pragma once
// Where a print to a file may write, and how: never over the program's own
// files, the table it reads or a device, and through a scratch file beside
// the target that takes the target's place only once the job is whole.
#include <QString>
#include <QStringList>

// The folders whose files belong to the program: `filesFolder` (the program
// folder or the user's), the executable's folder and an installation's
// shared folder.
QStringList ProgramOwnFolders(const QString& filesFolder);

// Why a print must not write `path`, in a Slovak message that names it;
// empty when it may. After following links, `path` must not be one of
// `inputs`, nor lie in data/ of an own folder, nor be a record, help or lock
// file there or any existing file there other than a PDF, nor be anything
// but a regular file.
QString OutputFileRefusal(const QString& path, const QStringList& ownFolders, const QStringList& inputs = {});

// A scratch file beside a target (its links followed) that a job writes.
// Unless committed, it is removed when this goes.
class ScratchOutput {
public:
    explicit ScratchOutput(QString target);
    ~ScratchOutput();
    ScratchOutput(const ScratchOutput&) = delete;
    ScratchOutput& operator=(const ScratchOutput&) = delete;

    // Creates the scratch file; false and why, in Slovak, when it cannot.
    bool open(QString* why);
    QString path() const { return scratch_; }
    // Flushes the scratch file to the disk and renames it over the target.
    bool commit(QString* why);

private:
    QString target_;
    QString scratch_;
    bool committed_ = false;
};

inline const QString OutputRefusedMessage = QStringLiteral("Do súboru „%1“ sa tlačiť nebude: %2. Nič sa nevytlačilo.");
inline const QString OutputNotWrittenMessage
    = QStringLiteral("Súbor „%1“ sa nepodarilo zapísať (%2). Nič sa nevytlačilo.");
