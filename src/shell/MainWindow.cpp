// SPDX-License-Identifier: GPL-3.0-or-later
#include "shell/MainWindow.h"

#include "options/ViewOptionsDialog.h"
#include "shell/AboutDialog.h"
#include "shell/FrameInfoDialog.h"
#include "shell/TransformDialog.h"
#include "shell/TweenDialog.h"
#include "text/TextDialog.h"
#include "tools/ToolTable.h"
#include "view/ImageView.h"
#include "view/NoteLabel.h"
#include "view/Placement.h"
#include "view/WidgetSizes.h"

#include <QApplication>
#include <QButtonGroup>
#include <QCheckBox>
#include <QCloseEvent>
#include <QColorDialog>
#include <QCursor>
#include <QDir>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QGridLayout>
#include <QLabel>
#include <QMenuBar>
#include <QMimeData>
#include <QPushButton>
#include <QScreen>
#include <QScrollBar>
#include <QSlider>
#include <QStatusBar>
#include <QTimer>
#include <QToolButton>
#include <QUrl>
#include <QWheelEvent>

namespace quorvel {

namespace {
QColor toQColor(Rgb c) { return QColor(redOf(c), greenOf(c), blueOf(c)); }
Rgb fromQColor(QColor c) { return rgb(c.red(), c.green(), c.blue()); }
}  // namespace

MainWindow::MainWindow(Editor& editor, QWidget* parent) : QMainWindow(parent), editor_(editor) {
    quit = [] { QCoreApplication::exit(0); };
    popUp = [](QMenu& menu) { menu.exec(QCursor::pos()); };
    chooseColor = [this](QColor initial) { return QColorDialog::getColor(initial, this, tr("Colour")); };
    editor_.onTextTool = [this] { openTextDialog(); };
    waitForEvents = [] { QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents); };
    editor_.strip.highlightColor = fromQColor(palette().color(QPalette::Highlight));
    editor_.strip.emptyThumbnailColor = fromQColor(palette().color(QPalette::Button));
    buildMenus();
    auto* central = new QWidget(this);
    auto* layout = new QHBoxLayout(central);
    layout->addWidget(buildCanvasColumn(), 1);  // the canvas takes the room the window gives
    layout->addWidget(buildStrip(), 0, Qt::AlignTop);
    setCentralWidget(central);
    note_ = new NoteLabel(this);
    note_->setObjectName("LblNote");
    statusBar()->addWidget(note_, 1);
    scanRate_ = new QLabel(this);
    scanRate_->setObjectName("LblScanRate");
    statusBar()->addPermanentWidget(scanRate_);
    laserLabel_ = new QLabel(this);
    laserLabel_->setObjectName("LblLaser");
    statusBar()->addPermanentWidget(laserLabel_);
    // The strip scrolls from anywhere over the window, by the window's own wheel rules.
    qApp->installEventFilter(this);
    setAcceptDrops(true);  // files dropped anywhere on the window
    editor_.redrawStrip();
    showState();
}

MainWindow::~MainWindow() { qApp->removeEventFilter(this); }

QAction* MainWindow::addItem(QMenu* menu, const char* name, const char* caption, const QKeySequence& key) {
    QAction* a = menu->addAction(tr(caption));
    a->setObjectName(name);
    a->setShortcut(key);
    return a;
}

QAction* MainWindow::command(QMenu* menu, const char* name, const char* caption, void (Editor::*what)(),
                             const QKeySequence& key) {
    QAction* a = addItem(menu, name, caption, key);
    connect(a, &QAction::triggered, this, [this, what] {
        Editor& editor = editor_;
        run([&editor, what] { (editor.*what)(); });
    });
    return a;
}

void MainWindow::addSeparator(QMenu* menu, const char* name) { menu->addSeparator()->setObjectName(name); }

void MainWindow::openAtStart(const QString& path) {
    run([&] { editor_.openPath(path); });
}

