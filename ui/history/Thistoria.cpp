#include "ui/history/Thistoria.h"

#include "core/base/SlovakCount.h"
#include "core/batch/BatchJob.h"
#include "core/batch/JobChecks.h"
#include "core/batch/JobJournal.h"
#include "core/forms/Forms.h"
#include "core/journal/Journal.h"
#include "ui/document/DocumentWindow.h"
#include "ui/frame/AppState.h"
#include "ui/frame/DocumentKind.h"
#include "ui/widgets/DialogControls.h"
#include "ui/widgets/ScreenFit.h"

#include <QComboBox>
#include <QDateEdit>
#include <QCheckBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QItemSelectionModel>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTableView>
#include <QTemporaryDir>
#include <QTreeWidget>
#include <QVBoxLayout>

namespace {

QPushButton* button(QWidget* parent, const char* name, const QString& caption)
{
    auto* b = new QPushButton(caption, parent);
    b->setObjectName(QString::fromLatin1(name));
    b->setAutoDefault(false);
    return b;
}

QDateEdit* dateEdit(QWidget* parent, const char* name, const QDate& date)
{
    auto* edit = new QDateEdit(date, parent);
    edit->setObjectName(QString::fromLatin1(name));
    edit->setCalendarPopup(true);
    edit->setDisplayFormat(QStringLiteral("dd.MM.yyyy"));
    return edit;
}

} // namespace

Thistoria::Thistoria(AppState& app) : QDialog(nullptr), app_(app)
{
    setObjectName(QStringLiteral("Thistoria"));
    setWindowTitle(QStringLiteral("História tlače"));
    setDialogFont(this);
    resize(760, 520);

    hladat = new QLineEdit(this);
    hladat->setObjectName(QStringLiteral("hladat"));
    hladat->setPlaceholderText(QStringLiteral("meno, adresa, symbol…"));
    formular = new QComboBox(this);
    formular->setObjectName(QStringLiteral("formular"));
    formular->addItem(QStringLiteral("Všetky"));
    for (FormKind kind : AllForms())
        formular->addItem(QString::fromUtf8(Form(kind).userName), static_cast<int>(kind));
    od = dateEdit(this, "od", QDate(2000, 1, 1));
    do_ = dateEdit(this, "do", QDate::currentDate());

    tlace = new QTableView(this);
    tlace->setObjectName(QStringLiteral("tlace"));
    tlace->setSelectionBehavior(QAbstractItemView::SelectRows);
    tlace->setSelectionMode(QAbstractItemView::ExtendedSelection);
    tlace->setEditTriggers(QAbstractItemView::NoEditTriggers);
    tlace->verticalHeader()->hide();
    tlace->horizontalHeader()->setStretchLastSection(true);
    tlace->horizontalHeader()->setSortIndicator(static_cast<int>(JobColumn::Time), Qt::DescendingOrder);
    tlace->setSortingEnabled(true);

    strany = new QTreeWidget(this);
    strany->setObjectName(QStringLiteral("strany"));
    strany->setHeaderLabels({QStringLiteral("Strana, pole"), QStringLiteral("Text")});

    otvorit = button(this, "otvorit", QStringLiteral("Otvoriť vo formulári"));
    vytlacit = button(this, "vytlacit", QStringLiteral("Vytlačiť znova"));
    exportovat = button(this, "exportovat", QStringLiteral("Exportovať…"));
    vymazat = button(this, "vymazat", QStringLiteral("Vymazať"));
    zavriet = button(this, "zavriet", QStringLiteral("Zavrieť"));
    viesthistoriu = new QCheckBox(QStringLiteral("Viesť históriu tlače"), this);
    viesthistoriu->setObjectName(QStringLiteral("viesthistoriu"));
    viesthistoriu->setChecked(JournalKept(app_.programFolder()));
    vymazathistoriu = button(this, "vymazathistoriu", QStringLiteral("Vymazať celú históriu…"));

    auto* filters = new QHBoxLayout;
    filters->addWidget(new QLabel(QStringLiteral("Hľadať:"), this));
    filters->addWidget(hladat, 1);
    filters->addWidget(new QLabel(QStringLiteral("Formulár:"), this));
    filters->addWidget(formular);
    filters->addWidget(new QLabel(QStringLiteral("Od:"), this));
    filters->addWidget(od);
    filters->addWidget(new QLabel(QStringLiteral("Do:"), this));
    filters->addWidget(do_);
    auto* buttons = new QHBoxLayout;
    for (QPushButton* b : {otvorit, vytlacit, exportovat, vymazat})
        buttons->addWidget(b);
    buttons->addStretch();
    buttons->addWidget(viesthistoriu);
    buttons->addWidget(vymazathistoriu);
    buttons->addWidget(zavriet);
    auto* whole = new QVBoxLayout(this);
    whole->addLayout(filters);
    whole->addWidget(tlace, 3);
    whole->addWidget(strany, 2);
    whole->addLayout(buttons);
    FitOnScreen(this);

    connect(hladat, &QLineEdit::textChanged, this, &Thistoria::reload);
    connect(formular, &QComboBox::currentIndexChanged, this, &Thistoria::reload);
    connect(od, &QDateEdit::dateChanged, this, &Thistoria::reload);
    connect(do_, &QDateEdit::dateChanged, this, &Thistoria::reload);
    connect(otvorit, &QPushButton::clicked, this, &Thistoria::otvoritClick);
    connect(vytlacit, &QPushButton::clicked, this, &Thistoria::vytlacitClick);
    connect(exportovat, &QPushButton::clicked, this, &Thistoria::exportovatClick);
    connect(vymazat, &QPushButton::clicked, this, &Thistoria::vymazatClick);
    connect(zavriet, &QPushButton::clicked, this, &QDialog::reject);
    connect(viesthistoriu, &QCheckBox::clicked, this, &Thistoria::viesthistoriuClick);
    connect(vymazathistoriu, &QPushButton::clicked, this, &Thistoria::vymazathistoriuClick);

    JournalOpen opened = Journal::open(app_.programFolder());
    told(opened.message);
    journal_ = std::move(opened.journal);
    reload();
}

