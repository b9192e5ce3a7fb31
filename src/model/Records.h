// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Byte-exact ILDA records. They move between ILDA files, the frame buffer file and memory
// unchanged, so every field is a byte and 16-bit values stay split into high and low byte.
#include <array>
#include <cstdint>
#include <cstring>
#include <span>
#include <string_view>

namespace quorvel {

constexpr int MaxPoints = 20000;

struct FrameHeader {
    uint8_t signature[4];
    uint8_t reserved[3];
    uint8_t formatCode;
    uint8_t frameName[8];
    uint8_t companyName[8];
    uint8_t pointCountHi, pointCountLo;
    uint8_t frameNumberHi, frameNumberLo;
    uint8_t totalFramesHi, totalFramesLo;
    uint8_t scannerHead;
    uint8_t future;

    int pointCount() const { return pointCountHi * 256 + pointCountLo; }
    int frameNumber() const { return frameNumberHi * 256 + frameNumberLo; }
    int totalFrames() const { return totalFramesHi * 256 + totalFramesLo; }
    void setPointCount(int v) { split(v, pointCountHi, pointCountLo); }
    void setFrameNumber(int v) { split(v, frameNumberHi, frameNumberLo); }
    void setTotalFrames(int v) { split(v, totalFramesHi, totalFramesLo); }
    bool hasIldaSignature() const { return std::memcmp(signature, "ILDA", 4) == 0; }
    void setSignature(std::string_view text) { setText(signature, 4, text); }
    void setFrameName(std::string_view text) { setText(frameName, 8, text); }
    void setCompanyName(std::string_view text) { setText(companyName, 8, text); }
    // The name and company up to their first zero byte: the editor's own frames are all zeros there.
    std::string_view frameNameText() const { return text(frameName); }
    std::string_view companyNameText() const { return text(companyName); }

    static void split(int v, uint8_t& hi, uint8_t& lo) {
        hi = static_cast<uint8_t>((v / 256) & 0xFF);
        lo = static_cast<uint8_t>(v % 256);
    }
    static std::string_view text(const uint8_t (&field)[8]) {
        const char* chars = reinterpret_cast<const char*>(field);
        return {chars, ::strnlen(chars, sizeof field)};
    }
    // Fixed-length text: left-aligned, filled with blanks, cut when too long.
    static void setText(uint8_t* field, int width, std::string_view text) {
        for (int i = 0; i < width; ++i)
            field[i] = i < static_cast<int>(text.size()) ? static_cast<uint8_t>(text[i]) : ' ';
    }
};

// A header of nothing: "ILDA", the format code, blank name and company, every number 0.
inline FrameHeader blankHeader(uint8_t formatCode) {
    FrameHeader h{};
    h.setSignature("ILDA");
    h.formatCode = formatCode;
    h.setFrameName("");
    h.setCompanyName("");
    return h;
}

struct Point3D {  // format 0
    uint8_t xHi, xLo, yHi, yLo, zHi, zLo, status, colorIndex;
};
struct Point2D {  // format 1
    uint8_t xHi, xLo, yHi, yLo, status, colorIndex;
};
struct PointTrue2D {  // format 5
    uint8_t xHi, xLo, yHi, yLo, status, blue, green, red;
};

static_assert(sizeof(FrameHeader) == 32);
static_assert(sizeof(Point3D) == 8);
static_assert(sizeof(Point2D) == 6);
static_assert(sizeof(PointTrue2D) == 8);

namespace StatusBit {
constexpr uint8_t Blanked = 64;
constexpr uint8_t LastPoint = 128;
}  // namespace StatusBit

// The format code that goes with each point record.
template <class P> constexpr uint8_t formatOf();
template <> constexpr uint8_t formatOf<Point3D>() { return 0; }
template <> constexpr uint8_t formatOf<Point2D>() { return 1; }
template <> constexpr uint8_t formatOf<PointTrue2D>() { return 5; }

// One frame in memory: header, the count that editing code uses, and a fixed point array.
// Records past pointCount keep whatever they last held.
template <class P> struct FrameRecord {
    using Point = P;
    FrameHeader header{};
    int32_t pointCount = 0;
    std::array<P, MaxPoints> points{};
    // The points in use.
    std::span<const P> used() const { return {points.data(), size_t(pointCount)}; }
};

using Frame0 = FrameRecord<Point3D>;
using Frame1 = FrameRecord<Point2D>;
using Frame5 = FrameRecord<PointTrue2D>;

// Size of one point record of an ILDA format code, 0 for codes without point records here.
constexpr int recordSize(int formatCode) {
    switch (formatCode) {
    case 0: return 8;
    case 1: return 6;
    case 2: return 3;
    case 4: return 10;
    case 5: return 8;
    default: return 0;
    }
}

}  // namespace quorvel