void MainWindow::takeHandedOverFile(const QString& path) {
    const bool busy = QApplication::activeModalWidget() || QApplication::activePopupWidget() ||
                      editor_.playback.playing() || editor_.tools.gestureHeld();
    if (busy) {
        // A question or a drag in progress is not cut short; the file waits its turn.
        QTimer::singleShot(300, this, [this, path] { takeHandedOverFile(path); });
        return;
    }
    if (isMinimized()) showNormal();
    raise();
    activateWindow();
    openAtStart(path);
}

QAction* MainWindow::action(const QString& name) const { return findChild<QAction*>(name); }

void MainWindow::run(const std::function<void()>& command) {
    command();
    showState();
}

void MainWindow::buildMenus() {
    QMenu* file = menuBar()->addMenu(tr("File"));
    file->setObjectName("mnuFile");
    connect(addItem(file, "mnuNew", QT_TR_NOOP("New File"), QKeySequence("Ctrl+N")), &QAction::triggered, this,
            [this] { run([this] { editor_.newFile(); }); });
    connect(addItem(file, "mnuNewFrame", QT_TR_NOOP("Add New Frame"), QKeySequence("Ctrl+A")), &QAction::triggered,
            this, [this] { run([this] { editor_.addNewFrame(); }); });
    addSeparator(file, "mnuFile01");
    connect(addItem(file, "mnuOpen", QT_TR_NOOP("Open"), QKeySequence("Ctrl+O")), &QAction::triggered, this,
            [this] { run([this] { editor_.open(); }); });
    connect(addItem(file, "mnuSave", QT_TR_NOOP("Save"), QKeySequence("Ctrl+S")), &QAction::triggered, this,
            [this] { run([this] { editor_.save(); }); });
    connect(addItem(file, "mnuSaveAs", QT_TR_NOOP("Save As..."), QKeySequence("Ctrl+Shift+S")), &QAction::triggered,
            this, [this] { run([this] { editor_.saveAs(); }); });
    connect(addItem(file, "mnuExportSdCard", QT_TR_NOOP("Export for SD-card Projectors...")), &QAction::triggered, this,
            [this] { run([this] { editor_.exportForSdCard(); }); });
    recent_ = file->addMenu(tr("Recent Files"));
    recent_->setObjectName("mnuRecent");
    addSeparator(file, "mnuFile02");
    command(file, "mnuImportSvg", QT_TR_NOOP("Import SVG..."), &Editor::importSvg, QKeySequence("Ctrl+I"));
    addSeparator(file, "mnuFile00");
    connect(addItem(file, "mnuExit", QT_TR_NOOP("Exit"), QKeySequence("Ctrl+Q")), &QAction::triggered, this, [this] {
        bool going = false;
        run([&] { going = editor_.mayReplaceSequence(); });
        if (!going) return;
        exiting_ = true;  // ends at once: the frame buffer file and the settings stay as they are
        editor_.playback.requestStop();
        quit();
    });

    QMenu* edit = menuBar()->addMenu(tr("Edit"));
    edit->setObjectName("mnuEdit");
    connect(addItem(edit, "mnuUndo", QT_TR_NOOP("Undo"), QKeySequence("Ctrl+Z")), &QAction::triggered, this,
            [this] { run([this] { editor_.undo(); }); });
    QAction* redo = command(edit, "mnuRedo", QT_TR_NOOP("Redo"), &Editor::redo, QKeySequence("Ctrl+Y"));
    redo->setShortcuts({QKeySequence("Ctrl+Y"), QKeySequence("Ctrl+Shift+Z")});
    addSeparator(edit, "mnuEdit00");
    // The keys of every editor; Ctrl+A stays Add New Frame, so Select All takes Ctrl+Shift+A.
    connect(addItem(edit, "mnuSelectAll", QT_TR_NOOP("Select All"), QKeySequence("Ctrl+Shift+A")), &QAction::triggered,
            this, [this] { run([this] { editor_.selectAllPoints(); }); });
    command(edit, "mnuCutSel", QT_TR_NOOP("Cut Points"), &Editor::cutPoints, QKeySequence::Cut);
    command(edit, "mnuCopySel", QT_TR_NOOP("Copy Points"), &Editor::copyPoints, QKeySequence::Copy);
    command(edit, "mnuPasteSel", QT_TR_NOOP("Paste Points"), &Editor::pastePoints, QKeySequence::Paste);
    command(edit, "mnuDeleteSel", QT_TR_NOOP("Delete Points"), &Editor::deleteSelectedPoints, QKeySequence::Delete);
    addSeparator(edit, "mnuEdit01");
    command(edit, "mnuCutFrame", QT_TR_NOOP("Cut Frame"), &Editor::cutFrame, QKeySequence("Ctrl+Shift+X"));
    command(edit, "mnuCopyFrame", QT_TR_NOOP("Copy Frame"), &Editor::copyFrame, QKeySequence("Ctrl+Shift+C"));
    command(edit, "mnuPasteFrame", QT_TR_NOOP("Paste Frame"), &Editor::pasteFrame, QKeySequence("Ctrl+Shift+V"));
    connect(addItem(edit, "mnuTransform", QT_TR_NOOP("Transform..."), QKeySequence("Ctrl+T")), &QAction::triggered,
            this, [this] {
                const int frames = editor_.seq.editEnabled ? editor_.seq.selFrameLen : 1;
                TransformDialog dialog(lastTransform_, frames, this);
                if (prepareTransformDialog) prepareTransformDialog(dialog);
                if (dialog.exec() != QDialog::Accepted) return;
                lastTransform_ = dialog.chosen();
                if (dialog.overFrames())
                    run([&] { editor_.transformFrames(lastTransform_); });
                else
                    run([&] { editor_.transformPoints(lastTransform_); });
            });
    connect(addItem(edit, "mnuTween", QT_TR_NOOP("Tween...")), &QAction::triggered, this, [this] {
        TweenDialog dialog(editor_.seq.currentFrame, editor_.tweenKeyB(), editor_.seq.totalFrames, this);
        if (prepareTweenDialog) prepareTweenDialog(dialog);
        if (dialog.exec() == QDialog::Accepted) run([&] { editor_.tween(dialog.chosen()); });
    });
    addSeparator(edit, "mnuEdit002");
    QMenu* status = edit->addMenu(tr("Status"));
    status->setObjectName("mnuStatus");
    status->menuAction()->setObjectName("mnuStatusItem");
    connect(addItem(status, "mnuVisibleStatus", QT_TR_NOOP("Visible")), &QAction::triggered, this,
            [this] { run([this] { editor_.setPointStatus(true); }); });
    connect(addItem(status, "mnuBlankedStatus", QT_TR_NOOP("Blanked")), &QAction::triggered, this,
            [this] { run([this] { editor_.setPointStatus(false); }); });
    command(edit, "mnuToPalette", QT_TR_NOOP("Convert to Palette Colours"), &Editor::convertToPaletteColors);
    command(edit, "mnuToTrueColor", QT_TR_NOOP("Convert to True Colour"), &Editor::convertToTrueColor);
    command(edit, "mnuOptimise", QT_TR_NOOP("Optimise for Projector"), &Editor::optimiseForProjector);
    addSeparator(edit, "mnuEdit02");
    command(edit, "mnuDeleFrames", QT_TR_NOOP("Delete Frames"), &Editor::deleteFrames);
    command(edit, "mnuInsertFrame", QT_TR_NOOP("Insert Frame"), &Editor::insertFrame);
    command(edit, "mnuDuplicateFrame", QT_TR_NOOP("Duplicate Frame"), &Editor::duplicateFrame);
    connect(addItem(edit, "mnuFrameEarlier", QT_TR_NOOP("Move Frame Earlier"), QKeySequence("Alt+Left")),
            &QAction::triggered, this, [this] { run([this] { editor_.moveFrame(-1); }); });
    connect(addItem(edit, "mnuFrameLater", QT_TR_NOOP("Move Frame Later"), QKeySequence("Alt+Right")),
            &QAction::triggered, this, [this] { run([this] { editor_.moveFrame(1); }); });
    command(edit, "mnuReverseFrames", QT_TR_NOOP("Reverse Frames"), &Editor::reverseFrames);
    addSeparator(edit, "mnuEdit03");
    QAction* objectSelect = addItem(edit, "mnuObjectSelect", QT_TR_NOOP("Object Selection Mode"));
    objectSelect->setCheckable(true);
    connect(objectSelect, &QAction::triggered, this, [this] { run([this] { editor_.toggleObjectSelectMode(); }); });

    QMenu* view = menuBar()->addMenu(tr("View"));
    view->setObjectName("mnuView");
    QAction* beam = addItem(view, "mnuBeamMode", QT_TR_NOOP("Beam Mode"));
    beam->setCheckable(true);
    connect(beam, &QAction::triggered, this, [this] { run([this] { editor_.toggleBeamMode(); }); });
    QAction* previous =
        addItem(view, "mnuShowPrevious", QT_TR_NOOP("Show Previous Frame"), QKeySequence("Ctrl+Shift+O"));
    previous->setCheckable(true);
    connect(previous, &QAction::triggered, this, [this] { run([this] { editor_.toggleShowPreviousFrame(); }); });
    addSeparator(view, "mnuView00");
    command(view, "mnuLoadImage", QT_TR_NOOP("Load Image"), &Editor::loadImage);
    command(view, "mnuRemoveImage", QT_TR_NOOP("Remove Image"), &Editor::removeImage);
    addSeparator(view, "mnuView01");
    connect(addItem(view, "mnuViewOptions", QT_TR_NOOP("View Options")), &QAction::triggered, this, [this] {
        ViewOptionsDialog dialog(editor_.viewOptions(), this);
        if (dialog.exec() == QDialog::Accepted) run([&] { editor_.setViewOptions(dialog.chosen()); });
    });

    addZoomItems(view);
    buildOutputMenu();

    QMenu* info = menuBar()->addMenu(tr("Info"));
    info->setObjectName("mnuInfo");
    connect(addItem(info, "mnuFrmProperties", QT_TR_NOOP("Frame Info"), QKeySequence(Qt::Key_F1)), &QAction::triggered,
            this, [this] {
                FrameInfoDialog dialog(editor_.frameInfo(), this);
                if (dialog.exec() == QDialog::Accepted)
                    run([&] { editor_.setFrameNames(dialog.name(), dialog.company()); });
            });
    connect(addItem(info, "mnuAbout", QT_TR_NOOP("About")), &QAction::triggered, this, [this] {
        AboutDialog about(this);
        about.exec();
    });
}