// The model reads through the journal's connection: it goes first.
Thistoria::~Thistoria()
{
    setRows(nullptr);
    model_.reset();
}

void Thistoria::setRows(QAbstractItemModel* model)
{
    QItemSelectionModel* old = tlace->selectionModel(); // the view leaves it to its owner
    tlace->setModel(model);
    delete old;
}

bool Thistoria::told(const QString& message)
{
    if (message.isEmpty())
        return false;
    app_.platform.showMessage(message);
    return true;
}

void Thistoria::reload()
{
    if (!journal_)
        return;
    JobFilter filter;
    filter.search = hladat->text();
    if (formular->currentIndex() > 0)
        filter.form = JournalForm::of(static_cast<FormKind>(formular->currentData().toInt()));
    filter.from = od->date().startOfDay();
    filter.to = do_->date().endOfDay();
    const QHeaderView* header = tlace->horizontalHeader();
    const int column = header->sortIndicatorSection();
    const Qt::SortOrder order = header->sortIndicatorOrder();
    // The old rows' query goes first: while it reads, this connection sees
    // the journal as it was when it began.
    setRows(nullptr);
    model_.reset();
    QString why;
    model_ = journal_->jobsModel(filter, why);
    if (told(why) || !model_) {
        strany->clear();
        return;
    }
    // The model comes newest first; read again only for another order.
    if (column != static_cast<int>(JobColumn::Time) || order != Qt::DescendingOrder)
        model_->sort(column, order);
    setRows(model_.get());
    connect(tlace->selectionModel(), &QItemSelectionModel::currentRowChanged, this, &Thistoria::showPages);
    connect(tlace->selectionModel(), &QItemSelectionModel::selectionChanged, this, &Thistoria::showPages);
    showPages();
}

