#pragma once

#include <atomic>
#include <cstdint>
#include <functional>
#include <memory>
#include <mutex>

#include "media/GpuFrameSource.h"

struct mpv_handle;
struct mpv_render_context;

namespace orvalen::mpv {

// mpv's OpenGL renderer over a core (MPV_RENDER_API_TYPE_OPENGL).
class GlRenderer final : public GpuFrameSource {
  public:
    // Creates the render context with loader's context current; Active() tells whether that
    // worked.
    GlRenderer(mpv_handle* core, const GlLoader& loader,
               std::shared_ptr<const std::atomic<uint64_t>> filmShown);
    ~GlRenderer() override;
    GlRenderer(const GlRenderer&) = delete;
    GlRenderer& operator=(const GlRenderer&) = delete;

    bool Active() const { return context_ != nullptr; }

    void SetUpdateCallback(std::function<void()> callback) override;
    bool TakeNewFrame() override;
    bool Render(int fbo, int width, int height) override;
    void SkipFrame() override;
    std::shared_ptr<const std::atomic<uint64_t>> FilmShown() const override { return filmShown_; }

  private:
    static void OnUpdate(void* self);

    mpv_render_context* context_ = nullptr;
    std::shared_ptr<const std::atomic<uint64_t>> filmShown_;
    std::mutex callbackMutex_;
    std::function<void()> callback_;
};

}  // namespace orvalen::mpv
