#pragma once
// Where a print to a file may write, and how: never over the program's own
// files, the table it reads, a device or any file that is not a PDF, never
// through another user's link in a folder anyone may write, and through a
// scratch file beside the target that takes the target's place only once the
// job is whole.
#include <QByteArray>
#include <QString>
#include <QStringList>
#include <cstdint>

// The folders whose files belong to the program: `filesFolder` (the program
// folder or the user's), the executable's folder and an installation's
// shared folder.
QStringList ProgramOwnFolders(const QString& filesFolder);

// Why a print must not write `path`, in a Slovak message that names it;
// empty when it may. Links are followed as the kernel follows protected
// links: one in a sticky folder anyone may write is followed only when it is
// the user's or the folder owner's. Where they lead, `path` must not be one of
// `inputs`, nor lie in data/ of an own folder, nor be a record, help or lock
// file there; it must be a regular file that begins as a PDF and may be
// written, or a new name in a folder that exists and may be written.
QString OutputFileRefusal(const QString& path, const QStringList& ownFolders, const QStringList& inputs = {});

// A scratch file beside a target, where its links lead (followed as above),
// that a job writes. Unless committed, it is removed when this goes.
class ScratchOutput {
public:
    explicit ScratchOutput(QString target);
    ~ScratchOutput();
    ScratchOutput(const ScratchOutput&) = delete;
    ScratchOutput& operator=(const ScratchOutput&) = delete;

    // Checks the target as OutputFileRefusal does (but for whose files it
    // is), then creates the scratch file; false and why, in Slovak, when not.
    bool open(QString* why);
    QString path() const { return scratch_; }
    // Flushes the scratch file to the disk and renames it over the target,
    // in the folder checked by open().
    bool commit(QString* why);

private:
    QString target_;
    QString scratch_;
    int folder_ = -1; // the target's folder, held open from open() to commit()
    QByteArray targetName_, scratchName_;
    std::uint64_t device_ = 0, inode_ = 0; // the scratch file open() made
    bool committed_ = false;
};

inline const QString OutputRefusedMessage = QStringLiteral("Do súboru „%1“ sa tlačiť nebude: %2. Nič sa nevytlačilo.");
inline const QString OutputImpossibleMessage = QStringLiteral("Do súboru „%1“ sa nedá tlačiť: %2. Nič sa nevytlačilo.");
inline const QString OutputNotWrittenMessage
    = QStringLiteral("Súbor „%1“ sa nepodarilo zapísať (%2). Nič sa nevytlačilo.");
