// SPDX-License-Identifier: GPL-3.0-or-later
#include "ilda/IldaFileWriter.h"

#include "model/NearestColor.h"

#include <algorithm>
#include <cstring>
#include <functional>
#include <numeric>
#include <vector>

namespace quorvel {

FrameHeader closingHeader(const FrameHeader& last, int totalFrames) {
    FrameHeader h = last;
    h.setSignature("ILDA");  // what readers that follow the ILDA standard look for
    h.setFrameName("FILE");
    h.setCompanyName("COMPANY");
    h.setPointCount(0);
    h.setFrameNumber(totalFrames + 1);
    h.setTotalFrames(totalFrames);
    return h;
}

namespace detail {

// Point records of any format as 3-D indexed points in the ILDA palette.
class SdCardPoints {
public:
    explicit SdCardPoints(const SdCardColors& c) : nearest_(c.ilda, 256) {
        std::iota(indexOf_.begin(), indexOf_.end(), 0);
        if (!c.inUseIsIlda) std::ranges::transform(c.inUse.color, indexOf_.begin(), std::ref(nearest_));
    }
    const std::vector<Point3D>& convert(int formatCode, const char* bytes, int count) {
        out_.resize(size_t(count));
        for (int k = 0; k < count; ++k) {
            Point3D& q = out_[size_t(k)];
            q = {};
            const auto take = [&](const auto& p) {
                q.xHi = p.xHi, q.xLo = p.xLo, q.yHi = p.yHi, q.yLo = p.yLo, q.status = p.status;
                if constexpr (requires { p.colorIndex; })
                    q.colorIndex = indexOf_[p.colorIndex];
                else
                    q.colorIndex = nearest_(rgb(p.red, p.green, p.blue));
            };
            if (formatCode == 0) take(reinterpret_cast<const Point3D*>(bytes)[k]);
            if (formatCode == 1) take(reinterpret_cast<const Point2D*>(bytes)[k]);
            if (formatCode == 5) take(reinterpret_cast<const PointTrue2D*>(bytes)[k]);
        }
        return out_;
    }

private:
    RememberedPaletteColor nearest_;
    decltype(Palette::red) indexOf_{};  // an ILDA index for each index of the palette in use
    std::vector<Point3D> out_;
};

}  // namespace detail

using detail::SdCardPoints;

int IldaFileWriter::recordSizeOf(int formatCode) {
    // Only point frames have a place in the file: not palettes, nor a 3-D true-colour slot,
    // which Open never makes.
    return formatCode == 2 || formatCode == 4 ? 0 : recordSize(formatCode);
}

int64_t IldaFileWriter::pointBytes(const FrameHeader& h) {
    return int64_t(std::min(h.pointCount(), MaxPoints)) * recordSizeOf(h.formatCode);
}

IldaFileWriter::IldaFileWriter(const std::string& path, int totalFrames, const SdCardColors* sdCard)
    : out_(path), totalFrames_(totalFrames) {
    if (sdCard) sd_ = std::make_unique<SdCardPoints>(*sdCard);
}

IldaFileWriter::~IldaFileWriter() = default;

bool IldaFileWriter::put(int frame, const FrameHeader& stored, const void* records, int64_t available) {
    FrameHeader h = stored;
    h.setSignature("ILDA");
    h.setTotalFrames(totalFrames_);
    h.setFrameNumber(frame);
    last_ = h;
    const int size = recordSizeOf(h.formatCode);
    if (size == 0) return true;
    const int64_t bytes = pointBytes(h);
    const char* points = static_cast<const char*>(records);
    if (available < bytes) {  // points the slot does not hold are zeros
        padded_.assign(size_t(bytes), 0);
        if (available > 0) std::memcpy(padded_.data(), points, size_t(available));
        points = padded_.data();
    }
    if (sd_) {
        const std::vector<Point3D>& p3 = sd_->convert(h.formatCode, points, int(bytes / size));
        h.formatCode = 0;
        h.reserved[0] = h.reserved[1] = h.reserved[2] = 0;
        last_ = h;  // the closing header is format 0 as well
        out_.write(&h, sizeof h);
        out_.write(p3.data(), int64_t(p3.size() * sizeof(Point3D)));
        return true;
    }
    out_.write(&h, sizeof h);
    out_.write(points, bytes);
    return true;
}

WriteResult IldaFileWriter::commit() {
    const FrameHeader end = closingHeader(last_, totalFrames_);
    out_.write(&end, sizeof end);
    return out_.commit();
}

}  // namespace quorvel
