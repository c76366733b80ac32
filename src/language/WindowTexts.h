// A window that puts language texts on its own controls. Every window registers with the main
// window, whose ApplyLanguageTexts relabels them all at once after each language load.
#pragma once

namespace veltra {

class LanguageTable;

class WindowTexts {
  public:
    virtual ~WindowTexts() = default;
    virtual void applyLanguageTexts(const LanguageTable& texts) = 0;
};

// The version label every window shows.
inline constexpr const char* kVersionLabel = "VELTRA-52 Software v1.21";
inline constexpr const char* kApplicationTitle = "VELTRA-52 Software";

}  // namespace veltra
