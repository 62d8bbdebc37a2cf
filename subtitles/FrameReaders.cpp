#include "subtitles/FrameReaders.h"

#include <string>

namespace orvalen {

void ReadMicroDvd(SubtitleTrack& track, TextStream& stream, int32_t frameRate) {
    ResetTrack(track);
    int32_t start = 0;
    int32_t end = 0;
    std::string line;
    while (HasRoom(track) && stream.Scan("{%d}{%d}", start, end).Converted >= 2) {
        track.StartMs[track.Cursor] = FrameTime(start, frameRate);
        track.EndMs[track.Cursor] = FrameTime(end, frameRate);
        stream.ReadLine(line);
        ReplaceFirst(line, '|', '\r');
        track.Texts[track.Cursor] = line;
        NextEntry(track);
    }
    track.Cursor = 0;
}

void ReadMPlayer(SubtitleTrack& track, TextStream& stream, int32_t frameRate) {
    ResetTrack(track);
    int32_t start = 0;
    int32_t end = 0;
    int32_t unused = 0;
    std::string line;
    while (HasRoom(track) && stream.Scan("%d,%d,%d,", start, end, unused).Converted >= 3) {
        track.StartMs[track.Cursor] = FrameTime(start, frameRate);
        track.EndMs[track.Cursor] = FrameTime(end, frameRate);
        stream.ReadLine(line);
        ReplaceFirst(line, '|', '\n');
        track.Texts[track.Cursor] = line;
        NextEntry(track);
    }
    track.Cursor = 0;
}

void ReadMacSub(SubtitleTrack& track, TextStream& stream, int32_t frameRate) {
    ResetTrack(track);
    int32_t start = 0;
    int32_t end = 0;
    std::string text;
    std::string line;
    while (HasRoom(track)) {
        ScanResult marker = stream.Scan("/%d\n", start);
        // A start marker that is the last thing in the file opens no subtitle.
        if (marker.Converted < 1 || marker.ReachedEnd) break;
        track.StartMs[track.Cursor] = FrameTime(start, frameRate);
        stream.ReadLine(text);
        stream.ReadLine(line);
        if (line.empty() || line[0] != '/') {
            text += line;
            stream.ReadLine(line);
        }
        track.Texts[track.Cursor] = text;
        // An end marker that does not match reuses the previous end.
        ScanText(line, "/%d", end);
        track.EndMs[track.Cursor] = FrameTime(end, frameRate);
        NextEntry(track);
    }
    track.Cursor = 0;
}

}  // namespace orvalen
