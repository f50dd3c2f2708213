#pragma once
// The files of a design: where its layout is saved, and its scan kept beside
// it, as the layout file names its background only by a name in its own folder.
#include <QByteArray>
#include <QString>

// A name the layout may give its background: no folder, no leading dot.
QString BackgroundName(const QString& fileName);

struct Beside {
    QString name;  // what the layout's "background" says
    QString file;  // the scan's full path beside the layout
    QString error; // why it could not be put there; then nothing was written
};
// The scan at `scanFile` beside a layout in `folder` (with its trailing
// separator): itself when it lies there already, else a copy under a name
// no other file there has (the same bytes under its own name count as it).
Beside PutBeside(const QString& scanFile, const QString& folder);

// Where a layout the save dialog answered with is written: a bare name goes
// into `formsFolder`, and ".json" is added when the name has no such ending.
QString LayoutSavePath(const QString& chosen, const QString& formsFolder);
// Where a new layout is first saved: in `formsFolder`, named after the form
// ("Môj poukaz" is moj-poukaz.json), under a name no file there has yet.
QString NewLayoutPath(const QString& formName, const QString& formsFolder);

// Writes the whole file or leaves the old one; false with `error` set.
bool WriteWhole(const QString& path, const QByteArray& bytes, QString& error);
