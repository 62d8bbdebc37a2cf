#include "media/SoundDecoder.h"

#include <sys/stat.h>

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <limits>
#include <memory>
#include <mutex>
#include <vector>

extern "C" {
#include <libavcodec/avcodec.h>
#include <libavformat/avformat.h>
#include <libavutil/channel_layout.h>
#include <libavutil/opt.h>
#include <libswresample/swresample.h>
}

namespace orvalen {

namespace {

struct FormatCloser {
    void operator()(AVFormatContext* format) const { avformat_close_input(&format); }
};
struct CodecFreer {
    void operator()(AVCodecContext* codec) const { avcodec_free_context(&codec); }
};
struct ResamplerFreer {
    void operator()(SwrContext* resampler) const { swr_free(&resampler); }
};
struct FrameFreer {
    void operator()(AVFrame* frame) const { av_frame_free(&frame); }
};
struct PacketFreer {
    void operator()(AVPacket* packet) const { av_packet_free(&packet); }
};
using FormatPtr = std::unique_ptr<AVFormatContext, FormatCloser>;
using CodecPtr = std::unique_ptr<AVCodecContext, CodecFreer>;
using ResamplerPtr = std::unique_ptr<SwrContext, ResamplerFreer>;
using FramePtr = std::unique_ptr<AVFrame, FrameFreer>;
using PacketPtr = std::unique_ptr<AVPacket, PacketFreer>;

constexpr int64_t kMicrosecondsPerMs = 1000;
constexpr size_t kSilenceBlock = 4096;

std::string AvError(int code) {
    char text[AV_ERROR_MAX_STRING_SIZE] = {};
    av_strerror(code, text, sizeof text);
    return text;
}

struct OpenedSound {
    FormatPtr Format;
    int Stream = -1;
    const AVCodec* Codec = nullptr;
    std::string Error;
};

OpenedSound OpenSound(const std::string& path) {
    // The decoders' own complaints about damaged packets are not the user's business.
    static std::once_flag quiet;
    std::call_once(quiet, [] { av_log_set_level(AV_LOG_QUIET); });

    OpenedSound sound;
    struct stat info {};
    if (::stat(path.c_str(), &info) != 0) {
        sound.Error = std::string("cannot open the film: ") + std::strerror(errno);
        return sound;
    }
    if (!S_ISREG(info.st_mode)) {
        sound.Error = "the film is not a regular file";
        return sound;
    }
    AVDictionary* options = nullptr;
    av_dict_set(&options, "protocol_whitelist", "file", 0);
    AVFormatContext* format = nullptr;
    int code = avformat_open_input(&format, ("file:" + path).c_str(), nullptr, &options);
    av_dict_free(&options);
    if (code < 0) {
        sound.Error = "the film cannot be read (" + AvError(code) + ")";
        return sound;
    }
    sound.Format.reset(format);
    code = avformat_find_stream_info(format, nullptr);
    if (code < 0) {
        sound.Error = "the film cannot be read (" + AvError(code) + ")";
        return sound;
    }
    int stream = av_find_best_stream(format, AVMEDIA_TYPE_AUDIO, -1, -1, nullptr, 0);
    if (stream < 0) {
        sound.Error = "the film has no sound";
        return sound;
    }
    sound.Codec = avcodec_find_decoder(format->streams[stream]->codecpar->codec_id);
    if (!sound.Codec) {
        sound.Error = "the film's sound cannot be decoded";
        return sound;
    }
    for (unsigned i = 0; i < format->nb_streams; ++i) {
        if (static_cast<int>(i) != stream) format->streams[i]->discard = AVDISCARD_ALL;
    }
    sound.Stream = stream;
    return sound;
}

int64_t SamplesIn(int64_t microseconds, int sampleRate) {
    return av_rescale(microseconds, sampleRate, AV_TIME_BASE);
}

// Turns decoded frames into mono samples placed on the film's time line.
class MonoOutput {
  public:
    MonoOutput(int sampleRate, int64_t firstUs, int64_t wanted, const SampleSink& sink)
        : sampleRate_(sampleRate), firstUs_(firstUs), wanted_(wanted), sink_(sink) {}
    ~MonoOutput() { av_channel_layout_uninit(&inLayout_); }
    MonoOutput(const MonoOutput&) = delete;
    MonoOutput& operator=(const MonoOutput&) = delete;

