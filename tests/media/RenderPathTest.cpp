#include "media/RenderPath.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "app/startup/CommandLineOptions.h"

namespace orvalen {
namespace {

TEST(RenderPathTest, TheChoiceFollowsTheForcedPathAndTheRenderer) {
    constexpr auto kGpu = RenderPath::Gpu;
    constexpr auto kSoftware = RenderPath::Software;
    struct Case {
        std::optional<RenderPath> forced;
        bool contextMade;
        const char* renderer;
        RenderPath chosen;
    } cases[] = {
        {std::nullopt, true, "AMD Radeon RX 6600 (radeonsi, navi23, LLVM 15.0.6)", kGpu},
        {std::nullopt, true, "llvmpipe (LLVM 15.0.6, 256 bits)", kSoftware},
        {std::nullopt, true, "Gallium 0.4 on SoftPipe", kSoftware},
        {std::nullopt, true, "Software Rasterizer (swrast)", kSoftware},
        {std::nullopt, false, "", kSoftware},
        {kGpu, true, "llvmpipe (LLVM 15.0.6, 256 bits)", kGpu},
        {kGpu, false, "", kSoftware},
        {kSoftware, true, "NVIDIA GeForce RTX 3060/PCIe/SSE2", kSoftware},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(ChooseRenderPath(c.forced, {c.contextMade, c.renderer}), c.chosen)
            << c.renderer << " forced " << c.forced.has_value();
    }
}

TEST(RenderPathTest, TheRenderOptionIsTakenOutOfTheArgumentsBeforeTheEnvironment) {
    struct Case {
        std::vector<std::string> arguments;
        const char* environment;
        std::optional<RenderPath> forced;
        std::vector<std::string> left;
        bool problem;
    } cases[] = {
        {{"orvalen", "--render=gpu", "film.avi"},
         "software",
         RenderPath::Gpu,
         {"orvalen", "film.avi"},
         false},
        {{"orvalen", "film.avi"}, "SOFTWARE", RenderPath::Software, {"orvalen", "film.avi"}, false},
        {{"orvalen", "film.avi"}, nullptr, std::nullopt, {"orvalen", "film.avi"}, false},
        {{"orvalen", "--render=vulkan"}, "gpu", std::nullopt, {"orvalen"}, true},
        {{"orvalen"}, "", std::nullopt, {"orvalen"}, false},
    };
    for (Case& c : cases) {
        std::vector<char*> argv;
        for (std::string& argument : c.arguments) argv.push_back(argument.data());
        argv.push_back(nullptr);
        int argc = static_cast<int>(c.arguments.size());
        std::string problem;
        EXPECT_EQ(TakeRenderOption(argc, argv.data(), c.environment, &problem), c.forced);
        EXPECT_EQ(std::vector<std::string>(argv.begin(), argv.begin() + argc), c.left);
        EXPECT_EQ(argv[argc], nullptr);
        EXPECT_EQ(!problem.empty(), c.problem) << problem;
    }
}

}  // namespace
}  // namespace orvalen
