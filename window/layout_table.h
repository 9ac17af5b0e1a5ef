// SPDX-FileCopyrightText: 2026 Tavrello developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "window/appearance.h"
#include "window/drawings/vector_drawing.h"
#include "window/form_controls.h"

#include <QString>
#include <QStringList>
#include <Qt>
#include <optional>
#include <variant>
#include <vector>

namespace tavrello {

// The member of FormControls that keeps a control once it is made; its type is the kind of
// control the builder makes.
using ControlSlot =
    std::variant<EtchedFrame**, QLabel**, BorderedLabel**, SampleCountBox**, InputBox**,
                 QRadioButton**, FormulaPicture**, SlotCheckBox**, CommandButton**>;

// Where a control's Left and Top are measured from.
enum class Container { Form1, Frame1 };

// A self-sizing label fits itself to its caption; the table gives its start size.
enum class Sizing { Fixed, ToCaption };

// Left, Top, Width, Height in twips; 15 twips make one pixel at 96 dpi.
struct Twips {
    int left = 0;
    int top = 0;
    int width = 0;
    int height = 0;
};

// One control of the window with everything it shows at start.
struct ControlSpec {
    QString id{};
    ControlSlot slot{};
    Container container = Container::Frame1;
    Twips place{};
    QString text{};
    QString tooltip{};
    Ink ink = Ink::ButtonText;
    Ground ground = Ground::ButtonFace;
    Face face = Face::Plain;
    Qt::Alignment alignment = Qt::AlignLeft | Qt::AlignVCenter;
    Sizing sizing = Sizing::Fixed;
    bool hidden = false;
    bool set = false; // chosen option button, ticked check box
    QString accessibleName{};
    QString accessibleDescription{};
    std::optional<ControlSlot> buddy{}; // the control a label names
    const Drawing* picture = nullptr;   // of a formula picture
    QStringList entries{};              // list of a drop-down
};

inline constexpr int windowWidthTwips = 7935;
inline constexpr int windowHeightTwips = 6300;
inline constexpr int twipsPerPixel = 15;

// Every control in creation order: containers before their contents, earlier ones below. Each
// row names the member of `controls` that keeps the control once it is made.
std::vector<ControlSpec> layoutTable(FormControls& controls);

// The controls in the order Tab moves through them.
std::vector<QWidget*> focusOrder(const FormControls& controls);

// The range method's deviation reads only rows 1 and 2, captioned "Xmax" and "Xmin".
inline constexpr int rangeRowCount = 2;

// "01→" to "20→", the layout caption of input row 1 to 20.
QString rowCaption(int row);

// Identifiers of the numbered controls: "Text7", "Check2", "Label1(0)".
QString numbered(const QString& prefix, int number);
QString rowCaptionId(int row);

// "第 1 组 测量列中单次测量的标准差": what result label 0 to 11 of FormControls::Results holds.
QString resultMeaning(int index);

// "测量列中单次测量的标准差": what the labels of the group hold, as the group's command says.
QString resultQuantity(ResultGroup group);

} // namespace tavrello
