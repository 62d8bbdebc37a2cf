#include "subtitles/FrameReaders.h"

#include <string>

namespace orvalen {

void ReadMicroDvd(EntryAppender& entries, TextStream& stream, int32_t frameRate) {
    int32_t start = 0;
    int32_t end = 0;
    std::string line;
    while (stream.Scan("{%d}{%d}", start, end).Converted >= 2) {
        stream.ReadLine(line);
        ReplaceFirst(line, '|', '\r');
        entries.Append(FrameTime(start, frameRate), FrameTime(end, frameRate), line);
    }
}

void ReadMPlayer(EntryAppender& entries, TextStream& stream, int32_t frameRate) {
    int32_t start = 0;
    int32_t end = 0;
    int32_t unused = 0;
    std::string line;
    while (stream.Scan("%d,%d,%d,", start, end, unused).Converted >= 3) {
        stream.ReadLine(line);
        ReplaceFirst(line, '|', '\n');
        entries.Append(FrameTime(start, frameRate), FrameTime(end, frameRate), line);
    }
}

void ReadMacSub(EntryAppender& entries, TextStream& stream, int32_t frameRate) {
    int32_t start = 0;
    int32_t end = 0;
    std::string text;
    std::string line;
    while (true) {
        ScanResult marker = stream.Scan("/%d\n", start);
        // A start marker that is the last thing in the file opens no subtitle.
        if (marker.Converted < 1 || marker.ReachedEnd) break;
        stream.ReadLine(text);
        stream.ReadLine(line);
        if (line.empty() || line[0] != '/') {
            text += line;
            stream.ReadLine(line);
        }
        // An end marker that does not match reuses the previous end.
        ScanText(line, "/%d", end);
        entries.Append(FrameTime(start, frameRate), FrameTime(end, frameRate), text);
    }
}

}  // namespace orvalen
