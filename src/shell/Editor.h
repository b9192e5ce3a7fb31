#pragma once
// Everything the program holds while it runs, and the commands that change it. The window
// turns events into these calls and shows the state; tests drive the same calls directly.
#include "model/FrameBuffer.h"
#include "model/Palette.h"
#include "model/Undo.h"
#include "ilda/IldaWriter.h"
#include "options/ColourSelector.h"
#include "shell/Prompts.h"
#include "shell/Settings.h"
#include "tools/Gesture.h"
#include "view/ImageSurface.h"
#include "view/Renderer.h"

#include <QImage>
#include <QString>
#include <array>
#include <vector>

namespace quorvel {

inline const QString MainTitle = QStringLiteral("Quorvel Laser Editor");
inline const QString AppTitle = QStringLiteral("Quorvel Editor");
inline const QString SaveQuestion = QStringLiteral("File changed. Do you want to save it?");
inline const QString IldaFilter = QStringLiteral("ILDA Files *.ILD|*.ild");
inline const QString FrameFullNote = QStringLiteral("The frame is full (20000 points).");
constexpr int StripThumbnails = 8;
constexpr int ThumbnailSize = 64;
constexpr int PaletteStripHeight = 8;

enum Tool : uint8_t {
    NoTool = 0, PointTool, LineTool, CircleTool, SelectTool, MoveTool,
    InsertTool, RecolorTool, DeleteTool, TextTool, RectangleTool
};

struct Sequence {
    int32_t totalFrames = 0;
    int32_t currentFrame = 0;
    bool framechanged = false;
    bool fileChanged = false;
    bool editEnabled = false;
    int32_t selFrameStart = 1, selFrameLen = 1;
};

// What the main window shows besides the pictures; the widgets mirror it after each command.
struct WindowState {
    QString title = MainTitle;
    bool undoEnabled = false;
    bool pastePointsEnabled = false;
    bool pasteFrameEnabled = false;
    bool deleteFramesEnabled = true;
    QString pointsLabel = QStringLiteral("0");
    QString xLabel = QStringLiteral("0"), yLabel = QStringLiteral("0");
    int stripPosition = 0, stripRange = 0;
    uint8_t currentTool = NoTool;
    QString statusNote;
};

// How "Open" ended, for callers that act on it (the command-line tool's exit code).
enum class OpenResult { Loaded, Rejected, Unreadable, BufferFailed };

struct Thumbnail {
    QImage image{ThumbnailSize, ThumbnailSize, QImage::Format_RGB32};
    QString label;  // frame number, empty when the place shows no frame
    bool selected = false;
};

class Editor {
public:
    // Runs start-up from loading the settings to the first empty frame.
    Editor(QString programFolder, Prompts& prompts);

    // Sequence and frames. False when the sequence must not be replaced: the save it asked
    // for failed, or the frame buffer file took nothing (the user was told either way).
    bool newFile();
    void addNewFrame();
    // Strip
    void setStripPosition(int position);
    void wheel(int delta, bool buttonsOrKeysHeld);
    void redrawStrip();
    void chooseThumbnail(int index, bool leftButton);
    int drawFrameFromBuffer(int frame, const PixelScale& scale, bool markers, Surface& s) const;
    // Undo
    void makeUndo();
    void resetUndo();
    void undo();
    // View
    void toggleBeamMode();
    void toggleObjectSelectMode();
    void refreshCanvas();
    void redrawCanvas();
    void pickColour(double x);
    void reloadPalette();
    // Tools and sliders
    void chooseTool(int tool);
    void resetTool();
    // The pointer moved over the canvas to (X, Y), in pixels from the top-left.
    void pointerAt(double X, double Y);
    // Canvas mouse events: button 1 left, 2 right, 4 middle (for moves, the buttons held);
    // (X, Y) in pixels from the top-left of the canvas, as delivered.
    void canvasPress(int button, float X, float Y);
    void canvasMove(int button, float X, float Y);
    void canvasRelease(int button, float X, float Y);
    void selectAllPoints();

    // The tools' routines, in canvas pixels with y upward.
    void addPoint(int32_t x, int32_t y, int button);
    void appendPoint(int32_t x, int32_t y, int button);
    void drawFromLastPoint();
    void lineTo(float x, float y, int button);
    void previewLine(float x, float row, int button);
    void addCircle(int32_t cx, int32_t cy, int16_t rx, int16_t ry);
    void previewCircle(float x, float y);
    void addRectangle(float x, float y);
    void previewRectangle(float x, float row);
    int32_t findNearestPoint(float x, float y);
    void selectPoint(int32_t i);
    void selectObject(int32_t i);
    void clearPointSelection();
    void previewMove(int32_t x, int32_t row);
    void movePoints(int32_t x, int32_t y);
    int32_t findNearestSegment(float x, float y) const;
    void highlightSegment(int32_t k);
    void previewInsert(int32_t k, int32_t x, int32_t y);
    void insertPoint(int32_t k, int32_t x, int32_t y, int button);
    void recolorPoint(int32_t i);
    void deletePoint(int32_t i);
    void setPointSpace(int value);
    void setBlankSpace(int value);
    // Files
    void open();
    // Opens `path` as "Open" does once the file is chosen and New File has run.
    OpenResult openFile(const QString& path);
    // Asks for a name and writes the sequence there; not ok (with no error) when cancelled.
    WriteResult writeIldaFile();
    WriteResult saveAs();
    // Closing the window: the frame buffer file goes, the settings are kept.
    void shutdown();

    const QString& programFolder() const { return folder_; }
    ViewSettings viewSettings() const { return {settings.beamMode, settings.gridStep, settings.pointSize}; }
    ImageSurface canvasSurface() { return ImageSurface(canvas, canvasBackdrop()); }

    Prompts& prompts;
    Settings settings;
    Palette palette;
    uint8_t currentColor = 1;
    WorkingFrame frame;
    UndoHistory history;
    Sequence seq;
    WindowState win;
    FrameBufferFile buffer;
    int16_t wheelStep = 0;
    Gesture gesture;

    QImage canvas = makeDrawingImage(CanvasSize, CanvasSize);
    QImage canvasSnapshot;
    QImage backgroundImage;  // null when no picture is loaded
    QImage paletteStrip{PaletteStripWidth, PaletteStripHeight, QImage::Format_RGB32};
    std::array<Thumbnail, StripThumbnails> thumbnails;
    Rgb highlightColour = rgb(48, 140, 198);
    Rgb emptyThumbnailColour = rgb(200, 200, 200);

private:
    // Appends one point; false (and a note) when the frame already holds 20000 points.
    template <class P> bool appendTo(FrameRecord<P>& r, int32_t x, int32_t y, int button);
    // The backdrop becomes the canvas snapshot as it is now: drag feedback drawn before is wiped.
    void restoreSnapshot();
    // New File once its question is answered. False when slot 1 could not be written.
    bool startEmptySequence();
    // Writes the working frame back when it changed; false (and the user told) when it failed.
    bool writeBackWorkingFrame();
    const QImage* canvasBackdrop() const;
    // The backdrop becomes the background picture, or none; this wipes all drawing.
    void resetBackdrop();
    void drawPaletteStrip();
    void setStripRange(int range);

    QString folder_;
    bool backdropIsSnapshot_ = false;
    QImage restoredSnapshot_;  // the backdrop while backdropIsSnapshot_
    // Scratch room for one frame's point area, read straight from the frame buffer file.
    mutable std::vector<uint8_t> rawFrameBytes_ = std::vector<uint8_t>(PointAreaSize);
};

}  // namespace quorvel
