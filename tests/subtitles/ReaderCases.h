#pragma once
// The reader test table shared by the reader test files: a file's bytes and the entries a load
// must give. The fixture lives outside an anonymous namespace so that every file of the test
// program instantiates the same ReaderTest.
#include <gtest/gtest.h>

#include <ostream>
#include <string>
#include <vector>

#include "subtitles/Parser.h"

namespace orvalen::testing {

struct Entry {
    int32_t start;
    int32_t end;
    std::string text;
    bool operator==(const Entry&) const = default;
};

inline void PrintTo(const Entry& e, std::ostream* os) {
    *os << "{" << e.start << ", " << e.end << ", \"";
    for (char c : e.text) {
        if (c == '\n')
            *os << "\\n";
        else if (c == '\r')
            *os << "\\r";
        else
            *os << c;
    }
    *os << "\"}";
}

struct ReaderCase {
    const char* name;
    const char* fileName;
    std::string content;
    int32_t frameRate;
    SubtitleReaderId reader;
    std::vector<Entry> entries;
};

inline void PrintTo(const ReaderCase& c, std::ostream* os) {
    *os << c.name;
}

class ReaderTest : public ::testing::TestWithParam<ReaderCase> {};

}  // namespace orvalen::testing
