// SPDX-License-Identifier: GPL-3.0-or-later
#include "TestSupport.h"

#include <QDir>
#include <QFile>
#include <cstring>

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

template <class P> P pointAt(int x, int y, uint8_t status) {
    P p{};
    FrameHeader::split(uint16_t(x), p.xHi, p.xLo);
    FrameHeader::split(uint16_t(y), p.yHi, p.yLo);
    p.status = status;
    return p;
}

Point3D point3D(int x, int y, uint8_t status, uint8_t color) {
    Point3D p = pointAt<Point3D>(x, y, status);
    p.colorIndex = color;
    return p;
}
Point2D point2D(int x, int y, uint8_t status, uint8_t color) {
    Point2D p = pointAt<Point2D>(x, y, status);
    p.colorIndex = color;
    return p;
}
PointTrue2D pointTrue(int x, int y, uint8_t status, uint8_t r, uint8_t g, uint8_t b) {
    PointTrue2D p = pointAt<PointTrue2D>(x, y, status);
    p.red = r, p.green = g, p.blue = b;
    return p;
}

QByteArray readFile(const QString& path) {
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

void writeFile(const QString& path, const QByteArray& bytes) {
    QFile f(path);
    if (f.open(QIODevice::WriteOnly | QIODevice::Truncate)) f.write(bytes);
}

FrameHeader headerAt(const QByteArray& bytes, int64_t offset) {
    FrameHeader h{};
    std::memcpy(&h, bytes.constData() + offset, sizeof h);
    return h;
}

}  // namespace quorvel::test