    bool Full() const { return written_ >= wanted_; }

    // False when the sink stops or the frame's samples cannot be converted.
    bool Take(const AVFrame& frame, int64_t frameUs, std::string& error) {
        if (!Prepare(frame, error)) return false;
        if (!placed_) {
            placed_ = true;
            int64_t offset =
                frameUs == AV_NOPTS_VALUE ? 0 : SamplesIn(frameUs - firstUs_, sampleRate_);
            if (offset < 0) skip_ = -offset;
            if (offset > 0 && !Silence(offset)) return false;
        }
        int capacity = swr_get_out_samples(resampler_.get(), frame.nb_samples);
        if (capacity <= 0) return true;
        buffer_.resize(static_cast<size_t>(capacity));
        auto* out = reinterpret_cast<uint8_t*>(buffer_.data());
        int made = swr_convert(resampler_.get(), &out, capacity,
                               const_cast<const uint8_t**>(frame.extended_data), frame.nb_samples);
        if (made < 0) {
            error = "the film's sound cannot be converted (" + AvError(made) + ")";
            return false;
        }
        return Emit(buffer_.data(), static_cast<size_t>(made));
    }

  private:
    bool Prepare(const AVFrame& frame, std::string& error) {
        bool same = resampler_ && frame.format == inFormat_ && frame.sample_rate == inRate_ &&
                    av_channel_layout_compare(&frame.ch_layout, &inLayout_) == 0;
        if (same) return true;
        SwrContext* resampler = nullptr;
        AVChannelLayout mono = AV_CHANNEL_LAYOUT_MONO;
        int code = swr_alloc_set_opts2(&resampler, &mono, AV_SAMPLE_FMT_S16, sampleRate_,
                                       const_cast<AVChannelLayout*>(&frame.ch_layout),
                                       static_cast<AVSampleFormat>(frame.format), frame.sample_rate,
                                       0, nullptr);
        if (code >= 0) code = swr_init(resampler);
        resampler_.reset(resampler);
        if (code < 0) {
            error = "the film's sound cannot be converted (" + AvError(code) + ")";
            return false;
        }
        inFormat_ = frame.format;
        inRate_ = frame.sample_rate;
        av_channel_layout_uninit(&inLayout_);
        av_channel_layout_copy(&inLayout_, &frame.ch_layout);
        return true;
    }

    bool Silence(int64_t count) {
        std::vector<int16_t> zeros(kSilenceBlock, 0);
        while (count > 0 && !Full()) {
            size_t block = static_cast<size_t>(std::min<int64_t>(count, kSilenceBlock));
            if (!Emit(zeros.data(), block)) return false;
            count -= static_cast<int64_t>(block);
        }
        return true;
    }

    bool Emit(const int16_t* samples, size_t count) {
        size_t dropped = static_cast<size_t>(std::min<int64_t>(skip_, count));
        skip_ -= static_cast<int64_t>(dropped);
        samples += dropped;
        count -= dropped;
        count =
            static_cast<size_t>(std::min<int64_t>(static_cast<int64_t>(count), wanted_ - written_));
        if (count == 0) return true;
        written_ += static_cast<int64_t>(count);
        return sink_(samples, count);
    }

