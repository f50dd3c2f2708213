// The history window over a journal of 100 000 printed pages (20 000 jobs of
// 5 slip A pages): opened until its table shows the newest rows, and a search
// typed into it until the table shows what it found.
//   bench_history [google benchmark options]
#include "core/batch/JobJournal.h"
#include "core/forms/Forms.h"
#include "core/journal/Journal.h"
#include "core/journal/SearchKey.h"
#include "ui/frame/AppState.h"
#include "ui/history/Thistoria.h"

#include <QApplication>
#include <QLineEdit>
#include <QSqlDatabase>
#include <QSqlQuery>
#include <QTableView>
#include <QTemporaryDir>
#include <benchmark/benchmark.h>
#include <cstdio>

namespace {

constexpr int Jobs = 20000, PagesPerJob = 5;

class StderrMessages : public MessageSeam {
public:
    void showMessage(const QString& text) override { std::fprintf(stderr, "%s\n", qPrintable(text)); }
    void showHint(QWidget*, const QString&) override {}
    bool askYesNo(QWidget*, const QString&, const QString&) override { return false; }
};

const QStringList FirstNames{"Ján", "Zuzana", "Peter", "Mária", "Ľubomír", "Eva", "Štefan", "Katarína"};
const QStringList LastNames{"Novák", "Kováčová", "Horváth", "Šimková", "Tóth", "Baláž", "Čierna", "Lukáč"};
const QStringList Towns{"Košice", "Žilina", "Prešov", "Banská Bystrica", "Trnava", "Nitra", "Levoča", "Poprad"};

// The page's fields as a window's print of slip A records them.
QList<std::pair<QString, QString>> pageFields(int job, int page)
{
    const int n = job * PagesPerJob + page;
    const QString who = FirstNames[n % 8] + QLatin1Char(' ') + LastNames[(n / 8) % 8] + QString::number(n);
    return {{"suma", QString::number(10 + n % 990)}, {"hal", QString::number(n % 100)},
            {"vsymbol", QString::number(20260000 + n)}, {"ksymbol", "0558"},
            {"nazov_uctu", who + QLatin1Char('\n') + Towns[n % 8]}, {"od1", "Spolok"},
            {"od2", "Hlavná 12"}, {"od3", "04001 Košice"}, {"slovom1", "stodvadsať"}};
}

// Creates the journal through Journal::open, so its schema is the program's,
// then fills it in one transaction.
bool buildJournal(const QString& folder)
{
    {
        JournalOpen opened = Journal::open(folder);
        if (!opened.journal)
            return std::fprintf(stderr, "%s\n", qPrintable(opened.message)), false;
    }
    bool ok = true;
    {
        QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), QStringLiteral("fill"));
        db.setDatabaseName(folder + JournalFileName);
        ok = db.open() && db.transaction();
        QSqlQuery job(db), page(db), field(db), texts(db);
        ok = ok && job.prepare("INSERT INTO jobs (id, time_utc, form_name, form_builtin, target, target_name, source, "
                               "outcome) VALUES (?, ?, 'A', 1, 'printer', 'HP LaserJet', 'window', 'printed')")
             && page.prepare("INSERT INTO pages (id, job_id, number) VALUES (?, ?, ?)")
             && field.prepare("INSERT INTO page_fields (page_id, position, name, text, search_key) VALUES (?, ?, ?, ?, ?)")
             && texts.prepare("INSERT INTO job_texts (job_id, keys, texts) VALUES (?, ?, ?)");
        const QDateTime start = QDateTime::currentDateTimeUtc().addDays(-730);
        for (int j = 0; ok && j < Jobs; ++j) {
            job.addBindValue(j + 1);
            job.addBindValue(start.addSecs(qint64(j) * 3000).toString("yyyy-MM-ddTHH:mm:ss.zzzZ"));
            ok = job.exec();
            QStringList jobKeys, jobTexts; // what Journal::record keeps beside the fields
            for (int p = 0; ok && p < PagesPerJob; ++p) {
                const int pageId = j * PagesPerJob + p + 1;
                page.addBindValue(pageId);
                page.addBindValue(j + 1);
                page.addBindValue(p + 1);
                ok = page.exec();
                const auto fields = pageFields(j, p);
                for (qsizetype f = 0; ok && f < fields.size(); ++f) {
                    field.addBindValue(pageId);
                    field.addBindValue(int(f));
                    field.addBindValue(fields[f].first);
                    field.addBindValue(fields[f].second);
                    field.addBindValue(SearchKey(fields[f].second));
                    ok = field.exec();
                    jobKeys << SearchKey(fields[f].second);
                    jobTexts << fields[f].second;
                }
            }
            texts.addBindValue(j + 1);
            texts.addBindValue(jobKeys.join(u'\n'));
            texts.addBindValue(jobTexts.join(u'\n'));
            ok = ok && texts.exec();
        }
        ok = ok && db.commit();
        db.close();
    }
    QSqlDatabase::removeDatabase(QStringLiteral("fill"));
    return ok;
}

