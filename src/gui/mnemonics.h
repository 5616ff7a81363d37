#pragma once
// Keyboard mnemonics for the texts of one dialog, in any language.
#include <QString>
#include <utility>
#include <vector>

class QWidget;

namespace veltrun::gui {

// Each text gets the first of its letters that no earlier text of the list
// took, marked with '&' (a '&' of the text itself is doubled); a text whose
// letters are all taken gets none.
std::vector<QString> WithMnemonics(const std::vector<QString>& texts);

// Sets the texts of labels and buttons, with mnemonics chosen together.
void SetMnemonicTexts(const std::vector<std::pair<QWidget*, QString>>& texts);

}  // namespace veltrun::gui
