#include <QMetaObject>
#include <cstdio>
#include <string>

#include "app/window/FullScreenView.h"
#include "app/window/GpuPicture.h"
#include "app/window/MainWindow.h"
#include "app/window/VideoPanel.h"

namespace orvalen {

void MainWindow::UseRenderPath(RenderPath path) {
    if (path != RenderPath::Gpu || gpuPicture_) return;
    auto picture = std::make_unique<GpuPicture>();
    if (!picture->Start(*device_)) {
        std::fputs("orvalen: the OpenGL picture could not start; drawing in software\n", stderr);
        return;
    }
    gpuPicture_ = std::move(picture);
    gpuPicture_->SetFrameReadyCallback([this] { ForwardFrameReady(); });
    ui_.VideoArea->UseGpuPicture(gpuPicture_.get());
    ui_.FullScreenWindow->UseGpuPicture(gpuPicture_.get());
}

RenderPath MainWindow::RenderPathInUse() const {
    return gpuPicture_ ? RenderPath::Gpu : RenderPath::Software;
}

std::string MainWindow::RenderingReport() const {
    const int64_t dropped = device_->DroppedFrames();
    return "render path: " + std::string(RenderPathName(RenderPathInUse())) +
           ", frames dropped: " + (dropped < 0 ? std::string("unknown") : std::to_string(dropped));
}

void MainWindow::ForwardFrameReady() {
    // Any thread: one queued call at a time reaches the window.
    if (frameUpdatePending_.exchange(true)) return;
    QMetaObject::invokeMethod(
        this,
        [this] {
            frameUpdatePending_ = false;
            if (gpuPicture_ && gpuPicture_->Failed()) {
                FallBackToSoftware("the OpenGL picture failed");
            }
            OnFrameReady();
        },
        Qt::QueuedConnection);
}

void MainWindow::FallBackToSoftware(const char* why) {
    std::fprintf(stderr, "orvalen: %s; drawing in software\n", why);
    ui_.VideoArea->UseGpuPicture(nullptr);
    ui_.FullScreenWindow->UseGpuPicture(nullptr);
    gpuPicture_->SetFrameReadyCallback({});
    gpuPicture_->Stop(*device_);
    gpuPicture_.reset();
}

}  // namespace orvalen
