#pragma once
// The print history: the jobs the print journal keeps, newest first, with a
// search, a form filter and a date range; the chosen job's pages, opened in
// a form window again, printed again, exported or deleted.
#include <QDialog>

#include "core/print/FormDescription.h"

#include <functional>
#include <memory>
#include <optional>
#include <utility>

class AppState;
class Journal;
class QAbstractItemModel;
class QComboBox;
class QDateEdit;
class QLineEdit;
class QCheckBox;
class QPushButton;
class QTableView;
class QTreeWidget;

class Thistoria : public QDialog {
    Q_OBJECT
public:
    explicit Thistoria(AppState& app);
    ~Thistoria() override;

    QLineEdit* hladat;
    QComboBox* formular;
    QDateEdit* od;
    QDateEdit* do_;
    QTableView* tlace; // the jobs
    QTreeWidget* strany; // the chosen job's pages and their fields
    QPushButton* otvorit;
    QPushButton* vytlacit;
    QPushButton* exportovat;
    QPushButton* vymazat;
    QPushButton* zavriet;
    QCheckBox* viesthistoriu;     // the journal is kept (historia.ini)
    QPushButton* vymazathistoriu; // clears the whole journal

    void otvoritClick();
    void vytlacitClick();
    void exportovatClick();
    void vymazatClick();
    void viesthistoriuClick();
    void vymazathistoriuClick();

private:
    // Reads the jobs the filter picks again.
    void reload();
    void showPages();
    // The view on `model` (none: on nothing), its old selection dropped.
    void setRows(QAbstractItemModel* model);
    std::optional<qint64> currentJob() const;
    // The chosen job and its built-in form; nothing once the user is told
    // why not (`unknown` words a form this program does not know).
    std::optional<std::pair<qint64, std::shared_ptr<const FormDescription>>>
    chosenJob(const std::function<QString(qint64, const QString&)>& unknown);
    QList<qint64> selectedJobs() const;
    // Shows a journal's message; false when there was one.
    bool told(const QString& message);

    AppState& app_;
    std::unique_ptr<Journal> journal_;
    std::unique_ptr<QAbstractItemModel> model_;
};
