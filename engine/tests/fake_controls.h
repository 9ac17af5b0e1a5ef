#pragma once

#include "controls.h"

#include <array>
#include <string>
#include <vector>

namespace tavrello::testing {

// Controls on plain data, with every access logged in order ("text 3", "check 1", "set 0 1").
class FakeControls : public Controls {
  public:
    std::array<std::string, inputBoxCount + 1> boxes{};   // index 0 unused
    std::array<int, slotCount + 1> checks{0, 1, 0, 0, 0}; // only slot 1 set, as at start
    std::array<std::array<std::string, slotCount + 1>, 3> labels{};
    std::vector<std::string> log;

    void setBoxes(const std::vector<std::string>& texts) {
        for (std::size_t k = 0; k < texts.size(); ++k) {
            boxes.at(k + 1) = texts[k];
        }
    }

    std::string& label(ResultGroup group, int slot) {
        return labels.at(static_cast<std::size_t>(group)).at(static_cast<std::size_t>(slot));
    }

    std::string inputText(int box) override {
        log.push_back("text " + std::to_string(box));
        return boxes.at(static_cast<std::size_t>(box));
    }

    int checkValue(int slot) override {
        log.push_back("check " + std::to_string(slot));
        return checks.at(static_cast<std::size_t>(slot));
    }

    void setResult(ResultGroup group, int slot, const std::string& text) override {
        log.push_back("set " + std::to_string(static_cast<int>(group)) + " " +
                      std::to_string(slot));
        label(group, slot) = text;
    }
};

} // namespace tavrello::testing