QWidget* MainWindow::buildCanvasColumn() {
    auto* column = new QWidget(this);
    auto* v = new QVBoxLayout(column);
    v->setContentsMargins(0, 0, 0, 0);

    v->addLayout(buildCanvasArea(column), 1);

    auto* colours = new QHBoxLayout;
    paletteStrip_ = new ImageView(editor_.paletteStrip, {PaletteStripWidth, PaletteStripHeight}, column);
    paletteStrip_->setObjectName("PicPalette");
    paletteStrip_->setToolTip(tr("Color Selector"));
    paletteStrip_->onPress = [this](int, QPointF pos) { run([&] { editor_.pickColor(pos.x()); }); };
    swatch_ = new QLabel(column);
    swatch_->setObjectName("LblGotColor");
    swatch_->setFixedSize(sizes::ColorSwatch, sizes::ColorSwatch);
    swatch_->setAutoFillBackground(true);
    colorLabel_ = new QLabel(column);
    colorLabel_->setObjectName("LblColorIntensity");
    // True-colour frames take any colour: the button opens the colour dialog.
    trueColor_ = new QToolButton(column);
    trueColor_->setObjectName("CmdTrueColor");
    trueColor_->setText(tr("RGB..."));
    trueColor_->setToolTip(tr("Any colour for this true-colour frame"));
    connect(trueColor_, &QToolButton::clicked, this, [this] {
        const QColor chosen = chooseColor(toQColor(editor_.ink().rgb));
        if (chosen.isValid()) run([&] { editor_.pickTrueColor(fromQColor(chosen)); });
    });
    colours->addWidget(paletteStrip_);
    colours->addWidget(trueColor_);
    colours->addWidget(swatch_);
    colours->addWidget(colorLabel_);
    colours->addStretch();
    v->addLayout(colours);

    auto* toolRow = new QHBoxLayout;
    tools_ = new QButtonGroup(column);
    tools_->setExclusive(true);
    for (const ToolInfo& tool : toolButtons()) {
        auto* b = new QToolButton(column);
        b->setObjectName(QStringLiteral("ChkTools%1").arg(tool.id));
        b->setCheckable(true);
        b->setIconSize({sizes::ToolIcon, sizes::ToolIcon});
        b->setToolTip(QCoreApplication::translate("Tools", tool.hint));
        tools_->addButton(b, tool.id);
        toolRow->addWidget(b);
    }
    paintToolIcons();
    connect(tools_, &QButtonGroup::idClicked, this, [this](int id) { run([&] { editor_.chooseTool(id); }); });
    toolRow->addStretch();
    v->addLayout(toolRow);

    auto* controls = new QGridLayout;
    penMode_ = new QCheckBox(tr("Pen mode"), column);
    penMode_->setObjectName("ChkPenMode");
    controls->addWidget(penMode_, 0, 0);
    connect(penMode_, &QCheckBox::toggled, this, [this](bool on) { editor_.tools.gesture.penMode = on; });
    const auto slider = [&](const char* name, const QString& caption, SettingRange range, int row, QLabel*& readout) {
        auto* s = new QSlider(Qt::Horizontal, column);
        s->setObjectName(name);
        s->setRange(range.lo, range.hi);
        readout = new QLabel(column);
        readout->setMinimumWidth(sizes::SpacingReadout);
        controls->addWidget(new QLabel(caption, column), row, 1);
        controls->addWidget(s, row, 2);
        controls->addWidget(readout, row, 3);
        return s;
    };
    pointSlider_ = slider("Slider1", tr("Point space"), PointSpaceRange, 0, pointSpaceLabel_);
    blankSlider_ = slider("Slider2", tr("Blank space"), BlankSpaceRange, 1, blankSpaceLabel_);
    pointSpaceLabel_->setObjectName("LblPointSpace");
    blankSpaceLabel_->setObjectName("LblBlankSpace");
    // The slider limits a stored point spacing to its range; a stored blank spacing is kept.
    pointSlider_->setValue(editor_.settings.pointSpace);
    editor_.setPointSpace(pointSlider_->value());
    blankSlider_->setValue(editor_.settings.blankSpace);
    pointSpaceLabel_->setNum(editor_.settings.pointSpace);
    blankSpaceLabel_->setNum(editor_.settings.blankSpace);
    connect(pointSlider_, &QSlider::valueChanged, this, [this](int value) {
        editor_.setPointSpace(value);
        pointSpaceLabel_->setNum(value);
    });
    connect(blankSlider_, &QSlider::valueChanged, this, [this](int value) {
        editor_.setBlankSpace(value);
        blankSpaceLabel_->setNum(value);
    });

    auto* readouts = new QHBoxLayout;
    const auto readout = [&](const QString& caption, const char* name) {
        readouts->addWidget(new QLabel(caption, column));
        auto* l = new QLabel(column);
        l->setObjectName(name);
        l->setMinimumWidth(sizes::StatusReadout);
        readouts->addWidget(l);
        return l;
    };
    xLabel_ = readout(QStringLiteral("X:"), "LblX");
    yLabel_ = readout(QStringLiteral("Y:"), "LblY");
    pointsLabel_ = readout(tr("Points:"), "LblPointsNumber");
    readouts->addStretch();
    play_ = new QPushButton(tr("Play"), column);
    play_->setObjectName("CmdPlay");
    stop_ = new QPushButton(tr("Stop"), column);
    stop_->setObjectName("CmdStop");
    play_->setToolTip(tr("Play"));
    stop_->setToolTip(tr("Stop"));
    auto* loop = new QCheckBox(tr("Loop"), column);
    loop->setObjectName("ChkLoop");
    loop->setToolTip(tr("Play the frames selected in the strip, or all, again and again until Stop"));
    connect(loop, &QCheckBox::toggled, this, [this](bool on) { editor_.playback.loop = on; });
    readouts->addWidget(loop);
    readouts->addWidget(play_);
    readouts->addWidget(stop_);
    connect(play_, &QPushButton::clicked, this, [this] { play(); });
    // The laser stays on: once the frames stop it shows the working frame again.
    connect(stop_, &QPushButton::clicked, this, [this] { editor_.playback.requestStop(); });
    controls->addLayout(readouts, 2, 0, 1, 4);
    v->addLayout(controls);
    return column;
}

