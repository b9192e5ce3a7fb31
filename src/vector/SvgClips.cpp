#include "vector/SvgClips.h"

#include <QRegularExpression>
#include <QXmlStreamReader>
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

QPainterPath clippedOutline(const QPainterPath& outline, bool filled, const QPainterPath& region) {
    // A line encloses nothing, whatever its fill says: it keeps its pieces like a stroke.
    if (filled)
        if (QPainterPath area = outline.intersected(region); !area.isEmpty()) return area;
    // A line keeps the pieces inside, each cut where it crosses the region's edge to within a
    // thousandth of the region's size. Nothing lies inside a region of no size.
    const double step = std::max(region.boundingRect().width(), region.boundingRect().height()) / 1000;
    if (!(step > 0)) return {};
    QPainterPath kept;
    for (const QPolygonF& line : outline.toSubpathPolygons()) {
        bool inside = false;
        for (qsizetype i = 0; i < line.size(); ++i) {
            const QPointF to = line[i];
            const QPointF from = i > 0 ? line[i - 1] : to;
            const int pieces = std::max(1, int(std::min(QLineF(from, to).length() / step, 1e6)));
            for (int k = i > 0 ? 1 : pieces; k <= pieces; ++k) {
                const QPointF p = from + (to - from) * (double(k) / pieces);
                const bool in = region.contains(p);
                if (in && !inside) kept.moveTo(p);
                if (in && inside) kept.lineTo(p);
                inside = in;
            }
        }
    }
    return kept;
}

}  // namespace quorvel
