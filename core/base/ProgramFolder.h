#pragma once
// The program keeps its files beside its executable. Qt names files in UTF-8,
// so a folder whose name is not valid UTF-8 cannot be used: the files would
// land somewhere else.
#include <QByteArray>
#include <QString>
#include <optional>

// The folder of the executable at `executablePath` (bytes as the system gives
// them), with a trailing separator; nothing when it is not an absolute path
// or not valid UTF-8.
std::optional<QString> ProgramFolderOf(const QByteArray& executablePath);
// The same for the running program.
std::optional<QString> RunningProgramFolder();

inline const QString NoProgramFolderMessage = QStringLiteral(
    "Program nevie určiť priečinok, v ktorom je uložený, alebo názov priečinka nie je platný text UTF-8.\r"
    "Bez neho nemôže nájsť ani uložiť svoje súbory, preto sa ukončí. "
    "Uložte program do priečinka s bežným názvom.");
