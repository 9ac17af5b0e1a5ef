#include "window_builder.h"

#include "etched_frame.h"
#include "formula_picture.h"
#include "sample_count_box.h"
#include "slot_check_box.h"

#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTimer>

namespace tavrello {

namespace {

QRect pixelsOf(const Twips& place) {
    return {place.left / twipsPerPixel, place.top / twipsPerPixel, place.width / twipsPerPixel,
            place.height / twipsPerPixel};
}

QWidget* createFrame(const ControlSpec& spec, QWidget* container) {
    auto* frame = new EtchedFrame(spec.text, container);
    QPalette palette = frame->palette();
    palette.setColor(QPalette::WindowText, colourOf(spec.ink));
    frame->setPalette(palette);
    return frame;
}

QWidget* createLabel(const ControlSpec& spec, QWidget* container) {
    auto* label = new QLabel(spec.text, container);
    label->setAlignment(spec.alignment);
    label->setAutoFillBackground(true);
    QPalette palette = label->palette();
    palette.setColor(QPalette::WindowText, colourOf(spec.ink));
    palette.setColor(QPalette::Window, colourOf(spec.ground));
    label->setPalette(palette);
    if (spec.border == Border::Single) {
        label->setFrameStyle(QFrame::Panel | QFrame::Sunken);
        label->setLineWidth(1);
    }
    return label;
}

QWidget* createTextBox(const ControlSpec&, QWidget* container) {
    return new QLineEdit(container);
}

QWidget* createDropDown(const ControlSpec& spec, QWidget* container) {
    auto* dropDown = new SampleCountBox(container);
    dropDown->addItems(spec.entries);
    dropDown->setCurrentIndex(-1);
    dropDown->setEditText(spec.text);
    return dropDown;
}

QWidget* createPushButton(const ControlSpec& spec, QWidget* container) {
    auto* button = new QPushButton(spec.text, container);
    button->setAutoDefault(false);
    return button;
}

QWidget* createOptionButton(const ControlSpec& spec, QWidget* container) {
    auto* option = new QRadioButton(spec.text, container);
    option->setChecked(spec.set);
    QPalette palette = option->palette();
    palette.setColor(QPalette::WindowText, colourOf(spec.ink));
    option->setPalette(palette);
    // The option group is one Tab stop, on the chosen button; Qt keeps this up to date once
    // a button of the group has had the focus.
    if (!spec.set) {
        option->setFocusPolicy(Qt::ClickFocus);
    }
    return option;
}

QWidget* createCheckBox(const ControlSpec& spec, QWidget* container) {
    auto* check = new SlotCheckBox(container);
    check->setChecked(spec.set);
    return check;
}

QWidget* createPicture(const ControlSpec& spec, QWidget* container) {
    return new FormulaPicture(spec.picture, container);
}

QWidget* createWidget(const ControlSpec& spec, QWidget* container) {
    switch (spec.kind) {
    case Kind::Frame:
        return createFrame(spec, container);
    case Kind::Label:
        return createLabel(spec, container);
    case Kind::TextBox:
        return createTextBox(spec, container);
    case Kind::DropDown:
        return createDropDown(spec, container);
    case Kind::PushButton:
        return createPushButton(spec, container);
    case Kind::OptionButton:
        return createOptionButton(spec, container);
    case Kind::CheckBox:
        return createCheckBox(spec, container);
    case Kind::Picture:
        return createPicture(spec, container);
    case Kind::Timer:
        break;
    }
    Q_UNREACHABLE();
}

void placeWidget(const ControlSpec& spec, QWidget& widget) {
    widget.setObjectName(spec.id);
    widget.setFont(fontOf(spec.face));
    widget.setGeometry(pixelsOf(spec.place));
    if (spec.sizing == Sizing::ToCaption) {
        widget.adjustSize();
    }
    widget.setToolTip(spec.tooltip);
    if (!spec.accessibleName.isEmpty()) {
        widget.setAccessibleName(spec.accessibleName);
    }
    widget.setAccessibleDescription(spec.accessibleDescription);
    widget.setHidden(spec.hidden);
}

void startTimer(const ControlSpec& spec, QWidget* container) {
    auto* timer = new QTimer(container);
    timer->setObjectName(spec.id);
    timer->setInterval(spec.intervalMs);
    timer->start();
}

QWidget* containerOf(const ControlSpec& spec, QWidget& window) {
    if (spec.container == Container::Form1) {
        return &window;
    }
    return &control<QGroupBox>(window, "Frame1");
}

// Screen readers on Linux name a drop-down after the label that points to it.
void linkBuddies(const QWidget& window, const std::vector<ControlSpec>& table) {
    for (const ControlSpec& spec : table) {
        if (!spec.buddy.isEmpty()) {
            control<QLabel>(window, spec.id).setBuddy(&control<QWidget>(window, spec.buddy));
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
    for (const ControlSpec& spec : table) {
        QWidget* container = containerOf(spec, window);
        if (spec.kind == Kind::Timer) {
            startTimer(spec, container);
            continue;
        }
        placeWidget(spec, *createWidget(spec, container));
    }
    linkBuddies(window, table);
    chainFocus(window, focusOrder);
}

} // namespace tavrello
