#include "ui/frame/AppState.h"

static QString withSeparator(QString folder)
{
    if (!folder.endsWith(QLatin1Char('/')))
        folder += QLatin1Char('/');
    return folder;
}

AppState::AppState(QString programFolder, Platform& platform_)
    : records(withSeparator(programFolder)), platform(platform_), folder_(withSeparator(programFolder))
{
}