QWidget* MainWindow::buildStrip() {
    auto* strip = new QWidget(this);
    auto* grid = new QGridLayout(strip);
    grid->setContentsMargins(0, 0, 0, 0);
    grid->setVerticalSpacing(2);
    for (int i = 0; i < StripThumbnails; ++i) {
        frameLabels_[i] = new QLabel(strip);
        frameLabels_[i]->setObjectName(QStringLiteral("LblFrameNumber%1").arg(i));
        frameLabels_[i]->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
        frameLabels_[i]->setMinimumWidth(sizes::FrameNumber);
        thumbs_[i] = new ImageView(editor_.strip.thumbnails[i].image, {ThumbnailSize, ThumbnailSize}, strip);
        thumbs_[i]->setObjectName(QStringLiteral("PicFrames%1").arg(i));
        thumbs_[i]->onPress = [this, i](int button, QPointF) { run([&] { editor_.chooseThumbnail(i, button == 1); }); };
        // A right click extends the selected range, then offers the frame commands.
        thumbs_[i]->onRelease = [this](int button, QPointF) {
            if (button != 2) return;
            QMenu menu(this);
            for (const char* name :
                 {"mnuInsertFrame", "mnuDuplicateFrame", "mnuFrameEarlier", "mnuFrameLater", "mnuDeleFrames"})
                menu.addAction(action(name));
            popUp(menu);
        };
        grid->addWidget(frameLabels_[i], i, 0);
        grid->addWidget(thumbs_[i], i, 1);
    }
    scroll_ = new QScrollBar(Qt::Vertical, strip);
    scroll_->setObjectName("VScroll1");
    scroll_->setPageStep(1);
    connect(scroll_, &QScrollBar::valueChanged, this, [this](int v) { run([&] { editor_.setStripPosition(v); }); });
    grid->addWidget(scroll_, 0, 2, StripThumbnails, 1);
    return strip;
}

