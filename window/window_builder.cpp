// SPDX-FileCopyrightText: 2026 Tavrello developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "window/window_builder.h"

#include "window/layout_table.h"

namespace tavrello {

namespace {

QRect pixelsOf(const Twips& place) {
    return {place.left / twipsPerPixel, place.top / twipsPerPixel, place.width / twipsPerPixel,
            place.height / twipsPerPixel};
}

EtchedFrame* create(const ControlSpec& entry, QWidget* container, EtchedFrame**) {
    auto* frame = new EtchedFrame(entry.text, container);
    QPalette palette = frame->palette();
    palette.setColor(QPalette::WindowText, colourOf(entry.ink));
    frame->setPalette(palette);
    return frame;
}

// The ink and ground of a label of either kind.
template <typename Label> Label* filled(const ControlSpec& entry, Label* label) {
    label->setAlignment(entry.alignment);
    label->setAutoFillBackground(true);
    QPalette palette = label->palette();
    palette.setColor(QPalette::WindowText, colourOf(entry.ink));
    palette.setColor(QPalette::Window, colourOf(entry.ground));
    label->setPalette(palette);
    return label;
}

QLabel* create(const ControlSpec& entry, QWidget* container, QLabel**) {
    return filled(entry, new QLabel(entry.text, container));
}

BorderedLabel* create(const ControlSpec& entry, QWidget* container, BorderedLabel**) {
    return filled(entry, new BorderedLabel(entry.text, container));
}

InputBox* create(const ControlSpec&, QWidget* container, InputBox**) {
    return new InputBox(container);
}

SampleCountBox* create(const ControlSpec& entry, QWidget* container, SampleCountBox**) {
    auto* dropDown = new SampleCountBox(container);
    dropDown->addItems(entry.entries);
    dropDown->setCurrentIndex(-1);
    dropDown->setEditText(entry.text);
    return dropDown;
}

CommandButton* create(const ControlSpec& entry, QWidget* container, CommandButton**) {
    return new CommandButton(entry.text, container);
}

QRadioButton* create(const ControlSpec& entry, QWidget* container, QRadioButton**) {
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

SlotCheckBox* create(const ControlSpec& entry, QWidget* container, SlotCheckBox**) {
    auto* check = new SlotCheckBox(container);
    check->setChecked(entry.set);
    return check;
}

FormulaPicture* create(const ControlSpec& entry, QWidget* container, FormulaPicture**) {
    return new FormulaPicture(*entry.picture, container);
}

// Makes the control as the type of the member that keeps it, and keeps it there.
QWidget* createWidget(const ControlSpec& entry, QWidget* container) {
    return std::visit(
        [&](auto** member) -> QWidget* { return *member = create(entry, container, member); },
        entry.slot);
}

QWidget* madeControl(const ControlSlot& slot) {
    return std::visit([](auto** member) -> QWidget* { return *member; }, slot);
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

QWidget* containerOf(const ControlSpec& entry, QWidget& window, const FormControls& controls) {
    return entry.container == Container::Form1 ? &window : controls.Frame1;
}

} // namespace

FormControls buildWindow(QWidget& window) {
    FormControls controls;
    window.setFont(fontOf(Face::Plain));
    for (const ControlSpec& entry : layoutTable(controls)) {
        QWidget& made = *createWidget(entry, containerOf(entry, window, controls));
        placeWidget(entry, made);
        // Screen readers on Linux name a drop-down after the label that points to it; only a
        // plain label names another control.
        if (entry.buddy) {
            (*std::get<QLabel**>(entry.slot))->setBuddy(madeControl(*entry.buddy));
        }
    }
    const std::vector<QWidget*> order = focusOrder(controls);
    for (std::size_t next = 1; next < order.size(); ++next) {
        QWidget::setTabOrder(order[next - 1], order[next]);
    }
    return controls;
}

} // namespace tavrello
