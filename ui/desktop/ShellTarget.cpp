#include "ui/desktop/ShellTarget.h"

static QUrl urlOf(const QString& target)
{
    return target.contains(QLatin1String("://")) ? QUrl(target) : QUrl::fromLocalFile(target);
}

bool IsHelpFile(const QString& target)
{
    const QUrl url = urlOf(target);
    return url.isLocalFile() && url.toLocalFile().endsWith(QLatin1String(".hlp"), Qt::CaseInsensitive);
}

void OpenShellTarget(const QString& target, const std::function<void(const QString& helpFile)>& openHelp,
                     const std::function<void(const QUrl& url)>& openUrl)
{
    const QUrl url = urlOf(target);
    if (IsHelpFile(target))
        openHelp(url.toLocalFile());
    else
        openUrl(url);
}