    int sampleRate_;
    int64_t firstUs_;
    int64_t wanted_;
    const SampleSink& sink_;
    ResamplerPtr resampler_;
    int inFormat_ = -1;
    int inRate_ = 0;
    AVChannelLayout inLayout_{};
    bool placed_ = false;
    int64_t skip_ = 0;
    int64_t written_ = 0;
    std::vector<int16_t> buffer_;
};

}  // namespace

SoundProbe ProbeSound(const std::string& path) {
    SoundProbe probe;
    OpenedSound sound = OpenSound(path);
    if (!sound.Error.empty()) {
        probe.Error = sound.Error;
        return probe;
    }
    const AVFormatContext& format = *sound.Format;
    const AVStream& stream = *format.streams[sound.Stream];
    if (format.duration != AV_NOPTS_VALUE && format.duration > 0) {
        probe.DurationMs = format.duration / kMicrosecondsPerMs;
    } else if (stream.duration != AV_NOPTS_VALUE && stream.duration > 0) {
        probe.DurationMs = av_rescale_q(stream.duration, stream.time_base, AVRational{1, 1000});
    }
    return probe;
}

std::string DecodeSound(const std::string& path, int sampleRate, int64_t fromMs, int64_t toMs,
                        const SampleSink& sink, const std::atomic<bool>& stop) {
    OpenedSound sound = OpenSound(path);
    if (!sound.Error.empty()) return sound.Error;
    AVFormatContext* format = sound.Format.get();
    AVStream* stream = format->streams[sound.Stream];
    CodecPtr codec(avcodec_alloc_context3(sound.Codec));
    if (!codec) return "out of memory";
    int code = avcodec_parameters_to_context(codec.get(), stream->codecpar);
    if (code >= 0) {
        // The caller decodes several stretches at once, one thread each.
        codec->thread_count = 1;
        codec->pkt_timebase = stream->time_base;
        // Decoders that can mix down (AC-3, E-AC-3) do it before their inverse transform, which
        // then runs once instead of once per channel: half the time of a 5.1 film.
        AVDictionary* options = nullptr;
        av_dict_set(&options, "downmix", "mono", 0);
        code = avcodec_open2(codec.get(), sound.Codec, &options);
        av_dict_free(&options);
    }
    if (code < 0) return "the film's sound cannot be decoded (" + AvError(code) + ")";

    int64_t originUs = format->start_time == AV_NOPTS_VALUE ? 0 : format->start_time;
    int64_t firstUs = originUs + fromMs * kMicrosecondsPerMs;
    if (fromMs > 0) av_seek_frame(format, -1, firstUs, AVSEEK_FLAG_BACKWARD);
    int64_t wanted = toMs >= std::numeric_limits<int64_t>::max() / sampleRate
                         ? std::numeric_limits<int64_t>::max()
                         : (toMs - fromMs) * sampleRate / 1000;

    MonoOutput output(sampleRate, firstUs, wanted, sink);
    PacketPtr packet(av_packet_alloc());
    FramePtr frame(av_frame_alloc());
    if (!packet || !frame) return "out of memory";
    std::string error;
    bool draining = false;
    while (!stop.load(std::memory_order_relaxed) && !output.Full()) {
        if (!draining) {
            code = av_read_frame(format, packet.get());
            if (code < 0) {
                draining = true;
                avcodec_send_packet(codec.get(), nullptr);
            } else if (packet->stream_index != sound.Stream) {
                av_packet_unref(packet.get());
                continue;
            } else {
                code = avcodec_send_packet(codec.get(), packet.get());
                av_packet_unref(packet.get());
                // A damaged packet loses its few milliseconds, not the film.
                if (code < 0 && code != AVERROR(EAGAIN)) continue;
            }
        }
        while ((code = avcodec_receive_frame(codec.get(), frame.get())) >= 0) {
            int64_t frameUs =
                frame->best_effort_timestamp == AV_NOPTS_VALUE
                    ? AV_NOPTS_VALUE
                    : av_rescale_q(frame->best_effort_timestamp, stream->time_base, AV_TIME_BASE_Q);
            bool going = output.Take(*frame, frameUs, error);
            av_frame_unref(frame.get());
            if (!going) return error;
            if (output.Full()) break;
        }
        if (draining) break;
    }
    return {};
}

}  // namespace orvalen
