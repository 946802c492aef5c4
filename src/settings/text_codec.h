// Where the 8-bit texts of the logic meet Qt: conversion with the locale's encoding.
#pragma once

#include <QString>
#include <string>
#include <string_view>

namespace settings {

inline QString FromBytes(std::string_view text) {
  return QString::fromLocal8Bit(text.data(), static_cast<qsizetype>(text.size()));
}

inline std::string ToBytes(const QString& text) {
  QByteArray bytes = text.toLocal8Bit();
  return std::string(bytes.constData(), static_cast<std::size_t>(bytes.size()));
}

}  // namespace settings
