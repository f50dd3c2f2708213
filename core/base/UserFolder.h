#pragma once
// An installed copy: the executable in <prefix>/bin, the files it ships under
// <prefix>/share/zelvana/, where users cannot write. Each user then gets a
// folder of their own that serves as the program folder: the record files,
// the bank list and new templates are written there, and the shipped files
// are put in beside them.
#include <QByteArray>
#include <QString>
#include <optional>

// "<prefix>/share/zelvana/" when `programFolder` (the executable's folder,
// with a trailing separator) is "<prefix>/bin/" and that folder exists;
// nothing for a program folder that holds its files itself (a build folder,
// a copied folder).
std::optional<QString> InstalledShareFolder(const QString& programFolder);

// The user's folder: "$XDG_DATA_HOME/Zelvana/" when XDG_DATA_HOME is an
// absolute path, else "$HOME/.local/share/Zelvana/"; nothing when neither
// gives an absolute path in valid UTF-8.
std::optional<QString> UserFolderFor(const QByteArray& xdgDataHome, const QByteArray& home);
// The same from this process's environment (HOME falls back to the
// password database).
std::optional<QString> RunningUserFolder();

// Creates `userFolder` (its user's only) when it is missing. Empty when the
// program can keep its files there, else why not, in Slovak words that end
// the program, as NoUserFolderMessage does.
QString MakeUserFolder(const QString& userFolder);

// Creates `userFolder` (readable by its user only) and puts the shipped files
// in: those the program only reads (help, tips, pictures, bank codes) as links
// to the shipped ones, so an updated installation reaches the user at once
// (an unchanged copy an earlier version made there is replaced); the
// others (envelope templates) as copies, so the user may change them, each
// offered once: one the user deleted does not come back, one a later version
// ships still comes (OfferedFileName lists them). A file of the user's own at
// one of these names is never replaced. The folder is its user's only (0700).
// Returns an empty text, or the first failure in words for a message box.
QString PrepareUserFolder(const QString& shippedFolder, const QString& userFolder);

// Where a run of this executable keeps its files: its own folder, or for an
// installed copy the user's folder, made ready. Both programs decide alike.
struct FilesFolder {
    std::optional<QString> folder; // nothing: no usable folder, `problem` says why
    QString problem;               // with a folder: a shipped file not put in place
};
FilesFolder RunningFilesFolder();

// In the user's folder: the shipped files already offered, one a line.
inline const QString OfferedFileName = QStringLiteral(".ponuknute");

inline const QString NoUserFolderMessage = QStringLiteral(
    "Program nevie určiť priečinok pre vaše súbory: premenná prostredia HOME nie je nastavená "
    "alebo jej hodnota nie je platný text UTF-8.\r"
    "Bez neho nemôže nájsť ani uložiť svoje súbory, preto sa ukončí.");
inline const QString UserFolderBlockedMessage = QStringLiteral(
    "Priečinok pre vaše súbory „%1“ nemožno vytvoriť, lebo „%2“ nie je priečinok "
    "(skontrolujte premennú prostredia XDG_DATA_HOME).\r"
    "Bez neho program nemôže nájsť ani uložiť svoje súbory, preto sa ukončí.");
inline const QString UserFolderUnusableMessage = QStringLiteral(
    "Do priečinka pre vaše súbory „%1“ program nemôže zapisovať, ani ho nemôže vytvoriť.\r"
    "Bez neho nemôže nájsť ani uložiť svoje súbory, preto sa ukončí.");
