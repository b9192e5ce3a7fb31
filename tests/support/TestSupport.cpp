#include "TestSupport.h"

#include <QDir>
#include <QFile>

namespace quorvel::test {

ProgramFolder::ProgramFolder(bool withConfig) {
    QFile::copy(QStringLiteral(QUORVEL_DATA_DIR "/ilda.dat"), file("ilda.dat"));
    QFile::copy(QStringLiteral(QUORVEL_DATA_DIR "/pangolin.dat"), file("pangolin.dat"));
    if (withConfig) QFile::copy(QStringLiteral(QUORVEL_DATA_DIR "/config.dat"), file("config.dat"));
    for (const char* name : {"ilda.dat", "pangolin.dat", "config.dat"})
        QFile::setPermissions(file(name), QFile::ReadOwner | QFile::WriteOwner);
    QDir(path()).mkpath("buffer");
    QFile(bufferPath()).open(QIODevice::WriteOnly);  // as a started sequence has it
}

Answer ScriptedPrompts::askYesNoCancel(const QString& text) {
    questions << text;
    if (answers.empty()) return Answer::Cancel;
    const Answer a = answers.front();
    answers.pop_front();
    return a;
}

void ScriptedPrompts::message(const QString& text, MessageIcon icon) {
    messages << text;
    lastIcon = icon;
    if (onMessage) onMessage();
}

QString ScriptedPrompts::openFileName(const QString& filter) {
    filters << filter;
    if (fileNames.empty()) return {};
    const QString f = fileNames.front();
    fileNames.pop_front();
    return f;
}

QString ScriptedPrompts::saveFileName(const QString& filter) { return openFileName(filter); }

namespace {
void split(int v, uint8_t& hi, uint8_t& lo) {
    const auto u = static_cast<uint16_t>(static_cast<int16_t>(v));
    hi = static_cast<uint8_t>(u >> 8);
    lo = static_cast<uint8_t>(u & 0xFF);
}
}  // namespace

template <class P> P indexedPoint(int x, int y, uint8_t status, uint8_t color) {
    P p{};
    split(x, p.xHi, p.xLo);
    split(y, p.yHi, p.yLo);
    p.status = status;
    p.colorIndex = color;
    return p;
}

Point3D point3D(int x, int y, uint8_t status, uint8_t color) { return indexedPoint<Point3D>(x, y, status, color); }
Point2D point2D(int x, int y, uint8_t status, uint8_t color) { return indexedPoint<Point2D>(x, y, status, color); }

PointTrue2D pointTrue(int x, int y, uint8_t status, uint8_t r, uint8_t g, uint8_t b) {
    PointTrue2D p{};
    split(x, p.xHi, p.xLo);
    split(y, p.yHi, p.yLo);
    p.status = status;
    p.red = r, p.green = g, p.blue = b;
    return p;
}

QByteArray readFile(const QString& path) {
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

}  // namespace quorvel::test
