// SPDX-License-Identifier: GPL-3.0-or-later
#include "laser/IdnStream.h"
#include "model/Text.h"

#include "laser/LaserFrames.h"

#include <sys/timerfd.h>
#include <unistd.h>
#include <QHostInfo>
#include <QSocketNotifier>
#include <QUdpSocket>
#include <algorithm>
#include <cerrno>
#include <cstring>

namespace quorvel::idn {

namespace {
constexpr Text UnreachableText{QT_TRANSLATE_NOOP("Texts", "The network cannot reach %1.")};
}

std::optional<Target> parseTarget(const QString& typed) {
    const QString t = typed.trimmed();
    QString host = t, port;
    if (t.startsWith('[')) {
        const qsizetype close = t.indexOf(']');
        if (close < 0) return std::nullopt;
        host = t.mid(1, close - 1);
        const QString rest = t.mid(close + 1);
        if (!rest.isEmpty() && !rest.startsWith(':')) return std::nullopt;
        port = rest.mid(1);
        if (rest == QLatin1String(":")) return std::nullopt;
    } else if (t.count(':') == 1) {
        const qsizetype colon = t.indexOf(':');
        host = t.left(colon), port = t.mid(colon + 1);
        if (port.isEmpty()) return std::nullopt;
    }
    Target target{host, Port, 0};
    if (port.isEmpty()) return target;
    bool ok = false;
    const int number = port.toInt(&ok);
    if (!ok || number < 1 || number > 65535) return std::nullopt;
    target.port = uint16_t(number);
    return target;
}

IdnStream::IdnStream(uint16_t firstSequence) { channel_.sequence = firstSequence; }

IdnStream::~IdnStream() {
    if (clockFd_ != -1) ::close(clockFd_);
}

bool IdnStream::open(const Target& target, int pointsPerSecond) {
    if (target.host.trimmed().isEmpty()) {
        error = Text(QT_TRANSLATE_NOOP("Texts", "No projector address was given."));
        return false;
    }
    QHostAddress address(target.host);
    if (address.isNull()) {
        const QHostInfo found = QHostInfo::fromName(target.host);
        if (found.addresses().isEmpty()) {
            error = Text(QT_TRANSLATE_NOOP("Texts", "%1 is not a known name.")).arg(target.host);
            return false;
        }
        address = found.addresses().front();
    }
    if (!socket_) socket_ = new QUdpSocket(this);
    // Connected, so the system reports a port nobody listens on as an error of the next send. A
    // datagram socket given an address connects at once or not at all: there is nothing to wait for.
    socket_->connectToHost(address, target.port);
    // As it would be typed back: an IPv6 address in brackets before its port.
    where_ = (target.host.contains(':') ? QStringLiteral("[%1]:%2") : QStringLiteral("%1:%2"))
                 .arg(target.host)
                 .arg(target.port);
    host_ = target.host;
    if (socket_->state() != QAbstractSocket::ConnectedState) {
        error = UnreachableText.arg(host_);
        return false;
    }
    if (clockFd_ == -1) {
        clockFd_ = ::timerfd_create(CLOCK_MONOTONIC, TFD_NONBLOCK | TFD_CLOEXEC);
        if (clockFd_ == -1) {
            error = QString::fromLocal8Bit(std::strerror(errno));
            return false;
        }
        clockWakes_ = new QSocketNotifier(clockFd_, QSocketNotifier::Read, this);
        connect(clockWakes_, &QSocketNotifier::activated, this, [this] {
            uint64_t expirations = 0;
            if (::read(clockFd_, &expirations, sizeof expirations) > 0) tick();
        });
    }
    channel_.serviceId = target.serviceId;
    pps_ = pointsPerSecond;
    clock_.start();
    frameDue_ = configurationDue_ = keepAliveDue_ = QDeadlineTimer(0);  // all due at once
    // Nothing shows before the first frame comes.
    current_ = blackout();
    changed_ = true;
    waiting_ = false;
    open_ = true;
    tick();
    return true;
}

void IdnStream::show(std::vector<Sample> samples, QDeadlineTimer at) {
    tick();  // a frame whose time came as this one was handed over goes, rather than being replaced
    next_ = std::move(samples);
    nextDue_ = at;
    waiting_ = true;
    tick();
}

bool IdnStream::takeDue() {
    if (!waiting_ || !nextDue_.hasExpired()) return false;
    waiting_ = false;
    if (next_ != current_) current_.swap(next_), changed_ = true;
    return true;
}

void IdnStream::tick() {
    if (!isOpen()) return;
    const bool taken = takeDue();
    // A frame sent again keeps the projector from timing out; it also starts a scan of its own.
    if ((changed_ && frameDue_.hasExpired()) || keepAliveDue_.hasExpired()) sendFrame();
    schedule();
    if (taken) emit frameTaken();  // once the frame has gone: what follows cannot delay it
}

void IdnStream::schedule() {
    if (!isOpen()) return;
    // QDeadlineTimer counts on the monotonic clock too: its deadlines are the clock's own times.
    qint64 due = keepAliveDue_.deadlineNSecs();
    if (changed_) due = std::min(due, frameDue_.deadlineNSecs());
    if (waiting_) due = std::min(due, nextDue_.deadlineNSecs());
    due = std::max<qint64>(due, 1);  // 0 would disarm the clock
    itimerspec at{};
    at.it_value = {time_t(due / 1'000'000'000), long(due % 1'000'000'000)};
    ::timerfd_settime(clockFd_, TFD_TIMER_ABSTIME, &at, nullptr);
}

void IdnStream::sendFrame() {
    const bool configure = configurationDue_.hasExpired();
    const uint32_t duration = frameDuration(int(current_.size()), pps_);
    for (const QByteArray& d : channel_.frame(current_, timestamp(), duration, configure))
        if (!send(d)) return;
    if (configure) configurationDue_.setRemainingTime(ConfigurationEveryMs, Qt::PreciseTimer);
    // A changed frame waits until the projector has scanned this one once.
    frameDue_ = QDeadlineTimer(std::chrono::microseconds(duration), Qt::PreciseTimer);
    changed_ = false;
}

bool IdnStream::send(const QByteArray& datagram) {
    if (socket_->write(datagram) == datagram.size()) {
        keepAliveDue_.setRemainingTime(KeepAliveEveryMs, Qt::PreciseTimer);
        return true;
    }
    const int code = errno;  // the system's reason: the socket only knows "unknown error"
    const QString why = failureText(code);
    close();
    emit failed(why);
    return false;
}

QString IdnStream::failureText(int code) const {
    switch (code) {
    case ECONNREFUSED: return Text(QT_TRANSLATE_NOOP("Texts", "Nothing answers at %1.")).arg(where_);
    case ENETUNREACH:
    case EHOSTUNREACH:
    case ENETDOWN:
    case EHOSTDOWN: return UnreachableText.arg(host_);
    default: return socket_->errorString();
    }
}

void IdnStream::close() {
    if (!isOpen()) return;
    open_ = false;
    const itimerspec stop{};
    ::timerfd_settime(clockFd_, 0, &stop, nullptr);
    const Sample last = current_.empty() ? Sample{} : current_.back();
    const auto quietly = [&](const QByteArray& d) { socket_->write(d); };  // a failing unit is already gone
    for (int k = 0; k < 2; ++k)
        for (const QByteArray& d :
             channel_.frame(blackout(last), timestamp(), frameDuration(MinFrameSamples, pps_), true))
            quietly(d);
    quietly(channel_.closeChannel(timestamp()));
    quietly(channel_.closeSession());
    socket_->flush();
    socket_->disconnectFromHost();
}

LaserOutput::LaserOutput(uint16_t firstSequence) {
    stream_ = new IdnStream(firstSequence);
    stream_->moveToThread(&thread_);
    connect(&thread_, &QThread::finished, stream_, &QObject::deleteLater);
    connect(stream_, &IdnStream::failed, this, [this](const QString& why) {
        armed_ = false;
        if (onFailed) onFailed(why);
    });
    thread_.start();
}

LaserOutput::~LaserOutput() {
    disarm();
    thread_.quit();
    thread_.wait();
}

bool LaserOutput::arm(const Target& target, int pointsPerSecond) {
    bool ok = false;
    QMetaObject::invokeMethod(
        stream_, [&] { ok = stream_->open(target, pointsPerSecond), error = stream_->error; },
        Qt::BlockingQueuedConnection);
    armed_ = ok;
    return ok;
}

void LaserOutput::show(std::vector<Sample> samples, QDeadlineTimer at) {
    if (!armed_) return;
    QMetaObject::invokeMethod(
        stream_, [s = stream_, samples = std::move(samples), at]() mutable { s->show(std::move(samples), at); });
}

void LaserOutput::setRate(int pointsPerSecond) {
    QMetaObject::invokeMethod(stream_, [s = stream_, pointsPerSecond] { s->setRate(pointsPerSecond); });
}

void LaserOutput::disarm() {
    if (!armed_) return;
    armed_ = false;
    QMetaObject::invokeMethod(
        stream_, [s = stream_] { s->close(); }, Qt::BlockingQueuedConnection);
}

}  // namespace quorvel::idn