void MainWindow::showState() {
    const WindowState& w = editor_.win;
    setWindowTitle(editor_.seq.fileChanged ? w.title + QStringLiteral(" *") : w.title);
    action("mnuUndo")->setEnabled(w.undoEnabled);
    action("mnuRedo")->setEnabled(w.redoEnabled);
    action("mnuPasteSel")->setEnabled(w.pastePointsEnabled);
    action("mnuPasteFrame")->setEnabled(w.pasteFrameEnabled);
    action("mnuDeleFrames")->setEnabled(w.deleteFramesEnabled);
    // Commands that work on or around the frame being edited wait until one is chosen.
    for (const char* name : {"mnuImportSvg", "mnuOptimise", "mnuInsertFrame", "mnuDuplicateFrame", "mnuFrameEarlier",
                             "mnuFrameLater", "mnuReverseFrames"})
        action(name)->setEnabled(editor_.seq.editEnabled);
    action("mnuTween")->setEnabled(editor_.seq.editEnabled && editor_.seq.currentFrame < editor_.seq.totalFrames);
    action("mnuBeamMode")->setChecked(editor_.settings.beamMode);
    action("mnuObjectSelect")->setChecked(editor_.settings.objectSelectMode);
    if (QAbstractButton* b = tools_->button(editor_.tools.current()); b && !b->isChecked()) b->setChecked(true);
    pointsLabel_->setText(w.pointsLabel);
    const int points = editor_.frame.pointCount(), kpps = editor_.more.projectorKpps;
    const bool flickers = editor_.seq.editEnabled && Playback::flickers(points, kpps);
    scanRate_->setText(editor_.seq.editEnabled ? Playback::refreshRateText(points, kpps) : QString());
    scanRate_->setStyleSheet(flickers ? QStringLiteral("color: #d04000; font-weight: bold") : QString());
    scanRate_->setToolTip(flickers ? FlickerWarning.arg(kpps).arg(Playback::MinSteadyFps) : QString());
    action("mnuShowPrevious")->setChecked(editor_.showPreviousFrame);
    showRecentFiles();
    showView();
    xLabel_->setText(w.xLabel);
    yLabel_->setText(w.yLabel);

    const QSignalBlocker block(scroll_);
    scroll_->setRange(0, editor_.strip.range());
    scroll_->setValue(editor_.strip.position());
    for (int i = 0; i < StripThumbnails; ++i) {
        frameLabels_[i]->setText(editor_.strip.thumbnails[i].label);
        thumbs_[i]->update();
    }
    canvas_->update();
    paletteStrip_->update();
    QPalette swatchPalette = swatch_->palette();
    const Ink ink = editor_.ink();
    swatchPalette.setColor(QPalette::Window, toQColor(ink.rgb));
    swatch_->setPalette(swatchPalette);
    colorLabel_->setText(colorReadout(ink.rgb));
    trueColor_->setVisible(editor_.seq.editEnabled && editor_.frame.format == 5);
    if (!w.statusNote.isEmpty())
        showNote(w.statusNote);
    else if (w.noteStale)
        showNote({});
    editor_.win.statusNote.clear();
    editor_.win.noteStale = false;
    if (!editor_.playback.playing()) feedLaser();  // while frames play, each frame goes out instead
    showLaserState();
}

