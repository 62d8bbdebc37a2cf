#include "media/MpvGlRenderer.h"

#include <mpv/render.h>
#include <mpv/render_gl.h>

namespace orvalen::mpv {

namespace {

// Beyond any screen; keeps a bad size away from the driver.
constexpr int kMaxSide = 16384;

}  // namespace

GlRenderer::GlRenderer(mpv_handle* core, const GlLoader& loader,
                       std::shared_ptr<const std::atomic<uint64_t>> filmShown)
    : filmShown_(std::move(filmShown)) {
    if (core == nullptr || loader.GetProcAddress == nullptr) return;
    mpv_opengl_init_params init{loader.GetProcAddress, loader.Context};
    int advancedControl = 0;
    mpv_render_param params[] = {
        {MPV_RENDER_PARAM_API_TYPE, const_cast<char*>(MPV_RENDER_API_TYPE_OPENGL)},
        {MPV_RENDER_PARAM_OPENGL_INIT_PARAMS, &init},
        {MPV_RENDER_PARAM_ADVANCED_CONTROL, &advancedControl},
        // Hardware decoding hands its frames to OpenGL through the display connection.
        {loader.X11Display ? MPV_RENDER_PARAM_X11_DISPLAY : MPV_RENDER_PARAM_INVALID,
         loader.X11Display},
        {MPV_RENDER_PARAM_INVALID, nullptr},
    };
    if (loader.X11Display == nullptr && loader.WaylandDisplay != nullptr) {
        params[3] = {MPV_RENDER_PARAM_WL_DISPLAY, loader.WaylandDisplay};
    }
    if (mpv_render_context_create(&context_, core, params) < 0) {
        context_ = nullptr;
        return;
    }
    mpv_render_context_set_update_callback(context_, &GlRenderer::OnUpdate, this);
}

GlRenderer::~GlRenderer() {
    if (context_ == nullptr) return;
    mpv_render_context_set_update_callback(context_, nullptr, nullptr);
    mpv_render_context_free(context_);
}

void GlRenderer::SetUpdateCallback(std::function<void()> callback) {
    std::lock_guard lock(callbackMutex_);
    callback_ = std::move(callback);
}

void GlRenderer::OnUpdate(void* self) {
    auto* renderer = static_cast<GlRenderer*>(self);
    std::lock_guard lock(renderer->callbackMutex_);
    if (renderer->callback_) renderer->callback_();
}

bool GlRenderer::TakeNewFrame() {
    if (context_ == nullptr) return false;
    return (mpv_render_context_update(context_) & MPV_RENDER_UPDATE_FRAME) != 0;
}

bool GlRenderer::Render(int fbo, int width, int height) {
    if (context_ == nullptr || width <= 0 || height <= 0 || width > kMaxSide || height > kMaxSide) {
        return false;
    }
    mpv_opengl_fbo target{fbo, width, height, 0};
    int flipY = 0;
    int block = 0;
    mpv_render_param params[] = {
        {MPV_RENDER_PARAM_OPENGL_FBO, &target},
        {MPV_RENDER_PARAM_FLIP_Y, &flipY},
        {MPV_RENDER_PARAM_BLOCK_FOR_TARGET_TIME, &block},
        {MPV_RENDER_PARAM_INVALID, nullptr},
    };
    return mpv_render_context_render(context_, params) >= 0;
}

void GlRenderer::SkipFrame() {
    if (context_ == nullptr) return;
    int skip = 1;
    int block = 0;
    mpv_render_param params[] = {
        {MPV_RENDER_PARAM_SKIP_RENDERING, &skip},
        {MPV_RENDER_PARAM_BLOCK_FOR_TARGET_TIME, &block},
        {MPV_RENDER_PARAM_INVALID, nullptr},
    };
    mpv_render_context_render(context_, params);
}

}  // namespace orvalen::mpv
