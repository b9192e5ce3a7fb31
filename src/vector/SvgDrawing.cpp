// SPDX-License-Identifier: GPL-3.0-or-later
#include "vector/SvgDrawing.h"
#include "model/Text.h"

#include "model/RegularFile.h"
#include "vector/SvgClips.h"

#include <QFile>
#include <QLoggingCategory>
#include <QPaintDevice>
#include <QPaintEngine>
#include <QPainter>
#include <QSvgRenderer>
#include <QXmlStreamReader>
#include <QXmlStreamWriter>

#include <zlib.h>

namespace quorvel {

namespace {

// Paint that a laser can show: a solid colour that is not wholly transparent. A gradient or a
// pattern has no one colour.
enum class Paint { None, Solid, Shaded };
Paint paintOf(const QBrush& b) {
    if (b.style() == Qt::NoBrush) return Paint::None;
    if (b.gradient() || b.style() == Qt::TexturePattern) return Paint::Shaded;
    return b.color().alpha() == 0 ? Paint::None : Paint::Solid;
}

Rgb rgbOf(const QColor& c) { return rgb(c.red(), c.green(), c.blue()); }

// Keeps every outline drawn on it with the painter's transform; pictures are counted.
class RecordingEngine final : public QPaintEngine {
public:
    SvgDrawing* out = nullptr;

    RecordingEngine() : QPaintEngine(QPaintEngine::AllFeatures) {}
    bool begin(QPaintDevice*) override { return true; }
    bool end() override { return true; }
    Type type() const override { return QPaintEngine::User; }
    void updateState(const QPaintEngineState&) override {}

