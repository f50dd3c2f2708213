#pragma once
// "Návrh formulára": the user lays out a form of their own over a scan of
// it, field by field, and saves it as a layout file in formulare/. Every
// change is undoable; a test page shows on paper where the fields fall.
#include <QImage>
#include <QMainWindow>
#include <QPixmap>

class AppState;
class DesignModel;
class DesignScene;
class DesignView;
class PropertyPanel;
class QAction;
class QLabel;
class QUndoStack;
struct UserLayout;
enum class UserFieldKind;

class Tnavrh : public QMainWindow {
    Q_OBJECT
public:
    explicit Tnavrh(AppState& app, QWidget* parent = nullptr);
    ~Tnavrh() override;

    QAction* Novy1;
    QAction* Otvorit1;
    QAction* Ulozit1;
    QAction* UlozitAko1;
    QAction* Pozadie1;
    QAction* BezPozadia1;
    QAction* Mierka1;
    QAction* Skusobna1;
    QAction* Zavriet1;
    QAction* Spat1;
    QAction* Znova1;
    QAction* Odstranit1;
    QAction* Mriezka1;
    QAction* Zvacsit1;
    QAction* Zmensit1;
    QAction* Skutocna1;
    QList<QAction*> Pridat; // one per kind of field, in the order of UserFieldKind

    void NovyClick();
    void OtvoritClick();
    // False when nothing was saved (cancelled, refused or failed; the user is told).
    // A design never saved goes into formulare/ under its form's name.
    bool UlozitClick();
    bool UlozitAkoClick();
    void PozadieClick();
    void BezPozadiaClick();
    void MierkaClick();
    void SkusobnaClick();
    void PridatClick(UserFieldKind kind);

    // The layout file the design was opened from or saved to; empty for a new one.
    const QString& filePath() const { return path_; }
    const DesignModel& model() const { return *model_; }
    DesignView* view() const { return view_; }

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    void buildMenus();
    // True when there is nothing unsaved, or the user lets it go.
    bool mayDiscard();
    void commitEdits();
    void start(const UserLayout& layout, const QString& backgroundFile, const QString& path);
    bool saveTo(const QString& path);
    // Loads the model's scan when it is another one than shown.
    void followScan();
    void measured(QPointF from, QPointF to);
    void showStatus();

    AppState& app_;
    QUndoStack* undo_;
    DesignModel* model_;
    DesignScene* scene_;
    DesignView* view_;
    PropertyPanel* panel_;
    QLabel* status_;
    QString path_;
    QString scanFile_; // the file scan_ was read from
    QImage scan_;
    QPixmap scanPixmap_;
};
