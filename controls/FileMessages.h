#pragma once

#include <QString>

#include <filesystem>

// The path of a file name the user chose, in the file system's own encoding.
std::filesystem::path LocalPath(const QString& path);

QString CannotOpenText(const QString& path);

// The message for a failed read or write of any of the program's file formats, whose results
// share these names; empty for success.
template <typename Result> QString ReadFailureText(Result result, const QString& path) {
    if (result == Result::CannotOpen) {
        return CannotOpenText(path);
    }
    if (result == Result::WrongSize) {
        return QStringLiteral("The file error!");
    }
    if (result == Result::ReadError) {
        return QStringLiteral("Read file error!");
    }
    return {};
}

template <typename Result> QString WriteFailureText(Result result, const QString& path) {
    if (result == Result::CannotOpen) {
        return CannotOpenText(path);
    }
    if (result == Result::WriteError) {
        return QStringLiteral("Write file error!");
    }
    return {};
}
