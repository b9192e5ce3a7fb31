// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The picture laid under the canvas to trace over.
#include <QImage>
#include <QString>

namespace quorvel {

// The picture as the canvas shows it: stretched to 514 x 514 pixels whatever its shape, of which
// the canvas holds the top-left 512 x 512. A null image when the file cannot be read as a picture.
QImage loadBackgroundPicture(const QString& path);

}  // namespace quorvel
