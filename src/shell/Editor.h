// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The editor: the subsystems of one running program, and the rules that cut across them (undo,
// change flags, redraw, which frame is loaded). The window turns events into these calls and
// shows the state; tests drive the same calls directly.
#include "framelist/FrameMoves.h"
#include "framelist/FrameStrip.h"
#include "framelist/SequenceHistory.h"
#include "framelist/Tween.h"
#include "ilda/IldaWriter.h"
#include "model/Clipboard.h"
#include "model/FrameBuffer.h"
#include "model/MoreSettings.h"
#include "model/Palette.h"
#include "model/ProgramPaths.h"
#include "model/Sequence.h"
#include "model/Settings.h"
#include "model/Undo.h"
#include "model/UnsavedMarker.h"
#include "options/ColorSelector.h"
#include "options/ViewOptions.h"
#include "playback/Playback.h"
#include "shell/Prompts.h"
#include "shell/Texts.h"
#include "text/TextSession.h"
#include "tools/CanvasTools.h"
#include "tools/Transform.h"
#include "vector/SvgImport.h"
#include "view/CanvasView.h"

#include <QImage>
#include <QString>
#include <functional>
#include <optional>

namespace quorvel {

constexpr int PaletteStripHeight = 8;

// What the main window shows besides the pictures; the widgets mirror it after each command.
struct WindowState {
    QString title = MainTitle;
    bool undoEnabled = false;
    bool redoEnabled = false;
    bool pastePointsEnabled = false;
    bool pasteFrameEnabled = false;
    bool deleteFramesEnabled = true;
    QString pointsLabel = QStringLiteral("0");
    QString xLabel = QStringLiteral("0"), yLabel = QStringLiteral("0");
    QString statusNote;
    bool noteStale = false;  // the note on show no longer fits: cleared unless a new one came
};

// What "Frame Info" shows of the working frame.
struct FrameInfo {
    int format = 0, number = 0, total = 0;
    QString name, company;  // up to their first zero byte
};

// How "Open" ended, for callers that act on it (the command-line tool's exit code).
enum class OpenResult { Loaded, Rejected, Unreadable, BufferFailed };

class Editor {
public:
    // Runs start-up from loading the settings to the first empty frame, or to the frames of a
    // session that ended without saving when the user takes them back (only offered where no
    // other copy of the program can be using the frame buffer file).
    Editor(ProgramPaths paths, Prompts& prompts, bool offerRecovery = true);
    // A portable copy: every file of the program in `programFolder`.
    Editor(const QString& programFolder, Prompts& prompts, bool offerRecovery = true);

    // Asks "File changed" once when the sequence holds unsaved changes. True when the sequence
    // may go: nothing was changed, the answer was No, or Yes and the save succeeded.
    bool mayReplaceSequence();
    // Sequence and frames. False when the sequence must not be replaced: the question was
    // cancelled, the save it asked for did not happen, or the frame buffer file took nothing.
    bool newFile();
    void addNewFrame();
    // Strip
    void setStripPosition(int position);
    void wheel(int delta, bool buttonsOrKeysHeld);
    void redrawStrip();
    void chooseThumbnail(int index, bool leftButton);
    // The one edit path of the working frame: undo snapshot (unless Edit::KeepsUndo), the
    // change, the flags it is told to set, and a redraw.
    void edit(unsigned flags, const std::function<void()>& change);
    void makeUndo();
    void resetUndo();
    void undo();
    void redo();
    // View
    void toggleBeamMode();
    void toggleObjectSelectMode();
    void refreshCanvas();
    void redrawCanvas();
    void pickColor(double x);
    // A colour of any RGB for true-colour frames (the colour dialog); indexed frames keep the
    // strip's colour.
    void pickTrueColor(Rgb color);
    // What new points take: the strip's colour, or on a true-colour frame the picked one.
    Ink ink() const;
    void reloadPalette();
    // Tools and sliders
    void chooseTool(int tool);
    // The pointer moved over the canvas to (X, Y), in pixels from the top-left.
    void pointerAt(double X, double Y);
    // Canvas mouse events: button 1 left, 2 right, 4 middle (for moves, the buttons held);
    // (X, Y) in pixels from the top-left of the canvas, as delivered.
    void canvasPress(int button, float X, float Y);
    // Escape during a drag: the gesture ends as if it had never begun. False when none was held.
    bool cancelGesture();

