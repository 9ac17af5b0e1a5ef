// SPDX-FileCopyrightText: 2026 Tavrello developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "window/command_line/command_io.h"

#include "window/command_line/command.h"

#include <QFile>
#include <QFileInfo>
#include <cstdio>
#include <vector>
#ifdef _WIN32
#include <fcntl.h>
#include <io.h>
#endif

namespace tavrello {

namespace {

constexpr qint64 largestInput = 64 << 20;
constexpr qint64 chunk = 1 << 20;

[[noreturn]] void refuse(const QString& text) {
    throw CommandLineError(ExitStatus::Refused, text);
}

// The bytes as they are: Windows would otherwise turn each line end into CR LF on the way out.
void binary(std::FILE* stream) {
#ifdef _WIN32
    _setmode(_fileno(stream), _O_BINARY);
#else
    (void)stream;
#endif
}

void checkSize(const QByteArray& bytes, const QString& source) {
    if (bytes.size() > largestInput) {
        refuse(QString("%1超过 64 MB，不像是一列数据。").arg(source));
    }
}

// Through the C library, which takes a pipe closed by its writer for the end of the input, as
// Qt's reading of it on Windows does not.
QByteArray readStandardInput() {
    binary(stdin);
    QByteArray bytes;
    std::vector<char> buffer(chunk);
    while (const std::size_t got = std::fread(buffer.data(), 1, buffer.size(), stdin)) {
        bytes.append(buffer.data(), static_cast<qsizetype>(got));
        checkSize(bytes, "标准输入");
    }
    if (std::ferror(stdin)) {
        refuse("读取标准输入时出错。");
    }
    return bytes;
}

// The file opened for reading; what keeps it from being read in words.
void open(QFile& input, const QString& file) {
    const QFileInfo info(file);
    if (!info.exists()) {
        refuse(QString("文件“%1”不存在。").arg(file));
    }
    if (info.isDir()) {
        refuse(QString("“%1”是一个文件夹，不是文件。").arg(file));
    }
    input.setFileName(file);
    if (!input.open(QIODevice::ReadOnly)) {
        refuse(info.isReadable() ? QString("无法打开文件“%1”。").arg(file)
                                 : QString("没有读取文件“%1”的权限。").arg(file));
    }
}

bool write(std::FILE* stream, const QByteArray& bytes) {
    const auto size = static_cast<std::size_t>(bytes.size());
    return std::fwrite(bytes.constData(), 1, size, stream) == size && std::fflush(stream) == 0;
}

// Read in pieces: a pipe gives what it has, and a device may never end.
QByteArray readFile(const QString& file) {
    QFile input;
    open(input, file);
    const QString source = QString("文件“%1”").arg(file);
    QByteArray bytes;
    while (true) {
        const QByteArray piece = input.read(chunk);
        if (input.error() != QFileDevice::NoError) {
            refuse(QString("读取%1时出错。").arg(source));
        }
        if (piece.isEmpty()) {
            return bytes;
        }
        bytes += piece;
        checkSize(bytes, source);
    }
}

} // namespace

QByteArray readInput(const QString& file) {
    QByteArray bytes = file == "-" ? readStandardInput() : readFile(file);
    if (bytes.startsWith("\xEF\xBB\xBF")) {
        bytes.remove(0, 3);
    }
    return bytes;
}

void writeOutput(const QByteArray& bytes) {
    binary(stdout);
    if (!write(stdout, bytes)) {
        throw CommandLineError(ExitStatus::NotWritten, "无法写入标准输出。");
    }
}

void writeError(const QString& message) {
    write(stderr, ("tavrello: " + message + "\n").toUtf8());
}

} // namespace tavrello
