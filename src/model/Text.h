// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// A text the user reads. The English words it is made with are the source every translation is
// made from (`lupdate` finds them by their QT_TRANSLATE_NOOP("Texts", ...)); shown, it reads in
// the user's language when a translation of it is loaded, else as written.
#include <QCoreApplication>
#include <QString>
#include <utility>

namespace quorvel {

class Text {
public:
    constexpr explicit Text(const char* source) : source_(source) {}
    operator QString() const { return QCoreApplication::translate("Texts", source_); }
    template <class... A> QString arg(A&&... values) const { return QString(*this).arg(std::forward<A>(values)...); }
    const char* source() const { return source_; }

private:
    const char* source_;
};

}  // namespace quorvel
