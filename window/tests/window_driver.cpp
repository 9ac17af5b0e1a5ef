// SPDX-FileCopyrightText: 2026 Tavrello developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "window/tests/window_driver.h"

#include "window/appearance.h"
#include "window/fonts/interface_font.h"
#include "window/widgets/input_box.h"

#include <QAbstractItemView>
#include <QAccessible>
#include <QApplication>
#include <QClipboard>
#include <QComboBox>
#include <QContextMenuEvent>
#include <QMessageBox>
#include <QPushButton>
#include <QTest>
#include <memory>

namespace tavrello {

QStringList platformTexts(QWidget& form) {
    const QMessageBox box(QMessageBox::Critical, "Tavrello", "", QMessageBox::Ok);
    QStringList texts = {box.button(QMessageBox::Ok)->text()};
    const std::unique_ptr<QMenu> menu(
        control<QComboBox>(form, "Combo1").lineEdit()->createStandardContextMenu());
    for (const QAction* action : menu->actions()) {
        texts.append(action->text().section('\t', 0, 0));
    }
    return texts;
}

namespace {

QMenu& openMenu(QWidget& widget) {
    const QPoint centre = widget.rect().center();
    QContextMenuEvent event(QContextMenuEvent::Mouse, centre, widget.mapToGlobal(centre));
    QApplication::sendEvent(&widget, &event);
    auto* menu = qobject_cast<QMenu*>(QApplication::activePopupWidget());
    if (menu == nullptr) {
        qFatal("%s opened no menu", qPrintable(widget.objectName()));
    }
    return *menu;
}

} // namespace

QString chooseFromMenu(QWidget& widget, const QString& entry) {
    QMenu& menu = openMenu(widget);
    QString texts;
    for (QAction* action : menu.actions()) {
        texts += action->text();
        if (!entry.isEmpty() && action->text().startsWith(entry)) {
            action->trigger();
        }
    }
    menu.close();
    return texts;
}

QStringList menuTexts(QWidget& widget) {
    QMenu& menu = openMenu(widget);
    QStringList texts;
    for (const QAction* action : menu.actions()) {
        texts.append(action->text().section('\t', 0, 0));
    }
    menu.close();
    return texts;
}

WindowDriver::WindowDriver() {
    // As the program does at start; once, because each read of the file adds the face again.
    static const bool fontRead = addInterfaceFont(TAVRELLO_INTERFACE_FONT_FILE);
    Q_UNUSED(fontRead);
    useWindowFont();
    form_ = std::make_unique<Form1>(recorder_, clock_);
    auto& announcer = control<Announcer>(*form_, "Announcer");
    QObject::connect(&announcer, &Announcer::announced, [this, &announcer] {
        const QAccessibleInterface& notice = *QAccessible::queryAccessibleInterface(&announcer);
        announced_.append(notice.role() == QAccessible::Notification
                              ? notice.text(QAccessible::Name)
                              : QString());
    });
    form_->show();
    QApplication::setActiveWindow(form_.get());
    if (!QTest::qWaitForWindowActive(form_.get())) {
        qFatal("the window did not become active");
    }
}

// From the opened list, with the mouse, as a user picks.
void WindowDriver::pickCount(const QString& entry) {
    auto& dropDown = control<QComboBox>(*form_, "Combo1");
    dropDown.showPopup();
    QAbstractItemView& list = *dropDown.view();
    const QModelIndex index = list.model()->index(dropDown.findText(entry), 0);
    if (!index.isValid() || !QTest::qWaitForWindowExposed(list.window())) {
        qFatal("no entry %s to pick", qPrintable(entry));
    }
    list.scrollTo(index);
    QTest::mouseClick(list.viewport(), Qt::LeftButton, {}, list.visualRect(index).center());
}

void WindowDriver::selectSlots(const QList<int>& selected) {
    for (int slot = 1; slot <= slotCount; ++slot) {
        if (check(slot).isChecked() != selected.contains(slot)) {
            click(numbered("Check", slot));
        }
    }
}

void WindowDriver::paste(int number, const QString& text, const QString& gesture) {
    QGuiApplication::clipboard()->setText(text);
    box(number).setFocus();
    if (gesture == "menu") {
        chooseFromMenu(box(number), QLineEdit::tr("&Paste"));
    } else {
        QTest::keySequence(&box(number), QKeySequence(gesture));
    }
}

QString WindowDriver::result(const QString& group, int slot) const {
    const int first = group == "mean" ? 12 : group == "single" ? 16 : 20;
    return label(numbered("Label", first + slot - 1)).text();
}

QStringList WindowDriver::boxTexts() const {
    QStringList texts;
    for (int number = 1; number <= inputBoxCount; ++number) {
        texts.append(box(number).text());
    }
    return texts;
}

int WindowDriver::shownCount() const {
    QString shown;
    for (int number = 1; number <= inputBoxCount; ++number) {
        shown += box(number).isVisible() ? '1' : '0';
    }
    const auto count = int(shown.count('1'));
    return shown.startsWith(QString(count, '1')) ? count : -1;
}

QString WindowDriver::focusedId() const {
    const QWidget* focused = QApplication::focusWidget();
    return focused == nullptr ? QString() : focused->objectName();
}

} // namespace tavrello
