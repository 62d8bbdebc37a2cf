#include <benchmark/benchmark.h>

#include <QApplication>
#include <QLineEdit>
#include <QTableView>
#include <memory>
#include <string>

#include "app/window/SubtitleListWindow.h"
#include "playback/SubtitleState.h"
#include "playback/TrackOffset.h"

namespace orvalen {
namespace {

// A full track, shown in a list window on Qt's offscreen platform.
struct ListOfAFullTrack {
    SubtitleState subtitles;
    SubtitleListWindow window{subtitles, nullptr};

    ListOfAFullTrack() {
        EntryAppender entries(subtitles.Track);
        for (int32_t i = 0; i < TrackCapacity; ++i) {
            entries.Append(i * 3000, i * 3000 + 2000,
                           "<i>Subtitle number " + std::to_string(i) + "</i>\r\nsays something");
        }
        subtitles.Track.Encoding = "UTF-8";
        subtitles.Markup = MarkupFamily::SubRip;
        window.show();
        window.Reload();
        window.repaint();
    }
};

// Made on first use, gone before the application.
std::unique_ptr<ListOfAFullTrack>& ListHolder() {
    static std::unique_ptr<ListOfAFullTrack> list;
    return list;
}

ListOfAFullTrack& List() {
    if (!ListHolder()) ListHolder() = std::make_unique<ListOfAFullTrack>();
    return *ListHolder();
}

// A new track in the list, painted: what a load, a resynchronisation or a merge costs.
void BM_ListLoadAndPaint(benchmark::State& state) {
    ListOfAFullTrack& list = List();
    for (auto _ : state) {
        list.window.Reload();
        list.window.repaint();
        QApplication::processEvents();
    }
}
BENCHMARK(BM_ListLoadAndPaint)->Unit(benchmark::kMillisecond);

// A timing key over the full track: its times moved, the list told and painted.
void BM_TimingKeyOnAFullTrack(benchmark::State& state) {
    ListOfAFullTrack& list = List();
    int32_t step = 100;
    for (auto _ : state) {
        list.subtitles.Offset.MoveBy(list.subtitles.Track, step);
        step = -step;
        list.window.TimesMoved();
        list.window.repaint();
    }
}
BENCHMARK(BM_TimingKeyOnAFullTrack)->Unit(benchmark::kMillisecond);

// The clock's tick while the same subtitle stays on screen: no work.
void BM_TickSameLine(benchmark::State& state) {
    ListOfAFullTrack& list = List();
    list.window.ShowLine(5000);
    for (auto _ : state) list.window.ShowLine(5000);
}
BENCHMARK(BM_TickSameLine);

// The clock's tick when the next subtitle comes on screen: the highlight moves and is kept in
// view, painted.
void BM_TickNextLine(benchmark::State& state) {
    ListOfAFullTrack& list = List();
    int row = 0;
    for (auto _ : state) {
        list.window.ShowLine(row);
        row = (row + 1) % TrackCapacity;
        list.window.repaint();
    }
}
BENCHMARK(BM_TickNextLine)->Unit(benchmark::kMicrosecond);

// Typing a search over a track whose texts have not been read yet.
void BM_SearchAFreshTrack(benchmark::State& state) {
    ListOfAFullTrack& list = List();
    for (auto _ : state) {
        list.window.Reload();
        list.window.SearchBox()->setText(QStringLiteral("number 99"));
        list.window.repaint();
        QApplication::processEvents();
        state.PauseTiming();
        list.window.SearchBox()->clear();
        state.ResumeTiming();
    }
}
BENCHMARK(BM_SearchAFreshTrack)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace orvalen

int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    orvalen::ListHolder().reset();
    return 0;
}