void MainWindow::showNote(const QString& text) { note_->setNote(text); }

QString MainWindow::note() const { return note_->note(); }

void MainWindow::showRecentFiles() {
    const QStringList& files = editor_.more.recentFiles;
    if (recentShown_ == files) return;
    recentShown_ = files;
    recent_->clear();
    for (int i = 0; i < files.size(); ++i) {
        // The number is the key that picks it; the whole path, as two files may share a name.
        const QString caption = QStringLiteral("&%1 %2").arg(i + 1).arg(QDir::toNativeSeparators(files[i]));
        QAction* a = recent_->addAction(caption);
        a->setObjectName(QStringLiteral("mnuRecent%1").arg(i + 1));
        connect(a, &QAction::triggered, this, [this, i] { run([this, i] { editor_.openRecent(i); }); });
    }
    recent_->menuAction()->setEnabled(!files.isEmpty());
}

bool MainWindow::eventFilter(QObject* watched, QEvent* e) {
    if (e->type() == QEvent::KeyPress || e->type() == QEvent::KeyRelease)
        return canvasKey(watched, static_cast<QKeyEvent*>(e));
    if (e->type() != QEvent::Wheel) return false;
    auto* widget = qobject_cast<QWidget*>(watched);
    auto* wheel = static_cast<QWheelEvent*>(e);
    if (!widget || widget->window() != this || wheel->angleDelta().y() == 0) return false;
    if (widget == canvas_ && (wheel->modifiers() & Qt::ControlModifier)) {
        zoomByWheel(wheel->angleDelta().y(), wheel->position());
        return true;
    }
    const bool held =
        wheel->buttons() != Qt::NoButton || (wheel->modifiers() & (Qt::ShiftModifier | Qt::ControlModifier));
    run([&] { editor_.wheel(wheel->angleDelta().y(), held); });
    return true;
}