struct Setup {
    QTemporaryDir folder;
    StderrMessages messages;
    Platform platform;
    std::unique_ptr<AppState> app;
};
Setup* setup = nullptr;

// Everything posted, layouts and paints among them, done.
void settle()
{
    for (int i = 0; i < 3; ++i)
        QApplication::processEvents();
}

void OpenWindow(benchmark::State& state)
{
    for (auto _ : state) {
        auto w = std::make_unique<Thistoria>(*setup->app);
        w->show();
        settle();
        state.PauseTiming();
        if (w->tlace->model() == nullptr || w->tlace->model()->rowCount() == 0)
            return state.SkipWithError("the table shows no rows");
        w.reset();
        state.ResumeTiming();
    }
}

// Each search typed as one change of the field's text, as a paste does; the
// rows it finds (the model's first screenfuls: 256 at most) must be there
// when the time stops.
void Search(benchmark::State& state, const QString& words, int rowsShown)
{
    Thistoria w(*setup->app);
    w.show();
    settle();
    for (auto _ : state) {
        w.hladat->setText(words);
        settle();
        state.PauseTiming();
        const int rows = w.tlace->model() ? w.tlace->model()->rowCount() : 0;
        state.counters["rows"] = rows;
        if (rows != rowsShown)
            return state.SkipWithError("the search found the wrong rows");
        w.hladat->clear();
        settle();
        state.ResumeTiming();
    }
}

} // namespace

// A name and number on one page of the 100 000; a town on every eighth page,
// typed without and with its marks; a variable symbol.
BENCHMARK(OpenWindow)->Unit(benchmark::kMillisecond)->UseRealTime()->Iterations(10);
BENCHMARK_CAPTURE(Search, one_page_bare, QStringLiteral("Maria Kovacova8267"), 1)
    ->Unit(benchmark::kMillisecond)->UseRealTime()->Iterations(10);
BENCHMARK_CAPTURE(Search, one_page_marked, QStringLiteral("Kováčová8267"), 1)
    ->Unit(benchmark::kMillisecond)->UseRealTime()->Iterations(10);
BENCHMARK_CAPTURE(Search, one_symbol, QStringLiteral("20299999"), 1)
    ->Unit(benchmark::kMillisecond)->UseRealTime()->Iterations(10);
BENCHMARK_CAPTURE(Search, town_bare, QStringLiteral("Zilina"), 256)
    ->Unit(benchmark::kMillisecond)->UseRealTime()->Iterations(10);
BENCHMARK_CAPTURE(Search, town_marked, QStringLiteral("Žilina"), 256)
    ->Unit(benchmark::kMillisecond)->UseRealTime()->Iterations(10);

int main(int argc, char** argv)
{
    qputenv("QT_QPA_PLATFORM", qgetenv("QT_QPA_PLATFORM").isEmpty() ? "offscreen" : qgetenv("QT_QPA_PLATFORM"));
    QApplication application(argc, argv);
    benchmark::Initialize(&argc, argv);
    Setup s;
    setup = &s;
    const QString folder = s.folder.path() + QLatin1Char('/');
    if (!buildJournal(folder))
        return std::fprintf(stderr, "the journal could not be filled\n"), 1;
    s.platform.use(s.messages);
    s.app = std::make_unique<AppState>(folder, s.platform);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
