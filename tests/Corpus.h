#pragma once

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <string_view>

namespace orvalen::testing {

// The shared corpus lives beside the checkout; CI (CI=true) always has it.
inline bool CorpusRequired() {
    const char* ci = std::getenv("CI");
    return ci && std::string_view(ci) == "true";
}

}  // namespace orvalen::testing

// Skips the test when the corpus file is missing, or fails it in CI, where a missing corpus
// means the tests did not run what they claim.
#define SKIP_WITHOUT_CORPUS(path)                                                       \
    if (!std::filesystem::exists(path)) {                                               \
        if (::orvalen::testing::CorpusRequired()) FAIL() << "corpus missing: " << path; \
        GTEST_SKIP() << "corpus not present: " << path;                                 \
    }
