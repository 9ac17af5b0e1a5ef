// SPDX-FileCopyrightText: 2026 Tavrello developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "window/clock/status_clock.h"
#include "window/clock/whole_second_timer.h"
#include "window/form1.h"
#include "window/layout_table.h"
#include "window/message_boxes.h"

#include <QApplication>
#include <QCheckBox>
#include <QDateTime>
#include <QLabel>
#include <QLineEdit>
#include <QList>
#include <QMenu>
#include <QTest>
#include <memory>
#include <vector>

namespace tavrello {

// The control with the given identifier, found as tests and screen readers find it.
template <typename Control> Control& control(const QWidget& window, const QString& id) {
    auto* found = window.findChild<Control*>(id);
    if (found == nullptr) {
        qFatal("the window has no control %s of the expected kind", qPrintable(id));
    }
    return *found;
}

// Keeps the errors a command reports and what the window tells the user, instead of showing
// boxes that would block the test.
class Recorder final : public UserMessages {
  public:
    void reportError(QWidget&, const RunTimeError& error) override {
        numbers.push_back(error.number());
    }
    void tell(QWidget&, const QString& text) override { texts.append(text); }

    std::vector<ErrorNumber> numbers;
    QStringList texts;
};

// Shows UTC at an instant the test sets; at first Sunday 25 March 2007, 6:03:05.
class FixedClock final : public Clock {
  public:
    QDate today() override { return utc().date(); }
    QTime timeOfDay() override { return utc().time(); }

    WallTime instant{std::chrono::seconds(1174802585)};

  private:
    QDateTime utc() const {
        const auto second = std::chrono::floor<std::chrono::seconds>(instant.time_since_epoch());
        return QDateTime::fromSecsSinceEpoch(second.count(), Qt::UTC);
    }
};

// Qt's own texts the window shows: the error box's button, then the entries of the selector's
// field's menu, without their shortcuts.
QStringList platformTexts(QWidget& form);

// Opens the menu a right click on the widget opens, triggers the entries that start with
// `entry` (none if empty), closes it; the entries' texts, joined.
QString chooseFromMenu(QWidget& widget, const QString& entry = {});

// The texts of the menu a right click on the widget opens, without their shortcuts.
QStringList menuTexts(QWidget& widget);

// The window as a user sees it: shown, active, driven by clicks and key presses only.
class WindowDriver {
  public:
    WindowDriver();

    Form1& form() { return *form_; }
    const std::vector<ErrorNumber>& reportedErrors() const { return recorder_.numbers; }
    const QStringList& notices() const { return recorder_.texts; }
    // What the window told a screen reader: the name of its notification at each showing.
    const QStringList& announcements() const { return announced_; }

    void pickCount(const QString& entry);
    void chooseMethod(int method) { click(numbered("Option", method)); }
    void type(int number, const QString& text) {
        box(number).setFocus();
        QTest::keyClicks(&box(number), text);
    }
    void click(const QString& id) {
        QTest::mouseClick(&control<QWidget>(*form_, id), Qt::LeftButton);
    }
    void selectSlots(const QList<int>& selected);
    void pressTab() { QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab); }
    // Through the real clipboard, by a key sequence or "menu".
    void paste(int number, const QString& text, const QString& gesture = "Ctrl+V");

    QLineEdit& box(int box) const { return control<QLineEdit>(*form_, numbered("Text", box)); }
    QCheckBox& check(int slot) const { return control<QCheckBox>(*form_, numbered("Check", slot)); }
    QLabel& label(const QString& id) const { return control<QLabel>(*form_, id); }
    // group "mean", "single" or "ofMean"
    QString result(const QString& group, int slot) const;
    // Mean, single deviation and deviation of the mean in the slot.
    QStringList slotResults(int slot) const {
        return {result("mean", slot), result("single", slot), result("ofMean", slot)};
    }
    QStringList boxTexts() const;
    // k when boxes 1 to k are the ones shown, else -1.
    int shownCount() const;
    QString focusedId() const;

  private:
    Recorder recorder_;
    FixedClock clock_;
    std::unique_ptr<Form1> form_;
    QStringList announced_;
};

} // namespace tavrello
