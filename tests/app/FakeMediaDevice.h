#pragma once

#include <cstring>
#include <functional>
#include <string>
#include <vector>

#include "media/MediaDevice.h"

namespace orvalen::testing {

// A device whose position and answers the test sets; it records what the window asked.
// The window owns the device, so tests keep a pointer to its shared record.
struct FakeDeviceState {
    bool openSucceeds = true;
    std::string openError = "unrecognized file format";  // why an open that fails failed
    bool atEnd = false;  // played to its end and standing there, until the next seek
    bool open = false;
    std::string openedPath;
    int32_t position = 0;  // what Position() answers; -1 for a failed query
    int32_t length = 60000;
    std::string mode = "not ready";
    int32_t videoWidth = 320;
    int32_t videoHeight = 240;
    bool hasVideo = true;
    bool muted = false;
    double speed = 0;
    int32_t frameRate = 25000;
    int playCalls = 0;
    int pauseCalls = 0;
    int closeCalls = 0;
    int shutdownCalls = 0;
    std::vector<int32_t> seeks;
    uint32_t frameColor = 0xff3366cc;  // what RenderFrame paints, as QRgb
    std::function<void()> frameReady;
};

class FakeMediaDevice : public MediaDevice {
  public:
    explicit FakeMediaDevice(FakeDeviceState& state) : state_(state) {}

    bool Open(const std::string& path) override {
        if (!state_.openSucceeds) return false;
        state_.atEnd = false;
        state_.open = true;
        state_.openedPath = path;
        state_.mode = "paused";
        return true;
    }
    bool Close() override {
        ++state_.closeCalls;
        state_.open = false;
        state_.mode = "not ready";
        return true;
    }
    bool Play(double speed) override {
        if (!state_.open) return false;
        ++state_.playCalls;
        state_.speed = speed;
        state_.mode = "playing";
        return true;
    }
    bool Pause() override {
        ++state_.pauseCalls;
        state_.mode = "paused";
        return state_.open;
    }
    bool StopAndRewind() override {
        state_.position = 0;
        state_.atEnd = false;
        state_.mode = "stopped";
        return state_.open;
    }
    bool Seek(int32_t ms) override {
        state_.seeks.push_back(ms);
        state_.position = ms;
        state_.atEnd = false;
        return state_.open;
    }
    std::string OpenError() const override { return state_.openError; }
    bool AtEnd() override { return state_.open && state_.atEnd; }
    int32_t Position() override { return state_.position; }
    int32_t Length() override { return state_.open ? state_.length : -1; }
    std::string Mode() override { return state_.mode; }
    bool VideoSize(int32_t& width, int32_t& height) override {
        if (!state_.open || !state_.hasVideo) return false;
        width = state_.videoWidth;
        height = state_.videoHeight;
        return true;
    }
    bool SetMute(bool muted) override {
        state_.muted = muted;
        return state_.open;
    }
    int32_t FrameRate(const std::string&) override { return state_.frameRate; }
    void SetFrameReadyCallback(std::function<void()> callback) override {
        state_.frameReady = std::move(callback);
    }
    bool RenderFrame(int width, int height, size_t stride, void* pixels) override {
        if (!state_.open || !state_.hasVideo) return false;
        auto* bytes = static_cast<unsigned char*>(pixels);
        for (int y = 0; y < height; ++y) {
            auto* row = reinterpret_cast<uint32_t*>(bytes + static_cast<size_t>(y) * stride);
            for (int x = 0; x < width; ++x) row[x] = state_.frameColor;
        }
        return true;
    }
    void Shutdown() override {
        ++state_.shutdownCalls;
        state_.frameReady = nullptr;
    }

  private:
    FakeDeviceState& state_;
};

}  // namespace orvalen::testing
