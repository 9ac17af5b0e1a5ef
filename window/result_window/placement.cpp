// SPDX-FileCopyrightText: 2026 Tavrello developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "window/result_window/placement.h"

#include <algorithm>

namespace tavrello {

namespace {

// A stretch of the screen's width the window may take: from `left` to `right`, both inside; the
// window keeps to the edge it is `anchoredRight` to.
struct Room {
    int left;
    int right;
    bool anchoredRight;

    int width() const { return right - left + 1; }
    int leftFor(int width) const { return anchoredRight ? right - width + 1 : left; }
};

} // namespace

QRect placeBeside(const QRect& available, const MainWindowPlace& main, QSize wanted, QSize least) {
    const int height = std::min(wanted.height(), available.height());
    const int top = std::clamp(main.frame.top(), available.top(), available.bottom() - height + 1);
    const Room right{main.frame.right() + 1 + windowGap, available.right(), false};
    const Room left{available.left(), main.frame.left() - 1 - windowGap, true};
    const Room overFormulas{
        available.left(), std::min(main.formulaColumn.right(), main.inputColumn.left() - 1), true};
    const auto placed = [&](const Room& room, int width) {
        return QRect(room.leftFor(width), top, width, height);
    };
    for (const Room& side : {right, left}) {
        if (side.width() >= wanted.width()) {
            return placed(side, wanted.width());
        }
    }
    const Room& roomier = right.width() >= left.width() ? right : left;
    for (const Room& room : {roomier, overFormulas}) {
        if (room.width() >= least.width()) {
            return placed(room, std::min(room.width(), wanted.width()));
        }
    }
    const int width = std::min(least.width(), available.width());
    return QRect(available.left(), top, width, height);
}

} // namespace tavrello
