#include "resync/ReferenceNumbers.h"

#include <algorithm>

#include "resync/EntryText.h"
#include "subtitles/TextStream.h"

namespace orvalen {

namespace {

// Corrections settle after one nested run while the numbers are in order; the bound only
// keeps a broken order from recursing without end.
constexpr int kMaxValidationDepth = 8;

}  // namespace

ReferenceNumbers::ReferenceNumbers(const SubtitleTrack& track) : ReferenceNumbers() {
    track_ = &track;
}

ReferenceNumbers::ReferenceNumbers() : texts_{"0", "1", "2", "3"} {}

const std::string& ReferenceNumbers::EntryLabel(int field) const {
    static const std::string none;
    return track_ ? EntryText(*track_, Number(field)) : none;
}

int32_t ReferenceNumbers::Number(int field) const {
    return ReadNumber(texts_[field]);
}

ResyncQuad ReferenceNumbers::Numbers() const {
    return {Number(0), Number(1), Number(2), Number(3)};
}

void ReferenceNumbers::SetText(int field, const std::string& text) {
    if (texts_[field] == text) return;
    texts_[field] = text;
    Validate(field);
}

void ReferenceNumbers::Write(int field, int64_t value) {
    SetText(field, std::to_string(value));
}

void ReferenceNumbers::Validate(int field) {
    if (validationDepth_ >= kMaxValidationDepth) return;
    ++validationDepth_;
    int64_t v = Number(field);
    // Each test reads the other numbers afresh; the order of the tests matters.
    switch (field) {
        case 0:
            if (v < 0) v = 0;
            Write(0, Number(1) <= v ? Number(1) - int64_t{1} : v);
            break;
        case 1:
            if (Number(2) <= v) {
                Write(1, Number(2) - int64_t{1});
            } else if (Number(0) >= v) {
                Write(1, Number(0) + int64_t{1});
            } else {
                Write(1, v);
            }
            break;
        case 2:
            if (Number(3) <= v) {
                Write(2, Number(3) - int64_t{1});
            } else if (Number(1) >= v) {
                Write(2, Number(1) + int64_t{1});
            } else {
                Write(2, v);
            }
            break;
        case 3:
            v = std::min(v, LastNumber());
            Write(3, Number(2) >= v ? Number(2) + int64_t{1} : v);
            break;
    }
    labels_[field] = EntryLabel(field);
    --validationDepth_;
}

void ReferenceNumbers::Plus(int field) {
    // Moves the run's far end first so that every write is valid when its validation runs.
    const int64_t last = LastNumber();
    const int64_t v = int64_t{Number(field)} + 1;
    for (int other = FieldCount - 1; other > field; --other) {
        int64_t distance = other - field;
        if (Number(other) == v + distance - 1 && v + distance <= last) Write(other, v + distance);
    }
    Write(field, v);
}

void ReferenceNumbers::Minus(int field) {
    const int64_t v = int64_t{Number(field)} - 1;
    for (int other = 0; other < field; ++other) {
        int64_t distance = field - other;
        if (Number(other) == v - distance + 1 && v - distance >= 0) Write(other, v - distance);
    }
    Write(field, v);
}

void ReferenceNumbers::FitToTrack() {
    const int64_t last = LastNumber();
    if (last >= FieldCount - 1) {
        int64_t below = -1;
        for (int field = 0; field < FieldCount; ++field) {
            int64_t highest = last - (FieldCount - 1 - field);
            int64_t fitted = std::clamp<int64_t>(Number(field), below + 1, highest);
            // Written without validation: the fitted numbers are in order already.
            texts_[field] = std::to_string(fitted);
            below = fitted;
        }
    }
    for (int field = 0; field < FieldCount; ++field) {
        labels_[field] = EntryLabel(field);
    }
}

}  // namespace orvalen
