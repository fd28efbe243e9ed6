// How long the folder and file lists take to show a large folder: 20 000 files, 5 000 subfolders.
// Each iteration reads the folder, sorts the names and fills the list widget.
#include "toolkit.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <benchmark/benchmark.h>
#include <cstdio>

using namespace cellwright;

namespace {

constexpr int FileCount = 20000;
constexpr int FolderCount = 5000;

class ListsForm : public Form {
public:
    ListsForm()
    {
        File1.Move(120, 840, 3015, 3345);
        Dir1.Move(3480, 720, 2415, 3465);
    }
    FileListBox File1 { *this };
    DirListBox Dir1 { *this };
};

struct Folders {
    QTemporaryDir files;
    QTemporaryDir folders;

    Folders()
    {
        // Mixed case and numbers, so that sorting does real work.
        for (int i = 0; i < FileCount; ++i) {
            QFile file(files.filePath(QString("%1 Report %2.%3")
                                          .arg(i % 2 ? "a" : "B")
                                          .arg(i)
                                          .arg(i % 3 ? "txt" : "dat")));
            if (!file.open(QIODevice::WriteOnly))
                std::fprintf(stderr, "cannot create %s\n", qPrintable(file.fileName()));
        }
        for (int i = 0; i < FolderCount; ++i)
            QDir(folders.path()).mkdir(QString("Folder %1").arg(i));
    }
};

Folders *folders = nullptr;

void FileListBox_20000Files(benchmark::State &state)
{
    FormInstance<ListsForm> form;
    const QString pattern = state.range(0) ? "*.txt" : "*.*";
    form->File1.setPattern(pattern);
    for (auto _ : state) {
        form->File1.setPath(folders->files.path());
        benchmark::DoNotOptimize(form->File1.ListCount());
    }
    state.counters["names"] = form->File1.ListCount();
}
BENCHMARK(FileListBox_20000Files)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);

void DirListBox_5000Subfolders(benchmark::State &state)
{
    FormInstance<ListsForm> form;
    form->Dir1.setPath(folders->folders.path());
    for (auto _ : state) {
        form->Dir1.Refresh();
        benchmark::DoNotOptimize(form->Dir1.ListCount());
    }
    state.counters["folders"] = form->Dir1.ListCount();
}
BENCHMARK(DirListBox_5000Subfolders)->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char **argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    Toolkit toolkit;
    Folders made;
    folders = &made;
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
