#include <cstdio>
#include <cstring>
#include <string>

#include "cli/Commands.h"
#include "media/MediaControl.h"
#include "media/MpvDevice.h"

namespace orvalen::cli {

namespace {

constexpr const char* kUsage =
    "usage: orvalen-sub probe FILM\n"
    "\n"
    "Opens FILM as the player does, without showing it, and prints its length in\n"
    "milliseconds, its picture size and its frame rate in thousandths of frames per\n"
    "second (0 when unknown): the rate frame-numbered subtitles are read with.\n"
    "Exit status: 0 done, 1 the film will not open, 2 usage error.\n";

}  // namespace

int RunProbe(int argc, char** argv) {
    if (argc == 1 && (std::strcmp(argv[0], "--help") == 0 || std::strcmp(argv[0], "-h") == 0)) {
        std::fputs(kUsage, stdout);
        return 0;
    }
    if (argc != 1 || argv[0][0] == '\0' || (argv[0][0] == '-' && argv[0][1] != '\0')) {
        std::fputs(kUsage, stderr);
        return 2;
    }
    const std::string path = argv[0];

    MpvDevice device(mpv::VideoOutput::None);
    if (!device.Usable()) {
        std::fprintf(stderr, "orvalen-sub probe: libmpv could not be started\n");
        return 1;
    }
    MediaControl control(device);
    if (!control.OpenMovie(path)) {
        std::fprintf(stderr, "orvalen-sub probe: cannot open '%s' as a film\n", path.c_str());
        return 1;
    }
    int32_t width = 0;
    int32_t height = 0;
    control.GetVideoSize(width, height);
    std::printf("length: %d\n", static_cast<int>(control.GetLength()));
    std::printf("size: %d * %d\n", static_cast<int>(width), static_cast<int>(height));
    std::printf("framerate: %d\n", static_cast<int>(control.GetFrameRate(path)));
    control.CloseAllDevices();
    return 0;
}

}  // namespace orvalen::cli
