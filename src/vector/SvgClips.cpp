// SPDX-License-Identifier: GPL-3.0-or-later
#include "vector/SvgClips.h"

#include <QRectF>
#include <QRegularExpression>
#include <QXmlStreamReader>
#include <cmath>
#include <map>

namespace quorvel {

namespace {

QString clipReference(const QString& clipAttribute, const QString& style) {
    static const QRegularExpression inStyle(QStringLiteral(R"(clip-path\s*:\s*([^;]+))"));
    QString value = clipAttribute.trimmed();
    if (value.isEmpty())
        if (const QRegularExpressionMatch m = inStyle.match(style); m.hasMatch()) value = m.captured(1).trimmed();
    return value == QLatin1String("none") ? QString() : value;
}

// The id in "url(#id)"; empty when the value names none.
QString referencedId(const QString& value) {
    static const QRegularExpression url(QStringLiteral(R"(^url\(\s*['"]?#([^'")\s]+))"));
    const QRegularExpressionMatch m = url.match(value);
    return m.hasMatch() ? m.captured(1) : QString();
}

struct ClipPathDef {
    QString shapes, transform;
    bool usable = false;
};

}  // namespace

bool hasClipPath(const QString& clipAttribute, const QString& style) {
    return !clipReference(clipAttribute, style).isEmpty();
}

ClipScan scanClips(const QString& text) {
    ClipScan scan;
    struct Open {
        QString tag, closer;
        qint64 start;
        bool shared;  // a defs or style element, kept for every small drawing
    };
    std::vector<Open> open;
    std::map<QString, ClipPathDef> clipPaths;
    std::vector<QString> clipIds;
    QXmlStreamReader in(text);
    const auto insideShared = [&] {
        return std::any_of(open.begin(), open.end(), [](const Open& o) { return o.shared; });
    };
    while (!in.atEnd()) {
        const QXmlStreamReader::TokenType t = in.readNext();
        if (t == QXmlStreamReader::Invalid) break;
        const qint64 after = in.characterOffset();
        if (t == QXmlStreamReader::StartElement) {
            // The reader stands just past the tag; no '<' can stand inside a tag.
            const qint64 before = text.lastIndexOf('<', after - 1);
            const QXmlStreamAttributes a = in.attributes();
            const QString tag = text.mid(before, after - before);
            if (in.name() == u"clipPath") {
                ClipPathDef def;
                def.transform = a.value(QLatin1String("transform")).toString();
                const QStringView units = a.value(QLatin1String("clipPathUnits"));
                in.skipCurrentElement();
                const qint64 end = in.characterOffset();
                if (!tag.endsWith(QLatin1String("/>")))
                    def.shapes = text.mid(after, text.lastIndexOf(QLatin1String("</"), end - 1) - after);
                // Shapes sized by the clipped element's box, text and references are not applied.
                def.usable = (units.isEmpty() || units == u"userSpaceOnUse") &&
                             !def.shapes.contains(QLatin1String("<use")) &&
                             !def.shapes.contains(QLatin1String("<text"));
                clipPaths[a.value(QLatin1String("id")).toString()] = def;
                continue;
            }
            const QString clip = clipReference(a.value(QLatin1String("clip-path")).toString(),
                                               a.value(QLatin1String("style")).toString());
            if (!clip.isEmpty() && !insideShared()) {
                ClippedElement e;
                for (const Open& o : open) e.ancestors += o.tag;
                for (auto o = open.rbegin(); o != open.rend(); ++o) e.closers += o->closer;
                e.transform = a.value(QLatin1String("transform")).toString();
                in.skipCurrentElement();
                const qint64 end = in.characterOffset();
                e.element = text.mid(before, end - before);
                scan.clipped.push_back(std::move(e));
                clipIds.push_back(referencedId(clip));
                continue;
            }
            const bool shared = (in.name() == u"defs" || in.name() == u"style") && !insideShared();
            open.push_back({tag, QStringLiteral("</%1>").arg(in.qualifiedName()), before, shared});
        } else if (t == QXmlStreamReader::EndElement && !open.empty()) {
            if (open.back().shared) scan.shared += text.mid(open.back().start, after - open.back().start);
            open.pop_back();
        }
    }
    // Clip paths may be defined after the elements that use them.
    for (size_t k = 0; k < scan.clipped.size(); ++k) {
        const auto def = clipPaths.find(clipIds[k]);
        if (def == clipPaths.end() || !def->second.usable) continue;  // left out: no shapes to clip with
        scan.clipped[k].clipShapes = def->second.shapes;
        scan.clipped[k].clipTransform = def->second.transform;
    }
    return scan;
}

namespace {
// The part of the segment from a to b over `box`, as the fractions [t0, t1] of the way along it;
// false when none is, or a point is no number.
bool partOver(QPointF a, QPointF b, const QRectF& box, double& t0, double& t1) {
    if (!std::isfinite(a.x()) || !std::isfinite(a.y()) || !std::isfinite(b.x()) || !std::isfinite(b.y())) return false;
    const double dx = b.x() - a.x(), dy = b.y() - a.y();
    const double p[] = {-dx, dx, -dy, dy};
    const double q[] = {a.x() - box.left(), box.right() - a.x(), a.y() - box.top(), box.bottom() - a.y()};
    t0 = 0, t1 = 1;
    for (int k = 0; k < 4; ++k) {
        if (p[k] == 0) {
            if (q[k] < 0) return false;
        } else if (p[k] < 0) {
            t0 = std::max(t0, q[k] / p[k]);
        } else {
            t1 = std::min(t1, q[k] / p[k]);
        }
    }
    return t0 <= t1;
}
}  // namespace

QPainterPath clippedOutline(const QPainterPath& outline, bool filled, const QPainterPath& region) {
    // A line encloses nothing, whatever its fill says: it keeps its pieces like a stroke.
    if (filled)
        if (QPainterPath area = outline.intersected(region); !area.isEmpty()) return area;
    // A line keeps the pieces inside, each cut where it crosses the region's edge to within a
    // thousandth of the region's size. Nothing lies inside a region of no size.
    const QRectF box = region.boundingRect();
    const double step = std::max(box.width(), box.height()) / 1000;
    if (!(step > 0)) return {};
    QPainterPath kept;
    for (const QPolygonF& line : outline.toSubpathPolygons()) {
        bool inside = false;
        for (qsizetype i = 0; i < line.size(); ++i) {
            const QPointF to = line[i];
            const QPointF from = i > 0 ? line[i - 1] : to;
            // Only what crosses the region's box can lie inside: a line that runs a long way past
            // it is cut into pieces over the box alone, at most some 1400 of them.
            double t0 = 0, t1 = 1;
            if (!partOver(from, to, box, t0, t1)) {
                inside = false;
                continue;
            }
            if (t0 > 0) inside = false;
            const QPointF a = from + (to - from) * t0, b = from + (to - from) * t1;
            const int pieces = std::max(1, int(std::min(QLineF(a, b).length() / step, 2000.0)));
            // The first point of a line once; a piece's start was its predecessor's end, unless cut.
            const int first = i == 0 ? pieces : (t0 > 0 ? 0 : 1);
            for (int k = first; k <= pieces; ++k) {
                const QPointF p = a + (b - a) * (double(k) / pieces);
                const bool in = region.contains(p);
                if (in && !inside) kept.moveTo(p);
                if (in && inside) kept.lineTo(p);
                inside = in;
            }
            if (t1 < 1) inside = false;
        }
    }
    return kept;
}

}  // namespace quorvel
