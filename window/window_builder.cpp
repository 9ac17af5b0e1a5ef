// SPDX-FileCopyrightText: 2026 Tavrello developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "window_builder.h"

#include "bordered_label.h"
#include "command_button.h"
#include "etched_frame.h"
#include "formula_picture.h"
#include "input_box.h"
#include "sample_count_box.h"
#include "slot_check_box.h"

#include <QGroupBox>
#include <QLabel>
#include <QRadioButton>

namespace tavrello {

namespace {

QRect pixelsOf(const Twips& place) {
    return {place.left / twipsPerPixel, place.top / twipsPerPixel, place.width / twipsPerPixel,
            place.height / twipsPerPixel};
}

QWidget* createFrame(const ControlSpec& entry, QWidget* container) {
    auto* frame = new EtchedFrame(entry.text, container);
    QPalette palette = frame->palette();
    palette.setColor(QPalette::WindowText, colourOf(entry.ink));
    frame->setPalette(palette);
    return frame;
}

QWidget* createLabel(const ControlSpec& entry, QWidget* container) {
    auto* label = entry.border == Border::Single ? new BorderedLabel(entry.text, container)
                                                 : new QLabel(entry.text, container);
    label->setAlignment(entry.alignment);
    label->setAutoFillBackground(true);
    QPalette palette = label->palette();
    palette.setColor(QPalette::WindowText, colourOf(entry.ink));
    palette.setColor(QPalette::Window, colourOf(entry.ground));
    label->setPalette(palette);
    return label;
}

QWidget* createTextBox(const ControlSpec&, QWidget* container) {
    return new InputBox(container);
}

QWidget* createDropDown(const ControlSpec& entry, QWidget* container) {
    auto* dropDown = new SampleCountBox(container);
    dropDown->addItems(entry.entries);
    dropDown->setCurrentIndex(-1);
    dropDown->setEditText(entry.text);
    return dropDown;
}

QWidget* createPushButton(const ControlSpec& entry, QWidget* container) {
    return new CommandButton(entry.text, container);
}

QWidget* createOptionButton(const ControlSpec& entry, QWidget* container) {
    auto* option = new QRadioButton(entry.text, container);
    option->setChecked(entry.set);
    QPalette palette = option->palette();
    palette.setColor(QPalette::WindowText, colourOf(entry.ink));
    option->setPalette(palette);
    // The option group is one Tab stop, on the chosen button; Qt keeps this up to date once
    // a button of the group has had the focus.
    if (!entry.set) {
        option->setFocusPolicy(Qt::ClickFocus);
    }
    return option;
}

QWidget* createCheckBox(const ControlSpec& entry, QWidget* container) {
    auto* check = new SlotCheckBox(container);
    check->setChecked(entry.set);
    return check;
}

QWidget* createPicture(const ControlSpec& entry, QWidget* container) {
    return new FormulaPicture(*entry.picture, container);
}

QWidget* createWidget(const ControlSpec& entry, QWidget* container) {
    switch (entry.kind) {
    case Kind::Frame:
        return createFrame(entry, container);
    case Kind::Label:
        return createLabel(entry, container);
    case Kind::TextBox:
        return createTextBox(entry, container);
    case Kind::DropDown:
        return createDropDown(entry, container);
    case Kind::PushButton:
        return createPushButton(entry, container);
    case Kind::OptionButton:
        return createOptionButton(entry, container);
    case Kind::CheckBox:
        return createCheckBox(entry, container);
    case Kind::Picture:
        return createPicture(entry, container);
    }
    Q_UNREACHABLE();
}

// Each setter sends the widget an event, and a start pays for every one of them: what the
// window already gives a widget (its font) or what is empty is not set.
void placeWidget(const ControlSpec& entry, QWidget& widget) {
    widget.setObjectName(entry.id);
    if (entry.face != Face::Plain) {
        widget.setFont(fontOf(entry.face));
    }
    widget.setGeometry(pixelsOf(entry.place));
    if (entry.sizing == Sizing::ToCaption) {
        widget.adjustSize();
    }
    if (!entry.tooltip.isEmpty()) {
        widget.setToolTip(entry.tooltip);
    }
    if (!entry.accessibleName.isEmpty()) {
        widget.setAccessibleName(entry.accessibleName);
    }
    if (!entry.accessibleDescription.isEmpty()) {
        widget.setAccessibleDescription(entry.accessibleDescription);
    }
    widget.setHidden(entry.hidden);
}

QWidget* containerOf(const ControlSpec& entry, QWidget& window) {
    if (entry.container == Container::Form1) {
        return &window;
    }
    return &control<QGroupBox>(window, "Frame1");
}

// Screen readers on Linux name a drop-down after the label that points to it.
void linkBuddies(const QWidget& window, const std::vector<ControlSpec>& table) {
    for (const ControlSpec& entry : table) {
        if (!entry.buddy.isEmpty()) {
            control<QLabel>(window, entry.id).setBuddy(&control<QWidget>(window, entry.buddy));
        }
    }
}

void chainFocus(const QWidget& window, const QStringList& order) {
    for (qsizetype next = 1; next < order.size(); ++next) {
        QWidget::setTabOrder(&control<QWidget>(window, order[next - 1]),
                             &control<QWidget>(window, order[next]));
    }
}

} // namespace

void buildWindow(QWidget& window, const std::vector<ControlSpec>& table,
                 const QStringList& focusOrder) {
    window.setFont(fontOf(Face::Plain));
    for (const ControlSpec& entry : table) {
        placeWidget(entry, *createWidget(entry, containerOf(entry, window)));
    }
    linkBuddies(window, table);
    chainFocus(window, focusOrder);
}

} // namespace tavrello
