// Filling, restyling, sorting and scrolling a list of 100 000 items whose
// texts are supplied on demand.
#include "controls/UPTTreeList.h"

#include <QAbstractItemView>
#include <QApplication>
#include <QElapsedTimer>
#include <QScrollBar>
#include <QStyle>

#include <benchmark/benchmark.h>

#include <algorithm>
#include <memory>

namespace
{

constexpr int ItemCount = 100000;

std::unique_ptr<TPTListView> MakeList()
{
    auto list = std::make_unique<TPTListView>();
    list->resize(800, 600);
    list->SetColumns({{QStringLiteral("Name"), 200, Qt::AlignLeft},
                      {QStringLiteral("Size"), 80, Qt::AlignRight},
                      {QStringLiteral("Type"), 120, Qt::AlignLeft},
                      {QStringLiteral("Modified"), 140, Qt::AlignLeft}});
    const QIcon icon = QApplication::style()->standardIcon(QStyle::SP_FileIcon);
    auto* smallImages = new TPTImageList(QSize(16, 16), list.get());
    smallImages->Add(icon.pixmap(16));
    auto* largeImages = new TPTImageList(QSize(32, 32), list.get());
    largeImages->Add(icon.pixmap(32));
    list->SetSmallImages(smallImages);
    list->SetLargeImages(largeImages);
    list->OnGetDispText = [](TPTCustomListView*, TPTListItem* item, int column, QString& text) {
        const auto id = qulonglong(reinterpret_cast<quintptr>(item->Data));
        switch (column) {
        case 0:
            text = QStringLiteral("File %1.txt").arg(id);
            break;
        case 1:
            text = QString::number((id * 7919) % 100003);
            break;
        case 2:
            text = QStringLiteral("Text document");
            break;
        default:
            text = QStringLiteral("2026-12-%1").arg(1 + id % 28);
            break;
        }
    };
    list->show();
    return list;
}

void Fill(TPTListView& list)
{
    list.BeginUpdate();
    list.SetAllocBy(ItemCount);
    for (int i = 0; i < ItemCount; ++i) {
        TPTListItem& item = list.Item(list.AddItem());
        item.CaptionOnDemand = true;
        item.SubItems = QStringList{QString(), QString(), QString()};
        item.ImageIndex = 0;
        item.Data = reinterpret_cast<void*>(quintptr(i));
    }
    list.EndUpdate();
}

// Lays out and paints what is visible, as the event loop would.
void Paint(TPTListView& list)
{
    auto* view = list.ActiveView();
    view->viewport()->repaint();
    QApplication::processEvents();
}

void BM_Fill100k(benchmark::State& state)
{
    for (auto _ : state) {
        state.PauseTiming();
        auto list = MakeList();
        state.ResumeTiming();
        Fill(*list);
        Paint(*list);
        state.PauseTiming();
        list.reset();
        state.ResumeTiming();
    }
}
BENCHMARK(BM_Fill100k)->Unit(benchmark::kMillisecond)->Iterations(5);

void BM_SwitchStyle(benchmark::State& state)
{
    const auto style = TViewStyle(state.range(0));
    auto list = MakeList();
    Fill(*list);
    Paint(*list);
    for (auto _ : state) {
        state.PauseTiming();
        list->SetViewStyle(style == vsReport ? vsIcon : vsReport);
        Paint(*list);
        state.ResumeTiming();
        list->SetViewStyle(style);
        Paint(*list);
    }
}
BENCHMARK(BM_SwitchStyle)
    ->ArgName("style")
    ->Arg(vsIcon)
    ->Arg(vsSmallIcon)
    ->Arg(vsList)
    ->Arg(vsReport)
    ->Unit(benchmark::kMillisecond)
    ->Iterations(5);

void BM_SortByColumn(benchmark::State& state)
{
    auto list = MakeList();
    list->SetViewStyle(vsReport);
    Fill(*list);
    Paint(*list);
    bool ascending = false;
    for (auto _ : state) {
        list->SortByColumnText(int(state.range(0)), ascending);
        list->SetHeaderSortColumn(int(state.range(0)));
        list->SetHeaderSortDirection(ascending ? ptsdDesc : ptsdAsc);
        Paint(*list);
        ascending = !ascending;
    }
}
BENCHMARK(BM_SortByColumn)
    ->ArgName("column")
    ->Arg(0)
    ->Arg(1)
    ->Unit(benchmark::kMillisecond)
    ->Iterations(4);

// Scrolls the details style from top to bottom a page at a time, painting
// after each step; the slowest step tells whether the window stays usable.
void BM_ScrollDetails(benchmark::State& state)
{
    auto list = MakeList();
    list->SetViewStyle(vsReport);
    Fill(*list);
    Paint(*list);
    QScrollBar* bar = list->ActiveView()->verticalScrollBar();
    double slowest = 0;
    int steps = 0;
    for (auto _ : state) {
        bar->setValue(bar->minimum());
        Paint(*list);
        while (bar->value() < bar->maximum()) {
            QElapsedTimer step;
            step.start();
            bar->setValue(bar->value() + bar->pageStep());
            Paint(*list);
            slowest = std::max(slowest, step.nsecsElapsed() / 1e6);
            ++steps;
        }
    }
    state.counters["steps"] = steps;
    state.counters["slowest_step_ms"] = slowest;
}
BENCHMARK(BM_ScrollDetails)->Unit(benchmark::kMillisecond)->Iterations(1);

} // namespace
