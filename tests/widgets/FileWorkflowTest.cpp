// Opening, browsing and saving through the real main window, with the file dialogs scripted.
#include "WindowFixture.h"
#include "ilda/IldaReader.h"
#include "shell/Editor.h"
#include "shell/MainWindow.h"
#include "shell/QtPrompts.h"

#include <QLabel>
#include <QScrollBar>
#include <QtTest>

using namespace quorvel;
using namespace quorvel::test;

class FileWorkflowTest : public QObject {
    Q_OBJECT

    using Fixture = WindowFixture;

private slots:
    void openBrowseAndSaveASample() {
        Fixture f;
        const QString sample = QStringLiteral(QUORVEL_SAMPLES_DIR "/laserboy-in.ild");
        if (!QFile::exists(sample)) QSKIP("no sample folder beside the checkout");
        // Names on this system are case-sensitive: the dialog offers both spellings.
        QCOMPARE(QtPrompts::qtFilter(IldaFilter), QString("ILDA Files *.ILD (*.ild *.ILD)"));
        f.prompts.fileNames = {sample};
        f.window.action("mnuOpen")->trigger();
        const FrameScan scan = seekFrames(sample);
        QCOMPARE(f.editor.seq.totalFrames, scan.framesFound);
        QCOMPARE(f.window.windowTitle(), QString("Quorvel Laser Editor: laserboy-in.ild"));
        QCOMPARE(f.text("LblFrameNumber0"), QString("1"));
        QCOMPARE(f.text("LblPointsNumber"), QString::number(scan.sections[0].header.pointCount()));

        // Scroll one step: the strip moves by four frames.
        auto* scroll = f.window.findChild<QScrollBar*>("VScroll1");
        QCOMPARE(scroll->maximum(), scan.framesFound / 4);
        scroll->setValue(1);
        QCOMPARE(f.text("LblFrameNumber0"), QString("5"));

        // Left click frame 6, right click frame 8: frames 6..8 selected, frame 8 loaded.
        QTest::mouseClick(f.thumb(1), Qt::LeftButton);
        QTest::mouseClick(f.thumb(3), Qt::RightButton);
        QCOMPARE(f.editor.seq.selFrameStart, 6);
        QCOMPARE(f.editor.seq.selFrameLen, 3);
        QCOMPARE(f.editor.seq.currentFrame, 8);
        QVERIFY(f.editor.seq.editEnabled);
        QVERIFY(f.window.action("mnuUndo")->isEnabled());
        const FrameHeader eighth = f.editor.buffer.readHeader(8).value();
        QCOMPARE(f.text("LblPointsNumber"), QString::number(eighth.pointCount()));
        const QImage thumb = f.thumb(1)->grab().toImage();
        QCOMPARE(thumb.pixelColor(0, 0), f.window.palette().color(QPalette::Highlight));

        const QString out = f.folder.file("saved.ild");
        f.prompts.fileNames = {out};
        f.window.action("mnuSaveAs")->trigger();
        const FrameScan saved = seekFrames(out);
        QVERIFY(!saved.rejected);
        QCOMPARE(saved.framesFound, scan.framesFound);
        QCOMPARE(saved.sections[7].header.pointCount(), eighth.pointCount());
    }
};

QTEST_MAIN(FileWorkflowTest)
#include "FileWorkflowTest.moc"