    // Zoom and pan. The zoom steps go 1×, 2×, 4× … 64×; Fit is the largest zoom that shows the
    // whole frame (never under 1×) and stays so as the view is resized.
    void zoomIn();
    void zoomOut();
    void zoomToFit();
    void actualSize();
    // Ctrl+wheel: `steps` zoom steps in (out when negative) about the view pixel (x, y).
    void zoomAt(int steps, double x, double y);
    // The view's top-left at frame pixel (left, top), kept in bounds.
    void panTo(int left, int top);
    void setViewSize(int width, int height);
    void canvasMove(int button, float X, float Y);
    void canvasRelease(int button, float X, float Y);
    void selectAllPoints();
    // Clipboard of frames and points, point status, frame deletion. The commands that change
    // the working frame do nothing until a frame has been chosen in the strip.
    void copyFrame();
    void cutFrame();
    void pasteFrame();
    void deleteFrames();
    // Around the frame being edited: an empty frame before it, a copy after it, or the frame
    // swapped with its neighbour (`by` -1 or 1), which it follows. The strip keeps it in view.
    void insertFrame();
    void duplicateFrame();
    // The frames selected in the strip in the opposite order (all of them when one is selected);
    // the working frame goes with its slot.
    void reverseFrames();
    void moveFrame(int by);
    void copyPoints();
    void cutPoints();
    // The selected points go; the clipboard keeps what it held.
    void deleteSelectedPoints();
    // Transform: the selected points, or the whole frame, as one Undo step.
    void transformPoints(const Transform& t);
    // The transform spread over the frames selected in the strip: of n frames, frame i (from 0)
    // gets i/(n-1) of it, about one pivot taken from the first. One frame selected: it all.
    void transformFrames(const Transform& t);
    // Tween from the working frame (key A) to frame `keyB`: the frames strictly between them
    // replaced by in-betweens, or `count` new ones inserted after A.
    struct TweenChoice {
        int keyB = 0;
        bool insert = false;
        int count = 1;
        Easing easing = Easing::Linear;
    };
    void tween(const TweenChoice& c);
    // Key B as the dialog first offers it: the end of the strip's selection, else the next frame.
    int tweenKeyB() const;
    void pastePoints();
    void setPointStatus(bool visible);
    // The picture under the canvas
    void loadImage();
    void loadImageFile(const QString& path);
    void removeImage();
    // Playback: every frame drawn on the bare canvas, `waitForEvents` between them until a tick
    // of `playback` has come; `shown` after each frame is drawn.
    void play(const std::function<void()>& waitForEvents, const std::function<void(int frame)>& shown);
    // The text tool: a press opens the text dialog through `onTextTool`; the dialog previews
    // while the text, the font or the rotation changes, then converts or cancels.
    void previewText();
    void convertText();
    void cancelText();
    // View options and frame names
    ViewOptions viewOptions() const;
    // Frames a second of playback: quorvel.ini's rate once one is chosen, else config.dat's.
    int playRate() const { return more.playRate ? more.playRate : settings.playFps; }
    void setViewOptions(const ViewOptions& options);
    FrameInfo frameInfo() const;
    void setFrameNames(const QString& name, const QString& company);
    void setPointSpace(int value);
    void setBlankSpace(int value);
    // For animators: the working frame between true and palette colours, and the frame before
    // it shown dimmed under it.
    void convertToPaletteColors();
    void convertToTrueColor();
    void toggleShowPreviousFrame();
    // SVG drawings: one onto the working frame, several each as a new frame after it, in the
    // order of their names (numbers counted as numbers).
    void importSvg();
    // Drawings named some other way than the dialog (dropped on the window), as Import SVG takes them.
    void importSvgFiles(QStringList files);
    // Files dropped on the window, by kind: an ILDA file opens (the first, when several: one
    // sequence is open at a time), SVG drawings import, a picture becomes the background.
    void dropFiles(const QStringList& paths);
    // Points a projector draws cleanly, on the selection or the whole frame.
    void optimiseForProjector();
    // Files
    void open();
    // Opens `path` as "Open" does once the file is chosen and New File has run.
    OpenResult openFile(const QString& path);
    // Open once the file is chosen (from the command line, say): the save question, New File,
    // then the file.
    // False when nothing was opened: a pipe, the question answered Cancel, no frame buffer file.
    bool openPath(const QString& path);
    // Opens the file at `index` of Recent Files as Open does; a file no longer there leaves the
    // list with a note, and the sequence stays.
    void openRecent(int index);
    // Asks for a name and writes the sequence there; not ok (with no error) when cancelled.
    WriteResult writeIldaFile();
    WriteResult saveAs();
    // A copy in palette colours for SD-card projectors. The sequence stays as it was: still
    // changed, its title and Save's file unchanged.
    WriteResult exportForSdCard();
    // Writes to the file the sequence came from or was last saved as, in the same kind; with
    // none, Save As.
    WriteResult save();
    // Closing the window: after the question, the frame buffer file goes and the settings are
    // kept. False when the user chose to stay.
    bool closeWindow();
    void shutdown();

    ViewSettings viewSettings() const {
        return {settings.beamMode, settings.gridStep, settings.pointSize, canvas.viewPort().scale()};
    }

