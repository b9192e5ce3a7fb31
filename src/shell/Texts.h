// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The window's own captions and messages, word for word.
#include "ilda/IldaReader.h"

#include <QString>

namespace quorvel {

inline const QString MainTitle = QStringLiteral("Quorvel Laser Editor");
inline const QString AppTitle = QStringLiteral("Quorvel Editor");
inline const QString SaveQuestion = QStringLiteral("File changed. Do you want to save it?");
inline const QString RecoverQuestion = QStringLiteral("The last session ended without saving. Recover its %1 frames?");
inline const QString RecoverFileQuestion =
    QStringLiteral("The last session ended without saving. Recover its %1 frames of %2?");
inline const QString ReplaceQuestion = QStringLiteral("%1 already exists. Replace it?");
inline const QString IldaFilter = QStringLiteral("ILDA Files *.ILD|*.ild");
inline const QString SequenceFullNote = QStringLiteral("The sequence is full (10000 frames).");
inline const QString TooManyFramesNote = QString::fromLatin1(TooManyFramesText);
inline const QString FileUnreadableNote = QString::fromLatin1(FileUnreadableText) + QStringLiteral("%1");
inline const QString FileUnwritableNote = QStringLiteral("The file could not be written: %1");
inline const QString NothingToSave =
    QStringLiteral("the frame buffer file could not be started, so it holds no sequence to save");
inline const QString NoFramesToSave = QStringLiteral("the sequence has no frames");
inline const QString FrameUnreadable = QStringLiteral("Frame %1 could not be read from the frame buffer file.");
inline const QString FlickerWarning = QStringLiteral(
    "At %1 kpps the projector redraws this frame fewer than %2 times a second: it will flicker. "
    "Use fewer points or a faster projector (View Options).");
inline const QString SdCardFilter = QStringLiteral("ILDA for SD-card projectors *.ILD|*.ild");
inline const QString NotShortName = QStringLiteral("SD cards may need a name like SHOW01.ILD.");
inline const QString ExportedNote = QStringLiteral("Exported %1 frames for SD-card projectors to %2.");
inline const QString SavedNote = QStringLiteral("Saved %1 frames.");
inline const QString NoPointsToCopy = QStringLiteral("No points selected to copy");
inline const QString NoPointsToCut = QStringLiteral("No points selected to cut");
inline const QString TrueColorIntoIndexed =
    QStringLiteral("True color points could not be inserted into indexed color space");
inline const QString NoRoomForPaste = QStringLiteral("Not enough room: the frame would have more than 20000 points.");
// PNG is offered beside BMP and JPEG: the picture loader reads it as well.
inline const QString ImageFilter = QStringLiteral("Image Files *.BMP,*.JPG|*.bmp;*.jpg;*.jpeg;*.png");
inline const QString RecentFileGone = QStringLiteral("%1 is no longer there: it was taken off Recent Files.");
inline const QString PictureUnreadable = QStringLiteral("The picture could not be read.");
inline const QString OptimisedNote = QStringLiteral("Optimised: %1 \u2192 %2 points, %3 corners held.");
inline const QString NothingToOptimise = QStringLiteral("Nothing to optimise.");
inline const QString SettingsUnkeptNote =
    QStringLiteral("Settings and Recent Files cannot be kept: %1 takes no files.");
inline const QString SvgFilter = QStringLiteral("SVG Drawings *.SVG|*.svg;*.svgz");
inline const QString SvgUnreadable = QStringLiteral("%1 could not be read as an SVG drawing: %2.");
inline const QString SvgImportedNote = QStringLiteral("Imported %1: %2 outlines, %3 points, %4 elements left out.");
inline const QString SvgFrameFullNote = QStringLiteral("The frame is full: %1 of %2 outlines imported.");
inline const QString ImportingDrawings = QStringLiteral("Importing drawings...");
inline const QString CancellingWork = QStringLiteral("Cancelling...");
inline const QString SvgFramesNote = QStringLiteral("Imported %1 drawings as frames %2 to %3, %4 elements left out.");

}  // namespace quorvel
