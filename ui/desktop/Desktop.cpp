#include "ui/desktop/Desktop.h"

#include <QCoreApplication>
#include <QLibraryInfo>
#include <QLocale>
#include <QTranslator>

namespace {
// The Slovak catalogue files the dialog buttons' texts under the older
// QDialogButtonBox context only; Qt 6 looks them up under the platform
// theme's, so without this every Cancel and Close stayed English.
class QtBaseTranslator : public QTranslator {
public:
    using QTranslator::QTranslator;
    QString translate(const char* context, const char* sourceText, const char* disambiguation,
                      int n) const override
    {
        QString text = QTranslator::translate(context, sourceText, disambiguation, n);
        if (text.isNull() && context
            && (qstrcmp(context, "QPlatformTheme") == 0 || qstrcmp(context, "QGnomeTheme") == 0))
            text = QTranslator::translate("QDialogButtonBox", sourceText, disambiguation, n);
        return text;
    }
};
} // namespace

bool InstallSlovakTranslations(QCoreApplication& application)
{
    // Qt's file dialog names file types in the default locale's language.
    QLocale::setDefault(QLocale(QLocale::Slovak, QLocale::Slovakia));
    // Parented to the application, so it lives as long as the texts it gives.
    auto* qt = new QtBaseTranslator(&application);
    if (!qt->load(QLocale(QLocale::Slovak, QLocale::Slovakia), QStringLiteral("qtbase"), QStringLiteral("_"),
                  QLibraryInfo::path(QLibraryInfo::TranslationsPath))) {
        delete qt;
        return false;
    }
    QCoreApplication::installTranslator(qt);
    return true;
}

bool InstallOwnQtTranslations(QCoreApplication& application, const QString& folder)
{
    auto* own = new QTranslator(&application);
    if (!own->load(QStringLiteral("zelvana_qt_sk"), folder + QStringLiteral("/translations"))) {
        delete own;
        return false;
    }
    QCoreApplication::installTranslator(own); // the last installed is asked first
    return true;
}