    // A shape is filled and stroked in two calls: the second paints the same outline.
    void drawPath(const QPainterPath& path) override {
        const QPen pen = state->pen();
        const Paint stroke = pen.style() == Qt::NoPen ? Paint::None : paintOf(pen.brush());
        const Paint fill = paintOf(state->brush());
        if (recorded_.empty() || recorded_.back().path != path || recorded_.back().transform != state->transform())
            recorded_.push_back({path, state->transform()});
        Recorded& r = recorded_.back();
        if (stroke != Paint::None) r.stroke = stroke, r.strokeColor = rgbOf(pen.color());
        if (fill != Paint::None) r.fill = fill, r.fillColor = rgbOf(state->brush().color());
    }
    // The outlines in the order drawn, each in its stroke colour, else its fill colour; one
    // painted only with a gradient or a pattern is left out.
    void finish() {
        for (Recorded& r : recorded_) {
            std::optional<Rgb> color;
            if (r.stroke == Paint::Solid)
                color = r.strokeColor;
            else if (r.fill == Paint::Solid)
                color = r.fillColor;
            else if (r.stroke == Paint::Shaded || r.fill == Paint::Shaded) {
                ++out->skipped;
                continue;
            }
            out->outlines.push_back({std::move(r.path), r.transform, color, r.fill == Paint::Solid});
        }
    }
    void drawPolygon(const QPointF* points, int n, PolygonDrawMode mode) override {
        if (n < 1) return;
        QPainterPath path(points[0]);
        for (int i = 1; i < n; ++i) path.lineTo(points[i]);
        if (mode != PolylineMode) path.closeSubpath();
        drawPath(path);
    }
    void drawRects(const QRectF* rects, int n) override {
        for (int i = 0; i < n; ++i) {
            QPainterPath path;
            path.addRect(rects[i]);
            drawPath(path);
        }
    }
    void drawEllipse(const QRectF& r) override {
        QPainterPath path;
        path.addEllipse(r);
        drawPath(path);
    }
    void drawLines(const QLineF* lines, int n) override {
        for (int i = 0; i < n; ++i) {
            QPainterPath path(lines[i].p1());
            path.lineTo(lines[i].p2());
            drawPath(path);
        }
    }
    // Text is filtered out beforehand; any that still arrives is counted, never traced.
    void drawTextItem(const QPointF&, const QTextItem&) override { ++out->skipped; }
    void drawPixmap(const QRectF&, const QPixmap&, const QRectF&) override { picture(); }
    void drawImage(const QRectF&, const QImage&, const QRectF&, Qt::ImageConversionFlags) override { picture(); }
    void drawTiledPixmap(const QRectF&, const QPixmap&, const QPointF&) override { picture(); }

private:
    struct Recorded {
        QPainterPath path;
        QTransform transform;
        Paint stroke = Paint::None, fill = Paint::None;
        Rgb strokeColor = 0, fillColor = 0;
    };
    std::vector<Recorded> recorded_;
    void picture() { ++out->skipped; }
};

class RecordingDevice final : public QPaintDevice {
public:
    mutable RecordingEngine engine;
    QPaintEngine* paintEngine() const override { return &engine; }

protected:
    int metric(PaintDeviceMetric m) const override {
        switch (m) {
        case PdmWidth:
        case PdmHeight: return 1000;
        case PdmWidthMM:
        case PdmHeightMM: return 265;
        case PdmNumColors: return 0x7FFFFFFF;
        case PdmDepth: return 32;
        case PdmDpiX:
        case PdmDpiY:
        case PdmPhysicalDpiX:
        case PdmPhysicalDpiY: return 96;
        case PdmDevicePixelRatio: return 1;
        case PdmDevicePixelRatioScaled: return int(QPaintDevice::devicePixelRatioFScale());
        }
        return 0;
    }
};

// The drawing without the elements that have no outline to trace: text (Qt would draw its
// glyphs as outlines), pictures, and masks and clip paths (Qt would draw their shapes). Says whether the root names its
// own viewBox (Qt makes one from the width and height otherwise) and how many elements were left out.
struct Filtered {
    QByteArray bytes;
    bool viewBox = false;
    int skipped = 0;
    int clipped = 0;   // elements under a clip path, taken out to be drawn on their own
    QByteArray plain;  // the drawing as read, inflated, when it has any
    QString refusal;   // why it cannot be read, when a limit says so rather than Qt SVG
    bool ok = true;
};
// A compressed drawing (.svgz) opened, so that it is filtered as a plain one is: every member of
// the gzip stream one after the other, as gzip reads them, up to MaxInflatedBytes. Empty when it
// is not whole or would be larger (`refusal` says so).
QByteArray inflated(const QByteArray& bytes, QString& refusal) {
    z_stream z{};
    if (inflateInit2(&z, 16 + MAX_WBITS) != Z_OK) return {};  // 16: a gzip header comes first
    z.next_in = reinterpret_cast<Bytef*>(const_cast<char*>(bytes.constData()));
    z.avail_in = uInt(bytes.size());
    QByteArray out;
    int r = Z_OK;
    while (r == Z_OK) {
        if (out.size() >= MaxInflatedBytes) {
            refusal = Text(QT_TRANSLATE_NOOP("Texts", "it inflates to more than 64 MB"));
            break;
        }
        const qsizetype done = out.size();
        out.resize(std::min(done + (qsizetype(1) << 20), qsizetype(MaxInflatedBytes)));
        z.next_out = reinterpret_cast<Bytef*>(out.data() + done);
        z.avail_out = uInt(out.size() - done);
        r = inflate(&z, Z_NO_FLUSH);
        out.resize(out.size() - qsizetype(z.avail_out));
        if (r == Z_STREAM_END && z.avail_in > 0) r = inflateReset(&z);  // the next member
    }
    inflateEnd(&z);
    return r == Z_STREAM_END ? out : QByteArray();
}

Filtered withoutText(const QByteArray& plainOrCompressed, bool takeOutClipped = true) {
    Filtered f;
    const QByteArray bytes =
        plainOrCompressed.startsWith("\x1f\x8b") ? inflated(plainOrCompressed, f.refusal) : plainOrCompressed;
    QXmlStreamReader in(bytes);
    QXmlStreamWriter out(&f.bytes);
    bool root = true;
    int elements = 0, depth = 0;
    const auto skip = [&] {  // the element with all it holds, end tag included
        --depth;
        in.skipCurrentElement();
    };
    while (!in.atEnd()) {
        const QXmlStreamReader::TokenType t = in.readNext();
        if (t == QXmlStreamReader::Invalid) break;
        if (t == QXmlStreamReader::EndElement) --depth;
        if (t == QXmlStreamReader::StartElement) {
            ++elements, ++depth;
            // The reader keeps every open element: a million nested groups cost hundreds of
            // megabytes before the first is closed.
            if (depth > MaxSvgDepth) {
                f.refusal = Text(QT_TRANSLATE_NOOP("Texts", "it nests elements more than %1 deep")).arg(MaxSvgDepth);
                break;
            }
            if (elements > MaxSvgElements) {
                ++f.skipped;
                skip();
                continue;
            }
            if (root) {
                f.viewBox = in.attributes().hasAttribute("viewBox"), root = false;
                // Without a viewBox Qt SVG measures everything drawn before drawing it, every
                // instance of every <use> again: a small file of nested uses takes minutes. Drawn
                // onto its own viewBox the drawing keeps its units whatever the viewBox says, and
                // what it draws is measured here, from what was drawn.
                out.writeCurrentToken(in);
                if (!f.viewBox) out.writeAttribute(QStringLiteral("viewBox"), QStringLiteral("0 0 1 1"));
                continue;
            }
            const QStringView name = in.name();
            if (name == u"text" || name == u"textArea" || name == u"image" || name == u"foreignObject") {
                ++f.skipped;
                skip();
                continue;
            }
            // Shapes that only shape or clip others are never seen themselves.
            if (name == u"mask" || name == u"clipPath" || name == u"pattern" || name == u"marker" ||
                name == u"filter") {
                skip();
                continue;
            }
            const QXmlStreamAttributes a = in.attributes();
            if (takeOutClipped && hasClipPath(a.value(QLatin1String("clip-path")).toString(),
                                              a.value(QLatin1String("style")).toString())) {
                ++f.clipped;
                skip();
                continue;
            }
        }
        out.writeCurrentToken(in);
    }
    f.ok = !in.hasError() && f.refusal.isEmpty();
    if (f.clipped > 0) f.plain = bytes;
    return f;
}

QRectF drawnArea(const std::vector<DrawnOutline>& outlines) {
    QRectF area;
    for (const DrawnOutline& o : outlines) {
        const QRectF r = o.transform.map(o.path).controlPointRect();
        area = area.isNull() ? r : area.united(r);
    }
    return area;
}

// The outlines a filtered drawing paints, in its user units; false when Qt SVG cannot read it.
bool recordOutlines(const Filtered& filtered, SvgDrawing& into, QRectF& viewBox) {
    QSvgRenderer renderer;
    if (!filtered.ok || !renderer.load(filtered.bytes) || !renderer.isValid()) return false;
    RecordingDevice device;
    device.engine.out = &into;
    viewBox = renderer.viewBoxF();
    {
        QPainter painter(&device);
        // Drawn onto its own viewBox, the drawing keeps its user units.
        if (viewBox.isValid())
            renderer.render(&painter, viewBox);
        else
            renderer.render(&painter);
    }
    device.engine.finish();
    return true;
}

// A small drawing of the root and the ancestors around `inner`, with the file's shared defs.
std::vector<DrawnOutline> outlinesOf(const ClippedElement& e, const QString& shared, const QString& inner, bool& ok) {
    const qsizetype rootEnd = e.ancestors.indexOf('>') + 1;
    const QString text = e.ancestors.left(rootEnd) + shared + e.ancestors.mid(rootEnd) + inner + e.closers;
    SvgDrawing part;
    QRectF viewBox;
    ok = recordOutlines(withoutText(text.toUtf8(), false), part, viewBox);
    return std::move(part.outlines);
}

// Each clipped element drawn on its own and cut to its clip path; one that cannot be is left out.
void addClipped(const QByteArray& plain, SvgDrawing& drawing) {
    const ClipScan scan = scanClips(QString::fromUtf8(plain));
    // Each element is drawn twice, with all the file's shared defs: large defs and hundreds of
    // clipped elements would read the defs hundreds of times over. What the small drawings read
    // shares one budget of elements, twice what one whole drawing may hold.
    qsizetype budget = 2 * qsizetype(MaxSvgElements);
    const qsizetype sharedElements = scan.shared.count(u'<');
    for (size_t k = 0; k < scan.clipped.size(); ++k) {
        const ClippedElement& e = scan.clipped[k];
        bool drawn = false, clipOk = false;
        const qsizetype cost =
            2 * (sharedElements + e.ancestors.count(u'<')) + e.element.count(u'<') + e.clipShapes.count(u'<');
        if (e.clipShapes.isEmpty() || k >= size_t(MaxClippedElements) || cost > budget) {
            ++drawing.skipped;
            continue;
        }
        budget -= cost;
        const std::vector<DrawnOutline> outlines = outlinesOf(e, scan.shared, e.element, drawn);
        // The clip path lies in the element's user space: under its transform, then its own.
        const QString shapes =
            QStringLiteral(R"(<g transform="%1"><g transform="%2" fill="#000" stroke="none">%3</g></g>)")
                .arg(e.transform.toHtmlEscaped(), e.clipTransform.toHtmlEscaped(), e.clipShapes);
        QPainterPath region;
        region.setFillRule(Qt::WindingFill);
        for (const DrawnOutline& c : outlinesOf(e, scan.shared, shapes, clipOk))
            region.addPath(c.transform.map(c.path));
        if (!drawn || !clipOk) {
            ++drawing.skipped;
            continue;
        }
        region = region.simplified();
        for (const DrawnOutline& o : outlines) {
            const QPainterPath kept = clippedOutline(o.transform.map(o.path), o.filled, region);
            if (!kept.isEmpty()) drawing.outlines.push_back({kept, QTransform(), o.color, o.filled});
        }
    }
}

}  // namespace

SvgDrawing readSvg(const QByteArray& bytes) {
    SvgDrawing drawing;
    // Qt SVG warns about every feature it does not draw; what matters here is said in `skipped`.
    QLoggingCategory::setFilterRules(QStringLiteral("qt.svg.warning=false"));
    const Filtered filtered = withoutText(bytes);
    QRectF viewBox;
    if (!recordOutlines(filtered, drawing, viewBox)) {
        drawing.error = filtered.refusal.isEmpty() ? Text(QT_TRANSLATE_NOOP("Texts", "it is not an SVG drawing"))
                                                   : filtered.refusal;
        return drawing;
    }
    if (filtered.clipped > 0) addClipped(filtered.plain, drawing);
    drawing.area = filtered.viewBox && viewBox.isValid() ? viewBox : drawnArea(drawing.outlines);
    drawing.skipped += filtered.skipped;
    drawing.ok = true;
    return drawing;
}

SvgDrawing readSvgFile(const QString& path) {
    // A FIFO or a device under the name is refused rather than waited on.
    const FileBytes file = readRegularFile(path, MaxSvgBytes);
    if (!file.bytes) {
        SvgDrawing drawing;
        drawing.error = file.error;
        return drawing;
    }
    return readSvg(*file.bytes);
}

}  // namespace quorvel
