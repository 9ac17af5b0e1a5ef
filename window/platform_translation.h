// SPDX-FileCopyrightText: 2026 Tavrello developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QStringList>
#include <QTranslator>

namespace tavrello {

// Where Qt's Simplified Chinese texts are looked for: Qt's translations folder, then beside
// the program and in its translations folder, where a Windows installation has them.
QStringList platformTranslationFolders();

// Qt's own texts, such as the error report's button and the context menu of the boxes, in
// Simplified Chinese whatever the user's locale. Without the translation file they stay in
// English; that is no reason to stop or to complain.
class PlatformTranslation {
  public:
    explicit PlatformTranslation(const QStringList& folders = platformTranslationFolders());

    bool loaded() const { return loaded_; }

  private:
    QTranslator translator_;
    bool loaded_ = false;
};

} // namespace tavrello