    Prompts& prompts;
    Settings settings;
    MoreSettings more;
    Palette palette;
    bool showPreviousFrame = false;  // a view of this run only, never stored
    uint8_t currentColor = 1;
    std::optional<Rgb> pickedColor;  // chosen in the colour dialog since the strip was last used
    WorkingFrame frame;
    UndoHistory history;    // the working frame's states before its edits
    SequenceHistory steps;  // those edits and the frame commands, in the order made
    Sequence seq;
    WindowState win;
    FrameBufferFile buffer;
    CanvasView canvas;
    FrameStrip strip;
    CanvasTools tools;
    Clipboard clipboard;
    Playback playback;
    TextSession text;
    std::function<void()> onTextTool;  // the window opens the text dialog
    bool remembersFiles = true;        // Recent Files follows Open and Save (not for the command-line tool)
    QImage paletteStrip{PaletteStripWidth, PaletteStripHeight, QImage::Format_RGB32};

private:
    // New File once its question is answered. False when slot 1 could not be written.
    bool startEmptySequence();
    // The sequence started anew over `frames` slots: nothing chosen, nothing editable, no tool,
    // no picture, no onion skin, no undo, and every read-out back to its start; the title names
    // `fileName`, if any.
    void restartSequence(int frames, const QString& fileName);
    // Takes back the slots a session left unsaved when the user wants them; false otherwise.
    bool recoverUnsavedFrames();
    // The change flag of the whole sequence, with the marker that outlives a crash.
    void setFileChanged(bool changed);
    // The working frame written back and room for `adding` frames; false (and said) if not.
    bool readyToMoveFrames(int adding);
    // The strip and the flags after frames moved; false (and said) when they did not.
    bool framesMoved(const MoveResult& moved, int totalFrames, int current);
    // A frame command run by `change` as one step Undo takes back; `change` returns how many
    // frames from `first` on it left in place of the `replacing` ones there, or -1 when it failed.
    void frameStep(const QString& what, int first, int replacing, const std::function<int()>& change);
    void importOntoWorkingFrame(const WorkingFrame& traced, const ImportReport& r, const QString& name, int skipped);
    void importAsFrames(const std::vector<SlotBytes>& frames, bool full, int skipped);
    ImportRules importRules() const;
    // After Undo or Redo: the menu items, the flags, the canvas and the thumbnail.
    void afterHistoryStep();
    // New File, Open, and a frame command that could not be kept: nothing to undo or redo.
    void forgetHistory();
    void forgetRedo();
    void addToHistory(SequenceHistory::Entry e);
    // A frame command as a step Undo takes back: begun by keeping the `replacing` frames from
    // `first` on (null when they cannot be kept and the user would rather not go on; a step that
    // keeps nothing when the user goes on all the same), ended with the `count` frames from
    // `first` on that the command left.
    std::unique_ptr<SequenceStep> beginStep(const QString& what, int first, int replacing);
    void endStep(std::unique_ptr<SequenceStep> step, int count);
    void turnSequenceStep(bool back);
    // After a frame command was undone or redone: `current` (0: none) is the working frame again,
    // loaded from its slot, and the strip shows it. Its edits stay in the history when it is
    // `sameFrame` as before the step was turned.
    void showSequenceAt(int current, bool sameFrame);
    // No frame is being edited any more; its slot holds what it was.
    void unloadWorkingFrame();
    QString nextStashPath();
    int stashes_ = 0;
    // Undo and Redo enabled as the history stands.
    void showHistory();
    void keepMarkerInStep();
    // The title names the file the sequence came from or was saved as.
    void nameSequence(const QString& fileName);
    // A name to write to: one no file has, or one the user lets be replaced. Empty: cancelled.
    QString chooseSaveName(const QString& filter);
    // Writes the working frame back when it changed; false (and the user told) when it failed.
    bool writeBackWorkingFrame();
    void drawPaletteStrip();
    // Lays the frame before `current` under the canvas when the onion skin is on, else nothing.
    void refreshUnderlay(int current);
    // The same for the working frame, shown at once.
    void showUnderlay();
    // The canvas at another zoom, pan or size, drawn again for it. Not while a drag goes on: its
    // positions were taken in the view it began in.
    void showView(const ViewPort& view);
    // Frame 1 straight from its slot, without markers, as Open shows it; its point count.
    int drawFirstFrame();
    bool fitting_ = false;                 // Fit was the last zoom chosen: a new size fits again
    std::optional<ViewPort> pendingView_;  // a new size that came during a drag
    // How things stood when the gesture in progress began, for Escape to go back to.
    struct GestureStart {
        uint64_t statesMade = 0;
        bool fileChanged = false, frameChanged = false;
        int32_t selStart = -1, selEnd = -1;
    } gestureStart_;

    QString moreSettingsPath() const { return paths_.moreSettingsFile(); }
    // Puts the file first in Recent Files and keeps the list at once (Exit keeps no settings).
    void rememberFile(const QString& path);
    // Writes quorvel.ini; says once per run when it cannot.
    void keepMoreSettings();
    void saySettingsUnkept();
    bool toldSettingsUnkept_ = false;

    ProgramPaths paths_;
    UnsavedMarker unsaved_;
    bool bufferLost_ = false;
    QString savedAs_;   // where Save writes; empty: Save asks for a name
    QString fileName_;  // what the title names
    WriteResult writeSequence(const QString& path);
    // Said, and not ok, when the sequence has no frame to write.
    WriteResult nothingToWrite();
    // The working frame in its slot and a frame buffer file to write from; false (and said) if not.
    bool readyToSave();  // the frame buffer file could not be started: it holds nothing of ours
};

}  // namespace quorvel