void MainWindow::openTextDialog() {
    TextDialog dialog(
        editor_.text,
        [this] {
            editor_.previewText();
            canvas_->update();
        },
        this);
    // Beside the canvas the first time, where the user left it after that.
    dialog.adjustSize();
    const QRect canvas(canvas_->mapToGlobal(QPoint(0, 0)), canvas_->size());
    dialog.move(textDialogAt_ ? *textDialogAt_ : placeBeside(canvas, dialog.size(), screen()->availableGeometry()));
    if (prepareTextDialog) prepareTextDialog(dialog);
    const int answer = dialog.exec();
    textDialogAt_ = dialog.pos();
    if (answer == QDialog::Accepted)
        editor_.convertText();
    else
        editor_.cancelText();  // closing the dialog through its frame cancels too
    showState();
}

void MainWindow::play() {
    QTimer timer;
    timer.setTimerType(Qt::PreciseTimer);
    timer.setInterval(Playback::intervalFor(uint8_t(editor_.playRate())));
    connect(&timer, &QTimer::timeout, this, [this] { editor_.playback.tick(); });
    setPlaying(true);
    timer.start();
    editor_.play(waitForEvents, [this](int frame) {
        canvas_->update();
        feedLaser(frame);
    });
    timer.stop();
    setPlaying(false);
    showState();
}

