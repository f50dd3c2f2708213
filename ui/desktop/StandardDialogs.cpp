#include "ui/desktop/StandardDialogs.h"

#include <QFileSystemModel>
#include <QIdentityProxyModel>
#include <QLocale>

namespace {

// QFileSystemModel writes sizes and dates in the system's locale, which is
// English on many desktops; the default locale writes them in Slovak.
class LocaleFileColumns : public QIdentityProxyModel {
public:
    using QIdentityProxyModel::QIdentityProxyModel;
    QVariant data(const QModelIndex& index, int role) const override
    {
        const auto* files = qobject_cast<const QFileSystemModel*>(sourceModel());
        if (role != Qt::DisplayRole || !files)
            return QIdentityProxyModel::data(index, role);
        const QModelIndex source = mapToSource(index);
        if (index.column() == 1 && !files->isDir(source))
            return QLocale().formattedDataSize(files->size(source));
        if (index.column() == 3)
            return QLocale().toString(files->lastModified(source), QLocale::ShortFormat);
        return QIdentityProxyModel::data(index, role);
    }
};

} // namespace

std::unique_ptr<QPrintDialog> MakePrintDialog(QPrinter& printer, QWidget* parent)
{
    return std::make_unique<QPrintDialog>(&printer, parent);
}

std::unique_ptr<QFileDialog> MakeOpenFileDialog(QWidget* parent, const QString& caption, const QString& filter)
{
    auto dialog = std::make_unique<QFileDialog>(parent, caption, QString(), filter);
    // The desktop's own dialog would speak the desktop's language.
    dialog->setOption(QFileDialog::DontUseNativeDialog);
    dialog->setFileMode(QFileDialog::ExistingFile);
    dialog->setAcceptMode(QFileDialog::AcceptOpen);
    dialog->setProxyModel(new LocaleFileColumns(dialog.get()));
    return dialog;
}

std::unique_ptr<QFontDialog> MakeFontDialog(QWidget* parent, const QFont& initial)
{
    auto dialog = std::make_unique<QFontDialog>(initial, parent);
    dialog->setOption(QFontDialog::DontUseNativeDialog);
    return dialog;
}
