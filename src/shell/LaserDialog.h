// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// "Laser Output": which projector, how fast, where the frame lands on it, a test pattern, and
// the Arm / Disarm button. What arming, disarming and finding do is the window's.
#include "laser/IdnDiscovery.h"
#include "model/MoreSettings.h"

#include <QDialog>
#include <functional>

class QCheckBox;
class QComboBox;
class QLabel;
class QPushButton;
class QSpinBox;

namespace quorvel {

class LaserDialog final : public QDialog {
    Q_OBJECT
public:
    LaserDialog(const LaserSettings& current, bool testPattern, QWidget* parent = nullptr);
    LaserSettings chosen() const;
    bool testPattern() const;

    std::function<QString(const LaserSettings&, bool testPattern)> arm;  // why it stays disarmed; empty: armed
    std::function<void()> disarm;
    std::function<bool()> armed;
    std::function<void(const LaserSettings&, bool testPattern)> changed;  // while armed
    std::function<std::vector<idn::FoundUnit>()> find;                    // broadcasts on the network
    // Shows the state of the output on the button, and under it the note (kept while armed
    // only if there is one; a failure's reason stays until the next try).
    void showArmed(const QString& note = {});

private:
    QComboBox* projector_ = nullptr;
    QSpinBox *kpps_ = nullptr, *sizeX_ = nullptr, *sizeY_ = nullptr, *offsetX_ = nullptr, *offsetY_ = nullptr;
    QCheckBox *flipX_ = nullptr, *flipY_ = nullptr, *pattern_ = nullptr;
    QPushButton* arm_ = nullptr;
    QLabel* note_ = nullptr;
    LaserSettings current_;
    std::vector<idn::FoundUnit> found_;
};

}  // namespace quorvel
