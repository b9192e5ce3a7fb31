#include "EditorFixture.h"
#include "IldaBuilder.h"

#include <QFile>

using namespace quorvel;
using namespace quorvel::test;

namespace {
FrameHeader headerAt(const QByteArray& b, int offset) {
    FrameHeader h{};
    std::memcpy(&h, b.constData() + offset, 32);
    return h;
}
// Signature, format, name and company, count, number and total of a header, as one string.
std::string fields(const FrameHeader& h) {
    return std::string(reinterpret_cast<const char*>(h.signature), 4) + ' ' + std::to_string(h.formatCode) + ' ' +
           std::string(reinterpret_cast<const char*>(h.frameName), 16) + ' ' + std::to_string(h.pointCount()) + ' ' +
           std::to_string(h.frameNumber()) + '/' + std::to_string(h.totalFrames());
}
struct SaveFixture : EditorFixture {
    QByteArray save() {
        saveAs(folder.file("out.ild"));
        return readFile(folder.file("out.ild"));
    }
};
}  // namespace

TEST_F(SaveFixture, OneEmptyFrameGivesTwoHeadersAndNoFramesOnlyTheClosingOne) {
    editor.seq.fileChanged = true;
    QByteArray b = save();
    ASSERT_EQ(b.size(), 64);
    EXPECT_EQ(fields(headerAt(b, 0)).substr(0, 6), "ILDA 0");
    EXPECT_EQ(fields(headerAt(b, 0)).substr(24), "0 1/1");
    EXPECT_EQ(fields(headerAt(b, 32)), "ILDA 0 FILE    COMPANY  0 2/1");
    EXPECT_FALSE(editor.seq.fileChanged);
    editor.openFile(IldaBuilder().raw(QByteArray(32, 'x')).save(folder.file("bad.ild")));
    b = save();
    ASSERT_EQ(b.size(), 32);
    EXPECT_EQ(fields(headerAt(b, 0)), "ILDA 0 FILE    COMPANY  0 1/0");
}

TEST_F(SaveFixture, FramesAreRenumberedAndTheFileIsExactlyAsLongAsWritten) {
    IldaBuilder file;
    file.section(1, 10, 5, "ten").section(1, 3, 5, "three").section(5, 2, 5, "true").section(0, 0, 5, "none")
        .section(4, 1, 5, "deep");
    editor.openFile(file.save(folder.file("in.ild")));
    IldaBuilder().raw(QByteArray(5000, 'z')).save(folder.file("out.ild"));  // a longer file is replaced
    const QByteArray b = save();
    ASSERT_EQ(b.size(), 32 + 60 + 32 + 18 + 32 + 16 + 32 + 32 + 8 + 32);
    const std::string expected[] = {"ILDA 1 ten     tests    10 1/5", "ILDA 1 three   tests    3 2/5",
                                    "ILDA 5 true    tests    2 3/5", "ILDA 0 none    tests    0 4/5",
                                    "ILDA 5 deep    tests    1 5/5", "ILDA 5 FILE    COMPANY  0 6/5"};
    const int offsets[] = {0, 92, 142, 190, 222, 262};  // the closing header starts from the last frame's
    for (int i = 0; i < 6; ++i) EXPECT_EQ(fields(headerAt(b, offsets[i])), expected[i]);
    EXPECT_EQ(headerAt(b, 92).scannerHead, 3);
    EXPECT_EQ(b.mid(32, 60), file.bytes().mid(32, 60));  // points as read
}

TEST_F(SaveFixture, AChangedFrameIsWrittenBackFirst) {
    editor.chooseThumbnail(0, true);
    Frame0& f = *editor.frame.frame0;
    f.pointCount = 2;
    f.points[0] = point3D(-32768, 32767, 0, 5);
    f.points[1] = point3D(1, 2, 64, 6);
    editor.seq.framechanged = true;
    const QByteArray b = save();
    ASSERT_EQ(b.size(), 32 + 16 + 32);
    EXPECT_EQ(b.mid(32, 16), QByteArray("\x80\x00\x7F\xFF\x00\x00\x00\x05\x00\x01\x00\x02\x00\x00\xC0\x06", 16));
    EXPECT_TRUE(editor.seq.framechanged);  // Save As leaves it set
}
