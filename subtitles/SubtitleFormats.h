#pragma once

#include <array>
#include <cstddef>
#include <string>
#include <string_view>

#include "subtitles/FileFilter.h"

namespace orvalen {

// The searched subtitle formats, in the fixed order of the search patterns and of the file
// filter: sub to rt as they always were, then Advanced SubStation Alpha and WebVTT.
enum class SubtitleFormat {
    Sub,
    Smi,
    Srt,
    Ssa,
    Dks,
    Tts,
    Jss,
    Vsf,
    Zeg,
    Jps,
    Scr,
    Psb,
    Txt,
    Mpl,
    Rt,
    Ass,
    Vtt
};

// One searched format. The layouts a file of the format may hold are the reader rows that
// name it (ReaderTable.cpp); a format without any is searched but not read.
struct SubtitleFormatRow {
    SubtitleFormat Id;
    std::string_view Extension;  // without its dot: "sub"; also the format's key in Config.ini
    std::string_view Caption;    // its row in the configuration dialog
    size_t StoredAt;             // where its key stands among the Config.ini keys
};

// Every format, one row each, in the order of SubtitleFormat.
inline constexpr auto SubtitleFormatTable = std::to_array<SubtitleFormatRow>({
    {.Id = SubtitleFormat::Sub, .Extension = "sub", .Caption = "Files .sub", .StoredAt = 0},
    {.Id = SubtitleFormat::Smi, .Extension = "smi", .Caption = "SAMI files (.smi)", .StoredAt = 8},
    {.Id = SubtitleFormat::Srt,
     .Extension = "srt",
     .Caption = "SubRip files (.srt)",
     .StoredAt = 1},
    {.Id = SubtitleFormat::Ssa,
     .Extension = "ssa",
     .Caption = "SubStation Alpha files (.ssa)",
     .StoredAt = 9},
    {.Id = SubtitleFormat::Dks,
     .Extension = "dks",
     .Caption = "DKS Subtitle files (.dks)",
     .StoredAt = 2},
    {.Id = SubtitleFormat::Tts,
     .Extension = "tts",
     .Caption = "TurboTitler files (.tts)",
     .StoredAt = 10},
    {.Id = SubtitleFormat::Jss,
     .Extension = "jss",
     .Caption = "Jaco Sub files (.jss)",
     .StoredAt = 3},
    {.Id = SubtitleFormat::Vsf,
     .Extension = "vsf",
     .Caption = "Viplay files (.vsf)",
     .StoredAt = 11},
    {.Id = SubtitleFormat::Zeg,
     .Extension = "zeg",
     .Caption = "ZeRog files (.zeg)",
     .StoredAt = 12},
    {.Id = SubtitleFormat::Jps,
     .Extension = "jps",
     .Caption = "Phoenix Japanimati files (.jps)",
     .StoredAt = 5},
    {.Id = SubtitleFormat::Scr,
     .Extension = "scr",
     .Caption = "MacSub files (.scr)",
     .StoredAt = 13},
    {.Id = SubtitleFormat::Psb,
     .Extension = "psb",
     .Caption = "PowerDivX files (.psb)",
     .StoredAt = 6},
    {.Id = SubtitleFormat::Txt,
     .Extension = "txt",
     .Caption = "TMPlayer and IAuthorScript files (.txt)",
     .StoredAt = 14},
    {.Id = SubtitleFormat::Mpl,
     .Extension = "mpl",
     .Caption = "MPlayer 1 et 2 files (.mpl)",
     .StoredAt = 4},
    {.Id = SubtitleFormat::Rt, .Extension = "rt", .Caption = "RealTime files (.rt)", .StoredAt = 7},
    {.Id = SubtitleFormat::Ass,
     .Extension = "ass",
     .Caption = "Advanced SSA files (.ass)",
     .StoredAt = 15},
    {.Id = SubtitleFormat::Vtt,
     .Extension = "vtt",
     .Caption = "WebVTT files (.vtt)",
     .StoredAt = 16},
});

constexpr size_t SubtitleFormatCount = SubtitleFormatTable.size();

// One flag per format, indexed by SubtitleFormat.
using SubtitleFormatFlags = std::array<bool, SubtitleFormatCount>;

// The format's row.
const SubtitleFormatRow& FormatRow(SubtitleFormat format);

// The extension without its dot ("sub"), which is also the format's key in Config.ini.
std::string_view FormatExtension(SubtitleFormat format);

// All formats in the fixed search order.
const std::array<SubtitleFormat, SubtitleFormatCount>& SearchOrder();

// The order in which the format keys are stored in Config.ini (differs from the search order).
const std::array<SubtitleFormat, SubtitleFormatCount>& ConfigKeyOrder();

// "Subtitles Files" with "*.ext" for every enabled format, in search order.
FileFilters SubtitleFileFilter(const SubtitleFormatFlags& enabled);

}  // namespace orvalen
