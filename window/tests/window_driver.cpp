#include "window_driver.h"

#include "interface_font.h"

#include <QAbstractItemView>
#include <QApplication>
#include <QComboBox>
#include <QContextMenuEvent>
#include <QRadioButton>
#include <QTest>

namespace tavrello {

namespace {

// As the program does at start; once, because each read of the file adds the face again.
void useInterfaceFontOnce() {
    static const bool read = useInterfaceFont(TAVRELLO_INTERFACE_FONT_FILE);
    Q_UNUSED(read);
}

} // namespace

QMenu* openContextMenu(QWidget& widget) {
    const QPoint centre = widget.rect().center();
    QContextMenuEvent event(QContextMenuEvent::Mouse, centre, widget.mapToGlobal(centre));
    QApplication::sendEvent(&widget, &event);
    return qobject_cast<QMenu*>(QApplication::activePopupWidget());
}

WindowDriver::WindowDriver() {
    useInterfaceFontOnce();
    form_ = std::make_unique<Form1>(reporter_, clock_, notifier_);
    form_->show();
    QApplication::setActiveWindow(form_.get());
    if (!QTest::qWaitForWindowActive(form_.get())) {
        qFatal("the window did not become active");
    }
}

void WindowDriver::pickCount(const QString& entry) {
    auto& dropDown = control<QComboBox>(*form_, "Combo1");
    dropDown.showPopup();
    QAbstractItemView& list = *dropDown.view();
    const int row = dropDown.findText(entry);
    if (row < 0 || !QTest::qWaitForWindowExposed(list.window())) {
        qFatal("no entry %s to pick", qPrintable(entry));
    }
    const QModelIndex entryIndex = list.model()->index(row, 0);
    list.scrollTo(entryIndex);
    const QPoint centre = list.visualRect(entryIndex).center();
    QTest::mouseClick(list.viewport(), Qt::LeftButton, {}, centre);
}

void WindowDriver::chooseMethod(int method) {
    click(numbered("Option", method));
}

void WindowDriver::type(int number, const QString& text) {
    QLineEdit& edit = box(number);
    edit.setFocus();
    QTest::keyClicks(&edit, text);
}

void WindowDriver::click(const QString& id) {
    QTest::mouseClick(&control<QWidget>(*form_, id), Qt::LeftButton);
}

void WindowDriver::selectSlots(const QList<int>& selected) {
    for (int slot = 1; slot <= slotCount; ++slot) {
        const bool wanted = selected.contains(slot);
        if (check(slot).isChecked() != wanted) {
            click(numbered("Check", slot));
        }
    }
}

void WindowDriver::pressTab() {
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
}

QLineEdit& WindowDriver::box(int number) const {
    return control<QLineEdit>(*form_, numbered("Text", number));
}

QCheckBox& WindowDriver::check(int slot) const {
    return control<QCheckBox>(*form_, numbered("Check", slot));
}

QLabel& WindowDriver::label(const QString& id) const {
    return control<QLabel>(*form_, id);
}

QString WindowDriver::result(const QString& group, int slot) const {
    const int first = group == "mean" ? 12 : group == "single" ? 16 : 20;
    return label(numbered("Label", first + slot - 1)).text();
}

QList<int> WindowDriver::shownBoxes() const {
    QList<int> shown;
    for (int number = 1; number <= inputBoxCount; ++number) {
        if (box(number).isVisible()) {
            shown.push_back(number);
        }
    }
    return shown;
}

QString WindowDriver::focusedId() const {
    const QWidget* focused = QApplication::focusWidget();
    return focused == nullptr ? QString() : focused->objectName();
}

} // namespace tavrello
