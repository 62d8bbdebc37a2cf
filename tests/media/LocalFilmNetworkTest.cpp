#include <arpa/inet.h>
#include <netinet/in.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <string>

#include <gtest/gtest.h>

#include "media/MpvCore.h"

namespace orvalen::mpv {
namespace {

// A TCP listener on a free loopback port.
class LoopbackListener {
  public:
    LoopbackListener() : socket_(::socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, 0)) {
        sockaddr_in address{};
        address.sin_family = AF_INET;
        address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
        socklen_t length = sizeof address;
        if (::bind(socket_, reinterpret_cast<sockaddr*>(&address), length) == 0 &&
            ::listen(socket_, 4) == 0 &&
            ::getsockname(socket_, reinterpret_cast<sockaddr*>(&address), &length) == 0) {
            port_ = ntohs(address.sin_port);
        }
    }
    ~LoopbackListener() { ::close(socket_); }
    int Port() const { return port_; }
    bool ConnectionWithin(int ms) const {
        pollfd waiting{socket_, POLLIN, 0};
        return ::poll(&waiting, 1, ms) > 0;
    }

  private:
    int socket_;
    int port_ = 0;
};

// Each "film" names http://127.0.0.1:PORT/x.avi where %s stands.
class LocalFilmNetworkTest : public ::testing::TestWithParam<const char*> {};

TEST_P(LocalFilmNetworkTest, NeverConnectsToWhatTheFileNames) {
    LoopbackListener listener;
    ASSERT_NE(listener.Port(), 0);
    const std::string url = "http://127.0.0.1:" + std::to_string(listener.Port()) + "/x.avi";
    char text[512];
    std::snprintf(text, sizeof text, GetParam(), url.c_str());
    const std::filesystem::path film = std::filesystem::temp_directory_path() /
                                       ("orvalen-network-" + std::to_string(::getpid()) + ".avi");
    std::ofstream(film) << text;

    mpv_handle* core = CreateCore(VideoOutput::None);
    ASSERT_NE(core, nullptr);
    EXPECT_NE(LoadFile(core, film.string(), std::chrono::seconds(10), [](const mpv_event&) {}),
              LoadResult::Loaded);
    EXPECT_FALSE(listener.ConnectionWithin(1000)) << text;
    mpv_terminate_destroy(core);
    std::filesystem::remove(film);
}

INSTANTIATE_TEST_SUITE_P(
    PlaylistsAndManifests, LocalFilmNetworkTest,
    ::testing::Values("#EXTM3U\n%s\n",
                      "#EXTM3U\n#EXT-X-TARGETDURATION:10\n#EXTINF:10,\n%s\n#EXT-X-ENDLIST\n",
                      "[playlist]\nFile1=%s\nNumberOfEntries=1\n",
                      "ffconcat version 1.0\nfile '%s'\n"));

}  // namespace
}  // namespace orvalen::mpv
