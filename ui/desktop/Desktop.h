#pragma once
// The desktop the program runs on: Qt's own dialogs and menus in Slovak, and
// the faces the windows name mapped as the batch maps them.
#include "core/print/FontFaces.h"

class QCoreApplication;

class QString;

// Loads Qt's Slovak translations into the application and makes Slovak the
// default locale (dates, sizes and file types in Qt's dialogs); false when the
// translation files are not installed.
bool InstallSlovakTranslations(QCoreApplication& application);

// The program's own catalogue of the texts Qt's Slovak one lacks, read from
// `folder`/translations and put before it; false, and nothing changed, when
// the file is missing or unreadable.
bool InstallOwnQtTranslations(QCoreApplication& application, const QString& folder);
