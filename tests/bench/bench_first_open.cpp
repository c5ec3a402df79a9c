// First-open time of each page shown over the main screen: from the click on its opener to the
// end of the first frame rendered after it. The page's controls are built on its first opening,
// so a fresh scene measures the building; opening it again measures a page already built (the
// reference within the same run). A benchmark run by scripts/bench-overlays.sh, never by CTest.
#include "app/globals.h"
#include "app/widget.h"
#include "bridge/myqquickview.h"
#include "bridge/sequencerunner.h"
#include "support/scenehost.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QQuickItem>
#include <QQuickWindow>
#include <QTest>
#include <algorithm>
#include <cstdio>
#include <memory>
#include <string>
#include <vector>

namespace
{

struct Overlay {
    const char *page, *opener;
};
// The openers as a person clicks them: the bottom bar, the left panel, the mouse picture.
const Overlay kOverlays[] = {
    {"macroEditorMain", "macroEditorOpenBtn"}, {"gunControlMain", "gunEditorOpenBtn"},
    {"systemSettingMain", "systemSettingOpenBtn"}, {"keyAssigmentMain", "mouseLabel3"},
    {"profileMain", "configBtn"},
};

// A fresh scene (private data tree, simulated mouse, connected) with the page operations.
class Scene : public testsupport::SceneHost
{
public:
    // Started: the start-up picture has given way to the main screen.
    bool started() const
    {
        return ready([this] {
            QQuickItem *logo = item("powerOnLogo");
            return logo && !logo->isVisible();
        });
    }
    QQuickItem *item(const char *name, QQuickItem *under = nullptr) const
    {
        return testsupport::findItem(under ? under : root(), QString::fromLatin1(name));
    }
    void click(QQuickItem *target) const
    {
        const QPointF centre(target->width() / 2, target->height() / 2);
        QTest::mouseClick(widget->view(), Qt::LeftButton, {}, target->mapToScene(centre).toPoint());
    }
    // Milliseconds from the click on the opener to the end of the next rendered frame; -1 when
    // the page did not open.
    double open(const Overlay &o) const
    {
        QQuickItem *page = item(o.page);
        QQuickItem *opener = item(o.opener);
        if (!page || !opener)
            return -1;
        bool rendered = false;
        QQuickWindow *window = widget->view()->quickWindow();
        const auto connection = QObject::connect(
            window, &QQuickWindow::afterRendering, window, [&rendered] { rendered = true; },
            Qt::DirectConnection);
        QElapsedTimer timer;
        timer.start();
        click(opener);
        const bool shown = QTest::qWaitFor([&] { return rendered && page->isVisible(); }, 3000);
        const double ms = timer.nsecsElapsed() / 1e6;
        QObject::disconnect(connection);
        return shown ? ms : -1;
    }
    // Closes the page and waits until what its closing sent to the mouse has run.
    bool close(const Overlay &o) const
    {
        if (QQuickItem *button = item("closeBtn", item(o.page)))
            click(button);
        const bool idle = QTest::qWaitFor(
            [this] {
                const auto *runner = widget->view()->runner();
                return !runner->active() && runner->pending() == 0 && widget->view()->isEnabled();
            },
            3000);
        QTest::qWait(50);
        return idle;
    }

};

void row(const char *label, std::vector<double> v)
{
    std::sort(v.begin(), v.end());
    const size_t n = v.size();
    const double median = n % 2 ? v[n / 2] : (v[n / 2 - 1] + v[n / 2]) / 2;
    std::printf("%-34s %8.1f %8.1f %8.1f  ms\n", label, v.front(), median, v.back());
}

} // namespace

int main(int argc, char **argv)
{
    QApplication app(argc, argv);
    const int rounds = argc > 1 ? std::max(1, atoi(argv[1])) : 10;
    const size_t count = sizeof kOverlays / sizeof kOverlays[0];
    std::vector<std::vector<double>> first(count), again(count);
    for (int r = 0; r < rounds; ++r) {
        // Each page opened for the first time in a fresh scene, then once more.
        Scene scene;
        if (!scene.started()) {
            std::fprintf(stderr, "the scene did not start\n");
            return 1;
        }
        QTest::qWait(200);
        for (size_t i = 0; i < count; ++i) {
            const double firstMs = scene.open(kOverlays[i]);
            const bool closed = scene.close(kOverlays[i]);
            const double againMs = scene.open(kOverlays[i]);
            if (firstMs < 0 || againMs < 0 || !closed || !scene.close(kOverlays[i])) {
                std::fprintf(stderr, "%s did not open or close\n", kOverlays[i].page);
                return 1;
            }
            first[i].push_back(firstMs);
            again[i].push_back(againMs);
        }
    }
    std::printf("%d rounds, click to the end of the next frame     min   median      max\n",
                rounds);
    for (size_t i = 0; i < count; ++i) {
        row((std::string(kOverlays[i].page) + ": first open").c_str(), first[i]);
        row((std::string(kOverlays[i].page) + ": opened again").c_str(), again[i]);
    }
    return 0;
}
