#include "media/MpvFrameRenderer.h"

#include <new>

#include <mpv/render.h>

namespace orvalen::mpv {

namespace {

// Beyond any screen; keeps a bad size from asking for gigabytes.
constexpr int kMaxSide = 16384;
// mpv's software renderer takes its fast paths on 64-byte aligned rows.
constexpr size_t kAlignment = 64;
// The fourth byte of a B, G, R, A pixel read as a little-endian 32-bit word.
constexpr uint32_t kOpaque = 0xff000000u;

struct AlignedDelete {
    void operator()(std::byte* bytes) const {
        ::operator delete[](bytes, std::align_val_t{kAlignment});
    }
};

}  // namespace

struct FrameRenderer::Picture {
    int width = 0;
    int height = 0;
    size_t stride = 0;
    std::unique_ptr<std::byte[], AlignedDelete> bytes;

    void Resize(int newWidth, int newHeight) {
        if (bytes && newWidth == width && newHeight == height) return;
        const size_t newStride =
            (static_cast<size_t>(newWidth) * 4 + kAlignment - 1) / kAlignment * kAlignment;
        bytes.reset(static_cast<std::byte*>(::operator new[](
            newStride* static_cast<size_t>(newHeight), std::align_val_t{kAlignment})));
        width = newWidth;
        height = newHeight;
        stride = newStride;
    }

    const std::byte* Row(int y) const { return bytes.get() + stride * static_cast<size_t>(y); }
};

FrameRenderer::FrameRenderer(mpv_handle* core) {
    mpv_render_param params[] = {
        {MPV_RENDER_PARAM_API_TYPE, const_cast<char*>(MPV_RENDER_API_TYPE_SW)},
        {MPV_RENDER_PARAM_INVALID, nullptr},
    };
    if (core == nullptr || mpv_render_context_create(&context_, core, params) < 0) {
        context_ = nullptr;
        return;
    }
    mpv_render_context_set_update_callback(context_, &FrameRenderer::OnUpdate, this);
    thread_ = std::thread(&FrameRenderer::Run, this);
}

FrameRenderer::~FrameRenderer() {
    if (context_ == nullptr) return;
    {
        std::lock_guard lock(mutex_);
        quit_ = true;
    }
    wake_.notify_one();
    thread_.join();
    mpv_render_context_set_update_callback(context_, nullptr, nullptr);
    mpv_render_context_free(context_);
}

void FrameRenderer::SetFrameReadyCallback(std::function<void()> callback) {
    std::lock_guard lock(callbackMutex_);
    callback_ = std::move(callback);
}

void FrameRenderer::OnUpdate(void* self) {
    auto* renderer = static_cast<FrameRenderer*>(self);
    {
        std::lock_guard lock(renderer->mutex_);
        renderer->updatePending_ = true;
    }
    renderer->wake_.notify_one();
}

void FrameRenderer::Clear() {
    std::lock_guard lock(mutex_);
    front_.reset();
    ++generation_;
    showing_ = false;
}

void FrameRenderer::Show() {
    {
        std::lock_guard lock(mutex_);
        showing_ = true;
        redrawPending_ = true;
    }
    wake_.notify_one();
}

bool FrameRenderer::CopyFrame(int width, int height, size_t stride, void* pixels) {
    if (context_ == nullptr || pixels == nullptr || width <= 0 || height <= 0 || width > kMaxSide ||
        height > kMaxSide || stride < static_cast<size_t>(width) * 4 || stride % 4 != 0 ||
        reinterpret_cast<uintptr_t>(pixels) % 4 != 0) {
        return false;
    }
    std::lock_guard lock(mutex_);
    if (width != targetWidth_ || height != targetHeight_) {
        targetWidth_ = width;
        targetHeight_ = height;
        redrawPending_ = true;
        wake_.notify_one();
    }
    if (!front_) return false;
    // mpv leaves the fourth byte undefined; QImage::Format_RGB32 wants it 0xff.
    auto* out = static_cast<std::byte*>(pixels);
    const Picture& picture = *front_;
    const bool sameSize = picture.width == width && picture.height == height;
    if (sameSize) {
        // The common case, once per painted frame: a straight row copy the compiler vectorises.
        for (int y = 0; y < height; ++y) {
            const auto* source = reinterpret_cast<const uint32_t*>(picture.Row(y));
            auto* target = reinterpret_cast<uint32_t*>(out + stride * static_cast<size_t>(y));
            for (int x = 0; x < width; ++x) target[x] = source[x] | kOpaque;
        }
        return true;
    }
    // Another size is stretched, nearest pixel, until the picture at this size is drawn.
    for (int y = 0; y < height; ++y) {
        const int sourceY = static_cast<int>(static_cast<int64_t>(y) * picture.height / height);
        const auto* source = reinterpret_cast<const uint32_t*>(picture.Row(sourceY));
        auto* target = reinterpret_cast<uint32_t*>(out + stride * static_cast<size_t>(y));
        for (int x = 0; x < width; ++x) {
            const int sourceX = static_cast<int>(static_cast<int64_t>(x) * picture.width / width);
            target[x] = source[sourceX] | kOpaque;
        }
    }
    return true;
}

void FrameRenderer::Run() {
    std::unique_lock lock(mutex_);
    for (;;) {
        wake_.wait(lock, [this] { return quit_ || updatePending_ || redrawPending_; });
        if (quit_) return;
        const bool redraw = redrawPending_;
        updatePending_ = false;
        redrawPending_ = false;
        const int width = targetWidth_;
        const int height = targetHeight_;
        const uint64_t generation = generation_;
        const bool showing = showing_;
        std::unique_ptr<Picture> picture = std::move(back_);
        lock.unlock();

        const bool newFrame = (mpv_render_context_update(context_) & MPV_RENDER_UPDATE_FRAME) != 0;
        bool drawn = false;
        if (newFrame || redraw) {
            int block = 0;
            if (width > 0 && height > 0) {
                try {
                    if (!picture) picture = std::make_unique<Picture>();
                    picture->Resize(width, height);
                    int size[2] = {width, height};
                    char format[] = "bgr0";
                    size_t stride = picture->stride;
                    mpv_render_param params[] = {
                        {MPV_RENDER_PARAM_SW_SIZE, size},
                        {MPV_RENDER_PARAM_SW_FORMAT, format},
                        {MPV_RENDER_PARAM_SW_STRIDE, &stride},
                        {MPV_RENDER_PARAM_SW_POINTER, picture->bytes.get()},
                        {MPV_RENDER_PARAM_BLOCK_FOR_TARGET_TIME, &block},
                        {MPV_RENDER_PARAM_INVALID, nullptr},
                    };
                    drawn = mpv_render_context_render(context_, params) >= 0;
                } catch (const std::bad_alloc&) {
                    picture.reset();
                }
            }
            if (!drawn) {
                // Nobody has asked for a size yet: let mpv move on to the next frame.
                int skip = 1;
                mpv_render_param params[] = {
                    {MPV_RENDER_PARAM_SKIP_RENDERING, &skip},
                    {MPV_RENDER_PARAM_BLOCK_FOR_TARGET_TIME, &block},
                    {MPV_RENDER_PARAM_INVALID, nullptr},
                };
                mpv_render_context_render(context_, params);
            }
        }

        lock.lock();
        if (drawn && showing && generation == generation_) {
            std::swap(front_, picture);
        }
        back_ = std::move(picture);
        if (newFrame || redraw) {
            lock.unlock();
            {
                std::lock_guard callbackLock(callbackMutex_);
                if (callback_) callback_();
            }
            lock.lock();
        }
    }
}

}  // namespace orvalen::mpv
