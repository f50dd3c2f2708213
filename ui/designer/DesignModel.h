#pragma once
// The layout being designed and the scan beneath it. Every change goes
// through here (the undo commands call it); the scene and the property panel
// follow its signals. Lengths are kept to the hundredth, as the file writes
// them, so what is shown is what a save keeps.
#include "core/forms/user/UserLayout.h"

#include <QObject>

// The form's own properties and its scan: everything but the fields.
struct DesignForm {
    UserLayout props;       // its fields are not used
    QString backgroundFile; // the scan's full path; empty when none
    bool operator==(const DesignForm&) const = default;
};

class DesignModel : public QObject {
    Q_OBJECT
public:
    explicit DesignModel(QObject* parent = nullptr);

    const UserLayout& layout() const { return layout_; }
    const QString& backgroundFile() const { return backgroundFile_; }
    DesignForm form() const;
    const UserField& field(int i) const { return layout_.fields[i]; }
    int fieldCount() const { return static_cast<int>(layout_.fields.size()); }

    // A whole new layout (new, opened): the scene and panel start over.
    void reset(const UserLayout& layout, const QString& backgroundFile);
    void setField(int i, const UserField& f);
    void insertField(int i, const UserField& f);
    void removeField(int i);
    void setForm(const DesignForm& form);

    // The field as the model keeps it: to the hundredth, a QR code square.
    static UserField normalised(UserField f);
    // A name no field has yet, from `stem` and a number.
    QString freeName(const QString& stem) const;

signals:
    void wasReset();
    void fieldChanged(int i);
    void fieldInserted(int i);
    void fieldRemoved(int i);
    void formChanged();

private:
    UserLayout layout_;
    QString backgroundFile_;
};

// A length as the file keeps it.
double Hundredths(double mm);
