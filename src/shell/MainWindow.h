// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The editor window: menu bar, canvas, frame strip, colour selector, tool buttons and the
// playback buttons. It forwards events to the Editor and shows the Editor's state.
#include "laser/IdnStream.h"
#include "shell/Editor.h"

#include <QMainWindow>
#include <array>
#include <functional>
#include <memory>
#include <optional>

class QAction;
class QButtonGroup;
class QCheckBox;
class QGridLayout;
class QKeyEvent;
class QLabel;
class QToolButton;
class QMenu;
class QPushButton;
class QScrollBar;
class QSlider;

namespace quorvel {

class ImageView;
class LaserDialog;
class NoteLabel;
class TextDialog;
class TransformDialog;
class TweenDialog;

class MainWindow : public QMainWindow {
    Q_OBJECT
public:
    explicit MainWindow(Editor& editor, QWidget* parent = nullptr);
    ~MainWindow() override;

    // Brings every widget in line with the Editor's state.
    void showState();
    QAction* action(const QString& name) const;
    // Opens the file named on the command line, as Open does once a file is chosen.
    void openAtStart(const QString& path);
    // A file a later start handed over: the window comes to the front and opens it as Open does,
    // as soon as no dialog, playback or drag is in the way.
    void takeHandedOverFile(const QString& path);
    // The status bar's note, whole (the bar may show it shortened).
    QString note() const;

    // What "Exit" does to end the program; tests replace it.
    std::function<void()> quit;
    // Lets pending events run while frames play, until one has come; tests step the ticks.
    std::function<void()> waitForEvents;
    // Runs on the text dialog before it shows; tests type and choose there.
    std::function<void(TextDialog&)> prepareTextDialog;
    // Runs on the Transform dialog before it shows.
    std::function<void(TransformDialog&)> prepareTransformDialog;
    std::function<void(TweenDialog&)> prepareTweenDialog;
    // The colour dialog for true-colour frames: the chosen colour, invalid when cancelled.
    std::function<QColor(QColor initial)> chooseColor;
    // Shows the frame commands' menu at the pointer; tests look at it instead.
    std::function<void(QMenu&)> popUp;

protected:
    void closeEvent(QCloseEvent* e) override;
    void changeEvent(QEvent* e) override;
    void dragEnterEvent(QDragEnterEvent* e) override;
    void dropEvent(QDropEvent* e) override;
    bool eventFilter(QObject* watched, QEvent* e) override;

private:
    void paintToolIcons();  // in the buttons' text colour, again whenever the palette changes
    void buildMenus();
    QWidget* buildCanvasColumn();
    // The canvas, its scroll bars and what the mouse and keys do to the view; the View menu's zoom.
    QGridLayout* buildCanvasArea(QWidget* parent);
    void addZoomItems(QMenu* view);
    void showView();  // the scroll bars as the view stands
    bool startPan(int button, QPointF at);
    bool canvasKey(QObject* watched, QKeyEvent* e);  // Space held for panning, Escape ending a drag
    void zoomByWheel(int angle, QPointF at);
    QWidget* buildStrip();
    // `caption` is the English source, marked QT_TR_NOOP where it is written; it shows translated.
    QAction* addItem(QMenu* menu, const char* name, const char* caption, const QKeySequence& key = {});
    // A menu item that runs an Editor command and then shows the result.
    QAction* command(QMenu* menu, const char* name, const char* caption, void (Editor::*what)(),
                     const QKeySequence& key = {});
    void addSeparator(QMenu* menu, const char* name);
    void openTextDialog();
    // Recent Files' items, remade when the list changed.
    void showRecentFiles();
    void play();
    void setPlaying(bool playing);
    // Laser output: the Output menu, what goes out after each command and each played frame
    // (`frame` 0: the working frame), and the status bar's word on it.
    void buildOutputMenu();
    void openLaserDialog();
    // Empty when armed, else why not.
    QString armLaser(const LaserSettings& settings, bool testPattern);
    void disarmLaser(const QString& note);
    void feedLaser(int frame = 0);
    void showLaserState();
    // Runs a command of the Editor, then shows the result.
    void run(const std::function<void()>& command);

    Editor& editor_;
    ImageView* canvas_ = nullptr;
    QScrollBar *panX_ = nullptr, *panY_ = nullptr;
    struct Pan {
        int button = 0;  // held for panning; 0 when no pan goes on
        QPointF from;
        int left = 0, top = 0;
    } pan_;
    bool spaceHeld_ = false, pointerOnCanvas_ = false;
    int wheelZoomRest_ = 0;  // part of a notch turned on a fine wheel
    ImageView* paletteStrip_ = nullptr;
    std::array<ImageView*, StripThumbnails> thumbs_{};
    std::array<QLabel*, StripThumbnails> frameLabels_{};
    QScrollBar* scroll_ = nullptr;
    QLabel* swatch_ = nullptr;
    QLabel* colorLabel_ = nullptr;
    QToolButton* trueColor_ = nullptr;
    QButtonGroup* tools_ = nullptr;
    QCheckBox* penMode_ = nullptr;
    QSlider* pointSlider_ = nullptr;
    QSlider* blankSlider_ = nullptr;
    QLabel* pointSpaceLabel_ = nullptr;
    QLabel* blankSpaceLabel_ = nullptr;
    QLabel* xLabel_ = nullptr;
    QLabel* yLabel_ = nullptr;
    QLabel* pointsLabel_ = nullptr;
    QLabel* scanRate_ = nullptr;
    NoteLabel* note_ = nullptr;
    void showNote(const QString& text);
    QPushButton* play_ = nullptr;
    QPushButton* stop_ = nullptr;
    QMenu* recent_ = nullptr;
    std::optional<QStringList> recentShown_;
    bool exiting_ = false;
    Transform lastTransform_;                  // the dialog opens with the transform chosen last
    std::optional<QPoint> textDialogAt_;       // where the text dialog was when it last closed
    std::unique_ptr<idn::LaserOutput> laser_;  // made when first armed: start-up opens no socket
    bool laserPattern_ = false;
    QLabel* laserLabel_ = nullptr;
    LaserDialog* laserDialog_ = nullptr;    // while "Laser Output" is open
    std::unique_ptr<WorkingFrame> played_;  // the slot being played, read for the projector
};

}  // namespace quorvel
