#pragma once
// Every property of the form and of the chosen field, one control each,
// named after the key of the layout file it edits (a form's own keys begin
// with form_ where a field has the same). A finished edit is one undoable
// change; undo and redo show here at once.
#include <QWidget>

#include <functional>
#include <vector>

class DesignModel;
class QCheckBox;
class QFormLayout;
class QGroupBox;
class QUndoStack;
struct DesignForm;
struct UserField;

class PropertyPanel : public QWidget {
    Q_OBJECT
public:
    // `scanSize` gives the scan's pixels (empty without one), so the form's
    // width and height can keep its proportions.
    PropertyPanel(DesignModel& model, QUndoStack& undo, std::function<QSize()> scanSize, QWidget* parent = nullptr);

    // The field the panel edits, or -1 for none.
    void showField(int index);
    void refresh();

private:
    using FieldEdit = std::function<void(UserField&)>;
    using FormEdit = std::function<void(DesignForm&)>;
    void editField(const QString& what, const FieldEdit& change);
    void editForm(const QString& what, const FormEdit& change);
    void rename(const QString& name);
    void buildForm(QFormLayout* rows);
    void buildField(QFormLayout* rows);

    DesignModel& model_;
    QUndoStack& undo_;
    std::function<QSize()> scanSize_;
    int field_ = -1;
    bool refreshing_ = false;
    QGroupBox* fieldBox_;
    QCheckBox* keepRatio_;
    std::vector<std::function<void()>> formShows_, fieldShows_;
};
