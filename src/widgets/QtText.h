// Core text is bytes; windows show QString. UTF-8 when valid, else Latin-1.
#pragma once

#include <QString>
#include <string>

#include "language/LanguageTable.h"

namespace veltra {

inline QString toQt(const std::string& text) {
    return IsValidUtf8(text)
               ? QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()))
               : QString::fromLatin1(text.data(), static_cast<qsizetype>(text.size()));
}

inline std::string fromQt(const QString& text) {
    return text.toUtf8().toStdString();
}

}  // namespace veltra
