#pragma once
// The desktop the program runs on: Qt's own dialogs and menus in Slovak, and
// the faces the windows name mapped to the closest fonts a Linux desktop has.
class QCoreApplication;

// Loads Qt's Slovak translations into the application; false when the
// translation files are not installed.
bool InstallSlovakTranslations(QCoreApplication& application);

// The Windows faces the windows were drawn with, mapped to metric-compatible
// fonts where they exist (Liberation) and to the nearest weight otherwise.
void SubstituteWindowsFaces();