std::optional<qint64> Thistoria::currentJob() const
{
    const QModelIndexList rows = tlace->selectionModel() ? tlace->selectionModel()->selectedRows() : QModelIndexList();
    if (rows.isEmpty())
        return std::nullopt;
    const QModelIndex current = tlace->currentIndex();
    const QModelIndex at = current.isValid() && tlace->selectionModel()->isRowSelected(current.row()) ? current
                                                                                                      : rows.first();
    return at.data(JobIdRole).toLongLong();
}

QList<qint64> Thistoria::selectedJobs() const
{
    QList<qint64> ids;
    if (tlace->selectionModel())
        for (const QModelIndex& row : tlace->selectionModel()->selectedRows())
            ids << row.data(JobIdRole).toLongLong();
    return ids;
}

void Thistoria::showPages()
{
    strany->clear();
    const std::optional<qint64> job = currentJob();
    if (!job || !journal_)
        return;
    QString why;
    const QList<JournalPage> pages = journal_->pages(*job, why);
    if (told(why))
        return;
    for (const JournalPage& page : pages) {
        auto* item = new QTreeWidgetItem(strany, {QStringLiteral("Strana %1").arg(page.number)});
        item->setData(0, Qt::UserRole, page.number);
        for (const auto& [name, text] : page.fields)
            new QTreeWidgetItem(item, {name, QString(text).replace(u'\n', QStringLiteral(" / "))});
    }
    if (strany->topLevelItemCount() > 0) {
        strany->topLevelItem(0)->setExpanded(true);
        strany->setCurrentItem(strany->topLevelItem(0));
    }
}

std::optional<std::pair<qint64, std::shared_ptr<const FormDescription>>>
Thistoria::chosenJob(const std::function<QString(qint64, const QString&)>& unknown)
{
    const std::optional<qint64> job = currentJob();
    if (!job || !journal_)
        return std::nullopt;
    QString why;
    const std::optional<JobSummary> summary = journal_->job(*job, why);
    if (told(why) || !summary)
        return std::nullopt;
    QString notKnown;
    std::shared_ptr<const FormDescription> form = FormOfJob(summary->form, app_.programFolder(), notKnown);
    if (!form) {
        app_.platform.showMessage(summary->form.builtIn ? unknown(*job, summary->form.name) : notKnown);
        return std::nullopt;
    }
    return std::pair{*job, std::move(form)};
}

void Thistoria::otvoritClick()
{
    const auto chosen = chosenJob([](qint64, const QString& form) {
        return QStringLiteral("Formulár „%1“ tento program nepozná, tlač nemožno otvoriť.").arg(form);
    });
    if (!chosen)
        return;
    const auto& [job, form] = *chosen;
    QString why;
    const QList<JournalPage> pages = journal_->pages(job, why);
    if (told(why) || pages.isEmpty())
        return;
    // The page chosen below, else the first.
    int number = pages.first().number;
    if (QTreeWidgetItem* item = strany->currentItem()) {
        QTreeWidgetItem* top = item->parent() ? item->parent() : item;
        number = top->data(0, Qt::UserRole).toInt();
    }
    FieldTexts texts;
    for (const JournalPage& page : pages)
        if (page.number == number)
            for (const auto& [name, text] : page.fields)
                texts.setText(name, text);
    accept();
    QWidget* opened = form->kind == FormKind::User ? OpenUserFormWindow(app_, form) : OpenDocumentWindow(app_, form->kind);
    if (auto* window = qobject_cast<DocumentWindow*>(opened))
        window->showTexts(texts);
}

