// SPDX-FileCopyrightText: 2026 Tavrello developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "engine/controls.h"
#include "window/drawings/formula_picture.h"
#include "window/widgets/bordered_label.h"
#include "window/widgets/command_button.h"
#include "window/widgets/etched_frame.h"
#include "window/widgets/input_box.h"
#include "window/widgets/sample_count_box.h"
#include "window/widgets/slot_check_box.h"

#include <QLabel>
#include <QRadioButton>
#include <array>

namespace tavrello {

inline constexpr int methodCount = 4;
inline constexpr int commandCount = 5;
inline constexpr int resultLabelCount = 3 * slotCount;

// Every control of the window, each as the type it is made as, named by its identifier. The
// numbered ranges are arrays counted from 0: Text[k - 1] is input box Textk, Label1[k] the row
// caption Label1(k), Results[0] to Results[11] are Label12 to Label23 (the mean group, then
// the two deviation groups, each in slot order).
struct FormControls {
    EtchedFrame* Frame1 = nullptr;
    EtchedFrame* Frame2 = nullptr;
    EtchedFrame* Frame3 = nullptr;
    QLabel* Label5 = nullptr;
    QLabel* Label6 = nullptr;
    QLabel* Label7 = nullptr;

    std::array<QRadioButton*, methodCount> Option{};
    std::array<FormulaPicture*, methodCount> Image{};

    QLabel* Label4 = nullptr;
    SampleCountBox* Combo1 = nullptr;
    QLabel* Label2 = nullptr;
    QLabel* Label3 = nullptr;
    std::array<QLabel*, inputBoxCount> Label1{};
    std::array<InputBox*, inputBoxCount> Text{};

    QLabel* Label11 = nullptr;
    std::array<SlotCheckBox*, slotCount> Check{};
    std::array<BorderedLabel*, resultLabelCount> Results{};
    CommandButton* Command1 = nullptr;
    CommandButton* Command2 = nullptr;
    CommandButton* Command3 = nullptr;
    CommandButton* Command4 = nullptr;
    CommandButton* Command5 = nullptr;

    BorderedLabel* Label8 = nullptr;
    BorderedLabel* Label9 = nullptr;
    BorderedLabel* Label10 = nullptr;
};

} // namespace tavrello
