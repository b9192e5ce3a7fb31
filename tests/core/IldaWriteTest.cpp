#include "IldaBuilder.h"
#include "TestSupport.h"
#include "ilda/IldaReader.h"
#include "ilda/IldaWriter.h"
#include "shell/Editor.h"

#include <QDir>
#include <QFile>
#include <gtest/gtest.h>

using namespace quorvel;
using namespace quorvel::test;

namespace {
struct SaveFixture : ::testing::Test {
    ProgramFolder folder;
    ScriptedPrompts prompts;
    Editor editor{folder.path(), prompts};

    QByteArray saveAs(const QString& name = "out.ild") {
        prompts.fileNames = {folder.file(name)};
        editor.saveAs();
        return readFile(folder.file(name));
    }
    static FrameHeader headerAt(const QByteArray& b, int offset) {
        FrameHeader h{};
        std::memcpy(&h, b.constData() + offset, 32);
        return h;
    }
};
std::string name(const uint8_t* field) { return std::string(reinterpret_cast<const char*>(field), 8); }
}  // namespace

TEST_F(SaveFixture, OneEmptyFrameGivesTwoHeaders) {
    const QByteArray b = saveAs();
    ASSERT_EQ(b.size(), 64);
    const FrameHeader first = headerAt(b, 0), end = headerAt(b, 32);
    EXPECT_TRUE(first.hasIldaSignature());
    EXPECT_EQ(first.pointCount(), 0);
    EXPECT_EQ(first.frameNumber(), 1);
    EXPECT_EQ(first.totalFrames(), 1);
    EXPECT_TRUE(end.hasIldaSignature());
    EXPECT_EQ(end.frameNumber(), 2);
    EXPECT_EQ(end.totalFrames(), 1);
    EXPECT_EQ(end.pointCount(), 0);
    EXPECT_EQ(name(end.frameName), "FILE    ");
    EXPECT_EQ(name(end.companyName), "COMPANY ");
    EXPECT_FALSE(editor.seq.fileChanged);
}

TEST_F(SaveFixture, FramesAreRenumberedAndTheFileIsExactlyAsLongAsWritten) {
    IldaBuilder file;
    file.section(1, 10, 5, "ten").section(1, 3, 5, "three").section(5, 2, 5, "true").section(0, 0, 5, "none")
        .section(4, 1, 5, "deep");
    editor.openFile(file.save(folder.file("in.ild")));
    QFile old(folder.file("out.ild"));
    ASSERT_TRUE(old.open(QIODevice::WriteOnly));
    old.write(QByteArray(5000, 'z'));  // a longer file is replaced, not overwritten in place
    old.close();
    const QByteArray b = saveAs();
    ASSERT_EQ(b.size(), 32 + 60 + 32 + 18 + 32 + 16 + 32 + 32 + 8 + 32);
    const int offsets[] = {0, 92, 142, 190, 222};
    for (int i = 0; i < 5; ++i) {
        const FrameHeader h = headerAt(b, offsets[i]);
        EXPECT_TRUE(h.hasIldaSignature());
        EXPECT_EQ(h.frameNumber(), i + 1);
        EXPECT_EQ(h.totalFrames(), 5);
        EXPECT_EQ(h.scannerHead, 3);
    }
    EXPECT_EQ(name(headerAt(b, 92).frameName), "three   ");
    EXPECT_EQ(headerAt(b, 222).formatCode, 5);
    const FrameHeader end = headerAt(b, 262);
    EXPECT_EQ(end.frameNumber(), 6);
    EXPECT_EQ(end.formatCode, 5);  // the closing header starts from the last frame's header
    EXPECT_EQ(b.mid(32, 60), file.bytes().mid(32, 60));  // points as read
}

TEST_F(SaveFixture, AChangedFrameIsWrittenBackFirst) {
    editor.chooseThumbnail(0, true);
    Frame0& f = *editor.frame.frame0;
    f.pointCount = 2;
    f.points[0] = point3D(-32768, 32767, 0, 5);
    f.points[1] = point3D(1, 2, 64, 6);
    editor.seq.framechanged = true;
    const QByteArray b = saveAs();
    ASSERT_EQ(b.size(), 32 + 16 + 32);
    EXPECT_EQ(headerAt(b, 0).pointCount(), 2);
    EXPECT_EQ(uint8_t(b[32 + 8 + 6]), 64 | 128);
    EXPECT_EQ(uint8_t(b[32 + 6]), 0);
    EXPECT_TRUE(editor.seq.framechanged);  // Save As leaves it set
}

TEST_F(SaveFixture, NoFramesGivesOnlyTheClosingHeader) {
    editor.openFile(IldaBuilder().raw(QByteArray(32, 'x')).save(folder.file("bad.ild")));
    const QByteArray b = saveAs();
    ASSERT_EQ(b.size(), 32);
    const FrameHeader end = headerAt(b, 0);
    EXPECT_EQ(end.frameNumber(), 1);
    EXPECT_EQ(end.totalFrames(), 0);
    EXPECT_EQ(end.formatCode, 0);
    EXPECT_EQ(name(end.frameName), "FILE    ");
}