// Everything that could change the sequence or the working frame rests while frames play; the
// Stop button, the strip's scroll bar, the sliders, "Pen mode" and the colours stay usable.
void MainWindow::setPlaying(bool playing) {
    for (ImageView* thumb : thumbs_) thumb->setEnabled(!playing);
    canvas_->setEnabled(!playing);
    for (QAction* menu : menuBar()->actions()) menu->setEnabled(!playing);
    for (QAbstractButton* tool : tools_->buttons()) tool->setEnabled(!playing);
    play_->setEnabled(!playing);
}

void MainWindow::paintToolIcons() {
    for (const ToolInfo& tool : toolButtons())
        if (QAbstractButton* b = tools_->button(tool.id))
            b->setIcon(toolIcon(tool, palette().color(QPalette::ButtonText)));
}

namespace {
// The files of a drop, when it is files on this machine and nothing else.
QStringList droppedFiles(const QMimeData* data) {
    QStringList paths;
    for (const QUrl& url : data->urls()) {
        if (!url.isLocalFile()) return {};
        paths << url.toLocalFile();
    }
    return paths;
}
}  // namespace

void MainWindow::dragEnterEvent(QDragEnterEvent* e) {
    if (!droppedFiles(e->mimeData()).isEmpty()) e->acceptProposedAction();
}

void MainWindow::dropEvent(QDropEvent* e) {
    const QStringList paths = droppedFiles(e->mimeData());
    if (paths.isEmpty()) return;
    e->acceptProposedAction();
    run([&] { editor_.dropFiles(paths); });
}

void MainWindow::changeEvent(QEvent* e) {
    if (e->type() == QEvent::PaletteChange || e->type() == QEvent::StyleChange) paintToolIcons();
    QMainWindow::changeEvent(e);
}

void MainWindow::closeEvent(QCloseEvent* e) {
    if (!exiting_) {
        bool closing = false;
        run([&] { closing = editor_.closeWindow(); });
        if (!closing) {
            e->ignore();  // the user stays with the sequence
            return;
        }
    }
    editor_.playback.requestStop();
    disarmLaser({});  // the beam goes dark before the window does
    e->accept();
}

}  // namespace quorvel