void Thistoria::vytlacitClick()
{
    const auto chosen = chosenJob([](qint64 job, const QString& form) {
        return QStringLiteral("Tlač č. %1 je formulára „%2“, ktorý tento program nepozná.").arg(job).arg(form);
    });
    if (!chosen)
        return;
    const auto& [job, form] = *chosen;
    // Through the table print, as zelvana-batch --reprint: every check of a
    // row again, and today's alignment.
    QTemporaryDir dir;
    const QString table = dir.filePath(QStringLiteral("tlac-%1.csv").arg(job));
    if (!dir.isValid() || told(journal_->exportCsv(table, job)))
        return;
    const BatchContext context = TableContext(*form, app_.programFolder(), app_.settings(), app_.personal());
    const BatchCheck check = CheckTable(context, table);
    if (!check.ok()) {
        app_.platform.showMessage(QStringLiteral("Tlač č. %1 nemožno vytlačiť znova, nič sa nevytlačí:\n%2")
                                      .arg(job)
                                      .arg(check.fatal.isEmpty() ? check.report(10) : check.fatal));
        return;
    }
    std::unique_ptr<PrintCanvas> canvas = app_.platform.runPrintDialog(this);
    if (!canvas || told(OutputRefusal(canvas->outputFile(), app_.programFolder(), {table})))
        return;
    QString damage;
    const FormShift shift = StoredShift(app_.programFolder(), *form, canvas->printerName(), damage);
    told(damage);
    const BatchOutcome outcome = PrintTable(*canvas, context, check, shift, false);
    const QString message = BatchOutcomeMessage(outcome);
    told(message);
    if (outcome.pages > 0 || !message.isEmpty()) {
        const QList<FormPage> printed = check.pages.mid(0, outcome.pages);
        const auto [target, name] = TargetOf(*canvas);
        const PrintedJob again{*form, printed, target, name, JobSource::Table,
                               QStringLiteral("história, tlač č. %1").arg(job), message.isEmpty(), message};
        told(RecordPrintedJob(app_.programFolder(), again));
    }
    reload();
}

void Thistoria::exportovatClick()
{
    if (!journal_)
        return;
    const QString path = app_.platform.chooseSaveFile(this, QStringLiteral("Exportovať históriu tlače"),
                                                      QStringLiteral("Tabuľky (*.csv);;Všetky súbory (*)"));
    if (path.isEmpty())
        return;
    // The chosen job's pages; with none chosen, every job's.
    told(journal_->exportCsv(path, currentJob()));
}

void Thistoria::vymazatClick()
{
    const QList<qint64> jobs = selectedJobs();
    if (jobs.isEmpty() || !journal_)
        return;
    const QString question =
        jobs.size() == 1 ? QStringLiteral("Vymazať vybranú tlač z histórie tlače?")
                         : QStringLiteral("Vymazať z histórie tlače vybrané tlače (%1)?").arg(jobs.size());
    if (!app_.platform.askYesNo(this, QStringLiteral("VymazatHistoriu"), question))
        return;
    // Nothing reads while the jobs go.
    setRows(nullptr);
    model_.reset();
    QString why;
    journal_->remove(jobs, why);
    told(why);
    reload();
}

void Thistoria::viesthistoriuClick()
{
    if (const QString problem = KeepJournal(app_.programFolder(), viesthistoriu->isChecked()); !problem.isEmpty()) {
        app_.platform.showMessage(problem);
        viesthistoriu->setChecked(JournalKept(app_.programFolder()));
    }
}

void Thistoria::vymazathistoriuClick()
{
    if (!app_.platform.askYesNo(this, QStringLiteral("VymazatCeluHistoriu"),
                                QStringLiteral("Vymazať celú históriu tlače? Vymazané tlače sa nedajú obnoviť.")))
        return;
    JournalOpen opened = Journal::open(app_.programFolder());
    if (!opened.message.isEmpty())
        app_.platform.showMessage(opened.message);
    QString why;
    if (opened.journal && !opened.journal->clear(why))
        app_.platform.showMessage(why);
    reload();
}
