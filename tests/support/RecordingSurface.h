// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// A Surface that keeps the list of what was drawn, for checking exact geometry and order.
#include "view/Surface.h"

#include <string>
#include <vector>

namespace quorvel::test {

struct DrawOp {
    enum Kind { Clear, Line, Circle, Box, FilledBox, Pixel } kind;
    int a = 0, b = 0, c = 0, d = 0;
    Rgb color = 0;
    bool operator==(const DrawOp&) const = default;
};

class RecordingSurface : public Surface {
public:
    void clear() override { ops.push_back({DrawOp::Clear}); }
    void line(int x0, int y0, int x1, int y1, Rgb c) override { ops.push_back({DrawOp::Line, x0, y0, x1, y1, c}); }
    void circle(int cx, int cy, int r, Rgb c) override { ops.push_back({DrawOp::Circle, cx, cy, r, 0, c}); }
    void box(int x0, int y0, int x1, int y1, Rgb c, bool filled) override {
        ops.push_back({filled ? DrawOp::FilledBox : DrawOp::Box, x0, y0, x1, y1, c});
    }
    void pixel(int x, int y, Rgb c) override { ops.push_back({DrawOp::Pixel, x, y, 0, 0, c}); }

    std::vector<DrawOp> without(DrawOp::Kind kind) const {
        std::vector<DrawOp> out;
        for (const auto& op : ops)
            if (op.kind != kind) out.push_back(op);
        return out;
    }
    std::vector<DrawOp> ops;
};

}  // namespace quorvel::test
