#include "ui/designer/DesignModel.h"

#include <cmath>

double Hundredths(double mm) { return std::round(mm * 100) / 100; }

DesignModel::DesignModel(QObject* parent) : QObject(parent) {}

DesignForm DesignModel::form() const
{
    DesignForm f{layout_, backgroundFile_};
    f.props.fields.clear();
    return f;
}

void DesignModel::reset(const UserLayout& layout, const QString& backgroundFile)
{
    layout_ = layout;
    for (UserField& f : layout_.fields)
        f = normalised(f);
    backgroundFile_ = backgroundFile;
    emit wasReset();
}

UserField DesignModel::normalised(UserField f)
{
    for (double* v : {&f.xMm, &f.yMm, &f.widthMm, &f.heightMm, &f.sizeMm})
        *v = Hundredths(*v);
    if (f.kind == UserFieldKind::PayBySquare) {
        // The file keeps one side; the box is that square.
        f.sizeMm = std::max(f.widthMm, f.heightMm);
        f.widthMm = f.heightMm = f.sizeMm;
    } else {
        f.sizeMm = 0;
    }
    return f;
}

void DesignModel::setField(int i, const UserField& f)
{
    layout_.fields[i] = normalised(f);
    emit fieldChanged(i);
}

void DesignModel::insertField(int i, const UserField& f)
{
    layout_.fields.insert(i, normalised(f));
    emit fieldInserted(i);
}

void DesignModel::removeField(int i)
{
    layout_.fields.removeAt(i);
    emit fieldRemoved(i);
}

void DesignModel::setForm(const DesignForm& form)
{
    QList<UserField> fields = std::move(layout_.fields);
    layout_ = form.props;
    layout_.fields = std::move(fields);
    for (double* v : {&layout_.widthMm, &layout_.heightMm, &layout_.offsetXMm, &layout_.offsetYMm, &layout_.font.sizePt})
        *v = Hundredths(*v);
    backgroundFile_ = form.backgroundFile;
    emit formChanged();
}

QString DesignModel::freeName(const QString& stem) const
{
    for (int n = 1;; ++n) {
        const QString name = stem + QString::number(n);
        if (!layout_.field(name))
            return name;
    }
}
