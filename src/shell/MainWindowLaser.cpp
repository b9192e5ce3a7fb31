// SPDX-License-Identifier: GPL-3.0-or-later
// The window's laser output: armed only by the user, fed after every command and every played
// frame, dark again on Disarm, Stop, closing, or a failure to send.
#include "laser/LaserFrames.h"
#include "shell/LaserDialog.h"
#include "shell/MainWindow.h"

#include <QLabel>
#include <QMenuBar>

namespace quorvel {

void MainWindow::buildOutputMenu() {
    QMenu* output = menuBar()->addMenu(tr("Output"));
    output->setObjectName("mnuOutput");
    connect(addItem(output, "mnuLaserOutput", QT_TR_NOOP("Laser Output...")), &QAction::triggered, this,
            [this] { openLaserDialog(); });
    connect(addItem(output, "mnuDisarmLaser", QT_TR_NOOP("Disarm Laser"), QKeySequence(Qt::Key_F12)),
            &QAction::triggered, this, [this] { disarmLaser(tr("Laser output disarmed.")); });
}

void MainWindow::openLaserDialog() {
    LaserDialog dialog(editor_.more.laser, laserPattern_, this);
    laserDialog_ = &dialog;  // a failure while it is open shows on its button at once
    dialog.arm = [this](const LaserSettings& s, bool pattern) { return armLaser(s, pattern); };
    dialog.disarm = [this] { disarmLaser(tr("Laser output disarmed.")); };
    dialog.armed = [this] { return laser_ && laser_->armed(); };
    dialog.changed = [this](const LaserSettings& s, bool pattern) {
        editor_.more.laser = s;
        laserPattern_ = pattern;
        laser_->setRate(s.kpps * 1000);
        feedLaser();
        showLaserState();
    };
    dialog.find = [] { return idn::findUnits(idn::broadcastAddresses()); };
    dialog.exec();
    laserDialog_ = nullptr;
    editor_.more.laser = dialog.chosen();
    laserPattern_ = dialog.testPattern();
    showLaserState();
}

QString MainWindow::armLaser(const LaserSettings& s, bool testPattern) {
    editor_.more.laser = s;
    laserPattern_ = testPattern;
    if (!laser_) {
        laser_ = std::make_unique<idn::LaserOutput>();
        laser_->onFailed = [this](const QString& why) {
            showNote(tr("Laser output stopped: %1").arg(why));
            if (laserDialog_) laserDialog_->showArmed(why);
            showLaserState();
        };
    }
    const std::optional<idn::Target> target = idn::parseTarget(s.address);
    if (!target) {
        const QString why = tr("%1 is no projector address: type HOST, HOST:PORT or [IPv6]:PORT.").arg(s.address);
        showNote(tr("Laser output not armed: %1").arg(why));
        return why;
    }
    if (!laser_->arm(*target, s.kpps * 1000)) {
        showNote(tr("Laser output not armed: %1").arg(laser_->error));
        return laser_->error;
    }
    feedLaser();
    showLaserState();
    return {};
}

void MainWindow::disarmLaser(const QString& note) {
    if (!laser_ || !laser_->armed()) return;
    laser_->disarm();
    if (!note.isEmpty()) showNote(note);
    showLaserState();
}

void MainWindow::feedLaser(int frame) {
    if (!laser_ || !laser_->armed()) return;
    const LaserSettings& s = editor_.more.laser;
    if (laserPattern_) {
        laser_->show(idn::testPattern(s.area));
    } else if (frame > 0) {
        if (!played_) played_ = std::make_unique<WorkingFrame>();
        editor_.buffer.copyFrameToRam(frame, *played_);
        laser_->show(idn::frameSamples(*played_, editor_.palette, s.area));
    } else {
        // Before a frame is chosen there is nothing to show: the beam stays dark.
        laser_->show(editor_.seq.editEnabled ? idn::frameSamples(editor_.frame, editor_.palette, s.area)
                                             : idn::blackout());
    }
}

void MainWindow::showLaserState() {
    const bool on = laser_ && laser_->armed();
    const LaserSettings& s = editor_.more.laser;
    // A projector that cannot scan the frame 15 times a second makes it flicker.
    const bool tooMany = on && !laserPattern_ && Playback::flickers(editor_.frame.pointCount() + 1, s.kpps);
    QString text;
    if (on)
        text = tr("Laser: %1 · %2 kpps · sending%3")
                   .arg(s.name.isEmpty() ? s.address : s.name)
                   .arg(s.kpps)
                   .arg(tooMany ? tr(" · too many points for 15 fps") : QString());
    laserLabel_->setText(text);
    laserLabel_->setVisible(on);
    laserLabel_->setStyleSheet(tooMany ? QStringLiteral("color: #d04000; font-weight: bold")
                                       : QStringLiteral("color: #d04000"));
}

}  // namespace quorvel
