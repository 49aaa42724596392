// The Save dialog from Execute until it has painted the folder's listing, on
// the home folder and on a folder of 100 000 files, next to Qt's own
// (non-native) QFileDialog opened on the same folder in the same run, timed
// until its model has loaded the folder and it has painted. Listings run on
// worker threads in both, so wall time and the process's CPU time (cpu_ms,
// all threads) are reported.

#include "bench/common/BenchClocks.h"
#include "dialogs/components/TPTSaveDlg.h"
#include "dialogs/form/TPTFrmOpenDlg.h"

#include "platform/FileNameCodec.h"
#include "shellwidgets/list/TPTShellList.h"

#include <QAbstractItemView>
#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileDialog>
#include <QFileSystemModel>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

#include <benchmark/benchmark.h>

#include <chrono>
#include <ctime>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace
{

constexpr int kFiles = 100000;

struct BigFolder {
    QTemporaryDir dir;
    QString path;

    BigFolder()
    {
        const QByteArray bytes = QFile::encodeName(dir.path()) + "/big";
        ::mkdir(bytes.constData(), 0755);
        for (int i = 0; i < kFiles; ++i) {
            const QByteArray name = bytes + "/file_" + QByteArray::number(i) +
                                    (i % 3 == 0 ? ".csv" : (i % 3 == 1 ? ".txt" : ".png"));
            const int fd = ::open(name.constData(), O_WRONLY | O_CREAT, 0644);
            if (fd >= 0)
                ::close(fd);
        }
        path = FileNameToString(bytes);
    }
};

QString Folder(int which)
{
    if (which == 0)
        return QDir::homePath();
    static BigFolder big;
    return big.path;
}

const char* FolderLabel(int which)
{
    return which == 0 ? "home" : "100k files";
}

// Execute until the list has its listing and has painted it; then Cancel.
void BM_SaveDialogUntilPainted(benchmark::State& state)
{
    const QString folder = Folder(int(state.range(0)));
    double cpu = 0;
    int items = 0;
    for (auto _ : state) {
        TPTSaveDlg dialog;
        dialog.InitialDir = folder;
        dialog.SetFilter(QStringLiteral("All files (*)|*"));
        double painted = 0;
        double cpuPainted = 0;
        dialog.OnFormShow = [&](QObject* sender) {
            auto* form = static_cast<TPTFrmOpenDlg*>(sender);
            QTimer::singleShot(0, form, [&, form] {
                while (form->PTShellList1->IsListing())
                    QTest::qWait(1);
                form->repaint();
                painted = WallSeconds();
                cpuPainted = ProcessCpuSeconds();
                items = form->PTShellList1->ItemCount();
                form->CancelBtn->click();
            });
        };
        const double start = WallSeconds();
        const double cpuStart = ProcessCpuSeconds();
        dialog.Execute();
        state.SetIterationTime(painted - start);
        cpu += cpuPainted - cpuStart;
    }
    state.counters["items"] = items;
    state.counters["cpu_ms"] = cpu * 1000 / double(state.iterations());
    state.SetLabel(FolderLabel(int(state.range(0))));
}

// The anchor: QFileDialog until its model reported the folder loaded and the
// dialog painted it.
void BM_QFileDialogUntilPainted(benchmark::State& state)
{
    const QString folder = Folder(int(state.range(0)));
    double cpu = 0;
    int items = 0;
    for (auto _ : state) {
        const double start = WallSeconds();
        const double cpuStart = ProcessCpuSeconds();
        QFileDialog dialog(nullptr, QStringLiteral("Save As"), folder);
        dialog.setOption(QFileDialog::DontUseNativeDialog);
        dialog.setAcceptMode(QFileDialog::AcceptSave);
        auto* model = dialog.findChild<QFileSystemModel*>();
        bool loaded = false;
        QObject::connect(model, &QFileSystemModel::directoryLoaded, &dialog,
                         [&](const QString& path) { loaded = loaded || path == folder; });
        dialog.show();
        while (!loaded)
            QTest::qWait(1);
        QCoreApplication::processEvents();
        dialog.repaint();
        state.SetIterationTime(WallSeconds() - start);
        cpu += ProcessCpuSeconds() - cpuStart;
        items = model->rowCount(model->index(folder));
        dialog.reject();
    }
    state.counters["items"] = items;
    state.counters["cpu_ms"] = cpu * 1000 / double(state.iterations());
    state.SetLabel(FolderLabel(int(state.range(0))));
}

} // namespace

BENCHMARK(BM_SaveDialogUntilPainted)
    ->DenseRange(0, 1)
    ->Unit(benchmark::kMillisecond)
    ->UseManualTime()
    ->Iterations(5);
BENCHMARK(BM_QFileDialogUntilPainted)
    ->DenseRange(0, 1)
    ->Unit(benchmark::kMillisecond)
    ->UseManualTime()
    ->Iterations(3);
